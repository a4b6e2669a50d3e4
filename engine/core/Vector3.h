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

    // The arithmetic is defined here so that the per-vertex and per-particle loops inline it.
    Vector3 operator+(const Vector3& other) const { return Vector3(x + other.x, y + other.y, z + other.z); }
    Vector3 operator-(const Vector3& other) const { return Vector3(x - other.x, y - other.y, z - other.z); }
    Vector3 operator*(f32 scalar) const { return Vector3(x * scalar, y * scalar, z * scalar); }
    Vector3 operator/(f32 scalar) const { return Vector3(x / scalar, y / scalar, z / scalar); }
    Vector3& operator+=(const Vector3& other)
    {
        x += other.x;
        y += other.y;
        z += other.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& other)
    {
        x -= other.x;
        y -= other.y;
        z -= other.z;
        return *this;
    }
    Vector3& operator/=(f32 scalar)
    {
        x /= scalar;
        y /= scalar;
        z /= scalar;
        return *this;
    }

    Vector3 MultiplyComponents(const Vector3& other) const { return Vector3(x * other.x, y * other.y, z * other.z); }
    Vector3 DivideComponents(const Vector3& other) const { return Vector3(x / other.x, y / other.y, z / other.z); }
    Vector3& MultiplyComponentsInPlace(const Vector3& other) { return *this = MultiplyComponents(other); }
    Vector3& DivideComponentsInPlace(const Vector3& other) { return *this = DivideComponents(other); }

    f32 Length() const;
    // Scales to the given length; a vector shorter than the tolerance is left as it is.
    void SetLength(f32 length);
    Vector3 GetNormalized() const;
    f32 Dot(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
    Vector3 Cross(const Vector3& other) const
    {
        return Vector3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
    }

    bool operator!=(const Vector3& other) const;
};
}
