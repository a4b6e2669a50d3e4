// The window flow on a stub game: start-up, every handler's result codes, the level transitions and a whole
// session from the first profile to the high scores, with the files the flow writes.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "tests/framework/FlowTestGame.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

using namespace TestSupport;
using namespace GameFramework;
using FrameworkTest::FlowEvent;
using FrameworkTest::FlowTestGame;
using FrameworkTest::Hidden;
using FrameworkTest::Shown;

namespace
{
// Two levels in the first stage, one in the second.
constexpr const char* kLevels = "<levels><stage><level/><level/></stage><stage><level/></stage></levels>";

class GameFlowTest : public testing::Test
{
protected:
    GameFlowTest()
    {
        environment.WriteStartupData();
        environment.WriteData("data/levels/levels.xml", kLevels);
    }

    FlowTestGame& Start()
    {
        game = std::make_unique<FlowTestGame>(environment);
        game->Init();
        return *game;
    }

    FrameworkTest::GameEnvironment environment;
    EngineTestBed& bed = environment.bed;
    std::unique_ptr<FlowTestGame> game;
};
}

TEST_F(GameFlowTest, StartUpShowsTheLogosAndMakesOnlyTheFirstTwoWindows)
{
    Start();
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(WindowIndex::Logos, StateId::Framework)}));
    EXPECT_NE(game->GetWindow(WindowIndex::GameLoading), nullptr);
    for (u32 index = WindowIndex::GameLogicLoading; index < WindowIndex::Count; ++index)
        EXPECT_EQ(game->GetWindow(index), nullptr) << index;
}

namespace
{
// A started game past the start-up loading, its main menu (or welcome window) showing.
class LoadedGameFlowTest : public GameFlowTest
{
protected:
    // With a profile named "Ann" made before the start-up loading ends, that loading ends in the main menu.
    void Load(bool withProfile = true, const std::function<void(ProfileBase&)>& changeProfile = {})
    {
        Start();
        if (withProfile)
        {
            ProfileManagerBase& profiles = *game->GetProfileManager();
            profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ann"), 1);
            if (changeProfile)
                changeProfile(Profile());
        }
        game->Stub(WindowIndex::Logos).nextResult = ResultCode::Done;
        game->Frame();
        game->Frame();
        game->Stub(WindowIndex::GameLoading).nextResult = ResultCode::Done;
        game->Frame();
        game->Frame();
    }

    ProfileBase& Profile() const { return *game->GetProfileManager()->GetCurrentProfile(); }
    GameLogicBase& Logic() const { return *game->GetGameLogic(); }
    // A result as the window's own update stores it, then the three rounds of one frame.
    void Answer(u32 window, u32 code)
    {
        game->journal.clear();
        game->GetWindow(window)->SetResultCode(code);
        game->DispatchRounds();
    }
};
}

TEST_F(LoadedGameFlowTest, TheStartUpLoadingEndsInTheMainMenuWhenAProfileExists)
{
    Load(true);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(0, 1), Hidden(0), Shown(1, 2), Hidden(1), Shown(5, 3)}));
    for (u32 index = 0; index < WindowIndex::Count; ++index)
        EXPECT_NE(game->GetWindow(index), nullptr) << index;
    EXPECT_TRUE(game->GetGameCursor()->IsCursorVisible());
    EXPECT_EQ(static_cast<GUILoadingWindowBase*>(game->GetWindow(1))->GetKeeper(), nullptr) << "hidden again";
}

TEST_F(LoadedGameFlowTest, TheStartUpLoadingBringsStoredPositionsIntoTheLevelList)
{
    Load(true, [](ProfileBase& profile) {
        profile.mapStage = 4;
        profile.furthestStage = 1;
        profile.furthestLevel = 3;
        profile.Save();
    });
    FrameworkTest::TestProfileManager saved(game->GetEngine(), game->GetSoundPlayer(), game->GetUserDataFolder());
    const ProfileBase& ann = *saved.GetCurrentProfile();
    EXPECT_EQ((LevelPosition{ann.mapStage, ann.mapLevel}), (LevelPosition{0, 0}));
    EXPECT_EQ((LevelPosition{ann.furthestStage, ann.furthestLevel}), (LevelPosition{0, 0}));
}

TEST_F(LoadedGameFlowTest, TheStartUpLoadingEndsInTheWelcomeWindowWithoutProfiles)
{
    Load(false);
    EXPECT_EQ(game->journal.back(), Shown(3, 3));
}

