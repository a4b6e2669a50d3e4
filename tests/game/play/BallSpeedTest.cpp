// The balls' speed: level speed by lives, limits, speed-up and slow-down windows (restarts included), the half
// reset after a lost life and the rise per destroyed block.
#include "game/play/BallSpeed.h"

#include <gtest/gtest.h>

#include <cmath>

using Korvane::BallSpeed;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
constexpr f32 kFrame10Hz = 0.1f;
constexpr f32 kSpeedTolerance = 1e-3f;

void RunFor(BallSpeed& speed, f32 seconds)
{
    for (int i = 0; i < static_cast<int>(std::lround(seconds / kFrame10Hz)); ++i)
        speed.Update(kFrame10Hz);
}

TEST(BallSpeedTest, LevelSpeedFollowsTheLives)
{
    struct Case
    {
        u32 lives;
        f32 speed;
    };
    for (const Case& c : {Case{0, 41.6f}, Case{1, 50.8f}, Case{2, 55.4f}, Case{3, 57.7f}, Case{4, 60.0f},
                          Case{5, 64.6f}, Case{8, 78.4f}, Case{10, 87.6f}, Case{11, 92.2f}, Case{12, 92.2f},
                          Case{1000, 92.2f}})
    {
        EXPECT_NEAR(BallSpeed::SpeedByLives(c.lives), c.speed, kSpeedTolerance) << c.lives;
        BallSpeed speed(c.lives);
        EXPECT_NEAR(speed.GetSpeed(), c.speed, kSpeedTolerance);
        EXPECT_NEAR(speed.GetMinimum(), c.speed - 10.0f, kSpeedTolerance);
        EXPECT_NEAR(speed.GetMaximum(), c.speed + 65.0f, kSpeedTolerance);
    }
}

TEST(BallSpeedTest, SpeedUpRisesHoldsAndFallsAway)
{
    BallSpeed speed(4);
    speed.StartSpeedUp();
    RunFor(speed, 0.5f);
    EXPECT_NEAR(speed.GetSpeed(), 75.0f, kSpeedTolerance);
    RunFor(speed, 0.5f);
    EXPECT_NEAR(speed.GetSpeed(), 90.0f, kSpeedTolerance);
    RunFor(speed, 8.9f);
    EXPECT_NEAR(speed.GetSpeedUpExtra(), 30.0f, kSpeedTolerance);
    EXPECT_NEAR(speed.GetSpeed(), 90.0f, kSpeedTolerance);
    // Falling from the frame that reaches 10 s on.
    RunFor(speed, 0.5f);
    EXPECT_NEAR(speed.GetSpeed(), 75.0f, kSpeedTolerance);
    RunFor(speed, 0.4f);
    EXPECT_NEAR(speed.GetSpeed(), 63.0f, kSpeedTolerance);
    EXPECT_TRUE(speed.IsSpeedUpActive());
    RunFor(speed, 0.1f);
    EXPECT_FALSE(speed.IsSpeedUpActive());
    EXPECT_NEAR(speed.GetSpeed(), 60.0f, kSpeedTolerance);
}

TEST(BallSpeedTest, SlowDownMirrorsTheSpeedUpWithinTheLimits)
{
    BallSpeed speed(4);
    speed.StartSlowDown();
    RunFor(speed, 1.0f);
    // 30 below 60 is under the minimum of 50: the speed stops there while the cut goes on.
    EXPECT_NEAR(speed.GetSpeed(), 50.0f, kSpeedTolerance);
    EXPECT_NEAR(speed.GetSlowDownCut(), 30.0f, kSpeedTolerance);
    RunFor(speed, 12.0f);
    EXPECT_FALSE(speed.IsSlowDownActive());
}

TEST(BallSpeedTest, RestartedWindowsNeverPileUp)
{
    BallSpeed speed(4);
    for (int round = 0; round < 4; ++round)
    {
        speed.StartSpeedUp();
        RunFor(speed, 5.0f);
        EXPECT_NEAR(speed.GetSpeed(), 90.0f, kSpeedTolerance) << round;
    }
    RunFor(speed, 20.0f);
    EXPECT_NEAR(speed.GetSpeed(), 60.0f, kSpeedTolerance);

    BallSpeed slow(8);
    for (int round = 0; round < 3; ++round)
    {
        slow.StartSlowDown();
        RunFor(slow, 5.0f);
    }
    RunFor(slow, 20.0f);
    EXPECT_NEAR(slow.GetSpeed(), BallSpeed::SpeedByLives(8), kSpeedTolerance);
}

TEST(BallSpeedTest, HalfResetForgetsTheWindowsAndMeetsTheLevelSpeedHalfway)
{
    BallSpeed speed(4);
    speed.RiseForBlock(1);
    const f32 risen = speed.GetSpeed();
    speed.StartSpeedUp();
    RunFor(speed, 2.0f);
    speed.SetLives(3);
    speed.Reset(true);
    EXPECT_NEAR(speed.GetSpeed(), 0.5f * risen + 0.5f * 57.7f, kSpeedTolerance);
    EXPECT_FALSE(speed.IsSpeedUpActive());
    speed.Reset(false);
    EXPECT_NEAR(speed.GetSpeed(), 57.7f, kSpeedTolerance);
}

TEST(BallSpeedTest, ClearingEveryBlockRaisesTheSpeedToItsClearedLevel)
{
    BallSpeed speed(4);
    for (int i = 0; i < 40; ++i)
        speed.RiseForBlock(40);
    EXPECT_NEAR(speed.GetSpeed(), 0.78f * 125.0f + 0.22f * 60.0f, 0.01f);
    const f32 before = speed.GetSpeed();
    speed.RiseForBlock(0);
    EXPECT_EQ(speed.GetSpeed(), before);
}
}
