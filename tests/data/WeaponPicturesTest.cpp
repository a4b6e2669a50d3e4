// The bat's weapons as the player sees them: the generated level, bat, guns, bolts, hammer and barrier drawn
// through OpenGL from the game's camera while the play objects run; pictures of the armed bat firing each gun
// and of the hammer over the field, its head come down on the block it breaks, are written to "weapon_pictures" in
// the build's test folder.
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/files/Image.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "framework/DataKeeper.h"
#include "framework/ScoreKeeper.h"
#include "game/play/Barrier.h"
#include "game/play/Block.h"
#include "game/play/BrickDurability.h"
#include "game/play/Bat.h"
#include "game/play/Bullet.h"
#include "game/play/BulletManager.h"
#include "game/play/Effects.h"
#include "game/play/Environment.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"
#include "game/play/Gun.h"
#include "game/play/Hammer.h"
#include "game/play/LevelManager.h"
#include "game/play/Lighting.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/PictureEngine.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

using namespace VelkorEngine;
using namespace Korvane;

namespace
{
constexpr f32 kFrame = 1.0f / 60.0f;
const std::string kPictures = std::string(KORVANE_TEST_OUTPUT) + "/weapon_pictures";

// One generated level in play with every weapon, on the generated data.
class ArmedLevel
{
public:
    explicit ArmedLevel(Engine& engine) : m_engine(engine)
    {
        shared = std::make_unique<GameTools::DataKeeper>(&engine, "en");
        shared->AddResourcesFile("data\\game_objects\\resources.xml", 1);
        StageInfo stage;
        stage.environment = "courtyard";
        LevelInfo info;
        info.fileName = "00_00.krg";
        level = std::make_unique<GameLogicData>(&engine, "en", stage, info);
        level->AddResourcesFile("data\\environment\\courtyard_resources.xml", 0);
        level->Load();
        environment = std::make_unique<Environment>(&engine, level.get(), stage.environment);
        lighting = std::make_unique<Lighting>(&engine, "lighting.ini");
        field = std::make_unique<GameField>(&engine, "field.krf");
        effects = std::make_unique<Effects>(&engine);
        effects->SetShadowDirection(lighting->GetShadowDirection());
        scores = std::make_unique<GameFramework::ScoreKeeper>(0);
        bat = std::make_unique<Bat>(&engine, shared.get(), effects.get(), nullptr, &cursor);
        geometry = std::make_unique<GameGeometry>(&engine, shared.get(), level.get(), effects.get(), scores.get(), nullptr);
        geometry->Build(nullptr);
        barrier = std::make_unique<Barrier>(&engine, shared.get(), effects.get());
        bullets = std::make_unique<BulletManager>(&engine, shared.get(), geometry.get(), field.get(), effects.get(), nullptr);
        for (u32 type = 0; type < GunType::Count; ++type)
            guns[type] = std::make_unique<Gun>(&engine, bat.get(), bullets.get(), effects.get(), shared.get(), type);
        hammer = std::make_unique<Hammer>(&engine, shared.get(), geometry.get(), effects.get(), nullptr, &cursor);
    }

    ~ArmedLevel()
    {
        hammer.reset();
        for (auto& gun : guns)
            gun.reset();
        bullets.reset();
        barrier.reset();
        geometry.reset();
        bat.reset();
        effects.reset();
    }

    void Frames(TestSupport::FakeClock& clock, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            clock.AdvanceSeconds(kFrame);
            m_engine.Render();
            bat->Update(1.0f);
            for (auto& gun : guns)
                gun->Update();
            hammer->Update();
            bullets->Update(1.0f);
            geometry->Update(1.0f);
            effects->Update();
            m_engine.Frame(0);
        }
    }