TEST_F(LoadedGameFlowTest, TheLogosHandTheGameDataToTheLoadingWindow)
{
    Start();
    game->Stub(WindowIndex::Logos).nextResult = ResultCode::Done;
    game->Frame();
    game->Frame();
    const auto* loading = static_cast<GUILoadingWindowBase*>(game->GetWindow(WindowIndex::GameLoading));
    EXPECT_EQ(loading->GetKeeper(), game->GetGameData());
    EXPECT_EQ(loading->GetStateId(), 2u);
}

namespace
{
enum class Before
{
    Menus,
    MenusGameInProgress,
    MenusScored,
    Play,
    PlayScored,
    PlayPaused
};

// What is left of play after the dispatch.
enum class Play
{
    Any,
    Ended,
    Running,
    Paused
};

struct HandlerCase
{
    const char* name;
    Before setup;
    u32 window;
    u32 code;
    std::vector<FlowEvent> events;
    Play play = Play::Any;
    bool exit = false;
    int highScores = -1;
};

void PrintTo(const HandlerCase& c, std::ostream* out)
{
    *out << c.name;
}

// The numbers are written out as the window table gives them, not through the program's own names.
const HandlerCase kHandlerCases[] = {
    {"Logos1", Before::Menus, 0, 1, {Hidden(0), Shown(1, 2)}},
    {"Welcome3", Before::Menus, 3, 3, {Hidden(3), Shown(5, 4)}},
    {"Welcome4", Before::Menus, 3, 4, {Hidden(3), Shown(4, 4)}},
    {"Exit2", Before::Menus, 4, 2, {Hidden(4), Shown(3, 5)}},
    {"Exit3", Before::Menus, 4, 3, {Hidden(4), Shown(5, 5)}},
    {"Exit6", Before::Menus, 4, 6, {Hidden(4), Shown(7, 5)}},
    {"Exit22", Before::Menus, 4, 22, {}, Play::Any, true},
    {"MainMenu5", Before::Menus, 5, 5, {Hidden(5), Shown(6, 6)}},
    {"MainMenu23", Before::Menus, 5, 23, {Hidden(5), Shown(11, 6)}},
    {"MainMenu23Saved", Before::MenusGameInProgress, 5, 23, {Hidden(5), Shown(12, 6)}},
    {"MainMenu10", Before::Menus, 5, 10, {Hidden(5), Shown(13, 6)}},
    {"MainMenu11", Before::Menus, 5, 11, {Hidden(5), Shown(14, 6)}},
    {"MainMenu12", Before::Menus, 5, 12, {Hidden(5), Shown(15, 6)}},
    {"MainMenu4", Before::Menus, 5, 4, {Hidden(5), Shown(4, 6)}},
    {"MainMenuUnlisted", Before::Menus, 5, 19, {}},
    {"Profiles6", Before::Menus, 6, 6, {Hidden(6), Shown(7, 10)}},
    {"Profiles7", Before::Menus, 6, 7, {Hidden(6), Shown(8, 10)}},
    {"Profiles8", Before::Menus, 6, 8, {Hidden(6), Shown(9, 10)}},
    {"Profiles3", Before::Menus, 6, 3, {Hidden(6), Shown(5, 10)}},
    {"NewProfile9", Before::Menus, 7, 9, {Hidden(7), Shown(10, 11)}},
    {"NewProfile5", Before::Menus, 7, 5, {Hidden(7), Shown(6, 11)}},
    {"NewProfile4", Before::Menus, 7, 4, {Hidden(7), Shown(4, 11)}},
    {"Rename9", Before::Menus, 8, 9, {Hidden(8), Shown(10, 12)}},
    {"Rename5", Before::Menus, 8, 5, {Hidden(8), Shown(6, 12)}},
    {"Delete5", Before::Menus, 9, 5, {Hidden(9), Shown(6, 13)}},
    {"Delete6", Before::Menus, 9, 6, {Hidden(9), Shown(7, 13)}},
    {"Conflict6", Before::Menus, 10, 6, {Hidden(10), Shown(7, 14)}},
    {"Conflict7", Before::Menus, 10, 7, {Hidden(10), Shown(8, 14)}},
    {"StartGame3", Before::Menus, 11, 3, {Hidden(11), Shown(5, 15)}},
    {"StartGame23", Before::Menus, 11, 23, {Hidden(11), Shown(2, 15)}},
    {"Continue14", Before::MenusGameInProgress, 12, 14, {Hidden(12), Shown(11, 21)}},
    {"Continue13", Before::MenusGameInProgress, 12, 13, {Hidden(12), Shown(11, 21)}},
    {"Continue3", Before::MenusGameInProgress, 12, 3, {Hidden(12), Shown(5, 21)}},
    {"HighScores3", Before::Menus, 13, 3, {Hidden(13), Shown(5, 7)}},
    {"Options3", Before::Menus, 14, 3, {Hidden(14), Shown(5, 8)}},
    {"Help3", Before::Menus, 15, 3, {Hidden(15), Shown(5, 9)}},
    {"LevelLoading1", Before::Menus, 2, 1, {Hidden(2), Shown(16, 16)}, Play::Running},
    {"Play16", Before::Play, 16, 16, {Shown(18, 17)}, Play::Paused},
    {"Play15", Before::Play, 16, 15, {Shown(17, 17)}, Play::Paused},
    {"Play4", Before::Play, 16, 4, {Shown(21, 17)}, Play::Paused},
    {"Pause19", Before::PlayPaused, 17, 19, {Hidden(17)}, Play::Running},
    {"Menu19", Before::PlayPaused, 18, 19, {Hidden(18)}, Play::Running},
    {"Menu18", Before::PlayPaused, 18, 18, {Hidden(18), Shown(19, 18)}, Play::Paused},
    {"Menu17", Before::PlayPaused, 18, 17, {Hidden(18), Shown(20, 18)}, Play::Paused},
    {"MenuExit16", Before::PlayPaused, 19, 16, {Hidden(19), Shown(18, 20)}, Play::Paused},
    {"MenuExit3", Before::PlayPaused, 19, 3, {Hidden(19), Hidden(16), Shown(5, 20)}, Play::Ended},
    {"Restart16", Before::PlayPaused, 20, 16, {Hidden(20), Shown(18, 19)}, Play::Paused},
    {"Restart13", Before::PlayPaused, 20, 13, {Hidden(20), Hidden(16), Shown(11, 19)}, Play::Ended},
    {"GameExit19", Before::PlayPaused, 21, 19, {Hidden(21)}, Play::Running},
    {"GameExit22", Before::PlayPaused, 21, 22, {}, Play::Paused, true},
    {"LevelComplete13", Before::Play, 22, 13, {Hidden(22), Hidden(16), Shown(11, 22)}, Play::Ended},
    {"LevelComplete20", Before::Play, 22, 20, {Hidden(22), Shown(23, 22)}, Play::Running},
    {"StageComplete13", Before::Play, 23, 13, {Hidden(23), Hidden(16), Shown(11, 23)}, Play::Ended},
    {"StageComplete21", Before::Play, 23, 21, {Hidden(23), Hidden(16), Shown(24, 23)}, Play::Ended},
    {"GameComplete1", Before::MenusScored, 24, 1, {Hidden(24), Shown(13, 24)}, Play::Any, false, 1},
    {"GameComplete1NoScore", Before::Menus, 24, 1, {Hidden(24), Shown(5, 24)}, Play::Any, false, 0},
    {"GameOver1", Before::PlayScored, 25, 1, {Hidden(25), Shown(13, 25), Hidden(16)}, Play::Ended, false, 1},
    {"GameOver1NoScore", Before::Play, 25, 1, {Hidden(25), Shown(5, 25), Hidden(16)}, Play::Ended, false, 0},
};

class HandlerTableTest : public LoadedGameFlowTest, public testing::WithParamInterface<HandlerCase>
{
protected:
    void Prepare(Before setup, u32 window)
    {
        Profile().gameInProgress = setup == Before::MenusGameInProgress ? 1 : 0;
        if (setup == Before::MenusScored)
            Profile().score = 700;
        if (setup == Before::Play || setup == Before::PlayScored || setup == Before::PlayPaused)
            game->BeginPlay(3);
        if (setup == Before::PlayScored)
            Logic().SetPoints(250);
        if (setup == Before::PlayPaused)
        {
            Logic().Pause(true);
            static_cast<GUIGameLogicWindowBase*>(game->GetWindow(16))->SetActive(false);
        }
        if (window != 16)
            game->GetWindow(window)->Show(1);
    }

