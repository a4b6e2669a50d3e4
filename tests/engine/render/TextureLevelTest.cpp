// The CPU side of texture building: the 2 x 2 box filter of mip levels and the packing of texels by masks.
#include "engine/files/Image.h"
#include "engine/render/TexelPacking.h"
#include "engine/render/Texture2D.h"

#include "tests/support/ImageBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace VelkorEngine;
using KorvaneTest::BytesOf;
using KorvaneTest::MakeImage;

namespace
{
class PlainTexture : public Texture2D
{
public:
    PlainTexture() : Texture2D(nullptr, nullptr, nullptr, "plain", false) {}
};
}

TEST(TextureMipLevel, AveragesFourTexelsRoundingHalfUp)
{
    const Image source = MakeImage(2, 2, 24, {0, 1, 2, 1, 2, 3, 2, 3, 4, 4, 5, 255});
    Image level;
    PlainTexture().BuildMipLevel(source, level, 1, 1, false);
    ASSERT_EQ(24, level.GetBitsPerPixel());
    EXPECT_EQ((std::vector<u8>{2, 3, 66}), BytesOf(level));
}

TEST(TextureMipLevel, HalvesEveryChannelOfALargerImage)
{
    std::vector<u8> bytes(4 * 2 * 4);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<u8>(i * 8);
    const Image source = MakeImage(4, 2, 32, bytes);
    Image level;
    PlainTexture().BuildMipLevel(source, level, 2, 1, false);
    // Texel x of the level covers source texels 2x and 2x + 1 of both rows.
    std::vector<u8> expected;
    for (u32 x = 0; x < 2; ++x)
        for (u32 c = 0; c < 4; ++c)
        {
            const u32 a = bytes[(2 * x) * 4 + c], b = bytes[(2 * x + 1) * 4 + c];
            const u32 d = bytes[16 + (2 * x) * 4 + c], e = bytes[16 + (2 * x + 1) * 4 + c];
            expected.push_back(static_cast<u8>((a + b + d + e + 2) >> 2));
        }
    EXPECT_EQ(expected, BytesOf(level));
}

TEST(TextureMipLevel, OnePixelWideSourceAveragesDownTheColumn)
{
    const Image source = MakeImage(1, 4, 8, {10, 20, 30, 41});
    Image level;
    PlainTexture().BuildMipLevel(source, level, 1, 2, false);
    EXPECT_EQ((std::vector<u8>{15, 36}), BytesOf(level));
}

TEST(TextureMipLevel, OnePixelHighSourceAveragesAlongTheRow)
{
    const Image source = MakeImage(4, 1, 8, {10, 20, 30, 41});
    Image level;
    PlainTexture().BuildMipLevel(source, level, 2, 1, false);
    EXPECT_EQ((std::vector<u8>{15, 36}), BytesOf(level));
}

TEST(TextureMipLevel, SingleChannelTakesRedOfRgbAndAlphaOfRgba)
{
    Image level;
    PlainTexture().BuildMipLevel(MakeImage(2, 1, 24, {100, 1, 1, 201, 2, 2}), level, 1, 1, true);
    ASSERT_EQ(8, level.GetBitsPerPixel());
    EXPECT_EQ((std::vector<u8>{151}), BytesOf(level));
    PlainTexture().BuildMipLevel(MakeImage(2, 1, 32, {1, 1, 1, 10, 2, 2, 2, 30}), level, 1, 1, true);
    EXPECT_EQ((std::vector<u8>{20}), BytesOf(level));
}

TEST(TexelPacking, MasksGiveShiftAndLoss)
{
    const ChannelPacking red = MakeChannelPacking(0x00FF0000);
    EXPECT_EQ(16u, red.shift);
    EXPECT_EQ(0u, red.loss);
    const ChannelPacking green565 = MakeChannelPacking(0x07E0);
    EXPECT_EQ(5u, green565.shift);
    EXPECT_EQ(2u, green565.loss);
    const ChannelPacking alpha4 = MakeChannelPacking(0xF000);
    EXPECT_EQ(12u, alpha4.shift);
    EXPECT_EQ(4u, alpha4.loss);
    const ChannelPacking none = MakeChannelPacking(0);
    EXPECT_EQ(0u, none.shift);
    EXPECT_EQ(8u, none.loss);
}

namespace
{
std::vector<u32> Pack32(const Image& diffuse, const Image* opacity)
{
    const TexelLayout layout = MakeTexelLayout(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    std::vector<u32> texels(diffuse.GetWidth() * diffuse.GetHeight());
    PackTexels(diffuse, opacity, layout, reinterpret_cast<u8*>(texels.data()), diffuse.GetWidth() * 4);
    return texels;
}
}

TEST(TexelPacking, AlphaComesFromOpacityThenDiffuseThenOpaque)
{
    const Image rgb = MakeImage(2, 1, 24, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ((std::vector<u32>{0xFF010203, 0xFF040506}), Pack32(rgb, nullptr));
    const Image rgba = MakeImage(2, 1, 32, {1, 2, 3, 9, 4, 5, 6, 10});
    EXPECT_EQ((std::vector<u32>{0x09010203, 0x0A040506}), Pack32(rgba, nullptr));
    const Image grey = MakeImage(2, 1, 8, {7, 200});
    EXPECT_EQ((std::vector<u32>{0xFF070707, 0xFFC8C8C8}), Pack32(grey, nullptr));
    const Image opacity8 = MakeImage(2, 1, 8, {50, 60});
    EXPECT_EQ((std::vector<u32>{0x32010203, 0x3C040506}), Pack32(rgb, &opacity8));
    const Image opacity24 = MakeImage(2, 1, 24, {70, 0, 0, 80, 0, 0});
    EXPECT_EQ((std::vector<u32>{0x46010203, 0x50040506}), Pack32(rgba, &opacity24));
    const Image opacity32 = MakeImage(2, 1, 32, {0, 0, 0, 90, 0, 0, 0, 99});
    EXPECT_EQ((std::vector<u32>{0x5A010203, 0x63040506}), Pack32(rgb, &opacity32));
}

TEST(TexelPacking, OpacityOfAnotherSizeIsIgnored)
{
    const Image rgb = MakeImage(2, 1, 24, {1, 2, 3, 4, 5, 6});
    const Image small = MakeImage(1, 1, 8, {5});
    EXPECT_EQ((std::vector<u32>{0xFF010203, 0xFF040506}), Pack32(rgb, &small));
}

TEST(TexelPacking, SixteenBitTexelsKeepTheHighBitsAndHonourThePitch)
{
    const Image rgb = MakeImage(1, 2, 24, {0xFF, 0x80, 0x08, 0x10, 0x20, 0x30});
    const TexelLayout layout = MakeTexelLayout(16, 0xF800, 0x07E0, 0x001F, 0);
    std::vector<u8> bytes(2 * 6, 0xAB);
    PackTexels(rgb, nullptr, layout, bytes.data(), 6);
    u16 first = 0, second = 0;
    std::memcpy(&first, bytes.data(), 2);
    std::memcpy(&second, bytes.data() + 6, 2);
    EXPECT_EQ((0x1F << 11) | (0x20 << 5) | 0x01, first);
    EXPECT_EQ((0x02 << 11) | (0x08 << 5) | 0x06, second);
    EXPECT_EQ(0xAB, bytes[2]);
}
