// Lights and the light manager against the scripted device: indices, defaults, what each kind of light
// sends, the per-frame order, switching off and the device's limit.
#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/Light_D3D7.h"
#include "tests/support/SceneTestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using KorvaneTest::D3D7Call;

namespace
{
class LightManagerTest : public ::testing::Test
{
protected:
    LightManagerTest() : lights(&scene.Log(), &scene.Render()) {}

    // The calls about lights and the ambient colour, as "name index value".
    std::vector<std::string> LightCalls() const
    {
        std::vector<std::string> calls;
        for (const D3D7Call& call : scene.Driver().Calls())
        {
            if (call.name == "SetLight" || call.name == "LightEnable")
                calls.push_back(call.name + " " + std::to_string(call.first) + " " + std::to_string(call.second));
            else if (call.name == "SetRenderState" && call.first == D3DRENDERSTATE_AMBIENT)
                calls.push_back("Ambient " + std::to_string(call.second));
        }
        return calls;
    }

    KorvaneTest::SceneTestBed scene;
    LightManager lights;
};
}

TEST_F(LightManagerTest, NewLightIsAWhitePointLightAtTheOrigin)
{
    Light* light = lights.CreateLight();
    ASSERT_NE(dynamic_cast<Light_D3D7*>(light), nullptr);
    EXPECT_EQ(light->enabled, 1);
    EXPECT_EQ(light->kind, static_cast<u32>(Light::KindPoint));
    EXPECT_EQ(light->position.x, 0.0f);
    EXPECT_EQ(light->direction.z, -1.0f);
    EXPECT_EQ(light->range, 1.8446743e19f);
    EXPECT_FALSE(light->ambient != Color(1, 1, 1, 1));
    EXPECT_FALSE(light->diffuse != Color(1, 1, 1, 1));
    EXPECT_FALSE(light->specular != Color(1, 1, 1, 1));
    EXPECT_EQ(light->attenuation0, 1.0f);
    EXPECT_EQ(light->attenuation1, 0.0f);
    EXPECT_EQ(light->attenuation2, 0.0f);
    EXPECT_EQ(light->theta, 0.0f);
    EXPECT_EQ(light->phi, 0.0f);
    EXPECT_FALSE(lights.GetAmbientColor() != Color(0, 0, 0, 1));
}

TEST_F(LightManagerTest, FreedDeviceIndexIsTakenAgain)
{
    Light* first = lights.CreateLight();
    Light* second = lights.CreateLight();
    Light* third = lights.CreateLight();
    EXPECT_EQ(first->GetDeviceIndex(), 0u);
    EXPECT_EQ(second->GetDeviceIndex(), 1u);
    EXPECT_EQ(third->GetDeviceIndex(), 2u);
    lights.DeleteLight(second);
    EXPECT_EQ(lights.GetLightCount(), 2u);
    EXPECT_EQ(lights.CreateLight()->GetDeviceIndex(), 1u);
    EXPECT_EQ(lights.CreateLight()->GetDeviceIndex(), 3u);
    lights.DeleteLight(first);
    EXPECT_EQ(lights.CreateLight()->GetDeviceIndex(), 0u);
}

TEST_F(LightManagerTest, DeletingSwitchesTheDeviceLightOff)
{
    Light* light = lights.CreateLight();
    lights.CreateLight();
    scene.Driver().ClearCalls();
    lights.DeleteLight(light);
    EXPECT_EQ(LightCalls(), std::vector<std::string>{"LightEnable 0 0"});

    Light_D3D7 stranger(&scene.Log(), &scene.Render(), 5);
    scene.Driver().ClearCalls();
    lights.DeleteLight(&stranger);
    lights.DeleteLight(nullptr);
    EXPECT_TRUE(LightCalls().empty());
    EXPECT_EQ(lights.GetLightCount(), 1u);
}

TEST_F(LightManagerTest, UpdateSendsTheAmbientColourThenEveryLightInOrder)
{
    Light* first = lights.CreateLight();
    Light* second = lights.CreateLight();
    second->kind = Light::KindDirectional;
    lights.SetAmbientColor(Color(1.0f, 0.5f, 0.0f, 1.0f));
    scene.Driver().ClearCalls();
    lights.Update();
    const std::vector<std::string> expected = {"Ambient " + std::to_string(0xFFFF7F00u), "SetLight 0 1",
                                               "LightEnable 0 1", "SetLight 1 3", "LightEnable 1 1"};
    EXPECT_EQ(LightCalls(), expected);
    EXPECT_EQ(first->GetDeviceIndex(), 0u);

    // The ambient colour goes through the cache; the lights are sent every frame.
    scene.Driver().ClearCalls();
    lights.Update();
    EXPECT_EQ(LightCalls(), std::vector<std::string>(expected.begin() + 1, expected.end()));
}

TEST_F(LightManagerTest, DisabledLightIsSwitchedOffEveryFrameAndNeverSent)
{
    Light* light = lights.CreateLight();
    light->enabled = 0;
    scene.Driver().ClearCalls();
    lights.Update();
    lights.Update();
    EXPECT_EQ(LightCalls(), (std::vector<std::string>{"LightEnable 0 0", "LightEnable 0 0"}));
}

