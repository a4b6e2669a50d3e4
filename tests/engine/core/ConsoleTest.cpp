// The console: opened and closed by its key, lines run through the settings registry with their answers,
// history, completion, the log in colour, wrapping, and the scrolled view.
#include "engine/core/Console.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/dinput7/DirectInput.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tests/support/GUITestBed.h"
#include "tests/support/TypedKeys.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
constexpr DWORD kKeyDown = 0x80;
constexpr DWORD kKeyUp = 0x00;

// Every printable ASCII character is 5 units wide (0.5 at size 10): 160 fit on the 800-unit screen. The font
// has no blank, so a blank advances by the font's space, 10 units.
std::wstring Printable()
{
    std::wstring characters;
    for (wchar_t c = 0x21; c <= 0x7E; ++c)
        characters.push_back(c);
    return characters;
}

bool SameColor(const Color& a, const Color& b) { return !(a != b); }

class ConsoleTest : public testing::Test
{
protected:
    ConsoleTest()
    {
        TestSupport::CreateGridFont(*bed.Manager().GetFontManager(), bed.engine.folder, 0, Printable(), 0.5f, 10.0f);
        Engine& engine = bed.engine.GetEngine();
        engine.GetConfig()->AddVariable("t_value", Config::KindInt, 0, 0, &m_value, "5", 0);
        engine.GetConfig()->AddVariable("t_fixed", Config::KindInt, 1, 0, &m_fixed, "3", 0);
        engine.CreateConsole("Korvane 1.00", ShaderDescriptor(), 0, '_', ']', '^', "~", 0.95f, 308.0f, 1000.0f);
    }

    Console& TheConsole() { return *bed.engine.GetEngine().GetConsole(); }

    void PressConsoleKey()
    {
        bed.engine.input.keyboard.AddRecord(DIK_GRAVE, kKeyDown);
        bed.engine.input.keyboard.AddRecord(DIK_GRAVE, kKeyUp);
        bed.RunFrame();
    }

    void Open()
    {
        PressConsoleKey();
        for (int i = 0; i < 60 && TheConsole().GetState() != Console::StateOpen; ++i)
            bed.RunFrame();
        ASSERT_EQ(TheConsole().GetState(), Console::StateOpen);
    }

    void Key(u16 code)
    {
        TestSupport::SendTypedKey(bed.engine.GetEngine(), TestSupport::EditingKey(code));
        bed.RunFrame();
    }

    // Types the line into the input line and runs it.
    void RunLine(const std::wstring& line)
    {
        for (const TestSupport::TypedKey& key : TestSupport::Characters(line))
        {
            TestSupport::SendTypedKey(bed.engine.GetEngine(), key);
            bed.RunFrame();
        }
        Key(Console::KeyEnter);
    }

    // The texts added since the given number of line records, joined.
    std::wstring TextSince(size_t first)
    {
        std::wstring text;
        const auto& lines = bed.engine.GetEngine().GetConsole()->GetLines();
        for (size_t i = first; i < lines.size(); ++i)
            text += lines[i].text;
        return text;
    }

    TestSupport::GUITestBed bed;
    i32 m_value = 0;
    i32 m_fixed = 0;
};

TEST_F(ConsoleTest, ItsKeySlidesThePanelInAndOutAndATypedLineChangesASetting)
{
    EXPECT_EQ(TheConsole().GetState(), Console::StateClosed);
    EXPECT_FALSE(TheConsole().GetPanel()->IsVisible());
    PressConsoleKey();
    EXPECT_EQ(TheConsole().GetState(), Console::StateOpening);
    EXPECT_TRUE(TheConsole().GetPanel()->IsVisible());
    EXPECT_FALSE(TheConsole().GetInputLine()->IsFocused());
    // 308 units at 1000 a second: open in the 19th frame of 1/60 s.
    for (int i = 0; i < 17; ++i)
        bed.RunFrame();
    EXPECT_EQ(TheConsole().GetState(), Console::StateOpening);
    bed.RunFrame();
    ASSERT_EQ(TheConsole().GetState(), Console::StateOpen);
    // The panel rises from below the screen until its top edge is 308 units up.
    EXPECT_FLOAT_EQ(TheConsole().GetPanel()->GetRelativePosition().y, 308.0f - 600.0f);
    EXPECT_TRUE(TheConsole().GetInputLine()->IsFocused());

    RunLine(L"t_value 42");
    EXPECT_EQ(m_value, 42);
    EXPECT_EQ(TheConsole().GetHistory(), (std::vector<std::wstring>{L"\\t_value 42"}));
    EXPECT_EQ(TheConsole().GetInputLine()->GetText(), L"");

    PressConsoleKey();
    EXPECT_EQ(TheConsole().GetState(), Console::StateClosing);
    EXPECT_FALSE(TheConsole().GetInputLine()->IsFocused());
    for (int i = 0; i < 60 && TheConsole().GetState() != Console::StateClosed; ++i)
        bed.RunFrame();
    EXPECT_EQ(TheConsole().GetState(), Console::StateClosed);
    EXPECT_FALSE(TheConsole().GetPanel()->IsVisible());
    EXPECT_FLOAT_EQ(TheConsole().GetPanel()->GetRelativePosition().y, -600.0f);
}

