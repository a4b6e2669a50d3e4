// Every generated level as the player first sees it, drawn by a real engine on the offscreen driver through the
// game's own camera, lights and shadows once its blocks have all appeared; and a ball launched from the bat
// bouncing through a level, a picture every few frames. The pictures are written to "level_pictures" of the
// test folder in the build.
#include "game/play/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/Shadow.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/BallFollower.h"
#include "tests/support/ScreenPictures.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace Korvane;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
using PlayTest::LevelCase;
using PlayTest::kSettleFrameTime;
using PlayTest::kSettleSeconds;

const std::string kLevelPictureFolder = std::string(KORVANE_TEST_OUTPUT) + "/level_pictures";
// Blocks appear a stack level at a time and the first bat waits before it rises: all is in place by then.
// A frame this short moves nothing that can be seen.
constexpr double kStillFrameTime = 0.0005;
// A block may stand this far into the field's walls where the data set rounds its places.
constexpr f32 kWallTolerance = 0.01f;

void SaveLevelPicture(const VelkorEngine::Image& image, const std::string& name)
{
    const u32 channels = static_cast<u32>(image.GetBitsPerPixel()) / 8;
    const ImageTest::Picture picture{image.GetWidth(), image.GetHeight(), channels,
                                     std::vector<VelkorEngine::u8>(image.GetData(),
                                                                   image.GetData() + image.GetDataSize())};
    ImageTest::WriteBytes(kLevelPictureFolder + "/" + name + ".tga",
                          ImageTest::MakeTga(picture, {.runLength = true, .topDown = true}));
}

// One drawn frame, photographed.
VelkorEngine::Image DrawnFrame(TestSupport::GeneratedLevelBed& play)
{
    play.SetDrawn(true);
    play.Frame();
    play.SetDrawn(false);
    VelkorEngine::Image shot;
    play.GetEngine().GetRenderSystem()->TakeScreenshot(shot);
    return shot;
}

// Pixels at least a little darker in the first picture than in the second.
size_t DarkerPixels(const VelkorEngine::Image& first, const VelkorEngine::Image& second)
{
    const size_t channels = static_cast<size_t>(first.GetBitsPerPixel()) / 8;
    size_t darker = 0;
    for (size_t i = 0; i + channels <= first.GetDataSize() && i + channels <= second.GetDataSize(); i += channels)
    {
        int difference = 0;
        for (size_t c = 0; c < 3; ++c)
            difference += static_cast<int>(second.GetData()[i + c]) - static_cast<int>(first.GetData()[i + c]);
        if (difference >= 12)
            ++darker;
    }
    return darker;
}

// Where the blocks lie in a picture, found against the same view without them: the rows that differ, and the
// runs of differing pixels just above the lowest of them, the front faces of the blocks nearest the player.
struct BlockBand
{
    int top = -1;
    int bottom = -1;
    int nearestFace = 0;
};

bool Differs(const VelkorEngine::Image& first, const VelkorEngine::Image& second, size_t pixel)
{
    const size_t channels = static_cast<size_t>(first.GetBitsPerPixel()) / 8;
    int difference = 0;
    for (size_t c = 0; c < 3; ++c)
        difference += std::abs(static_cast<int>(first.GetData()[pixel * channels + c]) -
                               static_cast<int>(second.GetData()[pixel * channels + c]));
    return difference >= 24;
}

BlockBand FindBlockBand(const VelkorEngine::Image& withBlocks, const VelkorEngine::Image& without)
{
    // A few changed pixels in a row are a flame's flicker, not a block.
    constexpr u32 kChangedRow = 6;
    const u32 width = withBlocks.GetWidth(), height = withBlocks.GetHeight();
    // Rows counted from the picture's top; the image keeps its row 0 at the bottom.
    const auto differs = [&](u32 x, int row) {
        return Differs(withBlocks, without, static_cast<size_t>(height - 1 - static_cast<u32>(row)) * width + x);
    };
    BlockBand band;
    for (int row = 0; row < static_cast<int>(height); ++row)
    {
        u32 changed = 0;
        for (u32 x = 0; x < width; ++x)
            changed += differs(x, row) ? 1u : 0u;
        if (changed < kChangedRow)
            continue;
        band.top = band.top < 0 ? row : band.top;
        band.bottom = row;
    }
    // Faces side by side may run together where the gap between them is hidden: the narrowest run is the
    // narrowest face or wider. Runs of a few pixels are edges of blocks further back.
    constexpr int kEdge = 4;
    band.nearestFace = static_cast<int>(width);
    for (int row = std::max(0, band.bottom - 6); row < band.bottom - 1; ++row)
    {
        int run = 0;
        for (u32 x = 0; x <= width; ++x)
        {
            if (x < width && differs(x, row))
            {
                ++run;
                continue;
            }
            if (run > kEdge)
                band.nearestFace = std::min(band.nearestFace, run);
            run = 0;
        }
    }
    return band;
}

