// Timers and the frame-time measurement on a fake clock: pause, clamping, FPS, wrap and long sessions.
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::FakeClock;

class TimerOnBothClocks : public ::testing::TestWithParam<u8>
{
protected:
    FakeClock clock;
};

TEST_P(TimerOnBothClocks, StartsAtItsStartTimeAndRuns)
{
    Timer timer(2.0f, GetParam());
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
    clock.AdvanceSeconds(1.5);
    EXPECT_NEAR(timer.GetTime(), 3.5f, 0.001f);
}

TEST_P(TimerOnBothClocks, PauseFreezesAndResumeContinuesFromThePausedReading)
{
    Timer timer(0.0f, GetParam());
    clock.AdvanceSeconds(1.0);
    timer.Pause(1);
    clock.AdvanceSeconds(2.0);
    EXPECT_NEAR(timer.GetTime(), 1.0f, 0.001f);
    timer.Pause(1);
    timer.Pause(0);
    EXPECT_NEAR(timer.GetTime(), 1.0f, 0.001f);
    clock.AdvanceSeconds(0.5);
    EXPECT_NEAR(timer.GetTime(), 1.5f, 0.001f);
}

TEST_P(TimerOnBothClocks, SetTimeOnAPausedTimerReadsAtOnceAndUnpauses)
{
    Timer timer(0.0f, GetParam());
    timer.Pause(1);
    timer.SetTime(5.0f);
    EXPECT_FALSE(timer.IsPaused());
    EXPECT_NEAR(timer.GetTime(), 5.0f, 0.001f);
    clock.AdvanceSeconds(1.0);
    EXPECT_NEAR(timer.GetTime(), 6.0f, 0.001f);
}

INSTANTIATE_TEST_SUITE_P(Clocks, TimerOnBothClocks, ::testing::Values(u8(0), u8(1)));

TEST(Timer, MillisecondClockSurvivesTheWrap)
{
    FakeClock clock;
    clock.SetMilliseconds(0xFFFFFC18u); // one second before the tick count wraps
    Timer timer(0.0f, 0);
    clock.AdvanceSeconds(3.0);
    EXPECT_NEAR(timer.GetTime(), 3.0f, 0.001f);
}

TEST(TimerManager, FrameTimeIsClampedButFpsCountsTheRealTime)
{
    FakeClock clock;
    TimerManager timers;
    EXPECT_TRUE(timers.GetFrameTimer()->UsesPerformanceCounter());
    EXPECT_FLOAT_EQ(timers.GetFrameTime(), 0.0f);

    clock.AdvanceSeconds(0.5);
    timers.Update();
    EXPECT_FLOAT_EQ(timers.GetFrameTime(), 0.1f);
    clock.AdvanceSeconds(0.0002);
    timers.Update();
    EXPECT_FLOAT_EQ(timers.GetFrameTime(), 0.001f);
    EXPECT_EQ(timers.GetFPS(), 0u);
    clock.AdvanceSeconds(0.4998);
    timers.Update();
    EXPECT_EQ(timers.GetFPS(), 3u);
    timers.Update();
    EXPECT_FLOAT_EQ(timers.GetFrameTime(), 0.001f);
}

TEST(TimerManager, FrameTimeStaysExactAfterTwentyHours)
{
    FakeClock clock;
    TimerManager timers;
    clock.AdvanceSeconds(20.0 * 3600.0);
    timers.Update();
    for (int frame = 0; frame < 3; ++frame)
    {
        clock.AdvanceSeconds(1.0 / 60.0);
        timers.Update();
        EXPECT_NEAR(timers.GetFrameTime(), 1.0f / 60.0f, 0.00005f);
    }
}

