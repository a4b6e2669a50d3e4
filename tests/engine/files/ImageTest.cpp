// The image container: fill, placeholder, paste, depth conversion, flips and the three resampling filters.
#include "engine/files/Image.h"

#include "engine/core/Color.h"

#include "tests/support/ImageBytes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VelkorEngine;
using KorvaneTest::BytesOf;
using KorvaneTest::MakeImage;

namespace
{
const u8* PixelAt(const Image& image, u32 x, u32 y)
{
    return image.GetData() + (static_cast<u64>(y) * image.GetWidth() + x) * image.GetBytesPerPixel();
}
}

TEST(Image, CreateStoresSizesAndOwnsPixels)
{
    Image image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(nullptr, image.GetData());
    image.Create(nullptr, 5, 3, 24);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(5u, image.GetWidth());
    EXPECT_EQ(3u, image.GetHeight());
    EXPECT_EQ(24, image.GetBitsPerPixel());
    EXPECT_EQ(45u, image.GetDataSize());
    EXPECT_EQ(image.GetData(), image.GetPixels());
    image.Release();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(nullptr, image.GetData());
}

TEST(Image, CopyDuplicatesPixels)
{
    Image source = MakeImage(2, 1, 24, {1, 2, 3, 4, 5, 6});
    Image copy;
    copy.Copy(source);
    EXPECT_EQ(BytesOf(source), BytesOf(copy));
    EXPECT_NE(source.GetData(), copy.GetData());
}

struct FillCase
{
    i32 bits;
    Color colour;
    std::vector<u8> pixel;
};

class ImageFill : public testing::TestWithParam<FillCase>
{
};

TEST_P(ImageFill, WritesTruncatedBytes)
{
    const FillCase& c = GetParam();
    Image image;
    image.Create(nullptr, 3, 2, c.bits);
    image.Fill(c.colour);
    for (u32 i = 0; i < 6; ++i)
        EXPECT_EQ(c.pixel, std::vector<u8>(image.GetData() + i * c.pixel.size(), image.GetData() + (i + 1) * c.pixel.size()));
}

INSTANTIATE_TEST_SUITE_P(Depths, ImageFill,
                         testing::Values(FillCase{8, {1, 1, 1, 1}, {255}}, FillCase{8, {1, 0, 0, 1}, {56}},
                                         FillCase{8, {0, 1, 0, 0}, {180}},
                                         FillCase{24, {0.5f, 0.5f, 0.5f, 1}, {127, 127, 127}},
                                         FillCase{32, {1, 0.5f, 0, 0.25f}, {255, 127, 0, 63}}));

TEST(Image, FillIntoTargetLeavesSourceAlone)
{
    Image image = MakeImage(1, 1, 24, {9, 9, 9});
    Image target;
    image.Fill({1, 0, 0, 1}, &target);
    EXPECT_EQ((std::vector<u8>{9, 9, 9}), BytesOf(image));
    EXPECT_EQ((std::vector<u8>{255, 0, 0}), BytesOf(target));
}

TEST(Image, CheckerboardHasYellowSquaresAtEvenPositions)
{
    Image board;
    board.CreateCheckerboard(nullptr);
    ASSERT_EQ(64u, board.GetWidth());
    ASSERT_EQ(64u, board.GetHeight());
    ASSERT_EQ(24, board.GetBitsPerPixel());
    const std::vector<u8> yellow = {255, 255, 0};
    const std::vector<u8> black = {0, 0, 0};
    auto at = [&](u32 x, u32 y) { return std::vector<u8>(PixelAt(board, x, y), PixelAt(board, x, y) + 3); };
    EXPECT_EQ(yellow, at(0, 0));
    EXPECT_EQ(black, at(8, 0));
    EXPECT_EQ(yellow, at(8, 8));
    EXPECT_EQ(yellow, at(63, 63));
    EXPECT_EQ(black, at(7, 8));
    u32 yellowPixels = 0;
    for (u32 y = 0; y < 64; ++y)
        for (u32 x = 0; x < 64; ++x)
            yellowPixels += at(x, y) == yellow;
    EXPECT_EQ(32u * 64u, yellowPixels);
}

struct PasteCase
{
    u32 x;
    u32 y;
    u32 copiedWidth;
    u32 copiedHeight;
};

class ImagePaste : public testing::TestWithParam<PasteCase>
{
};

