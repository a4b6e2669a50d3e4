// Three-component vector arithmetic.
#include "engine/core/Vector3.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Vector2.h"

#include <cmath>

namespace VelkorEngine
{
Vector3::Vector3(const Vector2& v) : x(v.x), y(v.y), z(0.0f) {}

Vector3 Vector3::operator+(const Vector3& other) const
{
    return Vector3(x + other.x, y + other.y, z + other.z);
}

Vector3 Vector3::operator-(const Vector3& other) const
{
    return Vector3(x - other.x, y - other.y, z - other.z);
}

Vector3 Vector3::operator*(f32 scalar) const
{
    return Vector3(x * scalar, y * scalar, z * scalar);
}

Vector3 Vector3::operator/(f32 scalar) const
{
    return Vector3(x / scalar, y / scalar, z / scalar);
}

Vector3& Vector3::operator+=(const Vector3& other)
{
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& other)
{
    x -= other.x;
    y -= other.y;
    z -= other.z;
    return *this;
}

Vector3& Vector3::operator/=(f32 scalar)
{
    x /= scalar;
    y /= scalar;
    z /= scalar;
    return *this;
}

Vector3 Vector3::MultiplyComponents(const Vector3& other) const
{
    return Vector3(x * other.x, y * other.y, z * other.z);
}

Vector3 Vector3::DivideComponents(const Vector3& other) const
{
    return Vector3(x / other.x, y / other.y, z / other.z);
}

Vector3& Vector3::MultiplyComponentsInPlace(const Vector3& other)
{
    *this = MultiplyComponents(other);
    return *this;
}

Vector3& Vector3::DivideComponentsInPlace(const Vector3& other)
{
    *this = DivideComponents(other);
    return *this;
}

f32 Vector3::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3::SetLength(f32 length)
{
    const f32 ratio = Length() / length;
    if (std::fabs(ratio) < MathTolerance)
        return;
    *this /= ratio;
}

Vector3 Vector3::GetNormalized() const
{
    Vector3 copy = *this;
    copy.SetLength(1.0f);
    return copy;
}

f32 Vector3::Dot(const Vector3& other) const
{
    return x * other.x + y * other.y + z * other.z;
}

Vector3 Vector3::Cross(const Vector3& other) const
{
    return Vector3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
}

bool Vector3::operator!=(const Vector3& other) const
{
    return std::fabs(x - other.x) > MathTolerance || std::fabs(y - other.y) > MathTolerance ||
           std::fabs(z - other.z) > MathTolerance;
}
}
