// The window icon from the data set: the engine hands the picture over as the icon resource its window class
// names, top row first in red, green, blue, alpha; without the picture the window keeps the default icon.
#include "engine/core/Engine.h"

#include "platform/win32/PlatformWindow.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr std::uint32_t IconId = 101;
// Resource ids of their own, so that the tests do not meet each other's pictures in the process-wide table.
constexpr std::uint32_t MissingIconId = 7101;

void WritePicture(TestSupport::EngineTestBed& bed, const ImageTest::Picture& picture)
{
    const std::vector<VelkorEngine::u8> bmp = ImageTest::MakeBmp(picture);
    bed.folder.WriteFile("data/ui/icon.bmp", std::string(bmp.begin(), bmp.end()));
}
}

TEST(EngineIconTest, TheDataSetPictureBecomesTheIconResourceTopRowFirst)
{
    TestSupport::EngineTestBed bed;
    const ImageTest::Picture picture = ImageTest::MakePattern(4, 3, 3);
    WritePicture(bed, picture);
    bed.parameters.iconId = IconId;
    bed.Start();
    const PlatformIcon* icon = LoadIcon(nullptr, IconId);
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->width, 4u);
    ASSERT_EQ(icon->height, 3u);
    ASSERT_EQ(icon->rgba.size(), 4u * 3u * 4u);
    for (std::uint32_t y = 0; y < 3; ++y)
        for (std::uint32_t x = 0; x < 4; ++x)
        {
            const std::uint8_t* shown = icon->rgba.data() + (y * 4 + x) * 4;
            // The test picture keeps its bottom row first, as the engine does.
            const VelkorEngine::u8* source = picture.Pixel(x, 2 - y);
            EXPECT_EQ(shown[0], source[0]) << x << "," << y;
            EXPECT_EQ(shown[1], source[1]) << x << "," << y;
            EXPECT_EQ(shown[2], source[2]) << x << "," << y;
            EXPECT_EQ(shown[3], 255) << x << "," << y;
        }
    EXPECT_TRUE(bed.Records(VelkorEngine::MessageManager::KindError).empty());
}

TEST(EngineIconTest, WithoutThePictureTheWindowKeepsTheDefaultIcon)
{
    TestSupport::EngineTestBed bed;
    bed.parameters.iconId = MissingIconId;
    bed.Start();
    const PlatformIcon* icon = LoadIcon(nullptr, MissingIconId);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->rgba.empty());
    EXPECT_TRUE(bed.Records(VelkorEngine::MessageManager::KindError).empty());
}
