// The options reached from the main menu: sound and music volumes (heard at once), full screen or window
// and the video mode (both only with the apply button), the defaults, and cancel, which gives back the
// volumes the window was opened with.
#pragma once

#include "framework/GUIOptionsWindowBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUIVolumeControls.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase
{
public:
    GUIOptionsWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                     GameFramework::ProfileManagerBase* profileManager, GameData* data,
                     GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                     VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    GUIVolumeControls& GetVolumeControls() { return m_volumes; }

private:
    void UpdateVideoModeButtons();
    void UpdateButtons();
    void TakeDefaults();
    void Cancel();
    void ShowVideoMode();

    GUIMenuWindow m_menu;
    GUIVolumeControls m_volumes;
    GUITools::GUITextControl* m_videoModeText;
    VelkorEngine::GUIButton* m_decreaseButton;
    VelkorEngine::GUIButton* m_increaseButton;
    VelkorEngine::GUIButton* m_applyButton;
    VelkorEngine::GUIButton* m_defaultsButton;
    VelkorEngine::GUIButton* m_cancelButton;
    // The player's volumes when the window opened: what cancel gives back.
    f32 m_shownSoundVolume = 0.0f;
    f32 m_shownMusicVolume = 0.0f;
};
}