    Play PlayState() const
    {
        if (!game->GetGameLogic())
            return Play::Ended;
        return Logic().GetState() == GameLogicBase::StatePaused ? Play::Paused : Play::Running;
    }
};
}

TEST_P(HandlerTableTest, TheResultCodeOpensTheNextWindowWithWhereItCameFrom)
{
    const HandlerCase& c = GetParam();
    Load();
    Prepare(c.setup, c.window);
    Answer(c.window, c.code);
    EXPECT_EQ(game->journal, c.events);
    if (c.play != Play::Any)
    {
        EXPECT_EQ(PlayState(), c.play);
    }
    EXPECT_EQ(game->IsExitRequested(), c.exit);
    if (c.highScores >= 0)
    {
        EXPECT_EQ(game->GetHighScores()->GetCount(0), static_cast<u32>(c.highScores));
    }
    if (game->GetGameLogic())
    {
        const bool active = static_cast<GUIGameLogicWindowBase*>(game->GetWindow(16))->IsActive();
        EXPECT_EQ(active, c.play == Play::Running) << "the play window takes input only while play runs";
    }
}

INSTANTIATE_TEST_SUITE_P(Handlers, HandlerTableTest, testing::ValuesIn(kHandlerCases),
                         [](const testing::TestParamInfo<HandlerCase>& info) { return info.param.name; });

