// The camera manager: its table, applying cameras once, the viewport and the screen projections.
#include "engine/render/CameraManager.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "tests/support/MathTestSupport.h"
#include "tests/support/SceneTestBed.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VelkorEngine;

namespace
{
using TestSupport::ExpectVector;
using TestSupport::kPi;

// An unprojected point goes through the inverted view and projection matrices: close, not exact.
constexpr float kUnprojectTolerance = 1e-3f;

class CameraManagerTest : public ::testing::Test
{
protected:
    CameraManagerTest() : cameras(&scene.Log(), &scene.GetWindow(), &scene.Render()) { cameras.Update(); }

    int Projections() const { return scene.TransformCount(D3DTRANSFORMSTATE_PROJECTION); }

    KorvaneTest::SceneTestBed scene;
    CameraManager cameras;
};
}

TEST_F(CameraManagerTest, ViewportFollowsTheWindow)
{
    EXPECT_EQ(cameras.GetViewportX(), 0u);
    EXPECT_EQ(cameras.GetViewportY(), 0u);
    EXPECT_EQ(cameras.GetViewportWidth(), scene.GetWindow().GetWidth());
    EXPECT_EQ(cameras.GetViewportHeight(), scene.GetWindow().GetHeight());
    scene.GetWindow().SetMode(800, 600, 0, 1280, 1024);
    cameras.Update();
    EXPECT_EQ(cameras.GetViewportWidth(), 800u);
    EXPECT_EQ(cameras.GetViewportHeight(), 600u);
}

// A deleted camera that was the current one is forgotten, so the next frame never applies it.
TEST_F(CameraManagerTest, CreatedCamerasAreUpdatedAndDeleted)
{
    Camera* gui = cameras.CreateCamera(Camera::KindOrthographic);
    ASSERT_NE(gui, nullptr);
    EXPECT_FALSE(gui->IsPerspective());
    gui->orthoWidth = 800.0f;
    gui->orthoHeight = 600.0f;
    cameras.Update();
    EXPECT_FLOAT_EQ(gui->GetProjectionMatrix().m[0], 2.0f / 800.0f);
    EXPECT_EQ(cameras.GetCameraCount(), 2u);
    cameras.SetCurrentCamera(gui, false);
    cameras.DeleteCamera(gui);
    EXPECT_EQ(cameras.GetCameraCount(), 1u);
    EXPECT_EQ(cameras.GetCurrentCamera(), nullptr);
}

// The manager makes a perspective camera of its own and keeps it for its life.
TEST_F(CameraManagerTest, DefaultCameraOutlivesEveryDelete)
{
    ASSERT_NE(cameras.GetDefaultCamera(), nullptr);
    EXPECT_TRUE(cameras.GetDefaultCamera()->IsPerspective());
    EXPECT_EQ(cameras.GetCurrentCamera(), nullptr);
    Camera stranger(Camera::KindPerspective);
    cameras.DeleteCamera(nullptr);
    cameras.DeleteCamera(&stranger);
    cameras.DeleteCamera(cameras.GetDefaultCamera());
    EXPECT_EQ(cameras.GetCameraCount(), 1u);
    cameras.Update();
    EXPECT_TRUE(cameras.GetDefaultCamera()->IsPerspective());
}

TEST_F(CameraManagerTest, SameCameraIsAppliedOnce)
{
    Camera* camera = cameras.GetDefaultCamera();
    cameras.SetCurrentCamera(camera, false);
    cameras.SetCurrentCamera(camera, false);
    EXPECT_EQ(Projections(), 1);
    EXPECT_EQ(cameras.GetCurrentCamera(), camera);

    cameras.SetCurrentCamera(camera, true);
    EXPECT_EQ(Projections(), 2);
    cameras.SetCurrentCamera(camera, true);
    EXPECT_EQ(Projections(), 2);

    Camera* other = cameras.CreateCamera(Camera::KindPerspective);
    cameras.Update();
    EXPECT_EQ(cameras.GetCurrentCamera(), nullptr);
    cameras.SetCurrentCamera(other, true);
    cameras.SetCurrentCamera(camera, true);
    EXPECT_EQ(Projections(), 4);
}