TEST_F(ConsoleTest, TheKeyTurnsASlideAround)
{
    PressConsoleKey();
    bed.RunFrame();
    PressConsoleKey();
    EXPECT_EQ(TheConsole().GetState(), Console::StateClosing);
    PressConsoleKey();
    EXPECT_EQ(TheConsole().GetState(), Console::StateOpening);
}

struct AnswerCase
{
    const wchar_t* line;
    const wchar_t* answer;
};

TEST_F(ConsoleTest, EachLineIsEchoedWithTheRegistrysAnswer)
{
    Open();
    RunLine(L"t_value 7");
    const AnswerCase cases[] = {
        {L"t_value", L"\\t_value\n\"t_value\" is \"7\", default is \"5\"\n"},
        {L"\\T_Value 8", L"\\T_Value 8\n"},
        {L"t_fixed 4", L"\\t_fixed 4\n\"t_fixed\" is read only\n"},
        {L"Nothing_Here", L"\\Nothing_Here\nUnknown command \"nothing_here\"\n"},
        {L"say hello", L"\\say hello\nTovrel: \"hello\"\n"},
        {L"say", L"\\say\n"},
    };
    for (const AnswerCase& c : cases)
    {
        const size_t before = TheConsole().GetLines().size();
        RunLine(c.line);
        EXPECT_EQ(TextSince(before), c.answer) << testing::PrintToString(std::wstring(c.line));
    }
    EXPECT_EQ(m_value, 8);
    EXPECT_EQ(m_fixed, 3);
}

