// A ball's step through the world: what it passes, what it bounces off and how, and a thousand frames of seeded
// random play in which no ball ever leaves the field, enters a block or turns into NaN.
#include "game/play/BallFlight.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/MessageManager.h"
#include "game/play/BallSpeed.h"
#include "game/play/Bounce.h"
#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace VelkorEngine;
using namespace Korvane;

namespace
{
using PlayTest::kFrame60Hz;
using PlayTest::kNear;

constexpr f32 kRadius = 2.5f;

// The bat of the data set at the middle of its line: a head 24 wide, a body below it (lowered by 3 as the ball
// manager lowers both).
const BoundingVolume kHead(Vector3(-12, -89.5f, -1000), Vector3(12, -86.5f, 1000));
const BoundingVolume kBody(Vector3(-5, -93, -1000), Vector3(5, -89.5f, 1000));
const BatShape kBat{0.0f, 12.0f, 0.0f};

class BallFlightTest : public ::testing::Test
{
protected:
    BallFlightTest() : log("Ball flight test", 0, 0, "", ""), physics(&log), flight(physics, limits) {}

    void AddBat()
    {
        physics.AddStaticObject(kHead, CollisionIds::BatHead);
        physics.AddStaticObject(kBody, CollisionIds::BatBody);
    }

    FlyingBall Ball(Vector2 position, Vector2 direction, f32 distance)
    {
        direction.SetLength(1.0f);
        return FlyingBall{position, direction, Vector2(direction.x * distance, direction.y * distance), kRadius};
    }

