// The guns on the bat: arming raises the gun, a held button fires once per interval of the gun's clock, a request
// inside the interval is dropped, the last shot lowers and hides the gun, and a shot with every bolt of the pool
// still in the air spends its charge without a bolt or a sound.
#include "game/play/Gun.h"

#include "engine/core/Matrix4.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "game/play/Bat.h"
#include "game/play/Bullet.h"
#include "game/play/BulletManager.h"
#include "game/play/Shadow.h"
#include "tests/support/WeaponTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Korvane;
using TestSupport::WeaponTestBed;

namespace
{
struct GunCase
{
    u32 type;
    u32 poolSize;
    f32 launchSpeed;
    f32 interval;
    u32 shotSound;
};

constexpr GunCase kGunCases[] = {
    {GunType::Arbalet, 30, 112.0f, 0.1f, 24},
    {GunType::Ballista, 20, 70.0f, 0.17f, 25},
};

class GunTest : public ::testing::TestWithParam<GunCase>
{
protected:
    GunTest() { weapons.Build({}); }

    Gun& ThisGun() { return *weapons.guns[GetParam().type]; }

    // Frames with the button held until the charges are spent, noting the gun clock at each shot.
    std::vector<f32> HoldButton(int frames)
    {
        std::vector<f32> shots;
        for (int i = 0; i < frames && ThisGun().Charges() > 0; ++i)
        {
            const i32 before = ThisGun().GetShotsFired();
            ThisGun().RequestFire();
            weapons.Frames(1);
            if (ThisGun().GetShotsFired() != before)
                shots.push_back(ThisGun().GetClock());
        }
        return shots;
    }

