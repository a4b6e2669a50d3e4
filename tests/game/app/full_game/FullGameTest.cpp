// Two whole games in one process, as a player meets them from the program's first start: a name typed into the
// welcome window, the main menu, the level map, all ten levels played by a script that follows the ball, the
// level-complete, stage-complete and game-complete windows, the high-score entry, and then a second game from
// the first level. After every level the player's files on disk hold what the game holds.
#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/gui/GUIButton.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GUIGameCompleteWindow.h"
#include "game/app/GUIHighScoresWindow.h"
#include "game/app/GUILevelCompleteWindow.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/GUIMapElement.h"
#include "game/app/GUIStartGameLogicWindow.h"
#include "game/app/Profile.h"
#include "game/app/ProfileManager.h"
#include "game/play/Bat.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "tests/game/app/ScreenPoints.h"
#include "tests/game/app/WholeGameBed.h"
#include "tests/support/BallFollower.h"
#include "tests/support/TypedKeys.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace GameFramework;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
using GameAppTest::kLevelCompleteNext;
using GameAppTest::kMapStart;

// The welcome window's create button: in its panel at (200, 170), at (28, 24), 164 x 44; its name field at
// (28, 80), 344 x 36.
const Vector2 kWelcomeName(200.0f + 28.0f + 172.0f, 170.0f + 80.0f + 18.0f);
const Vector2 kWelcomeCreate(200.0f + 28.0f + 82.0f, 170.0f + 24.0f + 22.0f);
// The main menu's start button: in its panel at (225, 50), at (30, 270), 290 x 44.
const Vector2 kMainMenuStart(225.0f + 30.0f + 145.0f, 42.0f + 275.0f + 22.0f);
// The game-complete window's button: in its panel at (200, 170), at (80, 24), 240 x 44.
const Vector2 kGameCompleteContinue(200.0f + 80.0f + 120.0f, 170.0f + 24.0f + 22.0f);
// The high-score window's button: in its panel at (150, 40), at (130, 24), 240 x 44.
const Vector2 kHighScoresBack(100.0f + 180.0f + 120.0f, 40.0f + 40.0f + 22.0f);

// Whole games are played at the engine's longest frame, 10 frames a second, which keeps two of them within the
// test's time in the sanitized build too.
constexpr double kFrameTime = 0.1;
// Simulated seconds a level may take.
constexpr double kLevelTimeBound = 1200.0;
constexpr int kLevelCount = 10;
constexpr int kFramesBetweenForgetting = 200;
constexpr u32 kCategory = 0;
const std::wstring kPlayer = L"Ada";

class FullGameTest : public testing::Test, protected GameAppTest::WholeGameBed
{
protected:
    FullGameTest()
    {
        VelkorEngine::SeedRandom(4321);
        frameTime = kFrameTime;
    }

    // Clicks again while a window still fades in and takes no click yet.
    bool ClickUntil(const Vector2& point, const std::function<bool()>& condition)
    {
        for (int attempt = 0; attempt < 40; ++attempt)
        {
            Click(point);
            if (RunUntil(condition, 10))
                return true;
        }
        return false;
    }

    // A window's controls asked to show: a window keeps the state it was last shown with after it hides.
    template <class Window>
    bool IsUp(u32 index) const
    {
        auto* window = dynamic_cast<Window*>(game->GetWindow(index));
        return window != nullptr && window->GetMenuWindow().IsShowRequested();
    }

