// The play screen's base (the game logic and player it shows, the score, input on and off) and the menu over
// play (the full-screen switch through the window's mode change, the volumes kept on leaving).
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"

#include "engine/core/Config.h"
#include "framework/GameLogicBase.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using GameFramework::ProfileBase;

namespace
{
class GUIGameLogicWindowBasesTest : public testing::Test
{
protected:
    GUIGameLogicWindowBasesTest()
    {
        bed.Start();
        config = bed.GetEngine().GetConfig();
        player = std::make_unique<GameFramework::GameSoundPlayer>(&bed.GetEngine(), 1.0f, 1.0f);
        manager = std::make_unique<FrameworkTest::TestProfileManager>(&bed.GetEngine(), player.get(),
                                                                     bed.folder.Path());
        profile = manager->FindOrCreateProfile(L"Ann");
        manager->SetCurrentProfile(profile, 1);
        logic = std::make_unique<GameFramework::GameLogicBase>(&bed.GetEngine(), player.get(), &stage, &level, 3);
    }

    VelkorEngine::u8 StoredFullScreen() const { return *config->GetRenderSettings().fullScreen; }

    EngineTestBed bed;
    VelkorEngine::Config* config = nullptr;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
    std::unique_ptr<FrameworkTest::TestProfileManager> manager;
    ProfileBase* profile = nullptr;
    GameFramework::StageRecord stage;
    GameFramework::LevelRecord level;
    std::unique_ptr<GameFramework::GameLogicBase> logic;
};
}

TEST_F(GUIGameLogicWindowBasesTest, ThePlayWindowShowsTheLevelsPointsOnTopOfThePlayersScore)
{
    GameFramework::GUIGameLogicWindowBase window(&bed.GetEngine(), manager.get());
    EXPECT_EQ(window.GetScore(), 0u) << "nothing shown yet";
    profile->score = 1200;
    logic->SetPoints(345);
    window.Show(16, logic.get());
    EXPECT_EQ(window.GetStateId(), 16u);
    EXPECT_TRUE(window.IsActive());
    EXPECT_EQ(window.GetGameLogic(), logic.get());
    EXPECT_EQ(window.GetCurrentProfile(), profile);
    EXPECT_EQ(window.GetScore(), 1545u);
    window.SetActive(false);
    EXPECT_FALSE(window.IsActive());
    window.Hide();
    EXPECT_EQ(window.GetGameLogic(), nullptr);
    EXPECT_EQ(window.GetCurrentProfile(), nullptr);
    EXPECT_EQ(window.GetScore(), 0u);
}

TEST_F(GUIGameLogicWindowBasesTest, ThePlayWindowFollowsAFullScreenChangeWhileItIsPending)
{
    GameFramework::GUIGameLogicWindowBase window(&bed.GetEngine(), manager.get());
    window.Show(16, logic.get());
    *config->GetRenderSettings().fullScreen = 1;
    window.Update();
    EXPECT_EQ(window.GetFullScreen(), 0);
    config->SetCommandIdle("v_window_change_mode", 0);
    window.Update();
    EXPECT_EQ(window.GetFullScreen(), 1);
}

TEST_F(GUIGameLogicWindowBasesTest, TheMenuAppliesAChangedWindowModeOnly)
{
    GameFramework::GUIGameLogicMenuWindowBase menu(&bed.GetEngine(), player.get(), manager.get());
    menu.Show(17);
    std::filesystem::remove(bed.folder / "engine.ini");
    menu.ApplyWindowMode();
    EXPECT_TRUE(config->IsCommandIdle("v_window_change_mode"));
    EXPECT_FALSE(std::filesystem::exists(bed.folder / "engine.ini"));
    menu.SetFullScreen(1);
    menu.ApplyWindowMode();
    EXPECT_FALSE(config->IsCommandIdle("v_window_change_mode"));
    EXPECT_EQ(StoredFullScreen(), 1);
    EXPECT_NE(bed.folder.ReadFile("engine.ini").find("v_fullscreen 1"), std::string::npos);
}

TEST_F(GUIGameLogicWindowBasesTest, LeavingTheMenuKeepsTheVolumesInThePlayersProfile)
{
    GameFramework::GUIGameLogicMenuWindowBase menu(&bed.GetEngine(), player.get(), manager.get());
    player->SetSoundVolume(0.4f);
    player->SetMusicVolume(0.2f);
    menu.Show(17);
    EXPECT_EQ(menu.GetSoundVolume(), 0.4f);
    EXPECT_EQ(menu.GetMusicVolume(), 0.2f);
    player->SetMusicVolume(0.7f);
    std::filesystem::remove(bed.folder / "engine.ini");
    menu.Hide();
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "engine.ini"));
    EXPECT_EQ(profile->settings[ProfileBase::SoundVolume], 0.4f);
    EXPECT_EQ(profile->settings[ProfileBase::MusicVolume], 0.7f);
    FrameworkTest::TestProfileManager again(&bed.GetEngine(), player.get(), bed.folder.Path());
    EXPECT_EQ(again.FindProfile(L"Ann")->settings[ProfileBase::MusicVolume], 0.7f);
}

TEST_F(GUIGameLogicWindowBasesTest, LeavingTheMenuWithoutAProfileOnlySavesTheSettings)
{
    GameFramework::GUIGameLogicMenuWindowBase menu(&bed.GetEngine(), player.get(), manager.get());
    manager->SetCurrentProfile(nullptr, 0);
    menu.Show(17);
    menu.Hide();
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "engine.ini"));
}
