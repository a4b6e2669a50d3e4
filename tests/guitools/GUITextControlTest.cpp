// Text labels: the markup, parameters, line breaking and wrapping, alignment of the drawn lines, the
// character-by-character reveal that the window's entrance waits for, and a label without a usable font.
#include "guitools/GUITextControl.h"

#include "engine/gui/GUIWindow.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using GUITools::GUITextControl;

namespace
{
class GUITextControlTest : public testing::Test
{
protected:
    // A window holding one text label "w/t" with the given attributes.
    GUITextControl& Build(const std::string& attributes)
    {
        bed.WriteDescription("w.xml", "<window name=\"w\"><text_label name=\"t\" " + attributes + "/></window>");
        window = bed.Build("w");
        return *window->GetTextControl("w/t");
    }

    // Shows the window and gives the label one frame; its texts stay queued until the next frame.
    GUIWindow& ShowAndDraw()
    {
        window->Show(true);
        bed.RunFrames(*window, 1);
        return *window->GetTextControl("w/t")->GetWindow();
    }

    TestSupport::WindowDescriptionBed bed;
    std::unique_ptr<GUITools::GUIWindowBase> window;
};

struct MarkupCase
{
    const char* value;
    const wchar_t* text;
};

class GUITextMarkupTest : public GUITextControlTest, public testing::WithParamInterface<MarkupCase>
{
};

TEST_P(GUITextMarkupTest, AValueResolvesToItsText)
{
    GUITextControl& label = Build("font=\"text\"");
    label.SetTextKey(GetParam().value);
    EXPECT_EQ(label.GetText(), GetParam().text);
    EXPECT_EQ(label.GetKey(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, GUITextMarkupTest,
                         testing::Values(MarkupCase{"game_title", L"brick game"},
                                         MarkupCase{"'Hi '+game_title", L"Hi brick game"},
                                         MarkupCase{"[fu]game_title", L"Brick game"},
                                         MarkupCase{"[FU]game_title", L"Brick game"},
                                         MarkupCase{"[u]game_title", L"BRICK GAME"},
                                         MarkupCase{"[l]\"ABC\"", L"abc"},
                                         MarkupCase{"[x]game_title", L"brick game"},
                                         MarkupCase{"menu/start", L"start"},
                                         MarkupCase{"missing", L"UNKNOWN"},
                                         MarkupCase{"'a'++\"b\"", L"ab"},
                                         MarkupCase{"game_title ", L"UNKNOWN"}));

TEST_F(GUITextControlTest, AParameterIsReplacedEachTimeItIsSet)
{
    GUITextControl& label = Build("font=\"text\" text=\"score\"");
    EXPECT_EQ(label.GetLines(), std::vector<std::wstring>{L"Score: %points%"});
    label.SetParameter(L"points", L"10");
    EXPECT_EQ(label.GetLines(), std::vector<std::wstring>{L"Score: 10"});
    label.SetParameter(L"points", L"250");
    EXPECT_EQ(label.GetLines(), std::vector<std::wstring>{L"Score: 250"});
    EXPECT_EQ(label.GetCharacterCount(), 10u);
}

struct WrapCase
{
    const wchar_t* text;
    bool multiline;
    std::vector<std::wstring> lines;
};

class GUITextWrapTest : public GUITextControlTest, public testing::WithParamInterface<WrapCase>
{
};

// Glyphs are 5 units wide and the box 50: ten characters a line.
TEST_P(GUITextWrapTest, LinesBreakAtLineFeedsAndWrapAtSpaces)
{
    GUITextControl& label =
        Build(std::string("font=\"text\" size=\"50 100\"") + (GetParam().multiline ? " multiline=\"1\"" : ""));
    label.SetText(GetParam().text);
    EXPECT_EQ(label.GetLines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GUITextWrapTest,
    testing::Values(WrapCase{L"aaaa bbbb cccc", true, {L"aaaa bbbb", L"cccc"}},
                    WrapCase{L"aaaa bbbb cccc", false, {L"aaaa bbbb cccc"}},
                    WrapCase{L"abcdefghijklmnop", true, {L"abcdefghijklmnop"}},
                    WrapCase{L"ab\n", true, {L"ab"}},
                    WrapCase{L"ab\r\n\ncd", false, {L"ab", L"", L"cd"}},
                    WrapCase{L"a verylongwordthatneverfits b", true, {L"a", L"verylongwordthatneverfits", L"b"}},
                    WrapCase{L"one two three four five", true, {L"one two", L"three", L"four five"}}));

struct TextAlignmentCase
{
    const char* vertical;
    std::vector<f32> y;
};

class GUITextAlignmentTest : public GUITextControlTest, public testing::WithParamInterface<TextAlignmentCase>
{
};

TEST_P(GUITextAlignmentTest, SeveralLinesArePlacedLineByLineInTheBox)
{
    Build(std::string("font=\"text\" size=\"200 100\" line_space=\"2\" alignment_h=\"right\" alignment_v=\"") +
          GetParam().vertical + "\" text=\"'one'\"");
    window->GetTextControl("w/t")->SetText(L"one\ntwo\nthree");
    GUIWindow& widget = ShowAndDraw();
    ASSERT_EQ(widget.GetTextCount(), 3u);
    for (u32 i = 0; i < 3; ++i)
    {
        EXPECT_EQ(widget.GetText(i).flags, 8u);
        EXPECT_FLOAT_EQ(widget.GetText(i).offset.y, GetParam().y[i]) << i;
        EXPECT_EQ(widget.GetText(i).size, 10.0f);
    }
    EXPECT_EQ(widget.GetText(2).text, L"three");
}

INSTANTIATE_TEST_SUITE_P(Alignments, GUITextAlignmentTest,
                         testing::Values(TextAlignmentCase{"top", {90.0f, 78.0f, 66.0f}},
                                         TextAlignmentCase{"bottom", {24.0f, 12.0f, 0.0f}},
                                         TextAlignmentCase{"middle", {56.0f, 44.0f, 32.0f}}));

struct FlagCase
{
    const char* attributes;
    u32 flags;
};

class GUITextFlagTest : public GUITextControlTest, public testing::WithParamInterface<FlagCase>
{
};

TEST_P(GUITextFlagTest, ASingleLineIsPlacedByFlags)
{
    Build(std::string("font=\"text\" text=\"game_title\" ") + GetParam().attributes);
    GUIWindow& widget = ShowAndDraw();
    ASSERT_EQ(widget.GetTextCount(), 1u);
    EXPECT_EQ(widget.GetText(0).flags, GetParam().flags);
    EXPECT_EQ(widget.GetText(0).offset.y, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Flags, GUITextFlagTest,
                         testing::Values(FlagCase{"", 4u | 32u},
                                         FlagCase{"alignment_h=\"upper left\" alignment_v=\"top\"", 4u | 16u},
                                         FlagCase{"alignment_h=\"right\" alignment_v=\"center\"", 8u | 2u},
                                         FlagCase{"alignment_h=\"center\" alignment_v=\"bottom\"", 1u | 32u}));

TEST_F(GUITextControlTest, TheColourAndSizeOfTheLabelGoWithItsText)
{
    Build("font=\"text\" text=\"game_title\" color=\"1 0 0 0.5\" font_size=\"20\" angle=\"0.25\"");
    GUIWindow& widget = ShowAndDraw();
    ASSERT_EQ(widget.GetTextCount(), 1u);
    EXPECT_EQ(widget.GetText(0).color.r, 1.0f);
    EXPECT_EQ(widget.GetText(0).color.g, 0.0f);
    EXPECT_EQ(widget.GetText(0).color.a, 0.5f);
    EXPECT_EQ(widget.GetText(0).size, 20.0f);
    EXPECT_EQ(widget.GetText(0).angle, 0.25f);
    EXPECT_EQ(widget.GetText(0).font, 0);
}

struct PrintingCase
{
    const char* attributes;
    int framesBeforeDone;
};

class GUITextPrintingTest : public GUITextControlTest, public testing::WithParamInterface<PrintingCase>
{
};

// Fifty characters: ten a second take five seconds, unless the reveal may last only two.
TEST_P(GUITextPrintingTest, TheRevealTakesItsTime)
{
    GUITextControl& label =
        Build(std::string("font=\"text\" size=\"800 100\" printing_mode=\"1\" ") + GetParam().attributes);
    label.SetText(std::wstring(50, L'a'));
    window->Show(true);
    bed.RunFrames(*window, GetParam().framesBeforeDone - 3);
    EXPECT_FALSE(label.IsPrintingDone());
    EXPECT_FALSE(window->IsShowFinished()) << "a window has not come in while its text is still revealed";
    GUIWindow& widget = *label.GetWindow();
    ASSERT_EQ(widget.GetTextCount(), 1u);
    EXPECT_LT(widget.GetText(0).text.size(), 50u);
    EXPECT_EQ(widget.GetText(0).flags, 0u);
    bed.RunFrames(*window, 5);
    EXPECT_TRUE(label.IsPrintingDone());
    EXPECT_TRUE(window->IsShowFinished());
    EXPECT_EQ(widget.GetText(0).text.size(), 50u);
}

INSTANTIATE_TEST_SUITE_P(Speeds, GUITextPrintingTest,
                         testing::Values(PrintingCase{"printing_speed=\"10\"", 300},
                                         PrintingCase{"printing_speed=\"10\" max_printing_time=\"2\"", 120}));

TEST_F(GUITextControlTest, ANewTextWhileShownIsRevealedAfterTheOldOneIsTakenBack)
{
    GUITextControl& label = Build("font=\"text\" size=\"800 100\" printing_mode=\"1\" printing_speed=\"60\"");
    label.SetText(L"abcdef");
    window->Show(true);
    bed.RunFrames(*window, 10);
    ASSERT_TRUE(label.IsPrintingDone());
    label.SetText(L"xyz");
    bed.RunFrames(*window, 1);
    GUIWindow& widget = *label.GetWindow();
    ASSERT_EQ(widget.GetTextCount(), 1u);
    EXPECT_EQ(widget.GetText(0).text, L"abcde");
    bed.RunFrames(*window, 8);
    ASSERT_EQ(widget.GetTextCount(), 1u);
    EXPECT_EQ(widget.GetText(0).text.substr(0, 1), L"x");
    bed.RunFrames(*window, 5);
    EXPECT_EQ(widget.GetText(0).text, L"xyz");
}

TEST_F(GUITextControlTest, ALabelWithoutAKnownFontDrawsNothingAndSaysSoOnce)
{
    GUITextControl& label = Build("font=\"nothing\" multiline=\"1\" size=\"10 10\" text=\"'aaa bbb\nccc'\"");
    EXPECT_TRUE(bed.Logged("(GUITextControl::Layout): Unknown \"nothing\" font of \"w/t\" text!"));
    EXPECT_EQ(label.GetLines(), (std::vector<std::wstring>{L"aaa bbb", L"ccc"}));
    GUIWindow& widget = ShowAndDraw();
    EXPECT_EQ(widget.GetTextCount(), 0u);
    bed.RunFrames(*window, 10);
    const std::string log = bed.gui.engine.LogText();
    const std::string said = "Unknown \"nothing\" font of \"w/t\" text";
    const size_t first = log.find(said);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(said, first + 1), std::string::npos) << "said again in a later frame";
}
}

namespace
{
// A window waits for its printing title before it goes on: a text that can never print must not hold it.
TEST_F(GUITextControlTest, APrintingLabelWithoutAKnownFontCountsAsPrinted)
{
    GUITextControl& label = Build("font=\"nothing\" size=\"800 100\" printing_mode=\"1\" text=\"'loading'\"");
    bed.RunFrames(*window, 2);
    window->Show(true);
    bed.RunFrames(*window, 2);
    EXPECT_TRUE(label.IsPrintingDone());
    window->Show(false);
    bed.RunFrames(*window, 2);
    EXPECT_TRUE(label.IsPrintingDone());
}

class GUITextStalledSpeedTest : public GUITextControlTest, public testing::WithParamInterface<const char*>
{
};

// A speed that would never end the reveal shows the text at once, and takes it back as quickly.
TEST_P(GUITextStalledSpeedTest, TheRevealStillEnds)
{
    GUITextControl& label = Build(std::string("font=\"text\" size=\"800 100\" printing_mode=\"1\" ") + GetParam());
    label.SetText(L"abcdef");
    window->Show(true);
    bed.RunFrames(*window, 3);
    EXPECT_TRUE(label.IsPrintingDone());
    label.SetText(L"xy");
    bed.RunFrames(*window, 3);
    EXPECT_TRUE(label.IsPrintingDone());
    ASSERT_EQ(label.GetWindow()->GetTextCount(), 1u);
    EXPECT_EQ(label.GetWindow()->GetText(0).text, L"xy");
}

INSTANTIATE_TEST_SUITE_P(Speeds, GUITextStalledSpeedTest,
                         testing::Values("printing_speed=\"0\"", "printing_speed=\"-40\" max_printing_time=\"-1\"",
                                         "printing_speed=\"nan\"", "printing_speed=\"0\" max_printing_time=\"0.5\"",
                                         "printing_speed=\"-40\" max_printing_time=\"0.5\""));

TEST_F(GUITextControlTest, APrintedLabelEmptiedWhileShownCountsAsPrinted)
{
    GUITextControl& label = Build("font=\"text\" size=\"800 100\" printing_mode=\"1\" printing_speed=\"60\"");
    label.SetText(L"abc");
    window->Show(true);
    bed.RunFrames(*window, 10);
    ASSERT_TRUE(label.IsPrintingDone());
    label.SetText(L"");
    bed.RunFrames(*window, 2);
    EXPECT_TRUE(label.IsPrintingDone());
    EXPECT_EQ(label.GetWindow()->GetTextCount(), 0u);
}
}
