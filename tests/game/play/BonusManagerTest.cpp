// When bonuses appear and which, their fall, their models and their glows, on the generated data set's bonuses.
#include "game/play/BonusManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/SpriteGroup.h"
#include "game/play/Bonus.h"
#include "game/play/Effects.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <gtest/gtest.h>

#include <array>

using namespace Korvane;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
class BonusManagerTest : public testing::Test
{
protected:
    BonusManagerTest()
        : play(KORVANE_DATA_ROOT), effects(&play.GetEngine()),
          bonuses(&play.GetEngine(), play.resources.get(), &effects, play.sounds.get())
    {
    }

    // Frames of the manager alone at a fixed frame time.
    void Frames(int count, bool ballInPlay = true, float activity = 1.0f, bool armHammer = false)
    {
        for (int i = 0; i < count; ++i)
        {
            play.AdvanceClock();
            if (armHammer)
                bonuses.ArmHammerTimer();
            bonuses.Update(ballInPlay, 3, activity);
        }
    }

    u32 Spawned() const { return play.sounds->Count(BonusManager::SoundCreation); }

    TestSupport::GeneratedLevelBed play;
    Effects effects;
    BonusManager bonuses;
};
}

TEST_F(BonusManagerTest, TheFirstBonusComesAfterSixToNineSecondsOfFreePlay)
{
    EXPECT_GE(bonuses.GetCountdown(), 6.0f);
    EXPECT_LE(bonuses.GetCountdown(), 9.0f);
    for (u32 kind = 0; kind < BonusManager::KindCount * BonusManager::ModelsPerKind; ++kind)
        EXPECT_NE(bonuses.GetPoolModel(kind), nullptr) << kind;
}

TEST_F(BonusManagerTest, ADestroyedBrickShortensTheCountdownOrReleasesABonusOnceItHasRunOut)
{
    bonuses.SetCountdown(2.0f);
    bonuses.OnBrickDestroyed(Vector2(10.0f, 40.0f));
    EXPECT_FLOAT_EQ(bonuses.GetCountdown(), 1.92f);
    EXPECT_TRUE(bonuses.GetBonuses().empty());

    bonuses.SetCountdown(-0.1f);
    bonuses.OnBrickDestroyed(Vector2(10.0f, 40.0f));
    ASSERT_EQ(bonuses.GetBonuses().size(), 1u);
    const Bonus& bonus = *bonuses.GetBonuses().front();
    EXPECT_TRUE(bonus.IsFalling());
    EXPECT_EQ(bonus.GetPosition().x, 10.0f);
    EXPECT_EQ(bonus.GetPosition().y, 40.0f);
    EXPECT_GE(bonuses.GetCountdown(), 8.0f);
    EXPECT_LE(bonuses.GetCountdown(), 12.0f);
    EXPECT_EQ(Spawned(), 1u);
}

TEST_F(BonusManagerTest, TheCountdownRunsOnlyWhileABallIsFreeAndAtTheActivityFactor)
{
    bonuses.SetCountdown(5.0f);
    Frames(50, false);
    EXPECT_EQ(bonuses.GetCountdown(), 5.0f);
    Frames(50, true, 0.5f);
    EXPECT_NEAR(bonuses.GetCountdown(), 4.5f, 1e-3f);
    bonuses.SetPaused(true);
    Frames(50);
    EXPECT_NEAR(bonuses.GetCountdown(), 4.5f, 1e-3f);
}

struct LifeWeightCase
{
    int selector;
    u32 lifeWeight;
    u32 total;
};

class BonusLifeWeight : public BonusManagerTest, public testing::WithParamInterface<LifeWeightCase>
{
};

