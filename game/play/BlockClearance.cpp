// Blocks above a ball, and a ball put out of a block that came down on it.
#include "game/play/BlockClearance.h"

#include "engine/core/BoundingVolume.h"
#include "game/play/BallFlight.h"
#include "game/play/Bounce.h"
#include "game/play/FieldLimits.h"
#include "game/play/Physics.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// A ball put out of a block stops this far short of touching it, so that it is not embedded at once.
constexpr f32 kClearance = 0.01f;
// A centre this close to a block's side is on it rather than inside.
constexpr f32 kInsideMargin = 0.001f;

bool IsBlock(const CollisionObject& object, const std::set<u32>& ignored)
{
    return object.id >= CollisionIds::BlockIdBase && ignored.count(object.id) == 0;
}

bool AtHeight(const BoundingVolume& box, f32 height)
{
    return box.GetWorldMinimum().z <= height && box.GetWorldMaximum().z >= height;
}

struct Exit
{
    Vector2 centre;
    Vector2 outwards;
    f32 distance = 0.0f;
};
}

std::vector<u32> BlockClearance::IgnoreBlocksAbove(const FlyingBall& ball, std::set<u32>& ignored) const
{
    std::vector<u32> added;
    for (u32 i = 0; i < m_physics.GetObjectCount(); ++i)
    {
        const CollisionObject& object = m_physics.GetObject(i);
        if (IsBlock(object, ignored) && object.worldBounds.GetWorldMinimum().z > ball.radius)
            if (ignored.insert(object.id).second)
                added.push_back(object.id);
    }
    return added;
}

const BoundingVolume* BlockClearance::BlockAround(const Vector2& centre, f32 height, const std::set<u32>& ignored,
                                                  f32 margin) const
{
    for (u32 i = 0; i < m_physics.GetObjectCount(); ++i)
    {
        const CollisionObject& object = m_physics.GetObject(i);
        const BoundingVolume& box = object.worldBounds;
        if (!IsBlock(object, ignored) || !AtHeight(box, height))
            continue;
        if (centre.x > box.GetWorldMinimum().x - margin && centre.x < box.GetWorldMaximum().x + margin &&
            centre.y > box.GetWorldMinimum().y - margin && centre.y < box.GetWorldMaximum().y + margin)
            return &box;
    }
    return nullptr;
}

bool BlockClearance::Fits(const Vector2& centre, f32 radius, const std::set<u32>& ignored) const
{
    return centre.x - radius >= m_limits.left && centre.x + radius <= m_limits.right &&
           centre.y + radius < m_limits.top && BlockAround(centre, radius, ignored, radius) == nullptr;
}

bool BlockClearance::PushOut(FlyingBall& ball, const std::set<u32>& ignored) const
{
    const BoundingVolume* block = BlockAround(ball.position, ball.radius, ignored, -kInsideMargin);
    if (block == nullptr)
        return false;
    const Vector3& low = block->GetWorldMinimum();
    const Vector3& high = block->GetWorldMaximum();
    const f32 reach = ball.radius + kClearance;
    const Vector2& at = ball.position;
    std::array<Exit, 4> exits{Exit{Vector2(low.x - reach, at.y), Vector2(-1.0f, 0.0f), at.x - low.x + reach},
                              Exit{Vector2(high.x + reach, at.y), Vector2(1.0f, 0.0f), high.x - at.x + reach},
                              Exit{Vector2(at.x, low.y - reach), Vector2(0.0f, -1.0f), at.y - low.y + reach},
                              Exit{Vector2(at.x, high.y + reach), Vector2(0.0f, 1.0f), high.y - at.y + reach}};
    std::stable_sort(exits.begin(), exits.end(), [](const Exit& a, const Exit& b) { return a.distance < b.distance; });
    const auto free = std::find_if(exits.begin(), exits.end(),
                                   [&](const Exit& exit) { return Fits(exit.centre, ball.radius, ignored); });
    const Exit& exit = free != exits.end() ? *free : exits.front();
    ball.position = exit.centre;
    if (ball.direction.x * exit.outwards.x + ball.direction.y * exit.outwards.y < 0.0f)
    {
        const f32 step = ball.motion.Length();
        ball.direction = Bounce::Reflect(ball.direction, exit.outwards);
        ball.motion = Vector2(ball.direction.x * step, ball.direction.y * step);
    }
    return true;
}
}
