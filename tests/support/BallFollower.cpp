#include "tests/support/BallFollower.h"

#include "engine/core/Random.h"
#include "game/play/Ball.h"
#include "game/play/BallFlight.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Brick.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Korvane;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace TestSupport
{
namespace
{
constexpr f32 kBatLine = -85.0f;
constexpr f32 kWall = 77.0f;
constexpr f32 kHalfRange = 75.0f;
// The head sends a ball up to this far aside from its ends.
constexpr f32 kMostBounceAngle = 3.14159265f / 4.0f * 0.85f;

// Where a ball going down will cross a line, off the side walls on its way.
f32 CrossingX(const FlyingBall& ball, f32 lineY)
{
    const f32 inner = kWall - ball.radius;
    f32 x = ball.position.x + ball.direction.x * (lineY - ball.position.y) / ball.direction.y;
    for (int i = 0; i < 8 && std::fabs(x) > inner; ++i)
        x = x > 0.0f ? 2.0f * inner - x : -2.0f * inner - x;
    return x;
}
}

float BallFollower::CursorFor(float worldX)
{
    return (std::clamp(worldX, -kHalfRange, kHalfRange) + kHalfRange) * GuiWidth / (2.0f * kHalfRange);
}

void BallFollower::Step(VelkorEngine::Vector2& cursor)
{
    m_logic.Click();
    const FlyingBall* ball = Falling();
    if (ball == nullptr)
    {
        m_target = nullptr;
        return;
    }
    const f32 lineY = kBatLine + 1.5f + ball->radius;
    const f32 meet = CrossingX(*ball, lineY);
    if (m_target == nullptr || !m_target->IsAlive())
        m_target = PickBrick();
    f32 offset = 0.0f;
    if (m_target != nullptr)
    {
        const VelkorEngine::Vector3 aim = m_target->GetCenter();
        const f32 angle = std::atan2(aim.x - meet, aim.y - lineY);
        offset = std::clamp(angle / kMostBounceAngle, -0.8f, 0.8f) * m_logic.GetBat().GetHeadHalfWidth();
    }
    cursor.x = CursorFor(meet - offset);
}

const FlyingBall* BallFollower::Falling() const
{
    const FlyingBall* lowest = nullptr;
    for (const Ball* ball : m_logic.GetBallManager().GetBalls())
    {
        const FlyingBall& flight = ball->GetFlight();
        if (ball->IsHeld() || flight.direction.y >= 0.0f)
            continue;
        if (lowest == nullptr || flight.position.y < lowest->position.y)
            lowest = &flight;
    }
    return lowest;
}

const Brick* BallFollower::PickBrick() const
{
    std::vector<const Brick*> standing;
    for (const Brick* brick : m_logic.GetGeometry().GetBricks())
        if (brick->IsAlive() && brick->MustBeDestroyed())
            standing.push_back(brick);
    return standing.empty() ? nullptr : standing[VelkorEngine::RandomIndex(static_cast<u32>(standing.size()))];
}
}
