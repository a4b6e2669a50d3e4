// The frame of the whole program on the engine twins: the freeze without focus (in play and in a menu) with
// the music paused at once and faded back in, the video-mode change two frames after its request, the reset
// of the render system, and the debug commands' log lines.
#include "framework/GameBase.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/sound/Sound.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameSoundChannel.h"
#include "framework/GameSoundPlayer.h"
#include "tests/framework/TestGame.h"

#include <gtest/gtest.h>

using namespace GameFramework;
using FrameworkTest::GameEnvironment;
using FrameworkTest::TestGame;
using FrameworkTest::TestGameScript;
using VelkorEngine::MessageManager;
using VelkorEngine::Sound;

namespace
{
class GameBaseFrameTest : public testing::Test
{
protected:
    explicit GameBaseFrameTest(bool ignoreFocusLoss = false)
    {
        environment.WriteStartupData();
        TestGameScript script;
        script.withMusic = true;
        script.ignoreFocusLoss = ignoreFocusLoss;
        game = std::make_unique<TestGame>(environment, script);
        config = game->GetEngine()->GetConfig();
    }

    void LoseFocus()
    {
        environment.bed.windows.focusFollowsRequests = false;
        environment.bed.windows.focus = nullptr;
    }
    void RegainFocus() { environment.bed.windows.focus = game->GetEngine()->GetWindow()->GetHandle(); }

    // One frame, and the sleeps the frame took.
    int FrameSleeps()
    {
        const int before = environment.bed.journal.Count("sleep 100");
        game->Frame();
        return environment.bed.journal.Count("sleep 100") - before;
    }

    GameSoundChannel& Music() const { return *game->GetSoundPlayer()->GetSlotChannel(0); }
    void PlayMusic()
    {
        game->GetSoundPlayer()->PlayMusic(0, 0, 0, 0.0f);
        game->Frame();
        ASSERT_EQ(Music().GetState(), Sound::Playing);
    }
    // Paused at once: no fade on the way.
    void ExpectMusicPausedAtOnce() const
    {
        EXPECT_EQ(Music().GetState(), Sound::Paused);
        EXPECT_EQ(Music().GetFadeState(), GameSoundChannel::FadeNone);
    }
    void ExpectMusicFadingBackIn() const
    {
        EXPECT_EQ(Music().GetState(), Sound::Playing);
        EXPECT_EQ(Music().GetFadeState(), GameSoundChannel::FadeIn);
        EXPECT_FLOAT_EQ(Music().GetFadeSpeed(), 0.5f);
    }

    GUIGameLogicWindowBase& PlayWindow() const { return *static_cast<GUIGameLogicWindowBase*>(game->GetWindow(16)); }

    // The log's message lines of the last frame, without their line ends.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> lines = game->Records(MessageManager::KindMessage);
        for (std::string& line : lines)
            while (!line.empty() && line.back() == '\n')
                line.pop_back();
        return lines;
    }

    GameEnvironment environment;
    std::unique_ptr<TestGame> game;
    VelkorEngine::Config* config = nullptr;
};

class GameBaseFrameWithoutFocusHandlingTest : public GameBaseFrameTest
{
protected:
    GameBaseFrameWithoutFocusHandlingTest() : GameBaseFrameTest(true) {}
};
}

TEST_F(GameBaseFrameTest, LosingTheFocusInPlayShowsThePauseWindowInTheSameFrame)
{
    game->StartPlay();
    PlayMusic();
    ASSERT_TRUE(PlayWindow().IsActive());
    LoseFocus();

    EXPECT_EQ(FrameSleeps(), 0);
    EXPECT_TRUE(game->IsInactive());
    EXPECT_EQ(game->GetGameLogic()->GetState(), GameLogicBase::StatePaused);
    EXPECT_FALSE(PlayWindow().IsActive());
    EXPECT_EQ(game->GetWindow(17)->GetStateId(), 1u);
    ExpectMusicPausedAtOnce();

    EXPECT_EQ(FrameSleeps(), 1);
    EXPECT_EQ(FrameSleeps(), 1);
    EXPECT_TRUE(game->GetGameLogic()->IsTimerPaused());

    RegainFocus();
    EXPECT_EQ(FrameSleeps(), 0);
    EXPECT_FALSE(game->IsInactive());
    ExpectMusicFadingBackIn();
    // The player resumes from the pause window; the focus alone does not.
    EXPECT_EQ(game->GetGameLogic()->GetState(), GameLogicBase::StatePaused);
    EXPECT_TRUE(game->GetGameLogic()->IsTimerPaused());
    EXPECT_EQ(game->GetWindow(17)->GetStateId(), 1u);
}

