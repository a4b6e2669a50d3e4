// Every window drawn as a player sees it (pictures under window_previews/ of the test folder, to look at),
// and every text fitting the label that shows it, in each of the six languages, with room in the hall of fame for
// the longest name beside the largest score.
#include "tests/data/WindowPreview.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/image/Painter.h"
#include "tools/formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using DataTest::BuiltControl;
using DataTest::Descriptions;
using DataTest::WindowPreview;

namespace
{
const WindowPreview& Preview()
{
    static const WindowPreview preview(Descriptions(), KORVANE_FONT_FOLDER);
    return preview;
}

// The widest line of a text as its label lays it out (multiline labels wrap at spaces, so only a single
// word can be too wide there).
float WidestLine(const std::string& text, const std::string& face, unsigned size, bool multiline)
{
    float widest = 0;
    std::string piece;
    for (size_t at = 0; at <= text.size(); ++at)
    {
        const bool end = at == text.size() || text[at] == '\n' || (multiline && text[at] == ' ');
        if (!end)
        {
            if (text[at] != '\r')
                piece += text[at];
            continue;
        }
        widest = std::max(widest, KorvaneTools::Painter::TextWidth(face, size, piece));
        piece.clear();
    }
    return widest;
}
}

TEST(windows, EveryTextFitsItsLabelInEveryLanguage)
{
    for (const std::string& window : Descriptions().WindowNames())
    {
        std::vector<std::string> faults;
        for (const BuiltControl& control : Descriptions().Build(window, faults))
        {
            if (control.kind != "text_label")
                continue;
            const auto [face, size] = Preview().Face(control.AttributeOr("font", ""));
            const bool multiline = control.AttributeOr("multiline", "0") == "1";
            for (const std::string& language : KorvaneTools::GameLanguages())
            {
                const std::string text = Preview().LabelText(control, language);
                EXPECT_LE(WidestLine(text, face, size, multiline), control.box.width)
                    << control.fullName << " [" << language << "] \"" << text << "\"";
                EXPECT_GE(control.box.height, float(size)) << control.fullName;
            }
        }
    }
}

TEST(windows, EveryWindowIsDrawnForLookingAt)
{
    const std::filesystem::path folder = std::filesystem::path(KORVANE_TEST_OUTPUT) / "window_previews";
    std::filesystem::create_directories(folder);
    for (const std::string& window : Descriptions().WindowNames())
        for (const char* language : {"en"})
        {
            const std::string bytes = KorvaneTools::WriteBmp(Preview().Draw(window, language));
            std::ofstream((folder / (window + "_" + language + ".bmp")).string(), std::ios::binary)
                .write(bytes.data(), std::streamsize(bytes.size()));
            EXPECT_TRUE(std::filesystem::file_size(folder / (window + "_" + language + ".bmp")) > 800u * 600u * 3u);
        }
}

TEST(windows, TheHallOfFameHasRoomForALongNameBesideASixDigitScore)
{
    // Names of 24 letters in capitals (the longest a name box takes) and the widest six-digit score.
    const std::vector<std::string> names = {"BARTHOLOMEW FEATHERSTONE", "ВОЗНЕСЕНСКАЯ АЛЕКСАНДРОВ",
                                            "GUINEVERE PENDLEBURY-ORM"};
    const std::string score = "999999";
    constexpr float Gap = 12.0f;
    std::vector<std::string> faults;
    const std::vector<BuiltControl> controls = Descriptions().Build("window_high_scores", faults);
    int rows = 0;
    for (const BuiltControl& name : controls)
    {
        if (name.fullName.size() < 5 || name.fullName.substr(name.fullName.size() - 5) != "/name")
            continue;
        const std::string row = name.fullName.substr(0, name.fullName.size() - 5);
        const auto scoreLabel = std::find_if(controls.begin(), controls.end(),
                                             [&](const BuiltControl& c) { return c.fullName == row + "/score"; });
        ASSERT_NE(scoreLabel, controls.end()) << row;
        ASSERT_EQ(scoreLabel->AttributeOr("alignment_h", ""), "right") << row;
        const auto [face, size] = Preview().Face(name.AttributeOr("font", ""));
        const float scoreLeft = scoreLabel->box.Right() - KorvaneTools::Painter::TextWidth(face, size, score);
        for (const std::string& player : names)
        {
            const float width = KorvaneTools::Painter::TextWidth(face, size, player);
            EXPECT_LE(width, name.box.width) << row << " " << player;
            EXPECT_GE(scoreLeft - (name.box.left + width), Gap) << row << " " << player << " runs into the score";
        }
        ++rows;
    }
    EXPECT_EQ(rows, 10);
}

// The question before the program ends, from the main menu and from the bar over play, reads as one in every
// language: it ends with the question mark (Spanish opens with its inverted one as well) and fits its sign. Each
// language's picture of the main menu's question is kept to look at.
TEST(windows, TheExitQuestionIsTitledAsAQuestionInEveryLanguage)
{
    const std::filesystem::path folder = std::filesystem::path(KORVANE_TEST_OUTPUT) / "window_previews";
    std::filesystem::create_directories(folder);
    for (const std::string window : {"window_exit", "window_game_logic_game_exit"})
    {
        std::vector<std::string> faults;
        const std::vector<BuiltControl> controls = Descriptions().Build(window, faults);
        const auto title = std::find_if(controls.begin(), controls.end(),
                                        [&](const BuiltControl& c) { return c.fullName == window + "/title"; });
        ASSERT_NE(title, controls.end()) << window;
        const auto [face, size] = Preview().Face(title->AttributeOr("font", ""));
        for (const std::string& language : KorvaneTools::GameLanguages())
        {
            const std::string text = Preview().LabelText(*title, language);
            ASSERT_FALSE(text.empty()) << window << " [" << language << "]";
            EXPECT_EQ(text.back(), '?') << window << " [" << language << "] \"" << text << "\"";
            if (language == "sp")
            {
                EXPECT_EQ(text.rfind("\xC2\xBF", 0), 0u) << window << " [sp] \"" << text << "\"";
            }
            EXPECT_LE(KorvaneTools::Painter::TextWidth(face, size, text), title->box.width)
                << window << " [" << language << "] \"" << text << "\"";
            if (window != "window_exit")
                continue;
            const std::string name = window + "_" + language + ".bmp";
            const std::string bytes = KorvaneTools::WriteBmp(Preview().Draw(window, language));
            std::ofstream((folder / name).string(), std::ios::binary)
                .write(bytes.data(), std::streamsize(bytes.size()));
        }
    }
}
