// Two-component vector arithmetic.
#include "engine/core/Vector2.h"

#include "engine/core/MathTolerance.h"

#include <cmath>

namespace VelkorEngine
{
Vector2& Vector2::operator+=(const Vector2& other)
{
    x += other.x;
    y += other.y;
    return *this;
}

Vector2& Vector2::operator/=(f32 scalar)
{
    x /= scalar;
    y /= scalar;
    return *this;
}

Vector2& Vector2::MultiplyComponents(const Vector2& other)
{
    x *= other.x;
    y *= other.y;
    return *this;
}

Vector2& Vector2::DivideComponents(const Vector2& other)
{
    x /= other.x;
    y /= other.y;
    return *this;
}

f32 Vector2::Length() const
{
    return std::sqrt(x * x + y * y);
}

void Vector2::SetLength(f32 length)
{
    const f32 ratio = Length() / length;
    if (std::fabs(ratio) < MathTolerance)
        return;
    x /= ratio;
    y /= ratio;
}

bool Vector2::operator!=(const Vector2& other) const
{
    return std::fabs(x - other.x) > MathTolerance || std::fabs(y - other.y) > MathTolerance;
}
}
