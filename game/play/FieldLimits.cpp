// Field limits from the walls and the wall bounce.
#include "game/play/FieldLimits.h"

using namespace VelkorEngine;

namespace Korvane
{
FieldLimits FieldLimits::FromWalls(const std::vector<BoundingVolume>& walls)
{
    FieldLimits limits;
    for (const BoundingVolume& wall : walls)
    {
        const Vector3& half = wall.GetHalfExtents();
        if (half.y >= half.x)
        {
            if (wall.GetCenter().x <= 0.0f)
                limits.left = wall.GetWorldMaximum().x;
            else
                limits.right = wall.GetWorldMinimum().x;
        }
        else
            limits.top = wall.GetWorldMinimum().y;
    }
    return limits;
}

bool FieldLimits::Confine(Vector2& position, f32 radius, Vector2& normal) const
{
    normal = Vector2();
    if (position.x - radius < left)
    {
        position.x = left + radius;
        normal.x = 1.0f;
    }
    else if (position.x + radius > right)
    {
        position.x = right - radius;
        normal.x = -1.0f;
    }
    if (position.y + radius >= top)
    {
        position.y = top - radius;
        normal.y = -1.0f;
    }
    return normal.x != 0.0f || normal.y != 0.0f;
}
}
