// The options window and the in-game menu on the data set's descriptions: volumes shown as the positions
// they were saved from and heard while the thumb moves, the sample sound while the sound scroll is held,
// cancel giving the opening volumes back, apply saving the settings and the player's volumes and asking
// for a mode change only when there is one, the video mode's bounds, and the in-game menu's entrance.
#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/GUIGameLogicMenuWindow.h"
#include "game/app/GUIOptionsWindow.h"
#include "game/app/MenuControls.h"
#include "game/app/SoundTable.h"
#include "guitools/GUIControl.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using namespace GameFramework;
using Korvane::GUIVolumeControls;

namespace
{
constexpr const char* UpdateVideoMode = "g_update_video_mode";
constexpr const char* WindowChangeMode = "v_window_change_mode";

class OptionsWindowsTest : public testing::Test
{
protected:
    OptionsWindowsTest()
    {
        config = bed.GetEngine()->GetConfig();
        config->AddVariable(UpdateVideoMode, Config::KindCommand, 0, 0, nullptr, "", 0);
        profile = bed.Profiles().FindOrCreateProfile(L"Ann");
        bed.Profiles().SetCurrentProfile(profile, 1);
    }

    std::unique_ptr<Korvane::GUIOptionsWindow> MakeOptions()
    {
        return std::make_unique<Korvane::GUIOptionsWindow>(bed.GetEngine(), bed.sound.get(), &bed.Profiles(),
                                                           bed.data.get(), &bed.descriptions.Tools(), bed.menus.get(),
                                                           nullptr);
    }

    std::unique_ptr<Korvane::GUIGameLogicMenuWindow> MakeGameMenu()
    {
        return std::make_unique<Korvane::GUIGameLogicMenuWindow>(bed.GetEngine(), bed.sound.get(), &bed.Profiles(),
                                                                 bed.data.get(), &bed.descriptions.Tools(),
                                                                 bed.menus.get(), nullptr);
    }

    std::unique_ptr<Korvane::GUIOptionsWindow> ShowOptions()
    {
        auto window = MakeOptions();
        window->Show(StateId::MainMenu);
        bed.Settle(*window);
        return window;
    }

    GUIButton* ButtonOf(Korvane::GUIMenuWindow& menu, const std::string& suffix)
    {
        return Korvane::MenuControls::Button(menu, suffix);
    }

    f32 SampleStart() const
    {
        for (const auto& instance : bed.sound->GetEffectInstances())
            if (instance->effectId == Korvane::SoundTable::VolumeSlider)
                return instance->lastStartTime;
        return -1.0f;
    }

    std::string StoredMode() const { return *config->GetRenderSettings().videoMode; }

    AppTest::MenuWindowBed bed;
    Config* config = nullptr;
    ProfileBase* profile = nullptr;
};

struct PositionCase
{
    f32 volume;
    u32 position;
};

class VolumePositionTest : public testing::TestWithParam<PositionCase>
{
};

class VolumeRoundTripTest : public OptionsWindowsTest, public testing::WithParamInterface<f32>
{
};
} // namespace

