// The game object on the engine's twins with the generated data set installed: its settings and sound
// table, the start-up through the publisher picture and the start-up loading to the first menu with the menu
// music, the background and the cursor's trail, and what the game adds to the window flow's handlers.
#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/sound/Sound.h"
#include "framework/DataKeeper.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameSoundChannel.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GUIBackground.h"
#include "game/app/GUIGameCursor.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GUIWelcomeWindow.h"
#include "game/app/Profile.h"
#include "tests/support/InstalledGameBed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace GameFramework;
using Korvane::Game;

namespace
{
class GameTest : public testing::Test
{
protected:
    GameTest() : bed(KORVANE_DATA_ROOT, std::string("SOFTWARE\\") + Game::MakerName + "\\" + Game::Title)
    {
    }

    Game& Start()
    {
        game = std::make_unique<Game>();
        return *game;
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            bed.NextFrameTime();
            game->Frame();
        }
    }

    std::string LogText() const { return bed.LogText(Game::MakerName, Game::Title); }

    bool Logged(const std::string& text) const { return LogText().find(text) != std::string::npos; }

    std::vector<std::string> Problems() const { return bed.LogProblems(Game::MakerName, Game::Title); }

    // Frames until the start-up loading has ended and the first menu shows; false after 20 seconds.
    bool RunToTheMenus()
    {
        for (int frame = 0; frame < 1200 && !Logged(Game::MenusBeginMessage); ++frame)
            Frames(1);
        Frames(5);
        return Logged(Game::MenusBeginMessage);
    }

    // From the menus through the level map's start to a level loaded for a new player.
    void StartALevelFromTheMenus()
    {
        ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ann"), 1);
        game->GetWindow(WindowIndex::Welcome)->Hide();
        StartTheMapsLevel();
    }

    void StartTheMapsLevel()
    {
        game->GetWindow(WindowIndex::StartGame)->SetResultCode(ResultCode::Start);
        for (int frame = 0; frame < 600 && game->GetGameLogic() == nullptr; ++frame)
            Frames(1);
        ASSERT_NE(game->GetGameLogic(), nullptr);
    }

    Korvane::GUIGameCursor& Cursor() const { return *static_cast<Korvane::GUIGameCursor*>(game->GetGameCursor()); }
    u32 MusicState(u32 slot) const { return game->GetSoundPlayer()->GetMusicState(slot); }

    TestSupport::InstalledGameBed bed;
    std::unique_ptr<Game> game;
};
}

TEST_F(GameTest, StartsWithTheGamesVolumesVideoModeAndWholeSoundTable)
{
    Start();
    VelkorEngine::Config& config = *game->GetEngine()->GetConfig();
    std::string text;
    config.GetDefaultValue(text, "g_music_volume");
    EXPECT_EQ(text, "0.285000");
    config.GetDefaultValue(text, "g_sound_volume");
    EXPECT_EQ(text, "0.315000");
    config.GetDefaultValue(text, "v_mode");
    EXPECT_EQ(text, "1024x768x32");
    EXPECT_EQ(game->GetSoundPlayer()->GetEffectInstances().size(), 31u + 13u);
    EXPECT_NE(game->GetSoundPlayer()->FindChannel(0), nullptr);
    EXPECT_NE(game->GetSoundPlayer()->FindChannel(1), nullptr);
    EXPECT_EQ(game->GetMakerName(), "Tarnwick Games");
    EXPECT_EQ(game->GetVersion(), 100u);
    EXPECT_EQ(Problems(), std::vector<std::string>{});
}

TEST_F(GameTest, TheStartUpLoadingLoadsTheBackgroundsOwnListFirstThenThePlayObjectsThenTheMenus)
{
    Start();
    EXPECT_EQ(game->GetGameData()->GetQueuedFiles(),
              (std::vector<std::string>{"data\\ui\\background\\resources_additional.xml",
                                        "data\\game_objects\\resources.xml", "data\\ui\\resources_additional.xml"}));
    // The lists loaded at once already hold what the background and the loading screen show.
    EXPECT_GT(game->GetGameData()->GetShaderUserCount(), 0u);
}

