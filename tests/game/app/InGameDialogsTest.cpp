// The dialogs over a paused game, built from the shipped descriptions: each button's result, button_0's
// result standing when both are clicked, and which title mount each dialog shows and keeps.
#include "game/app/GUIGameLogicGameExitWindow.h"
#include "game/app/GUIGameLogicMenuExitWindow.h"
#include "game/app/GUIGameLogicPauseWindow.h"
#include "game/app/GUIGameLogicRestartWindow.h"

#include "framework/GameWindowIds.h"
#include "guitools/GUIControl.h"
#include "tests/game/app/PlayWindowBed.h"

#include <gtest/gtest.h>

using namespace GameFramework;
using namespace Korvane;
using VelkorEngine::Vector2;

namespace
{
// The dialogs' panel stands at (200, 170); its yes button at (28, 24), its no button at (208, 24), 164 x 44.
const Vector2 kYes(200.0f + 28.0f + 82.0f, 170.0f + 24.0f + 22.0f);
const Vector2 kNo(200.0f + 208.0f + 82.0f, 170.0f + 24.0f + 22.0f);
// The pause notice's single button at (80, 24), 240 x 44.
const Vector2 kResume(200.0f + 80.0f + 120.0f, 170.0f + 24.0f + 22.0f);

class InGameDialogsTest : public testing::Test
{
protected:
    template <typename Dialog> std::unique_ptr<Dialog> Make()
    {
        auto dialog = std::make_unique<Dialog>(&bed.Engine(), bed.sounds.get(), bed.data.get(), &bed.windows.Tools(),
                                               bed.menus.get(), nullptr);
        bed.Add(dialog.get());
        return dialog;
    }

    // Shown and given time to appear fully.
    template <typename Dialog> void Appear(Dialog& dialog)
    {
        dialog.Show(StateId::Play);
        bed.RunFrames(90);
        ASSERT_TRUE(dialog.GetMenuWindow().IsShown());
    }

    // The result of the frame in which a click on the point ends.
    template <typename Dialog> VelkorEngine::u32 ResultOfClick(Dialog& dialog, const Vector2& point)
    {
        bed.windows.gui.MoveMouseTo(point);
        bed.windows.gui.PressMouse();
        bed.RunFrames(1);
        bed.windows.gui.ReleaseMouse();
        bed.RunFrames(1);
        return dialog.GetResultCode();
    }

    static bool MountShown(GUIMenuWindow& window, const std::string& mount)
    {
        return window.GetControl(window.GetName() + "/" + mount)->IsShown();
    }

    AppTest::PlayWindowBed bed;
};

TEST_F(InGameDialogsTest, EachButtonGivesItsResult)
{
    auto pause = Make<GUIGameLogicPauseWindow>();
    Appear(*pause);
    EXPECT_EQ(ResultOfClick(*pause, kResume), ResultCode::BackToPlay);
    pause->Hide();
    bed.RunFrames(60);

    auto menuExit = Make<GUIGameLogicMenuExitWindow>();
    Appear(*menuExit);
    EXPECT_EQ(ResultOfClick(*menuExit, kYes), ResultCode::MainMenu);
    EXPECT_EQ(ResultOfClick(*menuExit, kNo), ResultCode::GameLogicMenu);
    menuExit->Hide();
    bed.RunFrames(60);

    auto restart = Make<GUIGameLogicRestartWindow>();
    Appear(*restart);
    EXPECT_EQ(ResultOfClick(*restart, kYes), ResultCode::LevelMap);
    EXPECT_EQ(ResultOfClick(*restart, kNo), ResultCode::GameLogicMenu);
    restart->Hide();
    bed.RunFrames(60);

    auto gameExit = Make<GUIGameLogicGameExitWindow>();
    Appear(*gameExit);
    EXPECT_EQ(ResultOfClick(*gameExit, kYes), ResultCode::Quit);
    EXPECT_EQ(ResultOfClick(*gameExit, kNo), ResultCode::BackToPlay);
}

TEST_F(InGameDialogsTest, NoButtonCountsBeforeTheDialogIsShownAndTheResultLastsOneFrame)
{
    auto restart = Make<GUIGameLogicRestartWindow>();
    EXPECT_EQ(ResultOfClick(*restart, kYes), 0u);
    Appear(*restart);
    ResultOfClick(*restart, kYes);
    bed.RunFrames(1);
    EXPECT_EQ(restart->GetResultCode(), 0u);
}

TEST_F(InGameDialogsTest, PauseAndQuitShowTheAnimatedMountTheQuestionsTheStaticOne)
{
    auto pause = Make<GUIGameLogicPauseWindow>();
    Appear(*pause);
    EXPECT_TRUE(MountShown(pause->GetMenuWindow(), "title_mount_animated"));
    EXPECT_FALSE(MountShown(pause->GetMenuWindow(), "title_mount_static"));
    pause->Hide();
    bed.RunFrames(60);

    auto restart = Make<GUIGameLogicRestartWindow>();
    Appear(*restart);
    EXPECT_FALSE(MountShown(restart->GetMenuWindow(), "title_mount_animated"));
    EXPECT_TRUE(MountShown(restart->GetMenuWindow(), "title_mount_static"));
}

// Going back to the in-game menu the static mount stays switched on, so the menu's title keeps its
// decoration; on any other way it is switched off with the dialog. The layout shown on its own shows only
// the controls that are switched on.
TEST_F(InGameDialogsTest, TheStaticMountStaysOnWhileTheQuestionGoesBackToTheMenu)
{
    // The bed updates every window it was given until the test ends, so each one lives as long.
    std::vector<std::unique_ptr<GUIGameLogicRestartWindow>> dialogs;
    for (const auto& [point, kept] : {std::pair{kNo, true}, std::pair{kYes, false}})
    {
        dialogs.push_back(Make<GUIGameLogicRestartWindow>());
        GUIGameLogicRestartWindow* restart = dialogs.back().get();
        Appear(*restart);
        ResultOfClick(*restart, point);
        restart->Hide();
        bed.RunFrames(60);
        GUITools::GUIWindowBase& layout = restart->GetMenuWindow();
        layout.GUIWindowBase::Show(true);
        bed.RunFrames(1);
        EXPECT_EQ(MountShown(restart->GetMenuWindow(), "title_mount_static"), kept);
        layout.GUIWindowBase::Show(false);
        bed.RunFrames(60);
    }
}
}