TEST_F(GameBaseFrameTest, LosingTheFocusInAMenuFreezesAtOnceAndTheMusicFadesBackIn)
{
    PlayMusic();
    LoseFocus();
    const float before = game->GetEngine()->GetTimerManager()->GetFrameTimer()->GetTime();
    EXPECT_EQ(FrameSleeps(), 1);
    EXPECT_TRUE(game->IsInactive());
    ExpectMusicPausedAtOnce();
    // A frozen frame does no game work: a debug command waits for the focus.
    config->Execute("d_get_manages_occupation");
    EXPECT_EQ(FrameSleeps(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(config->IsCommandIdle("d_get_manages_occupation"));
    EXPECT_EQ(game->GetWindow(0)->GetStateId(), 1u);

    RegainFocus();
    EXPECT_EQ(FrameSleeps(), 0);
    EXPECT_FALSE(game->IsInactive());
    ExpectMusicFadingBackIn();
    EXPECT_EQ(Messages().size(), 5u);
    EXPECT_GT(game->GetEngine()->GetTimerManager()->GetFrameTimer()->GetTime(), before);
}

TEST_F(GameBaseFrameTest, AFocusLossDuringAPausedGameKeepsItsTimerStateForTheReturn)
{
    game->StartPlay();
    game->GetGameLogic()->Pause(true);
    game->GetGameLogic()->PauseTimer(false);
    LoseFocus();
    EXPECT_EQ(FrameSleeps(), 1);
    EXPECT_TRUE(game->GetGameLogic()->IsTimerPaused());
    EXPECT_EQ(game->GetWindow(17)->GetStateId(), 0u);
    RegainFocus();
    game->Frame();
    EXPECT_FALSE(game->GetGameLogic()->IsTimerPaused());
}

TEST_F(GameBaseFrameTest, AWindowModeChangeIsAppliedTwoFramesAfterItsRequest)
{
    VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
    ASSERT_EQ(window.GetWidth(), 800u);
    config->Execute("v_mode 1024x768x32");
    config->SetCommandIdle("v_window_change_mode", 0);

    game->Frame();
    EXPECT_FALSE(config->IsCommandIdle("v_window_change_mode"));
    EXPECT_TRUE(config->IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(window.GetWidth(), 800u);

    game->Frame();
    EXPECT_TRUE(config->IsCommandIdle("v_window_change_mode"));
    EXPECT_FALSE(config->IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(window.GetWidth(), 800u);
    EXPECT_EQ(game->resets, 0);

    game->Frame();
    EXPECT_TRUE(config->IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(game->resets, 1);
    EXPECT_EQ(window.GetWidth(), 1024u);

    game->Frame();
    EXPECT_EQ(game->resets, 1);
}

TEST_F(GameBaseFrameTest, AModeChangeResetsTheRenderSystemAndLocksTheInput)
{
    PlayMusic();
    config->Execute("v_mode 1024x768x32");
    config->Execute("g_update_video_mode");
    // A key typed and not yet taken keeps a lock beyond the frame that set it.
    SendMessage(game->GetEngine()->GetWindow()->GetHandle(), WM_CHAR, 'a', 0);
    game->Frame();
    EXPECT_EQ(game->resets, 1);
    EXPECT_EQ(game->GetEngine()->GetRenderSystem()->IsResetPending(), 0);
    EXPECT_TRUE(game->GetEngine()->GetControls()->IsLocked());
    ExpectMusicFadingBackIn();
}

TEST_F(GameBaseFrameTest, TheSameModeAsksForNoReset)
{
    config->Execute("g_update_video_mode");
    SendMessage(game->GetEngine()->GetWindow()->GetHandle(), WM_CHAR, 'a', 0);
    game->Frame();
    EXPECT_TRUE(config->IsCommandIdle("g_update_video_mode"));
    EXPECT_EQ(game->resets, 0);
    EXPECT_FALSE(game->GetEngine()->GetControls()->IsLocked());
}

TEST_F(GameBaseFrameTest, DebugCommandsPrintTheirLinesOncePerRequest)
{
    VelkorEngine::TextureManager& textures = *game->GetEngine()->GetShaderManager()->GetTextureManager();
    std::vector<VelkorEngine::Texture2D*> loaded;
    textures.GetTextures(loaded);
    ASSERT_EQ(loaded.size(), 1u);
    const std::string memory =
        VelkorEngine::FloatToString(static_cast<float>(textures.GetTextureMemory()) / 1048576.0f, 2);
    struct Case
    {
        const char* command;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"d_get_used_video_memory_size", {"Video Memory Used: " + memory + " Mb"}},
        {"d_get_manages_occupation",
         {"Shader users count: " + std::to_string(game->GetEngine()->GetShaderManager()->GetShaderUserCount()),
          "Shaders count: " + std::to_string(game->GetEngine()->GetShaderManager()->GetShaderCount()),
          "Textures count: 1", "Models count: " + std::to_string(game->GetEngine()->GetModelManager()->GetModelCount()),
          "Sounds count: 2"}},
        {"d_get_loaded_textures", {"Texture 0: " + loaded[0]->GetKeyName()}},
    };
    for (const Case& c : cases)
    {
        for (int request = 0; request < 2; ++request)
        {
            config->Execute(c.command);
            game->Frame();
            EXPECT_EQ(Messages(), c.lines) << c.command;
            EXPECT_TRUE(config->IsCommandIdle(c.command));
        }
        game->Frame();
        EXPECT_TRUE(Messages().empty()) << c.command;
    }
}

TEST_F(GameBaseFrameTest, TheVideoMemoryLineCountsMegabytesWithTwoDecimals)
{
    config->Execute("d_get_used_video_memory_size");
    game->Frame();
    const std::vector<std::string> lines = Messages();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Video Memory Used: 0.", 0), 0u) << lines[0];
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), " Mb");
    EXPECT_EQ(lines[0].size(), std::string("Video Memory Used: 0.00 Mb").size());
}

TEST_F(GameBaseFrameWithoutFocusHandlingTest, AWindowThatIgnoresFocusLossKeepsThePlayGoing)
{
    game->StartPlay();
    PlayMusic();
    LoseFocus();
    EXPECT_EQ(FrameSleeps(), 0);
    EXPECT_EQ(FrameSleeps(), 0);
    EXPECT_FALSE(game->IsInactive());
    EXPECT_EQ(game->GetGameLogic()->GetState(), GameLogicBase::StatePlaying);
    EXPECT_EQ(Music().GetState(), Sound::Playing);
}
