// Rotation quaternion: vector part x, y, z first, scalar w last; not required to be of unit length.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Matrix4;

struct Quaternion
{
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 z = 0.0f;
    f32 w = 0.0f;

    Quaternion() = default;
    Quaternion(f32 xValue, f32 yValue, f32 zValue, f32 wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}

    // The squared length.
    f32 Norm() const;
    // The rotation matrix, scaled so a quaternion of any non-zero length gives a pure rotation; the zero
    // quaternion, which is no rotation at all, gives the identity.
    void ToMatrix(Matrix4& out) const;
    // a * q rotates by a first and then by q (the Hamilton product q a).
    Quaternion operator*(const Quaternion& q) const;
    void Set(const Quaternion& q);
};

// Component-wise blend taking the shorter way round; neither normalised nor clamped. Returns out.
Quaternion& LerpQuaternion(Quaternion& out, const Quaternion& a, const Quaternion& b, f32 t);
}
