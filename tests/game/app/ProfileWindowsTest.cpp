// The welcome and profile windows on the data set's descriptions: names typed with blanks or past the length limit
// or with Enter in one slow frame, the list with the current player first and the scroll past nine rows, creating,
// renaming and deleting players with the way through the name-conflict notice, and a game without a current player.
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/GUIDeleteProfileWindow.h"
#include "game/app/GUINameEntry.h"
#include "game/app/GUINewProfileWindow.h"
#include "game/app/GUIProfileNameConflictWindow.h"
#include "game/app/GUIProfilesWindow.h"
#include "game/app/GUIRenameProfileWindow.h"
#include "game/app/GUIWelcomeWindow.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace VelkorEngine;
using namespace GameFramework;

namespace
{
using Button = VelkorEngine::GUIButton;

class ProfileWindowsTest : public testing::Test
{
protected:
    template <typename Window> std::unique_ptr<Window> MakeWithProfiles()
    {
        return std::make_unique<Window>(bed.GetEngine(), &bed.Profiles(), bed.sound.get(), bed.data.get(),
                                        &bed.descriptions.Tools(), bed.menus.get(), nullptr);
    }

    std::unique_ptr<Korvane::GUIProfilesWindow> MakeProfilesWindow()
    {
        return std::make_unique<Korvane::GUIProfilesWindow>(bed.GetEngine(), bed.sound.get(), &bed.Profiles(),
                                                            bed.data.get(), &bed.descriptions.Tools(), bed.menus.get(),
                                                            nullptr);
    }

    void AddProfiles(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names)
            bed.Profiles().FindOrCreateProfile(name);
    }

    // Twelve players, Player00 to Player11, three more than the list shows at once.
    std::unique_ptr<Korvane::GUIProfilesWindow> ShowTwelvePlayersWithPlayer05Current()
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < 12; ++i)
            names.push_back(L"Player" + UIntToWString(static_cast<u32>(i), 2));
        AddProfiles(names);
        bed.Profiles().SetCurrentProfile(bed.Profiles().FindProfile(L"Player05"), 1);
        auto window = MakeProfilesWindow();
        window->Show(StateId::MainMenu);
        bed.Settle(*window);
        return window;
    }

    std::wstring CurrentName()
    {
        const ProfileBase* current = bed.Profiles().GetCurrentProfile();
        return current != nullptr ? current->name : L"(none)";
    }

    Button* ButtonOf(Korvane::GUIMenuWindow& menu, const std::string& suffix)
    {
        return Korvane::MenuControls::Button(menu, suffix);
    }

    AppTest::MenuWindowBed bed;
};

struct NameCase
{
    const wchar_t* typed;
    const wchar_t* stored;
};

class PlayerNameTest : public ProfileWindowsTest, public testing::WithParamInterface<NameCase>
{
};
} // namespace

TEST_P(PlayerNameTest, TheWelcomeWindowStoresTheNameTrimmedAndCapped)
{
    auto window = MakeWithProfiles<Korvane::GUIWelcomeWindow>();
    window->Show(StateId::GameLoading);
    bed.Settle(*window);
    // As a paste would put it, past the edit box's own limit.
    Korvane::MenuControls::EditBox(window->GetMenuWindow(), "/window/name")->SetText(GetParam().typed);
    const u32 result = bed.PressEnter(*window);
    const std::wstring stored = GetParam().stored;
    if (stored.empty())
    {
        EXPECT_EQ(result, ResultCode::None);
        EXPECT_EQ(bed.Profiles().GetProfileCount(), 0u);
        EXPECT_FALSE(ButtonOf(window->GetMenuWindow(), "/window/button_1")->IsEnabled());
        return;
    }
    EXPECT_EQ(result, ResultCode::MainMenu);
    ASSERT_EQ(bed.Profiles().GetProfileCount(), 1u);
    EXPECT_EQ(CurrentName(), stored);
}

