// Lights drawn for real through OpenGL on an offscreen window: directional and point lights light the
// surfaces that face them, in world space whatever the camera, and a switched-off light lights nothing.
#include "engine/render/CameraManager.h"
#include "engine/render/Camera.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "tests/support/RenderTestBed.h"
#include "tests/support/SceneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace VelkorEngine;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;

namespace
{
const Vector3 kRight(1, 0, 0);
const Vector3 kUp(0, 1, 0);

class LightPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        render = &bed.Start();
        cameras = std::make_unique<CameraManager>(&bed.Log(), &bed.GetWindow(), render);
        lights = std::make_unique<LightManager>(&bed.Log(), render);
        render->SetClearColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    }

    // A light that gives only its diffuse colour.
    Light* DiffuseLight(u32 kind, const Color& colour)
    {
        Light* light = lights->CreateLight();
        light->kind = kind;
        light->diffuse = colour;
        light->ambient = Color(0, 0, 0, 1);
        light->specular = Color(0, 0, 0, 1);
        return light;
    }

    // One frame as the engine runs it: the lights are sent before the frame's camera is applied.
    template <typename Draw>
    Image Frame(Draw&& draw)
    {
        cameras->Update();
        render->BeginScene();
        lights->Update();
        lights->EnableLighting(true);
        cameras->SetCurrentCamera(cameras->GetDefaultCamera(), false);
        draw();
        render->EndScene();
        return bed.Screenshot();
    }

    Image FrameOfQuad(const std::vector<KorvaneTest::SceneVertex>& quad)
    {
        return Frame([&] { KorvaneTest::DrawSceneQuad(*render, quad); });
    }

    KorvaneTest::RenderTestBed bed;
    RenderSystem_D3D7* render = nullptr;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
};
}

// One directional light on a quad facing the camera: the centre takes the light's colour by the cosine of
// its angle with the surface, and nothing when the light is off.
TEST_F(LightPixels, DirectionalLightGivesItsColourByTheAngle)
{
    const struct
    {
        const char* what;
        Vector3 direction;
        u8 enabled;
        Color colour;
        u8 red, green, blue;
    } cases[] = {
        {"facing the surface", Vector3(0, 0, -1), 1, Color(1, 0, 0, 1), 255, 0, 0},
        {"along the surface", Vector3(1, 0, 0), 1, Color(1, 0, 0, 1), 0, 0, 0},
        {"half turned", Vector3(0, -std::sqrt(3.0f) / 2.0f, -0.5f), 1, Color(0, 0, 1, 1), 0, 0, 127},
        {"switched off", Vector3(0, 0, -1), 0, Color(1, 1, 1, 1), 0, 0, 0},
    };
    Light* light = DiffuseLight(Light::KindDirectional, Color(0, 0, 0, 1));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        light->direction = c.direction;
        light->enabled = c.enabled;
        light->diffuse = c.colour;
        const Image frame = FrameOfQuad(KorvaneTest::SceneQuad(Vector3(0, 0, -5), kRight, kUp, 2.0f));
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), c.red, c.green, c.blue, 3));
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 5, 5), 0, 0, 0, 0)) << "the clear colour around the quad";
    }
}

TEST_F(LightPixels, SceneAmbientColourMeetsTheMaterial)
{
    DiffuseLight(Light::KindDirectional, Color(0, 0, 0, 1));
    lights->SetAmbientColor(Color(0.5f, 0.5f, 0.5f, 1.0f));
    const Image frame = FrameOfQuad(KorvaneTest::SceneQuad(Vector3(0, 0, -5), kRight, kUp, 2.0f));
    // The default material reflects 0.6 of the ambient light.
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 76, 76, 76, 3));
}

TEST_F(LightPixels, PointLightLightsTheNearerSurfaceMore)
{
    Light* light = DiffuseLight(Light::KindPoint, Color(0, 1, 0, 1));
    light->position = Vector3(1.5f, 0, -4.5f);
    const Image frame = Frame([&] {
        KorvaneTest::DrawSceneQuad(*render, KorvaneTest::SceneQuad(Vector3(-1.5f, 0, -5), kRight, kUp, 0.5f));
        KorvaneTest::DrawSceneQuad(*render, KorvaneTest::SceneQuad(Vector3(1.5f, 0, -5), kRight, kUp, 0.5f));
    });
    // The quads' centres project to 320 ± 1.299 · 1.5 / 5 · 320, about 125 pixels either side of the middle.
    const int near = RenderPixel(frame, 445, 240)[1];
    const int far = RenderPixel(frame, 195, 240)[1];
    EXPECT_NEAR(near, 147, 4); // cos = 1/√3 at every corner of the near quad
    EXPECT_GT(far, 20);
    EXPECT_LT(far, 60);
    EXPECT_EQ(RenderPixel(frame, 445, 240)[0], 0);
}

TEST_F(LightPixels, LightsStayInTheWorldWhenTheCameraTurns)
{
    // The camera turns a quarter to look along -x at a quad facing +x; the light shines along -x in the world.
    Camera* camera = cameras->GetDefaultCamera();
    camera->orientation = Quaternion(0.0f, std::sin(0.7853982f), 0.0f, std::cos(0.7853982f));
    Light* along = DiffuseLight(Light::KindDirectional, Color(1, 0, 0, 1));
    along->direction = Vector3(-1, 0, 0);
    Light* across = DiffuseLight(Light::KindDirectional, Color(0, 1, 0, 1));
    across->direction = Vector3(0, 0, -1);
    const auto quad = KorvaneTest::SceneQuad(Vector3(-5, 0, 0), Vector3(0, 0, -1), kUp, 2.0f);
    const Image first = FrameOfQuad(quad);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(first, 320, 240), 255, 0, 0));

    // Moving the camera changes the view after the lights were sent; they must follow it.
    camera->position = Vector3(2, 1, 0);
    const Image second = FrameOfQuad(quad);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(second, 320, 240), 255, 0, 0));
}

TEST_F(LightPixels, PointLightFollowsTheWorldAcrossCameraMoves)
{
    Light* light = DiffuseLight(Light::KindPoint, Color(1, 1, 1, 1));
    light->position = Vector3(0, 0, -4);
    const auto quad = KorvaneTest::SceneQuad(Vector3(0, 0, -5), kRight, kUp, 0.25f);
    const Image still = FrameOfQuad(quad);
    const int lit = RenderPixel(still, 320, 240)[0];
    EXPECT_GT(lit, 200);

    // From further back the quad is smaller but lit just the same.
    cameras->GetDefaultCamera()->position = Vector3(0, 0, 2);
    const Image back = FrameOfQuad(quad);
    EXPECT_NEAR(RenderPixel(back, 320, 240)[0], lit, 2);
}
