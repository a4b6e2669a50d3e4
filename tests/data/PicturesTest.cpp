// The pictures read directly by the game: the window icon, the cursor pair and the publisher's logos, in
// power-of-two sizes with opacity pictures as large as their colour pictures.
#include "tests/data/DataStageFiles.h"
#include "tests/support/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

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
