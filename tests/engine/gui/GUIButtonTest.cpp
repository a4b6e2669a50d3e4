// Buttons and check boxes: the press state machine, clicks, sounds and frames.
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VelkorEngine;

namespace
{
const Vector2 kInside(150.0f, 120.0f);
const Vector2 kOutside(10.0f, 10.0f);

class GUIButtonTest : public testing::Test
{
protected:
    GUIButtonTest()
        : button(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f),
                 static_cast<const ShaderDescriptor*>(nullptr), nullptr, Vector2(1.0f, 1.0f)),
          checkBox(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f),
                   static_cast<const ShaderDescriptor*>(nullptr), nullptr, Vector2(1.0f, 1.0f))
    {
    }

    // One mouse pass of the button: where the mouse is, whether it is held and whether it went down now.
    void Pass(GUIButton& widget, const Vector2& point, bool down, bool pressed)
    {
        widget.HandleMouse(point, down, pressed);
    }

    // Moves the resting mouse off and back on, so the button has seen the mouse enter.
    void Enter(GUIButton& widget)
    {
        Pass(widget, kOutside, false, false);
        Pass(widget, kInside, false, false);
    }

    std::vector<u32>& Played() { return bed.sounds.played; }

    TestSupport::GUITestBed bed;
    GUIButton button;
    GUICheckBox checkBox;
};

TEST_F(GUIButtonTest, PressAndReleaseOverTheButtonClicksOnTheRelease)
{
    Enter(button);
    EXPECT_EQ(button.GetState(), GUIButton::Hover);
    Pass(button, kInside, true, true);
    EXPECT_EQ(button.GetState(), GUIButton::Pressed);
    EXPECT_FALSE(button.IsClicked());
    Pass(button, kInside, false, false);
    EXPECT_TRUE(button.IsClicked());
    EXPECT_EQ(button.GetState(), GUIButton::Hover);
    Pass(button, kInside, false, false);
    EXPECT_FALSE(button.IsClicked());
    EXPECT_EQ(Played(), (std::vector<u32>{GUISoundManager::ButtonHover, GUISoundManager::ButtonPress}));
}

TEST_F(GUIButtonTest, PressMoveOffAndReleaseGivesNoClickAndOnePressSound)
{
    Enter(button);
    Pass(button, kInside, true, true);
    Pass(button, kOutside, true, false);
    EXPECT_EQ(button.GetState(), GUIButton::Normal);
    Pass(button, kOutside, false, false);
    EXPECT_FALSE(button.IsClicked());
    EXPECT_EQ(Played(), (std::vector<u32>{GUISoundManager::ButtonHover, GUISoundManager::ButtonPress}));
}

TEST_F(GUIButtonTest, PressMoveOffComeBackAndReleaseClicksOnce)
{
    Enter(button);
    Pass(button, kInside, true, true);
    Pass(button, kOutside, true, false);
    Pass(button, kInside, true, false);
    EXPECT_EQ(button.GetState(), GUIButton::Pressed);
    int clicks = 0;
    Pass(button, kInside, false, false);
    clicks += button.IsClicked() ? 1 : 0;
    Pass(button, kInside, false, false);
    clicks += button.IsClicked() ? 1 : 0;
    EXPECT_EQ(clicks, 1);
}

TEST_F(GUIButtonTest, ANewButtonUnderTheRestingMouseHoversWithoutTheHoverSound)
{
    Pass(button, kInside, false, false);
    EXPECT_EQ(button.GetState(), GUIButton::Hover);
    EXPECT_TRUE(Played().empty());
}

TEST_F(GUIButtonTest, AMouseHeldSinceBeforeTheButtonNeverPressesIt)
{
    Pass(button, kInside, true, false);
    EXPECT_EQ(button.GetState(), GUIButton::Hover);
    Pass(button, kInside, false, false);
    EXPECT_FALSE(button.IsClicked());
}

TEST_F(GUIButtonTest, ADisabledButtonIgnoresTheMouseAndStaysDisabledAcrossHideAndShow)
{
    button.SetEnabled(false);
    EXPECT_FALSE(button.HandleMouse(kInside, true, true));
    EXPECT_EQ(button.GetState(), GUIButton::Disabled);
    EXPECT_EQ(button.GetFrame(), 3);
    button.ClearState(GUIWindow::StateVisible);
    button.SetState(GUIWindow::StateVisible);
    EXPECT_EQ(button.GetState(), GUIButton::Disabled);
    button.SetEnabled(false);
    button.SetEnabled(true);
    EXPECT_EQ(button.GetState(), GUIButton::Normal);
    EXPECT_TRUE(Played().empty());
}

