// The loader's guard and message loop: a normal quit, a fatal error and any other error turned into the
// "Fatal Error" box after the game has gone, the exit request honoured after one more message, and the
// return code the process hands its shell.
#include "framework/GameLoaderBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Window.h"
#include "tests/framework/TestGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace GameFramework;
using FrameworkTest::GameEnvironment;
using FrameworkTest::TestGame;
using FrameworkTest::TestGameScript;

namespace
{
class TestLoader : public GameLoaderBase
{
public:
    TestLoader(GameEnvironment& environment, TestGameScript script)
        : GameLoaderBase(nullptr, nullptr, "-window", 1), m_environment(environment), m_script(std::move(script))
    {
    }

    void CreateGame() override
    {
        if (makeNoGame)
            return;
        m_game = std::make_unique<TestGame>(m_environment, m_script);
    }

    TestGame& Game() const { return *static_cast<TestGame*>(m_game.get()); }

    bool makeNoGame = false;

private:
    GameEnvironment& m_environment;
    TestGameScript m_script;
};

class GameLoaderBaseTest : public testing::Test
{
protected:
    GameLoaderBaseTest() { environment.WriteStartupData(); }

    const auto& Boxes() const { return environment.bed.windows.messageBoxes; }

    // A script whose frames run the framework's frame and call the given step after it.
    TestGameScript Frames(std::function<void(int frame)> step)
    {
        TestGameScript script;
        script.frame = [this, step, frame = 0]() mutable {
            loader->Game().GameBase::Frame();
            step(++frame);
        };
        return script;
    }

    GameEnvironment environment;
    std::unique_ptr<TestLoader> loader;
};
}

TEST_F(GameLoaderBaseTest, ANormalQuitDestroysTheGameOnceAndShowsNoBox)
{
    loader = std::make_unique<TestLoader>(environment, Frames([this](int frame) {
        if (frame == 3)
            loader->Game().GetEngine()->RequestExit();
    }));
    loader->Run();
    EXPECT_EQ(loader->GetExitCode(), GameLoaderBase::ExitNormal);
    EXPECT_EQ(loader->GetGame(), nullptr);
    EXPECT_TRUE(Boxes().empty());
    const std::vector<std::string> destroyed = FrameworkTest::DestroyedObjects();
    EXPECT_EQ(std::count(destroyed.begin(), destroyed.end(), "logos window"), 1);
    EXPECT_EQ(std::count(destroyed.begin(), destroyed.end(), "game data"), 1);
    loader->DestroyGame();
    EXPECT_EQ(FrameworkTest::DestroyedObjects(), destroyed);
}

TEST_F(GameLoaderBaseTest, TheFrameRunsUntilTheEngineIsAskedToQuit)
{
    int frames = 0;
    loader = std::make_unique<TestLoader>(environment, Frames([this, &frames](int frame) {
        frames = frame;
        if (frame == 5)
            loader->Game().GetEngine()->GetConfig()->Execute("exit");
    }));
    loader->Run();
    EXPECT_EQ(frames, 5);
}

TEST_F(GameLoaderBaseTest, AFatalErrorShowsItsOwnTextInTheFatalErrorBox)
{
    TestGameScript script;
    script.failingFactory = "game data";
    loader = std::make_unique<TestLoader>(environment, script);
    loader->Run();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "No game data today");
    EXPECT_EQ(Boxes()[0].caption, "Fatal Error");
    EXPECT_TRUE(Boxes()[0].error);
    EXPECT_EQ(loader->GetExitCode(), GameLoaderBase::ExitFailed);
    EXPECT_EQ(loader->GetGame(), nullptr);
}

TEST_F(GameLoaderBaseTest, AnyOtherErrorFromAFrameShowsUnhandledExceptionAfterTheGameHasGone)
{
    loader = std::make_unique<TestLoader>(environment, Frames([](int frame) {
        if (frame == 2)
            throw VelkorEngine::FileError("Failed to open \"x\" file!");
    }));
    loader->Run();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Unhandled exception!");
    EXPECT_EQ(Boxes()[0].caption, "Fatal Error");
    EXPECT_EQ(loader->GetExitCode(), GameLoaderBase::ExitFailed);
    EXPECT_EQ(loader->GetGame(), nullptr);
    const int box = environment.bed.journal.Find("window ShowMessageBox");
    EXPECT_GE(box, 0);
    EXPECT_LT(environment.bed.journal.Find("destroyed logos window"), box);
    EXPECT_EQ(environment.bed.journal.Count("destroyed logos window"), 1);
}

TEST_F(GameLoaderBaseTest, AnExceptionOfNoKnownKindIsCaughtToo)
{
    loader = std::make_unique<TestLoader>(environment, Frames([](int) { throw 42; }));
    loader->Run();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Unhandled exception!");
    EXPECT_EQ(loader->GetExitCode(), GameLoaderBase::ExitFailed);
}

TEST_F(GameLoaderBaseTest, AfterTheExitRequestOneMoreMessageIsHandledAndNoFrame)
{
    loader = std::make_unique<TestLoader>(environment, TestGameScript{});
    loader->CreateGame();
    const HWND window = loader->Game().GetEngine()->GetWindow()->GetHandle();
    MSG stale;
    while (PeekMessage(&stale, nullptr, 0, 0, PM_REMOVE))
    {
    }
    for (int i = 0; i < 3; ++i)
        PostMessage(window, WM_CHAR, 'a' + i, 0);
    loader->Game().GetEngine()->RequestExit();
    loader->RunMessageLoop();
    EXPECT_EQ(loader->Game().frames, 0);
    VelkorEngine::Window& gameWindow = *loader->Game().GetEngine()->GetWindow();
    EXPECT_EQ(gameWindow.GetTypedKey(), 'a');
    gameWindow.ClearTypedKey();
    EXPECT_EQ(gameWindow.IsTypedKeyPending(), 0);
    int left = 0;
    while (PeekMessage(&stale, nullptr, 0, 0, PM_REMOVE))
        ++left;
    EXPECT_EQ(left, 2);
    loader->DestroyGame();
}

TEST_F(GameLoaderBaseTest, ALoaderThatMadeNoGameEndsAtOnce)
{
    loader = std::make_unique<TestLoader>(environment, TestGameScript{});
    loader->makeNoGame = true;
    loader->Run();
    EXPECT_EQ(loader->GetExitCode(), GameLoaderBase::ExitNormal);
    EXPECT_TRUE(Boxes().empty());
}
