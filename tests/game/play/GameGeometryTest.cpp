// The level's blocks: which count towards completing it, bottom-up appearance, bricks weakening and breaking
// with their scores, a block whose support goes hopping and landing on what remains, explosive chains within
// their timing window, and a paused level standing still. Fixed frame times and a seeded generator.
#include "game/play/GameGeometry.h"

#include "engine/core/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "framework/DataKeeper.h"
#include "framework/ScoreKeeper.h"
#include "game/play/Block.h"
#include "game/play/Brick.h"
#include "game/play/BrickDurability.h"
#include "game/play/Effects.h"
#include "game/play/ExplosionManager.h"
#include "game/play/Fragment.h"
#include "game/play/GameLogicData.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/EngineTestBed.h"
#include "tools/formats/LevelGeometryWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Korvane;
using KorvaneTools::LevelObject;
using VelkorEngine::i32;
using VelkorEngine::u32;

namespace
{
using PlayTest::kClockFrame50Hz;

// A block of the placeholder model: a box 2 units high whose centre sits at the given place.
LevelObject At(const std::string& block, float x, float z, std::vector<VelkorEngine::u16> supports = {})
{
    LevelObject object;
    object.block = block;
    object.keyFrames = {KorvaneTools::LevelKeyFrame{{x, 0.0f, z}, {0, 0, 0, 1}}};
    object.supports = std::move(supports);
    return object;
}

class GameGeometryTest : public ::testing::Test
{
protected:
    GameGeometryTest() : scores(0)
    {
        bed.Start();
        VelkorEngine::SeedRandom(1234);
        WriteBlock("brick.xml", "<block/>");
        WriteBlock("hard.xml", "<block strength=\"3\"><shader frame_count=\"3\"/></block>");
        WriteBlock("stone.xml", "<block strength=\"0\"/>");
        WriteBlock("mine.xml", "<block strength=\"0\" explosive=\"1\"/>");
        WriteBlock("bomb.xml", "<block explosive=\"1\"/>");
        WriteBlock("keeper.xml", "<block type=\"ball_keeper\"/>");
        WriteBlock("anchor.xml", "<block/>");
        WriteBlock("pillar.xml", "<block fragment_count=\"3\"/>");
        WriteBlock("urn.xml", "<block fragment_count=\"2\" fake_fragments=\"1\" shadow=\"0\"/>");
        WriteBlock("tile.xml", "<block strength=\"3\" fragment_count=\"2\"><shader frame_count=\"3\"/></block>");
        // Each event scores a power of eight, so the total tells how often each one came.
        for (u32 event = 0; event <= 8; ++event)
            scores.RegisterScoreEvent(event, 1u << (3 * event));
    }
    ~GameGeometryTest() override
    {
        geometry.reset();
        effects.reset();
    }

    void Write(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(bed.folder / path).parent_path());
        bed.folder.WriteFile(path, bytes);
    }
    void WriteBlock(const std::string& file, const std::string& xml) { Write("data/game_objects/blocks/" + file, xml); }

    GameGeometry& Build(std::vector<LevelObject> objects, u32 fixedMask = 0, u32 keyFrames = 1, float speed = 0.0f,
                        std::vector<std::string> textures = {""})
    {
        KorvaneTools::LevelGeometry level;
        level.keyFrameCount = keyFrames;
        level.keyFrameSpeed = speed;
        level.textures = std::move(textures);
        level.objects = std::move(objects);
        for (size_t i = 0; i < level.objects.size(); ++i)
            if (fixedMask & (1u << i))
                level.objects[i].flags = 1;
        for (size_t i = 0; i < level.objects.size(); ++i)
            for (VelkorEngine::u16 support : level.objects[i].supports)
                level.objects[support].dependents.push_back(static_cast<VelkorEngine::u16>(i));
        Write("data/levels_geometry/00_00.krg", KorvaneTools::WriteLevelGeometry(level));
        StageInfo stage;
        LevelInfo info;
        info.fileName = "00_00.krg";
        levelData = std::make_unique<GameLogicData>(&bed.GetEngine(), "en", stage, info);
        levelData->Load();
        resources = std::make_unique<GameTools::DataKeeper>(&bed.GetEngine(), "en");
        effects = std::make_unique<Effects>(&bed.GetEngine());
        geometry = std::make_unique<GameGeometry>(&bed.GetEngine(), resources.get(), levelData.get(), effects.get(),
                                                  &scores, nullptr);
        geometry->Build();
        return *geometry;
    }

