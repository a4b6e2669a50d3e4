// The play of a generated level: the click, lives, completion, the level timer and each bonus's effect.
#include "game/play/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/ScoreKeeper.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Barrier.h"
#include "game/play/Bat.h"
#include "game/play/Bonus.h"
#include "game/play/BonusManager.h"
#include "game/play/Brick.h"
#include "game/play/GameGeometry.h"
#include "game/play/Gun.h"
#include "game/play/Hammer.h"
#include "game/play/BrickDurability.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Korvane;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
constexpr u32 kLives = 3;

class GameLogicTest : public testing::Test
{
protected:
    GameLogicTest() : play(KORVANE_DATA_ROOT) {}

    void WaitForBat()
    {
        for (int i = 0; i < 500 && !logic->GetBat().HasRisen(); ++i)
            play.Frame();
        ASSERT_TRUE(logic->GetBat().IsReady());
        ASSERT_FALSE(logic->GetBat().IsHidden());
    }

    void Launch()
    {
        WaitForBat();
        logic->Click();
        // The ball leaves in the click's frame; the next frame counts it as free.
        play.Frames(2);
        ASSERT_TRUE(logic->IsBallInPlay());
    }

    // Every ball leaves the play at once, as if it had fallen below the field.
    void LoseAllBalls()
    {
        BallManager& balls = logic->GetBallManager();
        while (!balls.GetBalls().empty())
            balls.RemoveBall(0);
    }

    // Every brick that has to go goes now.
    void BreakAllBricks()
    {
        GameGeometry& geometry = logic->GetGeometry();
        for (Brick* brick : std::vector<Brick*>(geometry.GetBricks()))
            if (brick->MustBeDestroyed())
                brick->Destroy(DestroyKind::Super, false);
    }

    u32 Sounds(u32 id) const { return play.sounds->Count(id); }

    TestSupport::GeneratedLevelBed play;
    GameLogic* logic = &play.Play(0, 0, kLives);
};
}

TEST_F(GameLogicTest, StartsWithABallHeldOnTheBatTheScoreTableAndTheLevelSound)
{
    EXPECT_EQ(Sounds(GameLogic::SoundLevelBegin), 1u);
    EXPECT_TRUE(logic->GetBallManager().HasHeldBall());
    EXPECT_FALSE(logic->IsBallInPlay());
    EXPECT_GT(logic->GetGeometry().GetRemainingCount(), 0);
    const u32 points[] = {85, 5, 5, 5, 5, 10, 10, 20, 15};
    for (u32 id = 0; id < 9; ++id)
        EXPECT_EQ(logic->GetScoreKeeper().GetPoints(id), points[id]) << id;
    EXPECT_EQ(logic->GetActivity(), 1.0f);
    EXPECT_TRUE(play.twins->Records(VelkorEngine::MessageManager::KindError).empty());
}

TEST_F(GameLogicTest, TheCameraLooksAtTheFieldFromItsStartPose)
{
    play.Frame();
    const VelkorEngine::Camera& camera = *play.GetEngine().GetCameraManager()->GetDefaultCamera();
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, -140.0f);
    EXPECT_EQ(camera.position.z, 98.0f);
    EXPECT_FLOAT_EQ(camera.orientation.x, 0.4939f);
    EXPECT_FLOAT_EQ(camera.orientation.w, 0.8695f);
    EXPECT_FLOAT_EQ(camera.fieldOfView, 3.14159265f / 2.0f);
    EXPECT_EQ(camera.nearPlane, 70.0f);
    EXPECT_EQ(camera.farPlane, 650.0f);
}

TEST_F(GameLogicTest, AClickLaunchesTheHeldBallOnlyOnceTheBatHasRisenIntoPlace)
{
    logic->Click();
    play.Frame();
    EXPECT_FALSE(logic->IsClickPending());
    EXPECT_FALSE(logic->IsBallInPlay());
    // The first bat counts as ready while it still slides up from below the field's lower edge: a ball
    // launched from there would be lost at once.
    for (int i = 0; i < 500 && !logic->GetBat().IsReady(); ++i)
        play.Frame();
    ASSERT_FALSE(logic->GetBat().HasRisen());
    logic->Click();
    play.Frames(2);
    EXPECT_FALSE(logic->IsBallInPlay());
    EXPECT_TRUE(logic->GetBallManager().HasHeldBall());
    EXPECT_EQ(logic->lives, kLives);
    Launch();
    EXPECT_FALSE(logic->GetBallManager().HasHeldBall());
}