TEST_P(ImagePaste, ClipsAtTheRightAndTop)
{
    const PasteCase& c = GetParam();
    Image canvas;
    canvas.Create(nullptr, 64, 64, 8);
    canvas.Fill({0, 0, 0, 0});
    Image square;
    square.Create(nullptr, 10, 10, 8);
    square.Fill({1, 1, 1, 1});
    canvas.Paste(c.x, c.y, square);
    u32 painted = 0;
    for (u32 y = 0; y < 64; ++y)
        for (u32 x = 0; x < 64; ++x)
            if (*PixelAt(canvas, x, y) == 255)
            {
                ++painted;
                EXPECT_TRUE(x >= c.x && x < c.x + c.copiedWidth && y >= c.y && y < c.y + c.copiedHeight);
            }
    EXPECT_EQ(c.copiedWidth * c.copiedHeight, painted);
}

INSTANTIATE_TEST_SUITE_P(Positions, ImagePaste,
                         testing::Values(PasteCase{0, 0, 10, 10}, PasteCase{60, 60, 4, 4}, PasteCase{64, 0, 0, 0},
                                         PasteCase{0, 63, 10, 1}, PasteCase{1000, 1000, 0, 0}));

TEST(Image, PasteConvertsTheSourceDepthAndKeepsSourceRowsApart)
{
    Image canvas = MakeImage(3, 2, 24, std::vector<u8>(18, 0));
    Image source = MakeImage(2, 2, 32, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    Image result;
    canvas.Paste(1, 0, source, &result);
    EXPECT_EQ((std::vector<u8>{0, 0, 0, 1, 2, 3, 5, 6, 7, 0, 0, 0, 9, 10, 11, 13, 14, 15}), BytesOf(result));
    EXPECT_EQ(std::vector<u8>(18, 0), BytesOf(canvas));
}

struct ConvertCase
{
    i32 from;
    std::vector<u8> pixel;
    i32 to;
    std::vector<u8> expected;
};

class ImageConvert : public testing::TestWithParam<ConvertCase>
{
};

TEST_P(ImageConvert, ConvertsEachPixel)
{
    const ConvertCase& c = GetParam();
    std::vector<u8> bytes;
    for (int i = 0; i < 2; ++i)
        bytes.insert(bytes.end(), c.pixel.begin(), c.pixel.end());
    Image image = MakeImage(2, 1, c.from, bytes);
    image.ConvertBitsPerPixel(c.to);
    ASSERT_EQ(c.to, image.GetBitsPerPixel());
    std::vector<u8> expected;
    for (int i = 0; i < 2; ++i)
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(expected, BytesOf(image));
}

INSTANTIATE_TEST_SUITE_P(Pairs, ImageConvert,
                         testing::Values(ConvertCase{8, {77}, 24, {77, 77, 77}}, ConvertCase{8, {77}, 32, {77, 77, 77, 77}},
                                         ConvertCase{24, {255, 255, 255}, 8, {255}},
                                         ConvertCase{24, {100, 50, 200}, 8, {71}},
                                         ConvertCase{24, {1, 2, 3}, 32, {1, 2, 3, 255}},
                                         ConvertCase{32, {1, 2, 3, 4}, 8, {4}}, ConvertCase{32, {1, 2, 3, 4}, 24, {1, 2, 3}},
                                         ConvertCase{24, {1, 2, 3}, 24, {1, 2, 3}}));

TEST(Image, FlipVerticalReversesRows)
{
    Image image = MakeImage(2, 3, 8, {1, 2, 3, 4, 5, 6});
    Image flipped;
    image.FlipVertical(&flipped);
    EXPECT_EQ((std::vector<u8>{5, 6, 3, 4, 1, 2}), BytesOf(flipped));
    image.FlipVertical();
    EXPECT_EQ(BytesOf(flipped), BytesOf(image));
}

TEST(Image, SwapRedBlueExchangesFirstAndThirdBytes)
{
    Image image = MakeImage(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8});
    image.SwapRedBlue();
    EXPECT_EQ((std::vector<u8>{3, 2, 1, 4, 7, 6, 5, 8}), BytesOf(image));
    image.SwapRedBlue();
    EXPECT_EQ((std::vector<u8>{1, 2, 3, 4, 5, 6, 7, 8}), BytesOf(image));

    Image grey = MakeImage(2, 1, 8, {1, 2});
    Image target;
    grey.SwapRedBlue(&target);
    EXPECT_EQ((std::vector<u8>{1, 2}), BytesOf(target));
}

struct ResizeCase
{
    const char* name;
    u32 filter;
    u32 width;
    u32 height;
    std::vector<u8> source;
    u32 newWidth;
    u32 newHeight;
    std::vector<u8> expected;
};

class ImageResize : public testing::TestWithParam<ResizeCase>
{
};

