// One ball's step through the collision world and the field's walls: where it ends, what it met and the
// direction it leaves in. The ball manager acts on what was met (blocks, the bat's recoil, the barrier's ropes,
// effects and sounds); the flight itself knows only geometry.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/play/FieldLimits.h"
#include "game/play/Physics.h"

#include <set>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

// A free ball as the flight sees it.
struct FlyingBall
{
    VelkorEngine::Vector2 position;
    // Of unit length.
    VelkorEngine::Vector2 direction;
    // This frame's motion: direction x speed x frame time x activity.
    VelkorEngine::Vector2 motion;
    f32 radius = 1.0f;
};

// What the bat's bounces need of its shape this frame.
struct BatShape
{
    f32 headCentreX = 0.0f;
    f32 headHalfWidth = 1.0f;
    f32 bodyCentreX = 0.0f;
};

struct BallHit
{
    enum class Kind
    {
        None,
        Object,
        Wall
    };

    Kind kind = Kind::None;
    // The object met (a collision id); for a wall, unset.
    u32 id = 0;
    // Where the ball touched, for the hit effect.
    VelkorEngine::Vector3 point;
};

class BallFlight
{
public:
    // A ball whose top has dropped below this line has left the field for good.
    static constexpr f32 LostBelow = -100.0f;

    BallFlight(Physics& physics, const FieldLimits& limits) : m_physics(physics), m_limits(limits) {}

    // Moves the ball by its motion. A rising ball passes through the bat and the barrier, and every ball under
    // the blocks above it: their ids are ignored for this step alone, and only those this step added are taken
    // out again. A ball a block came down on is first put out of it.
    BallHit Step(FlyingBall& ball, std::set<u32>& ignored, const BatShape& bat);

    static bool IsLost(const FlyingBall& ball) { return ball.position.y + ball.radius < LostBelow; }

private:
    BallHit MeetObject(FlyingBall& ball, const VelkorEngine::Vector2& before, const CollisionHit& hit,
                       const BatShape& bat) const;
    BallHit MeetWall(FlyingBall& ball, const VelkorEngine::Vector2& before) const;
    void KeepInsideWalls(FlyingBall& ball) const;

    Physics& m_physics;
    const FieldLimits& m_limits;
};
}