namespace
{
class LevelFlowTest : public LoadedGameFlowTest
{
protected:
    void PlayAt(u32 stage, u32 level, u32 points, double seconds)
    {
        Profile().mapStage = stage;
        Profile().mapLevel = level;
        game->BeginPlay(2);
        Logic().SetPoints(points);
        Logic().PauseTimer(false);
        bed.clock.AdvanceSeconds(seconds);
        game->journal.clear();
    }
    void Finish(u32 state)
    {
        Logic().SetState(state);
        game->DispatchRounds();
    }
    template <class Window>
    Window& WindowAt(u32 index)
    {
        return *static_cast<Window*>(game->GetWindow(index));
    }
    // The profile list and the current profile as a fresh start reads them from disk.
    std::unique_ptr<FrameworkTest::TestProfileManager> ReadProfiles() const
    {
        return std::make_unique<FrameworkTest::TestProfileManager>(game->GetEngine(), game->GetSoundPlayer(),
                                                                   game->GetUserDataFolder());
    }
};
}

TEST_F(LevelFlowTest, ACompletedLevelBecomesProgressSavedInTheProfile)
{
    const struct
    {
        LevelPosition at;
        LevelPosition next;
        u8 last;
    } cases[] = {{{0, 0}, {0, 1}, 0}, {{0, 1}, {1, 0}, 0}, {{1, 0}, {1, 0}, 1}};
    Load();
    u32 score = 0;
    for (const auto& c : cases)
    {
        const std::string where = std::to_string(c.at.stage) + "-" + std::to_string(c.at.level);
        PlayAt(c.at.stage, c.at.level, 100 + c.at.level, 40.0 + c.at.stage);
        Logic().lives = 4;
        Finish(GameLogicBase::StateLevelComplete);
        score += 100 + c.at.level;
        EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(22, 17)})) << where;
        const auto& complete = WindowAt<GUILevelCompleteWindowBase>(22);
        EXPECT_EQ(complete.GetPosition(), c.at) << where;
        EXPECT_NEAR(complete.GetLevelTime(), 40.0f + c.at.stage, 1e-3f) << where;
        EXPECT_FALSE(WindowAt<GUIGameLogicWindowBase>(16).IsActive()) << where;
        EXPECT_EQ(Logic().GetPoints(), 0u) << "the points now count in the profile: " << where;

        const auto profiles = ReadProfiles();
        const ProfileBase& saved = *profiles->GetCurrentProfile();
        EXPECT_EQ((LevelPosition{saved.mapStage, saved.mapLevel}), c.next) << where;
        EXPECT_EQ((LevelPosition{saved.furthestStage, saved.furthestLevel}), c.next) << where;
        EXPECT_EQ(saved.furthestFlag, c.last) << where;
        EXPECT_EQ(saved.gameInProgress, c.last ? 0 : 1) << where;
        EXPECT_EQ(saved.lives, 4u) << where;
        EXPECT_EQ(saved.score, score) << where;
        ASSERT_FALSE(saved.GetBestTimes().empty()) << where;
        const LevelTimeRecord& record = *saved.GetBestTimes().back();
        EXPECT_EQ((LevelPosition{record.stage, record.level}), c.at) << where;
        EXPECT_NEAR(record.time, 40.0f + c.at.stage, 1e-3f) << where;
        std::wstring holder;
        f32 best = 0.0f;
        EXPECT_TRUE(profiles->GetBestTime(c.at, 0, holder, best)) << where;
        EXPECT_EQ(holder, L"Ann") << where;
        game->DispatchRounds();
        Answer(22, ResultCode::LevelMap);
    }
}

TEST_F(LevelFlowTest, ReplayingAnEarlierLevelNeverMovesTheFurthestPositionBack)
{
    Load();
    Profile().furthestStage = 1;
    Profile().furthestLevel = 0;
    PlayAt(0, 0, 10, 5.0);
    Finish(GameLogicBase::StateLevelComplete);
    EXPECT_EQ((LevelPosition{Profile().furthestStage, Profile().furthestLevel}), (LevelPosition{1, 0}));
    EXPECT_EQ(Profile().furthestFlag, 0);
    EXPECT_EQ((LevelPosition{Profile().mapStage, Profile().mapLevel}), (LevelPosition{0, 1}));
}

