// The keys a player types around the windows that take a name, in the whole game on the engine twins: a name typed
// right after the click that opens its window, within that click's slow frame or the frames after it; Alt+Enter in
// a name entry; a held Enter at a taken name; and a second Enter after a taken name, in one slow frame.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUINewProfileWindow.h"
#include "game/app/GUIProfileNameConflictWindow.h"
#include "game/app/GUIProfilesWindow.h"
#include "game/app/MenuControls.h"
#include "tests/game/app/WholeGameBed.h"

#include <gtest/gtest.h>

#include <string>

using namespace GameFramework;

namespace
{
class NameEntryKeysTest : public testing::Test, protected GameAppTest::WholeGameBed
{
protected:
    template <typename Window> Korvane::GUIMenuWindow& MenuOf(VelkorEngine::u32 index)
    {
        return dynamic_cast<Window&>(*game->GetWindow(index)).GetMenuWindow();
    }

    Korvane::GUIMenuWindow& Profiles() { return MenuOf<Korvane::GUIProfilesWindow>(WindowIndex::Profiles); }
    Korvane::GUIMenuWindow& NewPlayer() { return MenuOf<Korvane::GUINewProfileWindow>(WindowIndex::NewProfile); }
    Korvane::GUIMenuWindow& Notice()
    {
        return MenuOf<Korvane::GUIProfileNameConflictWindow>(WindowIndex::ProfileNameConflict);
    }

    ProfileManagerBase& Players() { return *game->GetProfileManager(); }

    std::wstring CurrentName()
    {
        const ProfileBase* current = Players().GetCurrentProfile();
        return current != nullptr ? current->name : L"(none)";
    }

    // The players' page, on screen with Ada the current player and the pointer resting on one of its buttons.
    VelkorEngine::GUIButton& ShowPlayersWithThePointerOn(const std::string& button)
    {
        Players().SetCurrentProfile(Players().FindOrCreateProfile(L"Ada"), 1);
        EXPECT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
        Frames(60);
        // The main menu's players button stands in by its result: its click is another test's.
        game->GetWindow(WindowIndex::MainMenu)->SetResultCode(ResultCode::Profiles);
        EXPECT_TRUE(RunUntil([&] { return Profiles().IsShown() && Profiles().IsShowFinished(); }));
        VelkorEngine::GUIButton& pointed = *Korvane::MenuControls::Button(Profiles(), button);
        MoveMouseOver(pointed);
        EXPECT_TRUE(RunUntil([&] { return pointed.GetState() == VelkorEngine::GUIButton::Hover; }));
        return pointed;
    }

    // The new player's window from a click on the players' page, settled, with nothing typed.
    void OpenTheNewPlayersWindow()
    {
        ShowPlayersWithThePointerOn("/window/create");
        Click();
        ASSERT_TRUE(RunUntil([&] { return NewPlayer().IsShown() && NewPlayer().IsShowFinished(); }));
    }

    void Click()
    {
        SetLeftButton(true);
        SetLeftButton(false);
    }

    VelkorEngine::GUIEditBox& NameBox() { return *Korvane::MenuControls::EditBox(NewPlayer(), "/window/name"); }
};

// Where the name comes: in the click's own slow frame, or that many frames after it.
struct TypedAfterClick
{
    const char* name;
    bool rename;
    int framesAfterClick;
    // Typed on the players' page just before the click, in the same slow frame.
    const wchar_t* typedBefore = L"";
};

// The case's name, which the test's name carries in place of the parameter's bytes.
void PrintTo(const TypedAfterClick& typed, std::ostream* os) { *os << typed.name; }

class NameAfterAClickTest : public NameEntryKeysTest, public testing::WithParamInterface<TypedAfterClick>
{
};
} // namespace

