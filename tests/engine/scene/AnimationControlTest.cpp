// The animation clock on a fake frame time: wrapping, stopping, reversed ranges, repeat limits, pauses,
// random starts with a seeded generator, copies, and the ranges and times that must not break it.
#include "engine/core/Random.h"
#include "engine/scene/AnimationControl.h"
#include "tests/support/AnimationClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace VelkorEngine;
using TestSupport::AnimationClock;

namespace
{
struct Position
{
    u32 frame;
    u32 nextFrame;
    f32 blend;
};

void ExpectPosition(const AnimationControl& control, const Position& expected)
{
    EXPECT_EQ(control.GetFrame(), expected.frame);
    EXPECT_EQ(control.GetNextFrame(), expected.nextFrame);
    EXPECT_FLOAT_EQ(control.GetBlend(), expected.blend);
}
}

class AnimationControlTest : public ::testing::Test
{
protected:
    AnimationControl Make(u32 frameCount) { return AnimationControl(nullptr, clock.Timers(), frameCount); }

    AnimationClock clock;
};

TEST_F(AnimationControlTest, StartsStoppedOnTheWholeRangeAndStopsAtTheEndOfIt)
{
    AnimationControl control = Make(10);
    EXPECT_EQ(control.GetFrameCount(), 10u);
    EXPECT_EQ(control.GetAnimation(), AnimationControl::WholeRange);
    EXPECT_EQ(control.IsPlaying(), 0);
    EXPECT_EQ(control.interpolate, 1);
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    control.Start();
    control.time = 8.5f;
    control.Update();
    EXPECT_EQ(control.IsPlaying(), 1);
    control.time = 9.0f;
    control.Update();
    EXPECT_EQ(control.IsPlaying(), 0);
}

struct Range
{
    i32 id;
    u32 first;
    u32 last;
};

// The pose a time gives on a range, without a clock: one update from a set time.
struct PoseCase
{
    const char* what;
    u32 frameCount;
    std::vector<Range> ranges;
    i32 animation;
    u8 loop;
    u8 interpolate;
    f32 time;
    Position expected;
    f32 timeAfter;
};

TEST_F(AnimationControlTest, PoseOfATimeOnARange)
{
    const i32 whole = AnimationControl::WholeRange;
    const f32 kAny = std::nanf(""); // the time after the update is not looked at
    const PoseCase cases[] = {
        {"whole range", 10, {}, whole, 0, 1, 8.5f, {8, 9, 0.5f}, 8.5f},
        {"loop wraps by one frame less than the range", 10, {}, whole, 1, 1, 13.5f, {4, 5, 0.5f}, 4.5f},
        {"a range that does not loop stops on its last frame", 10, {}, whole, 0, 1, 9.0f, {9, 0, 0.0f}, 9.0f},
        {"a reversed range plays backwards", 10, {{1, 7, 3}}, 1, 0, 1, 1.25f, {5, 6, 0.75f}, 1.25f},
        {"a reversed range ends on its last frame", 10, {{1, 7, 3}}, 1, 0, 1, 6.0f, {7, 3, 1.0f}, kAny},
        {"no interpolation, no blend", 10, {}, whole, 0, 0, 3.5f, {3, 4, 0.0f}, 3.5f},
        {"adding an existing id keeps its range", 10, {{2, 1, 3}, {2, 5, 8}}, 2, 0, 1, 1.5f, {2, 3, 0.5f}, 1.5f},
        // Ranges past the last frame made the models read past their key frames.
        {"a range is clamped to the frames", 10, {{1, 2, 50}}, 1, 0, 1, 1000.0f, {9, 2, 0.0f}, 7.0f},
        {"a range wholly past the frames is the last one", 10, {{2, 40, 30}}, 2, 0, 1, 0.5f, {9, 9, 0.0f}, kAny},
        {"an unknown range is the first frame", 10, {}, 42, 0, 1, 0.5f, {0, 0, 0.0f}, kAny},
        {"frame count zero is one frame", 0, {}, whole, 1, 1, 3.0f, {0, 0, 0.0f}, kAny},
    };
    for (const PoseCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        AnimationControl control = Make(c.frameCount);
        for (const auto& [id, first, last] : c.ranges)
            control.AddAnimation(id, first, last);
        if (c.animation != whole)
            control.SetAnimation(c.animation);
        control.loop = c.loop;
        control.interpolate = c.interpolate;
        control.time = c.time;
        control.Update();
        ExpectPosition(control, c.expected);
        if (!std::isnan(c.timeAfter))
        {
            EXPECT_FLOAT_EQ(control.time, c.timeAfter);
        }
    }
}

