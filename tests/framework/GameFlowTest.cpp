// The window flow on a stub game: start-up, every handler's result codes, the level transitions and a whole
// session from the first profile to the high scores, with the files the flow writes.
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "tests/framework/FlowTestGame.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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

// Points the user data and settings folders of the game object into the test's folder for its lifetime.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old, m_hadOld = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (m_hadOld)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_hadOld = false;
};

class GameFlowTest : public testing::Test
{
protected:
    GameFlowTest()
        : m_data("XDG_DATA_HOME", bed.folder / "user"), m_config("XDG_CONFIG_HOME", bed.folder / "config")
    {
        std::filesystem::create_directories(bed.folder / "data/levels");
        std::filesystem::create_directories(bed.folder / "data/ui");
        bed.folder.WriteFile("data/levels/levels.xml", kLevels);
        bed.folder.WriteFile("data/ui/resources_basic.xml", "<resources></resources>");
        bed.parameters.minimizeOnFocusLoss = 1;
    }

    FlowTestGame& Start()
    {
        game = std::make_unique<FlowTestGame>(bed.parameters);
        game->Init();
        return *game;
    }

    EngineTestBed bed;
    std::unique_ptr<FlowTestGame> game;

private:
    ScopedEnvironment m_data;
    ScopedEnvironment m_config;
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
    // With a profile named "Ann" made before the game starts, the start-up loading ends in the main menu.
    void Load(bool withProfile = true)
    {
        Start();
        if (withProfile)
        {
            ProfileManagerBase& profiles = *game->GetProfileManager();
            profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ann"), 1);
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