    void Frames(int count, float activity = 1.0f)
    {
        for (int i = 0; i < count; ++i)
        {
            bed.clock.AdvanceSeconds(kClockFrame50Hz);
            bed.GetEngine().GetTimerManager()->Update();
            geometry->Update(activity);
        }
    }
    // Runs until every block has appeared.
    void Settle() { Frames(60); }

    static bool Shown(const Block& block) { return (block.GetModel()->flags & VelkorEngine::ModelFlags::Visible) != 0; }

    TestSupport::EngineTestBed bed;
    GameFramework::ScoreKeeper scores;
    std::unique_ptr<GameLogicData> levelData;
    std::unique_ptr<GameTools::DataKeeper> resources;
    std::unique_ptr<Effects> effects;
    std::unique_ptr<GameGeometry> geometry;
};

TEST_F(GameGeometryTest, OnlyBreakableAndExplosiveBricksCountTowardsCompletion)
{
    GameGeometry& level = Build({At("brick", -20, 1), At("brick", -10, 1), At("brick", 0, 1), At("stone", 10, 1),
                                 At("keeper", 20, 1), At("mine", 30, 1)});
    EXPECT_EQ(level.GetRemainingCount(), 4);
    EXPECT_EQ(level.GetInitialCount(), 4);
    EXPECT_EQ(level.GetBricks().size(), 5u);
    EXPECT_EQ(level.Classify(level.GetBlocks()[4].get()), GameGeometry::ClassBallKeeper);
    Settle();

    // 24 hits dent the stone, the 25th breaks it; the count does not move.
    for (int hit = 0; hit < 25; ++hit)
        level.HitBlock(3, DestroyKind::Simple);
    Frames(1);
    EXPECT_EQ(level.GetBlocks().size(), 5u);
    EXPECT_EQ(level.GetRemainingCount(), 4);
    level.HitBlock(0, DestroyKind::Simple);
    Frames(1);
    EXPECT_EQ(level.GetRemainingCount(), 3);
    EXPECT_EQ(scores.GetScore(), (1u << 21) + (1u << 3));
}

TEST_F(GameGeometryTest, StacksAppearFromTheBottomUp)
{
    GameGeometry& level = Build({At("brick", 0, 1), At("brick", 0, 3, {0}), At("brick", 0, 5, {1})});
    std::vector<double> shownAt(3, -1.0);
    for (int frame = 1; frame <= 80; ++frame)
    {
        Frames(1);
        for (u32 i = 0; i < 3; ++i)
            if (shownAt[i] < 0 && Shown(*level.GetBlocks()[i]))
                shownAt[i] = frame * kClockFrame50Hz;
    }
    EXPECT_GE(shownAt[0], 0.15);
    EXPECT_LE(shownAt[0], 0.35 + kClockFrame50Hz);
    for (u32 i = 1; i < 3; ++i)
    {
        EXPECT_GE(shownAt[i] - shownAt[i - 1], 0.15 - kClockFrame50Hz) << i;
        EXPECT_LE(shownAt[i] - shownAt[i - 1], 0.35 + kClockFrame50Hz) << i;
    }
}

TEST_F(GameGeometryTest, HardBrickWeakensTwiceThenBreaks)
{
    GameGeometry& level = Build({At("hard", 0, 1), At("hard", 10, 1)});
    Settle();
    level.HitBlock(0, DestroyKind::Simple);
    level.HitBlock(0, DestroyKind::Simple);
    EXPECT_TRUE(level.GetBlocks()[0]->IsAlive());
    EXPECT_EQ(scores.GetScore(), 2u << 6);
    level.HitBlock(0, DestroyKind::Simple);
    EXPECT_FALSE(level.GetBlocks()[0]->IsAlive());
    EXPECT_EQ(scores.GetScore(), (2u << 6) + (1u << 9));
    // A super ball breaks a hard brick at once.
    level.HitBlock(1, DestroyKind::Super);
    EXPECT_FALSE(level.GetBlocks()[1]->IsAlive());
    Frames(1);
    EXPECT_EQ(level.GetRemainingCount(), 0);
}