TEST_F(AnimationControlTest, TimeAdvancesBySpeedTimesFrameTimeOnlyWhilePlaying)
{
    AnimationControl control = Make(10);
    control.speed = 5.0f;
    clock.Run(2, 0.1, [&] { control.Update(); });
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    control.Start();
    clock.Run(3, 0.1, [&] { control.Update(); });
    EXPECT_FLOAT_EQ(control.time, 1.5f);
    ExpectPosition(control, {1, 2, 0.5f});
}

TEST_F(AnimationControlTest, SetAnimationResetsTheTime)
{
    AnimationControl control = Make(10);
    control.time = 4.0f;
    control.SetAnimation(3);
    EXPECT_EQ(control.GetAnimation(), 3);
    EXPECT_FLOAT_EQ(control.time, 0.0f);
}

TEST_F(AnimationControlTest, StartKeepsTheTimeAndStopResetsIt)
{
    AnimationControl control = Make(10);
    control.time = 4.5f;
    control.Start();
    EXPECT_FLOAT_EQ(control.time, 4.5f);
    EXPECT_EQ(control.IsPlaying(), 1);
    control.Stop();
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    EXPECT_EQ(control.IsPlaying(), 0);
}

// Five frames repeat every four frames of time; at half a frame per step a repeat takes eight steps.
TEST_F(AnimationControlTest, RepeatLimitPlaysTheRangeThatManyTimesAndStopsOnItsFirstFrame)
{
    AnimationControl control = Make(5);
    control.speed = 5.0f;
    control.loop = 1;
    control.repeatLimit = 2;
    control.Start();

    clock.Run(8, 0.1, [&] { control.Update(); });
    EXPECT_EQ(control.GetRepeatCount(), 1u);
    ExpectPosition(control, {0, 1, 0.0f});
    EXPECT_EQ(control.IsPlaying(), 1);

    clock.Run(7, 0.1, [&] { control.Update(); });
    ExpectPosition(control, {3, 4, 0.5f});
    clock.Step(0.1);
    control.Update();
    ExpectPosition(control, {0, 1, 0.0f});
    EXPECT_EQ(control.IsPlaying(), 0);

    clock.Run(4, 0.1, [&] { control.Update(); });
    ExpectPosition(control, {0, 1, 0.0f});
    EXPECT_FLOAT_EQ(control.time, 0.0f);
}

TEST_F(AnimationControlTest, PauseWaitsBeforeEveryRepeatWithoutCountingIt)
{
    AnimationControl control = Make(3);
    control.speed = 10.0f;
    control.loop = 1;
    control.delayMinimum = 0.25f;
    control.delayMaximum = 0.25f;
    control.Start();
    EXPECT_FLOAT_EQ(control.GetDelay(), 0.25f);

    clock.Run(2, 0.1, [&] { control.Update(); });
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    clock.Step(0.1);
    control.Update();
    EXPECT_FLOAT_EQ(control.time, 1.0f);

    clock.Step(0.1);
    control.Update(); // reaches the end of the range: a new pause is drawn
    ExpectPosition(control, {0, 1, 0.0f});
    EXPECT_FLOAT_EQ(control.GetDelay(), 0.25f);
    EXPECT_EQ(control.IsPlaying(), 1);
    EXPECT_EQ(control.GetRepeatCount(), 0u);

    clock.Run(2, 0.1, [&] { control.Update(); });
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    clock.Step(0.1);
    control.Update();
    EXPECT_FLOAT_EQ(control.time, 1.0f);
    EXPECT_EQ(control.GetRepeatCount(), 0u);
}

