// Balls in play: held on the bat until launched, bouncing off the walls and the bat, breaking the blocks they
// meet, lost below the field; ball keepers letting their balls go free; the pool's reuse when it runs out; and
// a thousand frames of seeded play that never leave a ball outside the field or give a NaN.
#include "game/play/BallManager.h"

#include "engine/core/BoundingVolume.h"
#include "engine/scene/ParticleSystem.h"
#include "framework/ScoreKeeper.h"
#include "game/play/Ball.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/BrickDurability.h"
#include "game/play/GameGeometry.h"
#include "tests/support/PlayTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Korvane;
using TestSupport::PlayTestBed;
using VelkorEngine::Vector2;

namespace
{
class BallManagerTest : public ::testing::Test
{
protected:
    BallManagerTest()
    {
        play.WriteBlock("brick.xml", "<block/>");
        play.WriteBlock("keeper.xml", "<block type=\"ball_keeper\" ball_type=\"super\"/>");
    }

    // Until the bat has risen into place, with one ball on it.
    void Ready()
    {
        play.balls->AddBall(BallKind::Simple);
        play.Frames(150);
        ASSERT_TRUE(play.bat->IsReady());
    }

    PlayTestBed play;
};

TEST_F(BallManagerTest, LaunchedBallLeavesTheBatAndBreaksTheBrickAboveIt)
{
    play.Build({PlayTestBed::At("brick", 28, 40)});
    Ready();
    Ball& ball = *play.balls->GetBalls()[0];
    EXPECT_TRUE(ball.IsHeld());
    EXPECT_NEAR(ball.GetFlight().position.x, 0.3f * play.bat->GetHeadHalfWidth(), 1e-3);
    play.balls->RequestLaunch();
    play.Frames(1);
    EXPECT_FALSE(ball.IsHeld());
    EXPECT_GT(ball.GetFlight().direction.y, 0.9f);
    EXPECT_GT(ball.GetFlight().direction.x, 0.0f);
    play.Frames(150);
    EXPECT_EQ(play.geometry->GetRemainingCount(), 0);
    // Sparks flew where it met the brick.
    const auto& sparks = play.balls->GetHitEffects(BallKind::Simple);
    ASSERT_EQ(sparks.size(), BallManager::HitEffectCount);
    EXPECT_TRUE(std::any_of(sparks.begin(), sparks.end(), [](const auto* effect) { return effect->active != 0; }));
    EXPECT_EQ(play.scores->GetScore(), 10u);
    // The rise for the only block of the level takes the speed most of the way to the maximum.
    EXPECT_GT(play.balls->GetSpeed().GetSpeed(), 60.0f);
}

TEST_F(BallManagerTest, BallBelowTheFieldIsLostAndOnlyThen)
{
    play.Build({});
    Ready();
    Ball* ball = play.balls->AddFreeBall(BallKind::Simple, Vector2(60, -98.5f), Vector2(0, -1));
    EXPECT_EQ(play.balls->GetBalls().size(), 2u);
    ball->GetFlight().position = Vector2(60, -100.0f - ball->GetFlight().radius);
    ball->GetFlight().direction = Vector2(0, 1);
    play.balls->SetPaused(true);
    play.Frames(1);
    play.balls->SetPaused(false);
    // Exactly on the line is still in play.
    EXPECT_EQ(play.balls->GetBalls().size(), 2u);
    ball->GetFlight().direction = Vector2(0, -1);
    play.Frames(3);
    EXPECT_EQ(play.balls->GetBalls().size(), 1u);
}

TEST_F(BallManagerTest, BallKeeperLetsItsBallGoFreeFromItsCentre)
{
    play.Build({PlayTestBed::At("keeper", 20, 50)});
    Ready();
    play.geometry->HitBlock(0, DestroyKind::Simple);
    ASSERT_EQ(play.balls->GetBalls().size(), 2u);
    const Ball& freed = *play.balls->GetBalls()[1];
    EXPECT_FALSE(freed.IsHeld());
    EXPECT_EQ(freed.GetKind(), BallKind::Super);
    EXPECT_NEAR(freed.GetFlight().position.x, 20.0f, 1e-3);
    EXPECT_NEAR(freed.GetFlight().position.y, 50.0f, 1e-3);
    EXPECT_NEAR(std::hypot(freed.GetFlight().direction.x, freed.GetFlight().direction.y), 1.0f, 1e-4);
    EXPECT_EQ(play.scores->GetScore(), 10u);
}

// The keeper's ball joins the list the update is walking; the balls behind the one that broke it are still
// stepped, and the new ball waits at the keeper's centre until the next frame.
TEST_F(BallManagerTest, KeeperBrokenByABallDuringTheUpdateLetsItsBallJoinSafely)
{
    play.Build({PlayTestBed::At("keeper", 20, 50)});
    Ball* breaker = play.balls->AddFreeBall(BallKind::Simple, Vector2(20, 47.0f), Vector2(0, 1));
    Ball* other = play.balls->AddFreeBall(BallKind::Simple, Vector2(-40, 0), Vector2(1, 0));
    ASSERT_EQ(play.balls->GetBalls().capacity(), play.balls->GetBalls().size());
    play.Frames(1);
    ASSERT_TRUE(play.geometry->GetBlocks().empty());
    ASSERT_EQ(play.balls->GetBalls().size(), 3u);
    EXPECT_EQ(play.balls->GetBalls()[0], breaker);
    EXPECT_EQ(play.balls->GetBalls()[1], other);
    EXPECT_GT(other->GetFlight().position.x, -40.0f);
    const Ball& freed = *play.balls->GetBalls()[2];
    EXPECT_EQ(freed.GetKind(), BallKind::Super);
    EXPECT_NEAR(freed.GetFlight().position.x, 20.0f, 1e-3);
    EXPECT_NEAR(freed.GetFlight().position.y, 50.0f, 1e-3);
    play.Frames(1);
    EXPECT_GT(std::hypot(freed.GetFlight().position.x - 20.0f, freed.GetFlight().position.y - 50.0f), 0.5f);
}

TEST_F(BallManagerTest, FullPoolTakesBackABallOfTheSameKind)
{
    play.Build({});
    for (u32 i = 0; i < BallManager::PoolSize; ++i)
        play.balls->AddBall(i == 5 ? BallKind::Super : BallKind::Simple);
    const Ball* super = play.balls->GetBalls()[5];
    EXPECT_EQ(play.balls->AddBall(BallKind::Super), super);
    EXPECT_EQ(play.balls->GetBalls().size(), BallManager::PoolSize);
}

TEST_F(BallManagerTest, SeededPlayKeepsEveryBallInsideTheFieldOrLost)
{
    std::vector<KorvaneTools::LevelObject> blocks;
    for (int row = 0; row < 3; ++row)
        for (int column = -5; column <= 5; ++column)
            blocks.push_back(PlayTestBed::At("brick", column * 12.0f, 40.0f + row * 12.0f));
    blocks.push_back(PlayTestBed::At("keeper", 0, 80));
    play.Build(std::move(blocks));
    Ready();
    play.balls->RequestLaunch();
    for (int frame = 0; frame < 1000; ++frame)
    {
        play.cursor.x = 400.0f + 350.0f * std::sin(frame * 0.05f);
        if (frame % 97 == 0 && play.balls->GetBalls().size() < 4)
            play.balls->SplitBalls();
        play.Frames(1);
        for (const Ball* ball : play.balls->GetBalls())
        {
            const Vector2& p = ball->GetFlight().position;
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << frame;
            const float r = ball->GetFlight().radius;
            ASSERT_GE(p.x - r, PlayTestBed::Left - 1e-3f) << frame;
            ASSERT_LE(p.x + r, PlayTestBed::Right + 1e-3f) << frame;
            ASSERT_LE(p.y + r, PlayTestBed::Top + 1e-3f) << frame;
        }
        if (play.balls->GetBalls().empty())
            break;
    }
    EXPECT_LT(play.geometry->GetRemainingCount(), 33);
}
}
