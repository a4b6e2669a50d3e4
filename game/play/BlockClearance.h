// What of the blocks a ball rolling on the floor can meet. A block whose bottom is above the ball's centre
// (hopping, or falling over it) offers the ball nothing but faces and edges from below, so the ball rolls
// under it untouched; a block that comes down over a ball puts the ball out at the nearest free side.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <set>
#include <vector>

namespace VelkorEngine
{
class BoundingVolume;
}

namespace Korvane
{
class Physics;
struct FieldLimits;
struct FlyingBall;
using VelkorEngine::f32;
using VelkorEngine::u32;

class BlockClearance
{
public:
    BlockClearance(const Physics& physics, const FieldLimits& limits) : m_physics(physics), m_limits(limits) {}

    // Puts the blocks above the ball into the ignored set and returns those it added.
    std::vector<u32> IgnoreBlocksAbove(const FlyingBall& ball, std::set<u32>& ignored) const;
    // A ball whose centre lies inside a block at its height goes out past the block's nearest side that leaves
    // it clear of the other blocks and inside the walls (the nearest side when none does), turned away from the
    // block if it was heading into it. Returns true when it was moved.
    bool PushOut(FlyingBall& ball, const std::set<u32>& ignored) const;

private:
    const VelkorEngine::BoundingVolume* BlockAround(const VelkorEngine::Vector2& centre, f32 height,
                                                    const std::set<u32>& ignored, f32 margin) const;
    bool Fits(const VelkorEngine::Vector2& centre, f32 radius, const std::set<u32>& ignored) const;

    const Physics& m_physics;
    const FieldLimits& m_limits;
};
}
