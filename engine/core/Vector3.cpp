// Three-component vector lengths and comparison; the plain arithmetic is inline in the header.
#include "engine/core/Vector3.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Vector2.h"

#include <cmath>

namespace VelkorEngine
{
Vector3::Vector3(const Vector2& v) : x(v.x), y(v.y), z(0.0f) {}

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

bool Vector3::operator!=(const Vector3& other) const
{
    return std::fabs(x - other.x) > MathTolerance || std::fabs(y - other.y) > MathTolerance ||
           std::fabs(z - other.z) > MathTolerance;
}
}