TEST_F(GameLogicTest, TheLevelTimerRunsOnlyWhileABallIsFreeAndTheLevelIsPlayed)
{
    WaitForBat();
    play.Frames(50);
    EXPECT_EQ(logic->GetTime(), 0.0f);
    EXPECT_TRUE(logic->IsTimerPaused());
    Launch();
    play.Frames(50);
    EXPECT_FALSE(logic->IsTimerPaused());
    EXPECT_NEAR(logic->GetTime(), 50 * TestSupport::GeneratedLevelBed::FrameTime, 0.05);
    logic->Pause(true);
    play.Frame();
    const float paused = logic->GetTime();
    play.Frames(20);
    EXPECT_TRUE(logic->IsTimerPaused());
    EXPECT_EQ(logic->GetTime(), paused);
}

TEST_F(GameLogicTest, PausingSlowsPlayToAStopWithinASecondAndResumingBringsItBack)
{
    logic->Pause(true);
    play.Frames(25);
    EXPECT_NEAR(logic->GetActivity(), 0.5f, 1e-4f);
    EXPECT_FALSE(logic->GetBonusManager().IsPaused());
    play.Frames(26);
    EXPECT_EQ(logic->GetActivity(), 0.0f);
    EXPECT_TRUE(logic->GetBonusManager().IsPaused());
    logic->Pause(false);
    play.Frame();
    EXPECT_FALSE(logic->GetBonusManager().IsPaused());
    play.Frames(60);
    EXPECT_EQ(logic->GetActivity(), 1.0f);
}

TEST_F(GameLogicTest, ALostBallCostsALifeInStagesTheBatBurstingOnce)
{
    Launch();
    LoseAllBalls();
    play.Frame();
    EXPECT_EQ(logic->lives, kLives - 1);
    EXPECT_TRUE(logic->GetBat().IsHidden());
    EXPECT_EQ(Sounds(Bat::SoundDestruction), 1u);
    // No new bat while the pieces of the old one fly.
    play.Frame();
    EXPECT_TRUE(logic->GetBat().IsHidden());
    for (int i = 0; i < 1000 && logic->GetBat().IsHidden(); ++i)
        play.Frame();
    EXPECT_FALSE(logic->GetBat().IsHidden());
    EXPECT_TRUE(logic->GetBallManager().HasHeldBall());
    EXPECT_EQ(logic->lives, kLives - 1);
    EXPECT_EQ(Sounds(Bat::SoundDestruction), 1u);
    EXPECT_EQ(logic->GetState(), 0u);
}

TEST_F(GameLogicTest, TheLastLifeEndsTheGameOnceAndBreaksTheBatOnce)
{
    logic->lives = 1;
    Launch();
    LoseAllBalls();
    play.Frames(100);
    EXPECT_EQ(logic->lives, 0u);
    EXPECT_EQ(logic->GetState(), GameLogic::StateGameOver);
    EXPECT_EQ(Sounds(GameLogic::SoundLevelFailed), 1u);
    EXPECT_EQ(Sounds(Bat::SoundDestruction), 1u);
    EXPECT_TRUE(logic->GetBat().IsHidden());
    EXPECT_TRUE(logic->IsTimerPaused());
}

TEST_F(GameLogicTest, TheLevelIsCompleteOnlyOnceTheFieldHasStayedEmptyForMoreThanAThirdOfASecond)
{
    Launch();
    BreakAllBricks();
    // The broken bricks go in the next frame's geometry update, which starts the count.
    play.Frame();
    EXPECT_EQ(logic->GetGeometry().GetRemainingCount(), 0);
    // The last ball may still be lost in that span without costing the level.
    LoseAllBalls();
    play.Frames(13);
    EXPECT_NEAR(logic->GetCompletionTime(), 0.28f, 1e-3f);
    EXPECT_EQ(logic->GetState(), 0u);
    EXPECT_EQ(logic->lives, kLives);
    play.Frames(2);
    EXPECT_EQ(logic->GetState(), GameLogic::StateLevelComplete);
    EXPECT_EQ(Sounds(GameLogic::SoundLevelComplete), 1u);
    play.Frames(10);
    EXPECT_EQ(Sounds(GameLogic::SoundLevelComplete), 1u);
    EXPECT_EQ(logic->lives, kLives);
}

