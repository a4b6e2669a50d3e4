// Index buffers: width by capacity, narrowing, the lazily found range and copies.
#include "engine/render/IndexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace VelkorEngine;

namespace
{
TEST(IndexBuffer, WidthFollowsTheCapacityWhateverTheUsage)
{
    IndexBuffer_D3D7 narrow(nullptr, 1, 65535), wide(nullptr, 0, 65536);
    EXPECT_EQ(narrow.Is32Bit(), 0u);
    EXPECT_EQ(narrow.GetIndexSize(), 2u);
    EXPECT_EQ(wide.Is32Bit(), 1u);
    EXPECT_EQ(wide.GetIndexSize(), 4u);
    EXPECT_EQ(wide.GetIndexCount(), 65536u);
}

TEST(IndexBuffer, SixteenBitBufferKeepsTheLowBits)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 4);
    const u32 indices[] = {70000, 1};
    buffer.SetIndices(1, 2, indices);
    u16 stored = 0;
    std::memcpy(&stored, buffer.GetData() + 2, 2);
    EXPECT_EQ(stored, 4464);
    EXPECT_EQ(buffer.IsLocked(), 0);
}

TEST(IndexBuffer, RangeIsFoundWhenAskedAfterAChange)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 3);
    const u32 indices[] = {7, 3, 9};
    buffer.SetIndices(0, 3, indices);
    EXPECT_EQ(buffer.IsRangeDirty(), 1);
    EXPECT_EQ(buffer.GetMinIndex(), 3u);
    EXPECT_EQ(buffer.GetVertexRangeCount(), 7u);
    EXPECT_EQ(buffer.IsRangeDirty(), 0);
    buffer.SetIndexCount(2);
    EXPECT_EQ(buffer.GetVertexRangeCount(), 5u);
    buffer.SetIndexCount(0);
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetVertexRangeCount(), 0u);
    buffer.Lock(0, 1);
    EXPECT_EQ(buffer.IsRangeDirty(), 1);
}

TEST(IndexBuffer, CountsAndLocksStayInsideTheCapacity)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 6);
    buffer.SetIndexCount(100);
    EXPECT_EQ(buffer.GetIndexCount(), 6u);
    const u32 indices[] = {1, 2, 3, 4, 5};
    buffer.SetIndices(4, 5, indices); // only two fit
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetVertexRangeCount(), 3u);
    EXPECT_EQ(buffer.Lock(9, 1), buffer.GetData() + 12);
}

TEST(IndexBuffer, CopiesKeepWidthCountsRangeAndIndices)
{
    IndexBuffer_D3D7 source(nullptr, 1, 70000);
    const u32 indices[] = {100000, 5};
    source.SetIndices(0, 2, indices);
    source.SetIndexCount(2);
    EXPECT_EQ(source.GetMinIndex(), 5u);
    IndexBuffer_D3D7 relabelled(0, source);
    EXPECT_EQ(relabelled.GetUsage(), 0u);
    EXPECT_EQ(relabelled.Is32Bit(), 1u);
    EXPECT_EQ(relabelled.GetIndexCount(), 2u);
    EXPECT_EQ(relabelled.IsRangeDirty(), 0);
    EXPECT_EQ(relabelled.GetVertexRangeCount(), 99996u);
    IndexBuffer_D3D7 full(source);
    EXPECT_EQ(full.GetUsage(), 1u);
    EXPECT_EQ(std::memcmp(full.GetData(), source.GetData(), 8), 0);
}
}
