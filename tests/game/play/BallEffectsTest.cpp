// What a ball shows besides itself: a flare sprite from the manager's group while it is in play, placed up,
// back and left of its centre, and its kind's trail at its centre, emitting only while it flies and play goes on.
#include "game/play/Ball.h"

#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/SpriteGroup.h"
#include "game/play/BallFlight.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/GameLogic.h"
#include "tests/support/GeneratedLevelBed.h"

#include <gtest/gtest.h>

using namespace Korvane;
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::Vector3;

namespace
{
class BallEffectsTest : public ::testing::Test
{
protected:
    // The bat in place with its ball, launched.
    Ball& Launched()
    {
        for (int i = 0; i < 500 && !logic->GetBat().HasRisen(); ++i)
            play.Frame();
        logic->Click();
        play.Frame();
        Ball& ball = *balls().GetBalls().front();
        EXPECT_FALSE(ball.IsHeld());
        return ball;
    }

    BallManager& balls() { return logic->GetBallManager(); }
    u32 FlaresInUse() { return balls().GetFlares()->GetCapacity() - balls().GetFlares()->GetFreeCount(); }

    static void ExpectFlareAtBall(const Ball& ball)
    {
        const VelkorEngine::Sprite* flare = ball.GetFlare();
        ASSERT_NE(flare, nullptr);
        const Vector3 centre = ball.GetModel(ball.GetKind())->bounds.GetCenter();
        const f32 r = ball.GetFlight().radius;
        EXPECT_EQ(flare->size, Ball::FlareSize);
        EXPECT_NEAR(flare->position.x, centre.x - Ball::FlareOffset * r, 1e-4f);
        EXPECT_NEAR(flare->position.y, centre.y + Ball::FlareOffset * r, 1e-4f);
        EXPECT_NEAR(flare->position.z, centre.z + Ball::FlareOffset * r, 1e-4f);
    }

    TestSupport::GeneratedLevelBed play{KORVANE_DATA_ROOT, 99};
    GameLogic* logic = &play.Play(0, 0, 4);
};
}

TEST_F(BallEffectsTest, TheFlareGroupHoldsOneSpritePerPoolBallAndSortsBehind)
{
    VelkorEngine::SpriteGroup* flares = balls().GetFlares();
    ASSERT_NE(flares, nullptr);
    EXPECT_EQ(flares->GetCapacity(), BallManager::PoolSize);
    EXPECT_EQ(flares->GetModel()->depthOffset, BallManager::FlareSortBias);
}

TEST_F(BallEffectsTest, AHeldBallGlowsWithoutATrailAndALaunchedOneTrailsFromItsCentre)
{
    ASSERT_EQ(balls().GetBalls().size(), 1u);
    const Ball& held = *balls().GetBalls().front();
    play.Frame();
    EXPECT_EQ(FlaresInUse(), 1u);
    ExpectFlareAtBall(held);
    ASSERT_NE(held.GetTrail(), nullptr);
    EXPECT_EQ(held.GetTrail()->active, 0);

    Ball& ball = Launched();
    play.Frames(5);
    ExpectFlareAtBall(ball);
    const VelkorEngine::ParticleSystem& trail = *ball.GetTrail();
    EXPECT_EQ(trail.active, 1);
    EXPECT_EQ(trail.loop, 1);
    EXPECT_TRUE(trail.IsVisible());
    const Vector3 centre = ball.GetModel(ball.GetKind())->bounds.GetCenter();
    EXPECT_NEAR(trail.emitterPosition.x, centre.x, 1e-4f);
    EXPECT_NEAR(trail.emitterPosition.y, centre.y, 1e-4f);
    EXPECT_NEAR(trail.emitterPosition.x, ball.GetFlight().position.x, 1e-3f);
    EXPECT_NEAR(trail.emitterPosition.y, ball.GetFlight().position.y, 1e-3f);
    EXPECT_GT(trail.GetAliveCount(), 0u);
}

TEST_F(BallEffectsTest, APausedBallsTrailStopsEmittingAndStartsAgainWhenPlayGoesOn)
{
    Ball& ball = Launched();
    balls().SetPaused(true);
    EXPECT_EQ(ball.GetTrail()->active, 0);
    balls().SetPaused(false);
    EXPECT_EQ(ball.GetTrail()->active, 1);
}

TEST_F(BallEffectsTest, ASuperBallTakesOverTheTrailOfItsKindStillEmitting)
{
    Ball& ball = Launched();
    VelkorEngine::ParticleSystem* simple = ball.GetTrail();
    balls().MakeSuperBalls();
    VelkorEngine::ParticleSystem* super = ball.GetTrail();
    ASSERT_NE(super, nullptr);
    EXPECT_NE(super, simple);
    EXPECT_EQ(simple->active, 0);
    EXPECT_EQ(super->active, 1);
    EXPECT_NE(super->GetName().find("super"), std::string::npos);
}

TEST_F(BallEffectsTest, ABallTakenOutOfPlayGivesBackItsFlareAndStopsItsTrail)
{
    Ball& ball = Launched();
    balls().SplitBalls();
    play.Frame();
    EXPECT_EQ(FlaresInUse(), 3u);
    for (const Ball* each : balls().GetBalls())
        EXPECT_EQ(each->GetTrail()->active, 1);
    balls().RemoveBall(0);
    EXPECT_EQ(FlaresInUse(), 2u);
    EXPECT_EQ(ball.GetFlare(), nullptr);
    EXPECT_EQ(ball.GetTrail()->active, 0);
}

TEST_F(BallEffectsTest, ABallTakenOutOfPlayWhilePausedTrailsAgainWhenItReturns)
{
    Launched();
    balls().SetPaused(true);
    balls().RemoveBall(0);
    balls().SetPaused(false);
    const Ball& again = *balls().AddBall(BallKind::Simple);
    balls().RequestLaunch();
    play.Frame();
    ASSERT_FALSE(again.IsHeld());
    EXPECT_EQ(again.GetTrail()->active, 1);
}
