// Two-component single-precision vector: screen positions, sizes and texture coordinates.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Vector2
{
    f32 x = 0.0f;
    f32 y = 0.0f;

    Vector2() = default;
    Vector2(f32 xValue, f32 yValue) : x(xValue), y(yValue) {}

    Vector2& operator+=(const Vector2& other);
    Vector2& operator/=(f32 scalar);
    Vector2& MultiplyComponents(const Vector2& other);
    Vector2& DivideComponents(const Vector2& other);

    f32 Length() const;
    // Scales to the given length; a vector shorter than the tolerance is left as it is.
    void SetLength(f32 length);

    bool operator!=(const Vector2& other) const;
};
}