TEST_F(LightManagerTest, EachKindSendsItsFields)
{
    Light* point = lights.CreateLight();
    Light* spot = lights.CreateLight();
    Light* directional = lights.CreateLight();
    Light* unknown = lights.CreateLight();
    for (Light* light : {point, spot, directional, unknown})
    {
        light->position = Vector3(1, 2, 3);
        light->direction = Vector3(0, -1, 0);
        light->diffuse = Color(0.5f, 0.25f, 1.0f, 1.0f);
        light->ambient = Color(0.1f, 0.1f, 0.1f, 1.0f);
        light->specular = Color(0, 0, 0, 1);
        light->range = 50.0f;
        light->attenuation1 = 0.5f;
        light->theta = 0.3f;
        light->phi = 0.6f;
    }
    spot->kind = Light::KindSpot;
    directional->kind = Light::KindDirectional;
    unknown->kind = 7;
    lights.Update();

    const std::map<DWORD, D3DLIGHT7>& sent = scene.Driver().lights;
    const D3DLIGHT7& p = sent.at(0);
    EXPECT_EQ(p.dltType, D3DLIGHT_POINT);
    EXPECT_EQ(p.dvPosition.y, 2.0f);
    EXPECT_EQ(p.dvDirection.y, 0.0f);
    EXPECT_EQ(p.dvAttenuation0, 1.0f);
    EXPECT_EQ(p.dvAttenuation1, 0.5f);
    EXPECT_EQ(p.dvTheta, 0.0f);
    EXPECT_EQ(p.dvFalloff, 0.0f);
    EXPECT_EQ(p.dvRange, 50.0f);
    EXPECT_EQ(p.dcvDiffuse.g, 0.25f);
    EXPECT_EQ(p.dcvAmbient.r, 0.1f);

    const D3DLIGHT7& s = sent.at(1);
    EXPECT_EQ(s.dltType, D3DLIGHT_SPOT);
    EXPECT_EQ(s.dvPosition.z, 3.0f);
    EXPECT_EQ(s.dvDirection.y, -1.0f);
    EXPECT_EQ(s.dvAttenuation1, 0.5f);
    EXPECT_EQ(s.dvTheta, 0.3f);
    EXPECT_EQ(s.dvPhi, 0.6f);
    EXPECT_EQ(s.dvFalloff, 1.0f);

    const D3DLIGHT7& d = sent.at(2);
    EXPECT_EQ(d.dltType, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(d.dvDirection.y, -1.0f);
    EXPECT_EQ(d.dvPosition.x, 0.0f);
    EXPECT_EQ(d.dvAttenuation0, 0.0f);

    const D3DLIGHT7& u = sent.at(3);
    EXPECT_EQ(static_cast<DWORD>(u.dltType), 0u);
    EXPECT_EQ(u.dcvDiffuse.r, 0.5f);
    EXPECT_EQ(u.dvRange, 50.0f);
    EXPECT_EQ(u.dvPosition.x, 0.0f);
}

TEST_F(LightManagerTest, DeviceFailuresAreLoggedWithTheirContext)
{
    Light* light = lights.CreateLight();
    scene.Driver().Fail("SetLight", DDERR_INVALIDPARAMS, 1);
    lights.Update();
    light->enabled = 0;
    scene.Driver().Fail("LightEnable", DDERR_INVALIDPARAMS, 1);
    lights.Update();
    const std::vector<std::string> errors = scene.Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("Light_D3D7::Refresh"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("Light_D3D7::DisableLight"), std::string::npos) << errors[1];
}

TEST_F(LightManagerTest, LightsPastTheDeviceLimitAreLeftOutWithOneWarning)
{
    for (int i = 0; i < 9; ++i)
        lights.CreateLight();
    scene.Driver().ClearCalls();
    lights.Update();
    lights.Update();
    EXPECT_EQ(scene.Driver().Count("SetLight", 8), 0);
    EXPECT_EQ(scene.Driver().Count("SetLight", 7), 2);
    const std::vector<std::string> warnings = scene.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("light 8"), std::string::npos) << warnings[0];
    EXPECT_TRUE(scene.Errors().empty());
}

TEST_F(LightManagerTest, LightingGoesThroughTheCache)
{
    scene.Driver().ClearCalls();
    lights.EnableLighting(true);
    lights.EnableLighting(true);
    lights.EnableLighting(false);
    std::vector<DWORD> values;
    for (const D3D7Call& call : scene.Driver().Named("SetRenderState"))
        if (call.first == D3DRENDERSTATE_LIGHTING)
            values.push_back(call.second);
    EXPECT_EQ(values, (std::vector<DWORD>{1, 0}));
}

TEST_F(LightManagerTest, DestroyingTheManagerSwitchesItsLightsOff)
{
    {
        LightManager local(&scene.Log(), &scene.Render());
        local.CreateLight();
        local.CreateLight();
        scene.Driver().ClearCalls();
    }
    EXPECT_EQ(scene.Driver().Count("LightEnable"), 2);
}
