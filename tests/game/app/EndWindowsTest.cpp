// The windows between levels on the shipped descriptions: the saved game's place, the level's times and the
// time bonus counted into the saved profile, where each window leads, and a game completed a second time
// handled once.
#include "game/app/GUIContinueGameLogicWindow.h"
#include "game/app/GUIGameCompleteWindow.h"
#include "game/app/GUIGameOverWindow.h"
#include "game/app/GUILevelCompleteWindow.h"
#include "game/app/GUIStageCompleteWindow.h"

#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/SoundTable.h"
#include "game/play/LevelManager.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/PlayWindowBed.h"

#include <gtest/gtest.h>

using namespace GameFramework;
using namespace Korvane;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
// The level-complete window's button at (130, 28) in its panel at (150, 70), 240 x 44.
const Vector2 kNext(150.0f + 130.0f + 120.0f, 70.0f + 28.0f + 22.0f);

class EndWindowsTest : public testing::Test
{
protected:
    EndWindowsTest()
    {
        bed.WriteLevels({3, 2}, 90);
        levels = std::make_unique<LevelManager>(&bed.Engine());
    }

    std::unique_ptr<GUILevelCompleteWindow> MakeLevelComplete()
    {
        auto window = std::make_unique<GUILevelCompleteWindow>(&bed.Engine(), bed.sounds.get(), levels.get(),
                                                               bed.profiles.get(), bed.data.get(), &bed.windows.Tools(),
                                                               bed.menus.get(), nullptr);
        bed.Add(window.get());
        return window;
    }

    std::wstring Text(GUIMenuWindow& window, const std::string& suffix)
    {
        return window.GetTextControl(window.GetName() + suffix)->GetText();
    }

    bool Shown(GUIMenuWindow& window, const std::string& suffix)
    {
        return window.GetControl(window.GetName() + suffix)->IsShown();
    }

    // The player's score as the profile file on disk holds it.
    u32 SavedScore()
    {
        FrameworkTest::TestProfile saved(&bed.Engine(), bed.windows.gui.engine.folder / "user");
        saved.Load(bed.Player().GetFileName());
        return saved.score;
    }

    AppTest::PlayWindowBed bed;
    std::unique_ptr<LevelManager> levels;
};

TEST_F(EndWindowsTest, TheLevelCompleteWindowShowsTheTimesAndTheBestTimeWithItsHolder)
{
    bed.profiles->SetBestTime({0, 1}, L"Bob", 0, 65.5f);
    auto window = MakeLevelComplete();
    window->Show(StateId::Play, {0, 1}, 75.9f);
    bed.RunFrames(60);
    GUIMenuWindow& layout = window->GetMenuWindow();
    EXPECT_EQ(Text(layout, "/window/your_time"), L"1:15");
    EXPECT_EQ(Text(layout, "/window/ace_time"), L"1:30");
    EXPECT_EQ(Text(layout, "/window/best_time"), L"1:05");
    const auto& lines = layout.GetTextControl("window_level_complete/window/best_time_static")->GetLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find(L"\"Bob\""), std::wstring::npos);
    EXPECT_TRUE(Shown(layout, "/window/time_bonus"));
    EXPECT_TRUE(Shown(layout, "/window/time_bonus_static"));
    EXPECT_FALSE(Shown(layout, "/window/no_time_bonus_static"));
}

TEST_F(EndWindowsTest, WithoutSecondsToSpareThereIsNoBonus)
{
    auto window = MakeLevelComplete();
    window->Show(StateId::Play, {0, 0}, 90.0f);
    bed.RunFrames(300);
    GUIMenuWindow& layout = window->GetMenuWindow();
    EXPECT_FALSE(Shown(layout, "/window/time_bonus"));
    EXPECT_TRUE(Shown(layout, "/window/no_time_bonus_static"));
    EXPECT_EQ(bed.Player().score, 0u);
    EXPECT_EQ(bed.sounds->Count(SoundTable::ChargeScore), 0u);
}

// Ace 90 s, time 30 s: 60 seconds saved, 1200 points, counted once the bonus text has faded in.
TEST_F(EndWindowsTest, TheBonusCountsIntoTheScoreWithTheChargeSoundAndIsSavedWhenTheWindowGoes)
{
    bed.Player().score = 500;
    auto window = MakeLevelComplete();
    window->Show(StateId::Play, {0, 0}, 30.0f);
    bed.RunFrames(40);
    const u32 early = bed.Player().score;
    EXPECT_LT(early, 1700u);
    bed.RunFrames(400);
    EXPECT_EQ(window->GetBonusShown(), 1200u);
    EXPECT_EQ(bed.Player().score, 1700u);
    EXPECT_EQ(Text(window->GetMenuWindow(), "/window/time_bonus"), L"1200");
    const u32 charges = bed.sounds->Count(SoundTable::ChargeScore);
    EXPECT_GT(charges, 10u);
    bed.RunFrames(30);
    EXPECT_EQ(bed.sounds->Count(SoundTable::ChargeScore), charges);
    EXPECT_EQ(SavedScore(), 0u);
    window->Hide();
    EXPECT_EQ(SavedScore(), 1700u);
}

