// Block stacks: resting heights (memoised, iterative, safe on cycles), supports inherited on removal, hops and
// falls, fixed blocks, and the appearance from the bottom up.
#include "game/play/BlockStack.h"

#include "engine/core/Random.h"
#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <vector>

using Korvane::BlockStack;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
using PlayTest::kFrame100Hz;

// Blocks 6 high standing on one another: a on the floor, b on a, c on b.
struct Tower
{
    BlockStack stack;
    u32 a = stack.AddBlock(3.0f, true);
    u32 b = stack.AddBlock(3.0f, true);
    u32 c = stack.AddBlock(3.0f, true);

    Tower()
    {
        stack.AddSupport(b, a);
        stack.AddSupport(c, b);
    }
};

void RunFor(BlockStack& stack, f32 seconds)
{
    for (f32 t = 0.0f; t < seconds; t += kFrame100Hz)
        stack.Update(kFrame100Hz);
}

TEST(BlockStackTest, BlocksRestOnTopOfTheirHighestSupport)
{
    Tower tower;
    const u32 short_ = tower.stack.AddBlock(1.0f, true);
    const u32 lintel = tower.stack.AddBlock(0.5f, true);
    tower.stack.AddSupport(lintel, short_);
    tower.stack.AddSupport(lintel, tower.b);
    tower.stack.AddSupport(lintel, tower.b);
    EXPECT_EQ(tower.stack.SupportHeight(tower.a), 0.0f);
    EXPECT_EQ(tower.stack.SupportHeight(tower.c), 12.0f);
    EXPECT_EQ(tower.stack.SupportHeight(lintel), 12.0f);
    EXPECT_EQ(tower.stack.GetSupports(lintel).size(), 2u);
    EXPECT_EQ(tower.stack.GetDependents(tower.b), (std::vector<u32>{tower.c, lintel}));
}

TEST(BlockStackTest, BrickWallsAndTallTowersAreWorkedOutQuickly)
{
    // A wall of 60 courses, each brick on the two below it: without remembering heights this takes 2^60 steps.
    BlockStack wall;
    std::vector<u32> below;
    for (int course = 0; course < 60; ++course)
    {
        std::vector<u32> row;
        for (int i = 0; i < 8; ++i)
        {
            const u32 brick = wall.AddBlock(1.0f, true);
            for (int j = i - 1; j <= i && course > 0; ++j)
                if (j >= 0 && j < static_cast<int>(below.size()))
                    wall.AddSupport(brick, below[j]);
            row.push_back(brick);
        }
        below = row;
    }
    EXPECT_EQ(wall.SupportHeight(below[3]), 118.0f);
    // A tower of 200,000 blocks does not run out of stack.
    BlockStack tower;
    u32 previous = tower.AddBlock(0.5f, true);
    for (int i = 1; i < 200000; ++i)
    {
        const u32 next = tower.AddBlock(0.5f, true);
        tower.AddSupport(next, previous);
        previous = next;
    }
    EXPECT_EQ(tower.SupportHeight(previous), 199999.0f);
}

TEST(BlockStackTest, CyclesAndSelfSupportEndInsteadOfLoopingForEver)
{
    BlockStack stack;
    const u32 a = stack.AddBlock(1.0f, true);
    const u32 b = stack.AddBlock(1.0f, true);
    stack.AddSupport(a, a);
    EXPECT_TRUE(stack.GetSupports(a).empty());
    stack.AddSupport(a, b);
    stack.AddSupport(b, a);
    EXPECT_GE(stack.SupportHeight(a), 0.0f);
    stack.Activate();
    stack.Hop(a);
    RunFor(stack, 1.0f);
}

TEST(BlockStackTest, RemovedBlocksPassTheirSupportsOn)
{
    Tower tower;
    tower.stack.Remove(tower.b);
    EXPECT_EQ(tower.stack.GetSupports(tower.c), std::vector<u32>{tower.a});
    EXPECT_EQ(tower.stack.GetDependents(tower.a), std::vector<u32>{tower.c});
    EXPECT_TRUE(tower.stack.GetSupports(tower.b).empty());
    EXPECT_EQ(tower.stack.SupportHeight(tower.c), 6.0f);
}

