// Windows built from descriptions: templates, children, language filters, look-ups by full name, the
// description faults that end the program, and the window's show and hide.
#include "guitools/GUIWindowBase.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIWindow.h"
#include "guitools/GUIButtonControl.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowControl.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace VelkorEngine;
using GUITools::GUIControl;
using GUITools::GUIWindowBase;

namespace
{
std::pair<f32, f32> XY(const Vector2& v)
{
    return {v.x, v.y};
}

class GUIWindowBaseTest : public testing::Test
{
protected:
    std::vector<std::string> Names(const GUIWindowBase& window)
    {
        std::vector<std::string> names;
        for (const auto& control : window.GetControls())
            names.push_back(control->GetName());
        return names;
    }

    TestSupport::WindowDescriptionBed bed;
};

TEST_F(GUIWindowBaseTest, ANodesOwnChildrenComeFirstThenThoseOnlyItsTemplatesName)
{
    bed.WriteDescription("tpl_panel.xml", "<window name=\"tpl_panel\" template=\"tpl_base\" size=\"5 5\" height=\"3\">"
                                          "<button name=\"ok\" position=\"1 1\"/><button name=\"help\"/></window>");
    bed.WriteDescription("tpl_base.xml", "<window name=\"tpl_base\" size=\"9 9\" position=\"7 7\">"
                                         "<text_label name=\"caption\"/><button name=\"ok\" size=\"4 4\"/></window>");
    bed.WriteDescription("main.xml", "<window name=\"main\"><window name=\"panel\" template=\"tpl_panel\" size=\"2 2\">"
                                     "<button name=\"cancel\"/><button name=\"ok\" position=\"3 3\"/></window></window>");
    auto window = bed.Build("main");
    EXPECT_EQ(Names(*window), (std::vector<std::string>{"main", "main/panel", "main/panel/cancel", "main/panel/ok",
                                                        "main/panel/help", "main/panel/caption"}));
    // Each attribute from the first of node, template, template's template that has it.
    const GUIControl* panel = window->GetWindowControl("main/panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(XY(panel->GetSize()), XY(Vector2(2.0f, 2.0f)));
    EXPECT_EQ(XY(panel->GetPosition()), XY(Vector2(7.0f, 7.0f)));
    EXPECT_EQ(panel->GetHeight(), 3);
    const GUIControl* ok = window->GetButtonControl("main/panel/ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(XY(ok->GetPosition()), XY(Vector2(3.0f, 3.0f)));
    EXPECT_EQ(XY(ok->GetSize()), XY(Vector2(4.0f, 4.0f)));
    // A child hangs from its parent control's widget.
    EXPECT_EQ(ok->GetWidget()->GetParent(), panel->GetWidget());
    EXPECT_EQ(panel->GetWidget()->GetParent(), window->GetWindowControl("main")->GetWidget());
    EXPECT_EQ(window->GetWindowControl("main")->GetWidget()->GetParent(), window->GetWindow());
}

TEST_F(GUIWindowBaseTest, ControlsAreFoundByFullNameInTheirOwnKindOnly)
{
    bed.WriteDescription("main.xml", "<window name=\"main\"><button name=\"start\"><text_label name=\"title\"/>"
                                     "</button></window>");
    auto window = bed.Build("main");
    EXPECT_NE(window->GetButton("main/start"), nullptr);
    EXPECT_TRUE(window->HasTextControl("main/start/title"));
    EXPECT_FALSE(window->HasTextControl("main/start"));
    EXPECT_FALSE(window->HasWindowControl("start"));
    EXPECT_FALSE(bed.Logged("Unknown"));

    struct Case
    {
        std::function<bool()> lookUp;
        const char* message;
    };
    const Case cases[] = {
        {[&] { return window->GetTextControl("main/start") == nullptr; },
         "(GUIWindowBase::GetTextControl): Unknown \"main/start\" control!"},
        {[&] { return window->GetButtonControl("start") == nullptr; },
         "(GUIWindowBase::GetButtonControl): Unknown \"start\" control!"},
        {[&] { return window->GetScroll("main/start") == nullptr; },
         "(GUIWindowBase::GetScrollControl): Unknown \"main/start\" control!"},
        {[&] { return window->GetEditBox("main") == nullptr; },
         "(GUIWindowBase::GetEditBoxControl): Unknown \"main\" control!"},
        {[&] { return window->GetCheckBox("main/start") == nullptr; },
         "(GUIWindowBase::GetCheckBoxControl): Unknown \"main/start\" control!"},
        {[&] { return window->GetWindowControl("main/start/title") == nullptr; },
         "(GUIWindowBase::GetWindowControl): Unknown \"main/start/title\" control!"},
        {[&] { return window->GetControl("main/stop") == nullptr; },
         "(GUIWindowBase::GetControl): Unknown \"main/stop\" control!"},
    };
    for (const Case& c : cases)
    {
        EXPECT_TRUE(c.lookUp()) << c.message;
        EXPECT_TRUE(bed.Logged(c.message)) << c.message;
    }
}

TEST_F(GUIWindowBaseTest, AControlForAnotherLanguageIsAbsentWithItsChildren)
{
    bed.WriteDescription("main.xml", "<window name=\"main\"><window name=\"ru_only\" language=\"ru\">"
                                     "<button name=\"inner\"/></window><button name=\"en_only\" language=\"en\"/>"
                                     "<fader name=\"ignored\"/></window>");
    auto window = bed.Build("main");
    EXPECT_EQ(Names(*window), (std::vector<std::string>{"main", "main/en_only"}));
    EXPECT_EQ(window->GetWindowControl("main/ru_only"), nullptr);
    EXPECT_TRUE(bed.Logged("(GUIWindowBase::GetWindowControl): Unknown \"main/ru_only\" control"));
}

TEST_F(GUIWindowBaseTest, ATopElementNamedFaderBuildsNothing)
{
    bed.WriteDescription("odd.xml", "<fader name=\"odd\"><button name=\"b\"/></fader>");
    auto window = bed.Build("odd");
    EXPECT_TRUE(window->GetControls().empty());
}

struct FatalCase
{
    const char* label;
    const char* name;
    const char* xml;
    const char* message;
};

class GUIWindowBaseFatalTest : public testing::TestWithParam<FatalCase>
{
};

TEST_P(GUIWindowBaseFatalTest, BrokenDescriptionsEndTheProgramWithAClearMessage)
{
    TestSupport::WindowDescriptionBed bed;
    bed.WriteFaders("<fader name=\"known\"/>");
    bed.WriteDescription("w.xml", GetParam().xml);
    bed.WriteDescription("loop_a.xml", "<window name=\"loop_a\" template=\"loop_b\"/>");
    bed.WriteDescription("loop_b.xml", "<window name=\"loop_b\" template=\"loop_a\"/>");
    // Templates reused at every level: two children of the next one each, 2^16 controls in all.
    for (int level = 0; level < 16; ++level)
        bed.WriteDescription("wide" + std::to_string(level) + ".xml",
                             "<window name=\"wide" + std::to_string(level) + "\"><window name=\"a\" template=\"wide" +
                                 std::to_string(level + 1) + "\"/><window name=\"b\" template=\"wide" +
                                 std::to_string(level + 1) + "\"/></window>");
    // Each template holding a child of the next, seventy deep.
    for (int level = 0; level < 70; ++level)
        bed.WriteDescription("deep" + std::to_string(level) + ".xml",
                             "<window name=\"deep" + std::to_string(level) + "\"><window name=\"c\" template=\"deep" +
                                 std::to_string(level + 1) + "\"/></window>");
    try
    {
        bed.Build(GetParam().name);
        FAIL() << "no fatal error";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, GUIWindowBaseFatalTest,
    testing::Values(
        FatalCase{"UnknownKind", "w", "<window name=\"w\"><picture name=\"p\"/></window>",
                  "(GUIWindowBase::ParseControls): Unknown \"picture\" control type"},
        FatalCase{"UnknownFader", "w", "<window name=\"w\"><button name=\"b\" fader=\"missing\"/></window>",
                  "(GUIWindowBase::ParseControls): Unknown \"missing\" fader"},
        FatalCase{"ChildWithoutName", "w", "<window name=\"w\"><button/></window>",
                  "(GUIWindowBase::ParseControls): Failed to find attribute \"name\" in node with \"button\" name"},
        FatalCase{"UnknownWindow", "nowhere", "<window name=\"w\"/>",
                  "(GUIWindowBase::ParseControls): Unknown \"nowhere\" window description"},
        FatalCase{"TemplateCycle", "w", "<window name=\"w\" template=\"loop_a\"/>",
                  "(GUIWindowBase::ResolveTemplates): Cyclic template \"loop_a\""},
        FatalCase{"SelfTemplate", "w", "<window name=\"w\" template=\"w\"/>",
                  "(GUIWindowBase::ResolveTemplates): Cyclic template \"w\""},
        FatalCase{"ChildTemplatedOnItsWindow", "w", "<window name=\"w\"><window name=\"b\" template=\"w\"/></window>",
                  "(GUIWindowBase::ResolveTemplates): Cyclic template \"w\""},
        FatalCase{"GrandchildTemplatedOnItsWindow", "w",
                  "<window name=\"w\"><window name=\"b\"><button name=\"c\" template=\"w\"/></window></window>",
                  "(GUIWindowBase::ResolveTemplates): Cyclic template \"w\""},
        FatalCase{"TemplatesReusedAtEveryLevel", "wide0", "<window name=\"w\"/>",
                  "(GUIWindowBase::ParseControls): Window description \"wide0\" has more than 4096 controls"},
        FatalCase{"TemplatesNestedTooDeep", "deep0", "<window name=\"w\"/>",
                  "(GUIWindowBase::ParseControls): Window description \"deep0\" nests more than 64 controls deep"}),
    [](const testing::TestParamInfo<FatalCase>& info) { return std::string(info.param.label); });

TEST_F(GUIWindowBaseTest, ATemplateUsedTwiceInOneChainIsNoCycle)
{
    bed.WriteDescription("tpl_caption.xml", "<text_label name=\"tpl_caption\" size=\"6 6\"/>");
    bed.WriteDescription("tpl_box.xml", "<window name=\"tpl_box\"><text_label name=\"t\" template=\"tpl_caption\"/>"
                                        "</window>");
    bed.WriteDescription("w.xml", "<window name=\"w\" template=\"tpl_box\">"
                                  "<text_label name=\"t\" template=\"tpl_caption\"/></window>");
    auto window = bed.Build("w");
    ASSERT_NE(window->GetTextControl("w/t"), nullptr);
    EXPECT_EQ(XY(window->GetTextControl("w/t")->GetSize()), XY(Vector2(6.0f, 6.0f)));
}

TEST_F(GUIWindowBaseTest, ADisabledControlHidesAtOnceAndStaysOutOfShowsUntilEnabled)
{
    bed.WriteDescription("w.xml", "<window name=\"w\"><button name=\"b\"/></window>");
    auto window = bed.Build("w");
    GUIWindow* button = window->GetButton("w/b");
    EXPECT_FALSE(window->IsShown());
    window->Show(true);
    bed.RunFrames(*window, 1);
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(button->IsVisible());

    window->EnableControl("w/b", false);
    EXPECT_FALSE(button->IsVisible());
    window->Show(true);
    bed.RunFrames(*window, 2);
    EXPECT_FALSE(button->IsVisible());

    window->SetControlEnabled(window->GetControl("w/b"), true);
    EXPECT_FALSE(button->IsVisible());
    window->Show(true);
    bed.RunFrames(*window, 1);
    EXPECT_TRUE(button->IsVisible());

    window->EnableControl("w/none", false);
    EXPECT_TRUE(bed.Logged("(GUIWindowBase::EnableControl): Unknown \"w/none\" control"));
}

TEST_F(GUIWindowBaseTest, AWindowWithoutAnimationsOrFadersHidesInTheFirstUpdateAfterItsHide)
{
    bed.WriteDescription("w.xml", "<window name=\"w\"><button name=\"b\"/><text_label name=\"t\"/></window>");
    auto window = bed.Build("w");
    window->Show(true);
    bed.RunFrames(*window, 3);
    ASSERT_TRUE(window->IsShown());
    window->Show(false);
    EXPECT_TRUE(window->IsShown());
    bed.RunFrames(*window, 1);
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(window->GetButton("w/b")->IsVisible());
}

// A control kept off the screen by a disabled parent never comes in: the window's show does not wait for it.
TEST_F(GUIWindowBaseTest, AShowIsFinishedWithoutTheControlsUnderADisabledParent)
{
    bed.WriteFaders("<fader name=\"late\" show_speed=\"4\" show_offset=\"0.25\"/>");
    bed.WriteDescription("w.xml", "<window name=\"w\"><window name=\"slot\" fader=\"late\"><button name=\"b\" "
                                  "fader=\"late\"/></window><button name=\"c\"/></window>");
    auto window = bed.Build("w");
    window->EnableControl("w/slot", false);
    window->Show(true);
    bed.RunFrames(*window, 40);
    EXPECT_FALSE(window->GetButton("w/slot/b")->IsVisible());
    EXPECT_TRUE(window->IsShowFinished());
    window->EnableControl("w/slot", true);
    window->Show(true);
    bed.RunFrames(*window, 20);
    EXPECT_FALSE(window->IsShowFinished()) << "the slot and its button come in now";
    bed.RunFrames(*window, 20);
    EXPECT_TRUE(window->IsShowFinished());
}
}
