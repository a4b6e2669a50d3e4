// The window descriptions: each builds into the control tree the game looks its controls up in, with every
// control the game needs, every fader defined, the silent requirements of the level map, the level-complete
// bonus, the in-game window and the name boxes, and a layout that stays on the 800 × 600 screen, keeps
// buttons off the panels' frames and hangs the windows over play below the in-game bar.
#include "tests/data/DataStageFiles.h"
#include "tests/data/PlayModelFile.h"
#include "tests/data/WindowDescriptions.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/content/Texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using DataTest::BuiltControl;
using DataTest::Descriptions;
using DataTest::ReadNumbers;
using DataTest::ScreenHeight;
using DataTest::ScreenWidth;

namespace
{
struct ExpectedControl
{
    std::string window;
    std::string suffix;
    std::string kind;
    bool required;
};

std::vector<ExpectedControl> ExpectedControls()
{
    std::ifstream in(std::string(KORVANE_EXPECT_FOLDER) + "/controls.txt");
    std::vector<ExpectedControl> controls;
    std::string line;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ExpectedControl control;
        std::string required;
        fields >> control.window >> control.suffix >> control.kind >> required;
        control.required = required == "R";
        controls.push_back(control);
    }
    return controls;
}

std::vector<BuiltControl> Built(const std::string& window)
{
    std::vector<std::string> faults;
    return Descriptions().Build(window, faults);
}

const BuiltControl* Find(const std::vector<BuiltControl>& controls, const std::string& fullName)
{
    for (const BuiltControl& control : controls)
        if (control.fullName == fullName)
            return &control;
    return nullptr;
}

bool IsAncestor(const std::vector<BuiltControl>& controls, size_t ancestor, size_t of)
{
    for (int at = controls[of].parent; at >= 0; at = controls[static_cast<size_t>(at)].parent)
        if (static_cast<size_t>(at) == ancestor)
            return true;
    return false;
}

bool IsInteractive(const BuiltControl& control)
{
    return control.kind == "button" || control.kind == "check_box" || control.kind == "edit_box" ||
           control.kind == "scroll" || control.kind == "slider";
}

// The boxes a control covers on screen: itself, and for a scroll its two step buttons.
std::vector<DataTest::Box> ScreenBoxes(const BuiltControl& control)
{
    std::vector<DataTest::Box> boxes = {control.box};
    for (const char* button : {"increase_button_", "decrease_button_"})
    {
        const auto size = control.Attribute(std::string(button) + "size");
        if (!size)
            continue;
        const auto at = ReadNumbers(control.AttributeOr(std::string(button) + "position", "0 0"));
        const auto extent = ReadNumbers(*size);
        boxes.push_back({control.box.left + at[0], control.box.bottom + at[1], extent[0], extent[1]});
    }
    return boxes;
}
}

TEST(windows, EveryFileHoldsOneUniquelyNamedTopElement)
{
    for (const std::string& fault : Descriptions().LoadFaults())
        ADD_FAILURE() << fault;
    EXPECT_EQ(Descriptions().WindowNames().size(), 24u);
}

TEST(windows, EveryDescriptionBuildsWithKnownKindsNamedChildrenAndDefinedFaders)
{
    for (const std::string& window : Descriptions().WindowNames())
    {
        std::vector<std::string> faults;
        const std::vector<BuiltControl> controls = Descriptions().Build(window, faults);
        EXPECT_FALSE(controls.empty()) << window;
        for (const std::string& fault : faults)
            ADD_FAILURE() << window << ": " << fault;
    }
}

TEST(windows, EveryControlTheGameLooksUpExistsWithItsKind)
{
    const std::vector<ExpectedControl> expected = ExpectedControls();
    ASSERT_GT(expected.size(), 200u);
    std::map<std::string, std::vector<BuiltControl>> built;
    for (const ExpectedControl& control : expected)
    {
        if (!built.count(control.window))
            built[control.window] = Built(control.window);
        const std::string fullName = control.window + (control.suffix == "-" ? "" : control.suffix);
        const BuiltControl* found = Find(built[control.window], fullName);
        if (found == nullptr)
        {
            ADD_FAILURE() << fullName << " is missing";
            continue;
        }
        EXPECT_EQ(found->kind, control.kind) << fullName;
    }
}