    WeaponTestBed weapons;
};

TEST_P(GunTest, PoolsHoldTheirBoltsAndABoltLeavesAtItsLaunchSpeed)
{
    const GunCase& c = GetParam();
    const auto& pool = weapons.bullets->GetPool(c.type);
    ASSERT_EQ(pool.size(), c.poolSize);
    EXPECT_TRUE(std::none_of(pool.begin(), pool.end(), [](const Bullet* b) { return b->IsActive(); }));
    Bullet* bolt = weapons.bullets->Fire(c.type, weapons.play.bat->GetBody()->worldMatrix);
    ASSERT_EQ(bolt, pool[0]);
    EXPECT_EQ(bolt->GetType(), c.type);
    EXPECT_FLOAT_EQ(bolt->GetSpeed(), c.launchSpeed);
    EXPECT_TRUE(bolt->GetModel()->flags & VelkorEngine::ModelFlags::Visible);
}

TEST_P(GunTest, HeldButtonFiresOncePerIntervalUntilTheChargesAreSpentThenTheGunLowersAndHides)
{
    const GunCase& c = GetParam();
    ThisGun().AddCharges(3);
    EXPECT_TRUE(ThisGun().IsShown());
    EXPECT_EQ(ThisGun().GetPart().GetClip(), GunClip::Raise);
    const std::vector<f32> shots = HoldButton(40);
    ASSERT_EQ(shots.size(), 3u);
    for (size_t i = 1; i < shots.size(); ++i)
    {
        EXPECT_GE(shots[i] - shots[i - 1], c.interval - 1e-4f);
        EXPECT_LT(shots[i] - shots[i - 1], c.interval + 0.021f) << "the next frame after the interval fires";
    }
    EXPECT_EQ(ThisGun().Charges(), 0);
    EXPECT_EQ(weapons.SoundCount(c.shotSound), 3);
    EXPECT_EQ(ThisGun().GetPart().GetClip(), GunClip::Fire);
    EXPECT_TRUE(weapons.FramesUntil([&] { return ThisGun().GetPart().GetClip() == GunClip::Lower; }, 50));
    EXPECT_TRUE(ThisGun().IsShown());
    EXPECT_TRUE(weapons.FramesUntil([&] { return !ThisGun().IsShown(); }, 100));
    EXPECT_FALSE(ThisGun().GetPart().GetShadow()->IsShown());
    EXPECT_FALSE(ThisGun().GetPart().IsBoltShown());
}

TEST_P(GunTest, RequestInsideTheIntervalIsDroppedNotQueued)
{
    ThisGun().AddCharges(5);
    ThisGun().RequestFire();
    weapons.Frames(1);
    ASSERT_EQ(ThisGun().GetShotsFired(), 1);
    ThisGun().RequestFire();
    weapons.Frames(1);
    EXPECT_EQ(ThisGun().GetShotsFired(), 1);
    weapons.Frames(20);
    EXPECT_EQ(ThisGun().GetShotsFired(), 1);
    EXPECT_EQ(ThisGun().Charges(), 4);
    ThisGun().RequestFire();
    weapons.Frames(1);
    EXPECT_EQ(ThisGun().GetShotsFired(), 2);
}

TEST_P(GunTest, BlockedGunDropsItsRequestsAndFiresAgainOnceFree)
{
    ThisGun().AddCharges(2);
    ThisGun().SetBlocked(true);
    ThisGun().RequestFire();
    weapons.Frames(20);
    EXPECT_EQ(ThisGun().GetShotsFired(), 0);
    ThisGun().SetBlocked(false);
    weapons.Frames(1);
    EXPECT_EQ(ThisGun().GetShotsFired(), 0) << "the blocked frame's request is gone";
    ThisGun().RequestFire();
    weapons.Frames(1);
    EXPECT_EQ(ThisGun().GetShotsFired(), 1);
}

TEST_P(GunTest, FullPoolSpendsTheChargeButFiresNothingAndIsSilent)
{
    const GunCase& c = GetParam();
    ThisGun().AddCharges(static_cast<i32>(c.poolSize) + 1);
    int fired = 0;
    while (ThisGun().GetShotsFired() < static_cast<i32>(c.poolSize))
    {
        ThisGun().RequestFire();
        // The bolts hang where they were fired, none of them hitting anything.
        weapons.Frames(1, 1.0f, 0.0f);
        fired += weapons.SoundInLastFrame(c.shotSound) ? 1 : 0;
    }
    const auto& pool = weapons.bullets->GetPool(c.type);
    EXPECT_TRUE(std::all_of(pool.begin(), pool.end(), [](const Bullet* b) { return b->IsActive() && !b->HasHit(); }));
    EXPECT_EQ(fired, static_cast<int>(c.poolSize));
    weapons.Frames(10, 1.0f, 0.0f);
    ThisGun().RequestFire();
    weapons.Frames(1, 1.0f, 0.0f);
    EXPECT_EQ(ThisGun().GetShotsFired(), static_cast<i32>(c.poolSize) + 1);
    EXPECT_EQ(ThisGun().Charges(), 0);
    EXPECT_FALSE(weapons.SoundInLastFrame(c.shotSound));
    EXPECT_EQ(weapons.bullets->Fire(c.type, weapons.play.bat->GetBody()->worldMatrix), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothGuns, GunTest, ::testing::ValuesIn(kGunCases),
                         [](const auto& info) { return info.param.type == GunType::Arbalet ? "Arbalet" : "Ballista"; });

class GunPartTest : public ::testing::Test
{
protected:
    GunPartTest() { weapons.Build({}); }

    WeaponTestBed weapons;
};

TEST_F(GunPartTest, RaisedGunFollowsTheBatAndStandsReadyWithABoltLoaded)
{
    Gun& gun = *weapons.guns[GunType::Arbalet];
    EXPECT_FALSE(gun.IsShown());
    gun.AddCharges(24);
    EXPECT_FALSE(gun.GetPart().IsBoltShown());
    EXPECT_TRUE(gun.GetPart().GetShadow()->IsShown());
    // 33 frames of the raise at 60 frames a second.
    weapons.Frames(25);
    EXPECT_EQ(gun.GetPart().GetClip(), GunClip::Raise);
    weapons.Frames(5);
    EXPECT_EQ(gun.GetPart().GetClip(), GunClip::Ready);
    EXPECT_TRUE(gun.GetPart().IsBoltShown());
    weapons.play.cursor.x = 700.0f;
    weapons.Frames(60);
    EXPECT_EQ(gun.GetPart().GetGunModel()->worldMatrix, weapons.play.bat->GetBody()->worldMatrix);
    EXPECT_GT(gun.GetPart().GetGunModel()->worldMatrix.m[3], 40.0f);
    gun.RequestFire();
    weapons.Frames(1);
    EXPECT_EQ(gun.GetPart().GetClip(), GunClip::Fire);
    EXPECT_FALSE(gun.GetPart().IsBoltShown());
    EXPECT_TRUE(weapons.FramesUntil([&] { return gun.GetPart().GetClip() == GunClip::Ready; }, 20));
    EXPECT_TRUE(gun.GetPart().IsBoltShown());
}

TEST_F(GunPartTest, ChargesAddUpWithoutRaisingAnArmedGunAgainAndRemoveDisarms)
{
    Gun& gun = *weapons.guns[GunType::Ballista];
    gun.AddCharges(0);
    gun.AddCharges(-3);
    EXPECT_FALSE(gun.IsShown());
    gun.RequestFire();
    weapons.Frames(1);
    EXPECT_EQ(gun.GetShotsFired(), 0);
    gun.AddCharges(12);
    weapons.Frames(60);
    ASSERT_EQ(gun.GetPart().GetClip(), GunClip::Ready);
    gun.AddCharges(12);
    EXPECT_EQ(gun.Charges(), 24);
    EXPECT_EQ(gun.GetPart().GetClip(), GunClip::Ready);
    gun.Remove();
    EXPECT_EQ(gun.Charges(), 0);
    EXPECT_FALSE(gun.IsShown());
    EXPECT_FALSE(gun.GetPart().IsBoltShown());
    EXPECT_FALSE(gun.GetPart().GetShadow()->IsShown());
}
}