TEST_F(LevelFlowTest, LevelCompleteStageCompleteAndGameCompleteRunInOneFrame)
{
    Load();
    game->Stub(22).resultOnShow = ResultCode::StageComplete;
    game->Stub(23).resultOnShow = ResultCode::GameComplete;
    game->Stub(24).resultOnShow = ResultCode::Done;
    PlayAt(1, 0, 300, 12.0);
    Logic().SetState(GameLogicBase::StateLevelComplete);
    game->Frame();
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(22, 17), Hidden(22), Shown(23, 22), Hidden(23), Hidden(16),
                                                     Shown(24, 23), Hidden(24), Shown(13, 24)}));
    EXPECT_EQ(game->GetGameLogic(), nullptr);
    EXPECT_EQ(WindowAt<GUIStageCompleteWindowBase>(23).GetPosition(), (LevelPosition{1, 0}));
    ASSERT_EQ(game->GetHighScores()->GetCount(0), 1u);
    EXPECT_EQ(game->GetHighScores()->GetEntry(0, 0)->score, 300u);
    EXPECT_EQ(WindowAt<GUIHighScoresWindowBase>(13).GetHighlightedEntry(), game->GetHighScores()->GetEntry(0, 0));
}

// A game window that never appeared skips the framework's hide, which would keep its result for the next
// round: the flow still acts on it once, so one finished game is one high-score entry.
TEST_F(LevelFlowTest, AGameCompleteWindowThatKeepsItsResultStillAddsOneHighScore)
{
    Load();
    game->Stub(22).resultOnShow = ResultCode::StageComplete;
    game->Stub(23).resultOnShow = ResultCode::GameComplete;
    game->Stub(24).resultOnShow = ResultCode::Done;
    game->Stub(24).skipBaseHide = true;
    PlayAt(1, 0, 300, 12.0);
    Logic().SetState(GameLogicBase::StateLevelComplete);
    game->Frame();
    game->Frame();
    EXPECT_EQ(game->GetHighScores()->GetCount(0), 1u);
    EXPECT_EQ(std::count(game->journal.begin(), game->journal.end(), Shown(13, 24)), 1);
}

TEST_F(LevelFlowTest, AResultOfAnUpdateIsHandledOnceAndAnUnlistedOneIsDropped)
{
    Load();
    game->journal.clear();
    game->Stub(WindowIndex::MainMenu).nextResult = ResultCode::Options;
    game->Frame();
    EXPECT_TRUE(game->journal.empty()) << "stored by the update, after this frame's dispatch";
    game->Frame();
    game->Frame();
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Hidden(5), Shown(14, 6)}));
    Answer(WindowIndex::Options, ResultCode::BackToPlay);
    EXPECT_TRUE(game->journal.empty());
    EXPECT_EQ(game->GetWindow(WindowIndex::Options)->GetResultCode(), 0u);
}

TEST_F(LevelFlowTest, GameOverKeepsPlayUntilItsWindowIsClosed)
{
    Load();
    Profile().gameInProgress = 1;
    PlayAt(0, 1, 0, 3.0);
    Finish(GameLogicBase::StateGameOver);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(25, 17)}));
    EXPECT_NE(game->GetGameLogic(), nullptr);
    EXPECT_FALSE(WindowAt<GUIGameLogicWindowBase>(16).IsActive());
    EXPECT_EQ(ReadProfiles()->GetCurrentProfile()->gameInProgress, 0) << "saved";
    Answer(25, ResultCode::Done);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Hidden(25), Shown(5, 25), Hidden(16)}));
    EXPECT_EQ(game->GetGameLogic(), nullptr);
    EXPECT_EQ(game->GetHighScores()->GetCount(0), 0u);
}

// The in-game window runs before the game logic in a frame: a pause, the menu or the exit question asked for
// in the frame in which the level ends is dropped, so only the level's end window comes on screen and play is
// never handed back to a finished level.
TEST_F(LevelFlowTest, AnInterruptionAskedForAsTheLevelEndsIsDropped)
{
    Load();
    const struct
    {
        u32 state;
        u32 endWindow;
        u32 endAnswer;
    } ends[] = {{GameLogicBase::StateLevelComplete, WindowIndex::LevelComplete, ResultCode::LevelMap},
                {GameLogicBase::StateGameOver, WindowIndex::GameOver, ResultCode::Done}};
    for (const auto& end : ends)
        for (u32 asked : {ResultCode::Pause, ResultCode::GameLogicMenu, ResultCode::ExitQuestion})
        {
            const std::string what = std::to_string(end.state) + " with " + std::to_string(asked);
            PlayAt(0, 0, 10, 2.0);
            game->Stub(WindowIndex::GameLogic).nextResult = asked;
            Logic().SetState(end.state);
            game->Frame();
            EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(end.endWindow, StateId::Play)})) << what;
            EXPECT_EQ(Logic().GetState(), end.state) << what;
            EXPECT_FALSE(WindowAt<GUIGameLogicWindowBase>(WindowIndex::GameLogic).IsActive()) << what;
            game->Frame();
            EXPECT_EQ(game->journal.size(), 1u) << what;
            Answer(end.endWindow, end.endAnswer);
            ASSERT_EQ(game->GetGameLogic(), nullptr) << what;
        }
}