TEST_F(GameLogicTest, ABrokenBrickReleasesABonusFromItsCentreOnceTheCountdownHasRunOut)
{
    BonusManager& bonuses = logic->GetBonusManager();
    Brick& brick = *logic->GetGeometry().GetBricks().front();
    const VelkorEngine::Vector3 centre = brick.GetCenter();
    bonuses.SetCountdown(-1.0f);
    brick.Destroy(DestroyKind::Super, false);
    ASSERT_EQ(bonuses.GetBonuses().size(), 1u);
    EXPECT_EQ(bonuses.GetBonuses()[0]->GetPosition().x, centre.x);
    EXPECT_EQ(bonuses.GetBonuses()[0]->GetPosition().y, centre.y);
    // A brick hit without breaking releases nothing and leaves the countdown alone.
    bonuses.SetCountdown(5.0f);
    bool dented = false;
    for (Brick* other : logic->GetGeometry().GetBricks())
        if (other->IsAlive() && (other->GetKindFlags() & (BlockKind::Hard | BlockKind::Unbreakable)))
        {
            other->Destroy(DestroyKind::Simple, false);
            EXPECT_EQ(bonuses.GetCountdown(), 5.0f);
            dented = true;
            break;
        }
    EXPECT_TRUE(dented);
    EXPECT_EQ(bonuses.GetBonuses().size(), 1u);
}

TEST_F(GameLogicTest, FewBricksLeftStartTheHammerTimer)
{
    EXPECT_TRUE(logic->GetBonusManager().IsHammerTimerArmed());
    BreakAllBricks();
    play.Frame();
    EXPECT_FALSE(logic->GetBonusManager().IsHammerTimerArmed());
    EXPECT_GT(logic->GetBonusManager().GetHammerTimer(), 8.0f);
}

TEST_F(GameLogicTest, AClickWithAHeldBallLaunchesItWithoutFiringWhileTheHammerStillStrikes)
{
    WaitForBat();
    logic->GetGun(0).AddCharges(24);
    logic->ApplyBonus(GameLogic::BonusHammer);
    EXPECT_EQ(logic->GetHammer().StrikesLeft(), 6);
    logic->Click();
    play.Frames(2);
    EXPECT_TRUE(logic->IsBallInPlay());
    EXPECT_EQ(logic->GetGun(0).Charges(), 24);
    play.Frames(100);
    EXPECT_EQ(logic->GetHammer().StrikesLeft(), 5);
}

TEST_F(GameLogicTest, AClickWithBothGunsLoadedFiresTheArbalestOnly)
{
    Launch();
    logic->GetGun(0).AddCharges(24);
    logic->GetGun(1).AddCharges(12);
    logic->Click();
    play.Frame();
    EXPECT_EQ(logic->GetGun(0).Charges(), 23);
    EXPECT_EQ(logic->GetGun(1).Charges(), 12);
    logic->GetGun(0).Remove();
    play.Frames(10);
    logic->Click();
    play.Frame();
    EXPECT_EQ(logic->GetGun(1).Charges(), 11);
}

TEST_F(GameLogicTest, StoppedWeaponsIgnoreTheClick)
{
    Launch();
    logic->GetGun(0).AddCharges(24);
    logic->ApplyBonus(GameLogic::BonusHammer);
    logic->Pause(true);
    play.Frames(60);
    ASSERT_TRUE(logic->GetGun(0).IsBlocked());
    ASSERT_TRUE(logic->GetHammer().IsBlocked());
    logic->Click();
    play.Frames(100);
    EXPECT_EQ(logic->GetGun(0).Charges(), 24);
    EXPECT_EQ(logic->GetHammer().StrikesLeft(), 6);
}

TEST_F(GameLogicTest, EachGunBonusPutsTheOtherGunAway)
{
    logic->GetGun(1).AddCharges(5);
    logic->ApplyBonus(GameLogic::BonusArbalest);
    EXPECT_EQ(logic->GetGun(0).Charges(), 24);
    EXPECT_EQ(logic->GetGun(1).Charges(), 0);
    logic->ApplyBonus(GameLogic::BonusBallista);
    EXPECT_EQ(logic->GetGun(0).Charges(), 0);
    EXPECT_EQ(logic->GetGun(1).Charges(), 12);
    logic->ApplyBonus(GameLogic::BonusBallista);
    EXPECT_EQ(logic->GetGun(1).Charges(), 24);
}