TEST(windows, FadersHaveTheirTypesAndTheTimeBonusReachesOne)
{
    struct FaderRow
    {
        const char* name;
        const char* type;
        float max;
        float showOffset;
    };
    const FaderRow rows[] = {{"fade", "timed", 1, 0},          {"panel", "timed", 1, 0},
                             {"button", "timed", 1, 0.25f},    {"title", "timed", 1, 0.1f},
                             {"markers", "timed", 1, 0.3f},    {"time_bonus", "timed", 1, 0.6f},
                             {"hud", "timed", 1, 0},           {"mount", "model_animation", 1, 0},
                             {"game_logic_window", "timed", 1, 0.4f}, {"game_logic_control", "timed", 1, 0.8f}};
    for (const FaderRow& row : rows)
    {
        const GameTools::XMLNode* fader = Descriptions().Fader(row.name);
        ASSERT_NE(fader, nullptr) << row.name;
        EXPECT_EQ(KorvaneTools::AttributeText(*fader, "type"), row.type) << row.name;
        EXPECT_FLOAT_EQ(std::stof(KorvaneTools::AttributeText(*fader, "max")), row.max) << row.name;
        EXPECT_FLOAT_EQ(std::stof(KorvaneTools::AttributeText(*fader, "show_offset")), row.showOffset) << row.name;
    }
}

TEST(windows, LevelMapMarkersHaveTheirFaderAndAnUnmovedPanelAtTheTop)
{
    const std::vector<BuiltControl> map = Built("window_start_game_logic");
    const BuiltControl* title = Find(map, "window_start_game_logic/window/button_1/title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->AttributeOr("fader", ""), "markers");
    const BuiltControl* panel = Find(map, "window_start_game_logic/window");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parent, 0);
    EXPECT_FALSE(panel->Attribute("animator_model"));
    // The map file's marker positions are relative to this panel.
    EXPECT_FLOAT_EQ(panel->box.left, 60);
    EXPECT_FLOAT_EQ(panel->box.bottom, 90);
    EXPECT_FLOAT_EQ(panel->box.width, 680);
    EXPECT_FLOAT_EQ(panel->box.height, 400);
}

TEST(windows, TimeBonusCountsBecauseItsFaderReachesOne)
{
    const std::vector<BuiltControl> window = Built("window_level_complete");
    const BuiltControl* bonus = Find(window, "window_level_complete/window/time_bonus");
    ASSERT_NE(bonus, nullptr);
    const GameTools::XMLNode* fader = Descriptions().Fader(bonus->AttributeOr("fader", ""));
    ASSERT_NE(fader, nullptr);
    EXPECT_GE(std::stof(KorvaneTools::AttributeText(*fader, "max")), 1.0f);
}

TEST(windows, NameBoxesTakeAtMostTwentyFourCharacters)
{
    int boxes = 0;
    for (const std::string& window : Descriptions().WindowNames())
        for (const BuiltControl& control : Built(window))
            if (control.kind == "edit_box")
            {
                ++boxes;
                EXPECT_EQ(control.AttributeOr("max_character_count", "255"), "24") << control.fullName;
            }
    EXPECT_EQ(boxes, 3);
}

TEST(windows, ScrollsCarryTheirThumbAndOrientation)
{
    int scrolls = 0;
    for (const std::string& window : Descriptions().WindowNames())
        for (const BuiltControl& control : Built(window))
            if (control.kind == "scroll")
            {
                ++scrolls;
                for (const char* attribute : {"toddler_shader", "toddler_size", "toddler_min_position",
                                              "toddler_max_position", "orientation"})
                    EXPECT_TRUE(control.Attribute(attribute)) << control.fullName << " " << attribute;
                const auto size = ReadNumbers(control.AttributeOr("size", "1 1"));
                const auto thumb = ReadNumbers(control.AttributeOr("toddler_size", "0 0"));
                const auto high = ReadNumbers(control.AttributeOr("toddler_max_position", "0 0"));
                const auto low = ReadNumbers(control.AttributeOr("toddler_min_position", "0 0"));
                for (const auto& end : {low, high})
                {
                    EXPECT_GE(end[0], 0) << control.fullName;
                    EXPECT_GE(end[1], 0) << control.fullName;
                    EXPECT_LE(end[0] + thumb[0], size[0]) << control.fullName;
                    EXPECT_LE(end[1] + thumb[1], size[1]) << control.fullName;
                }
            }
    EXPECT_EQ(scrolls, 5);
}

TEST(windows, InGameWindowIsAWindowElementAndLogoSlotsHaveAShader)
{
    EXPECT_EQ(Built("window_game_logic").front().kind, "window");
    for (const std::string& window : Descriptions().WindowNames())
        for (const BuiltControl& control : Built(window))
            if (control.fullName.find("/logo_additional_") != std::string::npos)
            {
                EXPECT_FALSE(control.AttributeOr("shader", "").empty()) << control.fullName;
            }
}