TEST_F(GameGeometryTest, BlockLosingItsSupportHopsAndLandsOnWhatRemains)
{
    // anchor (fixed) at the floor, a brick on it, a brick on that, and a fixed brick on the first too.
    GameGeometry& level = Build({At("anchor", 0, 1), At("brick", 0, 3, {0}), At("brick", 0, 5, {1}),
                                 At("anchor", 5, 3, {0})},
                                1u | 8u);
    Settle();
    const Block& top = *level.GetBlocks()[2];
    level.HitBlock(1, DestroyKind::Simple);
    // The top rested 4 above the floor: it is thrown up at 0.8 * 4 + 20.
    EXPECT_FLOAT_EQ(level.GetStack().GetVerticalSpeed(2), 0.8f * 4.0f + 20.0f);
    Frames(1);
    EXPECT_EQ(level.GetBlocks().size(), 3u);
    EXPECT_GT(top.GetPosition().z, 5.0f);
    Frames(100);
    // It comes down on the anchor: its bottom at 2, its centre at 3.
    EXPECT_NEAR(top.GetPosition().z, 3.0f, 1e-4);
    EXPECT_EQ(level.GetStack().GetSupports(2), (std::vector<u32>{0}));
    EXPECT_FLOAT_EQ(level.GetBlocks()[2 - 0]->GetPosition().z, 3.0f);
}

TEST_F(GameGeometryTest, ExplosiveBrickSetsOffItsNeighboursWithinTheBlastWindow)
{
    // Boxes 2 wide: the bomb touches its neighbour (enlarged), the neighbour the mine, the far brick nothing.
    GameGeometry& level = Build({At("bomb", 0, 1), At("brick", 2.2f, 1), At("mine", -2.2f, 1),
                                 At("brick", -4.4f, 1), At("brick", 40, 1)});
    Settle();
    level.HitBlock(0, DestroyKind::Simple);
    const BlastSchedule& blasts = *level.GetBlasts();
    EXPECT_TRUE(blasts.IsPending(1));
    EXPECT_TRUE(blasts.IsPending(2));
    EXPECT_FALSE(blasts.IsPending(3));
    EXPECT_FALSE(blasts.IsPending(4));
    Frames(4); // 0.08 s: nothing has gone off yet
    EXPECT_EQ(level.GetBlocks().size(), 4u);
    Frames(12); // 0.32 s: both neighbours went off, the mine passing the blast on
    EXPECT_EQ(level.FindBlock(1), nullptr);
    EXPECT_EQ(level.FindBlock(2), nullptr);
    EXPECT_TRUE(blasts.IsPending(3));
    Frames(16);
    EXPECT_EQ(level.FindBlock(3), nullptr);
    ASSERT_NE(level.FindBlock(4), nullptr);
    EXPECT_EQ(level.GetRemainingCount(), 1);
}

TEST_F(GameGeometryTest, PausedLevelNeitherMovesNorRemovesBlocks)
{
    GameGeometry& level = Build({At("brick", 0, 1)});
    Settle();
    level.HitBlock(0, DestroyKind::Simple);
    level.SetPaused(true);
    Frames(5);
    EXPECT_EQ(level.GetBlocks().size(), 1u);
    level.SetPaused(false);
    Frames(1);
    EXPECT_TRUE(level.GetBlocks().empty());
}

TEST_F(GameGeometryTest, BrokenBlocksFlyApartLandSinkAndTheirExplosionsReturnToThePool)
{
    GameGeometry& level = Build({At("pillar", -30, 1), At("pillar", -20, 1), At("pillar", -10, 1), At("urn", 10, 1),
                                 At("brick", 20, 1)});
    ExplosionManager& explosions = *level.GetExplosionManager();
    const i32 pillars = level.GetBlocks()[0]->GetFragmentSet();
    EXPECT_GE(pillars, 0);
    EXPECT_EQ(level.GetBlocks()[4]->GetFragmentSet(), -1);
    // Three pillars share a pool of two explosions of three pieces; the urn has one of two.
    const std::vector<Explosion*> pool = explosions.GetSet(pillars);
    ASSERT_EQ(pool.size(), 2u);
    EXPECT_EQ(pool[0]->GetFragments().size(), 3u);
    EXPECT_EQ(explosions.GetSet(level.GetBlocks()[3]->GetFragmentSet()).size(), 1u);
    Settle();

    level.HitBlock(0, DestroyKind::Simple);
    Frames(1);
    ASSERT_TRUE(pool[0]->IsActive());
    const Fragment& piece = *pool[0]->GetFragments()[0];
    EXPECT_TRUE(piece.IsFlying());
    EXPECT_TRUE(piece.GetModel()->flags & VelkorEngine::ModelFlags::Visible);
    Frames(10);
    // The other two pillars break together: one takes the idle explosion, the other takes over the older one.
    level.HitBlock(0, DestroyKind::Simple);
    level.HitBlock(1, DestroyKind::Simple);
    Frames(1);
    EXPECT_TRUE(pool[1]->IsActive());
    EXPECT_FLOAT_EQ(pool[0]->GetAge(), static_cast<float>(kClockFrame50Hz));

    // They land within seconds, lie 12 s and sink away.
    Frames(100);
    EXPECT_GT(piece.GetFlight().GetLandedTime(), 0.0f);
    EXPECT_TRUE(piece.IsFlying());
    Frames(700);
    EXPECT_FALSE(piece.IsFlying());
    EXPECT_FALSE(piece.GetModel()->flags & VelkorEngine::ModelFlags::Visible);
    EXPECT_FALSE(pool[0]->IsActive());
    EXPECT_FALSE(pool[1]->IsActive());
}

