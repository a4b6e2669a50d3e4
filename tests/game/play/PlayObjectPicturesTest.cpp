// The hammer and the bonuses as the player sees them, drawn by a real engine on the offscreen driver through the
// game's camera: the hammer wholly in the picture at rest and through its swing, its head coming down on the
// block it destroys in every level and every video mode, and the eleven bonuses side by side at 1024 x 768, each
// unlike the others. The pictures are written to "play_object_pictures" in the build's test folder.
#include "game/play/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/play/Block.h"
#include "game/play/Bonus.h"
#include "game/play/BrickDurability.h"
#include "game/play/BonusManager.h"
#include "game/play/GameGeometry.h"
#include "game/play/Hammer.h"
#include "game/play/LevelManager.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/ScreenPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

using namespace Korvane;
using TestSupport::GeneratedLevelBed;
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
using PlayTest::kSettleFrameTime;
using PlayTest::kSettleSeconds;

const std::string kObjectPictureFolder = std::string(KORVANE_TEST_OUTPUT) + "/play_object_pictures";
constexpr const char* kVideoMode = "1024x768x32";
// The video modes the options offer.
constexpr std::array<const char*, 3> kVideoModes = {"640x480x32", "800x600x32", "1024x768x32"};

class PlayObjectPictures
{
public:
    explicit PlayObjectPictures(const char* videoMode = kVideoMode)
        : play(KORVANE_DATA_ROOT, 4321, GeneratedLevelBed::Display::Offscreen, videoMode)
    {
    }

    GameLogic& Start(u32 stage, u32 level)
    {
        play.frameTime = kSettleFrameTime;
        GameLogic& logic = play.Play(stage, level, 4);
        play.SetDrawn(false);
        play.Frames(static_cast<int>(kSettleSeconds / kSettleFrameTime));
        play.frameTime = GeneratedLevelBed::FrameTime;
        return logic;
    }

    VelkorEngine::CameraManager& Cameras() { return *play.GetEngine().GetCameraManager(); }

    // Viewport pixels, y upwards as the screenshot's rows run.
    Vector2 OnScreen(const Vector3& point) { return Cameras().ProjectToScreen(Cameras().GetDefaultCamera(), point); }

    // The GUI cursor over the pixel.
    void PointAt(const Vector2& pixel)
    {
        play.cursor = Vector2(pixel.x * 800.0f / static_cast<f32>(Cameras().GetViewportWidth()),
                              pixel.y * 600.0f / static_cast<f32>(Cameras().GetViewportHeight()));
    }

    // Drawn whatever the frames before were.
    VelkorEngine::Image Picture(const std::string& name)
    {
        const bool drawn = play.IsDrawn();
        play.SetDrawn(true);
        play.Frame();
        play.SetDrawn(drawn);
        VelkorEngine::Image shot = TestSupport::TakePicture(play.GetEngine());
        TestSupport::KeepPicture(shot, kObjectPictureFolder + "/" + name + ".tga");
        return shot;
    }

    GeneratedLevelBed play;
};

// How far the model's drawn corners reach on the screen, in viewport pixels.
struct ScreenBox
{
    Vector2 low{1e9f, 1e9f};
    Vector2 high{-1e9f, -1e9f};
};

ScreenBox ModelOnScreen(PlayObjectPictures& pictures, const VelkorEngine::Model& model)
{
    ScreenBox box;
    const VelkorEngine::VertexBuffer& vertices = *model.vertexBuffer;
    for (u32 i = 0; i < vertices.GetVertexCount(); ++i)
    {
        Vector3 local;
        std::memcpy(&local.x, vertices.GetData() + static_cast<size_t>(i) * vertices.GetStride(), sizeof(f32) * 3);
        const Vector2 pixel = pictures.OnScreen(model.worldMatrix.TransformPoint(local));
        box.low = Vector2(std::min(box.low.x, pixel.x), std::min(box.low.y, pixel.y));
        box.high = Vector2(std::max(box.high.x, pixel.x), std::max(box.high.y, pixel.y));
    }
    return box;
}

