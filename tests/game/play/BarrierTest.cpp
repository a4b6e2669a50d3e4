// The rope barrier: ropes go up one at a time to three, the top one breaks when a ball reaches it, and the ball
// bounces back off the ropes, with its sound, until none is left; then balls fall through.
#include "game/play/Barrier.h"

#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Shadow.h"
#include "tests/support/WeaponTestBed.h"
#include "tests/support/WeaponTestModels.h"

#include <gtest/gtest.h>

using namespace Korvane;
using TestSupport::WeaponTestBed;
using TestSupport::WeaponTestModels;
using VelkorEngine::Vector2;

namespace
{
bool Shown(const VelkorEngine::Model* model)
{
    return (model->flags & VelkorEngine::ModelFlags::Visible) != 0;
}

class BarrierTest : public ::testing::Test
{
protected:
    BarrierTest() { weapons.Build({}); }

    Barrier& TheBarrier() { return *weapons.barrier; }

    // A ball well to the side of the bat, falling straight down onto the ropes.
    Ball* DropBall() { return weapons.play.balls->AddFreeBall(BallKind::Simple, Vector2(50.0f, -70.0f), Vector2(0, -1)); }

    WeaponTestBed weapons;
};

TEST_F(BarrierTest, RopesGoUpOneAtATimeToThreeAndTheTopOneComesDown)
{
    EXPECT_EQ(TheBarrier().RopesUp(), 0u);
    for (u32 i = 0; i < Barrier::MaxRopes; ++i)
    {
        EXPECT_FALSE(Shown(TheBarrier().GetRope(i)));
        // Parked straight, on the last frame.
        EXPECT_FLOAT_EQ(TheBarrier().GetRope(i)->animation->time, 8.0f);
    }
    EXPECT_FALSE(Shown(TheBarrier().GetPost(0)));
    for (u32 i = 1; i <= 4; ++i)
    {
        TheBarrier().AddRope();
        EXPECT_EQ(TheBarrier().RopesUp(), std::min(i, Barrier::MaxRopes));
    }
    for (u32 i = 0; i < Barrier::MaxRopes; ++i)
    {
        EXPECT_TRUE(Shown(TheBarrier().GetRope(i)));
        EXPECT_EQ(TheBarrier().GetRope(i)->animation->IsPlaying(), 1);
    }
    EXPECT_TRUE(Shown(TheBarrier().GetPost(0)) && Shown(TheBarrier().GetPost(1)));
    EXPECT_TRUE(TheBarrier().GetPostShadow(0)->IsShown());
    TheBarrier().RemoveRope();
    EXPECT_EQ(TheBarrier().RopesUp(), 2u);
    EXPECT_FALSE(Shown(TheBarrier().GetRope(2)));
    EXPECT_TRUE(Shown(TheBarrier().GetRope(1)));
    TheBarrier().RemoveRope();
    TheBarrier().RemoveRope();
    TheBarrier().RemoveRope();
    EXPECT_EQ(TheBarrier().RopesUp(), 0u);
    EXPECT_FALSE(Shown(TheBarrier().GetPost(0)) || Shown(TheBarrier().GetPost(1)));
    EXPECT_FALSE(TheBarrier().GetPostShadow(1)->IsShown());
}

TEST_F(BarrierTest, EachRopeSpringsAPostInTurnAndTheRopeSettlesOnItsLastFrame)
{
    TheBarrier().AddRope();
    weapons.Frames(30);
    EXPECT_EQ(TheBarrier().GetRope(0)->animation->IsPlaying(), 0);
    EXPECT_EQ(TheBarrier().GetPost(1)->animation->IsPlaying(), 0);
    TheBarrier().AddRope();
    EXPECT_EQ(TheBarrier().GetPost(1)->animation->IsPlaying(), 1);
    EXPECT_EQ(TheBarrier().GetPost(0)->animation->IsPlaying(), 0);
    weapons.Frames(30);
    EXPECT_EQ(TheBarrier().GetRope(1)->animation->GetFrame(), 8u);
}

TEST_F(BarrierTest, CollisionBoxSpansTheRopesAcrossAndReachesAnyHeight)
{
    const VelkorEngine::BoundingVolume& box = TheBarrier().GetCollisionBox();
    EXPECT_FLOAT_EQ(box.GetWorldMinimum().y, WeaponTestModels::RopeY - 0.35f);
    EXPECT_FLOAT_EQ(box.GetWorldMaximum().y, WeaponTestModels::RopeY + 0.35f);
    EXPECT_FLOAT_EQ(box.GetWorldMinimum().x, -76.0f);
    EXPECT_FLOAT_EQ(box.GetWorldMaximum().x, 76.0f);
    EXPECT_LE(box.GetWorldMinimum().z, -1000.0f);
    EXPECT_GE(box.GetWorldMaximum().z, 1000.0f);
}

TEST_F(BarrierTest, BallsBounceOffTheRopesUntilTheyAreUsedUpThenFallThrough)
{
    TheBarrier().AddRope();
    TheBarrier().AddRope();
    for (u32 left = 1; left <= 2; ++left)
    {
        Ball* ball = DropBall();
        ASSERT_TRUE(weapons.FramesUntil([&] { return ball->GetFlight().direction.y > 0.0f; }, 100));
        EXPECT_EQ(TheBarrier().RopesUp(), 2u - left);
        EXPECT_EQ(weapons.SoundCount(BallManager::SoundHitBarrier), static_cast<int>(left));
        EXPECT_GT(ball->GetFlight().position.y, WeaponTestModels::RopeY);
        weapons.play.balls->RemoveBall(0);
    }
    Ball* ball = DropBall();
    const int lost = weapons.SoundCount(BallManager::SoundLost);
    ASSERT_TRUE(weapons.FramesUntil([&] { return weapons.play.balls->GetBalls().empty(); }, 100));
    EXPECT_EQ(weapons.SoundCount(BallManager::SoundLost), lost + 1);
    EXPECT_EQ(weapons.SoundCount(BallManager::SoundHitBarrier), 2);
    EXPECT_FALSE(ball->IsActive());
}
}
