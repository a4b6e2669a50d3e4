// Weighted picks without immediate repeats, on the engine's seeded generator.
#include "framework/RandomSelecter.h"

#include "engine/core/Random.h"

#include <gtest/gtest.h>

#include <map>

using namespace GameFramework;

TEST(RandomSelecter, NoEntriesPickZero)
{
    RandomSelecter selecter;
    EXPECT_EQ(selecter.Pick(), 0u);
}

TEST(RandomSelecter, AZeroWeightIsNeverPickedEvenWhenTheOtherRepeats)
{
    VelkorEngine::SeedRandom(3);
    RandomSelecter selecter;
    selecter.Add(5, 0);
    selecter.Add(7, 3);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(selecter.Pick(), 7u);
}

TEST(RandomSelecter, ASingleEntryIsReturnedEveryTime)
{
    RandomSelecter selecter;
    selecter.Add(11, 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(selecter.Pick(), 11u);
}

TEST(RandomSelecter, NoIdTwiceInARowAndEveryWeightedIdComes)
{
    VelkorEngine::SeedRandom(12345);
    RandomSelecter selecter;
    selecter.Add(1, 10);
    selecter.Add(2, 1);
    selecter.Add(3, 0);
    selecter.Add(4, 5);
    std::map<u32, int> counts;
    u32 last = 0xFFFFFFFF;
    for (int i = 0; i < 1000; ++i)
    {
        const u32 id = selecter.Pick();
        EXPECT_NE(id, last) << "pick " << i;
        last = id;
        ++counts[id];
    }
    EXPECT_EQ(counts.count(3), 0u);
    EXPECT_GT(counts[1], counts[2]);
    EXPECT_GT(counts[4], counts[2]);
    EXPECT_GT(counts[2], 0);
}

TEST(RandomSelecter, SetWeightCorrectsTheTotalAndAddsUnknownIds)
{
    struct Step
    {
        u32 id;
        u32 weight;
        u32 total;
    };
    RandomSelecter selecter;
    selecter.Add(1, 4);
    selecter.Add(2, 6);
    const Step steps[] = {{1, 1, 7}, {2, 0, 1}, {9, 5, 6}, {9, 2, 3}};
    for (const Step& step : steps)
    {
        selecter.SetWeight(step.id, step.weight);
        EXPECT_EQ(selecter.GetTotalWeight(), step.total) << step.id << " " << step.weight;
    }
    VelkorEngine::SeedRandom(9);
    for (int i = 0; i < 20; ++i)
        EXPECT_NE(selecter.Pick(), 2u) << "weight 0 now";
}

TEST(RandomSelecter, AllWeightsZeroStillPickAnEntry)
{
    VelkorEngine::SeedRandom(5);
    RandomSelecter selecter;
    selecter.Add(21, 0);
    selecter.Add(22, 0);
    for (int i = 0; i < 10; ++i)
    {
        const u32 id = selecter.Pick();
        EXPECT_TRUE(id == 21u || id == 22u);
    }
}
