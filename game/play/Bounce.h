// How a ball leaves what it hit, in the playfield's plane: plain reflection, the extra turn that keeps a bounce
// from running back along its path or grazing on unchanged, and the bat's aimed bounces.
#pragma once

#include "engine/core/Plane.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

namespace Korvane::Bounce
{
using VelkorEngine::f32;
using VelkorEngine::Vector2;

// The direction reflected about the plane's normal as seen in the playfield, of unit length. Motion along the
// plane leaves along its normal; a plane facing straight up or down turns nothing.
Vector2 Reflect(const Vector2& direction, const Vector2& normal);
Vector2 Reflect(const Vector2& direction, const VelkorEngine::Plane& plane);

// The reflected direction turned a little further, 3 degrees for a bounce straight back or a graze and 9 for a
// right-angled one; before is the direction the ball came in with.
Vector2 CorrectAngle(const Vector2& before, const Vector2& reflected);

// Off the bat's head: straight up at its centre, up to 38.25 degrees aside at its ends.
Vector2 OffBatHead(f32 pointX, f32 headCentreX, f32 headHalfWidth);

// Off the bat's body: always downwards, steeply, and away from the body's centre; of unit length.
Vector2 OffBatBody(Vector2 direction, f32 ballX, f32 bodyCentreX);

// The direction turned counter-clockwise (seen from above) by the angle in radians.
Vector2 Turn(const Vector2& direction, f32 angle);
}
