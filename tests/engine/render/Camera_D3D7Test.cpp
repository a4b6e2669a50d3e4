// The Direct3D 7 camera's device projections and what it sets on the device.
#include "engine/render/Camera_D3D7.h"

#include "tests/support/SceneTestBed.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace VelkorEngine;

namespace
{
Matrix4 AsMatrix4(const D3DMATRIX& matrix)
{
    Matrix4 m;
    std::memcpy(m.m, &matrix, sizeof m.m);
    return m;
}
}

TEST(Camera_D3D7, DefaultPerspectiveDeviceProjections)
{
    KorvaneTest::SceneTestBed scene;
    Camera_D3D7 camera(&scene.Render(), Camera::KindPerspective);
    camera.Update();
    const Matrix4& p = camera.GetDeviceProjection();
    EXPECT_NEAR(p.m[0], 1.299038f, 1e-5f);
    EXPECT_NEAR(p.m[5], 1.732051f, 1e-5f);
    EXPECT_NEAR(p.m[8], 0.0f, 1e-6f);
    EXPECT_NEAR(p.m[9], 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(p.m[10], 1000.0f / 999.0f);
    EXPECT_EQ(p.m[11], 1.0f);
    EXPECT_FLOAT_EQ(p.m[14], -1000.0f / 999.0f);
    EXPECT_EQ(p.m[15], 0.0f);

    const Matrix4& biased = camera.GetDeviceZBiasedProjection();
    EXPECT_FLOAT_EQ(biased.m[10], 1001.0f / 1000.0f);
    EXPECT_FLOAT_EQ(biased.m[14], -1001.0f / 1000.0f);
    EXPECT_EQ(biased.m[0], p.m[0]);
}

TEST(Camera_D3D7, OrthographicDeviceProjections)
{
    KorvaneTest::SceneTestBed scene;
    Camera_D3D7 camera(&scene.Render(), Camera::KindOrthographic);
    camera.orthoWidth = 800.0f;
    camera.orthoHeight = 600.0f;
    camera.nearPlane = 500.0f;
    camera.farPlane = -500.0f;
    camera.Update();
    const Matrix4& p = camera.GetDeviceProjection();
    EXPECT_FLOAT_EQ(p.m[0], 2.0f / 800.0f);
    EXPECT_FLOAT_EQ(p.m[5], 2.0f / 600.0f);
    EXPECT_FLOAT_EQ(p.m[10], 1.0f / 1000.0f);
    EXPECT_EQ(p.m[12], -1.0f);
    EXPECT_EQ(p.m[13], -1.0f);
    EXPECT_FLOAT_EQ(p.m[14], 0.5f);
    EXPECT_EQ(p.m[15], 1.0f);
    EXPECT_FLOAT_EQ(camera.GetDeviceZBiasedProjection().m[10], 1.0f / 999.0f);
    EXPECT_FLOAT_EQ(camera.GetDeviceZBiasedProjection().m[14], 500.0f / 999.0f);
    // The engine's projection is still the one with depth from -1 to 1.
    EXPECT_FLOAT_EQ(camera.GetProjectionMatrix().m[10], -2.0f / -1000.0f);
}

TEST(Camera_D3D7, ApplySetsTheProjectionAndTheView)
{
    KorvaneTest::SceneTestBed scene;
    Camera_D3D7 camera(&scene.Render(), Camera::KindPerspective);
    camera.position = Vector3(1, 2, 3);
    camera.Update();
    camera.Apply();
    ASSERT_EQ(scene.TransformCount(D3DTRANSFORMSTATE_PROJECTION), 1);
    EXPECT_TRUE(AsMatrix4(scene.LastTransform(D3DTRANSFORMSTATE_PROJECTION)) == camera.GetDeviceProjection());
    EXPECT_TRUE(scene.Render().GetViewMatrix() == camera.GetViewMatrix());
    EXPECT_EQ(scene.TransformCount(D3DTRANSFORMSTATE_VIEW), 1);

    camera.ApplyZBiased();
    EXPECT_EQ(scene.TransformCount(D3DTRANSFORMSTATE_PROJECTION), 2);
    EXPECT_TRUE(AsMatrix4(scene.LastTransform(D3DTRANSFORMSTATE_PROJECTION)) ==
                camera.GetDeviceZBiasedProjection());
    // The view went through the render system's cache and is not sent again.
    EXPECT_EQ(scene.TransformCount(D3DTRANSFORMSTATE_VIEW), 1);
}

TEST(Camera_D3D7, DeviceFailuresAreLoggedWithTheirContext)
{
    KorvaneTest::SceneTestBed scene;
    Camera_D3D7 camera(&scene.Render(), Camera::KindPerspective);
    camera.Update();
    scene.Driver().Fail("SetTransform", DDERR_INVALIDPARAMS);
    camera.Apply();
    camera.ApplyZBiased();
    const std::vector<std::string> errors = scene.Errors();
    ASSERT_GE(errors.size(), 2u);
    EXPECT_NE(errors[0].find("Camera_D3D7::Apply"), std::string::npos) << errors[0];
    bool biased = false;
    for (const std::string& error : errors)
        biased = biased || error.find("Camera_D3D7::ApplyZBiased") != std::string::npos;
    EXPECT_TRUE(biased);
}
