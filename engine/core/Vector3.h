// Three-component single-precision vector: positions, directions, scales and normals.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Vector2;

struct Vector3
{
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 z = 0.0f;

    Vector3() = default;
    Vector3(f32 xValue, f32 yValue, f32 zValue) : x(xValue), y(yValue), z(zValue) {}
    explicit Vector3(f32 all) : x(all), y(all), z(all) {}
    explicit Vector3(const Vector2& v);

    Vector3 operator+(const Vector3& other) const;
    Vector3 operator-(const Vector3& other) const;
    Vector3 operator*(f32 scalar) const;
    Vector3 operator/(f32 scalar) const;
    Vector3& operator+=(const Vector3& other);
    Vector3& operator-=(const Vector3& other);
    Vector3& operator/=(f32 scalar);

    Vector3 MultiplyComponents(const Vector3& other) const;
    Vector3 DivideComponents(const Vector3& other) const;
    Vector3& MultiplyComponentsInPlace(const Vector3& other);
    Vector3& DivideComponentsInPlace(const Vector3& other);

    f32 Length() const;
    // Scales to the given length; a vector shorter than the tolerance is left as it is.
    void SetLength(f32 length);
    Vector3 GetNormalized() const;
    f32 Dot(const Vector3& other) const;
    Vector3 Cross(const Vector3& other) const;

    bool operator!=(const Vector3& other) const;
};
}