TEST(windows, EveryMenuWindowFadesOrAnimatesOnHide)
{
    for (const std::string& window : Descriptions().WindowNames())
    {
        if (window == "window_game_logic")
            continue;
        int fading = 0;
        for (const BuiltControl& control : Built(window))
            fading += control.Attribute("fader") ? 1 : 0;
        EXPECT_GT(fading, 0) << window;
        const BuiltControl top = Built(window).front();
        EXPECT_EQ(top.kind, "window") << window;
        EXPECT_FALSE(top.Attribute("model") || top.Attribute("shader")) << window;
        EXPECT_EQ(top.AttributeOr("size", ""), "800 600") << window;
    }
}

TEST(windows, EveryControlStaysOnTheScreen)
{
    for (const std::string& window : Descriptions().WindowNames())
        for (const BuiltControl& control : Built(window))
        {
            if (control.kind == "window" && !control.Attribute("shader") && !control.Attribute("model"))
                continue; // a holder draws nothing
            if (control.Attribute("model"))
                continue; // a model is placed by its origin; its extent is the model's own
            for (const DataTest::Box& box : ScreenBoxes(control))
                EXPECT_TRUE(box.Inside(ScreenWidth, ScreenHeight))
                    << control.fullName << " at " << box.left << "," << box.bottom << " size " << box.width << "x"
                    << box.height;
        }
}

TEST(windows, ControlsOnAPanelStayOffItsFrame)
{
    // The panel pictures are 512 pixels across with a 24-pixel frame; it scales with the panel.
    constexpr float FrameShare = 24.0f / 512.0f;
    for (const std::string& window : Descriptions().WindowNames())
    {
        const std::vector<BuiltControl> controls = Built(window);
        for (const BuiltControl& control : controls)
        {
            if (control.parent < 0)
                continue;
            const BuiltControl& panel = controls[static_cast<size_t>(control.parent)];
            const std::string shader = panel.AttributeOr("shader", "");
            if (shader != "panel" && shader != "panel_dark" && shader != "map_panel")
                continue;
            const DataTest::Box inner = {panel.box.left + panel.box.width * FrameShare,
                                         panel.box.bottom + panel.box.height * FrameShare,
                                         panel.box.width * (1 - 2 * FrameShare), panel.box.height * (1 - 2 * FrameShare)};
            for (const DataTest::Box& box : ScreenBoxes(control))
            {
                const bool inside = box.left >= inner.left && box.Right() <= inner.Right() &&
                                    box.bottom >= inner.bottom && box.Top() <= inner.Top();
                EXPECT_TRUE(inside || !box.Overlaps(panel.box)) << control.fullName << " lies on the frame of " << panel.fullName;
            }
        }
    }
}

TEST(windows, NoTwoControlsATextOrAClickLandsOnOverlap)
{
    // The empty-table notice stands where the rows would be: the code shows one or the other.
    const auto alternates = [](const BuiltControl& a, const BuiltControl& b) {
        return a.fullName.find("/no_records") != std::string::npos || b.fullName.find("/no_records") != std::string::npos;
    };
    for (const std::string& window : Descriptions().WindowNames())
    {
        const std::vector<BuiltControl> controls = Built(window);
        for (size_t a = 0; a < controls.size(); ++a)
            for (size_t b = a + 1; b < controls.size(); ++b)
            {
                const bool bothClickable = IsInteractive(controls[a]) && IsInteractive(controls[b]);
                const bool bothText = controls[a].kind == "text_label" && controls[b].kind == "text_label";
                if (!(bothClickable || bothText) || IsAncestor(controls, a, b) || IsAncestor(controls, b, a) ||
                    alternates(controls[a], controls[b]))
                    continue;
                for (const DataTest::Box& boxA : ScreenBoxes(controls[a]))
                    for (const DataTest::Box& boxB : ScreenBoxes(controls[b]))
                        EXPECT_FALSE(boxA.Overlaps(boxB)) << controls[a].fullName << " and " << controls[b].fullName;
            }
    }
}