TEST_F(GameTest, TheStartUpReachesTheWelcomeWindowWithTheMenuMusicBackgroundAndTrail)
{
    Start();
    EXPECT_EQ(MusicState(0), VelkorEngine::Sound::Stopped) << "no music during the publisher's picture";
    ASSERT_TRUE(RunToTheMenus());
    EXPECT_EQ(Problems(), std::vector<std::string>{});
    EXPECT_NE(MusicState(0), VelkorEngine::Sound::Stopped);
    EXPECT_TRUE(game->GetBackground()->IsShown());
    ASSERT_NE(Cursor().GetTrail(), nullptr);
    EXPECT_EQ(Cursor().GetTrail()->active, 1);
    EXPECT_TRUE(Cursor().IsCursorVisible());
    auto* welcomeWindow = dynamic_cast<Korvane::GUIWelcomeWindow*>(game->GetWindow(WindowIndex::Welcome));
    ASSERT_NE(welcomeWindow, nullptr);
    Korvane::GUIMenuWindow* welcome = &welcomeWindow->GetMenuWindow();
    EXPECT_TRUE(welcome->IsShown());
    EXPECT_EQ(game->GetMenuWindowManager()->GetTokenHolder(), welcome);
    // The background's front window holds every menu window.
    EXPECT_EQ(welcome->GetWindow()->GetParent(), game->GetBackground()->GetTopWindow());
}

TEST_F(GameTest, LeavingPlayForTheMenusStopsTheTracksAndBringsBackTheMenuMusicAndBackground)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    game->GetSoundPlayer()->StopAllMusic(0, 1.0f);
    game->GetBackground()->Show(false, false, 1.0f);
    game->GetWindow(WindowIndex::GameLogicMenuExit)->SetResultCode(ResultCode::MainMenu);
    game->ProcessGameLogicMenuExitWindow();
    EXPECT_NE(MusicState(0), VelkorEngine::Sound::Stopped);
    EXPECT_TRUE(game->GetBackground()->IsShown());
}

TEST_F(GameTest, TheGameCompleteScreenIsShownOncePerProfile)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    ProfileManagerBase& profiles = *game->GetProfileManager();
    profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ann"), 1);
    auto& profile = static_cast<Korvane::Profile&>(*profiles.GetCurrentProfile());
    ASSERT_TRUE(profile.IsGameCompleteShowPending()) << "a new player has not seen it";

    game->GetWindow(WindowIndex::GameComplete)->SetResultCode(ResultCode::Done);
    game->ProcessGameCompleteWindow();
    EXPECT_FALSE(profile.IsGameCompleteShowPending());

    // The cleared flag is in the profile's file.
    Korvane::Profile reread(game->GetEngine(), game->GetUserDataFolder());
    reread.Load(profile.GetFileName());
    EXPECT_FALSE(reread.IsGameCompleteShowPending());
}

TEST_F(GameTest, TheTrailFollowsTheWayInAndOutOfPlay)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    game->GetWindow(WindowIndex::GameLogicPause)->SetResultCode(ResultCode::BackToPlay);
    game->ProcessGameLogicPauseWindow();
    EXPECT_FALSE(Cursor().IsTrailEnabled()) << "back in play";
    game->ShowGameOver();
    EXPECT_TRUE(Cursor().IsTrailEnabled()) << "the game-over window is a menu";
}