TEST_F(LevelFlowTest, TheLevelBeforeStaysLoadedUntilTheLevelAfterItStarts)
{
    Load();
    Answer(11, ResultCode::Start);
    GameTools::DataKeeper* first = game->GetLevelData();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(static_cast<GUILoadingWindowBase*>(game->GetWindow(2))->GetKeeper(), first);
    EXPECT_EQ(game->GetPreviousLevelData(), nullptr);
    Answer(11, ResultCode::Start);
    GameTools::DataKeeper* second = game->GetLevelData();
    EXPECT_EQ(game->GetPreviousLevelData(), first);
    Answer(11, ResultCode::Start);
    EXPECT_EQ(game->GetPreviousLevelData(), second);
    EXPECT_EQ(game->gameLogicDataMade, 3u);
}

TEST_F(LevelFlowTest, StoredPositionsOutsideTheLevelListAreBroughtBackBeforeUse)
{
    const struct
    {
        LevelPosition map;
        LevelPosition furthest;
    } cases[] = {{{5, 0}, {7, 7}}, {{0, 2}, {0, 1}}, {{1, 1}, {1, 0}}};
    Load();
    for (const auto& c : cases)
    {
        Profile().mapStage = c.map.stage;
        Profile().mapLevel = c.map.level;
        Profile().furthestStage = c.furthest.stage;
        Profile().furthestLevel = c.furthest.level;
        Profile().Save();
        game->gameLogicsMade.clear();
        Answer(11, ResultCode::Start);
        Answer(2, ResultCode::Done);
        ASSERT_EQ(game->gameLogicsMade.size(), 1u);
        EXPECT_EQ(game->gameLogicsMade[0][0], 0u);
        EXPECT_EQ(game->gameLogicsMade[0][1], 0u);
        const auto profiles = ReadProfiles();
        const ProfileBase& saved = *profiles->GetCurrentProfile();
        EXPECT_EQ((LevelPosition{saved.mapStage, saved.mapLevel}), (LevelPosition{0, 0}));
        const bool furthestValid = c.furthest.stage < 2 && c.furthest.level < (c.furthest.stage == 0 ? 2u : 1u);
        const LevelPosition expectedFurthest = furthestValid ? c.furthest : LevelPosition{0, 0};
        EXPECT_EQ((LevelPosition{saved.furthestStage, saved.furthestLevel}), expectedFurthest);
        Answer(16, ResultCode::GameLogicMenu);
        Answer(18, ResultCode::ExitToMenuQuestion);
        Answer(19, ResultCode::MainMenu);
    }
}

TEST_F(LevelFlowTest, WithoutACurrentProfileTheHandlersDoNothingThatNeedsOne)
{
    Load(false);
    for (const auto& [window, code] : {std::pair{5u, 23u}, {11u, 23u}, {2u, 1u}, {12u, 13u}})
    {
        game->GetWindow(window)->Show(1);
        Answer(window, code);
        EXPECT_TRUE(game->journal.empty()) << window << " " << code;
        EXPECT_EQ(game->GetGameLogic(), nullptr);
    }
    game->GetWindow(24)->Show(1);
    Answer(24, ResultCode::Done);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Hidden(24), Shown(5, 24)}));
    EXPECT_EQ(game->GetHighScores()->GetCount(0), 0u);
}

// A level file the logic reads while it is built ends the program the way the level's other data does: the
// fatal report carries the reader's message, which names the file, and no logic is left behind for play.
TEST_F(LevelFlowTest, AFileTheLevelsLogicCannotReadEndsTheProgramNamingIt)
{
    const std::string message = "Incorrect \"data\\environment\\field.krf\" file format";
    Load();
    Answer(11, ResultCode::Start);
    game->gameLogicFileError = message;
    game->journal.clear();
    game->GetWindow(WindowIndex::GameLogicLoading)->SetResultCode(ResultCode::Done);
    std::string reported = "nothing";
    try
    {
        game->DispatchRounds();
    }
    catch (const VelkorEngine::FatalError& error)
    {
        reported = error.GetMessage();
    }
    EXPECT_EQ(reported, message);
    const VelkorEngine::MessageManager& log = *game->GetEngine()->GetMessageManager();
    ASSERT_GT(log.GetRecordCount(), 0u);
    const VelkorEngine::LogRecord last = log.GetRecord(log.GetRecordCount() - 1);
    EXPECT_EQ(last.kind, VelkorEngine::MessageManager::KindFatal);
    EXPECT_EQ(last.text, "PROGRAM ABORTING: " + message + "\n");
    EXPECT_EQ(game->GetGameLogic(), nullptr);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Hidden(WindowIndex::GameLogicLoading)}));
}

