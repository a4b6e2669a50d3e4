// The control base's show and hide transitions on the fake clock: actions, offsets and timed faders.
#include "guitools/GUIControl.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "tools/formats/ModelFileWriter.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using GUITools::GUIControl;

namespace
{
using TestSupport::ColourStep;

class GUIControlTest : public testing::Test
{
protected:
    // A window holding one textured panel "w/p" with the given attributes.
    GUIControl& Build(const std::string& attributes, const std::string& topAttributes = "")
    {
        bed.WriteDescription("w.xml", "<window name=\"w\" " + topAttributes + "><window name=\"p\" shader=\"panel\" " +
                                          attributes + "/><button name=\"steady\"/></window>");
        window = bed.Build("w");
        return *window->GetControl("w/p");
    }

    TestSupport::WindowDescriptionBed bed;
    std::unique_ptr<GUITools::GUIWindowBase> window;
};

TEST_F(GUIControlTest, ATimedFaderReachesFullOpacityOnceItsSpeedHasRunAfterTheFadeOffset)
{
    bed.WriteFaders("<fader name=\"slow\" show_speed=\"2\" fade_offset=\"0.25\" min=\"0.1\" max=\"0.9\"/>");
    GUIControl& panel = Build("fader=\"slow\"");
    window->Show(true);
    bed.RunFrames(*window, 15);
    EXPECT_NEAR(panel.GetFadeValue(), 0.1f, 1e-3f);
    bed.RunFrames(*window, 15);
    EXPECT_NEAR(panel.GetFadeValue(), 0.5f, 1e-3f);
    EXPECT_NEAR(panel.GetWidget()->GetColor().a, 0.5f, ColourStep);
    bed.RunFrames(*window, 16);
    EXPECT_NEAR(panel.GetFadeValue(), 0.9f, 1e-4f);
    EXPECT_NEAR(panel.GetWidget()->GetColor().a, 0.9f, ColourStep);
}

TEST_F(GUIControlTest, AShowOffsetDelaysTheAppearanceOnlyWithAFader)
{
    bed.WriteFaders("<fader name=\"late\" show_offset=\"0.5\"/>");
    GUIControl& panel = Build("fader=\"late\"");
    window->Show(true);
    bed.RunFrames(*window, 29);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
    EXPECT_TRUE(panel.IsShown());
    bed.RunFrames(*window, 2);
    EXPECT_TRUE(panel.GetWidget()->IsVisible());
}

TEST_F(GUIControlTest, AHideWaitsForItsOffsetThenFadesOutAndTheWindowHidesAfterIt)
{
    bed.WriteFaders("<fader name=\"fade\" show_speed=\"100\" hide_speed=\"2\" hide_offset=\"0.5\"/>");
    GUIControl& panel = Build("fader=\"fade\"", "fader=\"fade\"");
    window->Show(true);
    bed.RunFrames(*window, 5);
    window->Show(false);
    bed.RunFrames(*window, 29);
    EXPECT_TRUE(panel.GetWidget()->IsVisible());
    EXPECT_NEAR(panel.GetWidget()->GetColor().a, 1.0f, ColourStep);
    bed.RunFrames(*window, 16);
    EXPECT_NEAR(panel.GetFadeValue(), 0.5f, 0.05f);
    EXPECT_TRUE(window->IsShown());
    bed.RunFrames(*window, 17);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
    bed.RunFrames(*window, 1);
    EXPECT_FALSE(window->IsShown());
}

TEST_F(GUIControlTest, AShowFinishesOnceItsOffsetAndFadeHaveRun)
{
    bed.WriteFaders("<fader name=\"late\" show_speed=\"4\" show_offset=\"0.25\"/>");
    GUIControl& panel = Build("fader=\"late\"");
    EXPECT_TRUE(panel.IsShowFinished()) << "nothing to show";
    EXPECT_FALSE(window->IsShowFinished()) << "the window is not on screen";
    window->Show(true);
    bed.RunFrames(*window, 10);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
    EXPECT_FALSE(panel.IsShowFinished());
    bed.RunFrames(*window, 12);
    EXPECT_TRUE(panel.GetWidget()->IsVisible());
    EXPECT_FALSE(panel.IsShowFinished()) << "still fading in";
    EXPECT_FALSE(window->IsShowFinished());
    bed.RunFrames(*window, 10);
    EXPECT_TRUE(panel.IsShowFinished());
    EXPECT_TRUE(window->IsShowFinished());
    window->Show(false);
    EXPECT_TRUE(panel.IsShowFinished()) << "a control on its way out has no show to finish";
}

class GUIControlStalledFaderTest : public GUIControlTest, public testing::WithParamInterface<const char*>
{
};

// A fade that would never end is done at once: the panel shows fully, and its hide lets the window go.
TEST_P(GUIControlStalledFaderTest, TheFadeStillEnds)
{
    bed.WriteFaders(std::string("<fader name=\"stalled\" ") + GetParam() + "/>");
    GUIControl& panel = Build("fader=\"stalled\"", "fader=\"stalled\"");
    window->Show(true);
    bed.RunFrames(*window, 3);
    EXPECT_NEAR(panel.GetWidget()->GetColor().a, 1.0f, ColourStep);
    window->Show(false);
    bed.RunFrames(*window, 3);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
    EXPECT_FALSE(window->IsShown());
}

INSTANTIATE_TEST_SUITE_P(Speeds, GUIControlStalledFaderTest,
                         testing::Values("show_speed=\"0\" hide_speed=\"0\"", "show_speed=\"-3\" hide_speed=\"-4\"",
                                         "show_speed=\"nan\" hide_speed=\"nan\"", "fade_offset=\"nan\""),
                         [](const auto& info) { return std::to_string(info.index); });

struct ActionCase
{
    const char* label;
    const char* attributes;
    bool shownAfterShow;
    bool shownAfterHide;
};

class GUIControlActionTest : public GUIControlTest, public testing::WithParamInterface<ActionCase>
{
};

TEST_P(GUIControlActionTest, ShowAndHideActionsDecideWhatTheWindowsShowAndHideDo)
{
    GUIControl& panel = Build(GetParam().attributes);
    window->Show(true);
    bed.RunFrames(*window, 2);
    EXPECT_EQ(panel.IsShown(), GetParam().shownAfterShow);
    window->Show(false);
    bed.RunFrames(*window, 2);
    EXPECT_EQ(panel.IsShown(), GetParam().shownAfterHide);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, GUIControlActionTest,
    testing::Values(ActionCase{"Default", "", true, false},
                    ActionCase{"HiddenOnShow", "show_action=\"hide\"", false, false},
                    ActionCase{"KeptOnShow", "show_action=\"none\"", false, false},
                    ActionCase{"KeptOnHide", "hide_action=\"none\"", true, true}),
    [](const testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.label); });