TEST_F(GameLogicTest, BarrierBonusesAddRopesUpToThree)
{
    for (u32 i = 1; i <= 4; ++i)
    {
        logic->ApplyBonus(GameLogic::BonusBarrier);
        EXPECT_EQ(logic->GetBarrier().RopesUp(), std::min(i, Barrier::MaxRopes));
    }
}

TEST_F(GameLogicTest, ALostBatTakesTheWeaponsWithIt)
{
    Launch();
    logic->ApplyBonus(GameLogic::BonusArbalest);
    logic->ApplyBonus(GameLogic::BonusHammer);
    LoseAllBalls();
    play.Frame();
    EXPECT_EQ(logic->GetGun(0).Charges(), 0);
    EXPECT_EQ(logic->GetGun(1).Charges(), 0);
    EXPECT_EQ(logic->GetHammer().StrikesLeft(), 0);
    EXPECT_FALSE(logic->GetHammer().IsShown());
}

TEST_F(GameLogicTest, BonusesChangeLivesBatAndBalls)
{
    Launch();
    logic->ApplyBonus(GameLogic::BonusLife);
    EXPECT_EQ(logic->lives, kLives + 1);

    const BatMotion& bat = logic->GetBat().GetMotion();
    for (int i = 0; i < 3; ++i)
        logic->ApplyBonus(GameLogic::BonusBatIncrease);
    EXPECT_EQ(bat.GetTargetWidth(), BatMotion::MostWidth);
    for (int i = 0; i < 4; ++i)
        logic->ApplyBonus(GameLogic::BonusBatDecrease);
    EXPECT_EQ(bat.GetTargetWidth(), 0.0f);

    BallManager& balls = logic->GetBallManager();
    logic->ApplyBonus(GameLogic::BonusBallsSpeedUp);
    EXPECT_TRUE(balls.GetSpeed().IsSpeedUpActive());
    logic->ApplyBonus(GameLogic::BonusBallsSlowDown);
    EXPECT_TRUE(balls.GetSpeed().IsSlowDownActive());
    logic->ApplyBonus(GameLogic::BonusBallsSplit);
    EXPECT_EQ(balls.GetBalls().size(), 3u);
    logic->ApplyBonus(GameLogic::BonusSuperBall);
    for (const Ball* ball : balls.GetBalls())
        EXPECT_EQ(ball->GetKind(), BallKind::Super);

    logic->ApplyBonus(GameLogic::BonusTypeCount);
    logic->ApplyBonus(1000);
    EXPECT_EQ(logic->lives, kLives + 1);
    EXPECT_EQ(balls.GetBalls().size(), 3u);
}

TEST_F(GameLogicTest, ABonusFallingOntoTheBatIsCaughtWithItsTextScoreAndSound)
{
    WaitForBat();
    BonusManager& bonuses = logic->GetBonusManager();
    bonuses.SpawnBonus(Vector2(logic->GetBat().GetHeadBounds().GetCenter().x, -60.0f), BonusManager::KindLife);
    for (int i = 0; i < 200 && bonuses.GetBonuses().front()->IsFalling(); ++i)
        play.Frame();
    ASSERT_FALSE(bonuses.GetBonuses().empty());
    EXPECT_TRUE(bonuses.GetBonuses().front()->IsCaught());
    EXPECT_EQ(logic->lives, kLives + 1);
    EXPECT_EQ(logic->GetPoints(), 85u);
    EXPECT_EQ(Sounds(GameLogic::SoundBonusCaught), 1u);
    ASSERT_EQ(play.texts.size(), 1u);
    EXPECT_EQ(play.texts[0].text, L"Extra life!");
    // The sparks burn out and the bonus goes.
    play.Frames(200);
    EXPECT_TRUE(bonuses.GetBonuses().empty());
    EXPECT_EQ(logic->GetPoints(), 85u);
}