INSTANTIATE_TEST_SUITE_P(Names, PlayerNameTest,
                         testing::Values(NameCase{L"  Bob  ", L"Bob"}, NameCase{L"\tAnna Maria ", L"Anna Maria"},
                                         NameCase{L"   ", L""}, NameCase{L"", L""},
                                         NameCase{L"  abcdefghijklmnopqrstuvwxyzABCDEFGHIJ",
                                                  L"abcdefghijklmnopqrstuvwx"},
                                         NameCase{L"abcdefghijklmnopqrstuvw yz", L"abcdefghijklmnopqrstuvw"}));

TEST_F(ProfileWindowsTest, ANameTypedKeyByKeyIsCreatedByTheConfirmingButton)
{
    auto window = MakeWithProfiles<Korvane::GUIWelcomeWindow>();
    window->Show(StateId::GameLoading);
    bed.Settle(*window);
    Button* create = ButtonOf(window->GetMenuWindow(), "/window/button_1");
    EXPECT_FALSE(create->IsEnabled());
    bed.Type(*window, L" Kit ");
    bed.RunFrame(*window);
    EXPECT_TRUE(create->IsEnabled());
    EXPECT_EQ(bed.Click(*window, create), ResultCode::MainMenu);
    EXPECT_EQ(CurrentName(), L"Kit");
    // The profile list on disk names the new player as the current one.
    EXPECT_TRUE(std::filesystem::exists(bed.UserFolder() + "/profiles.pmf"));
}

// A frame the program was slow to reach holds the name's last letters and Enter, or the whole name and Enter:
// that one press makes the player under every letter typed before it, in the welcome window as in the new
// player's.
struct SlowFrameCase
{
    bool newPlayerWindow;
    const wchar_t* typedEarlier;
    const wchar_t* typedInTheSlowFrame;
};

// The case's name, which the test's name carries in place of the parameter's bytes.
void PrintTo(const SlowFrameCase& slow, std::ostream* os)
{
    *os << (slow.newPlayerWindow ? "NewPlayer" : "Welcome")
        << (std::wstring(slow.typedEarlier).empty() ? "WholeName" : "LastLetters");
}

class NameInASlowFrameTest : public ProfileWindowsTest, public testing::WithParamInterface<SlowFrameCase>
{
};

TEST_P(NameInASlowFrameTest, EnterKeepsEveryLetterTypedBeforeIt)
{
    const SlowFrameCase& slow = GetParam();
    std::unique_ptr<GameFramework::GUIFrameworkWindow> window;
    if (slow.newPlayerWindow)
        window = MakeWithProfiles<Korvane::GUINewProfileWindow>();
    else
        window = MakeWithProfiles<Korvane::GUIWelcomeWindow>();
    window->Show(slow.newPlayerWindow ? StateId::Profiles : StateId::GameLoading);
    bed.Settle(*window);
    bed.Type(*window, slow.typedEarlier);
    const u32 expected = slow.newPlayerWindow ? ResultCode::Profiles : ResultCode::MainMenu;
    EXPECT_EQ(bed.TypeWithEnterInOneFrame(*window, slow.typedInTheSlowFrame), expected);
    EXPECT_EQ(CurrentName(), L"Noa");
}

INSTANTIATE_TEST_SUITE_P(Windows, NameInASlowFrameTest,
                         testing::Values(SlowFrameCase{false, L"N", L"oa"}, SlowFrameCase{false, L"", L"Noa"},
                                         SlowFrameCase{true, L"N", L"oa"}, SlowFrameCase{true, L"", L"Noa"}));

// The Enter that confirmed a taken name is not the notice's, even when the name came with it in one slow frame;
// the next one is.
TEST_F(ProfileWindowsTest, TheConflictNoticeWaitsForAnEnterOfItsOwn)
{
    AddProfiles({L"Ann"});
    auto window = MakeWithProfiles<Korvane::GUINewProfileWindow>();
    window->Show(StateId::Profiles);
    bed.Settle(*window);
    EXPECT_EQ(bed.TypeWithEnterInOneFrame(*window, L"ann"), ResultCode::NameTaken);
    auto conflict = std::make_unique<Korvane::GUIProfileNameConflictWindow>(
        bed.GetEngine(), bed.sound.get(), bed.data.get(), &bed.descriptions.Tools(), bed.menus.get(), nullptr);
    window->Hide();
    conflict->Show(StateId::NewProfile);
    bed.Settle(*conflict);
    EXPECT_EQ(conflict->GetResultCode(), ResultCode::None);
    EXPECT_EQ(bed.PressEnter(*conflict), ResultCode::NewProfile);
}

