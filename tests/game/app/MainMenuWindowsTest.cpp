// The main menu, the exit question and the credits on the data set's descriptions: the player's name in
// the greeting, each button's result, the way back from the exit question by where it was asked, and a
// game without a current player.
#include "engine/gui/GUIButton.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/GUIExitWindow.h"
#include "game/app/GUIHelpWindow.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using namespace GameFramework;
using Korvane::GUIMainMenuWindow;

namespace
{
class MainMenuWindowsTest : public testing::Test
{
protected:
    std::unique_ptr<GUIMainMenuWindow> MakeMainMenu()
    {
        return std::make_unique<GUIMainMenuWindow>(bed.GetEngine(), &bed.Profiles(), bed.sound.get(), bed.data.get(),
                                                   &bed.descriptions.Tools(), bed.menus.get(), nullptr);
    }

    template <typename Window> std::unique_ptr<Window> MakeDialog()
    {
        return std::make_unique<Window>(bed.GetEngine(), bed.sound.get(), bed.data.get(), &bed.descriptions.Tools(),
                                        bed.menus.get(), nullptr);
    }

    std::wstring Greeting(GUIMainMenuWindow& window)
    {
        const auto* title = Korvane::MenuControls::Text(window.GetMenuWindow(), "/title");
        return title->GetLines().empty() ? std::wstring() : title->GetLines()[0];
    }

    AppTest::MenuWindowBed bed;
};

struct EntryCase
{
    GUIMainMenuWindow::Entry entry;
    u32 result;
};

class MainMenuEntryTest : public MainMenuWindowsTest, public testing::WithParamInterface<EntryCase>
{
};

struct ExitCase
{
    u32 openedFrom;
    u32 result;
};

class ExitBackTest : public MainMenuWindowsTest, public testing::WithParamInterface<ExitCase>
{
};
} // namespace

TEST_F(MainMenuWindowsTest, TheGreetingNamesTheCurrentPlayerAtEveryShow)
{
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Ann"), 1);
    auto window = MakeMainMenu();
    window->Show(StateId::Welcome);
    bed.Settle(*window);
    EXPECT_EQ(Greeting(*window), L"Hail, Ann!");

    window->Hide();
    bed.Settle(*window);
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Bob"), 1);
    window->Show(StateId::Profiles);
    bed.Settle(*window);
    EXPECT_EQ(Greeting(*window), L"Hail, Bob!");
}

TEST_F(MainMenuWindowsTest, WithoutACurrentPlayerTheGreetingIsEmptyHanded)
{
    auto window = MakeMainMenu();
    window->Show(StateId::GameLoading);
    bed.Settle(*window);
    EXPECT_EQ(Greeting(*window), L"Hail, !");
}

TEST_F(MainMenuWindowsTest, TheButtonsWaitForTheMenusBody)
{
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Ann"), 1);
    auto window = MakeMainMenu();
    window->Show(StateId::Welcome);
    EXPECT_FALSE(window->GetButton(GUIMainMenuWindow::Start)->IsEnabled());
    bed.Settle(*window);
    for (u32 entry = 0; entry < GUIMainMenuWindow::EntryCount; ++entry)
        EXPECT_TRUE(window->GetButton(static_cast<GUIMainMenuWindow::Entry>(entry))->IsEnabled()) << entry;
    // The hover look switches the button's title font.
    const GUIWindow* options = window->GetButton(GUIMainMenuWindow::Options);
    const Vector2 at = options->GetAbsolutePosition();
    bed.descriptions.gui.MoveMouseTo(Vector2{at.x + options->GetSize().x / 2, at.y + options->GetSize().y / 2});
    bed.RunFrames(*window, 2);
    EXPECT_EQ(window->GetButtonTitle(GUIMainMenuWindow::Options)->GetFontName(), "main_menu_1");
    EXPECT_EQ(window->GetButtonTitle(GUIMainMenuWindow::Start)->GetFontName(), "main_menu_0");
}