TEST_F(GameLogicTest, ABonusBesideTheBatFallsPastIt)
{
    WaitForBat();
    const float away = logic->GetBat().GetHeadBounds().GetCenter().x > 0.0f ? -60.0f : 60.0f;
    logic->GetBonusManager().SpawnBonus(Vector2(away, -60.0f), BonusManager::KindLife);
    play.Frames(200);
    EXPECT_TRUE(logic->GetBonusManager().GetBonuses().empty());
    EXPECT_EQ(logic->lives, kLives);
    EXPECT_EQ(logic->GetPoints(), 0u);
}

namespace
{
// What the engine holds for a level's play: a logic that failed half-built must have given all of it back.
std::array<u32, 3> EngineObjects(VelkorEngine::Engine& engine)
{
    return {engine.GetModelManager()->GetModelCount(), engine.GetLightManager()->GetLightCount(),
            engine.GetParticleSystemManager()->GetCount()};
}

std::string GeneratedFile(const std::string& name)
{
    std::ifstream in(std::filesystem::path(KORVANE_DATA_ROOT) / "data-stage" / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
}

// The field and the first stage's surroundings are read as the logic is built, after the lights and effects (and
// for the surroundings, the field) already stand. A copy cut in half, lying loose beside the pack, fails the
// logic with the reader's message naming the file, and the engine is left as the level's start found it.
TEST(GameLogicDamagedFiles, AFieldOrSurroundingsCutInHalfFailNamingTheFileAndLeaveNothingBehind)
{
    for (const std::string file : {"field.krf", "courtyard.xml"})
    {
        TestSupport::TempFolder root;
        std::filesystem::create_directories(root / "data");
        std::filesystem::create_symlink(std::filesystem::path(KORVANE_DATA_ROOT) / "data" / "pack0.pak",
                                        root / "data/pack0.pak");
        const std::string whole = GeneratedFile("environment/" + file);
        ASSERT_FALSE(whole.empty()) << file;
        root.WriteFile("data/environment/" + file, whole.substr(0, whole.size() / 2));
        TestSupport::GeneratedLevelBed play(root.Path());
        const std::array<u32, 3> before = EngineObjects(play.GetEngine());
        std::string message = "no error";
        try
        {
            play.Play(0, 0, kLives);
        }
        catch (const VelkorEngine::FileError& error)
        {
            message = error.GetMessage();
        }
        EXPECT_NE(message.find("\"data\\environment\\" + file + "\""), std::string::npos) << message;
        EXPECT_EQ(play.logic, nullptr) << file;
        play.End();
        EXPECT_EQ(EngineObjects(play.GetEngine()), before) << file;
    }
}

TEST(GameLogicTexts, TheSuperBallsTextDiffersFromItsBonusName)
{
    EXPECT_EQ(GameLogic::BonusTextKey(GameLogic::BonusLife), "game_logic/bonuses/life");
    EXPECT_EQ(GameLogic::BonusTextKey(GameLogic::BonusSuperBall), "game_logic/bonuses/super_ball");
    EXPECT_EQ(BonusManager::GetBonusName(BonusManager::KindLife + 6), "balls_super");
    EXPECT_EQ(GameLogic::BonusTextKey(GameLogic::BonusHammer), "game_logic/bonuses/hammer");
    EXPECT_EQ(GameLogic::BonusTextKey(11), "");
}

// The window that ends the level comes up over the play: the texts go as the level ends, and a bonus caught after
// that brings no text, though it is caught.
TEST_F(GameLogicTest, TheTextsGoAtTheLevelsEndAndABonusCaughtAfterItShowsNone)
{
    WaitForBat();
    auto& texts = dynamic_cast<TestSupport::RecordingFloatingTexts&>(*logic->GetFloatingTexts());
    BreakAllBricks();
    play.Frames(20);
    ASSERT_EQ(logic->GetState(), GameLogic::StateLevelComplete);
    EXPECT_GT(texts.clears, 0);
    BonusManager& bonuses = logic->GetBonusManager();
    bonuses.SpawnBonus(Vector2(logic->GetBat().GetHeadBounds().GetCenter().x,
                               logic->GetBat().GetHeadBounds().GetCenter().y),
                       BonusManager::KindLife);
    play.Frames(2);
    ASSERT_FALSE(bonuses.GetBonuses().empty());
    ASSERT_TRUE(bonuses.GetBonuses().front()->IsCaught());
    EXPECT_TRUE(play.texts.empty());
}