// Straight ahead is the centre, screen y grows upwards, and a point on the camera's own plane, which has no
// screen position, is put at the centre rather than at infinity.
TEST_F(CameraManagerTest, ProjectionOfTheDefaultCamera)
{
    const Camera* camera = cameras.GetDefaultCamera();
    const Vector2 centre = cameras.ProjectToScreen(camera, Vector3(0, 0, -10));
    EXPECT_NEAR(centre.x, 320.0f, 1e-3f);
    EXPECT_NEAR(centre.y, 240.0f, 1e-3f);
    const Vector2 above = cameras.ProjectToScreen(camera, Vector3(1, 1, -10));
    EXPECT_GT(above.x, 320.0f);
    EXPECT_GT(above.y, 240.0f);
    const Vector2 flat = cameras.ProjectToScreen(camera, Vector3(5, 3, 0));
    EXPECT_EQ(flat.x, 320.0f);
    EXPECT_EQ(flat.y, 240.0f);
}

TEST_F(CameraManagerTest, CentreAtDepthZeroIsOnTheNearPlane)
{
    ExpectVector(cameras.UnprojectFromScreen(cameras.GetDefaultCamera(), Vector3(320, 240, 0)), Vector3(0, 0, -1),
                 kUnprojectTolerance);
    Camera* camera = cameras.GetDefaultCamera();
    camera->position = Vector3(4, 5, 6);
    cameras.Update();
    ExpectVector(cameras.UnprojectFromScreen(camera, Vector3(320, 240, 0)), Vector3(4, 5, 5), kUnprojectTolerance);
}

TEST_F(CameraManagerTest, DepthAtInfinityGivesTheOrigin)
{
    // Window depth far/(far - near) is the plane at infinity: W is zero there.
    const Vector3 point = cameras.UnprojectFromScreen(cameras.GetDefaultCamera(), Vector3(100, 50, 1000.0f / 999.0f));
    ExpectVector(point, Vector3(0, 0, 0), 0.0f);
}

TEST_F(CameraManagerTest, WorldScreenRayRoundTrip)
{
    Camera* camera = cameras.GetDefaultCamera();
    camera->position = Vector3(2, -3, 15);
    camera->orientation = Quaternion(0.0f, std::sin(0.2f), 0.0f, std::cos(0.2f));
    cameras.Update();
    const Vector3 points[] = {Vector3(0, 0, 0), Vector3(3, 1, -4), Vector3(-2, -5, 2), Vector3(6, 0, -30)};
    for (const Vector3& point : points)
    {
        const Vector2 screen = cameras.ProjectToScreen(camera, point);
        const Vector3 nearPoint = cameras.UnprojectFromScreen(camera, Vector3(screen.x, screen.y, 0.0f));
        const Vector3 farPoint = cameras.UnprojectFromScreen(camera, Vector3(screen.x, screen.y, 1.0f));
        // The point lies on the ray from the near point through the far point.
        const Vector3 along = (farPoint - nearPoint).GetNormalized();
        const Vector3 offset = point - nearPoint;
        EXPECT_LT(along.Cross(offset).Length(), 2e-3f * offset.Length()) << point.x << "," << point.y;
        EXPECT_GT(along.Dot(offset), 0.0f);
    }
}

TEST_F(CameraManagerTest, OrthographicScreenIsTheBox)
{
    Camera* gui = cameras.CreateCamera(Camera::KindOrthographic);
    gui->orthoWidth = 800.0f;
    gui->orthoHeight = 600.0f;
    gui->nearPlane = 500.0f;
    gui->farPlane = -500.0f;
    cameras.Update();
    const Vector2 corner = cameras.ProjectToScreen(gui, Vector3(800, 600, 0));
    EXPECT_NEAR(corner.x, 640.0f, 1e-3f);
    EXPECT_NEAR(corner.y, 480.0f, 1e-3f);
    const Vector3 back = cameras.UnprojectFromScreen(gui, Vector3(320, 120, 0.5f));
    EXPECT_NEAR(back.x, 400.0f, 1e-2f);
    EXPECT_NEAR(back.y, 150.0f, 1e-2f);
    EXPECT_NEAR(back.z, 0.0f, 1e-2f);
    cameras.DeleteCamera(gui);
}

TEST_F(CameraManagerTest, TurnedCameraSeesWhatItFaces)
{
    Camera* camera = cameras.GetDefaultCamera();
    camera->orientation = Quaternion(0.0f, std::sin(kPi / 4.0f), 0.0f, std::cos(kPi / 4.0f));
    cameras.Update();
    const Vector2 ahead = cameras.ProjectToScreen(camera, Vector3(-10, 0, 0));
    EXPECT_NEAR(ahead.x, 320.0f, 1e-2f);
    EXPECT_TRUE(camera->GetFrustum().IsSphereInside(BoundingVolume(Vector3(-11.0f), Vector3(-9.0f, 1.0f, 1.0f))));
    EXPECT_FALSE(camera->GetFrustum().IsSphereInside(BoundingVolume(Vector3(9.0f, -1.0f, -1.0f), Vector3(11.0f))));
}
