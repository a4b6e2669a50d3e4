// The options screen's working copies of the video mode, the full-screen flag and the two volumes, the list
// of display modes to choose from, and applying them: the settings file, the renderer's mode change and the
// current player's volumes.
#pragma once

#include "engine/core/Config.h"
#include "engine/core/Types.h"
#include "framework/GUIFrameworkWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
}

namespace GameFramework
{
using VelkorEngine::f32;

class GameSoundPlayer;
class ProfileManagerBase;

struct DisplayModeRecord
{
    // Width + "x" + height, both decimal.
    std::string text;
    u32 width = 0;
    u32 height = 0;
};

class GUIOptionsWindowBase : public GUIFrameworkWindow
{
public:
    GUIOptionsWindowBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                         ProfileManagerBase* profileManager);
    ~GUIOptionsWindowBase() override;

    // Follows a full-screen change made elsewhere (the play window's key) while it is pending.
    void Update() override;
    // Working copies from the stored settings; a mode the list lacks selects the default mode.
    void Show(u32 stateId) override;
    // Stores a changed mode or full-screen flag and asks for the mode change only then; always saves the
    // settings file and the current player's volumes.
    virtual void ApplySettings();
    // The defaults button: default mode and bits, full screen, default volumes.
    virtual void LoadSettings();
    // The working volumes become the sound player's, so the player hears them at once.
    virtual void ApplyVolumes();

    // A mode already listed is not added twice; the list stays sorted by width, then height.
    void AddVideoMode(u32 width, u32 height);
    // The mode of the default "v_mode" text, or 0 when the list lacks it.
    u32 GetDefaultModeIndex() const;

    const std::vector<std::unique_ptr<DisplayModeRecord>>& GetDisplayModes() const { return m_displayModes; }
    u32 GetSelectedModeIndex() const { return m_selectedModeIndex; }
    void SetSelectedModeIndex(u32 index) { m_selectedModeIndex = index; }
    u8 GetFullScreen() const { return m_fullScreen; }
    void SetFullScreen(u8 fullScreen) { m_fullScreen = fullScreen; }
    u32 GetBitsPerPixel() const { return m_bitsPerPixel; }
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
    u32 m_selectedModeIndex = 0;
    std::vector<std::unique_ptr<DisplayModeRecord>> m_displayModes;
    u8 m_fullScreen = 0;
    u32 m_bitsPerPixel = 0;
    f32 m_soundVolume = 0.0f;
    f32 m_musicVolume = 0.0f;

private:
    // The index of a listed width and height, or the default mode index.
    u32 FindModeIndex(u32 width, u32 height) const;
    bool StoreVideoMode();
    bool StoreFullScreen();
    void StoreProfileVolumes();
};
}