TEST_F(ProfileWindowsTest, TheNameBoxTakesNoMoreThanANameMayHold)
{
    auto window = MakeWithProfiles<Korvane::GUIWelcomeWindow>();
    window->Show(StateId::GameLoading);
    bed.Settle(*window);
    bed.Type(*window, std::wstring(30, L'm'));
    EXPECT_EQ(Korvane::MenuControls::EditBox(window->GetMenuWindow(), "/window/name")->GetText(),
              std::wstring(Korvane::GUINameEntry::MaxNameLength, L'm'));
}

TEST_F(ProfileWindowsTest, TheWelcomeWindowsOtherButtonAsksToLeave)
{
    auto window = MakeWithProfiles<Korvane::GUIWelcomeWindow>();
    window->Show(StateId::GameLoading);
    bed.Settle(*window);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")), ResultCode::ExitQuestion);
    EXPECT_EQ(bed.Profiles().GetProfileCount(), 0u);
}

TEST_F(ProfileWindowsTest, TheNewProfileWindowLeavesTheGameWhileThereIsNoProfile)
{
    auto window = MakeWithProfiles<Korvane::GUINewProfileWindow>();
    auto* title = Korvane::MenuControls::Text(window->GetMenuWindow(), "/window/button_0/title");
    window->Show(StateId::DeleteProfile, 1);
    bed.Settle(*window);
    EXPECT_EQ(title->GetKey(), "common/exit");
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")), ResultCode::ExitQuestion);

    AddProfiles({L"Ann"});
    window->Hide();
    window->Show(StateId::Profiles, 1);
    bed.Settle(*window);
    EXPECT_EQ(title->GetKey(), "common/cancel");
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")), ResultCode::Profiles);
}

TEST_F(ProfileWindowsTest, ATakenNameLeadsToTheConflictNoticeAndBackWithTheNameKept)
{
    AddProfiles({L"Ann"});
    auto window = MakeWithProfiles<Korvane::GUINewProfileWindow>();
    window->Show(StateId::Profiles, 1);
    bed.Settle(*window);
    bed.Type(*window, L"aNN ");
    EXPECT_EQ(bed.PressEnter(*window), ResultCode::NameTaken);
    EXPECT_EQ(bed.Profiles().GetProfileCount(), 1u);

    auto conflict = std::make_unique<Korvane::GUIProfileNameConflictWindow>(
        bed.GetEngine(), bed.sound.get(), bed.data.get(), &bed.descriptions.Tools(), bed.menus.get(), nullptr);
    window->Hide();
    conflict->Show(StateId::NewProfile);
    bed.Settle(*conflict);
    EXPECT_EQ(bed.PressEnter(*conflict), ResultCode::NewProfile);
    conflict->Hide();
    window->Show(StateId::ProfileNameConflict, 0);
    bed.Settle(*window);
    EXPECT_EQ(Korvane::MenuControls::EditBox(window->GetMenuWindow(), "/window/name")->GetText(), L"aNN ");

    window->Hide();
    conflict->Show(StateId::RenameProfile);
    bed.Settle(*conflict);
    EXPECT_EQ(bed.Click(*conflict, ButtonOf(conflict->GetMenuWindow(), "/window/button_0")), ResultCode::RenameProfile);
}