TEST_F(LevelFlowTest, APlayerDeletedDuringPlayEndsTheLevelWithoutProgress)
{
    Load();
    ProfileManagerBase& profiles = *game->GetProfileManager();
    ProfileBase* ann = &Profile();
    PlayAt(0, 0, 50, 2.0);
    profiles.SetCurrentProfile(nullptr, 1);
    Finish(GameLogicBase::StateLevelComplete);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(22, 17)}));
    Answer(22, ResultCode::LevelMap);
    profiles.SetCurrentProfile(ann, 1);
    game->BeginPlay(1);
    Logic().SetPoints(80);
    profiles.SetCurrentProfile(nullptr, 1);
    Finish(GameLogicBase::StateGameOver);
    Answer(25, ResultCode::Done);
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Hidden(25), Shown(5, 25), Hidden(16)}));
    EXPECT_EQ(game->GetHighScores()->GetCount(0), 0u);
}

TEST_F(LevelFlowTest, LosingTheFocusInPlayLandsInThePauseWindowUntilThePlayerResumes)
{
    Load();
    PlayAt(0, 0, 0, 1.0);
    PlatformWindow* gameWindow = bed.windows.focus;
    ASSERT_NE(gameWindow, nullptr);
    bed.windows.focusFollowsRequests = false;
    bed.windows.focus = nullptr;
    game->Frame();
    EXPECT_EQ(game->journal, (std::vector<FlowEvent>{Shown(17, 1)}));
    EXPECT_EQ(Logic().GetState(), GameLogicBase::StatePaused);
    EXPECT_FALSE(WindowAt<GUIGameLogicWindowBase>(16).IsActive());
    const u32 updates = game->Stub(17).updates;
    game->Frame();
    EXPECT_EQ(game->Stub(17).updates, updates) << "frozen without the focus";
    bed.windows.focus = gameWindow;
    game->Frame();
    EXPECT_TRUE(game->Stub(17).shown);
    EXPECT_EQ(Logic().GetState(), GameLogicBase::StatePaused);
    game->Stub(17).nextResult = ResultCode::BackToPlay;
    game->Frame();
    game->Frame();
    EXPECT_EQ(Logic().GetState(), GameLogicBase::StatePlaying);
    EXPECT_TRUE(WindowAt<GUIGameLogicWindowBase>(16).IsActive());
    EXPECT_FALSE(game->Stub(17).shown);
}

TEST_F(LevelFlowTest, OptionsAskForTheVideoModeOnlyWhenItChanged)
{
    Load();
    Answer(WindowIndex::MainMenu, ResultCode::Options);
    auto& options = WindowAt<GUIOptionsWindowBase>(WindowIndex::Options);
    VelkorEngine::Config& config = *game->GetEngine()->GetConfig();
    for (u32 width : {640u, 800u, 1024u})
        options.AddVideoMode(width, width * 3 / 4);
    options.Show(StateId::MainMenu);
    options.ApplySettings();
    EXPECT_TRUE(config.IsCommandIdle("g_update_video_mode"));
    options.SetSelectedModeIndex(2);
    options.ApplySettings();
    EXPECT_FALSE(config.IsCommandIdle("g_update_video_mode"));
    game->Frame();
    EXPECT_TRUE(config.IsCommandIdle("g_update_video_mode")) << "the frame carried the request out";
    EXPECT_EQ(*config.GetRenderSettings().videoMode, "1024x768x32");
}

namespace
{
std::vector<FlowEvent> ShowsOnly(const std::vector<FlowEvent>& journal)
{
    std::vector<FlowEvent> shows;
    std::copy_if(journal.begin(), journal.end(), std::back_inserter(shows),
                 [](const FlowEvent& event) { return event.kind == FlowEvent::Show; });
    return shows;
}
}

