// The control base's show and hide transitions on the fake clock: actions, offsets and timed faders.
#include "guitools/GUIControl.h"

#include "engine/gui/GUIWindow.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using GUITools::GUIControl;

namespace
{
// Vertex colours hold eight bits a channel.
constexpr f32 ColourStep = 1.0f / 255.0f;

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
}
