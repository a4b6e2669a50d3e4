// The menu over play: working copies of the full-screen flag and the volumes; leaving it keeps the volumes
// in the settings file and in the current player's profile.
#pragma once

#include "engine/core/Config.h"
#include "engine/core/Types.h"
#include "framework/GUIFrameworkWindow.h"

namespace VelkorEngine
{
class Engine;
}

namespace GameFramework
{
using VelkorEngine::f32;

class GameSoundPlayer;
class ProfileManagerBase;

class GUIGameLogicMenuWindowBase : public GUIFrameworkWindow
{
public:
    GUIGameLogicMenuWindowBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                               ProfileManagerBase* profileManager);

    // Follows a full-screen change while it is pending.
    void Update() override;
    void Show(u32 stateId) override;
    // Saves the settings file and the current player's volumes.
    void Hide() override;
    // A changed full-screen flag is stored, saved and handed to the window's mode change.
    virtual void ApplyWindowMode();

    u8 GetFullScreen() const { return m_fullScreen; }
    void SetFullScreen(u8 fullScreen) { m_fullScreen = fullScreen; }
    f32 GetSoundVolume() const { return m_soundVolume; }
    void SetSoundVolume(f32 volume) { m_soundVolume = volume; }
    f32 GetMusicVolume() const { return m_musicVolume; }
    void SetMusicVolume(f32 volume) { m_musicVolume = volume; }

protected:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::Config* m_config = nullptr;
    VelkorEngine::Config::RenderSettings m_videoSettings;
    GameSoundPlayer* m_soundPlayer = nullptr;
    ProfileManagerBase* m_profileManager = nullptr;
    u8 m_fullScreen = 0;
    f32 m_soundVolume = 0.0f;
    f32 m_musicVolume = 0.0f;
};
}