void ExpectInPicture(PlayObjectPictures& pictures, const VelkorEngine::Model& model, const std::string& when)
{
    const ScreenBox box = ModelOnScreen(pictures, model);
    const f32 width = static_cast<f32>(pictures.Cameras().GetViewportWidth());
    const f32 height = static_cast<f32>(pictures.Cameras().GetViewportHeight());
    EXPECT_GE(box.low.x, 0.0f) << when;
    EXPECT_GE(box.low.y, 0.0f) << when;
    EXPECT_LE(box.high.x, width) << when;
    EXPECT_LE(box.high.y, height) << when;
}

// The block's box as the camera shows it.
ScreenBox BlockOnScreen(PlayObjectPictures& pictures, const Block& block)
{
    ScreenBox box;
    const VelkorEngine::BoundingVolume bounds = block.GetBounds();
    const Vector3 low = bounds.GetWorldMinimum();
    const Vector3 high = bounds.GetWorldMaximum();
    for (int corner = 0; corner < 8; ++corner)
    {
        const Vector2 pixel = pictures.OnScreen(Vector3((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                                                        (corner & 4) ? high.z : low.z));
        box.low = Vector2(std::min(box.low.x, pixel.x), std::min(box.low.y, pixel.y));
        box.high = Vector2(std::max(box.high.x, pixel.x), std::max(box.high.y, pixel.y));
    }
    return box;
}

// Blocks spread over the level: every few in the geometry's order, the nearest and the farthest among them.
std::vector<u32> SpreadBlockIds(const GameGeometry& geometry, size_t count)
{
    std::vector<const Block*> blocks;
    for (const auto& block : geometry.GetBlocks())
        if (block->IsAlive())
            blocks.push_back(block.get());
    std::sort(blocks.begin(), blocks.end(),
              [](const Block* a, const Block* b) { return a->GetCenter().y < b->GetCenter().y; });
    std::vector<u32> ids;
    for (size_t i = 0; i < count && !blocks.empty(); ++i)
        ids.push_back(blocks[i * (blocks.size() - 1) / std::max<size_t>(count - 1, 1)]->GetId());
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

struct HammerCase
{
    u32 stage;
    u32 level;
    const char* videoMode;
};

void PrintTo(const HammerCase& c, std::ostream* out)
{
    *out << "stage " << c.stage << " level " << c.level << " at " << c.videoMode;
}

class HammerPictures : public testing::TestWithParam<HammerCase>
{
};

// In each level and each video mode the cursor goes over blocks from the nearest row to the farthest; each click
// brings the head down on the block under the cursor, which the strike destroys.
TEST_P(HammerPictures, TheHammerStaysInThePictureAndItsHeadComesDownOnTheBlockItDestroys)
{
    const auto [stage, level, videoMode] = GetParam();
    PlayObjectPictures pictures(videoMode);
    GameLogic& logic = pictures.Start(stage, level);
    // The cursor's line of sight reaches only as deep as the view does.
    pictures.play.SetDrawn(true);
    Hammer& hammer = logic.GetHammer();
    hammer.AddStrikes(GameLogic::HammerStrikes);
    const std::string mode(videoMode);
    const std::string name =
        "hammer_" + mode.substr(0, mode.rfind('x')) + "_" + std::to_string(stage) + "_" + std::to_string(level);
    int strikes = 0;
    for (const u32 id : SpreadBlockIds(logic.GetGeometry(), GameLogic::HammerStrikes))
    {
        const Block* aimed = logic.GetGeometry().FindBlock(id);
        if (aimed == nullptr || !aimed->IsAlive())
            continue;
        pictures.PointAt(pictures.OnScreen(aimed->GetCenter()));
        pictures.play.Frames(2);
        const Block* target = hammer.PickBlock(hammer.CursorSegment());
        ASSERT_NE(target, nullptr) << "no block under the cursor at block " << id;
        const ScreenBox targetBox = BlockOnScreen(pictures, *target);
        const u32 targetId = target->GetId();
        // The strike breaks what a super ball breaks: an unbreakable block stands, though struck on target.
        const bool breakable = (target->GetKindFlags() & BlockKind::Unbreakable) == 0;
        const std::string at = name + " block " + std::to_string(targetId) + " (" + target->GetName() + ")";
        ExpectInPicture(pictures, *hammer.GetModel(), at + " at rest");
        if (strikes == 0)
            pictures.Picture(name + "_rest");

        hammer.RequestStrike();
        const i32 before = hammer.StrikesLeft();
        for (int frame = 0; frame < 60 && hammer.StrikesLeft() == before; ++frame)
        {
            pictures.play.Frame();
            ExpectInPicture(pictures, *hammer.GetModel(), at + " swinging");
        }
        ASSERT_EQ(hammer.StrikesLeft(), before - 1) << at;
        ++strikes;
        const Block* struck = logic.GetGeometry().FindBlock(targetId);
        if (breakable) {
            EXPECT_TRUE(struck == nullptr || !struck->IsAlive()) << at << " still stands after the strike";
        }
        // The striking face's middle, where the swing has brought it down, against the block it destroyed.
        const Vector2 head = pictures.OnScreen(
            hammer.GetModel()->worldMatrix.TransformPoint(Vector3(0.0f, 0.0f, -Hammer::Reach)));
        const f32 blockWidth = targetBox.high.x - targetBox.low.x;
        const Vector2 middle((targetBox.low.x + targetBox.high.x) / 2, (targetBox.low.y + targetBox.high.y) / 2);
        std::printf("%s: head %.0f px from the block's middle, the block %.0f px wide\n", at.c_str(),
                    std::hypot(head.x - middle.x, head.y - middle.y), blockWidth);
        EXPECT_LE(std::hypot(head.x - middle.x, head.y - middle.y), blockWidth) << at;
        if (strikes == 1)
            pictures.Picture(name + "_struck");
        for (int frame = 0; frame < 60 && hammer.GetModel()->animation->IsPlaying(); ++frame)
        {
            pictures.play.Frame();
            ExpectInPicture(pictures, *hammer.GetModel(), at + " returning");
        }
    }
    EXPECT_GE(strikes, 3) << name;
}

std::vector<HammerCase> EveryLevelInEveryMode()
{
    std::vector<HammerCase> cases;
    for (const char* mode : kVideoModes)
        for (u32 stage = 0; stage < 2; ++stage)
            for (u32 level = 0; level < 5; ++level)
                cases.push_back({stage, level, mode});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Generated, HammerPictures, testing::ValuesIn(EveryLevelInEveryMode()),
                         [](const testing::TestParamInfo<HammerCase>& info) {
                             const std::string mode(info.param.videoMode);
                             return "Stage" + std::to_string(info.param.stage) + "Level" +
                                    std::to_string(info.param.level) + "At" + mode.substr(0, mode.rfind('x'));
                         });

// A coarse look at a bonus's face: the mean colour of each cell of a grid laid over it.
constexpr int kCells = 6;
using Look = std::array<double, kCells * kCells * 3>;

struct Face
{
    Vector2 centre;
    Vector2 radius;
};

Look LookOf(const VelkorEngine::Image& shot, const Face& face)
{
    Look look{};
    std::array<int, kCells * kCells> counts{};
    const size_t channels = shot.GetBytesPerPixel();
    const int bottom = static_cast<int>(face.centre.y - face.radius.y);
    const int top = static_cast<int>(face.centre.y + face.radius.y);
    const int left = static_cast<int>(face.centre.x - face.radius.x);
    const int right = static_cast<int>(face.centre.x + face.radius.x);
    for (int y = bottom; y <= top; ++y)
        for (int x = left; x <= right; ++x)
        {
            const f32 u = (static_cast<f32>(x) - face.centre.x) / face.radius.x;
            const f32 v = (static_cast<f32>(y) - face.centre.y) / face.radius.y;
            if (u * u + v * v > 1.0f || x < 0 || y < 0 || x >= static_cast<int>(shot.GetWidth()) ||
                y >= static_cast<int>(shot.GetHeight()))
                continue;
            const int column = std::clamp(static_cast<int>((u + 1.0f) / 2.0f * kCells), 0, kCells - 1);
            const int row = std::clamp(static_cast<int>((v + 1.0f) / 2.0f * kCells), 0, kCells - 1);
            const size_t cell = static_cast<size_t>(row * kCells + column);
            const VelkorEngine::u8* pixel = shot.GetData() + (static_cast<size_t>(y) * shot.GetWidth() + x) * channels;
            for (size_t c = 0; c < 3; ++c)
                look[cell * 3 + c] += pixel[c];
            ++counts[cell];
        }
    for (size_t cell = 0; cell < counts.size(); ++cell)
        for (size_t c = 0; c < 3; ++c)
            look[cell * 3 + c] /= std::max(counts[cell], 1);
    return look;
}

double Difference(const Look& a, const Look& b)
{
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::fabs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
}

// The eleven kinds side by side in front of the blocks, as they fall at the start of their way to the bat;
// each must look unlike every other, not only unlike the kinds of another glow colour.
TEST(BonusPictures, TheElevenBonusesCanBeToldApartAtPlaySize)
{
    PlayObjectPictures pictures;
    GameLogic& logic = pictures.Start(0, 0);
    BonusManager& bonuses = logic.GetBonusManager();
    for (u32 kind = 0; kind < BonusManager::KindCount; ++kind)
    {
        const f32 column = static_cast<f32>(kind < 6 ? kind : kind - 6) - (kind < 6 ? 2.5f : 2.0f);
        bonuses.SpawnBonus(Vector2(column * 24.0f, kind < 6 ? -10.0f : -45.0f), kind);
    }
    const VelkorEngine::Image shot = pictures.Picture("bonuses");
    ASSERT_EQ(bonuses.GetBonuses().size(), BonusManager::KindCount);
    std::vector<Look> looks;
    for (const auto& bonus : bonuses.GetBonuses())
    {
        // The face's middle and its half extents on the screen: the emblem and the rim in the glow colour.
        const VelkorEngine::BoundingVolume bounds = bonus->GetBounds();
        const Vector3 middle = bounds.GetCenter();
        const Vector2 centre = pictures.OnScreen(middle);
        const Vector2 side = pictures.OnScreen(Vector3(bounds.GetWorldMaximum().x, middle.y, middle.z));
        const Vector2 top = pictures.OnScreen(Vector3(middle.x, middle.y, bounds.GetWorldMaximum().z));
        const f32 across = 2.0f * (side.x - centre.x) * 768.0f / static_cast<f32>(shot.GetHeight());
        const std::string name = BonusManager::GetBonusName(bonus->GetKind());
        std::printf("%s: %.0f px across at 1024 x 768\n", name.c_str(), across);
        EXPECT_GE(across, 36.0f) << name << " is too small to read";
        looks.push_back(LookOf(shot, {centre, Vector2(side.x - centre.x, top.y - centre.y)}));
    }
    double least = 1e9;
    for (size_t a = 0; a < looks.size(); ++a)
        for (size_t b = a + 1; b < looks.size(); ++b)
        {
            const double difference = Difference(looks[a], looks[b]);
            least = std::min(least, difference);
            EXPECT_GT(difference, 9.0) << BonusManager::GetBonusName(static_cast<u32>(a)) << " and "
                                        << BonusManager::GetBonusName(static_cast<u32>(b)) << " look alike";
        }
    std::printf("the two most alike bonuses differ by %.1f in 255 per colour and cell\n", least);
}
}
