// Four-component vector operations.
#include "engine/core/Vector4.h"

#include "engine/core/Vector3.h"

namespace VelkorEngine
{
Vector4::Vector4(const Vector3& v) : x(v.x), y(v.y), z(v.z), w(1.0f) {}

f32 Vector4::Dot(const Vector4& other) const
{
    return x * other.x + y * other.y + z * other.z + w * other.w;
}
}
