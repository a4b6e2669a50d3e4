// The level's time bonus: the shown times, the seconds saved against the ace time, the count-up and the
// ace times a level list should not hold.
#include "game/app/LevelTimeBonus.h"

#include <gtest/gtest.h>

using Korvane::LevelTimeBonus;
using VelkorEngine::u32;

namespace
{
TEST(LevelTimeBonusTest, TimesShowAsMinutesAndTwoDigitSeconds)
{
    struct Case
    {
        float seconds;
        const wchar_t* text;
    };
    for (const Case& c : {Case{75.9f, L"1:15"}, Case{59.0f, L"0:59"}, Case{600.0f, L"10:00"}, Case{0.0f, L"0:00"},
                          Case{-3.0f, L"0:00"}, Case{3599.99f, L"59:59"}})
        EXPECT_EQ(LevelTimeBonus::FormatTime(c.seconds), c.text) << c.seconds;
}

// Counts up at the frame rate of the test: 1/60 s frames, all with the text fully shown.
u32 CountFor(LevelTimeBonus& bonus, int frames)
{
    u32 added = 0;
    for (int i = 0; i < frames; ++i)
        added += bonus.Advance(1.0f / 60.0f, true);
    return added;
}

TEST(LevelTimeBonusTest, OnlyWholeSecondsBelowTheAceTimeCount)
{
    struct Case
    {
        u32 ace;
        float time;
        u32 bonus;
    };
    for (const Case& c :
         {Case{60, 59.9f, 20}, Case{60, 60.0f, 0}, Case{60, 75.0f, 0}, Case{90, 30.0f, 1200}, Case{0, 0.0f, 0}})
    {
        LevelTimeBonus bonus;
        bonus.Start(c.ace, c.time);
        EXPECT_EQ(bonus.HasBonus(), c.bonus != 0);
        EXPECT_EQ(CountFor(bonus, 600), c.bonus) << c.ace << " " << c.time;
        EXPECT_EQ(bonus.GetShown(), c.bonus);
    }
}

TEST(LevelTimeBonusTest, TheBonusCountsUpAfterAPauseAndOnlyWhileTheTextIsShown)
{
    LevelTimeBonus bonus;
    bonus.Start(90, 30.0f);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(bonus.Advance(1.0f / 60.0f, false), 0u);
    EXPECT_EQ(CountFor(bonus, 12), 0u);
    const u32 early = CountFor(bonus, 60);
    EXPECT_GT(early, 0u);
    EXPECT_LT(early, 1200u);
    // 0.2 s + 60 / 18 s in all: about 213 frames; a frame before the end it is not complete yet.
    EXPECT_LT(early + CountFor(bonus, 139), 1200u);
    const u32 before = bonus.GetShown();
    EXPECT_EQ(CountFor(bonus, 3), 1200u - before);
    EXPECT_EQ(bonus.GetShown(), 1200u);
    EXPECT_EQ(CountFor(bonus, 60), 0u);
}

TEST(LevelTimeBonusTest, AceTimesOutsideReasonGiveNoWrapAndNoOverflow)
{
    EXPECT_EQ(LevelTimeBonus::ClampAceTime(-5), 0u);
    EXPECT_EQ(LevelTimeBonus::ClampAceTime(90), 90u);
    EXPECT_EQ(LevelTimeBonus::ClampAceTime(5000000000LL), LevelTimeBonus::LongestAceTime);
    LevelTimeBonus negative;
    negative.Start(LevelTimeBonus::ClampAceTime(-1), 10.0f);
    EXPECT_FALSE(negative.HasBonus());
    LevelTimeBonus huge;
    huge.Start(0xffffffffu, 1.0f);
    EXPECT_EQ(huge.GetFullBonus(), (LevelTimeBonus::LongestAceTime - 1) * 20u);
    u32 added = 0;
    for (int i = 0; i < 30; ++i)
        added += huge.Advance(100.0f, true);
    EXPECT_EQ(added, huge.GetFullBonus());
}
}
