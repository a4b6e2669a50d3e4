// The options screen's working copies: the display mode list, the selection on show, applying (the mode
// change asked for only on a real change, the settings file and the player's volumes always saved) and the
// defaults button.
#include "framework/GUIOptionsWindowBase.h"

#include "engine/core/Config.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using GameFramework::GUIOptionsWindowBase;
using GameFramework::ProfileBase;

namespace
{
constexpr const char* kUpdateVideoMode = "g_update_video_mode";

class GUIOptionsWindowBaseTest : public testing::Test
{
protected:
    GUIOptionsWindowBaseTest()
    {
        bed.Start();
        config = bed.GetEngine().GetConfig();
        config->AddVariable(kUpdateVideoMode, VelkorEngine::Config::KindCommand, 0, 0, nullptr, "", 0);
        player = std::make_unique<GameFramework::GameSoundPlayer>(&bed.GetEngine(), 0.5f, 0.75f);
        manager = std::make_unique<FrameworkTest::TestProfileManager>(&bed.GetEngine(), player.get(),
                                                                     bed.folder.Path());
        profile = manager->FindOrCreateProfile(L"Ann");
        manager->SetCurrentProfile(profile, 1);
        window = std::make_unique<GUIOptionsWindowBase>(&bed.GetEngine(), player.get(), manager.get());
        for (const auto& [width, height] : {std::pair{1024u, 768u}, {800u, 600u}, {1280u, 1024u}, {800u, 600u}})
            window->AddVideoMode(width, height);
    }

    std::string StoredMode() const { return *config->GetRenderSettings().videoMode; }
    void StoreMode(const std::string& mode) { config->SetFromString("v_mode", mode); }
    std::string SettingsPath() const { return bed.folder / "engine.ini"; }

    EngineTestBed bed;
    VelkorEngine::Config* config = nullptr;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
    std::unique_ptr<FrameworkTest::TestProfileManager> manager;
    ProfileBase* profile = nullptr;
    std::unique_ptr<GUIOptionsWindowBase> window;
};
}

TEST_F(GUIOptionsWindowBaseTest, ModesAreListedOnceSortedByWidthThenHeight)
{
    window->AddVideoMode(1024, 600);
    std::vector<std::string> texts;
    for (const auto& mode : window->GetDisplayModes())
        texts.push_back(mode->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"800x600", "1024x600", "1024x768", "1280x1024"}));
    EXPECT_EQ(window->GetDisplayModes()[2]->width, 1024u);
    EXPECT_EQ(window->GetDisplayModes()[2]->height, 768u);
}

TEST_F(GUIOptionsWindowBaseTest, ShowTakesTheStoredModeOrTheDefaultOne)
{
    struct Case
    {
        const char* stored;
        VelkorEngine::u32 index;
        VelkorEngine::u32 bits;
    };
    for (const Case& c : {Case{"1280x1024x16", 2, 16}, Case{"1600x1200x32", 0, 32}, Case{"desktop", 0, 16}})
    {
        StoreMode(c.stored);
        window->Show(6);
        EXPECT_EQ(window->GetSelectedModeIndex(), c.index) << c.stored;
        EXPECT_EQ(window->GetBitsPerPixel(), c.bits) << c.stored;
    }
    EXPECT_EQ(window->GetStateId(), 6u);
    EXPECT_EQ(window->GetDefaultModeIndex(), 0u) << "the default is 800x600x32";
}

TEST_F(GUIOptionsWindowBaseTest, ShowCopiesTheFullScreenFlagAndTheVolumes)
{
    *config->GetRenderSettings().fullScreen = 1;
    player->SetSoundVolume(0.25f);
    player->SetMusicVolume(0.125f);
    window->Show(6);
    EXPECT_EQ(window->GetFullScreen(), 1);
    EXPECT_EQ(window->GetSoundVolume(), 0.25f);
    EXPECT_EQ(window->GetMusicVolume(), 0.125f);
}