TEST_P(ImageResize, GivesKnownValues)
{
    const ResizeCase& c = GetParam();
    Image image = MakeImage(c.width, c.height, 8, c.source);
    Image target;
    image.Resize(c.newWidth, c.newHeight, c.filter, target);
    ASSERT_EQ(c.newWidth, target.GetWidth());
    ASSERT_EQ(c.newHeight, target.GetHeight());
    EXPECT_EQ(c.expected, BytesOf(target));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ImageResize,
    testing::Values(
        ResizeCase{"Point2x2To3x3", 0, 2, 2, {0, 100, 200, 250}, 3, 3, {0, 0, 100, 0, 0, 100, 200, 200, 250}},
        // The last output row is 1/256 of the second last source row plus 255/256 of the last.
        ResizeCase{"Bilinear2x2To3x3", 1, 2, 2, {0, 100, 200, 250}, 3, 3, {0, 50, 100, 100, 137, 175, 199, 224, 249}},
        ResizeCase{"BicubicKernelRamp", 2, 4, 1, {10, 20, 30, 40}, 3, 1, {10, 25, 40}},
        ResizeCase{"BicubicOvershoot", 2, 4, 1, {0, 100, 100, 0}, 3, 1, {0, 125, 0}},
        ResizeCase{"BicubicClampsHigh", 2, 4, 1, {0, 255, 255, 0}, 3, 1, {0, 255, 0}},
        ResizeCase{"BicubicClampsLow", 2, 4, 1, {255, 0, 0, 255}, 3, 1, {255, 0, 255}},
        ResizeCase{"PointToOneColumn", 0, 3, 2, {1, 2, 3, 4, 5, 6}, 1, 2, {1, 4}},
        ResizeCase{"BilinearToOnePixel", 1, 2, 2, {7, 100, 200, 250}, 1, 1, {7}},
        ResizeCase{"BicubicToOneRow", 2, 2, 3, {1, 2, 3, 4, 5, 6}, 4, 1, {1, 1, 1, 2}},
        ResizeCase{"BilinearFromOneColumn", 1, 1, 2, {0, 200}, 1, 3, {0, 100, 199}},
        ResizeCase{"BilinearFromOneRow", 1, 2, 1, {0, 200}, 3, 2, {0, 100, 200, 0, 100, 200}}),
    [](const testing::TestParamInfo<ResizeCase>& info) { return std::string(info.param.name); });

TEST(Image, ResizeToTheSameSizeCopiesWithAnyFilter)
{
    Image image = MakeImage(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
    for (u32 filter : {0u, 1u, 2u, 7u})
    {
        Image target;
        image.Resize(3, 2, filter, target);
        EXPECT_EQ(BytesOf(image), BytesOf(target));
    }
}

TEST(Image, BilinearFirstRowAndLastColumnDependOnlyOnTheirSourceEdges)
{
    std::vector<u8> bytes(5 * 4);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<u8>(i * 11);
    Image image = MakeImage(5, 4, 8, bytes);
    Image target;
    image.Resize(9, 7, Image::FilterBilinear, target);
    EXPECT_EQ(bytes[0], *PixelAt(target, 0, 0));
    Image changed = MakeImage(5, 4, 8, bytes);
    // Change everything but the first source row and the last source column.
    for (u32 y = 1; y < 4; ++y)
        for (u32 x = 0; x < 4; ++x)
            changed.GetData()[y * 5 + x] ^= 0x55;
    Image changedTarget;
    changed.Resize(9, 7, Image::FilterBilinear, changedTarget);
    for (u32 x = 0; x < 9; ++x)
        EXPECT_EQ(*PixelAt(target, x, 0), *PixelAt(changedTarget, x, 0)) << x;
    for (u32 y = 0; y < 7; ++y)
        EXPECT_EQ(*PixelAt(target, 8, y), *PixelAt(changedTarget, 8, y)) << y;
}

TEST(Image, ResizeInPlaceReplacesPixelsAndKeepsEveryChannel)
{
    Image image = MakeImage(2, 1, 24, {0, 10, 20, 200, 210, 220});
    image.ResizeInPlace(3, 1, Image::FilterBilinear);
    ASSERT_EQ(3u, image.GetWidth());
    EXPECT_EQ((std::vector<u8>{0, 10, 20, 100, 110, 120, 200, 210, 220}), BytesOf(image));
}

TEST(Image, OperationsOnAnEmptyImageGiveEmptyResults)
{
    Image empty;
    Image target;
    target.Create(nullptr, 2, 2, 8);
    empty.Resize(4, 4, Image::FilterBicubic, target);
    EXPECT_TRUE(target.IsEmpty());
    empty.Fill({1, 1, 1, 1});
    empty.FlipVertical();
    empty.SwapRedBlue();
    empty.ConvertBitsPerPixel(32);
    EXPECT_EQ(nullptr, empty.GetData());
}