TEST_P(VolumePositionTest, AVolumeShowsAsTheNearestPosition)
{
    EXPECT_EQ(GUIVolumeControls::VolumeToPosition(GetParam().volume), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Volumes, VolumePositionTest,
                         testing::Values(PositionCase{0.315f, 315}, PositionCase{0.285f, 285}, PositionCase{0.0f, 0},
                                         PositionCase{1.0f, 1000}, PositionCase{0.001f, 1}, PositionCase{0.999f, 999},
                                         PositionCase{0.0006f, 1}, PositionCase{0.0004f, 0}, PositionCase{1.7f, 1000},
                                         PositionCase{-0.2f, 0}));

TEST_P(VolumeRoundTripTest, OpeningAndClosingTheWindowLeavesTheVolumesBitExact)
{
    bed.sound->SetSoundVolume(GetParam());
    bed.sound->SetMusicVolume(GetParam());
    auto window = ShowOptions();
    EXPECT_EQ(window->GetVolumeControls().GetSoundScroll()->GetPosition(),
              GUIVolumeControls::VolumeToPosition(GetParam()));
    bed.RunFrames(*window, 10);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_2")), ResultCode::MainMenu);
    window->Hide();
    bed.Settle(*window);
    EXPECT_EQ(bed.sound->GetSoundVolume(), GetParam());
    EXPECT_EQ(bed.sound->GetMusicVolume(), GetParam());
    EXPECT_EQ(profile->settings[ProfileBase::SoundVolume], GetParam());
}

INSTANTIATE_TEST_SUITE_P(Volumes, VolumeRoundTripTest,
                         testing::Values(0.315f, 0.285f, 0.0f, 1.0f, 0.001f, 0.999f, 0.1f, 0.7f));

TEST_F(OptionsWindowsTest, VolumesAreHeardAtOnceAndCancelGivesTheOpeningOnesBack)
{
    bed.sound->SetSoundVolume(0.315f);
    bed.sound->SetMusicVolume(0.285f);
    auto window = ShowOptions();
    window->GetVolumeControls().GetSoundScroll()->SetPosition(700);
    window->GetVolumeControls().GetMusicScroll()->SetPosition(40);
    bed.RunFrame(*window);
    EXPECT_FLOAT_EQ(bed.sound->GetSoundVolume(), 0.7f);
    EXPECT_FLOAT_EQ(bed.sound->GetMusicVolume(), 0.04f);
    // The defaults in between do not change what cancel gives back.
    bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_1"));
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")), ResultCode::MainMenu);
    EXPECT_EQ(bed.sound->GetSoundVolume(), 0.315f);
    EXPECT_EQ(bed.sound->GetMusicVolume(), 0.285f);
    bed.RunFrame(*window);
    EXPECT_EQ(bed.sound->GetSoundVolume(), 0.315f);
}

TEST_F(OptionsWindowsTest, HoldingTheSoundScrollStartsTheSampleAndAnArrowStepsThirty)
{
    auto window = ShowOptions();
    GUIScroll* sound = window->GetVolumeControls().GetSoundScroll();
    sound->SetPosition(500);
    bed.RunFrame(*window);
    const f32 startedBefore = SampleStart();
    GUIButton* increase = sound->GetIncreaseButton();
    ASSERT_NE(increase, nullptr);
    const Vector2 at = increase->GetAbsolutePosition();
    bed.descriptions.gui.MoveMouseTo(Vector2{at.x + increase->GetSize().x / 2, at.y + increase->GetSize().y / 2});
    bed.RunFrame(*window);
    EXPECT_EQ(SampleStart(), startedBefore);
    bed.descriptions.gui.PressMouse();
    bed.RunFrames(*window, 2);
    EXPECT_EQ(sound->GetPosition(), 530u);
    EXPECT_GT(SampleStart(), startedBefore);
    EXPECT_FLOAT_EQ(bed.sound->GetSoundVolume(), 0.53f);
    bed.descriptions.gui.ReleaseMouse();
    bed.RunFrames(*window, 2);
    EXPECT_FALSE(sound->IsDragging());
}

TEST_F(OptionsWindowsTest, TheVideoModeStaysWithinTheListAndIsShownAsItsName)
{
    config->SetFromString("v_mode", "640x480x32");
    auto window = ShowOptions();
    GUIButton* decrease = ButtonOf(window->GetMenuWindow(), "/window/decrease_video_mode");
    GUIButton* increase = ButtonOf(window->GetMenuWindow(), "/window/increase_video_mode");
    auto* text = Korvane::MenuControls::Text(window->GetMenuWindow(), "/window/video_mode/text");
    EXPECT_EQ(window->GetSelectedModeIndex(), 0u);
    bed.Click(*window, decrease);
    EXPECT_EQ(window->GetSelectedModeIndex(), 0u);
    EXPECT_EQ(text->GetKey(), "'640x480'");
    ASSERT_FALSE(text->GetLines().empty());
    EXPECT_EQ(text->GetLines()[0], L"640x480");
    for (int i = 0; i < 4; ++i)
        bed.Click(*window, increase);
    EXPECT_EQ(window->GetSelectedModeIndex(), 2u);
    EXPECT_EQ(text->GetKey(), "'1024x768'");
}

TEST_F(OptionsWindowsTest, ApplyAsksForAModeChangeOnlyWhenThereIsOne)
{
    config->SetFromString("v_mode", "800x600x32");
    auto window = ShowOptions();
    window->GetVolumeControls().GetSoundScroll()->SetPosition(600);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_2")), ResultCode::MainMenu);
    EXPECT_TRUE(config->IsCommandIdle(UpdateVideoMode));
    EXPECT_FLOAT_EQ(profile->settings[ProfileBase::SoundVolume], 0.6f);
    // The player's volumes are in the profile's file as well.
    Korvane::ProfileManager reread(bed.GetEngine(), bed.sound.get(), bed.UserFolder());
    ASSERT_NE(reread.FindProfile(L"Ann"), nullptr);
    EXPECT_FLOAT_EQ(reread.FindProfile(L"Ann")->settings[ProfileBase::SoundVolume], 0.6f);

    window->Hide();
    bed.Settle(*window);
    window->Show(StateId::MainMenu);
    bed.Settle(*window);
    bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/increase_video_mode"));
    bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_2"));
    EXPECT_FALSE(config->IsCommandIdle(UpdateVideoMode));
    EXPECT_EQ(StoredMode(), "1024x768x32");
}

TEST_F(OptionsWindowsTest, FullScreenChangesOnlyWithApply)
{
    config->SetFromString("v_fullscreen", "0");
    auto window = ShowOptions();
    GUICheckBox* box = window->GetVolumeControls().GetFullScreenBox();
    EXPECT_FALSE(box->IsChecked());
    bed.Click(*window, box);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(*config->GetRenderSettings().fullScreen, 0);
    bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_2"));
    EXPECT_EQ(*config->GetRenderSettings().fullScreen, 1);
    EXPECT_FALSE(config->IsCommandIdle(UpdateVideoMode));
}

TEST_F(OptionsWindowsTest, TheInGameMenuAppliesFullScreenAtOnceAndHandsBackItsButtons)
{
    config->SetFromString("v_fullscreen", "0");
    auto window = MakeGameMenu();
    window->Show(StateId::Play);
    bed.Settle(*window);
    bed.Click(*window, window->GetVolumeControls().GetFullScreenBox());
    EXPECT_EQ(*config->GetRenderSettings().fullScreen, 1);
    EXPECT_FALSE(config->IsCommandIdle(WindowChangeMode));
    config->SetCommandIdle(WindowChangeMode, 1);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_0")),
              ResultCode::ExitToMenuQuestion);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_1")), ResultCode::RestartQuestion);
    EXPECT_EQ(bed.Click(*window, ButtonOf(window->GetMenuWindow(), "/window/button_2")), ResultCode::BackToPlay);
}