TEST_F(ProfileWindowsTest, RenamingToAnotherPlayersNameIsRefusedAndToTheSameNameInOtherCaseAccepted)
{
    AddProfiles({L"Ann", L"Bob"});
    auto window = MakeWithProfiles<Korvane::GUIRenameProfileWindow>();
    auto* box = Korvane::MenuControls::EditBox(window->GetMenuWindow(), "/window/name");
    window->Show(StateId::Profiles, 1, L"Ann");
    bed.Settle(*window);
    EXPECT_EQ(box->GetText(), L"Ann");
    box->SetText(L" bob");
    EXPECT_EQ(bed.PressEnter(*window), ResultCode::NameTaken);
    EXPECT_NE(bed.Profiles().FindProfile(L"Ann"), nullptr);

    // Back from the notice without a name: the old name stays the one to change.
    window->Hide();
    window->Show(StateId::ProfileNameConflict, 0, L"");
    bed.Settle(*window);
    box->SetText(L"  Annabel  ");
    EXPECT_EQ(bed.PressEnter(*window), ResultCode::Profiles);
    EXPECT_EQ(bed.Profiles().FindProfile(L"Ann"), nullptr);
    ASSERT_NE(bed.Profiles().FindProfile(L"Annabel"), nullptr);
    EXPECT_EQ(bed.Profiles().FindProfile(L"Annabel")->name, L"Annabel");
}

TEST_F(ProfileWindowsTest, TheListShowsTheCurrentPlayerFirstAndScrollsPastNine)
{
    auto window = ShowTwelvePlayersWithPlayer05Current();

    ASSERT_EQ(window->GetNames().size(), 12u);
    EXPECT_EQ(window->GetNames()[0], L"Player05");
    EXPECT_EQ(window->GetNames()[1], L"Player00");
    EXPECT_EQ(window->GetScroll()->GetCount(), 4u);
    EXPECT_TRUE(window->GetScroll()->IsEnabled());
    EXPECT_EQ(window->GetRowTitle(0)->GetText(), L"Player05");
    EXPECT_EQ(window->GetRowTitle(0)->GetFontName(), "common_1");
    EXPECT_FALSE(window->GetRowButton(0)->IsEnabled());
    EXPECT_EQ(window->GetRowTitle(8)->GetText(), L"Player08");

    window->GetScroll()->SetPosition(3);
    bed.RunFrame(*window);
    EXPECT_EQ(window->GetRowTitle(0)->GetText(), L"Player02");
    EXPECT_EQ(window->GetRowTitle(8)->GetText(), L"Player11");
    EXPECT_TRUE(window->GetRowButton(0)->IsEnabled());

    // A click makes that player current, drawn as selected in the same frame.
    bed.Click(*window, window->GetRowButton(8));
    EXPECT_EQ(CurrentName(), L"Player11");
    EXPECT_EQ(window->GetRowTitle(8)->GetFontName(), "common_1");
    EXPECT_FALSE(window->GetRowButton(8)->IsEnabled());
    EXPECT_NE(window->GetRowTitle(0)->GetFontName(), "common_1");
}

// The list's first names are at the top of its thumb's track, as with every list: the thumb dragged down to the
// track's foot shows the last names, and back up the first.
TEST_F(ProfileWindowsTest, TheListsThumbDraggedDownShowsTheLastNamesAndUpTheFirst)
{
    auto window = ShowTwelvePlayersWithPlayer05Current();
    const GUIScroll* scroll = window->GetScroll();
    ASSERT_TRUE(scroll->IsEnabled());
    const Vector2 track = scroll->GetAbsolutePosition();
    const Vector2 size = scroll->GetSize();
    const Vector2 top{track.x + size.x / 2.0f, track.y + size.y - 12.0f};
    const Vector2 foot{track.x + size.x / 2.0f, track.y + 12.0f};

    const auto drag = [&](const Vector2& from, const Vector2& to) {
        bed.descriptions.gui.MoveMouseTo(from);
        bed.RunFrame(*window);
        bed.descriptions.gui.PressMouse();
        bed.RunFrame(*window);
        bed.descriptions.gui.MoveMouseTo(to);
        bed.RunFrame(*window);
        bed.descriptions.gui.ReleaseMouse();
        bed.RunFrame(*window);
    };
    drag(top, foot);
    EXPECT_EQ(scroll->GetPosition(), 3u);
    EXPECT_EQ(window->GetRowTitle(8)->GetText(), L"Player11");
    drag(foot, top);
    EXPECT_EQ(scroll->GetPosition(), 0u);
    EXPECT_EQ(window->GetRowTitle(0)->GetText(), L"Player05");
}

