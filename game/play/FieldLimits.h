// Where the field's walls stop the balls: the inner faces of the left and right walls and of the top wall, found
// from the walls' boxes, and the bounce of a ball that has gone past one of them.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <vector>

namespace Korvane
{
using VelkorEngine::f32;

struct FieldLimits
{
    f32 left = 0.0f;
    f32 right = 0.0f;
    f32 top = 0.0f;

    // A wall at least as long in y as in x is a side wall, on the left when its centre is at x 0 or less; a
    // wider one is the top wall. A limit no wall gives stays 0.
    static FieldLimits FromWalls(const std::vector<VelkorEngine::BoundingVolume>& walls);

    // Every wall the ball has reached (a side wall and the top one in a corner) puts it back inside against
    // itself; the normal holds each reached wall's normal on that wall's axis. False when the ball is clear of
    // them all.
    bool Confine(VelkorEngine::Vector2& position, f32 radius, VelkorEngine::Vector2& normal) const;
};
}
