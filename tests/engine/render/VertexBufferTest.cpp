// Vertex buffers: layouts, colour packing, locking, the white start and the conversions between layouts.
#include "engine/render/VertexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace VelkorEngine;

namespace
{
struct Vertex
{
    float position[3];
    float normal[3];
    float uv[2];
};

void WriteVertex(VertexBuffer& buffer, u32 index, const Vertex& vertex)
{
    u8* at = buffer.LockRange(index, 1);
    std::memcpy(at, vertex.position, 24);
    std::memcpy(at + buffer.GetTextureOffset(), vertex.uv, 8);
    buffer.Unlock();
}

Vertex ReadVertex(VertexBuffer& buffer, u32 index)
{
    Vertex vertex;
    const u8* at = buffer.LockRange(index, 1);
    std::memcpy(vertex.position, at, 24);
    std::memcpy(vertex.uv, at + buffer.GetTextureOffset(), 8);
    buffer.Unlock();
    return vertex;
}

TEST(VertexBuffer, StrideFollowsTheColourFlag)
{
    VertexBuffer_D3D7 coloured(nullptr, 1, 1, 3), plain(nullptr, 0, 0, 3), anyFlag(nullptr, 0, 7, 1);
    EXPECT_EQ(coloured.GetStride(), 36u);
    EXPECT_EQ(plain.GetStride(), 32u);
    EXPECT_EQ(anyFlag.GetStride(), 36u);
    EXPECT_EQ(anyFlag.HasColor(), 1u);
    EXPECT_EQ(coloured.GetUsage(), 1u);
}

TEST(VertexBuffer, ColourPackingClampsAndRounds)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, 1, 1);
    EXPECT_EQ(buffer.FloatsToColor(Color(1.5f, -0.2f, 0.5f, 1.0f)), 0xFFFF0080u);
    EXPECT_EQ(buffer.FloatsToColor(Color(0.0f, 0.0f, 0.0f, 0.0f)), 0x00000000u);
    Color unpacked;
    buffer.ColorToFloats(unpacked, 0x80FF0033u);
    EXPECT_FLOAT_EQ(unpacked.r, 1.0f * 0.003921569f * 255.0f);
    EXPECT_FLOAT_EQ(unpacked.g, 0.0f);
    EXPECT_FLOAT_EQ(unpacked.b, 51.0f * 0.003921569f);
    EXPECT_FLOAT_EQ(unpacked.a, 128.0f * 0.003921569f);
}

TEST(VertexBuffer, ColouredBufferStartsWhiteAndTakesAColour)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, 1, 4);
    Color colour;
    buffer.GetVertexColor(colour, 3);
    EXPECT_FLOAT_EQ(colour.r, 1.0f);
    EXPECT_FLOAT_EQ(colour.a, 1.0f);
    buffer.SetColor(Color(0.0f, 1.0f, 0.0f, 0.5f));
    u32 packed = 0;
    std::memcpy(&packed, buffer.GetData() + 2 * 36 + 24, 4);
    EXPECT_EQ(packed, 0x8000FF00u);
    EXPECT_EQ(buffer.IsLocked(), 0);
}

TEST(VertexBuffer, ColourlessBufferIgnoresColoursAndReportsWhite)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, 0, 2);
    buffer.SetColor(Color(0.0f, 0.0f, 0.0f, 0.0f));
    Color colour;
    buffer.GetVertexColor(colour, 1);
    EXPECT_FLOAT_EQ(colour.r, 1.0f);
    EXPECT_FLOAT_EQ(colour.b, 1.0f);
    for (u32 i = 0; i < 64; ++i)
        EXPECT_EQ(buffer.GetData()[i], 0) << "vertices start zeroed";
}

TEST(VertexBuffer, LocksRecordTheirRangeAndStopAtTheEnd)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, 0, 10);
    u8* at = buffer.Lock(3, 4);
    EXPECT_EQ(at, buffer.GetData() + 3 * 32);
    EXPECT_EQ(buffer.IsLocked(), 1);
    EXPECT_EQ(buffer.GetLockedFirst(), 3u);
    EXPECT_EQ(buffer.GetLockedCount(), 4u);
    buffer.LockVertices(8, 100);
    EXPECT_EQ(buffer.GetLockedCount(), 2u);
    buffer.LockRange(50, 1);
    EXPECT_EQ(buffer.GetLockedFirst(), 10u);
    EXPECT_EQ(buffer.GetLockedCount(), 0u);
    buffer.Unlock();
    EXPECT_EQ(buffer.IsLocked(), 0);
}

TEST(VertexBuffer, ExactCopyIsByteForByte)
{
    VertexBuffer_D3D7 source(nullptr, 1, 1, 3);
    WriteVertex(source, 1, Vertex{{1, 2, 3}, {0, 1, 0}, {0.25f, 0.75f}});
    VertexBuffer_D3D7 copy(source);
    EXPECT_EQ(copy.GetVertexCount(), 3u);
    EXPECT_EQ(copy.GetUsage(), 1u);
    EXPECT_EQ(std::memcmp(copy.GetData(), source.GetData(), 3 * 36), 0);
}

TEST(VertexBuffer, ConvertingToColourlessAndBackKeepsGeometryAndWhitensColours)
{
    VertexBuffer_D3D7 coloured(nullptr, 0, 1, 2);
    coloured.SetColor(Color(1.0f, 0.0f, 0.0f, 1.0f));
    const Vertex vertex{{1, 2, 3}, {0, 0, 1}, {0.5f, 0.25f}};
    WriteVertex(coloured, 1, vertex);
    VertexBuffer_D3D7 plain(1, 0, coloured);
    EXPECT_EQ(plain.GetStride(), 32u);
    EXPECT_EQ(plain.GetUsage(), 1u);
    VertexBuffer_D3D7 back(0, 1, plain);
    const Vertex read = ReadVertex(back, 1);
    EXPECT_EQ(std::memcmp(read.position, vertex.position, 24), 0);
    EXPECT_FLOAT_EQ(read.uv[0], 0.5f);
    EXPECT_FLOAT_EQ(read.uv[1], 0.25f);
    Color colour;
    back.GetVertexColor(colour, 1);
    EXPECT_FLOAT_EQ(colour.g, 1.0f) << "the dropped red became white";
}
}