namespace
{
// The screen box of a control that draws a model: the model's resting frame about the control's position.
DataTest::Box ModelScreenBox(const BuiltControl& control)
{
    const DataTest::PlayModelFile model =
        DataTest::ReadPlayModel(DataTest::StageFile("ui/models/" + control.AttributeOr("model", "") + ".mlf"));
    const auto& [low, high] = model.boxes.back();
    return {control.box.left + low.x, control.box.bottom + low.y, high.x - low.x, high.y - low.y};
}

// What a control puts on the screen: its own box, or for a model its resting extent; none for a holder.
std::vector<DataTest::Box> DrawnBoxes(const BuiltControl& control)
{
    if (control.Attribute("model"))
        return {ModelScreenBox(control)};
    if (control.kind == "window" && !control.Attribute("shader"))
        return {};
    return ScreenBoxes(control);
}
}

TEST(windows, WindowsOverPlayHangBelowTheInGameBar)
{
    std::vector<std::pair<std::string, DataTest::Box>> bar;
    for (const BuiltControl& control : Built("window_game_logic"))
        if (control.parent == 0)
            for (const DataTest::Box& box : DrawnBoxes(control))
                bar.emplace_back(control.fullName, box);
    ASSERT_EQ(bar.size(), 8u) << "three plates, the logo and four buttons";
    // The paused game's dialogs, and the end windows that come up while the bar is still shown.
    for (const char* dialog : {"window_game_logic_pause", "window_game_logic_menu", "window_game_logic_menu_exit",
                               "window_game_logic_restart", "window_game_logic_game_exit", "window_level_complete",
                               "window_game_over", "window_game_complete"})
    {
        const std::vector<BuiltControl> controls = Built(dialog);
        int drawn = 0;
        for (const BuiltControl& control : controls)
            for (const DataTest::Box& box : DrawnBoxes(control))
            {
                ++drawn;
                for (const auto& [name, barBox] : bar)
                    EXPECT_FALSE(box.Overlaps(barBox)) << control.fullName << " covers " << name;
            }
        EXPECT_GT(drawn, 5) << dialog;
        // The title sign hangs clear of the dialog's own panel too.
        const BuiltControl* panel = Find(controls, std::string(dialog) + "/window");
        const BuiltControl* sign = Find(controls, std::string(dialog) + "/title_mount_animated");
        ASSERT_NE(panel, nullptr) << dialog;
        ASSERT_NE(sign, nullptr) << dialog;
        EXPECT_FALSE(ModelScreenBox(*sign).Overlaps(panel->box)) << dialog;
    }
}

TEST(windows, TheLeaveQuestionIsTitledAsAQuestionInEveryLanguage)
{
    const std::vector<BuiltControl> question = Built("window_game_logic_menu_exit");
    const BuiltControl* title = Find(question, "window_game_logic_menu_exit/title");
    ASSERT_NE(title, nullptr);
    const KorvaneTools::TextTable texts =
        KorvaneTools::ReadTextFile(DataTest::StageFile("ui/texts/default_texts.xml"), "default_texts.xml");
    const std::string key = title->AttributeOr("text", "");
    ASSERT_TRUE(texts.count(key)) << key;
    for (const std::string& language : KorvaneTools::GameLanguages())
    {
        const std::string& text = texts.at(key).at(language);
        ASSERT_FALSE(text.empty()) << language;
        EXPECT_EQ(text.back(), '?') << language << ": \"" << text << "\"";
    }
}

TEST(windows, ButtonsOnAPanelKeepAMarginInsideItsFrame)
{
    // The panel pictures' frame with its inner line is 27 of 512 pixels; a button keeps clear of it by a margin.
    constexpr float FrameShare = 27.0f / 512.0f;
    constexpr float Margin = 6.0f;
    for (const std::string& window : Descriptions().WindowNames())
    {
        const std::vector<BuiltControl> controls = Built(window);
        for (const BuiltControl& control : controls)
        {
            if (control.parent < 0 || control.kind != "button")
                continue;
            const BuiltControl& panel = controls[static_cast<size_t>(control.parent)];
            const std::string shader = panel.AttributeOr("shader", "");
            if (shader != "panel" && shader != "panel_dark")
                continue;
            const float sideFrame = panel.box.width * FrameShare + Margin;
            const float endFrame = panel.box.height * FrameShare + Margin;
            EXPECT_GE(control.box.left - panel.box.left, sideFrame) << control.fullName;
            EXPECT_GE(panel.box.Right() - control.box.Right(), sideFrame) << control.fullName;
            EXPECT_GE(control.box.bottom - panel.box.bottom, endFrame) << control.fullName;
            EXPECT_GE(panel.box.Top() - control.box.Top(), endFrame) << control.fullName;
        }
    }
}