TEST_F(EndWindowsTest, TheButtonLeadsToTheStageEndAfterAStagesLastLevel)
{
    struct Case
    {
        LevelPosition position;
        u32 result;
    };
    auto window = MakeLevelComplete();
    for (const Case& c : {Case{{0, 1}, ResultCode::LevelMap}, Case{{0, 2}, ResultCode::StageComplete},
                          Case{{1, 1}, ResultCode::StageComplete}})
    {
        window->Show(StateId::Play, c.position, 200.0f);
        bed.RunFrames(90);
        bed.windows.gui.MoveMouseTo(kNext);
        bed.windows.gui.PressMouse();
        bed.RunFrames(1);
        bed.windows.gui.ReleaseMouse();
        bed.RunFrames(1);
        EXPECT_EQ(window->GetResultCode(), c.result);
        window->Hide();
        bed.RunFrames(60);
    }
}

TEST_F(EndWindowsTest, TheStageEndDecidesAtOnceWhetherTheGameIsComplete)
{
    GUIStageCompleteWindow window(&bed.Engine(), levels.get());
    struct Case
    {
        LevelPosition position;
        u32 result;
    };
    for (const Case& c : {Case{{0, 2}, ResultCode::LevelMap}, Case{{1, 1}, ResultCode::GameComplete}})
    {
        window.Show(StateId::LevelComplete, c.position);
        EXPECT_EQ(window.GetResultCode(), c.result);
        // The result outlives the dispatch that showed the window.
        window.ExpireResult();
        EXPECT_EQ(window.GetResultCode(), c.result);
        window.Hide();
        window.ExpireResult();
    }
}

TEST_F(EndWindowsTest, TheContinueWindowShowsTheSavedPlaceAndScore)
{
    bed.Player().mapStage = 1;
    bed.Player().mapLevel = 4;
    bed.Player().score = 4321;
    GUIContinueGameLogicWindow window(&bed.Engine(), bed.sounds.get(), bed.profiles.get(), bed.data.get(),
                                      &bed.windows.Tools(), bed.menus.get(), nullptr);
    bed.Add(&window);
    window.Show(StateId::MainMenu);
    bed.RunFrames(30);
    EXPECT_EQ(Text(window.GetMenuWindow(), "/window/level"), L"2-5");
    EXPECT_EQ(Text(window.GetMenuWindow(), "/window/score"), L"4321");
}

// The window flow's three dispatches of one frame, as far as the game-complete window takes part: its
// handler adds a high-score entry for every result 1 it sees and hides the window; each dispatch ends by
// expiring the results.
int EntriesOfOneFrame(GUIGameCompleteWindow& window)
{
    int entries = 0;
    for (int dispatch = 0; dispatch < 3; ++dispatch)
    {
        if (window.GetResultCode() == ResultCode::Done)
        {
            window.Hide();
            ++entries;
        }
        window.ExpireResult();
    }
    return entries;
}

TEST_F(EndWindowsTest, AGameCompletedASecondTimeIsHandledOnce)
{
    GUIGameCompleteWindow window(&bed.Engine(), bed.sounds.get(), bed.data.get(), &bed.windows.Tools(), bed.menus.get(),
                                 nullptr);
    bed.Add(&window);
    window.SetAppear(false);
    window.Show(StateId::StageComplete);
    EXPECT_EQ(EntriesOfOneFrame(window), 1);
    bed.RunFrames(2);
    EXPECT_EQ(EntriesOfOneFrame(window), 0);
    EXPECT_FALSE(window.GetMenuWindow().IsShowRequested());
}

TEST_F(EndWindowsTest, TheGameOverWindowAppearsWithItsAnimatedMount)
{
    GUIGameOverWindow window(&bed.Engine(), bed.sounds.get(), bed.data.get(), &bed.windows.Tools(), bed.menus.get(),
                             nullptr);
    bed.Add(&window);
    window.Show(StateId::Play);
    bed.RunFrames(60);
    EXPECT_TRUE(window.GetMenuWindow().IsShown());
    EXPECT_TRUE(Shown(window.GetMenuWindow(), "/title_mount_animated"));
    EXPECT_FALSE(Shown(window.GetMenuWindow(), "/title_mount_static"));
}
}
