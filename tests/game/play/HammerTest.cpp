// The hammer: its lean with the cursor and the point its head comes down on, the swing a click starts and the
// strike at its bottom on the block under the cursor (with the game's camera), a click during a swing ignored, six
// strikes and then gone, and never a strike on a block that an earlier hit of the same frame has already destroyed.
#include "game/play/Hammer.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/play/Block.h"
#include "game/play/BrickDurability.h"
#include "game/play/GameGeometry.h"
#include "tests/support/WeaponTestBed.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Korvane;
using TestSupport::PlayTestBed;
using TestSupport::WeaponTestBed;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
constexpr f32 kQuarterPi = 0.785398163f;

class HammerTest : public ::testing::Test
{
protected:
    HammerTest()
    {
        VelkorEngine::Engine& engine = weapons.play.bed.GetEngine();
        VelkorEngine::Camera& camera = *engine.GetCameraManager()->GetDefaultCamera();
        camera.fieldOfView = 3.14159265f / 2.0f;
        camera.nearPlane = 70.0f;
        camera.farPlane = 650.0f;
        camera.orientation = VelkorEngine::Quaternion(0.4939f, 0.0f, 0.0f, 0.8695f);
        camera.position = Vector3(0.0f, -140.0f, 98.0f);
        engine.GetCameraManager()->Update();
    }

    // Five blocks across the field, far enough apart that a blast of one leaves the others.
    void BuildRow()
    {
        std::vector<KorvaneTools::LevelObject> row;
        for (int i = 0; i < 6; ++i)
            row.push_back(PlayTestBed::At("brick", -50.0f + 20.0f * static_cast<f32>(i), 40.0f));
        weapons.Build(row);
    }

    // The GUI cursor over a point of the field.
    void PointAt(const Vector3& point)
    {
        const VelkorEngine::CameraManager& cameras = *weapons.play.bed.GetEngine().GetCameraManager();
        const Vector2 screen = cameras.ProjectToScreen(cameras.GetDefaultCamera(), point);
        weapons.play.cursor = Vector2(screen.x * 800.0f / static_cast<f32>(cameras.GetViewportWidth()),
                                      screen.y * 600.0f / static_cast<f32>(cameras.GetViewportHeight()));
    }

    Block* BlockWithId(u32 id) const { return weapons.play.geometry->FindBlock(id); }

    const VelkorEngine::AnimationControl& Animation() const { return *weapons.hammer->GetModel()->animation; }

    WeaponTestBed weapons;
};

struct AimCase
{
    f32 cursorX;
    f32 angle;
};

class HammerAimTest : public ::testing::TestWithParam<AimCase>
{
};

