// The bat's motion: its start delay and rise, recoil, width changes, the cursor range and the limits of its lean,
// tilt and wobble.
#include "game/play/BatMotion.h"

#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <cmath>

using Korvane::BatMotion;
using VelkorEngine::f32;

namespace
{
using PlayTest::kFrame64Hz;

constexpr f32 kHalfWidth = 12.0f;

void Idle(BatMotion& bat, int frames)
{
    for (int i = 0; i < frames; ++i)
        bat.Update(kFrame64Hz, false, 400.0f, kHalfWidth);
}

TEST(BatMotionTest, FirstBatWaitsBelowItsLineThenRisesWithOneCreationSound)
{
    BatMotion bat;
    EXPECT_EQ(bat.GetRiseOffset(), -30.0f);
    EXPECT_EQ(bat.GetWorldPosition().y, -115.0f);
    int frame = 0;
    int sounds = 0;
    int firstSound = -1;
    int readyAt = -1;
    f32 previous = bat.GetRiseOffset();
    while (!bat.HasRisen() && frame < 1000)
    {
        ++frame;
        if (bat.Update(kFrame64Hz, true, 400.0f, kHalfWidth))
        {
            ++sounds;
            firstSound = frame;
        }
        if (bat.IsReady() && readyAt < 0)
            readyAt = frame;
        ASSERT_GE(bat.GetRiseOffset(), previous);
        previous = bat.GetRiseOffset();
    }
    // Ready once 1.8 s have passed (116 frames of 1/64 s), rising from the next frame on.
    EXPECT_EQ(readyAt, 116);
    EXPECT_EQ(firstSound, 117);
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(bat.GetRiseOffset(), 0.0f);
    EXPECT_EQ(bat.GetWorldPosition().y, -85.0f);
    EXPECT_LT(frame, 116 + 64);
}

TEST(BatMotionTest, NewBatAfterALostLifeRisesAtOnce)
{
    BatMotion bat;
    Idle(bat, 400);
    ASSERT_TRUE(bat.HasRisen());
    bat.Reset();
    EXPECT_FALSE(bat.IsReady());
    EXPECT_TRUE(bat.Update(kFrame64Hz, true, 400.0f, kHalfWidth));
    Idle(bat, 100);
    EXPECT_TRUE(bat.HasRisen());
}

TEST(BatMotionTest, StoppedBatNeitherRisesNorFollowsTheCursor)
{
    BatMotion bat;
    bat.SetPaused(true);
    for (int i = 0; i < 400; ++i)
        bat.Update(kFrame64Hz, false, 0.0f, kHalfWidth);
    EXPECT_FALSE(bat.IsReady());
    EXPECT_EQ(bat.GetRiseOffset(), -30.0f);
    EXPECT_EQ(bat.GetX(), 75.0f);
}

TEST(BatMotionTest, RecoilDropsToItsDepthAndComesBack)
{
    BatMotion bat;
    bat.KnockBack();
    bat.Update(0.05f, false, 0, kHalfWidth);
    EXPECT_NEAR(bat.GetRecoilOffset(), -0.45f, 1e-5f);
    bat.Update(0.05f, false, 0, kHalfWidth);
    EXPECT_EQ(bat.GetRecoilOffset(), -0.9f);
    bat.Update(0.05f, false, 0, kHalfWidth);
    EXPECT_NEAR(bat.GetRecoilOffset(), -0.6f, 1e-5f);
    // Knocked again while coming back: down again at full speed.
    bat.KnockBack();
    bat.Update(0.05f, false, 0, kHalfWidth);
    EXPECT_NEAR(bat.GetRecoilOffset(), -0.9f, 1e-5f);
    for (int i = 0; i < 10; ++i)
        bat.Update(0.05f, false, 0, kHalfWidth);
    EXPECT_EQ(bat.GetRecoilOffset(), 0.0f);
}

TEST(BatMotionTest, WidthMovesTowardsItsTargetWithinItsLimits)
{
    BatMotion bat;
    bat.Widen();
    EXPECT_EQ(bat.GetTargetWidth(), 40.0f);
    bat.Update(0.2f, false, 0, kHalfWidth);
    EXPECT_NEAR(bat.GetShownWidth(), 31.0f, 1e-4f);
    bat.Update(0.2f, false, 0, kHalfWidth);
    EXPECT_EQ(bat.GetShownWidth(), 40.0f);
    EXPECT_EQ(bat.GetHeadScale(), 3.0f);
    bat.Widen();
    bat.Widen();
    EXPECT_EQ(bat.GetTargetWidth(), 60.0f);
    for (int i = 0; i < 4; ++i)
        bat.Narrow();
    EXPECT_EQ(bat.GetTargetWidth(), 0.0f);
}

TEST(BatMotionTest, CursorMovesTheBatWithinHalfItsWidthOfTheEnds)
{
    struct Case
    {
        f32 cursorX;
        f32 x;
    };
    for (const Case& c : {Case{0, 12}, Case{800, 138}, Case{400, 75}, Case{-50, 12}, Case{80, 15}})
    {
        BatMotion bat;
        bat.Update(kFrame64Hz, true, c.cursorX, kHalfWidth);
        EXPECT_FLOAT_EQ(bat.GetX(), c.x) << c.cursorX;
    }
}

TEST(BatMotionTest, LeanTiltAndWobbleStayWithinTheirLimits)
{
    BatMotion bat;
    f32 cursor = 0.0f;
    for (int i = 0; i < 600; ++i)
    {
        cursor = (i / 10) % 2 == 0 ? 800.0f : 0.0f;
        bat.Update(kFrame64Hz, true, cursor, kHalfWidth);
        ASSERT_LE(std::fabs(bat.GetLean()), 2.5f);
        ASSERT_LE(std::fabs(bat.GetTiltAngle()), 3.14159265f / 24.0f + 1e-6f);
        ASSERT_GE(bat.GetWobbleRate(), 0.5f);
        ASSERT_LE(bat.GetWobbleRate(), 8.0f);
    }
    // A bat moved to the right leans back to the left, then settles.
    BatMotion still;
    still.Update(kFrame64Hz, true, 800.0f, kHalfWidth);
    EXPECT_LT(still.GetLean(), 0.0f);
    EXPECT_GT(still.GetTiltAngle(), 0.0f);
    for (int i = 0; i < 600; ++i)
        still.Update(kFrame64Hz, true, 800.0f, kHalfWidth);
    EXPECT_NEAR(still.GetLean(), 0.0f, 1e-3f);
    EXPECT_NEAR(still.GetWobbleRate(), 0.5f, 1e-6f);
}
}