    MessageManager log;
    Physics physics;
    FieldLimits limits{-77, 77, 110};
    BallFlight flight;
    std::set<u32> ignored;
};

TEST_F(BallFlightTest, RisingBallPassesThroughTheBatAndTheBarrier)
{
    AddBat();
    physics.AddStaticObject(BoundingVolume(Vector3(-1000, -95, -1000), Vector3(1000, -94, 1000)), CollisionIds::Barrier);
    ignored.insert(CollisionIds::Barrier);
    FlyingBall ball = Ball(Vector2(0, -100), Vector2(0, 1), 20);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    EXPECT_EQ(hit.kind, BallHit::Kind::None);
    EXPECT_NEAR(ball.position.y, -80.0f, kNear);
    // Only what the step added is taken out again.
    EXPECT_EQ(ignored, std::set<u32>{CollisionIds::Barrier});
}

TEST_F(BallFlightTest, HeadSendsTheBallUpByWhereItWasHit)
{
    AddBat();
    FlyingBall ball = Ball(Vector2(6, -80), Vector2(0, -1), 10);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    ASSERT_EQ(hit.kind, BallHit::Kind::Object);
    EXPECT_EQ(hit.id, CollisionIds::BatHead);
    EXPECT_NEAR(ball.position.y, -84.0f, kNear);
    EXPECT_NEAR(hit.point.x, 6.0f, kNear);
    const Vector2 expected = Bounce::OffBatHead(6.0f, 0.0f, 12.0f);
    EXPECT_NEAR(ball.direction.x, expected.x, kNear);
    EXPECT_NEAR(ball.direction.y, expected.y, kNear);
}

TEST_F(BallFlightTest, BodySendsTheBallDownAndAway)
{
    AddBat();
    FlyingBall ball = Ball(Vector2(-12, -92.5f), Vector2(1, 0), 10);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    ASSERT_EQ(hit.id, CollisionIds::BatBody);
    // Reflected straight back, then pushed down.
    Vector2 expected(-1.0f, -0.45f);
    expected.SetLength(1.0f);
    EXPECT_NEAR(ball.direction.x, expected.x, kNear);
    EXPECT_NEAR(ball.direction.y, expected.y, kNear);
    EXPECT_NEAR(ball.direction.Length(), 1.0f, kNear);
}

TEST_F(BallFlightTest, WallsPutTheBallBackAndTurnItAFewDegreesMore)
{
    FlyingBall ball = Ball(Vector2(70, 0), Vector2(1, 1), 10);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    ASSERT_EQ(hit.kind, BallHit::Kind::Wall);
    EXPECT_EQ(ball.position.x, 74.5f);
    EXPECT_EQ(hit.point.x, 77.0f);
    EXPECT_LT(ball.direction.x, 0.0f);
    EXPECT_GT(ball.direction.y, 0.0f);
    // A right-angled bounce turns nine degrees further: 54 degrees from the wall's normal rather than 45.
    EXPECT_NEAR(std::atan2(ball.direction.y, -ball.direction.x), 54.0f * 3.14159265f / 180.0f, 1e-3f);
}

TEST_F(BallFlightTest, TopCornersPutTheBallBackInsideBothWallsAndTurnItInwards)
{
    for (const f32 side : {-1.0f, 1.0f})
        for (const f32 frame : {0.02f, 0.1f})
        {
            // At the top speed of 125 with the largest frame time the step reaches far past both walls.
            FlyingBall ball = Ball(Vector2(side * 73.5f, 106.5f), Vector2(side, 1.0f), 125.0f * frame);
            const BallHit hit = flight.Step(ball, ignored, kBat);
            ASSERT_EQ(hit.kind, BallHit::Kind::Wall);
            EXPECT_LE(std::fabs(ball.position.x), 77.0f - kRadius + kNear) << side << " " << frame;
            EXPECT_LE(ball.position.y, 110.0f - kRadius + kNear) << side << " " << frame;
            EXPECT_LT(ball.direction.x * side, 0.0f) << side << " " << frame;
            EXPECT_LT(ball.direction.y, 0.0f) << side << " " << frame;
            EXPECT_NEAR(hit.point.x, side * 77.0f, kNear);
            EXPECT_NEAR(hit.point.y, 110.0f, kNear);
        }
}

TEST_F(BallFlightTest, BlocksBounceWithTheAngleCorrection)
{
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    physics.AddBoxObject(BoundingVolume(Vector3(-5, 0, 0), Vector3(5, 5, 6)), identity, CollisionIds::BlockIdBase + 4);
    FlyingBall ball = Ball(Vector2(0, -10), Vector2(0, 1), 10);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    ASSERT_EQ(hit.id, CollisionIds::BlockIdBase + 4);
    EXPECT_NEAR(ball.position.y, -2.5f, kNear);
    EXPECT_LT(ball.direction.y, -0.99f);
    EXPECT_GT(std::fabs(ball.direction.x), 0.04f);
}

TEST_F(BallFlightTest, ObjectMetPastAWallsLineLeavesTheBallInsideTheWall)
{
    // The bat at the end of its line reaches under the right wall.
    physics.AddStaticObject(BoundingVolume(Vector3(60, -89.5f, -1000), Vector3(84, -86.5f, 1000)), CollisionIds::BatHead);
    FlyingBall ball = Ball(Vector2(74, -80), Vector2(1, -1), 8.0f);
    const BallHit hit = flight.Step(ball, ignored, BatShape{72.0f, 12.0f, 72.0f});
    ASSERT_EQ(hit.kind, BallHit::Kind::Object);
    EXPECT_EQ(hit.id, CollisionIds::BatHead);
    EXPECT_LE(ball.position.x, 77.0f - kRadius + kNear);
    EXPECT_LT(ball.direction.x, 0.0f);
    EXPECT_GT(ball.direction.y, 0.0f);
}

// Blocks in the air: hopping, falling from a storey, or come down over a ball.
class BallUnderBlocksTest : public BallFlightTest
{
protected:
    void AddBlock(u32 index, const Vector3& minimum, const Vector3& maximum)
    {
        physics.AddStaticObject(BoundingVolume(minimum, maximum), CollisionIds::BlockIdBase + index);
    }
};

TEST_F(BallUnderBlocksTest, BlockAboveTheBallsCentreIsPassedUnderWithoutAHitOrAStall)
{
    // Bottoms above the centre (2.5): one that only the ball's top reaches, one it is already embedded in.
    for (const f32 bottom : {4.0f, 2.6f})
    {
        physics.ClearObjects();
        AddBlock(0, Vector3(-5, 0, bottom), Vector3(5, 6, bottom + 6));
        for (const Vector2& direction : {Vector2(0, 1), Vector2(1, 0.2f)})
        {
            FlyingBall ball = Ball(Vector2(-2, -3), direction, 2.0f);
            const Vector2 end(ball.position.x + ball.motion.x, ball.position.y + ball.motion.y);
            const BallHit hit = flight.Step(ball, ignored, kBat);
            EXPECT_EQ(hit.kind, BallHit::Kind::None) << bottom;
            EXPECT_NEAR(ball.position.x, end.x, kNear) << bottom;
            EXPECT_NEAR(ball.position.y, end.y, kNear) << bottom;
            EXPECT_TRUE(ignored.empty());
        }
    }
}

TEST_F(BallUnderBlocksTest, BlockAtTheBallsCentreIsStillMetOnItsSide)
{
    AddBlock(0, Vector3(-5, 0, 2.0f), Vector3(5, 6, 8.0f));
    FlyingBall ball = Ball(Vector2(0, -3), Vector2(0, 1), 2.0f);
    const BallHit hit = flight.Step(ball, ignored, kBat);
    ASSERT_EQ(hit.kind, BallHit::Kind::Object);
    EXPECT_EQ(hit.id, CollisionIds::BlockIdBase);
    EXPECT_NEAR(ball.position.y, -2.5f, kNear);
    EXPECT_LT(ball.direction.y, 0.0f);
}

TEST_F(BallUnderBlocksTest, BlockLandedOnABallPutsItOutAtTheNearestFreeSide)
{
    // Landed: its bottom is below the centre of the ball under it. The nearest side (+y) is free.
    AddBlock(0, Vector3(-5, 0, 0), Vector3(5, 6, 6));
    FlyingBall ball = Ball(Vector2(-1, 5), Vector2(0.6f, -0.8f), 1.0f);
    BallHit hit = flight.Step(ball, ignored, kBat);
    EXPECT_EQ(hit.kind, BallHit::Kind::None);
    EXPECT_GE(ball.position.y, 6.0f + kRadius);
    EXPECT_GT(ball.direction.y, 0.0f);
    // With a block standing just past that side, the ball goes out of the next nearest one (-x).
    AddBlock(1, Vector3(-5, 7, 0), Vector3(5, 13, 6));
    ball = Ball(Vector2(-3, 5), Vector2(0, 1), 1.0f);
    hit = flight.Step(ball, ignored, kBat);
    EXPECT_EQ(hit.kind, BallHit::Kind::None);
    EXPECT_LE(ball.position.x, -5.0f - kRadius);
    EXPECT_NEAR(ball.position.y, 6.0f, kNear);
}

TEST_F(BallFlightTest, BallIsLostOnlyOnceItsTopIsBelowTheField)
{
    struct Case
    {
        f32 y;
        bool lost;
    };
    for (const Case& c : {Case{-102.5f, false}, Case{-102.51f, true}, Case{-50.0f, false}, Case{-300.0f, true}})
        EXPECT_EQ(BallFlight::IsLost(FlyingBall{Vector2(0, c.y), Vector2(0, -1), Vector2(), kRadius}), c.lost) << c.y;
}

// Distance from a point of the playfield's plane to a box's footprint.
f32 DistanceToFootprint(const Vector2& p, const BoundingVolume& box)
{
    const f32 dx = std::max({box.GetWorldMinimum().x - p.x, 0.0f, p.x - box.GetWorldMaximum().x});
    const f32 dy = std::max({box.GetWorldMinimum().y - p.y, 0.0f, p.y - box.GetWorldMaximum().y});
    return std::sqrt(dx * dx + dy * dy);
}

TEST_F(BallFlightTest, ThousandFramesOfRandomPlayKeepEveryBallInTheFieldOrLost)
{
    std::mt19937 random(1000);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    std::vector<BoundingVolume> blocks;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 12; ++column)
            if (unit(random) < 0.7f)
                blocks.emplace_back(Vector3(-72.0f + column * 12.0f, 20.0f + row * 8.0f, 0.0f),
                                    Vector3(-62.0f + column * 12.0f, 25.0f + row * 8.0f, 6.0f));
    std::vector<bool> standing(blocks.size(), true);
    std::vector<FlyingBall> balls;
    for (int i = 0; i < 12; ++i)
        balls.push_back(Ball(Vector2(-60.0f + 10.0f * i, -40.0f), Vector2(unit(random) - 0.5f, 1.0f), 0));
    BallSpeed speed(4);
    std::vector<bool> lost(balls.size(), false);
    u32 hits = 0;
    for (int frame = 0; frame < 1000; ++frame)
    {
        // The bat chases a ball in play.
        f32 batX = 0.0f;
        for (size_t i = 0; i < balls.size(); ++i)
            if (!lost[i])
                batX = std::clamp(balls[i].position.x + 8.0f * (unit(random) - 0.5f), -63.0f, 63.0f);
        physics.ClearObjects();
        physics.AddStaticObject(BoundingVolume(kHead.GetMinimum() + Vector3(batX, 0, 0), kHead.GetMaximum() + Vector3(batX, 0, 0)),
                                CollisionIds::BatHead);
        physics.AddStaticObject(BoundingVolume(kBody.GetMinimum() + Vector3(batX, 0, 0), kBody.GetMaximum() + Vector3(batX, 0, 0)),
                                CollisionIds::BatBody);
        Matrix4 identity;
        MakeIdentityMatrix(identity);
        // A barrier saves the balls for most of the run; at its end they may be lost.
        if (frame < 800)
            physics.AddStaticObject(BoundingVolume(Vector3(-1000, -97, -1000), Vector3(1000, -96, 1000)),
                                    CollisionIds::Barrier);
        for (size_t b = 0; b < blocks.size(); ++b)
            if (standing[b])
                physics.AddBoxObject(blocks[b], identity, CollisionIds::BlockIdBase + static_cast<u32>(b));
        speed.Update(kFrame60Hz);
        ignored.clear();
        const BatShape bat{batX, 12.0f, batX};
        for (size_t i = 0; i < balls.size(); ++i)
        {
            if (lost[i])
                continue;
            FlyingBall& ball = balls[i];
            ball.motion = Vector2(ball.direction.x * speed.GetSpeed() * kFrame60Hz, ball.direction.y * speed.GetSpeed() * kFrame60Hz);
            const BallHit hit = flight.Step(ball, ignored, bat);
            if (hit.kind != BallHit::Kind::None)
                ++hits;
            // Every third block hit breaks the block, as bricks of several strengths would.
            if (hit.kind == BallHit::Kind::Object && hit.id >= CollisionIds::BlockIdBase && hits % 3 == 0)
            {
                standing[hit.id - CollisionIds::BlockIdBase] = false;
                ignored.insert(hit.id);
                speed.RiseForBlock(static_cast<u32>(blocks.size()));
            }
            ASSERT_TRUE(std::isfinite(ball.position.x) && std::isfinite(ball.position.y)) << frame;
            ASSERT_NEAR(ball.direction.Length(), 1.0f, 1e-3f) << frame;
            if (BallFlight::IsLost(ball))
            {
                lost[i] = true;
                continue;
            }
            ASSERT_GE(ball.position.x, limits.left + ball.radius - 1e-3f) << frame;
            ASSERT_LE(ball.position.x, limits.right - ball.radius + 1e-3f) << frame;
            ASSERT_LE(ball.position.y, limits.top - ball.radius + 1e-3f) << frame;
            for (size_t b = 0; b < blocks.size(); ++b)
            {
                if (!standing[b])
                    continue;
                ASSERT_GE(DistanceToFootprint(ball.position, blocks[b]), ball.radius - 1e-3f)
                    << "frame " << frame << " ball " << i << " block " << b;
            }
        }
    }
    EXPECT_GT(hits, 150u);
}
}
