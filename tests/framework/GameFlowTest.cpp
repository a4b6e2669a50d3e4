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