TEST(BlockStackTest, BlockWhoseSupportGoesHopsAndFallsOntoWhatRemains)
{
    Tower tower;
    tower.stack.Activate();
    EXPECT_EQ(tower.stack.GetHeight(tower.c), 12.0f);
    // b is destroyed: c hops as high as its stack (0.8 x 12 + 20), then b leaves the stacks.
    tower.stack.Hop(tower.c);
    EXPECT_FLOAT_EQ(tower.stack.GetVerticalSpeed(tower.c), 29.6f);
    tower.stack.Remove(tower.b);
    f32 highest = 0.0f;
    for (int i = 0; i < 100; ++i)
    {
        tower.stack.Update(kFrame100Hz);
        highest = std::max(highest, tower.stack.GetHeight(tower.c));
    }
    // Up by about speed^2 / (2 g), then down onto a.
    EXPECT_NEAR(highest, 12.0f + 29.6f * 29.6f / 200.0f, 0.2f);
    EXPECT_EQ(tower.stack.GetHeight(tower.c), 6.0f);
    EXPECT_EQ(tower.stack.GetVerticalSpeed(tower.c), 0.0f);
    EXPECT_EQ(tower.stack.GetFallOffset(tower.c), -6.0f);
}

TEST(BlockStackTest, FixedBlocksNeitherHopNorFall)
{
    BlockStack stack;
    const u32 base = stack.AddBlock(3.0f, true);
    const u32 fixed = stack.AddBlock(3.0f, false);
    stack.AddSupport(fixed, base);
    stack.Activate();
    stack.Hop(fixed);
    stack.Remove(base);
    RunFor(stack, 1.0f);
    EXPECT_EQ(stack.GetHeight(fixed), 6.0f);
    EXPECT_EQ(stack.GetFallOffset(fixed), 0.0f);
}

TEST(BlockStackTest, BlockHeldUpByAnotherSupportStaysWhenALowerOneHops)
{
    // A lintel on a short post (top 6) and a tall one (top 12) rests at 12, on the tall post.
    BlockStack stack;
    const u32 shortPost = stack.AddBlock(3.0f, true);
    const u32 tallPost = stack.AddBlock(6.0f, true);
    const u32 lintel = stack.AddBlock(1.0f, true);
    stack.AddSupport(lintel, shortPost);
    stack.AddSupport(lintel, tallPost);
    stack.Activate();
    stack.Hop(shortPost);
    EXPECT_GT(stack.GetVerticalSpeed(shortPost), 0.0f);
    EXPECT_EQ(stack.GetVerticalSpeed(lintel), 0.0f);
    // The tall post shaken: the lintel goes with it.
    stack.Hop(tallPost);
    EXPECT_FLOAT_EQ(stack.GetVerticalSpeed(lintel), 0.8f * 12.0f + 20.0f);
}

TEST(BlockStackTest, StacksAppearFromTheBottomUp)
{
    VelkorEngine::SeedRandom(23);
    Tower tower;
    tower.stack.Activate();
    std::vector<f32> appeared(3, -1.0f);
    for (f32 t = kFrame100Hz; t < 2.0f; t += kFrame100Hz)
        for (u32 block : tower.stack.Update(kFrame100Hz))
            appeared[block] = t;
    EXPECT_GE(appeared[tower.a], 0.15f);
    EXPECT_LE(appeared[tower.a], 0.35f + kFrame100Hz);
    for (const auto& [upper, lower] : {std::pair(tower.b, tower.a), std::pair(tower.c, tower.b)})
    {
        EXPECT_GE(appeared[upper] - appeared[lower], 0.15f - kFrame100Hz);
        EXPECT_LE(appeared[upper] - appeared[lower], 0.35f + kFrame100Hz);
    }
    EXPECT_FALSE(tower.stack.IsAppearing(tower.c));
}
}
