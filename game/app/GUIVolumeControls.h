// The sound and music volume scrolls and the full-screen check box that both options windows have. The
// volumes take effect while the thumb moves, and the slider's sample sound plays at the new volume for as
// long as the player holds the sound scroll.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
class GUICheckBox;
class GUIScroll;
}

namespace GUITools
{
class GUIWindowBase;
}

namespace GameFramework
{
class GameSoundPlayer;
}

namespace Korvane
{
class GUIVolumeControls
{
public:
    // A scroll position p stands for the volume p / PositionsPerUnit.
    static constexpr VelkorEngine::u32 PositionsPerUnit = 1000;
    static constexpr VelkorEngine::u32 ArrowStep = 30;
    // A smaller difference between a scroll and the player's volume is left alone.
    static constexpr VelkorEngine::f32 Threshold = 0.001f;

    // "/window/sound", "/window/music" and "/window/fullscreen" of the window.
    GUIVolumeControls(const GUITools::GUIWindowBase& window, GameFramework::GameSoundPlayer* soundPlayer);

    // Nearest, so that a stored volume shows as the position it was saved from even when the float holds
    // it a hair below its decimal value.
    static VelkorEngine::u32 VolumeToPosition(VelkorEngine::f32 volume);
    static VelkorEngine::f32 PositionToVolume(VelkorEngine::u32 position);

    void ShowVolumes(VelkorEngine::f32 sound, VelkorEngine::f32 music);
    // The scrolls' volumes become the player's where they differ, and the sample sound follows the sound
    // scroll's hold.
    void ApplyVolumes();
    // The sample sound does not outlive the window.
    void StopSample();

    bool IsFullScreenChecked() const;
    void ShowFullScreen(bool fullScreen);
    bool IsFullScreenClicked() const;

    VelkorEngine::GUIScroll* GetSoundScroll() const { return m_sound; }
    VelkorEngine::GUIScroll* GetMusicScroll() const { return m_music; }
    VelkorEngine::GUICheckBox* GetFullScreenBox() const { return m_fullScreen; }

private:
    void UpdateSample();

    GameFramework::GameSoundPlayer* m_soundPlayer;
    VelkorEngine::GUIScroll* m_sound;
    VelkorEngine::GUIScroll* m_music;
    VelkorEngine::GUICheckBox* m_fullScreen;
};
}