TEST_P(HammerAimTest, CursorAcrossTheScreenTurnsTheHammerByUpToAQuarterPi)
{
    EXPECT_NEAR(Hammer::AimAngle(GetParam().cursorX), GetParam().angle, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Cursor, HammerAimTest,
                         ::testing::Values(AimCase{0.0f, -kQuarterPi}, AimCase{200.0f, -kQuarterPi / 2.0f},
                                           AimCase{400.0f, 0.0f}, AimCase{800.0f, kQuarterPi}));

// Where the model's point lies in the field.
Vector3 InField(const VelkorEngine::Model& model, const Vector3& point)
{
    return model.worldMatrix.TransformPoint(point);
}

TEST_F(HammerTest, TheHeadComesDownWhereTheCursorPointsLeaningToTheCursorsSide)
{
    BuildRow();
    weapons.hammer->AddStrikes(6);
    ASSERT_TRUE(weapons.hammer->IsShown());
    const VelkorEngine::Model& model = *weapons.hammer->GetModel();
    // The floor before the row, left, middle and right: the striking face lands on it, the grip above it.
    for (const f32 x : {-50.0f, 0.0f, 50.0f})
    {
        const Vector3 floor(x, 0.0f, 0.0f);
        PointAt(floor);
        weapons.Frames(1);
        const Vector3 face = InField(model, Vector3(0.0f, 0.0f, -Hammer::Reach));
        EXPECT_NEAR(face.x, floor.x, 0.05f);
        EXPECT_NEAR(face.y, floor.y, 0.05f);
        EXPECT_NEAR(face.z, floor.z, 0.05f);
        const f32 lean = Hammer::AimAngle(weapons.play.cursor.x);
        const Vector3 grip = InField(model, Vector3(0.0f, 0.0f, 0.0f));
        EXPECT_NEAR(grip.x, floor.x - Hammer::Reach * std::sin(lean), 0.05f);
        EXPECT_NEAR(grip.z, Hammer::Reach * std::cos(lean), 0.05f);
    }
    // Over a block, on the block where the cursor's line of sight meets it.
    const Block& block = *BlockWithId(4);
    PointAt(block.GetCenter());
    weapons.Frames(1);
    const Vector3 face = InField(model, Vector3(0.0f, 0.0f, -Hammer::Reach));
    const VelkorEngine::BoundingVolume box = block.GetBounds();
    EXPECT_GT(face.z, 0.5f);
    for (int axis = 0; axis < 3; ++axis)
    {
        EXPECT_GE((&face.x)[axis], (&box.GetWorldMinimum().x)[axis] - 0.05f) << axis;
        EXPECT_LE((&face.x)[axis], (&box.GetWorldMaximum().x)[axis] + 0.05f) << axis;
    }
    // Pointing past the far wall or at the bat keeps the hammer over the field.
    for (const Vector3& outside : {Vector3(0.0f, 400.0f, 0.0f), Vector3(0.0f, -95.0f, 0.0f)})
    {
        PointAt(outside);
        weapons.Frames(1);
        const Vector3 held = InField(model, Vector3(0.0f, 0.0f, -Hammer::Reach));
        EXPECT_GE(held.y, Hammer::AimNearY - 0.01f);
        EXPECT_LE(held.y, Hammer::AimFarY + 0.01f);
    }
}

TEST_F(HammerTest, SixStrikesDestroyTheSixBlocksUnderTheCursorThenTheHammerGoes)
{
    BuildRow();
    weapons.hammer->AddStrikes(6);
    for (u32 id = 0; id < 6; ++id)
    {
        PointAt(BlockWithId(id)->GetCenter());
        weapons.hammer->RequestStrike();
        weapons.Frames(1);
        EXPECT_EQ(weapons.SoundCount(Hammer::SoundStrike), static_cast<int>(id) + 1);
        ASSERT_TRUE(weapons.FramesUntil([&] { return Animation().GetAnimation() == Hammer::ClipReturn; }, 30));
        EXPECT_EQ(weapons.hammer->StrikesLeft(), 5 - static_cast<i32>(id));
        EXPECT_EQ(weapons.DestroyedCount(), static_cast<int>(id) + 1);
        EXPECT_EQ(BlockWithId(id), nullptr);
        ASSERT_TRUE(weapons.FramesUntil([&] { return Animation().IsPlaying() == 0; }, 30));
    }
    weapons.Frames(1);
    EXPECT_FALSE(weapons.hammer->IsShown());
    EXPECT_EQ(Animation().GetAnimation(), Hammer::ClipSwing);
    EXPECT_FLOAT_EQ(Animation().time, 0.0f);
}

TEST_F(HammerTest, ClickDuringASwingIsIgnoredAndOneRightAfterTheReturnStartsTheNext)
{
    BuildRow();
    weapons.hammer->AddStrikes(6);
    PointAt(Vector3(0.0f, 80.0f, 0.0f));
    weapons.hammer->RequestStrike();
    weapons.Frames(3);
    weapons.hammer->RequestStrike();
    weapons.Frames(1);
    EXPECT_EQ(weapons.SoundCount(Hammer::SoundStrike), 1);
    ASSERT_TRUE(weapons.FramesUntil([&] { return Animation().GetAnimation() == Hammer::ClipReturn; }, 30));
    EXPECT_EQ(weapons.hammer->StrikesLeft(), 5);
    EXPECT_EQ(weapons.DestroyedCount(), 0) << "nothing under the cursor";
    weapons.hammer->RequestStrike();
    weapons.Frames(1);
    EXPECT_EQ(weapons.SoundCount(Hammer::SoundStrike), 1);
    ASSERT_TRUE(weapons.FramesUntil([&] { return Animation().IsPlaying() == 0; }, 30));
    EXPECT_TRUE(weapons.hammer->IsShown());
    weapons.hammer->RequestStrike();
    EXPECT_EQ(Animation().GetAnimation(), Hammer::ClipSwing);
    EXPECT_EQ(Animation().IsPlaying(), 1);
}

TEST_F(HammerTest, StrikeNextToOtherBlocksSetsThemOff)
{
    weapons.Build({PlayTestBed::At("brick", 0, 40), PlayTestBed::At("brick", 2.2f, 40), PlayTestBed::At("brick", 40, 40)});
    weapons.hammer->AddStrikes(6);
    PointAt(BlockWithId(0)->GetCenter());
    weapons.hammer->RequestStrike();
    ASSERT_TRUE(weapons.FramesUntil([&] { return weapons.hammer->StrikesLeft() == 5; }, 30));
    EXPECT_EQ(weapons.DestroyedCount(), 1);
    weapons.Frames(20);
    EXPECT_EQ(weapons.DestroyedCount(), 2);
    EXPECT_NE(BlockWithId(2), nullptr);
}

TEST_F(HammerTest, PickNeverTakesABlockDestroyedEarlierInTheFrame)
{
    // A block hanging on the line from the camera to a block on the floor, nearer the camera.
    const Vector3 camera(0.0f, -140.0f, 98.0f);
    const Vector3 far(0.0f, 40.0f, 1.0f);
    const f32 nearY = -20.0f;
    const Vector3 near = camera + (far - camera) * ((nearY - camera.y) / (far.y - camera.y));
    weapons.Build({PlayTestBed::At("brick", far.x, far.y, far.z), PlayTestBed::At("brick", near.x, near.y, near.z)});
    PointAt(far);
    const VelkorEngine::Ray segment = weapons.hammer->CursorSegment();
    Block* farBlock = BlockWithId(0);
    Block* nearBlock = BlockWithId(1);
    ASSERT_EQ(weapons.hammer->PickBlock(segment), nearBlock);
    nearBlock->Destroy(DestroyKind::Simple, false);
    ASSERT_FALSE(nearBlock->IsAlive());
    EXPECT_EQ(weapons.hammer->PickBlock(segment), farBlock);
    farBlock->Destroy(DestroyKind::Simple, false);
    EXPECT_EQ(weapons.hammer->PickBlock(segment), nullptr);
}

TEST_F(HammerTest, HammerWithoutStrikesOrBlockedDoesNotSwing)
{
    BuildRow();
    weapons.hammer->AddStrikes(0);
    weapons.hammer->AddStrikes(-2);
    EXPECT_FALSE(weapons.hammer->IsShown());
    weapons.hammer->RequestStrike();
    weapons.Frames(20);
    EXPECT_EQ(weapons.SoundCount(Hammer::SoundStrike), 0);
    weapons.hammer->AddStrikes(1);
    weapons.hammer->SetBlocked(true);
    PointAt(BlockWithId(2)->GetCenter());
    weapons.hammer->RequestStrike();
    weapons.Frames(20);
    EXPECT_EQ(weapons.hammer->StrikesLeft(), 1) << "a blocked hammer waits at the bottom of its swing";
    weapons.hammer->SetBlocked(false);
    weapons.Frames(1);
    EXPECT_EQ(weapons.hammer->StrikesLeft(), 0);
    EXPECT_EQ(weapons.DestroyedCount(), 1);
    weapons.hammer->Remove();
    EXPECT_FALSE(weapons.hammer->IsShown());
}
}