// Keys typed on the players' page before the click reach no box; those typed after it reach the box of the window
// the click opens, in order, however soon they come, and the Enter after them confirms the whole name.
TEST_P(NameAfterAClickTest, TheWholeNameReachesTheWindowTheClickOpens)
{
    const TypedAfterClick& typed = GetParam();
    ShowPlayersWithThePointerOn(typed.rename ? "/window/rename" : "/window/create");
    TypeText(typed.typedBefore);
    Click();
    Frames(typed.framesAfterClick);
    // The old name's caret is at its end.
    for (int i = 0; typed.rename && i < 3; ++i)
        TypeKey(VK_BACK);
    TypeText(L"Noa");
    TypeKey(VK_RETURN);
    EXPECT_TRUE(RunUntil([&] { return CurrentName() != L"Ada"; }, 600));
    Frames(60);
    EXPECT_EQ(CurrentName(), L"Noa");
    EXPECT_EQ(Players().GetProfileCount(), typed.rename ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Windows, NameAfterAClickTest,
                         testing::Values(TypedAfterClick{"NewPlayerInTheClicksFrame", false, 0},
                                         TypedAfterClick{"NewPlayerAfterKeysTypedOnThePage", false, 0, L"zz"},
                                         TypedAfterClick{"NewPlayerOneFrameLater", false, 1},
                                         TypedAfterClick{"NewPlayerTwoFramesLater", false, 2},
                                         TypedAfterClick{"RenameInTheClicksFrame", true, 0},
                                         TypedAfterClick{"RenameOneFrameLater", true, 1},
                                         TypedAfterClick{"RenameTwoFramesLater", true, 2}));

// Alt+Enter switches between full screen and a window and does nothing else in a name entry.
TEST_F(NameEntryKeysTest, AltEnterInANameEntryOnlySwitches)
{
    OpenTheNewPlayersWindow();
    TypeText(L"No");
    Frames(10);
    VelkorEngine::Config& config = *game->GetEngine()->GetConfig();
    std::string before;
    config.GetValueAsString(before, "v_fullscreen");
    constexpr LPARAM kAltHeld = LPARAM{1} << 29;
    SendMessage(game->GetEngine()->GetWindow()->GetHandle(), WM_SYSKEYDOWN, VK_RETURN, kAltHeld);
    Frames(120);
    std::string after;
    config.GetValueAsString(after, "v_fullscreen");
    EXPECT_NE(after, before);
    EXPECT_EQ(Players().GetProfileCount(), 1u);
    EXPECT_EQ(NameBox().GetText(), L"No");
    EXPECT_TRUE(NewPlayer().IsShown());
}

// Enter held at a taken name: the press leads to the notice, and none of its repeats, about 22 in 1.5 s, passes it.
TEST_F(NameEntryKeysTest, AHeldEnterConfirmsOnceAndStaysAtTheNotice)
{
    OpenTheNewPlayersWindow();
    TypeText(L"ada");
    Frames(10);
    TypeKey(VK_RETURN);
    for (int frame = 0; frame < 90; ++frame)
    {
        if (frame % 4 == 3)
            TypeKey(VK_RETURN, true);
        Frames(1);
        ASSERT_FALSE(frame > 60 && NewPlayer().IsShown()) << "a repeat passed the notice";
    }
    EXPECT_TRUE(Notice().IsShown());
    EXPECT_EQ(Players().GetProfileCount(), 1u);
}

// The taken name, two Enters and a corrected name in one slow frame: the first Enter confirms the taken name, the
// second, typed alone with no key-state press, is the notice's, and the keys after it reach the name entry it leads
// back to, where the name was kept.
TEST_F(NameEntryKeysTest, KeysAfterATakenNameReachTheNoticeAndTheNameEntryBehindIt)
{
    OpenTheNewPlayersWindow();
    TypeText(L"ada");
    TypeKey(VK_RETURN);
    TypeKey(VK_RETURN);
    TypeKey(VK_BACK);
    TypeText(L"m");
    TypeKey(VK_RETURN);
    EXPECT_TRUE(RunUntil([&] { return Players().GetProfileCount() == 2; }, 600));
    EXPECT_EQ(CurrentName(), L"adm");
}
