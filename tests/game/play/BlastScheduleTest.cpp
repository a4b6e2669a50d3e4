// Blasts: the neighbours an explosion reaches, their delays, an explosive chain along a row of bricks, and the
// way a freed ball leaves a blasted keeper.
#include "game/play/BlastSchedule.h"
#include "game/play/BrickDurability.h"

#include "engine/core/Random.h"
#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Korvane;
using namespace VelkorEngine;

namespace
{
using PlayTest::kFrame100Hz;

// Bricks 10 wide in a row with the given gaps between them.
std::vector<BoundingVolume> Row(const std::vector<f32>& gaps)
{
    std::vector<BoundingVolume> row;
    f32 x = 0.0f;
    row.emplace_back(Vector3(x, 0, 0), Vector3(x + 10, 5, 6));
    for (f32 gap : gaps)
    {
        x += 10.0f + gap;
        row.emplace_back(Vector3(x, 0, 0), Vector3(x + 10, 5, 6));
    }
    return row;
}

TEST(BlastScheduleTest, BlastReachesTouchingNeighboursOnly)
{
    // Gaps of 1 and 3 units: 10-wide bricks grown by 1.21 and 1.35 reach 1.05 + 1.75 = 2.8 units apart.
    const auto row = Row({1.0f, 3.0f});
    std::vector<u8> alive{0, 1, 1};
    BlastSchedule schedule(3);
    VelkorEngine::SeedRandom(4);
    schedule.Blast(0, row, alive);
    EXPECT_TRUE(schedule.IsPending(1));
    EXPECT_FALSE(schedule.IsPending(2));
    EXPECT_GE(schedule.GetDelay(1), 0.1f);
    EXPECT_LE(schedule.GetDelay(1), 0.3f);
    EXPECT_FLOAT_EQ(schedule.GetOrigin(1).x, 5.0f);
    // A block already reached keeps its first delay and origin.
    const f32 delay = schedule.GetDelay(1);
    schedule.Blast(2, row, std::vector<u8>{0, 1, 0});
    EXPECT_EQ(schedule.GetDelay(1), delay);
    EXPECT_FLOAT_EQ(schedule.GetOrigin(1).x, 5.0f);
}

TEST(BlastScheduleTest, ExplosiveBricksCarryTheChainAlongTheRow)
{
    VelkorEngine::SeedRandom(9);
    const auto row = Row({1, 1, 1, 1});
    // Bricks 0, 1 and 2 explosive, 3 ordinary, 4 hard: the ordinary brick goes with the blast but carries it
    // no further.
    std::vector<BrickDurability> bricks{{1, false, true}, {1, false, true}, {1, false, true}, {1, false, false},
                                        {3, false, false}};
    std::vector<u8> alive(5, 1);
    std::vector<f32> brokenAt(5, -1.0f);
    BlastSchedule schedule(5);
    u32 counter = 0;
    auto breakBrick = [&](u32 id, u32 kind, f32 now) {
        const BrickHit hit = bricks[id].TakeHit(kind, 3, counter);
        if (hit.outcome != BrickHit::Outcome::Broken)
            return;
        alive[id] = 0;
        brokenAt[id] = now;
        if (hit.blasts)
            schedule.Blast(id, row, alive);
    };
    breakBrick(0, DestroyKind::Simple, 0.0f);
    for (f32 now = kFrame100Hz; now < 3.0f; now += kFrame100Hz)
        for (u32 id : schedule.Update(kFrame100Hz))
            breakBrick(id, DestroyKind::Super, now);
    for (u32 id = 1; id <= 3; ++id)
    {
        ASSERT_GE(brokenAt[id], 0.0f) << id;
        EXPECT_GE(brokenAt[id] - brokenAt[id - 1], 0.1f - kFrame100Hz) << id;
        EXPECT_LE(brokenAt[id] - brokenAt[id - 1], 0.3f + kFrame100Hz) << id;
    }
    EXPECT_LT(brokenAt[4], 0.0f);
    EXPECT_EQ(alive[4], 1);
    EXPECT_FALSE(schedule.IsPending(4));
    EXPECT_FALSE(schedule.IsPending(0));
}

TEST(BlastScheduleTest, FreedBallLeavesAwayFromTheBlast)
{
    const Vector2 away = BlastSchedule::ReleaseDirection(Vector3(0, 0, 0), Vector3(3, 4, 7));
    EXPECT_FLOAT_EQ(away.x, 0.6f);
    EXPECT_FLOAT_EQ(away.y, 0.8f);
    VelkorEngine::SeedRandom(1);
    const Vector2 any = BlastSchedule::ReleaseDirection(Vector3(1, 1, 0), Vector3(1.005f, 1, 0));
    EXPECT_NEAR(any.Length(), 1.0f, 1e-5f);
}
}