TEST_F(GUIControlTest, TheDescribedPlaceSizeAndLayerReachTheWidgetWhenItIsShown)
{
    GUIControl& panel = Build("position=\"10 20\" size=\"30 40\" height=\"4\"");
    GUIWindow* widget = panel.GetWidget();
    EXPECT_EQ(widget->GetSize().x, 1.0f);
    window->Show(true);
    bed.RunFrames(*window, 1);
    EXPECT_EQ(widget->GetRelativePosition().x, 10.0f);
    EXPECT_EQ(widget->GetRelativePosition().y, 20.0f);
    EXPECT_EQ(widget->GetSize().x, 30.0f);
    EXPECT_EQ(widget->GetSize().y, 40.0f);
    EXPECT_EQ(widget->GetLayer(), 4);
}

// A triangle whose five frames step it to the right, ten frames a second: its show animation (frames 0 to
// 4) takes 0.4 s.
class GUIControlAnimationTest : public GUIControlTest
{
protected:
    GUIControlAnimationTest()
    {
        KorvaneTools::ModelFileDescription d = KorvaneTools::MakeMorphTriangle();
        const std::vector<KorvaneTools::ModelFileVertex> first(d.vertices.begin(), d.vertices.begin() + 3);
        d.frameCount = 5;
        d.vertices.clear();
        d.boxes.clear();
        for (u32 frame = 0; frame < d.frameCount; ++frame)
        {
            const f32 shift = 2.0f * static_cast<f32>(frame);
            for (KorvaneTools::ModelFileVertex vertex : first)
            {
                vertex.position.x += shift;
                d.vertices.push_back(vertex);
            }
            d.boxes.push_back({Vector3(shift, 0.0f, 0.0f), Vector3(shift + 1.0f, 1.0f, 0.0f)});
        }
        bed.gui.engine.folder.WriteFile("data/models/steps.mlf", KorvaneTools::WriteModelFile(d));
        Engine& engine = bed.gui.engine.GetEngine();
        m_model.reset(engine.GetModelManager()->NewModelFromFile("models\\steps.mlf", nullptr, 0));
        bed.resources.models["ui/steps"] = m_model.get();
    }