TEST_F(ConsoleTest, TheEchoIsBlueAndWhatWasSaidGreen)
{
    Open();
    const size_t before = TheConsole().GetLines().size();
    RunLine(L"say hi");
    const auto& lines = TheConsole().GetLines();
    ASSERT_EQ(lines.size(), before + 4);
    EXPECT_TRUE(SameColor(lines[before].color, Color(0.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_TRUE(SameColor(lines[before + 1].color, Color(1.0f, 1.0f, 1.0f, 1.0f)));
    EXPECT_EQ(lines[before + 2].text, L"hi");
    EXPECT_TRUE(SameColor(lines[before + 2].color, Color(0.0f, 1.0f, 0.0f, 1.0f)));
}

TEST_F(ConsoleTest, EmptyLinesAndALoneBackslashLeaveNoHistoryAndUpAndDownWalkIt)
{
    Open();
    RunLine(L"");
    RunLine(L"\\");
    EXPECT_TRUE(TheConsole().GetHistory().empty());
    RunLine(L"t_value 1");
    RunLine(L"t_value 2");
    const auto input = [this] { return TheConsole().GetInputLine()->GetText(); };
    Key(Console::KeyUp);
    EXPECT_EQ(input(), L"\\t_value 2");
    Key(Console::KeyUp);
    EXPECT_EQ(input(), L"\\t_value 1");
    Key(Console::KeyUp);
    EXPECT_EQ(input(), L"\\t_value 1");
    Key(Console::KeyDown);
    EXPECT_EQ(input(), L"\\t_value 2");
    Key(Console::KeyDown);
    EXPECT_EQ(input(), L"");
    Key(Console::KeyUp);
    Key(Console::KeyEscape);
    EXPECT_EQ(input(), L"");
}

TEST_F(ConsoleTest, TabCompletesOneNameListsSeveralAndKeepsAnUnknownOne)
{
    Config& config = *bed.engine.GetEngine().GetConfig();
    i32 storage[3] = {};
    config.AddVariable("t_alpha", Config::KindInt, 0, 0, &storage[0], "0", 0);
    config.AddVariable("t_alps", Config::KindInt, 0, 0, &storage[1], "0", 0);
    config.AddVariable("t_beta", Config::KindInt, 0, 0, &storage[2], "0", 0);
    Open();
    GUIEditBox& input = *TheConsole().GetInputLine();

    input.SetText(L"T_BE");
    Key(Console::KeyTab);
    EXPECT_EQ(input.GetText(), L"\\t_beta ");

    input.SetText(L"t_al");
    const size_t before = TheConsole().GetLines().size();
    Key(Console::KeyTab);
    EXPECT_EQ(input.GetText(), L"\\t_alp");
    EXPECT_EQ(TextSince(before), L"\\t_al\n    \\t_alpha\n    \\t_alps\n");

    input.SetText(L"ZZ");
    Key(Console::KeyTab);
    EXPECT_EQ(input.GetText(), L"\\zz");
}

TEST_F(ConsoleTest, TextIsSplitAtLineFeedsAndAtTheScreensWidth)
{
    Console& console = TheConsole();
    const size_t before = console.GetLines().size();
    console.AddText(Color(1.0f, 1.0f, 1.0f, 1.0f), std::wstring(200, L'a') + L"\nb\nc");
    const auto& lines = console.GetLines();
    ASSERT_EQ(lines.size(), before + 4);
    EXPECT_EQ(lines[before].text, std::wstring(160, L'a'));
    EXPECT_EQ(lines[before].endsLine, 1);
    EXPECT_FLOAT_EQ(lines[before].width, 800.0f);
    EXPECT_EQ(lines[before + 1].text, std::wstring(40, L'a') + L"\n");
    EXPECT_EQ(lines[before + 1].endsLine, 1);
    EXPECT_EQ(lines[before + 2].text, L"b\n");
    EXPECT_EQ(lines[before + 3].text, L"c");
    EXPECT_EQ(lines[before + 3].endsLine, 0);
}

TEST_F(ConsoleTest, OnlyTheNewestThousandLinesAreKept)
{
    Console& console = TheConsole();
    for (int i = 0; i < 1500; ++i)
        console.AddText(Color(1.0f, 1.0f, 1.0f, 1.0f), L"line " + std::to_wstring(i) + L"\n");
    const auto& lines = console.GetLines();
    ASSERT_EQ(lines.size(), Console::MaxLines);
    EXPECT_EQ(Console::MaxLines, 1000u);
    EXPECT_EQ(lines.front().text, L"line 500\n");
    EXPECT_EQ(lines.back().text, L"line 1499\n");
}

TEST_F(ConsoleTest, ACharacterWiderThanTheScreenStillTakesALineOfItsOwn)
{
    bed.engine.GetEngine().GetGUIManager()->GetFontManager()->GetFont(0)->SetSize(2000.0f);
    Console& console = TheConsole();
    const size_t before = console.GetLines().size();
    console.AddText(Color(1.0f, 1.0f, 1.0f, 1.0f), L"abc");
    ASSERT_EQ(console.GetLines().size(), before + 3);
    EXPECT_EQ(console.GetLines()[before + 2].text, L"c");
}

TEST_F(ConsoleTest, TheVersionLineAndTheScrollMarkerSpanTheScreen)
{
    // "Korvane 1.00": 11 glyphs of 5 and one blank of 10 = 65, then blanks up to 795.
    EXPECT_EQ(TheConsole().GetVersionLine(), L"Korvane 1.00" + std::wstring(73, L' '));
    EXPECT_EQ(TheConsole().GetScrollMarker(), std::wstring(160, L'^'));
}

TEST_F(ConsoleTest, LogRecordsComeInTheColourOfTheirKind)
{
    Open();
    MessageManager& log = *bed.engine.GetEngine().GetMessageManager();
    const size_t before = TheConsole().GetLines().size();
    log.Message("fine");
    log.Warning("careful");
    log.Error("broken");
    bed.RunFrame();
    const struct
    {
        const wchar_t* word;
        Color color;
    } expected[] = {{L"fine", Color(1.0f, 1.0f, 1.0f, 1.0f)},
                    {L"careful", Color(0.5f, 0.5f, 0.5f, 1.0f)},
                    {L"broken", Color(1.0f, 0.0f, 0.0f, 1.0f)}};
    for (const auto& e : expected)
    {
        bool found = false;
        for (size_t i = before; i < TheConsole().GetLines().size(); ++i)
        {
            const Console::Line& line = TheConsole().GetLines()[i];
            if (line.text.find(e.word) == std::wstring::npos)
                continue;
            found = true;
            EXPECT_TRUE(SameColor(line.color, e.color)) << testing::PrintToString(std::wstring(e.word));
        }
        EXPECT_TRUE(found) << testing::PrintToString(std::wstring(e.word));
    }
}

TEST_F(ConsoleTest, PageUpPastTheOldestLineIsTakenBackAtTheNextFrame)
{
    Open();
    for (int i = 0; i < 3; ++i)
        TheConsole().AddText(Color(1.0f, 1.0f, 1.0f, 1.0f), L"line\n");
    const i32 lineCount = static_cast<i32>(TheConsole().GetLines().size());
    for (int i = 0; i < lineCount + 10; ++i)
        Key(Console::KeyPageUp);
    bed.RunFrame();
    EXPECT_LE(TheConsole().GetScroll(), lineCount);
    EXPECT_GT(TheConsole().GetScroll(), 0);
    Key(Console::KeyPageDown);
    const i32 scrolled = TheConsole().GetScroll();
    for (int i = 0; i < scrolled + 3; ++i)
        Key(Console::KeyPageDown);
    EXPECT_EQ(TheConsole().GetScroll(), 0);
}

TEST_F(ConsoleTest, AnOpenConsoleQueuesTheVersionThePromptAndTheLog)
{
    Open();
    TheConsole().AddText(Color(1.0f, 1.0f, 1.0f, 1.0f), L"hello\n");
    bed.engine.clock.AdvanceSeconds(1.0 / 60.0);
    Engine& engine = bed.engine.GetEngine();
    engine.Render();
    GUIWindow& panel = *TheConsole().GetPanel();
    ASSERT_GE(panel.GetTextCount(), 3u);
    EXPECT_EQ(panel.GetText(0).text, TheConsole().GetVersionLine());
    // Laid out downwards from the panel's top (600 units up the 600-unit panel), each text a line of 10 high.
    EXPECT_FLOAT_EQ(panel.GetText(0).offset.y, 600.0f - 2.0f - 10.0f);
    EXPECT_EQ(panel.GetText(1).text, L"]");
    EXPECT_FLOAT_EQ(panel.GetText(1).offset.y, 600.0f - 14.0f - 10.0f);
    EXPECT_EQ(panel.GetText(panel.GetTextCount() - 1).text, L"hello\n");
    // The engine's start has filled the view: the newest line lies just below the prompt.
    EXPECT_FLOAT_EQ(panel.GetText(panel.GetTextCount() - 1).offset.y, 600.0f - 26.0f - 10.0f);
    EXPECT_NEAR(panel.GetColor().a, 0.95f, 0.01f);
    engine.Frame(0);
}

TEST_F(ConsoleTest, ItsSettingsAreRegisteredWithTheirDefaultsAndLeaveWithIt)
{
    Config& config = *bed.engine.GetEngine().GetConfig();
    std::string value;
    config.GetDefaultValue(value, "ui_console_alpha");
    EXPECT_EQ(value, "0.9500");
    config.GetDefaultValue(value, "ui_console_size");
    EXPECT_EQ(value, "308.0000");
    config.GetValueAsString(value, "ui_console_key");
    EXPECT_EQ(value, "~");
    config.Execute("ui_console_size 5000");
    bed.RunFrame();
    config.GetValueAsString(value, "ui_console_size");
    EXPECT_EQ(value.substr(0, 3), "600") << "no taller than the screen";
    bed.engine.GetEngine().CreateConsole("again", ShaderDescriptor(), 0, '_', ']', '^', "~", 0.95f, 308.0f, 1000.0f);
    EXPECT_EQ(bed.engine.GetEngine().GetConsole()->GetState(), Console::StateClosed);
}
}
