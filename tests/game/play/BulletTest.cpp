// The bolts in flight: slowing to their least speed and sinking to the floor line, destroying the first block
// standing on the floor in their way (the ballista's going on through a whole row), never the blocks resting
// on others, ending at a wall with its sound, and ending silently once out of a field that has no wall in
// their way; a spent bolt goes back to its pool.
#include "game/play/Bullet.h"

#include "engine/core/Matrix4.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ParticleSystem.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/BulletManager.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/Gun.h"
#include "tests/support/WeaponTestBed.h"
#include "tests/support/WeaponTestModels.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Korvane;
using TestSupport::PlayTestBed;
using TestSupport::WeaponTestBed;
using VelkorEngine::Matrix4;
using VelkorEngine::Vector3;

namespace
{
class BulletTest : public ::testing::Test
{
protected:
    // A gun's matrix at the bat's line, x along the field.
    static Matrix4 GunAt(f32 x)
    {
        Matrix4 matrix;
        VelkorEngine::MakeTranslationMatrix(matrix, Vector3(x, -85.0f, 0.0f));
        return matrix;
    }

    // A row of floor blocks straight ahead of the bat, one every 12 units.
    static std::vector<KorvaneTools::LevelObject> Row(int count, f32 x = 0.0f)
    {
        std::vector<KorvaneTools::LevelObject> row;
        for (int i = 0; i < count; ++i)
            row.push_back(PlayTestBed::At("brick", x, -20.0f + 12.0f * static_cast<f32>(i)));
        return row;
    }

    bool FliesUntilDone(Bullet& bolt) { return weapons.FramesUntil([&] { return bolt.HasHit(); }, 400); }

