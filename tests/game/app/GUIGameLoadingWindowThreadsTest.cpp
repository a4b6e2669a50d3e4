// The loading screens, with the load on its worker thread: it starts once the window is on screen and its title
// has finished printing, runs once per show, and a window shown without a keeper never reports that it is done.
#include "game/app/GUIGameLoadingWindow.h"

#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "game/app/GUIGameLogicLoadingWindow.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace VelkorEngine;
using Korvane::GUIGameLoadingWindow;

namespace
{
class CountingKeeper : public GameTools::DataKeeper
{
public:
    explicit CountingKeeper(Engine* engine) : DataKeeper(engine, "en") {}
    void LoadQueuedFiles() override { ++loads; }

    std::atomic<int> loads{0};
};

class GUIGameLoadingWindowThreadsTest : public testing::Test
{
protected:
    void Build(const std::string& description)
    {
        bed.WriteDescription("loading.xml", description);
        Engine* engine = &bed.gui.engine.GetEngine();
        data = std::make_unique<Korvane::GameData>(engine, "en");
        manager = std::make_unique<Korvane::GUIMenuWindowManager>(data.get());
        player = std::make_unique<GameFramework::GameSoundPlayer>(engine, 0.5f, 0.5f);
        keeper = std::make_unique<CountingKeeper>(engine);
        window = std::make_unique<GUIGameLoadingWindow>(engine, player.get(), data.get(), &bed.Tools(), manager.get(),
                                                        nullptr);
    }

    // The frames as the game runs them: the window's update, then the menu windows' transitions. The
    // number of the frame whose update reported the end of the load, or 0.
    int FramesUntilDone(int most)
    {
        for (int frame = 1; frame <= most; ++frame)
        {
            bed.gui.RunFrame();
            window->Update();
            manager->Update();
            if (window->GetResultCode() == GameFramework::ResultCode::Done)
                return frame;
        }
        return 0;
    }

    TestSupport::WindowDescriptionBed bed;
    std::unique_ptr<Korvane::GameData> data;
    std::unique_ptr<Korvane::GUIMenuWindowManager> manager;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
    std::unique_ptr<CountingKeeper> keeper;
    std::unique_ptr<GUIGameLoadingWindow> window;
};
}

TEST_F(GUIGameLoadingWindowThreadsTest, WithoutATitleTheLoadRunsInTheSecondShownFrame)
{
    Build("<window name=\"window_game_loading\"><window name=\"window\"/></window>");
    window->Show(GameFramework::StateId::Logos, keeper.get());
    // Frame 1 brings the window on screen, frame 2 is its first shown frame.
    EXPECT_EQ(FramesUntilDone(10), 3);
    EXPECT_EQ(keeper->loads, 1);
    EXPECT_TRUE(window->IsDone());
}

TEST_F(GUIGameLoadingWindowThreadsTest, TheLoadWaitsUntilTheTitleHasFinishedPrinting)
{
    Build("<window name=\"window_game_loading\"><text_label name=\"title\" font=\"text\" text=\"'loading...'\" "
          "printing_mode=\"1\" printing_speed=\"30\"/></window>");
    window->Show(GameFramework::StateId::Logos, keeper.get());
    // Ten characters at 30 a second: a third of a second, 20 frames.
    const int frames = FramesUntilDone(60);
    EXPECT_GE(frames, 21);
    EXPECT_LE(frames, 24);
    EXPECT_EQ(keeper->loads, 1);
}

// A title font the font list does not hold leaves a title that can never print: the load must not wait on it.
TEST_F(GUIGameLoadingWindowThreadsTest, ATitleWithoutAKnownFontDoesNotHoldTheLoad)
{
    // The title comes in a moment after its window, as on the real loading screen.
    bed.WriteFaders("<fader name=\"title\" type=\"timed\" show_speed=\"3\" hide_speed=\"5\" show_offset=\"0.1\"/>");
    Build("<window name=\"window_game_loading\"><text_label name=\"title\" font=\"titlf\" text=\"'loading...'\" "
          "printing_mode=\"1\" printing_speed=\"30\" fader=\"title\"/></window>");
    // Hidden first, as behind the logos.
    ASSERT_EQ(FramesUntilDone(5), 0);
    window->Show(GameFramework::StateId::Logos, keeper.get());
    EXPECT_GT(FramesUntilDone(60), 0);
    EXPECT_EQ(keeper->loads, 1);
}

TEST_F(GUIGameLoadingWindowThreadsTest, AWindowShownWithoutAKeeperNeverReportsDone)
{
    Build("<window name=\"window_game_loading\"/>");
    window->Show(GameFramework::StateId::Logos, nullptr);
    EXPECT_EQ(FramesUntilDone(20), 0);
    EXPECT_TRUE(window->IsReady());
}

TEST_F(GUIGameLoadingWindowThreadsTest, TheLoadRunsOncePerShow)
{
    Build("<window name=\"window_game_loading\"/>");
    window->Show(GameFramework::StateId::Logos, keeper.get());
    ASSERT_GT(FramesUntilDone(10), 0);
    window->ExpireResult();
    window->Hide();
    EXPECT_EQ(window->GetKeeper(), nullptr);
    EXPECT_FALSE(window->IsDone());
    EXPECT_EQ(FramesUntilDone(10), 0);
    EXPECT_EQ(keeper->loads, 1);

    window->Show(GameFramework::StateId::GameLogicLoading, keeper.get());
    EXPECT_FALSE(window->IsReady());
    EXPECT_GT(FramesUntilDone(60), 0);
    EXPECT_EQ(keeper->loads, 2);
}

TEST_F(GUIGameLoadingWindowThreadsTest, TheLevelLoadingScreenHasItsOwnDescription)
{
    bed.WriteDescription("level.xml", "<window name=\"window_game_logic_loading\"><button name=\"b\"/></window>");
    Build("<window name=\"window_game_loading\"/>");
    Korvane::GUIGameLogicLoadingWindow level(&bed.gui.engine.GetEngine(), nullptr, player.get(), data.get(),
                                             &bed.Tools(), manager.get(), nullptr);
    EXPECT_EQ(level.GetName(), "window_game_logic_loading");
    EXPECT_NE(level.GetButton("window_game_logic_loading/b"), nullptr);
}
