// Menu backgrounds: layers read from a description at their heights, shown and hidden with fades on the
// fake clock, and a description that cannot be read.
#include "guitools/GUIBackgroundBase.h"

#include "engine/core/MessageManager.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "guitools/GUIBackgroundLayer.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using GUITools::GUIBackgroundBase;

namespace
{
using TestSupport::ColourStep;

class GUIBackgroundBaseTest : public testing::Test
{
protected:
    GUIBackgroundBaseTest()
    {
        Engine& engine = bed.gui.engine.GetEngine();
        for (const char* name : {"bg/sky", "bg/clouds"})
        {
            m_models.emplace_back(engine.GetModelManager()->NewBoxModel(Vector3(0.0f, 0.0f, 0.0f),
                                                                        Vector3(1.0f, 1.0f, 1.0f), nullptr, nullptr,
                                                                        ModelFlags::VertexColor));
            bed.resources.models[name] = m_models.back().get();
        }
        m_stars.reset(engine.GetParticleSystemManager()->NewSelfMadeParticleSystem(nullptr));
        bed.resources.particleSystems["bg/stars"] = m_stars.get();
        bed.gui.engine.folder.WriteFile(
            "data/ui/background/background.xml",
            "<background resources_prefix=\"bg\">"
            "<model name=\"sky\" random_start_frame=\"0\" color=\"1 1 1 0.5\"/>"
            "<light name=\"sun\"/>"
            "<model shader=\"nameless\"/>"
            "<particles name=\"stars\"/>"
            "<model name=\"clouds\" additional=\"1\"/>"
            "</background>");
    }

    std::unique_ptr<GUIBackgroundBase> Build(const std::string& path = "data\\ui\\background\\background.xml")
    {
        return std::make_unique<GUIBackgroundBase>(&bed.gui.engine.GetEngine(), &bed.resources, nullptr, path);
    }

    void RunFrames(GUIBackgroundBase& background, int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            bed.gui.RunFrame();
            background.Update();
        }
    }

    TestSupport::WindowDescriptionBed bed;
    std::vector<std::unique_ptr<Model>> m_models;
    std::unique_ptr<ParticleSystem> m_stars;
};

TEST_F(GUIBackgroundBaseTest, LayersTakeTheHeightOfTheirPlaceAmongAllElements)
{
    auto background = Build();
    EXPECT_TRUE(background->GetLayers().empty());
    EXPECT_EQ(background->GetTopWindow()->GetLayer(), 8);
    background->CreateBasicLayers();
    ASSERT_EQ(background->GetLayers().size(), 2u);
    EXPECT_EQ(background->GetLayers()[0]->GetWindow()->GetLayer(), 1);
    EXPECT_NE(background->GetLayers()[0]->GetWindow()->GetModel(), nullptr);
    EXPECT_EQ(background->GetLayers()[1]->GetWindow()->GetLayer(), 4);
    ASSERT_NE(background->GetLayers()[1]->GetParticleSystem(), nullptr);
    EXPECT_FALSE(background->GetLayers()[1]->GetParticleSystem()->IsVisible());
    background->CreateAdditionalLayers();
    ASSERT_EQ(background->GetLayers().size(), 3u);
    EXPECT_EQ(background->GetLayers()[2]->GetWindow()->GetLayer(), 5);
    EXPECT_FALSE(background->IsShown());
}

TEST_F(GUIBackgroundBaseTest, AdditionalLayersMadeWhileShownFadeInOverASecond)
{
    auto background = Build();
    background->CreateBasicLayers();
    background->Show(true, false, 1.0f);
    EXPECT_TRUE(background->IsShown());
    EXPECT_TRUE(background->GetLayers()[1]->GetParticleSystem()->IsVisible());
    background->CreateAdditionalLayers();
    const GUITools::GUIBackgroundLayer& clouds = *background->GetLayers()[2];
    EXPECT_EQ(clouds.GetOpacityFactor(), 0.0f);
    RunFrames(*background, 31);
    EXPECT_NEAR(clouds.GetOpacityFactor(), 0.5f, 0.02f);
    RunFrames(*background, 31);
    EXPECT_NEAR(clouds.GetOpacityFactor(), 1.0f, 1e-3f);
    // The sky's colour keeps its own alpha.
    EXPECT_NEAR(background->GetLayers()[0]->GetWindow()->GetColor().a, 0.5f, ColourStep);
}

TEST_F(GUIBackgroundBaseTest, AFadedHideAtSpeedTwoTakesHalfASecondThenHidesTheLayers)
{
    auto background = Build();
    background->CreateBasicLayers();
    background->Show(true, false, 1.0f);
    RunFrames(*background, 2);
    background->Show(false, true, 2.0f);
    RunFrames(*background, 15);
    EXPECT_NEAR(background->GetLayers()[0]->GetWindow()->GetColor().a, 0.25f, 0.02f);
    RunFrames(*background, 14);
    EXPECT_TRUE(background->IsShown());
    RunFrames(*background, 2);
    EXPECT_FALSE(background->IsShown());
    EXPECT_FALSE(background->GetLayers()[0]->GetWindow()->IsVisible());
    EXPECT_FALSE(background->GetLayers()[1]->GetParticleSystem()->IsVisible());
}

TEST_F(GUIBackgroundBaseTest, ADescriptionThatCannotBeReadLeavesAnEmptyBackgroundThatStillShows)
{
    bed.gui.engine.folder.WriteFile("data/ui/background/broken.xml", "<background><model name=\"sky\"");
    for (const char* path : {"data\\ui\\background\\missing.xml", "data\\ui\\background\\broken.xml"})
    {
        auto background = Build(path);
        const std::vector<std::string> errors = bed.gui.engine.Records(MessageManager::KindError);
        ASSERT_FALSE(errors.empty()) << path;
        // The parser's own text first, then the file to mend.
        EXPECT_NE(errors.back().find(path), std::string::npos) << errors.back();
        background->CreateBasicLayers();
        background->CreateAdditionalLayers();
        EXPECT_TRUE(background->GetLayers().empty());
        background->Show(true, true, 1.0f);
        EXPECT_TRUE(background->IsShown());
        background->Show(false, false, 1.0f);
        EXPECT_FALSE(background->IsShown());
    }
    const std::vector<std::string> errors = bed.gui.engine.Records(MessageManager::KindError);
    EXPECT_NE(errors.back().find("XML format error at line 1: code 14 in \"data\\ui\\background\\broken.xml\""),
              std::string::npos)
        << errors.back();
}
}
