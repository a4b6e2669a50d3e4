// The game logic's state word and level timer on a fake clock, and the score keeper.
#include "framework/GameLogicBase.h"

#include "framework/LevelManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

using namespace TestSupport;
using GameFramework::GameLogicBase;
using GameFramework::ScoreKeeper;

namespace
{
class GameLogicBaseTest : public testing::Test
{
protected:
    GameLogicBaseTest()
    {
        bed.Start();
        level.stage = 1;
        level.level = 4;
        logic = std::make_unique<GameLogicBase>(&bed.GetEngine(), nullptr, &stage, &level, 3);
    }

    EngineTestBed bed;
    GameFramework::StageRecord stage;
    GameFramework::LevelRecord level;
    std::unique_ptr<GameLogicBase> logic;
};
}

TEST_F(GameLogicBaseTest, TheConstructorLogsTheLevelCountedFromOne)
{
    const auto messages = bed.Records(VelkorEngine::MessageManager::KindMessage);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "\n");
    EXPECT_EQ(messages.back(), "Loading level 2-5...\n");
    EXPECT_EQ(logic->lives, 3u);
    EXPECT_EQ(logic->GetLevelRecord(), &level);
}

TEST_F(GameLogicBaseTest, TheLevelTimerCountsOnlyOnceResumed)
{
    bed.clock.AdvanceSeconds(2.0);
    EXPECT_TRUE(logic->IsTimerPaused());
    EXPECT_EQ(logic->GetTime(), 0.0f);
    logic->PauseTimer(false);
    bed.clock.AdvanceSeconds(1.5);
    EXPECT_NEAR(logic->GetTime(), 1.5f, 1e-4f);
    logic->SetState(GameLogicBase::StatePaused);
    bed.clock.AdvanceSeconds(3.0);
    EXPECT_NEAR(logic->GetTime(), 1.5f, 1e-4f);
    logic->SetState(GameLogicBase::StatePlaying);
    bed.clock.AdvanceSeconds(0.5);
    EXPECT_NEAR(logic->GetTime(), 2.0f, 1e-4f);
}

TEST_F(GameLogicBaseTest, OnlyARealChangeOfStateIsMarked)
{
    logic->SetState(GameLogicBase::StatePlaying);
    EXPECT_FALSE(logic->HasStateChanged());
    logic->SetState(GameLogicBase::StatePaused);
    EXPECT_TRUE(logic->HasStateChanged());
    EXPECT_TRUE(logic->IsTimerPaused());
    logic->ClearStateChanged();
    logic->Pause(false);
    EXPECT_TRUE(logic->HasStateChanged());
    EXPECT_FALSE(logic->IsTimerPaused());
    EXPECT_EQ(logic->GetState(), GameLogicBase::StatePlaying);
}

TEST_F(GameLogicBaseTest, AFinishedLevelIgnoresPauseAndResume)
{
    for (const auto finished : {GameLogicBase::StateLevelComplete, GameLogicBase::StateGameOver})
    {
        logic->SetState(finished);
        logic->ClearStateChanged();
        logic->Pause(false);
        logic->Pause(true);
        EXPECT_EQ(logic->GetState(), finished);
        EXPECT_TRUE(logic->IsTimerPaused());
        EXPECT_FALSE(logic->HasStateChanged());
    }
}

TEST_F(GameLogicBaseTest, PointsAreTheScoreKeepers)
{
    logic->GetScoreKeeper().RegisterScoreEvent(0, 10);
    logic->GetScoreKeeper().AddScore(0, 2);
    EXPECT_EQ(logic->GetPoints(), 20u);
    logic->SetPoints(5);
    EXPECT_EQ(logic->GetPoints(), 5u);
}

TEST(ScoreKeeper, TheFirstRegistrationWinsAndUnknownEventsScoreNothing)
{
    ScoreKeeper keeper(0);
    keeper.RegisterScoreEvent(1, 50);
    keeper.RegisterScoreEvent(1, 80);
    EXPECT_EQ(keeper.GetPoints(1), 50u);
    keeper.AddScore(7, 3);
    EXPECT_EQ(keeper.GetScore(), 0u);
    keeper.AddScore(1, 3);
    EXPECT_EQ(keeper.GetScore(), 150u);
}

TEST(ScoreKeeper, TheScoreWrapsAsAnUnsignedNumber)
{
    ScoreKeeper keeper(0xFFFFFFF0u);
    keeper.RegisterScoreEvent(0, 0x10);
    keeper.AddScore(0, 2);
    EXPECT_EQ(keeper.GetScore(), 0x10u);
}