// The field's inner faces: the side walls' and the top wall's.
struct Inside
{
    f32 left = 0.0f;
    f32 right = 0.0f;
    f32 top = 0.0f;
};

Inside InnerFaces(const GameField& field)
{
    Inside inside;
    for (const VelkorEngine::BoundingVolume& wall : field.GetZones())
    {
        const VelkorEngine::Vector3 low = wall.GetWorldMinimum();
        const VelkorEngine::Vector3 high = wall.GetWorldMaximum();
        if (high.y - low.y >= high.x - low.x)
        {
            if (wall.GetCenter().x <= 0.0f)
                inside.left = high.x;
            else
                inside.right = low.x;
        }
        else
            inside.top = low.y;
    }
    return inside;
}

std::string StageAndLevelName(const testing::TestParamInfo<LevelCase>& info)
{
    return "Stage" + std::to_string(info.param.stage) + "Level" + std::to_string(info.param.level);
}

class LevelPictures : public testing::TestWithParam<LevelCase>
{
};
}

TEST_P(LevelPictures, TheLevelStandsTexturedLitAndShadowedInsideTheField)
{
    TestSupport::GeneratedLevelBed play(KORVANE_DATA_ROOT, 4321, TestSupport::GeneratedLevelBed::Display::Offscreen);
    play.frameTime = kSettleFrameTime;
    std::filesystem::create_directories(kLevelPictureFolder);
    GameLogic& logic = play.Play(GetParam().stage, GetParam().level, 4);
    play.SetDrawn(false);
    play.Frames(static_cast<int>(kSettleSeconds / kSettleFrameTime));
    const VelkorEngine::Image shot = DrawnFrame(play);
    SaveLevelPicture(shot, "level_" + std::to_string(GetParam().stage) + "_" + std::to_string(GetParam().level));
    EXPECT_GT(TestSupport::Spread(shot), 10.0) << "the picture shows nothing";

    EXPECT_GT(play.GetEngine().GetLightManager()->GetLightCount(), 0u);
    const Inside inside = InnerFaces(logic.GetField());
    u32 shadows = 0;
    for (const auto& block : logic.GetGeometry().GetBlocks())
    {
        const VelkorEngine::BoundingVolume box = block->GetBounds();
        EXPECT_TRUE((block->GetModel()->flags & VelkorEngine::ModelFlags::Visible) != 0)
            << block->GetName() << " " << block->GetId() << " has not appeared";
        EXPECT_NE(block->GetModel()->GetShader(), nullptr) << block->GetName();
        EXPECT_GE(box.GetWorldMinimum().x, inside.left - kWallTolerance) << block->GetName() << " " << block->GetId();
        EXPECT_LE(box.GetWorldMaximum().x, inside.right + kWallTolerance) << block->GetName() << " " << block->GetId();
        EXPECT_LE(box.GetWorldMaximum().y, inside.top + kWallTolerance) << block->GetName() << " " << block->GetId();
        EXPECT_GE(box.GetWorldMinimum().z, -kWallTolerance) << block->GetName() << " " << block->GetId();
        if (block->GetShadow() != nullptr && block->GetShadow()->IsShown())
            ++shadows;
    }
    EXPECT_GT(shadows, 0u);
    EXPECT_TRUE(logic.GetBat().IsReady());

    // The same view with the blocks' shadows faded out: the floor where they fell is lighter.
    for (const auto& block : logic.GetGeometry().GetBlocks())
        if (block->GetShadow() != nullptr)
            block->GetShadow()->SetStrength(0.0f);
    const VelkorEngine::Image unshadowed = DrawnFrame(play);
    EXPECT_GT(DarkerPixels(shot, unshadowed), 500u) << "the blocks throw no shadow that can be seen";

    // And without the blocks, a moment later so that the banners and flames stand still: the blocks fill a fifth
    // of the picture's height or more, and a block nearest the player shows a face of 40 pixels or more in a
    // 1024 pixel wide picture.
    play.frameTime = kStillFrameTime;
    const VelkorEngine::Image still = DrawnFrame(play);
    for (const auto& block : logic.GetGeometry().GetBlocks())
        block->SetVisible(false);
    const VelkorEngine::Image empty = DrawnFrame(play);
    const BlockBand band = FindBlockBand(still, empty);
    const f32 height = static_cast<f32>(shot.GetHeight()), width = static_cast<f32>(shot.GetWidth());
    std::printf("blocks from row %d to %d of %u (%.1f %% of the height); nearest face %d of %u pixels (%.0f at "
                "1024)\n",
                band.top, band.bottom, shot.GetHeight(), 100.0f * static_cast<f32>(band.bottom - band.top) / height,
                band.nearestFace, shot.GetWidth(), static_cast<f32>(band.nearestFace) * 1024.0f / width);
    EXPECT_GE(static_cast<f32>(band.bottom - band.top), 0.2f * height);
    EXPECT_GE(static_cast<f32>(band.nearestFace), 40.0f / 1024.0f * width);
}

