#include "game/app/GUIVolumeControls.h"

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/sound/Sound.h"
#include "framework/GameSoundPlayer.h"
#include "game/app/MenuControls.h"
#include "game/app/SoundTable.h"

#include <algorithm>
#include <cmath>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

GUIVolumeControls::GUIVolumeControls(const GUITools::GUIWindowBase& window, GameFramework::GameSoundPlayer* soundPlayer)
    : m_soundPlayer(soundPlayer), m_sound(MenuControls::Scroll(window, "/window/sound")),
      m_music(MenuControls::Scroll(window, "/window/music")),
      m_fullScreen(MenuControls::CheckBox(window, "/window/fullscreen"))
{
    for (VelkorEngine::GUIScroll* scroll : {m_sound, m_music})
    {
        if (scroll == nullptr)
            continue;
        scroll->SetCount(PositionsPerUnit + 1);
        scroll->SetStep(ArrowStep);
    }
}

u32 GUIVolumeControls::VolumeToPosition(f32 volume)
{
    const double scaled = std::round(static_cast<double>(volume) * PositionsPerUnit);
    return static_cast<u32>(std::clamp(scaled, 0.0, static_cast<double>(PositionsPerUnit)));
}

f32 GUIVolumeControls::PositionToVolume(u32 position)
{
    return static_cast<f32>(position) / static_cast<f32>(PositionsPerUnit);
}

void GUIVolumeControls::ShowVolumes(f32 sound, f32 music)
{
    if (m_sound != nullptr)
        m_sound->SetPosition(VolumeToPosition(sound));
    if (m_music != nullptr)
        m_music->SetPosition(VolumeToPosition(music));
}

void GUIVolumeControls::ApplyVolumes()
{
    if (m_sound != nullptr)
    {
        const f32 sound = PositionToVolume(m_sound->GetPosition());
        if (std::fabs(sound - m_soundPlayer->GetSoundVolume()) > Threshold)
            m_soundPlayer->SetSoundVolume(sound);
    }
    if (m_music != nullptr)
    {
        const f32 music = PositionToVolume(m_music->GetPosition());
        if (std::fabs(music - m_soundPlayer->GetMusicVolume()) > Threshold)
            m_soundPlayer->SetMusicVolume(music);
    }
    UpdateSample();
}

void GUIVolumeControls::UpdateSample()
{
    const bool held = m_sound != nullptr && m_sound->IsDragging();
    const bool playing = m_soundPlayer->GetSoundState(SoundTable::VolumeSlider) == VelkorEngine::Sound::Playing;
    if (held && !playing)
        m_soundPlayer->PlaySound(SoundTable::VolumeSlider);
    else if (!held && playing)
        m_soundPlayer->StopSound(SoundTable::VolumeSlider);
}

void GUIVolumeControls::StopSample()
{
    if (m_soundPlayer->GetSoundState(SoundTable::VolumeSlider) == VelkorEngine::Sound::Playing)
        m_soundPlayer->StopSound(SoundTable::VolumeSlider);
}

bool GUIVolumeControls::IsFullScreenChecked() const
{
    return m_fullScreen != nullptr && m_fullScreen->IsChecked();
}

void GUIVolumeControls::ShowFullScreen(bool fullScreen)
{
    if (m_fullScreen != nullptr)
        m_fullScreen->SetChecked(fullScreen);
}

bool GUIVolumeControls::IsFullScreenClicked() const
{
    return MenuControls::IsClicked(m_fullScreen);
}
}