    AnimationControl& Animation(GUIControl& control) { return *control.GetWidget()->GetModel()->animation; }

    std::unique_ptr<Model> m_model;
};

TEST_F(GUIControlAnimationTest, TheHideAnimationRunsToItsEndBeforeTheControlDisappears)
{
    ASSERT_EQ(m_model->animation->GetFrameCount(), 5u);
    GUIControl& panel = Build("model=\"steps\"", "model=\"steps\"");
    window->Show(true);
    bed.RunFrames(*window, 30);
    EXPECT_EQ(Animation(panel).GetAnimation(), GUIControl::ShowAnimation);
    EXPECT_EQ(Animation(panel).GetFrame(), 4u);
    window->Show(false);
    bed.RunFrames(*window, 12);
    EXPECT_EQ(Animation(panel).GetAnimation(), GUIControl::HideAnimation);
    EXPECT_TRUE(panel.GetWidget()->IsVisible());
    bed.RunFrames(*window, 20);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
    EXPECT_FALSE(window->IsShown());
}

TEST_F(GUIControlAnimationTest, AStillModelHidesInTheFirstUpdateAfterItsHide)
{
    // A start frame past the last one is the last one, and so is the end: one frame, nothing to play.
    GUIControl& panel = Build("model=\"steps\" model_start_frame=\"9\"");
    window->Show(true);
    bed.RunFrames(*window, 3);
    EXPECT_EQ(Animation(panel).GetFrame(), 4u);
    EXPECT_EQ(Animation(panel).IsPlaying(), 0);
    window->Show(false);
    bed.RunFrames(*window, 1);
    EXPECT_FALSE(panel.GetWidget()->IsVisible());
}

TEST_F(GUIControlAnimationTest, AModelAnimationFaderFollowsTheShowAnimation)
{
    bed.WriteFaders("<fader name=\"with_model\" type=\"model_animation\"/>");
    GUIControl& panel = Build("model=\"steps\" fader=\"with_model\"");
    window->Show(true);
    bed.RunFrames(*window, 13);
    EXPECT_GT(panel.GetFadeValue(), 0.3f);
    EXPECT_LT(panel.GetFadeValue(), 0.8f);
    bed.RunFrames(*window, 30);
    EXPECT_NEAR(panel.GetFadeValue(), 1.0f, 1e-4f);
}

TEST_F(GUIControlAnimationTest, AnAnimatorModelMovesTheControlByItsAnimation)
{
    GUIControl& panel = Build("position=\"10 20\" animator_model=\"steps\"");
    window->Show(true);
    bed.RunFrames(*window, 30);
    // The triangle's last frame has its box from (8, 0) to (9, 1).
    EXPECT_FLOAT_EQ(panel.GetWidget()->GetRelativePosition().x, 18.5f);
    EXPECT_FLOAT_EQ(panel.GetWidget()->GetRelativePosition().y, 20.5f);
}

TEST_F(GUIControlAnimationTest, AShowFinishesOnlyWhenTheAnimatorHasMovedTheControlToItsPlace)
{
    GUIControl& panel = Build("position=\"10 20\" animator_model=\"steps\"");
    window->Show(true);
    bed.RunFrames(*window, 12);
    EXPECT_TRUE(panel.GetWidget()->IsVisible());
    EXPECT_FALSE(panel.IsShowFinished());
    bed.RunFrames(*window, 18);
    EXPECT_TRUE(panel.IsShowFinished());
    EXPECT_FLOAT_EQ(panel.GetWidget()->GetRelativePosition().x, 18.5f);
}
}