TEST_F(GameTest, ALoadedLevelStartsThePlayTrackHidesTheBackgroundAndTurnsTheTrailOff)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    ProfileManagerBase& profiles = *game->GetProfileManager();
    profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ann"), 1);
    // The way in goes through the level map, with the first menu gone.
    game->GetWindow(WindowIndex::Welcome)->Hide();
    game->GetWindow(WindowIndex::StartGame)->SetResultCode(ResultCode::Start);
    Frames(1);
    EXPECT_FALSE(Cursor().IsCursorVisible()) << "hidden while the level loads";
    for (int frame = 0; frame < 600 && game->GetGameLogic() == nullptr; ++frame)
        Frames(1);
    ASSERT_NE(game->GetGameLogic(), nullptr);
    EXPECT_EQ(Problems(), std::vector<std::string>{});
    EXPECT_NE(MusicState(1), VelkorEngine::Sound::Stopped);
    EXPECT_EQ(game->GetSoundPlayer()->GetSlotChannel(1), game->GetSoundPlayer()->FindChannel(1));
    EXPECT_FALSE(Cursor().IsTrailEnabled());
    EXPECT_TRUE(Cursor().IsCursorVisible());
    Frames(90);
    EXPECT_FALSE(game->GetBackground()->IsShown()) << "faded out within a second";
    EXPECT_EQ(MusicState(0), VelkorEngine::Sound::Stopped) << "the menu track faded out within a second";
    EXPECT_EQ(game->GetGameMusicIndex(), 0u) << "one play track: the index wraps at once";
}

TEST_F(GameTest, ALevelRestartedWhileThePlayTrackFadesOutHasItsMusic)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    ASSERT_NO_FATAL_FAILURE(StartALevelFromTheMenus());
    Frames(120);
    ASSERT_EQ(MusicState(1), VelkorEngine::Sound::Playing);

    // The restart question answered: every track fades towards its pause, and the level is at once loaded
    // again, well within the second the fade lasts.
    game->GetWindow(WindowIndex::GameLogicRestart)->SetResultCode(ResultCode::LevelMap);
    Frames(1);
    ASSERT_EQ(game->GetGameLogic(), nullptr);
    game->GetWindow(WindowIndex::StartGame)->Hide();
    ASSERT_NO_FATAL_FAILURE(StartTheMapsLevel());
    Frames(120);
    EXPECT_EQ(MusicState(1), VelkorEngine::Sound::Playing);
    // Fading in again at the play track's slow speed.
    const f32 level = game->GetSoundPlayer()->GetSlotChannel(1)->GetFadeLevel();
    Frames(60);
    EXPECT_GT(game->GetSoundPlayer()->GetSlotChannel(1)->GetFadeLevel(), level);
}

TEST_F(GameTest, ALevelStartedWhileThePlayTrackFadesToAStopHasItsMusic)
{
    Start();
    ASSERT_TRUE(RunToTheMenus());
    ASSERT_NO_FATAL_FAILURE(StartALevelFromTheMenus());
    // The play track's slow fade-in is over: it is heard at its full level.
    GameSoundChannel& track = *game->GetSoundPlayer()->GetSlotChannel(1);
    track.SetFade(GameSoundChannel::FadeNone, 0.0f);
    track.SetFadeLevel(1.0f);
    Frames(1);
    ASSERT_EQ(MusicState(1), VelkorEngine::Sound::Playing);

    // Back to the main menu: every track fades out to a stop, and a level is started again at once, well
    // within the second the fade lasts.
    game->GetWindow(WindowIndex::GameLogicMenuExit)->SetResultCode(ResultCode::MainMenu);
    Frames(1);
    ASSERT_EQ(game->GetGameLogic(), nullptr);
    ASSERT_EQ(game->GetSoundPlayer()->GetSlotChannel(1)->GetFadeState(),
              static_cast<u32>(GameSoundChannel::FadeOutThenStop));
    game->GetWindow(WindowIndex::MainMenu)->Hide();
    game->GetWindow(WindowIndex::StartGame)->SetResultCode(ResultCode::Start);
    for (int frame = 0; frame < 600 && game->GetGameLogic() == nullptr; ++frame)
        Frames(1);
    ASSERT_NE(game->GetGameLogic(), nullptr);
    Frames(120);
    EXPECT_EQ(MusicState(1), VelkorEngine::Sound::Playing);
    EXPECT_GT(game->GetSoundPlayer()->GetSlotChannel(1)->GetFadeLevel(), 0.0f);
}