    Engine& m_engine;
    Vector2 cursor{400.0f, 300.0f};
    std::unique_ptr<GameTools::DataKeeper> shared;
    std::unique_ptr<GameLogicData> level;
    std::unique_ptr<Environment> environment;
    std::unique_ptr<Lighting> lighting;
    std::unique_ptr<GameField> field;
    std::unique_ptr<Effects> effects;
    std::unique_ptr<GameFramework::ScoreKeeper> scores;
    std::unique_ptr<Bat> bat;
    std::unique_ptr<GameGeometry> geometry;
    std::unique_ptr<Barrier> barrier;
    std::unique_ptr<BulletManager> bullets;
    std::array<std::unique_ptr<Gun>, GunType::Count> guns;
    std::unique_ptr<Hammer> hammer;
};

void WritePicture(Engine& engine, const std::string& name)
{
    Image shot;
    engine.GetRenderSystem()->TakeScreenshot(shot);
    ASSERT_GT(shot.GetWidth(), 0u);
    const u32 channels = static_cast<u32>(shot.GetBitsPerPixel()) / 8;
    const ImageTest::Picture picture{shot.GetWidth(), shot.GetHeight(), channels,
                                     std::vector<u8>(shot.GetData(), shot.GetData() + shot.GetDataSize())};
    ImageTest::WriteBytes(kPictures + "/" + name + ".tga",
                          ImageTest::MakeTga(picture, {.runLength = true, .topDown = true}));
}

u32 FlyingBolts(const BulletManager& bullets, u32 type)
{
    const auto& pool = bullets.GetPool(type);
    return static_cast<u32>(std::count_if(pool.begin(), pool.end(), [](const Bullet* b) { return b->IsActive() && !b->HasHit(); }));
}

Vector2 OnScreen(Engine& engine, const Vector3& point)
{
    CameraManager& cameras = *engine.GetCameraManager();
    return cameras.ProjectToScreen(cameras.GetDefaultCamera(), point);
}

// The GUI cursor's place over where the camera shows the point.
Vector2 GuiPoint(Engine& engine, const Vector3& point)
{
    const CameraManager& cameras = *engine.GetCameraManager();
    const Vector2 pixel = OnScreen(engine, point);
    return Vector2(pixel.x * 800.0f / static_cast<f32>(cameras.GetViewportWidth()),
                   pixel.y * 600.0f / static_cast<f32>(cameras.GetViewportHeight()));
}

