// A ball's step: the sweep, then the bounce off what it met.
#include "game/play/BallFlight.h"

#include "game/play/BlockClearance.h"
#include "game/play/Bounce.h"

#include <vector>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 kPassedWhenRising[] = {CollisionIds::BatHead, CollisionIds::BatBody, CollisionIds::Barrier};
}

BallHit BallFlight::Step(FlyingBall& ball, std::set<u32>& ignored, const BatShape& bat)
{
    std::vector<u32> added;
    if (ball.direction.y > 0.0f)
        for (u32 id : kPassedWhenRising)
            if (ignored.insert(id).second)
                added.push_back(id);
    const BlockClearance clearance(m_physics, m_limits);
    const std::vector<u32> above = clearance.IgnoreBlocksAbove(ball, ignored);
    added.insert(added.end(), above.begin(), above.end());
    clearance.PushOut(ball, ignored);
    const Vector2 before = ball.direction;
    CollisionHit hit;
    Vector2 end;
    const bool met = m_physics.Query(ball.radius, Vector3(ball.position.x, ball.position.y, ball.radius), ball.motion,
                                     ignored, end, hit);
    for (u32 id : added)
        ignored.erase(id);
    ball.position = end;
    if (met)
    {
        const BallHit object = MeetObject(ball, before, hit, bat);
        KeepInsideWalls(ball);
        return object;
    }
    return MeetWall(ball, before);
}

// An object met beyond a wall's line (a block or the bat near the wall) stops the ball there; the walls still
// hold, and the ball leaves them inwards.
void BallFlight::KeepInsideWalls(FlyingBall& ball) const
{
    Vector2 normal;
    if (!m_limits.Confine(ball.position, ball.radius, normal))
        return;
    if (ball.direction.x * normal.x < 0.0f)
        ball.direction.x = -ball.direction.x;
    if (ball.direction.y * normal.y < 0.0f)
        ball.direction.y = -ball.direction.y;
}

BallHit BallFlight::MeetObject(FlyingBall& ball, const Vector2& before, const CollisionHit& hit,
                               const BatShape& bat) const
{
    const Vector2 reflected = Bounce::Reflect(before, hit.plane);
    switch (hit.id)
    {
    case CollisionIds::BatHead:
        ball.direction = Bounce::OffBatHead(hit.point.x, bat.headCentreX, bat.headHalfWidth);
        break;
    case CollisionIds::BatBody:
        ball.direction = Bounce::OffBatBody(reflected, ball.position.x, bat.bodyCentreX);
        break;
    case CollisionIds::Barrier:
        ball.direction = reflected;
        break;
    default:
        ball.direction = Bounce::CorrectAngle(before, reflected);
        break;
    }
    return BallHit{BallHit::Kind::Object, hit.id, hit.point};
}

BallHit BallFlight::MeetWall(FlyingBall& ball, const Vector2& before) const
{
    Vector2 normal;
    if (!m_limits.Confine(ball.position, ball.radius, normal))
        return BallHit();
    // In a corner the ball turns back from both walls, one axis each.
    Vector2 reflected = before;
    if (normal.x != 0.0f)
        reflected = Bounce::Reflect(reflected, Vector2(normal.x, 0.0f));
    if (normal.y != 0.0f)
        reflected = Bounce::Reflect(reflected, Vector2(0.0f, normal.y));
    ball.direction = Bounce::CorrectAngle(before, reflected);
    const Vector3 point(ball.position.x - normal.x * ball.radius, ball.position.y - normal.y * ball.radius, ball.radius);
    return BallHit{BallHit::Kind::Wall, 0, point};
}
}
