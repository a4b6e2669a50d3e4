// The frame pacer on a fake clock: it holds frames to the refresh period only once a swap asked to wait has
// been seen not to, keeps the cadence without adding up overshoots, and lets go when waiting is switched off.
#include "platform/d3d7/GLFramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class FramePacer : public testing::Test
{
protected:
    // Presents frames that take `work` seconds each and returns the sleeps asked for.
    std::vector<double> Present(int frames, double work, bool wait = true, int refreshRate = 50)
    {
        sleeps.clear();
        for (int frame = 0; frame < frames; ++frame)
        {
            now += work;
            pacer.AfterPresent(wait, refreshRate);
        }
        return sleeps;
    }

    double now = 100.0;
    std::vector<double> sleeps;
    Platform::GLFramePacer pacer{[this] { return now; },
                                 [this](double seconds) {
                                     sleeps.push_back(seconds);
                                     now += seconds;
                                 }};
};
}

TEST_F(FramePacer, SwapThatWaitsIsNeverSlowedFurther)
{
    EXPECT_TRUE(Present(20, 0.020).empty());
    EXPECT_FALSE(pacer.IsHolding());
}

TEST_F(FramePacer, FastFramesAreHeldToTheRefreshPeriod)
{
    // The first frame starts the clock; three short ones in a row show the swap does not wait.
    const std::vector<double> first = Present(4, 0.005);
    ASSERT_TRUE(pacer.IsHolding());
    ASSERT_EQ(first.size(), 1u);
    EXPECT_NEAR(first[0], 0.015, 1e-9);
    const double start = now;
    const std::vector<double> held = Present(10, 0.005);
    ASSERT_EQ(held.size(), 10u);
    for (double sleep : held)
        EXPECT_NEAR(sleep, 0.015, 1e-9);
    EXPECT_NEAR(now - start, 10 * 0.020, 1e-9);
}

TEST_F(FramePacer, SlowFramesWhileHoldingAreNotSlowedAndTheCadenceRestarts)
{
    Present(4, 0.005);
    ASSERT_TRUE(pacer.IsHolding());
    EXPECT_TRUE(Present(3, 0.030).empty());
    const std::vector<double> after = Present(1, 0.005);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_NEAR(after[0], 0.015, 1e-9);
}

TEST_F(FramePacer, UnknownRefreshRateCountsAsSixty)
{
    Present(4, 0.001, true, 0);
    const std::vector<double> held = Present(1, 0.001, true, 0);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_NEAR(held[0], 1.0 / 60 - 0.001, 1e-9);
}

TEST_F(FramePacer, WaitingSwitchedOffLetsGoAtOnce)
{
    Present(4, 0.005);
    ASSERT_TRUE(pacer.IsHolding());
    EXPECT_TRUE(Present(10, 0.005, false).empty());
    EXPECT_FALSE(pacer.IsHolding());
    // Switched on again, it must see short frames anew before holding.
    EXPECT_TRUE(Present(3, 0.005).empty());
}

TEST_F(FramePacer, AnOccasionalShortFrameDoesNotStartHolding)
{
    for (int round = 0; round < 5; ++round)
    {
        EXPECT_TRUE(Present(2, 0.005).empty());
        EXPECT_TRUE(Present(1, 0.020).empty());
    }
    EXPECT_FALSE(pacer.IsHolding());
}