    WeaponTestBed weapons;
};

TEST_F(BulletTest, ArbaletBoltSlowsFromItsLaunchSpeedToItsLeastAndSinksToTheFloorLine)
{
    weapons.Build({});
    Bullet& bolt = *weapons.bullets->FireArbalet(GunAt(0.0f));
    EXPECT_FLOAT_EQ(bolt.GetSpeed(), 112.0f);
    f32 lastSpeed = bolt.GetSpeed();
    f32 lastY = bolt.GetOffset().y;
    for (int i = 0; i < 40; ++i)
    {
        weapons.Frames(1);
        EXPECT_LE(bolt.GetSpeed(), lastSpeed);
        EXPECT_GE(bolt.GetSpeed(), 80.0f);
        EXPECT_GT(bolt.GetOffset().y, lastY);
        EXPECT_GE(bolt.GetBounds().GetWorldMinimum().z, Bullet::LowestBottom - 1e-4f);
        lastSpeed = bolt.GetSpeed();
        lastY = bolt.GetOffset().y;
    }
    EXPECT_FLOAT_EQ(bolt.GetSpeed(), 80.0f);
    EXPECT_NEAR(bolt.GetBounds().GetWorldMinimum().z, Bullet::LowestBottom, 1e-4f);
    EXPECT_FALSE(bolt.HasHit());
}

TEST_F(BulletTest, BallistaBoltKeepsItsSpeed)
{
    weapons.Build({});
    Bullet& bolt = *weapons.bullets->FireBallista(GunAt(0.0f));
    weapons.Frames(1);
    EXPECT_FLOAT_EQ(bolt.GetSpeed(), 70.0f);
    EXPECT_NEAR(bolt.GetOffset().y, 70.0f * PlayTestBed::FrameTime, 1e-4f);
    EXPECT_NEAR(bolt.GetOffset().z, -10.0f * PlayTestBed::FrameTime, 1e-4f);
}

TEST_F(BulletTest, ArbaletBoltStopsAtTheFirstBlockOfARow)
{
    weapons.Build(Row(5));
    Bullet& bolt = *weapons.bullets->FireArbalet(GunAt(0.0f));
    ASSERT_TRUE(FliesUntilDone(bolt));
    weapons.Frames(1);
    EXPECT_EQ(weapons.DestroyedCount(), 1);
    EXPECT_EQ(weapons.play.geometry->GetBlocks().size(), 4u);
    EXPECT_LT(bolt.GetOffset().y, 85.0f - 20.0f + 10.0f) << "stopped at the first block, -20";
    EXPECT_EQ(weapons.SoundCount(26), 0) << "no wall was met";
    EXPECT_FALSE(bolt.GetModel()->flags & VelkorEngine::ModelFlags::Visible);
}

TEST_F(BulletTest, BallistaBoltPiercesAWholeRowAndEndsAtTheTopWall)
{
    weapons.Build(Row(5));
    Bullet& bolt = *weapons.bullets->FireBallista(GunAt(0.0f));
    ASSERT_TRUE(FliesUntilDone(bolt));
    weapons.Frames(1);
    EXPECT_EQ(weapons.DestroyedCount(), 5);
    EXPECT_EQ(weapons.SoundCount(27), 1);
    EXPECT_GT(bolt.GetBounds().GetWorldMaximum().y, PlayTestBed::Top - 10.0f);
}

TEST_F(BulletTest, BlocksRestingOnOthersAreNeverHit)
{
    // A tower of three just ahead of the bat: only the top one is as high as the bolt there.
    std::vector<KorvaneTools::LevelObject> tower = {PlayTestBed::At("brick", 0, -72, 1), PlayTestBed::At("brick", 0, -72, 3),
                                                    PlayTestBed::At("brick", 0, -72, 5)};
    tower[0].dependents = {1};
    tower[1].supports = {0};
    tower[1].dependents = {2};
    tower[2].supports = {1};
    weapons.Build(tower);
    Bullet& bolt = *weapons.bullets->FireBallista(GunAt(0.0f));
    ASSERT_TRUE(FliesUntilDone(bolt));
    EXPECT_EQ(weapons.DestroyedCount(), 0);
    EXPECT_EQ(weapons.SoundCount(27), 1);
}

TEST_F(BulletTest, MissingBoltEndsAtTheWallWithItsSoundAndReturnsToThePoolOnceItsEffectsHavePlayed)
{
    weapons.Build({});
    Bullet& bolt = *weapons.bullets->FireArbalet(GunAt(30.0f));
    ASSERT_TRUE(FliesUntilDone(bolt));
    EXPECT_TRUE(weapons.SoundInLastFrame(26));
    EXPECT_TRUE(bolt.IsActive()) << "its burst still plays";
    EXPECT_TRUE(bolt.GetBurst()->IsVisible());
    EXPECT_EQ(bolt.GetTrail()->active, 0);
    EXPECT_TRUE(weapons.FramesUntil([&] { return !bolt.IsActive(); }, 500));
    EXPECT_FALSE(bolt.GetBurst()->IsVisible());
    EXPECT_FALSE(bolt.GetTrail()->IsVisible());
    EXPECT_EQ(weapons.bullets->FireArbalet(GunAt(0.0f)), &bolt);
}

TEST_F(BulletTest, BoltOfAFieldWithoutATopWallEndsSilentlyOnceOutOfTheFieldAndFreesItsSlot)
{
    weapons.Build({});
    // Only the side walls: nothing ahead stops a bolt.
    const GameField open(std::vector<VelkorEngine::BoundingVolume>{
        VelkorEngine::BoundingVolume(Vector3(-87, -100, 0), Vector3(PlayTestBed::Left, 120, 20)),
        VelkorEngine::BoundingVolume(Vector3(PlayTestBed::Right, -100, 0), Vector3(87, 120, 20))});
    BulletManager bullets(&weapons.play.bed.GetEngine(), weapons.play.resources.get(), weapons.play.geometry.get(),
                          &open, weapons.play.effects.get(), weapons.sounds.get());
    Bullet& bolt = *bullets.FireArbalet(GunAt(0.0f));
    const auto frame = [&]
    {
        weapons.Frames(1);
        bullets.Update(1.0f);
    };
    for (int i = 0; i < 400 && !bolt.HasHit(); ++i)
        frame();
    ASSERT_TRUE(bolt.HasHit());
    EXPECT_GT(bolt.GetBounds().GetWorldMinimum().y, open.GetBounds().GetWorldMaximum().y);
    EXPECT_LT(bolt.GetBounds().GetWorldMinimum().y, open.GetBounds().GetWorldMaximum().y + 3.0f);
    EXPECT_EQ(weapons.SoundCount(26), 0);
    EXPECT_FALSE(bolt.GetBurst()->IsVisible());
    for (int i = 0; i < 500 && bolt.IsActive(); ++i)
        frame();
    EXPECT_FALSE(bolt.IsActive());
    EXPECT_EQ(bullets.FireArbalet(GunAt(0.0f)), &bolt);
}

TEST_F(BulletTest, PausedBoltStopsItsTrailAndGoesOnWhenResumed)
{
    weapons.Build({});
    Bullet& bolt = *weapons.bullets->FireArbalet(GunAt(0.0f));
    EXPECT_EQ(bolt.GetTrail()->active, 1);
    weapons.bullets->SetPaused(true);
    weapons.Frames(5, 0.0f, 0.0f);
    EXPECT_EQ(bolt.GetTrail()->active, 0);
    EXPECT_FLOAT_EQ(bolt.GetOffset().y, 0.0f);
    weapons.bullets->SetPaused(false);
    weapons.Frames(1);
    EXPECT_EQ(bolt.GetTrail()->active, 1);
    EXPECT_GT(bolt.GetOffset().y, 0.0f);
}
}
