// A ray as origin and direction; the direction is not normalised, so origin + direction can mark the end
// of a segment.
#pragma once

#include "engine/core/Vector3.h"

namespace VelkorEngine
{
struct Ray
{
    Vector3 origin;
    Vector3 direction;

    Ray() = default;
    Ray(const Vector3& start, const Vector3& towards);

    void Set(const Vector3& start, const Vector3& towards);
    void SetOrigin(const Vector3& start);
    Vector3& SetDirection(const Vector3& towards);
};
}
