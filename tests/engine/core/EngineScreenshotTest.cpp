// The smoke scene drawn by a whole engine through OpenGL, read back through RenderSystem::TakeScreenshot and
// compared with the reference picture kept beside this test. The clock is a fake one, so the animation, the
// particles (seeded from the tick count) and the crate's turn are the same in every run.
#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "tests/support/EngineSmokeData.h"
#include "tests/support/EngineSmokeScene.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cmath>
#include <filesystem>

using namespace VelkorEngine;

namespace
{
constexpr u32 kFrames = 45;
// The picture is compared in blocks of 4 x 4 pixels, so an edge a pixel off does not count.
constexpr u32 kBlock = 4;
const std::string kReference = std::string(KORVANE_SMOKE_REFERENCE);

// The mean colour of each block, rows bottom first as in the engine's images.
ImageTest::Picture Blocks(const Image& image)
{
    const u32 channels = static_cast<u32>(image.GetBitsPerPixel()) / 8;
    ImageTest::Picture blocks{image.GetWidth() / kBlock, image.GetHeight() / kBlock, 3, {}};
    blocks.pixels.resize(static_cast<size_t>(blocks.width) * blocks.height * 3);
    for (u32 y = 0; y < blocks.height; ++y)
        for (u32 x = 0; x < blocks.width; ++x)
            for (u32 c = 0; c < 3; ++c)
            {
                u32 sum = 0;
                for (u32 dy = 0; dy < kBlock; ++dy)
                    for (u32 dx = 0; dx < kBlock; ++dx)
                    {
                        const size_t pixel = static_cast<size_t>(y * kBlock + dy) * image.GetWidth() + x * kBlock + dx;
                        sum += image.GetData()[pixel * channels + c];
                    }
                blocks.pixels[(static_cast<size_t>(y) * blocks.width + x) * 3 + c] =
                    static_cast<u8>(sum / (kBlock * kBlock));
            }
    return blocks;
}

bool ReadReference(MessageManager& log, FileManager& files, ImageTest::Picture& out)
{
    Image reference;
    if (!reference.LoadTGA(&log, &files, kReference) || reference.GetBitsPerPixel() != 24)
        return false;
    out = {reference.GetWidth(), reference.GetHeight(), 3,
           std::vector<u8>(reference.GetData(), reference.GetData() + reference.GetDataSize())};
    return true;
}
}

TEST(EngineScreenshot, TheSmokeSceneLooksAsItsReference)
{
    TestSupport::TempFolder folder;
    TestSupport::WriteEngineSmokeData(folder.Path());
    TestSupport::FakeClock clock;
    clock.SetMilliseconds(5000);

    ImageTest::Picture picture;
    ImageTest::Picture reference;
    {
        Engine engine(TestSupport::EngineSmokeParameters("Smoke Screenshot", folder.Path(), "screenshot"));
        TestSupport::EngineSmokeScene scene(engine);
        for (u32 frame = 0; frame < kFrames; ++frame)
        {
            clock.AdvanceSeconds(1.0 / 30.0);
            engine.Render();
            scene.Update();
            engine.Frame(0);
        }
        Image shot;
        engine.GetRenderSystem()->TakeScreenshot(shot);
        ASSERT_EQ(shot.GetWidth(), 640u);
        ASSERT_EQ(shot.GetHeight(), 480u);
        picture = Blocks(shot);
        if (std::getenv("KORVANE_UPDATE_REFERENCES"))
        {
            ImageTest::WriteBytes(kReference, ImageTest::MakeTga(picture, {.runLength = true}));
            GTEST_SKIP() << "reference written to " << kReference;
        }
        ASSERT_TRUE(ReadReference(*engine.GetMessageManager(), *engine.GetFileManager(), reference))
            << "no reference picture at " << kReference << " (KORVANE_UPDATE_REFERENCES=1 writes it)";
    }
    ASSERT_EQ(picture.width, reference.width);
    ASSERT_EQ(picture.height, reference.height);

    // Small differences anywhere (drivers round differently), large ones only in a few blocks.
    double total = 0.0;
    u32 farOff = 0;
    for (size_t i = 0; i < picture.pixels.size(); i += 3)
    {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c)
        {
            const int difference = std::abs(picture.pixels[i + c] - reference.pixels[i + c]);
            total += difference;
            worst = std::max(worst, difference);
        }
        farOff += worst > 24 ? 1 : 0;
    }
    const size_t blocks = picture.pixels.size() / 3;
    EXPECT_LT(total / static_cast<double>(picture.pixels.size()), 2.0);
    EXPECT_LE(farOff, blocks / 100) << farOff << " of " << blocks << " blocks differ by more than 24";
}