TEST_F(AnimationControlTest, RandomStartInsideTheRangeTakesThreeDrawsInOrder)
{
    AnimationControl control = Make(10);
    control.AddAnimation(4, 2, 8);
    control.SetAnimation(4);

    SeedRandom(1234);
    control.StartAtRandomFrame();
    const f32 time = control.time;
    const u32 after = Random();

    SeedRandom(1234);
    RandomSignedFloat();
    RandomFloatRange(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(time, RandomFloatRange(0.0f, 6.0f));
    EXPECT_EQ(after, Random());
    EXPECT_FLOAT_EQ(control.GetDelay(), 0.0f);
}

TEST_F(AnimationControlTest, RandomStartWithAPauseStartsAtTheBeginning)
{
    AnimationControl control = Make(10);
    control.delayMinimum = 1.0f;
    control.delayMaximum = 2.0f;
    for (u32 seed = 1; seed < 40; ++seed)
    {
        SeedRandom(seed);
        const f32 sign = RandomSignedFloat();
        const f32 length = RandomFloatRange(1.0f, 2.0f);
        const f32 expectedDelay = sign * length < 0.0f ? 0.0f : sign * length;
        const bool paused = expectedDelay >= 0.0001f;
        const u32 following = paused ? Random() : (RandomFloat(), Random());

        SeedRandom(seed);
        control.time = 3.0f;
        control.StartAtRandomFrame();
        EXPECT_EQ(Random(), following) << seed;
        EXPECT_FLOAT_EQ(control.GetDelay(), expectedDelay) << seed;
        if (paused)
        {
            EXPECT_FLOAT_EQ(control.time, 0.0f) << seed;
        }
    }
}

// Fault: the random time of a reversed range was drawn up to last - first, which wraps to four billion.
TEST_F(AnimationControlTest, RandomStartOfAReversedRangeStaysInsideIt)
{
    AnimationControl control = Make(10);
    control.AddAnimation(1, 7, 3);
    control.SetAnimation(1);
    control.loop = 1;
    for (u32 seed = 1; seed < 20; ++seed)
    {
        SeedRandom(seed);
        control.StartAtRandomFrame();
        EXPECT_GE(control.time, 0.0f);
        EXPECT_LE(control.time, 4.0f);
        control.Update();
        EXPECT_GE(control.GetFrame(), 3u);
        EXPECT_LE(control.GetFrame(), 7u);
    }
}

// Fault: restarting a one-frame range pointed the next frame one past it.
TEST_F(AnimationControlTest, LoopingOneFrameRangeNeverPointsPastItsFrame)
{
    AnimationControl single = Make(1);
    single.loop = 1;
    single.repeatLimit = 1;
    single.speed = 10.0f;
    single.Start();
    clock.Step(0.1);
    single.Update();
    ExpectPosition(single, {0, 0, 0.0f});

    AnimationControl last = Make(10);
    last.AddAnimation(7, 9, 9);
    last.SetAnimation(7);
    last.loop = 1;
    last.delayMaximum = 0.5f;
    last.Start();
    last.Update();
    EXPECT_EQ(last.GetFrame(), 9u);
    EXPECT_EQ(last.GetNextFrame(), 9u);
}

struct OddTime
{
    const char* name;
    f32 time;
};

class AnimationControlOddTimes : public AnimationControlTest, public ::testing::WithParamInterface<OddTime>
{
};

TEST_P(AnimationControlOddTimes, GiveAFrameInsideTheRangeAtOnce)
{
    AnimationControl control = Make(10);
    control.loop = 1;
    control.time = GetParam().time;
    control.Update();
    EXPECT_LT(control.GetFrame(), 10u);
    EXPECT_LT(control.GetNextFrame(), 10u);
    EXPECT_GE(control.GetBlend(), 0.0f);
    EXPECT_LE(control.GetBlend(), 1.0f);
    EXPECT_GE(control.time, 0.0f);
    EXPECT_LT(control.time, 9.0f);
}

INSTANTIATE_TEST_SUITE_P(Times, AnimationControlOddTimes,
                         ::testing::Values(OddTime{"Negative", -3.5f}, OddTime{"Huge", 1.0e30f},
                                           OddTime{"BeyondU32", 5.0e9f}, OddTime{"NotANumber", std::nanf("")},
                                           OddTime{"Infinite", INFINITY}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnimationControlTest, CopyStateOnlyBetweenEqualFrameCounts)
{
    AnimationControl source = Make(10);
    source.AddAnimation(3, 4, 6);
    source.SetAnimation(3);
    source.speed = 12.0f;
    source.loop = 1;
    source.time = 1.5f;
    source.Update();

    AnimationControl other = Make(8);
    other.CopyState(source);
    EXPECT_FLOAT_EQ(other.speed, 0.0f);
    EXPECT_EQ(other.GetAnimation(), AnimationControl::WholeRange);

    AnimationControl same = Make(10);
    same.CopyState(source);
    EXPECT_FLOAT_EQ(same.speed, 12.0f);
    EXPECT_EQ(same.GetAnimation(), 3);
    ExpectPosition(same, {5, 6, 0.5f});
    same.Update();
    ExpectPosition(same, {5, 6, 0.5f});

    AnimationControl copy(source);
    EXPECT_EQ(copy.GetFrameCount(), 10u);
    copy.Update();
    ExpectPosition(copy, {5, 6, 0.5f});
}

TEST_F(AnimationControlTest, AssignmentCopiesTheStateButNotTheRanges)
{
    AnimationControl source = Make(10);
    source.AddAnimation(3, 4, 6);
    source.SetAnimation(3);
    source.time = 1.5f;
    source.Update();

    AnimationControl target = Make(10);
    target = source;
    EXPECT_EQ(target.GetAnimation(), 3);
    ExpectPosition(target, {5, 6, 0.5f});
    target.Update(); // range 3 is unknown here: the first frame
    ExpectPosition(target, {0, 0, 0.0f});
}
