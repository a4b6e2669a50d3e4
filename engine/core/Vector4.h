// Four-component single-precision vector: homogeneous points and packed quadruples.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Vector3;

struct Vector4
{
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 z = 0.0f;
    f32 w = 0.0f;

    Vector4() = default;
    Vector4(f32 xValue, f32 yValue, f32 zValue, f32 wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}
    // A point: w is 1.
    explicit Vector4(const Vector3& v);

    f32 Dot(const Vector4& other) const;
};
}