TEST_F(GUIOptionsWindowBaseTest, ApplyingWithoutAChangeAsksForNoModeChangeButSavesEverything)
{
    StoreMode("1024X768x32");
    window->Show(6);
    std::filesystem::remove(SettingsPath());
    player->SetSoundVolume(0.25f);
    player->SetMusicVolume(0.125f);
    window->ApplySettings();
    EXPECT_TRUE(config->IsCommandIdle(kUpdateVideoMode));
    EXPECT_EQ(StoredMode(), "1024X768x32") << "a mode that differs only in letter case is no change";
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(profile->settings[ProfileBase::SoundVolume], 0.25f);
    EXPECT_EQ(profile->settings[ProfileBase::MusicVolume], 0.125f);
    FrameworkTest::TestProfileManager again(&bed.GetEngine(), player.get(), bed.folder.Path());
    EXPECT_EQ(again.FindProfile(L"Ann")->settings[ProfileBase::MusicVolume], 0.125f) << "the profile was saved";
}

TEST_F(GUIOptionsWindowBaseTest, AChangedModeOrFullScreenFlagAsksForTheModeChange)
{
    window->Show(6);
    window->SetSelectedModeIndex(2);
    window->ApplySettings();
    EXPECT_FALSE(config->IsCommandIdle(kUpdateVideoMode));
    EXPECT_EQ(StoredMode(), "1280x1024x32");
    EXPECT_NE(bed.folder.ReadFile("engine.ini").find("v_mode 1280x1024x32"), std::string::npos);

    config->SetCommandIdle(kUpdateVideoMode, 1);
    window->Show(6);
    window->SetFullScreen(1);
    window->ApplySettings();
    EXPECT_FALSE(config->IsCommandIdle(kUpdateVideoMode));
    EXPECT_EQ(*config->GetRenderSettings().fullScreen, 1);
}

TEST_F(GUIOptionsWindowBaseTest, ASelectionPastTheListAppliesTheDefaultMode)
{
    StoreMode("1024x768x32");
    window->Show(6);
    window->SetSelectedModeIndex(40);
    window->ApplySettings();
    EXPECT_EQ(StoredMode(), "800x600x32");
}

TEST_F(GUIOptionsWindowBaseTest, WithoutProfileApplyingStillSavesTheSettings)
{
    manager->SetCurrentProfile(nullptr, 0);
    window->Show(6);
    std::filesystem::remove(SettingsPath());
    window->ApplySettings();
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
}

TEST_F(GUIOptionsWindowBaseTest, TheDefaultsButtonRestoresModeFullScreenAndVolumes)
{
    StoreMode("1280x1024x16");
    player->SetSoundVolume(0.1f);
    player->SetMusicVolume(0.2f);
    window->Show(6);
    window->LoadSettings();
    EXPECT_EQ(window->GetSelectedModeIndex(), 0u);
    EXPECT_EQ(window->GetBitsPerPixel(), 32u);
    EXPECT_EQ(window->GetFullScreen(), 1);
    EXPECT_EQ(player->GetSoundVolume(), 0.75f);
    EXPECT_EQ(player->GetMusicVolume(), 0.5f);
    EXPECT_EQ(window->GetSoundVolume(), 0.75f);
    EXPECT_EQ(window->GetMusicVolume(), 0.5f);
}

TEST_F(GUIOptionsWindowBaseTest, VolumesApplyToTheSoundPlayer)
{
    window->SetSoundVolume(0.3f);
    window->SetMusicVolume(0.6f);
    window->ApplyVolumes();
    EXPECT_EQ(player->GetSoundVolume(), 0.3f);
    EXPECT_EQ(player->GetMusicVolume(), 0.6f);
}

TEST_F(GUIOptionsWindowBaseTest, UpdateFollowsAFullScreenChangeOnlyWhileItIsPending)
{
    window->Show(6);
    *config->GetRenderSettings().fullScreen = 1;
    window->Update();
    EXPECT_EQ(window->GetFullScreen(), 0);
    config->SetCommandIdle("v_window_change_mode", 0);
    window->Update();
    EXPECT_EQ(window->GetFullScreen(), 1);
}