TEST_F(GUIButtonTest, AButtonShownAgainStartsNormalAndAHiddenOneKeepsWhetherTheMouseWasOver)
{
    Enter(button);
    button.ClearState(GUIWindow::StateVisible);
    EXPECT_FALSE(button.HandleMouse(kOutside, false, false));
    button.SetState(GUIWindow::StateVisible);
    EXPECT_EQ(button.GetState(), GUIButton::Normal);
    Played().clear();
    Pass(button, kInside, false, false);
    EXPECT_TRUE(Played().empty());
}

TEST_F(GUIButtonTest, APressCutShortByHidingOrDisablingNeverClicksLater)
{
    Enter(button);
    Pass(button, kInside, true, true);
    button.ClearState(GUIWindow::StateVisible);
    button.SetState(GUIWindow::StateVisible);
    Pass(button, kInside, false, false);
    EXPECT_FALSE(button.IsClicked());

    Pass(button, kInside, true, true);
    button.SetEnabled(false);
    button.SetEnabled(true);
    Pass(button, kInside, false, false);
    EXPECT_FALSE(button.IsClicked());
    EXPECT_EQ(button.GetState(), GUIButton::Hover);
}

TEST_F(GUIButtonTest, TheCheckBoxTogglesOnTheReleaseNotWhileHeld)
{
    Enter(checkBox);
    Pass(checkBox, kInside, true, true);
    Pass(checkBox, kInside, true, false);
    EXPECT_FALSE(checkBox.IsChecked());
    Pass(checkBox, kInside, false, false);
    EXPECT_TRUE(checkBox.IsChecked());
    Pass(checkBox, kInside, true, true);
    Pass(checkBox, kInside, false, false);
    EXPECT_FALSE(checkBox.IsChecked());
    EXPECT_EQ(Played(), (std::vector<u32>{GUISoundManager::CheckBoxHover, GUISoundManager::CheckBoxPress,
                                          GUISoundManager::CheckBoxPress}));
}

struct FrameCase
{
    bool checked;
    bool enabled;
    int action;
    i32 frame;
};

// Actions: 0 the mouse away, 1 over, 2 pressed over.
TEST_F(GUIButtonTest, TheCheckBoxShowsEightFrames)
{
    const FrameCase cases[] = {{false, true, 0, 0}, {false, true, 1, 1}, {false, true, 2, 2},
                               {true, true, 0, 3},  {true, true, 1, 4},  {true, true, 2, 5},
                               {false, false, 1, 6}, {true, false, 2, 7}};
    for (const FrameCase& c : cases)
    {
        GUICheckBox box(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f),
                        static_cast<const ShaderDescriptor*>(nullptr), nullptr, Vector2(1.0f, 1.0f));
        box.SetChecked(c.checked);
        box.SetEnabled(c.enabled);
        Pass(box, c.action == 0 ? kOutside : kInside, c.action == 2, c.action == 2);
        EXPECT_EQ(box.GetFrame(), c.frame) << c.checked << c.enabled << c.action;
    }
}

TEST_F(GUIButtonTest, RenderShowsTheStateAsTheFrameOfAGridShader)
{
    ShaderDescriptor grid(false, ShaderStage::ModeGrid, 2, 2, 4, 0.0f, "button.tga", "", 0);
    GUIButton framed(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f), &grid,
                     nullptr, Vector2(1.0f, 1.0f));
    Enter(framed);
    Pass(framed, kInside, true, true);
    framed.Render();
    const ShaderStage& stage = framed.GetModel()->GetShader()->GetStage(0);
    // Frame 2 of a 2 x 2 grid is the lower left cell; frame 0 the upper left.
    EXPECT_NEAR(stage.offsetU, 0.0025f, 1e-4f);
    EXPECT_NEAR(stage.offsetV, 0.0025f, 1e-4f);
    Pass(framed, kOutside, false, false);
    framed.Render();
    EXPECT_NEAR(stage.offsetV, 0.5025f, 1e-4f);
}
}
