// Brick hits: hard bricks weakening frame by frame, unbreakable ones taking 25 hits, super balls breaking all,
// the score events and sounds of each outcome, and ordinary bricks taking turns with their crash sounds.
#include "game/play/BrickDurability.h"

#include <gtest/gtest.h>

using namespace Korvane;
using VelkorEngine::u32;

namespace
{
using Outcome = BrickHit::Outcome;

TEST(BrickDurabilityTest, KindFlagsFollowTheDescription)
{
    struct Case
    {
        int strength;
        bool invisible;
        bool explosive;
        u32 flags;
        int kept;
    };
    for (const Case& c : {Case{1, false, false, BlockKind::Ordinary, 1}, Case{3, false, false, BlockKind::Hard, 3},
                          Case{0, false, false, BlockKind::Unbreakable, 25}, Case{-2, false, false, BlockKind::Unbreakable, 25},
                          Case{1, true, true, BlockKind::Ordinary | BlockKind::Invisible | BlockKind::Explosive, 1}})
    {
        const BrickDurability brick(c.strength, c.invisible, c.explosive);
        EXPECT_EQ(brick.GetFlags(), c.flags) << c.strength;
        EXPECT_EQ(brick.GetStrength(), c.kept) << c.strength;
    }
}

TEST(BrickDurabilityTest, HardBrickWeakensFrameByFrameThenBreaks)
{
    BrickDurability brick(3, false, false);
    u32 counter = 0;
    for (u32 frame : {1u, 2u})
    {
        const BrickHit hit = brick.TakeHit(DestroyKind::Simple, 3, counter);
        EXPECT_EQ(hit.outcome, Outcome::Weakened);
        EXPECT_EQ(hit.scoreEvent, 2);
        EXPECT_EQ(hit.sound, 8u);
        EXPECT_EQ(hit.frame, frame);
    }
    const BrickHit last = brick.TakeHit(DestroyKind::Simple, 3, counter);
    EXPECT_EQ(last.outcome, Outcome::Broken);
    EXPECT_EQ(last.scoreEvent, 3);
    EXPECT_EQ(last.sound, 13u);
    EXPECT_EQ(counter, 0u);
}

TEST(BrickDurabilityTest, HardBrickStrongerThanItsFramesStaysWithinThem)
{
    BrickDurability brick(6, false, false);
    u32 counter = 0;
    for (u32 frame : {0u, 0u, 0u, 1u, 2u})
        EXPECT_EQ(brick.TakeHit(DestroyKind::Simple, 3, counter).frame, frame);
    EXPECT_EQ(brick.TakeHit(DestroyKind::Simple, 3, counter).outcome, Outcome::Broken);
    BrickDurability frameless(2, false, false);
    EXPECT_EQ(frameless.TakeHit(DestroyKind::Simple, 0, counter).frame, 0u);
}

TEST(BrickDurabilityTest, UnbreakableBrickTakesTwentyFiveHits)
{
    BrickDurability brick(0, false, false);
    u32 counter = 0;
    for (int i = 0; i < 24; ++i)
    {
        const BrickHit hit = brick.TakeHit(DestroyKind::Simple, 1, counter);
        ASSERT_EQ(hit.outcome, Outcome::Dented) << i;
        EXPECT_EQ(hit.sound, 9u);
        EXPECT_EQ(hit.scoreEvent, -1);
    }
    const BrickHit last = brick.TakeHit(DestroyKind::Simple, 1, counter);
    EXPECT_EQ(last.outcome, Outcome::Broken);
    EXPECT_EQ(last.scoreEvent, 7);
    EXPECT_EQ(last.sound, 14u);
}

TEST(BrickDurabilityTest, SuperBallBreaksEveryBrickAtOnce)
{
    u32 counter = 0;
    for (int strength : {0, 1, 3})
        EXPECT_EQ(BrickDurability(strength, false, false).TakeHit(DestroyKind::Super, 3, counter).outcome, Outcome::Broken);
}

TEST(BrickDurabilityTest, OrdinaryBricksTakeTurnsWithTheirCrashSounds)
{
    u32 counter = 0;
    for (u32 sound : {10u, 11u, 12u, 10u, 11u})
    {
        BrickDurability brick(1, false, false);
        const BrickHit hit = brick.TakeHit(DestroyKind::Simple, 1, counter);
        EXPECT_EQ(hit.sound, sound);
        EXPECT_EQ(hit.scoreEvent, 1);
    }
}

TEST(BrickDurabilityTest, ExplosiveBrickBlastsWithItsOwnEventAndSound)
{
    u32 counter = 2;
    BrickDurability brick(1, false, true);
    const BrickHit hit = brick.TakeHit(DestroyKind::Simple, 1, counter);
    EXPECT_TRUE(hit.blasts);
    EXPECT_EQ(hit.scoreEvent, 6);
    EXPECT_EQ(hit.sound, 15u);
    EXPECT_EQ(counter, 2u);
}
}
