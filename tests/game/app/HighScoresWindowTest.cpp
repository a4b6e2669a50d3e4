// The high-scores window on the data set's description: the rows that the table fills, the places,
// names and scores, the new result drawn in the marking font, and the back button's label and result.
#include "engine/gui/GUIButton.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "game/app/GUIHighScoresWindow.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using namespace GameFramework;
using Korvane::GUIHighScoresWindow;

namespace
{
class HighScoresWindowTest : public testing::Test
{
protected:
    std::unique_ptr<GUIHighScoresWindow> Make()
    {
        return std::make_unique<GUIHighScoresWindow>(bed.GetEngine(), &bed.Profiles(), bed.sound.get(),
                                                     &bed.HighScores(), bed.data.get(), &bed.descriptions.Tools(),
                                                     bed.menus.get(), nullptr);
    }

    bool RowVisible(GUIHighScoresWindow& window, u32 row)
    {
        return window.GetRowText(row, "name")->GetWidget()->IsVisible();
    }

    std::wstring Line(GUITools::GUITextControl* text)
    {
        return text->GetLines().empty() ? std::wstring() : text->GetLines()[0];
    }

    AppTest::MenuWindowBed bed;
};
} // namespace

TEST_F(HighScoresWindowTest, AnEmptyTableShowsOnlyTheNoRecordsNote)
{
    auto window = Make();
    window->Show(StateId::MainMenu, nullptr);
    bed.Settle(*window);
    auto* note = window->GetMenuWindow().GetControl(window->GetMenuWindow().GetName() + "/window/no_records");
    EXPECT_TRUE(note->GetWidget()->IsVisible());
    for (u32 row = 0; row < GUIHighScoresWindow::RowCount; ++row)
        EXPECT_FALSE(RowVisible(*window, row)) << row;
    auto* back = Korvane::MenuControls::Text(window->GetMenuWindow(), "/window/button_0/title");
    EXPECT_EQ(back->GetKey(), "common/back");
    EXPECT_EQ(bed.Click(*window, Korvane::MenuControls::Button(window->GetMenuWindow(), "/window/button_0")),
              ResultCode::MainMenu);
}

TEST_F(HighScoresWindowTest, TheRowsListTheTableAndMarkTheNewResult)
{
    bed.HighScores().Add(L"Ann", 0, 300);
    HighScoreEntry* added = bed.HighScores().Add(L"Bob", 0, 500);
    bed.HighScores().Add(L"Cid", 0, 100);
    bed.HighScores().Add(L"Dee", 1, 900);
    auto window = Make();
    window->Show(StateId::GameOver, added);
    bed.Settle(*window);
    for (u32 row = 0; row < GUIHighScoresWindow::RowCount; ++row)
        EXPECT_EQ(RowVisible(*window, row), row < 3) << row;
    EXPECT_EQ(Line(window->GetRowText(0, "place")), L"1.");
    EXPECT_EQ(Line(window->GetRowText(0, "name")), L"Bob");
    EXPECT_EQ(Line(window->GetRowText(0, "score")), L"500");
    EXPECT_EQ(Line(window->GetRowText(2, "place")), L"3.");
    EXPECT_EQ(Line(window->GetRowText(2, "name")), L"Cid");
    for (const char* column : {"place", "name", "score"})
    {
        EXPECT_EQ(window->GetRowText(0, column)->GetFontName(), "common_1") << column;
        EXPECT_EQ(window->GetRowText(1, column)->GetFontName(), "common_0") << column;
    }
    auto* note = window->GetMenuWindow().GetControl(window->GetMenuWindow().GetName() + "/window/no_records");
    EXPECT_FALSE(note->GetWidget()->IsVisible());
    EXPECT_EQ(Korvane::MenuControls::Text(window->GetMenuWindow(), "/window/button_0/title")->GetKey(),
              "common/continue");

    // From the main menu nothing is marked.
    window->Hide();
    bed.Settle(*window);
    window->Show(StateId::MainMenu, nullptr);
    bed.Settle(*window);
    EXPECT_EQ(window->GetRowText(0, "name")->GetFontName(), "common_0");
}

TEST_F(HighScoresWindowTest, AFullTableFillsTheTenRows)
{
    for (u32 i = 0; i < 12; ++i)
        bed.HighScores().Add(L"P" + std::to_wstring(i), 0, 100 * (i + 1));
    auto window = Make();
    window->Show(StateId::MainMenu, nullptr);
    bed.Settle(*window);
    for (u32 row = 0; row < GUIHighScoresWindow::RowCount; ++row)
        EXPECT_TRUE(RowVisible(*window, row)) << row;
    EXPECT_EQ(Line(window->GetRowText(9, "place")), L"10.");
    EXPECT_EQ(Line(window->GetRowText(0, "score")), L"1200");
}
