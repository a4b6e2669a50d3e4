// The free index queue: first in, first out across the end of its ring, filled either way, never past its
// capacity.
#include "engine/scene/FreeIndexQueue.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VelkorEngine;

namespace
{
std::vector<u32> Drain(FreeIndexQueue& queue)
{
    std::vector<u32> out;
    while (!queue.IsEmpty())
        out.push_back(queue.PopFront());
    return out;
}
}

TEST(FreeIndexQueue, FillsAscendingOrDescending)
{
    FreeIndexQueue queue(4);
    EXPECT_TRUE(queue.IsEmpty());
    queue.FillAscending();
    EXPECT_EQ(queue.GetCount(), 4u);
    EXPECT_EQ(queue.Front(), 0u);
    EXPECT_EQ(Drain(queue), (std::vector<u32>{0, 1, 2, 3}));
    queue.FillDescending();
    EXPECT_EQ(Drain(queue), (std::vector<u32>{3, 2, 1, 0}));
}

TEST(FreeIndexQueue, GivesBackInTheOrderReturnedAcrossTheRingsEnd)
{
    FreeIndexQueue queue(3);
    queue.FillAscending();
    queue.PopFront();
    queue.PopFront();
    queue.PushBack(1);
    queue.PushBack(0);
    EXPECT_EQ(queue.At(0), 2u);
    EXPECT_EQ(queue.At(2), 0u);
    EXPECT_EQ(Drain(queue), (std::vector<u32>{2, 1, 0}));
    queue.PushBack(2);
    EXPECT_EQ(queue.Front(), 2u);
}

TEST(FreeIndexQueue, FullQueueIgnoresAnotherIndex)
{
    FreeIndexQueue queue(2);
    queue.FillAscending();
    queue.PushBack(1);
    EXPECT_EQ(queue.GetCount(), 2u);
    EXPECT_EQ(Drain(queue), (std::vector<u32>{0, 1}));
}

TEST(FreeIndexQueue, ClearEmptiesAndEmptyCapacityStaysEmpty)
{
    FreeIndexQueue queue(3);
    queue.FillDescending();
    queue.Clear();
    EXPECT_TRUE(queue.IsEmpty());
    FreeIndexQueue none;
    none.FillAscending();
    none.PushBack(0);
    EXPECT_TRUE(none.IsEmpty());
}