TEST_F(GameGeometryTest, AnimatedBlocksFollowTheLevelsKeyFramesAndStillOnesStay)
{
    LevelObject moving = At("anchor", 0, 1);
    moving.animated = true;
    moving.keyFrames = {KorvaneTools::LevelKeyFrame{{0, 0, 1}, {0, 0, 0, 1}},
                        KorvaneTools::LevelKeyFrame{{10, 0, 1}, {0, 0, 0, 1}},
                        KorvaneTools::LevelKeyFrame{{20, 0, 1}, {0, 0, 0, 1}}};
    GameGeometry& level = Build({moving, At("anchor", 40, 1)}, 3u, 3, 1.0f);
    Frames(25); // half a second at one key frame a second
    EXPECT_NEAR(level.GetBlocks()[0]->GetPosition().x, 5.0f, 0.3f);
    EXPECT_FLOAT_EQ(level.GetBlocks()[1]->GetPosition().x, 40.0f);
    // While the game pauses (activity 0) the level stands still.
    const float before = level.GetBlocks()[0]->GetPosition().x;
    Frames(10, 0.0f);
    EXPECT_FLOAT_EQ(level.GetBlocks()[0]->GetPosition().x, before);
}
}

TEST_F(GameGeometryTest, PiecesWearAWrappedPatchOfTheirBlocksTextureInItsCurrentFrame)
{
    GameGeometry& level = Build({At("tile", -10, 1), At("tile", 10, 1)}, 0, 1, 0.0f, {"tile0.jpg"});
    Settle();
    const VelkorEngine::ShaderUser& blockShader = *level.GetBlocks()[0]->GetModel()->GetShader();
    const i32 tiles = level.GetBlocks()[0]->GetFragmentSet();
    ASSERT_EQ(blockShader.GetStageCount(), 1u);
    EXPECT_EQ(blockShader.GetStage(0).addressModeU, VelkorEngine::RenderSystem::AddressClamp);
    level.HitBlock(0, DestroyKind::Simple);
    const VelkorEngine::u32 frame = blockShader.GetStage(0).frameIndex;
    EXPECT_EQ(frame, 1u);
    // The broken block's shader goes with it.
    const VelkorEngine::Shader* textures = blockShader.GetShader();
    level.HitBlock(0, DestroyKind::Super);
    Frames(1);

    const std::vector<Explosion*> pool = level.GetExplosionManager()->GetSet(tiles);
    ASSERT_FALSE(pool.empty());
    for (const auto& piece : pool[0]->GetFragments())
    {
        const VelkorEngine::ShaderUser& worn = *piece->GetModel()->GetShader();
        ASSERT_EQ(worn.GetStageCount(), 1u);
        const VelkorEngine::ShaderStage& stage = worn.GetStage(0);
        EXPECT_EQ(worn.GetShader(), textures);
        EXPECT_EQ(stage.scaleU, 0.25f);
        EXPECT_EQ(stage.scaleV, 0.25f);
        EXPECT_GE(stage.offsetU, 0.0f);
        EXPECT_LT(stage.offsetU, 5.0f);
        EXPECT_GE(stage.offsetV, 0.0f);
        EXPECT_LT(stage.offsetV, 5.0f);
        EXPECT_EQ(stage.addressModeU, VelkorEngine::RenderSystem::AddressWrap);
        EXPECT_EQ(stage.addressModeV, VelkorEngine::RenderSystem::AddressWrap);
        EXPECT_EQ(stage.frameIndex, frame);
    }
    // The other block of the kind keeps its whole texture.
    ASSERT_EQ(level.GetBlocks().size(), 1u);
    EXPECT_EQ(level.GetBlocks()[0]->GetModel()->GetShader()->GetStage(0).scaleU, 1.0f);
}