const Block* BreakableBlockShownNearest(Engine& engine, const GameGeometry& geometry, const Vector2& guiPoint)
{
    const Block* nearest = nullptr;
    f32 nearestDistance = 1e9f;
    for (const auto& block : geometry.GetBlocks())
    {
        if (!block->IsAlive() || (block->GetKindFlags() & BlockKind::Unbreakable) != 0)
            continue;
        const Vector2 place = GuiPoint(engine, block->GetCenter());
        const f32 distance = std::hypot(place.x - guiPoint.x, place.y - guiPoint.y);
        if (distance < nearestDistance)
        {
            nearest = block.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}

// How far a box reaches on the screen, in viewport pixels.
struct ScreenSpan
{
    Vector2 low{1e9f, 1e9f};
    Vector2 high{-1e9f, -1e9f};
};

ScreenSpan SpanOnScreen(Engine& engine, const BoundingVolume& bounds)
{
    ScreenSpan span;
    const Vector3 low = bounds.GetWorldMinimum();
    const Vector3 high = bounds.GetWorldMaximum();
    for (int corner = 0; corner < 8; ++corner)
    {
        const Vector2 pixel = OnScreen(engine, Vector3((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                                                       (corner & 4) ? high.z : low.z));
        span.low = Vector2(std::min(span.low.x, pixel.x), std::min(span.low.y, pixel.y));
        span.high = Vector2(std::max(span.high.x, pixel.x), std::max(span.high.y, pixel.y));
    }
    return span;
}
}

TEST(play, ArmedBatAndHammerAreDrawnOverTheGeneratedLevel)
{
    TestSupport::TempFolder folder;
    std::filesystem::create_directory_symlink(KORVANE_DATA_STAGE, folder / "data");
    TestSupport::FakeClock clock;
    clock.SetMilliseconds(5000);
    std::filesystem::create_directories(kPictures);
    Engine engine(TestSupport::PictureEngineParameters("Weapon Pictures", folder.Path(), "800x600x32"));
    TestSupport::SetUpGameCamera(engine, Color(0.54f, 0.69f, 0.88f, 1.0f));
    ArmedLevel play(engine);
    play.Frames(clock, 150);
    ASSERT_TRUE(play.bat->IsReady());

    play.cursor.x = 520.0f;
    play.guns[GunType::Arbalet]->AddCharges(24);
    for (u32 rope = 0; rope < Barrier::MaxRopes; ++rope)
        play.barrier->AddRope();
    play.Frames(clock, 60);
    EXPECT_TRUE(play.guns[GunType::Arbalet]->GetPart().IsBoltShown());
    WritePicture(engine, "arbalest_loaded");
    for (int shot = 0; shot < 3; ++shot)
    {
        play.guns[GunType::Arbalet]->RequestFire();
        play.Frames(clock, 8);
    }
    EXPECT_EQ(FlyingBolts(*play.bullets, GunType::Arbalet), 3u);
    WritePicture(engine, "arbalest");

    play.guns[GunType::Arbalet]->Remove();
    play.guns[GunType::Ballista]->AddCharges(12);
    play.cursor.x = 300.0f;
    play.Frames(clock, 60);
    play.guns[GunType::Ballista]->RequestFire();
    play.Frames(clock, 20);
    EXPECT_EQ(FlyingBolts(*play.bullets, GunType::Ballista), 1u);
    WritePicture(engine, "ballista");

    // The ballista's bolt flies on through the blocks; it is let leave the field first, so that what breaks while
    // the hammer strikes is the hammer's doing.
    play.guns[GunType::Ballista]->Remove();
    for (int frame = 0; frame < 600 && FlyingBolts(*play.bullets, GunType::Ballista) > 0; ++frame)
        play.Frames(clock, 1);
    ASSERT_EQ(FlyingBolts(*play.bullets, GunType::Ballista), 0u);

    // The hammer aimed at the block shown nearest to a point right of the field's middle.
    play.hammer->AddStrikes(6);
    const Block* target = BreakableBlockShownNearest(engine, *play.geometry, Vector2(560.0f, 330.0f));
    ASSERT_NE(target, nullptr);
    const u32 targetId = target->GetId();
    play.cursor = GuiPoint(engine, target->GetCenter());
    play.Frames(clock, 10);
    WritePicture(engine, "hammer_aimed");
    ASSERT_EQ(play.hammer->PickBlock(play.hammer->CursorSegment()), target);
    const ScreenSpan span = SpanOnScreen(engine, target->GetBounds());
    play.hammer->RequestStrike();
    // The swing down takes four frames of the hammer's at 20 a second.
    play.Frames(clock, 14);
    EXPECT_EQ(play.hammer->StrikesLeft(), 5);
    WritePicture(engine, "hammer_struck");
    const Block* struck = play.geometry->FindBlock(targetId);
    EXPECT_TRUE(struck == nullptr || !struck->IsAlive()) << "the aimed block stands";
    // The striking face's middle, brought down by the swing, on the block it broke.
    const Vector2 head = OnScreen(engine, play.hammer->GetModel()->worldMatrix.TransformPoint(
                                              Vector3(0.0f, 0.0f, -Hammer::Reach)));
    const f32 width = span.high.x - span.low.x;
    const Vector2 middle((span.low.x + span.high.x) / 2.0f, (span.low.y + span.high.y) / 2.0f);
    EXPECT_LE(std::hypot(head.x - middle.x, head.y - middle.y), width)
        << "the head came down " << head.x - middle.x << " px right of the block's middle, the block " << width
        << " px wide";
}