// A new player's whole first game, window by window, as buttons would drive it, and what it leaves on disk.
TEST_F(LevelFlowTest, AScriptedSessionFromTheFirstProfileToTheHighScores)
{
    Load(false);
    const auto step = [this](u32 window, u32 code) {
        game->Stub(window).nextResult = code;
        game->Frame();
        game->Frame();
    };
    WindowAt<GUIWelcomeWindowBase>(WindowIndex::Welcome).CreateProfile(L"Ann");
    step(WindowIndex::Welcome, ResultCode::MainMenu);
    step(WindowIndex::MainMenu, ResultCode::Profiles);
    step(WindowIndex::Profiles, ResultCode::NewProfile);
    ASSERT_TRUE(WindowAt<GUINewProfileWindowBase>(WindowIndex::NewProfile).CreateProfile(L"Bob"));
    step(WindowIndex::NewProfile, ResultCode::Profiles);
    step(WindowIndex::Profiles, ResultCode::MainMenu);
    step(WindowIndex::MainMenu, ResultCode::Start);
    const u32 stageResults[] = {0, ResultCode::LevelMap, ResultCode::GameComplete};
    for (u32 level = 0; level < 3; ++level)
    {
        step(WindowIndex::StartGame, ResultCode::Start);
        step(WindowIndex::GameLogicLoading, ResultCode::Done);
        ASSERT_NE(game->GetGameLogic(), nullptr) << level;
        Logic().SetPoints(100 * (level + 1));
        Logic().PauseTimer(false);
        bed.clock.AdvanceSeconds(30.0 + level);
        Logic().SetState(GameLogicBase::StateLevelComplete);
        game->Frame();
        game->Stub(WindowIndex::StageComplete).resultOnShow = stageResults[level];
        step(WindowIndex::LevelComplete, level == 0 ? ResultCode::LevelMap : ResultCode::StageComplete);
    }
    step(WindowIndex::GameComplete, ResultCode::Done);
    step(WindowIndex::HighScores, ResultCode::MainMenu);

    EXPECT_EQ(ShowsOnly(game->journal),
              (std::vector<FlowEvent>{Shown(0, 1),   Shown(1, 2),   Shown(3, 3),   Shown(5, 4),   Shown(6, 6),
                                      Shown(7, 10),  Shown(6, 11),  Shown(5, 10),  Shown(11, 6),  Shown(2, 15),
                                      Shown(16, 16), Shown(22, 17), Shown(11, 22), Shown(2, 15),  Shown(16, 16),
                                      Shown(22, 17), Shown(23, 22), Shown(11, 23), Shown(2, 15),  Shown(16, 16),
                                      Shown(22, 17), Shown(23, 22), Shown(24, 23), Shown(13, 24), Shown(5, 7)}));
    EXPECT_EQ(game->GetGameLogic(), nullptr);

    const auto profiles = ReadProfiles();
    ASSERT_EQ(profiles->GetProfileCount(), 2u);
    const ProfileBase& bob = *profiles->GetCurrentProfile();
    EXPECT_EQ(bob.name, L"Bob");
    EXPECT_EQ((LevelPosition{bob.mapStage, bob.mapLevel}), (LevelPosition{1, 0}));
    EXPECT_EQ((LevelPosition{bob.furthestStage, bob.furthestLevel}), (LevelPosition{1, 0}));
    EXPECT_EQ(bob.furthestFlag, 1);
    EXPECT_EQ(bob.gameInProgress, 0);
    EXPECT_EQ(bob.score, 600u);
    EXPECT_EQ(bob.GetBestTimes().size(), 3u);
    EXPECT_EQ(profiles->FindProfile(L"Ann")->score, 0u);
    EXPECT_EQ(profiles->GetBestTimeCount(), 3u);
    for (u32 index = 0; index < 3; ++index)
        EXPECT_EQ(profiles->GetBestTimeRecord(index).holder, L"Bob");

    const HighScoresTable scores(game->GetEngine(), 10, game->GetUserDataFolder());
    ASSERT_EQ(scores.GetCount(0), 1u);
    EXPECT_EQ(scores.GetEntry(0, 0)->name, L"Bob");
    EXPECT_EQ(scores.GetEntry(0, 0)->score, 600u);
}

// The start-game window comes before the level-complete window in the dispatch order: the result it keeps
// from its show is handled in the next round of the same frame.
TEST_F(LevelFlowTest, AResultKeptFromAShowEarlierInTheOrderIsHandledInTheNextRound)
{
    Load();
    PlayAt(0, 0, 10, 1.0);
    game->GetWindow(WindowIndex::LevelComplete)->Show(StateId::Play);
    game->Stub(WindowIndex::StartGame).resultOnShow = ResultCode::Start;
    Answer(WindowIndex::LevelComplete, ResultCode::LevelMap);
    EXPECT_EQ(game->journal,
              (std::vector<FlowEvent>{Hidden(22), Hidden(16), Shown(11, 22), Hidden(11), Shown(2, 15)}));
    EXPECT_EQ(game->gameLogicDataMade, 1u);
}