    void EnterAsNewPlayer()
    {
        ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::Welcome, StateId::GameLoading); }))
            << "the first start does not welcome a new player";
        Frames(40);
        Click(kWelcomeName);
        for (const TestSupport::TypedKey& key : TestSupport::Characters(kPlayer))
        {
            TestSupport::SendTypedKey(*game->GetEngine(), key);
            Frames(1);
        }
        ASSERT_TRUE(
            ClickUntil(kWelcomeCreate, [&] { return IsUp<Korvane::GUIMainMenuWindow>(WindowIndex::MainMenu); }));
        ASSERT_NE(Profiles().GetCurrentProfile(), nullptr);
        EXPECT_EQ(Profiles().GetCurrentProfile()->name, kPlayer);
    }

    // From the main menu to the first level in play, chosen on the map.
    void StartFromTheFirstLevel()
    {
        ++m_gamesStarted;
        Frames(40);
        ASSERT_TRUE(ClickUntil(kMainMenuStart,
                               [&] { return IsUp<Korvane::GUIStartGameLogicWindow>(WindowIndex::StartGame); }))
            << "the main menu's start did not lead to the level map";
        auto& map = dynamic_cast<Korvane::GUIStartGameLogicWindow&>(*game->GetWindow(WindowIndex::StartGame));
        ASSERT_TRUE(RunUntil([&] { return map.GetElements().front()->GetFade() > 0.99f; }));
        const VelkorEngine::GUIButton& first = *map.GetElements().front()->GetButton();
        const Vector2 corner = first.GetAbsolutePosition();
        Click(Vector2(corner.x + first.GetSize().x * 0.5f, corner.y + first.GetSize().y * 0.5f));
        Frames(10);
        EXPECT_EQ(Player().mapStage, 0u);
        EXPECT_EQ(Player().mapLevel, 0u);
        ASSERT_TRUE(ClickUntil(kMapStart, [&] { return Logic() != nullptr; })) << "the first level never started";
    }

    // Plays the level in play to its end with the script; true when the level-complete window came up.
    bool PlayLevel()
    {
        if (!RunUntil([&] { return Logic() != nullptr && Logic()->GetBat().HasRisen(); }))
            return false;
        Korvane::GameLogic& logic = *Logic();
        TestSupport::BallFollower player(logic);
        Vector2 cursor(400.0f, 300.0f);
        const int frameBound = static_cast<int>(kLevelTimeBound / kFrameTime);
        for (int frame = 0; frame < frameBound; ++frame)
        {
            if (IsUp<Korvane::GUILevelCompleteWindow>(WindowIndex::LevelComplete))
            {
                RecordProperty("game_" + std::to_string(m_gamesStarted) + "_level_" +
                                   std::to_string(logic.GetLevelRecord()->stage + 1) + "_" +
                                   std::to_string(logic.GetLevelRecord()->level + 1) + "_simulated_seconds",
                               std::to_string(static_cast<int>(frame * kFrameTime)));
                return true;
            }
            if (logic.GetState() == GameLogicBase::StatePlaying)
                player.Step(cursor);
            if (frame % kFramesBetweenForgetting == 0)
                ForgetCalls();
            MoveMouseTo(cursor);
            Frames(1);
        }
        ADD_FAILURE() << "level " << logic.GetLevelRecord()->stage + 1 << "-" << logic.GetLevelRecord()->level + 1
                      << " not finished: state " << logic.GetState() << ", bricks left "
                      << logic.GetGeometry().GetRemainingCount() << ", lives " << logic.lives;
        return false;
    }

    ProfileManagerBase& Profiles() const { return *game->GetProfileManager(); }
    ProfileBase& Player() const { return *Profiles().GetCurrentProfile(); }

    // The profile, the profile list and the high scores read back from disk by fresh readers.
    void ExpectFilesHold(const LevelPosition& next, bool gameInProgress, u32 completedGames, u32 levelsEverDone)
    {
        const ProfileBase& player = Player();
        Korvane::Profile saved(game->GetEngine(), game->GetUserDataFolder());
        saved.Load(player.GetFileName());
        EXPECT_EQ(saved.name, kPlayer);
        EXPECT_EQ(saved.mapStage, next.stage);
        EXPECT_EQ(saved.mapLevel, next.level);
        EXPECT_EQ(saved.score, player.score);
        EXPECT_EQ(saved.lives, player.lives);
        EXPECT_EQ(saved.gameInProgress, gameInProgress ? 1u : 0u);
        EXPECT_EQ(saved.GetBestTimes().size(), player.GetBestTimes().size());

        Korvane::ProfileManager list(game->GetEngine(), nullptr, game->GetUserDataFolder());
        ASSERT_EQ(list.GetProfileCount(), 1u);
        ASSERT_NE(list.GetCurrentProfile(), nullptr);
        EXPECT_EQ(list.GetCurrentProfile()->name, kPlayer);
        EXPECT_EQ(list.GetBestTimeCount(), levelsEverDone);

        HighScoresTable scores(game->GetEngine(), 10, game->GetUserDataFolder());
        EXPECT_EQ(scores.GetCount(kCategory), completedGames);
    }

    // Ten levels from the first, through every end window, to the high-score entry and back to the main menu.
    void PlayWholeGame(u32 completedBefore)
    {
        LevelManagerBase& levels = *game->GetLevelManager();
        for (int played = 0; played < kLevelCount; ++played)
        {
            ASSERT_TRUE(PlayLevel()) << "game " << completedBefore + 1 << ", level " << played + 1;
            const LevelPosition position{Logic()->GetLevelRecord()->stage, Logic()->GetLevelRecord()->level};
            const LevelPosition next = levels.GetNextPosition(position);
            const bool last = played + 1 == kLevelCount;
            ASSERT_EQ(next == position, last) << "the level list does not end after ten levels";
            const u32 everDone = completedBefore > 0 ? kLevelCount : static_cast<u32>(played + 1);
            ExpectFilesHold(next, !last, completedBefore, everDone);
            const auto* finished = Logic()->GetLevelRecord();
            ASSERT_TRUE(ClickUntil(kLevelCompleteNext,
                                   [&] { return Logic() == nullptr || Logic()->GetLevelRecord() != finished; }));
            if (last)
                break;
            if (next.stage != position.stage)
            {
                ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::StartGame, StateId::StageComplete); }))
                    << "a finished stage did not lead through its window to the map";
                ASSERT_TRUE(ClickUntil(kMapStart, [&] { return Logic() != nullptr; }));
            }
            ASSERT_TRUE(RunUntil([&] {
                return Logic() != nullptr && Logic()->GetLevelRecord()->stage == next.stage &&
                       Logic()->GetLevelRecord()->level == next.level;
            })) << "level " << next.stage + 1 << "-" << next.level + 1 << " did not follow";
        }
        // The game-complete window greets a player once; a game completed again goes on to the high scores.
        if (completedBefore == 0)
        {
            ASSERT_TRUE(RunUntil([&] { return IsUp<Korvane::GUIGameCompleteWindow>(WindowIndex::GameComplete); }))
                << "the last level did not lead to the game-complete window";
            ASSERT_TRUE(ClickUntil(kGameCompleteContinue,
                                   [&] { return IsUp<Korvane::GUIHighScoresWindow>(WindowIndex::HighScores); }));
        }
        else
        {
            ASSERT_TRUE(RunUntil([&] { return IsUp<Korvane::GUIHighScoresWindow>(WindowIndex::HighScores); }))
                << "the last level of a game completed again did not lead to the high scores";
            EXPECT_FALSE(IsUp<Korvane::GUIGameCompleteWindow>(WindowIndex::GameComplete));
        }
        EXPECT_EQ(game->GetWindow(WindowIndex::HighScores)->GetStateId(), StateId::GameComplete);
        const HighScoresTable& table = *game->GetHighScores();
        ASSERT_EQ(table.GetCount(kCategory), completedBefore + 1);
        bool entered = false;
        for (u32 i = 0; i < table.GetCount(kCategory); ++i)
            entered |= table.GetEntry(kCategory, i)->score == Player().score;
        EXPECT_TRUE(entered) << "no high-score entry of " << Player().score;
        EXPECT_GT(Player().score, 0u);
        EXPECT_EQ(game->GetGameLogic(), nullptr);
        ASSERT_TRUE(
            ClickUntil(kHighScoresBack, [&] { return IsUp<Korvane::GUIMainMenuWindow>(WindowIndex::MainMenu); }));
        HighScoresTable scores(game->GetEngine(), 10, game->GetUserDataFolder());
        EXPECT_EQ(scores.GetCount(kCategory), completedBefore + 1);
    }

private:
    int m_gamesStarted = 0;
};

TEST_F(FullGameTest, TwoWholeGamesFromTheFirstStartThroughEveryEndWindowToTheHighScores)
{
    const auto started = std::chrono::steady_clock::now();
    EnterAsNewPlayer();
    ASSERT_FALSE(HasFatalFailure());
    StartFromTheFirstLevel();
    ASSERT_FALSE(HasFatalFailure());
    PlayWholeGame(0);
    ASSERT_FALSE(HasFatalFailure());
    const u32 firstScore = Player().score;

    StartFromTheFirstLevel();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Player().score, 0u) << "a new game starts from nothing";
    PlayWholeGame(1);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GT(firstScore, 0u);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    RecordProperty("seconds", std::to_string(took.count()));
}
}
