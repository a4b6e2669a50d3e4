// The playfield camera: the held start pose, the release to the key frames, and the short-way blend.
#include "framework/GameCamera.h"

#include "engine/render/Camera.h"
#include "engine/scene/AnimationControl.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

using namespace TestSupport;
using GameTools::GameCamera;
using VelkorEngine::Quaternion;
using VelkorEngine::Vector3;

namespace
{
// A perspective camera made current in the engine, as the game logic does before it makes its camera.
VelkorEngine::Camera* MakeCurrentCamera(VelkorEngine::Engine& engine)
{
    VelkorEngine::CameraManager& cameras = *engine.GetCameraManager();
    VelkorEngine::Camera* current = cameras.CreateCamera(VelkorEngine::Camera::KindPerspective);
    cameras.SetCurrentCamera(current, false);
    return current;
}

class GameCameraTest : public testing::Test
{
protected:
    GameCameraTest()
    {
        camera.startRotation = Quaternion(0.0f, 0.6f, 0.0f, 0.8f);
        camera.startPosition = Vector3(1.0f, 2.0f, 3.0f);
    }

    void ExpectEngineCameraAt(const Quaternion& rotation, const Vector3& position) const
    {
        EXPECT_EQ(engineCamera->orientation.y, rotation.y);
        EXPECT_EQ(engineCamera->orientation.w, rotation.w);
        EXPECT_EQ(engineCamera->position.x, position.x);
        EXPECT_EQ(engineCamera->position.z, position.z);
    }

    EngineTestBed bed;
    VelkorEngine::Camera* engineCamera = MakeCurrentCamera(bed.Start());
    GameCamera camera{&bed.GetEngine()};
};
}

TEST_F(GameCameraTest, TheStartPoseIsHeldUntilTheAnimationStarts)
{
    camera.ResetToStartPose();
    for (int frame = 0; frame < 3; ++frame)
    {
        bed.clock.AdvanceSeconds(0.1);
        camera.Update();
        ExpectEngineCameraAt(camera.startRotation, camera.startPosition);
    }
    EXPECT_TRUE(camera.IsHeld());
    camera.GetAnimationControl().Start();
    camera.Update();
    EXPECT_FALSE(camera.IsHeld());
    ExpectEngineCameraAt(Quaternion(0.0f, 0.0f, 0.0f, 1.0f), Vector3(0.0f, 0.0f, 0.0f));
}

TEST_F(GameCameraTest, WithoutAResetTheFirstUpdateGoesToTheOnlyKeyFrame)
{
    camera.Update();
    ExpectEngineCameraAt(Quaternion(0.0f, 0.0f, 0.0f, 1.0f), Vector3(0.0f, 0.0f, 0.0f));
}

TEST_F(GameCameraTest, LensValuesGoToTheEngineCamera)
{
    camera.SetFieldOfView(0.7f);
    camera.SetNearPlane(2.0f);
    camera.SetFarPlane(900.0f);
    EXPECT_EQ(engineCamera->fieldOfView, 0.7f);
    EXPECT_EQ(camera.GetFieldOfView(), 0.7f);
    EXPECT_EQ(engineCamera->nearPlane, 2.0f);
    EXPECT_EQ(engineCamera->farPlane, 900.0f);
}

// Made between frames, when no model is being drawn and the camera manager names no current camera.
TEST(GameCameraWithoutCurrentCamera, TheCameraTheModelsAreDrawnWithIsDriven)
{
    EngineTestBed bed;
    VelkorEngine::Engine& engine = bed.Start();
    ASSERT_EQ(engine.GetCameraManager()->GetCurrentCamera(), nullptr);
    GameCamera camera(&engine);
    camera.SetFieldOfView(1.0f);
    camera.startPosition = Vector3(0.0f, -140.0f, 98.0f);
    camera.ResetToStartPose();
    camera.Update();
    const VelkorEngine::Camera& drawn = *engine.GetCameraManager()->GetDefaultCamera();
    EXPECT_EQ(drawn.fieldOfView, 1.0f);
    EXPECT_EQ(drawn.position.y, -140.0f);
}

TEST(GameCameraBlend, OppositeRotationsBlendTheShortWay)
{
    const Quaternion a(0.0f, 0.0f, 0.6f, 0.8f);
    const Quaternion b(0.0f, 0.0f, 0.6f, -0.8f);
    const Quaternion half = GameCamera::BlendRotation(a, b, 0.5f);
    EXPECT_FLOAT_EQ(half.z, 0.0f);
    EXPECT_FLOAT_EQ(half.w, 0.8f);
    const Quaternion same = GameCamera::BlendRotation(a, Quaternion(0.0f, 0.0f, 0.0f, 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(same.z, 0.3f);
    EXPECT_FLOAT_EQ(same.w, 0.9f) << "not normalised";
}