TEST_F(ProfileWindowsTest, NineOrFewerPlayersNeedNoScrollAndHideTheEmptyRows)
{
    AddProfiles({L"Ann", L"Bob", L"Cid"});
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindProfile(L"Bob"), 1);
    auto window = MakeProfilesWindow();
    window->Show(StateId::MainMenu);
    bed.Settle(*window);
    EXPECT_FALSE(window->GetScroll()->IsEnabled());
    EXPECT_EQ(window->GetScroll()->GetCount(), 2u);
    EXPECT_TRUE(window->GetRowButton(2)->IsVisible());
    EXPECT_FALSE(window->GetRowButton(3)->IsVisible());
    EXPECT_EQ(window->GetRowTitle(0)->GetText(), L"Bob");
}

TEST_F(ProfileWindowsTest, RenameAndDeleteActOnTheCurrentPlayer)
{
    AddProfiles({L"Ann", L"Bob"});
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindProfile(L"Bob"), 1);
    auto window = MakeProfilesWindow();
    window->Show(StateId::MainMenu);
    bed.Settle(*window);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/rename")), ResultCode::RenameProfile);
    EXPECT_EQ(window->GetSelectedName(), L"Bob");
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/delete")), ResultCode::DeleteProfile);
    EXPECT_EQ(window->GetSelectedName(), L"Bob");
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/create")), ResultCode::NewProfile);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/done")), ResultCode::MainMenu);
}

TEST_F(ProfileWindowsTest, DeletingTheCurrentPlayerLeavesAnotherCurrentAndTheLastLeadsToANewOne)
{
    AddProfiles({L"Ann", L"Bob"});
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindProfile(L"Bob"), 1);
    const std::string bobFile = bed.Profiles().FindProfile(L"Bob")->GetFilePath();
    auto window = MakeWithProfiles<Korvane::GUIDeleteProfileWindow>();
    window->Show(StateId::Profiles, L"Bob");
    bed.Settle(*window);
    const auto* question = Korvane::MenuControls::Text(window->GetMenuWindow(), "/window/text");
    ASSERT_FALSE(question->GetLines().empty());
    EXPECT_NE(question->GetLines()[0].find(L"\"Bob\""), std::wstring::npos);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_1")), ResultCode::Profiles);
    EXPECT_EQ(bed.Profiles().FindProfile(L"Bob"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(bobFile));
    EXPECT_EQ(CurrentName(), L"Ann");

    window->Hide();
    window->Show(StateId::Profiles, L"Ann");
    bed.Settle(*window);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")), ResultCode::Profiles);
    EXPECT_EQ(bed.Profiles().GetProfileCount(), 1u);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_1")), ResultCode::NewProfile);
    EXPECT_EQ(bed.Profiles().GetProfileCount(), 0u);
    EXPECT_EQ(bed.Profiles().GetCurrentProfile(), nullptr);
}

TEST_F(ProfileWindowsTest, WithoutACurrentPlayerEveryPlayerIsListedAndNothingActsOnNobody)
{
    AddProfiles({L"Ann", L"Bob"});
    bed.Profiles().SetCurrentProfile(nullptr, 1);
    auto window = MakeProfilesWindow();
    window->Show(StateId::MainMenu);
    bed.Settle(*window);
    ASSERT_EQ(window->GetNames().size(), 2u);
    EXPECT_EQ(window->GetRowTitle(0)->GetText(), L"Ann");
    EXPECT_EQ(window->GetRowTitle(1)->GetText(), L"Bob");
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/rename")), ResultCode::None);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/delete")), ResultCode::None);
    bed.Click(*window, window->GetRowButton(1));
    EXPECT_EQ(CurrentName(), L"Bob");
}

TEST(GUINameEntryTest, CleanNamesAreTrimmedAndCutWithoutATrailingBlank)
{
    EXPECT_EQ(Korvane::GUINameEntry::CleanName(L"  a  "), L"a");
    EXPECT_EQ(Korvane::GUINameEntry::CleanName(std::wstring(300, L'x')).size(), Korvane::GUINameEntry::MaxNameLength);
    EXPECT_EQ(Korvane::GUINameEntry::CleanName(std::wstring(23, L'x') + L" y"), std::wstring(23, L'x'));
}