// Whoever drives the program from outside clicks once the log says the menu takes input: from that frame on
// every button is on screen, fully faded in, enabled, and takes a click; before it, the entrance was running.
TEST_F(MainMenuWindowsTest, TheLogSaysTheMenuTakesInputOnceItsButtonsAreUsable)
{
    const std::string line = "Window window_main_menu takes input";
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Ann"), 1);
    auto window = MakeMainMenu();
    window->Show(StateId::Welcome);
    int frames = 0;
    while (bed.descriptions.gui.engine.LogText().find(line) == std::string::npos && frames < 300)
    {
        bed.RunFrame(*window);
        ++frames;
    }
    ASSERT_LT(frames, 300) << "the main menu never said it takes input";
    EXPECT_GT(frames, 10) << "the line came while the buttons were still fading in";
    for (u32 entry = 0; entry < GUIMainMenuWindow::EntryCount; ++entry)
    {
        const auto* button = window->GetButton(static_cast<GUIMainMenuWindow::Entry>(entry));
        EXPECT_TRUE(button->IsVisible()) << entry;
        EXPECT_TRUE(button->IsEnabled()) << entry;
        EXPECT_FLOAT_EQ(button->GetColor().a, 1.0f) << entry;
    }
    EXPECT_EQ(bed.Click(*window, window->GetButton(GUIMainMenuWindow::Options)), ResultCode::Options);
    bed.RunFrames(*window, 60);
    const std::string log = bed.descriptions.gui.engine.LogText();
    EXPECT_EQ(log.find(line), log.rfind(line)) << "one line for one entrance";
}

TEST_P(MainMenuEntryTest, EachButtonHandsBackItsResult)
{
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Ann"), 1);
    auto window = MakeMainMenu();
    window->Show(StateId::Welcome);
    bed.Settle(*window);
    EXPECT_EQ(bed.Click(*window, window->GetButton(GetParam().entry)), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Entries, MainMenuEntryTest,
                         testing::Values(EntryCase{GUIMainMenuWindow::Start, ResultCode::Start},
                                         EntryCase{GUIMainMenuWindow::HighScores, ResultCode::HighScores},
                                         EntryCase{GUIMainMenuWindow::Options, ResultCode::Options},
                                         EntryCase{GUIMainMenuWindow::ChangePlayer, ResultCode::Profiles},
                                         EntryCase{GUIMainMenuWindow::Credits, ResultCode::Help},
                                         EntryCase{GUIMainMenuWindow::Exit, ResultCode::ExitQuestion}));

TEST_P(ExitBackTest, NoLeadsBackToWhereTheQuestionWasAsked)
{
    auto window = MakeDialog<Korvane::GUIExitWindow>();
    window->Show(GetParam().openedFrom);
    bed.Settle(*window);
    EXPECT_EQ(bed.Click(*window, Korvane::MenuControls::Button(window->GetMenuWindow(), "/window/button_0")),
              GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(OpenedFrom, ExitBackTest,
                         testing::Values(ExitCase{StateId::Welcome, ResultCode::Welcome},
                                         ExitCase{StateId::MainMenu, ResultCode::MainMenu},
                                         ExitCase{StateId::NewProfile, ResultCode::NewProfile},
                                         ExitCase{StateId::Exit, ResultCode::None}));

TEST_F(MainMenuWindowsTest, YesQuitsAndTheCreditsLeadBack)
{
    auto exit = MakeDialog<Korvane::GUIExitWindow>();
    exit->Show(StateId::MainMenu);
    bed.Settle(*exit);
    EXPECT_EQ(bed.Click(*exit, Korvane::MenuControls::Button(exit->GetMenuWindow(), "/window/button_1")),
              ResultCode::Quit);
    exit->Hide();
    auto help = MakeDialog<Korvane::GUIHelpWindow>();
    help->Show(StateId::MainMenu);
    bed.Settle(*help);
    EXPECT_EQ(bed.Click(*help, Korvane::MenuControls::Button(help->GetMenuWindow(), "/window/button_0")),
              ResultCode::MainMenu);
}