TEST_P(BonusLifeWeight, AnExtraLifeIsLikelierWithFewLivesLeft)
{
    bonuses.Update(false, GetParam().selector, 1.0f);
    bonuses.ChooseKind();
    EXPECT_EQ(BonusManager::LifeWeight(GetParam().selector), GetParam().lifeWeight);
    EXPECT_EQ(bonuses.GetSelecter().GetTotalWeight(), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(Lives, BonusLifeWeight,
                         testing::Values(LifeWeightCase{0, 28, 138}, LifeWeightCase{1, 16, 126},
                                         LifeWeightCase{2, 4, 114}, LifeWeightCase{7, 4, 114},
                                         LifeWeightCase{-1, 4, 114}));

TEST_F(BonusManagerTest, KindsAreChosenByTheirWeightsNeverTheSameTwiceInARow)
{
    VelkorEngine::SeedRandom(99);
    std::array<u32, BonusManager::KindCount> counts{};
    u32 last = BonusManager::KindCount;
    for (int i = 0; i < 10000; ++i)
    {
        const u32 kind = bonuses.ChooseKind();
        ASSERT_LT(kind, BonusManager::KindCount);
        ASSERT_NE(kind, last);
        last = kind;
        ++counts[kind];
    }
    for (u32 kind = 0; kind < BonusManager::KindCount; ++kind)
        EXPECT_GT(counts[kind], 0u) << kind;
    // The arbalest (18) comes far more often than the life (4) and the split (16) more than the ballista (11).
    EXPECT_GT(counts[8], 3 * counts[0]);
    EXPECT_GT(counts[5], counts[9]);
}

TEST_F(BonusManagerTest, AThirdBonusOfAKindBringsItsOwnModelWhichGoesWhenBothPoolSlotsAreBack)
{
    const u32 kind = 1;
    VelkorEngine::Model* first = bonuses.GetPoolModel(kind * 2);
    VelkorEngine::Model* second = bonuses.GetPoolModel(kind * 2 + 1);
    for (int i = 0; i < 3; ++i)
        bonuses.SpawnBonus(Vector2(-40.0f + 40.0f * static_cast<float>(i), -105.0f), kind);
    EXPECT_EQ(bonuses.GetBonuses()[0]->GetModel(), first);
    EXPECT_EQ(bonuses.GetBonuses()[1]->GetModel(), second);
    VelkorEngine::Model* own = bonuses.GetBonuses()[2]->GetModel();
    EXPECT_NE(own, first);
    EXPECT_NE(own, second);
    EXPECT_EQ(bonuses.GetPoolModel(kind * 2), nullptr);
    EXPECT_EQ(bonuses.GetPoolModel(kind * 2 + 1), nullptr);
    Frames(30);
    EXPECT_TRUE(bonuses.GetBonuses().empty());
    EXPECT_EQ(bonuses.GetPoolModel(kind * 2), first);
    EXPECT_EQ(bonuses.GetPoolModel(kind * 2 + 1), second);
}

TEST_F(BonusManagerTest, ABonusFallsSpinningAndIsLostJustBelowTheField)
{
    Bonus& bonus = *bonuses.SpawnBonus(Vector2(0.0f, 0.0f), 3);
    Frames(50);
    EXPECT_NEAR(bonus.GetPosition().y, -18.0f, 1e-3f);
    EXPECT_NEAR(bonus.GetSpin(), 3.14159265f, 1e-3f);
    EXPECT_TRUE(bonus.HasGlow());

    bonuses.SpawnBonus(Vector2(0.0f, Bonus::LostBelow), 4);
    bonuses.SpawnBonus(Vector2(0.0f, Bonus::LostBelow - 0.01f), 5);
    Frames(1, true, 0.0f);
    ASSERT_EQ(bonuses.GetBonuses().size(), 2u);
    EXPECT_EQ(bonuses.GetBonuses()[1]->GetKind(), 4u);
}

TEST_F(BonusManagerTest, HammerBonusesFallEveryEightAndAHalfSecondsOfFullActivity)
{
    Frames(420, true, 1.0f, true);
    EXPECT_EQ(Spawned(), 0u);
    Frames(10, true, 1.0f, true);
    ASSERT_EQ(Spawned(), 1u);
    EXPECT_EQ(bonuses.GetBonuses().back()->GetKind(), BonusManager::KindHammer);
    EXPECT_EQ(effects.GetEffectCount(), 1u);
    Frames(415, true, 1.0f, true);
    EXPECT_EQ(Spawned(), 1u);
    Frames(10, true, 1.0f, true);
    EXPECT_EQ(Spawned(), 2u);
    // While the game slows down for a pause the timer stands.
    const float timer = bonuses.GetHammerTimer();
    Frames(600, true, 0.5f, true);
    EXPECT_EQ(bonuses.GetHammerTimer(), timer);
    EXPECT_EQ(Spawned(), 2u);
}

// The play is updated after the frame is drawn, while the camera that drew the last GUI model is still current:
// the sparks sort by their depth in the play's view all the same.
TEST_F(BonusManagerTest, EndOfLevelSparksSortByTheirDistanceFromThePlaysCamera)
{
    VelkorEngine::CameraManager& cameras = *play.GetEngine().GetCameraManager();
    cameras.GetDefaultCamera()->position = VelkorEngine::Vector3(0.0f, -140.0f, 98.0f);
    cameras.SetCurrentCamera(cameras.CreateCamera(VelkorEngine::Camera::KindOrthographic), false);
    Frames(430, true, 1.0f, true);
    ASSERT_EQ(effects.GetEffectCount(), 1u);
    const VelkorEngine::Model* sparks = effects.GetEffect(0)->GetModel();
    ASSERT_NE(sparks, nullptr);
    const float distance = (VelkorEngine::Vector3(0.0f, 0.0f, BonusManager::EndLevelEffectHeight) -
                            cameras.GetDefaultCamera()->position)
                               .Length();
    EXPECT_NEAR(sparks->depthOffset, BonusManager::GlowSortBias - 0.0004f * distance, 1e-4f);
}

TEST_F(BonusManagerTest, ABonusWithoutAGlowSpriteGivesBackNoneOfTheOthers)
{
    VelkorEngine::SpriteGroup& glows = *bonuses.GetGlows();
    for (u32 i = 0; i < BonusManager::GlowCapacity; ++i)
        ASSERT_TRUE(bonuses.SpawnBonus(Vector2(0.0f, 50.0f), i % BonusManager::KindCount)->HasGlow());
    EXPECT_EQ(glows.GetFreeCount(), 0u);
    Bonus& last = *bonuses.SpawnBonus(Vector2(0.0f, 50.0f), 2);
    EXPECT_FALSE(last.HasGlow());
    bonuses.Catch(static_cast<u32>(bonuses.GetBonuses().size() - 1));
    EXPECT_TRUE(last.IsCaught());
    EXPECT_EQ(glows.GetFreeCount(), 0u);
    EXPECT_EQ(glows.GetSprite(0)->free, 0);
    // A caught bonus with a glow gives its own back.
    bonuses.Catch(0);
    EXPECT_EQ(glows.GetFreeCount(), 1u);
    EXPECT_EQ(glows.GetSprite(0)->free, 1);
}

TEST_F(BonusManagerTest, BonusesStillFallingWhenTheLevelEndsLeaveNoModelBehind)
{
    VelkorEngine::Engine& engine = play.GetEngine();
    engine.Frame(0);
    engine.Frame(0);
    const u32 visible = engine.GetModelManager()->GetVisibleModelCount();
    {
        BonusManager level(&engine, play.resources.get(), &effects, play.sounds.get());
        for (int i = 0; i < 3; ++i)
            level.SpawnBonus(Vector2(0.0f, 50.0f), 0);
        engine.Frame(0);
        // Three medallions and the group of their glows.
        EXPECT_EQ(engine.GetModelManager()->GetVisibleModelCount(), visible + 4);
    }
    engine.Frame(0);
    EXPECT_EQ(engine.GetModelManager()->GetVisibleModelCount(), visible);
}