INSTANTIATE_TEST_SUITE_P(Generated, LevelPictures,
                         testing::Values(LevelCase{0, 0}, LevelCase{0, 1}, LevelCase{0, 2}, LevelCase{0, 3},
                                         LevelCase{0, 4}, LevelCase{1, 0}, LevelCase{1, 1}, LevelCase{1, 2},
                                         LevelCase{1, 3}, LevelCase{1, 4}),
                         StageAndLevelName);

TEST(BallPictures, ABallLaunchedFromTheBatBouncesThroughTheLevel)
{
    TestSupport::GeneratedLevelBed play(KORVANE_DATA_ROOT, 4321, TestSupport::GeneratedLevelBed::Display::Offscreen);
    play.frameTime = kSettleFrameTime;
    std::filesystem::create_directories(kLevelPictureFolder);
    GameLogic& logic = play.Play(0, 0, 4);
    play.SetDrawn(false);
    play.Frames(static_cast<int>(kSettleSeconds / kSettleFrameTime));
    ASSERT_TRUE(logic.GetBat().IsReady());
    play.frameTime = 1.0 / 60.0;
    logic.Click();
    play.Frame();
    ASSERT_EQ(logic.GetBallManager().GetBalls().size(), 1u);
    const Ball& ball = *logic.GetBallManager().GetBalls().front();
    ASSERT_FALSE(ball.IsHeld());
    const VelkorEngine::i32 blocksAtLaunch = logic.GetGeometry().GetRemainingCount();
    constexpr int kPictures = 10;
    constexpr int kFramesBetween = 20;
    VelkorEngine::Vector2 last = ball.GetFlight().position;
    // The ball comes back from the blocks within the pictures' span: the bat meets it, so it stays in play.
    TestSupport::BallFollower player(logic);
    for (int picture = 0; picture < kPictures; ++picture)
    {
        for (int frame = 0; frame < kFramesBetween; ++frame)
        {
            player.Step(play.cursor);
            if (frame + 1 < kFramesBetween)
                play.Frame();
        }
        const VelkorEngine::Image shot = DrawnFrame(play);
        ASSERT_EQ(logic.GetBallManager().GetBalls().size(), 1u) << "the ball was lost before picture " << picture;
        ASSERT_EQ(logic.GetBallManager().GetBalls().front(), &ball);
        SaveLevelPicture(shot, "ball_" + std::to_string(picture));
        EXPECT_GT(TestSupport::Spread(shot), 10.0);
        const VelkorEngine::Vector2 now = ball.GetFlight().position;
        EXPECT_GT(std::hypot(now.x - last.x, now.y - last.y), 1.0f) << "the ball stands still at picture " << picture;
        last = now;
    }
    EXPECT_LT(logic.GetGeometry().GetRemainingCount(), blocksAtLaunch) << "the ball broke nothing on its way";
}