TEST_F(OptionsWindowsTest, TheInGameMenuPlaysAShorterEntranceWhenComingBackFromAQuestion)
{
    auto window = MakeGameMenu();
    const f32 windowDelay = window->GetWindowDelay();
    const f32 controlDelay = window->GetControlDelay();
    EXPECT_GT(windowDelay, 0.0f);
    EXPECT_GT(controlDelay, windowDelay);
    auto offsetOf = [&](const std::string& suffix) {
        return window->GetMenuWindow().GetControl(window->GetMenuWindow().GetName() + suffix)->GetFader().showOffset;
    };
    window->Show(StateId::Play);
    EXPECT_FLOAT_EQ(offsetOf("/window"), windowDelay);
    EXPECT_FLOAT_EQ(offsetOf("/window/button_2"), controlDelay);
    window->Hide();
    bed.Settle(*window);
    window->Show(StateId::GameLogicRestart);
    EXPECT_FLOAT_EQ(offsetOf("/window"), 0.0f);
    EXPECT_FLOAT_EQ(offsetOf("/window/button_2"), controlDelay - windowDelay);
    // The stored delays themselves stay, so the next entrance from play is the full one again.
    window->Hide();
    bed.Settle(*window);
    window->Show(StateId::Play);
    EXPECT_FLOAT_EQ(offsetOf("/window"), windowDelay);
}

TEST_F(OptionsWindowsTest, WithoutACurrentPlayerApplyAndTheInGameMenuStillSaveTheSettings)
{
    bed.Profiles().SetCurrentProfile(nullptr, 1);
    const f32 kept = profile->settings[ProfileBase::SoundVolume];
    auto options = ShowOptions();
    options->GetVolumeControls().GetSoundScroll()->SetPosition(420);
    EXPECT_EQ(bed.Click(*options, ButtonOf(options->GetMenuWindow(), "/window/button_2")), ResultCode::MainMenu);
    EXPECT_FLOAT_EQ(bed.sound->GetSoundVolume(), 0.42f);
    options->Hide();
    bed.Settle(*options);
    auto menu = MakeGameMenu();
    menu->Show(StateId::Play);
    bed.Settle(*menu);
    EXPECT_EQ(bed.Click(*menu, ButtonOf(menu->GetMenuWindow(), "/window/button_2")), ResultCode::BackToPlay);
    menu->Hide();
    bed.Settle(*menu);
    // Nobody's profile took the volumes.
    EXPECT_EQ(profile->settings[ProfileBase::SoundVolume], kept);
}
