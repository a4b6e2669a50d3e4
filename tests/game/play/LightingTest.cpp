// The lighting file: ambient colour, point lights in their order, the shadow direction, and files that are
// missing, short or ask for more lights than can be lit.
#include "game/play/Lighting.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VelkorEngine;
using Korvane::Lighting;

namespace
{
constexpr f32 kLightTolerance = 1e-3f;

class LightingTest : public ::testing::Test
{
protected:
    LightingTest() : engine(bed.Start()) {}

    std::unique_ptr<Lighting> Load(const std::string& text)
    {
        bed.folder.WriteFile("data/environment/lighting/lighting.ini", text);
        return std::make_unique<Lighting>(&engine, "lighting.ini");
    }

    std::string Light(int n) const
    {
        const std::string v = std::to_string(n);
        return v + " 0 50  10 10 10  255 0 0  0 255 0  1 0.01 0.001\n";
    }

    TestSupport::EngineTestBed bed;
    Engine& engine;
};

TEST_F(LightingTest, GreyAmbientAndNoLights)
{
    const auto lighting = Load("128 128 128 0");
    const Color& ambient = engine.GetLightManager()->GetAmbientColor();
    EXPECT_NEAR(ambient.r, 0.502f, kLightTolerance);
    EXPECT_NEAR(ambient.g, 0.502f, kLightTolerance);
    EXPECT_NEAR(ambient.b, 0.502f, kLightTolerance);
    EXPECT_EQ(ambient.a, 1.0f);
    EXPECT_EQ(lighting->GetLightCount(), 0u);
    EXPECT_NEAR(lighting->GetShadowDirection().x, 0.70711f, kLightTolerance);
    EXPECT_NEAR(lighting->GetShadowDirection().y, -0.70711f, kLightTolerance);
}

TEST_F(LightingTest, PointLightsAreFilledInTheirOrderAndGoWithTheLighting)
{
    auto lighting = Load("0 0 0\n2\n" + Light(-40) + Light(40));
    ASSERT_EQ(lighting->GetLightCount(), 2u);
    const VelkorEngine::Light* second = lighting->GetLight(1);
    EXPECT_EQ(second->kind, VelkorEngine::Light::KindPoint);
    EXPECT_EQ(second->position.x, 40.0f);
    EXPECT_EQ(second->position.z, 50.0f);
    EXPECT_NEAR(second->ambient.r, 10.0f / 255.0f, kLightTolerance);
    EXPECT_EQ(second->diffuse.r, 1.0f);
    EXPECT_EQ(second->diffuse.g, 0.0f);
    EXPECT_EQ(second->specular.g, 1.0f);
    EXPECT_FLOAT_EQ(second->attenuation0, 1.0f);
    EXPECT_FLOAT_EQ(second->attenuation1, 0.01f);
    EXPECT_FLOAT_EQ(second->attenuation2, 0.001f);
    EXPECT_EQ(second->enabled, 1);
    EXPECT_EQ(engine.GetLightManager()->GetLightCount(), 2u);
    lighting.reset();
    EXPECT_EQ(engine.GetLightManager()->GetLightCount(), 0u);
}

TEST_F(LightingTest, ShortFileKeepsTheCompleteLightsAndSaysSo)
{
    const auto lighting = Load("0 0 0 3\n" + Light(1) + "5 5 5 1 2");
    EXPECT_EQ(lighting->GetLightCount(), 1u);
    const auto errors = bed.Records(MessageManager::KindError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("ends inside light 1"), std::string::npos);
}

TEST_F(LightingTest, LightsBeyondWhatCanBeLitAreLeftOut)
{
    std::string text = "0 0 0 1000000000\n";
    for (int i = 0; i < 12; ++i)
        text += Light(i);
    const auto lighting = Load(text);
    EXPECT_EQ(lighting->GetLightCount(), Lighting::MostLights);
    EXPECT_EQ(bed.Records(MessageManager::KindWarning).size(), 1u);
}

TEST_F(LightingTest, MissingOrEmptyFileIsLoggedAndLeavesNoLights)
{
    const auto missing = std::make_unique<Lighting>(&engine, "nowhere.ini");
    EXPECT_EQ(missing->GetLightCount(), 0u);
    EXPECT_EQ(bed.Records(MessageManager::KindError).size(), 1u);
    const auto empty = Load("");
    EXPECT_EQ(empty->GetLightCount(), 0u);
    const auto negative = Load("1 2 3 -4 " + Light(0));
    EXPECT_EQ(negative->GetLightCount(), 0u);
}
}
