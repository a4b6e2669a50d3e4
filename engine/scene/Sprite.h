// One camera-facing square of a sprite group: where it is, how big, how turned and what colour.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
struct Sprite
{
    u8 free = 1;
    // Distance in front of the camera along its view, written by the group's update while it sorts.
    f32 depth = 0.0f;
    Vector3 position;
    // Half the edge of the square, in world units.
    f32 size = 0.0f;
    // Radians about the camera's view axis; 0 is upright.
    f32 rotation = 0.0f;
    Color color;
};
}
