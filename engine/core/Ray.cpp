// Ray set-up.
#include "engine/core/Ray.h"

namespace VelkorEngine
{
Ray::Ray(const Vector3& start, const Vector3& towards)
{
    Set(start, towards);
}

void Ray::Set(const Vector3& start, const Vector3& towards)
{
    origin = start;
    direction = towards;
}

void Ray::SetOrigin(const Vector3& start)
{
    origin = start;
}

Vector3& Ray::SetDirection(const Vector3& towards)
{
    direction = towards;
    return direction;
}
}
