// The pictures read directly by the game: the window icon, the cursor pair and the publisher's logos, in
// power-of-two sizes with opacity pictures as large as their colour pictures; every generated picture read
// through the engine's own image readers.
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/files/Image.h"
#include "tests/data/DataStageFiles.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/formats/FontFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>

using DataTest::StageFile;

namespace
{
ImageTest::Picture Jpeg(const std::string& path)
{
    const std::string bytes = StageFile(path);
    return ImageTest::DecodeJpegReference(std::vector<VelkorEngine::u8>(bytes.begin(), bytes.end()));
}
}

TEST(pictures, WindowIconIsA32By32TwentyFourBitBmp)
{
    const std::string icon = StageFile("ui/icon.bmp");
    ASSERT_GE(icon.size(), 54u);
    EXPECT_EQ(icon.substr(0, 2), "BM");
    std::int32_t width = 0, height = 0;
    std::uint16_t bits = 0;
    std::memcpy(&width, icon.data() + 18, 4);
    std::memcpy(&height, icon.data() + 22, 4);
    std::memcpy(&bits, icon.data() + 28, 2);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(bits, 24);
}

TEST(pictures, JpegPairsHaveThePlannedSizesAndMatchingOpacity)
{
    const struct
    {
        const char* colour;
        const char* opacity;
        unsigned width;
        unsigned height;
    } pictures[] = {
        {"ui/cursors/cursor.jpg", "ui/cursors/cursor_alpha.jpg", 64, 64},
        {"ui/textures/publishers/0_logo_small.jpg", "ui/textures/publishers/0_logo_small_alpha.jpg", 128, 64},
        {"ui/textures/publishers/0_logo_big.jpg", nullptr, 1024, 1024},
    };
    for (const auto& p : pictures)
    {
        const ImageTest::Picture colour = Jpeg(p.colour);
        EXPECT_EQ(colour.width, p.width) << p.colour;
        EXPECT_EQ(colour.height, p.height) << p.colour;
        EXPECT_EQ(colour.channels, 3u) << p.colour;
        if (p.opacity == nullptr)
            continue;
        const ImageTest::Picture opacity = Jpeg(p.opacity);
        EXPECT_EQ(opacity.width, p.width) << p.opacity;
        EXPECT_EQ(opacity.height, p.height) << p.opacity;
        EXPECT_EQ(opacity.channels, 1u) << p.opacity;
    }
}

TEST(pictures, CursorTipIsAtTheTopLeftPixel)
{
    // Rows come bottom first: the top-left pixel is the last row's first.
    const ImageTest::Picture opacity = Jpeg("ui/cursors/cursor_alpha.jpg");
    EXPECT_GT(opacity.Pixel(1, 62)[0], 128);
    EXPECT_LT(opacity.Pixel(62, 1)[0], 16);
}

TEST(pictures, BigLogoIsDrawnInTheBottomLeft800By600)
{
    const ImageTest::Picture logo = Jpeg("ui/textures/publishers/0_logo_big.jpg");
    auto brightness = [&](unsigned x, unsigned y) { return logo.Pixel(x, y)[0] + logo.Pixel(x, y)[1]; };
    EXPECT_GT(brightness(20, 20), 20);  // stone inside the corner
    EXPECT_LT(brightness(900, 900), 8); // black outside it
}

namespace
{
// The generated tree seen through the engine's own file manager and image readers.
class EngineImages : public testing::Test
{
protected:
    EngineImages() : log("data", 0, 0, "", ""), files(&log, KORVANE_DATA_STAGE, "") {}

    bool Load(const std::string& path)
    {
        log.ClearRecords();
        return image.Load(&log, &files, path) && log.GetRecordCount() == 0;
    }

    VelkorEngine::MessageManager log;
    VelkorEngine::FileManager files;
    VelkorEngine::Image image;
};
}

TEST_F(EngineImages, EveryGeneratedPictureLoadsWithPowerOfTwoSidesAndMatchingOpacity)
{
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KORVANE_DATA_STAGE))
    {
        const std::string extension = entry.path().extension().string();
        if (extension != ".tga" && extension != ".bmp" && extension != ".jpg")
            continue;
        const std::string path = std::filesystem::relative(entry.path(), KORVANE_DATA_STAGE).generic_string();
        ASSERT_TRUE(Load(path)) << path;
        ++pictures;
        EXPECT_TRUE(std::has_single_bit(image.GetWidth()) && std::has_single_bit(image.GetHeight())) << path;
        const size_t alpha = path.rfind("_alpha.jpg");
        if (alpha == std::string::npos)
            continue;
        const VelkorEngine::u32 width = image.GetWidth(), height = image.GetHeight();
        ASSERT_TRUE(Load(path.substr(0, alpha) + ".jpg")) << path;
        EXPECT_EQ(image.GetWidth(), width) << path;
        EXPECT_EQ(image.GetHeight(), height) << path;
    }
    EXPECT_GE(pictures, 17);
}

TEST_F(EngineImages, AtlasGlyphsStandUprightWhereTheirTextureCoordinatesPoint)
{
    ASSERT_TRUE(Load("ui/fonts/common/common_0.tga"));
    ASSERT_EQ(image.GetBitsPerPixel(), 32);
    const auto glyphs = KorvaneTools::ReadFontFile(StageFile("ui/fonts/en/sans_20.vef"));
    const auto t = std::find_if(glyphs.begin(), glyphs.end(), [](const auto& g) { return g.code == u'T'; });
    ASSERT_NE(t, glyphs.end());
    // Engine rows count from the picture's bottom, as texture v does: the bar of the "T" lies in the upper
    // part of its rectangle, the stem alone below it.
    const VelkorEngine::u32 w = image.GetWidth(), h = image.GetHeight();
    const auto left = static_cast<VelkorEngine::u32>(t->u * float(w) + 0.5f);
    const auto width = static_cast<VelkorEngine::u32>(t->du * float(w) + 0.5f);
    const auto bottom = static_cast<VelkorEngine::u32>(t->v * float(h) + 0.5f);
    const auto height = static_cast<VelkorEngine::u32>(t->dv * float(h) + 0.5f);
    VelkorEngine::u32 widestRow = 0, widest = 0, lowestInk = height;
    for (VelkorEngine::u32 row = 0; row < height; ++row)
    {
        VelkorEngine::u32 ink = 0;
        for (VelkorEngine::u32 x = left; x < left + width; ++x)
            ink += image.GetData()[((bottom + row) * w + x) * 4 + 3] > 128;
        if (ink > widest)
        {
            widest = ink;
            widestRow = row;
        }
        if (ink > 0 && lowestInk == height)
            lowestInk = row;
    }
    EXPECT_GT(widestRow, lowestInk + height / 3);
}
