// The menu over a paused game: sound and music volumes, full screen (applied at once), and leave, restart
// and resume. Coming from play it plays its full entrance; coming back from one of its questions a
// shortened one.
#pragma once

#include "framework/GUIGameLogicMenuWindowBase.h"
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

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase
{
public:
    // Faders whose show offsets the window rewrites at every show.
    static constexpr const char* WindowFader = "game_logic_window";
    static constexpr const char* ControlFader = "game_logic_control";

    GUIGameLogicMenuWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                           GameFramework::ProfileManagerBase* profileManager, GameData* data,
                           GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                           VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    GUIVolumeControls& GetVolumeControls() { return m_volumes; }
    f32 GetWindowDelay() const { return m_windowDelay; }
    f32 GetControlDelay() const { return m_controlDelay; }

private:
    f32 ShowOffsetOf(const std::string& suffix) const;
    void ShowTitleMounts(bool animated);
    void SetDelays(f32 windowDelay, f32 controlDelay);

    GUIMenuWindow m_menu;
    GUIVolumeControls m_volumes;
    VelkorEngine::GUIButton* m_leaveButton;
    VelkorEngine::GUIButton* m_restartButton;
    VelkorEngine::GUIButton* m_resumeButton;
    f32 m_windowDelay;
    f32 m_controlDelay;
};
}
