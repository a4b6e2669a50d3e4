#include "game/app/GUIGameLogicMenuWindow.h"

#include "engine/core/Config.h"
#include "framework/GameWindowIds.h"
#include "framework/WindowModeCommand.h"
#include "game/app/MenuControls.h"
#include "guitools/GUIControl.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                               ProfileManagerBase* profileManager, GameData* data,
                                               GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                               VelkorEngine::GUIWindow* parentWidget)
    : GUIGameLogicMenuWindowBase(engine, soundPlayer, profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_game_logic_menu", parentWidget),
      m_volumes(m_menu, soundPlayer), m_leaveButton(MenuControls::Button(m_menu, "/window/button_0")),
      m_restartButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_resumeButton(MenuControls::Button(m_menu, "/window/button_2")), m_windowDelay(ShowOffsetOf("/window")),
      m_controlDelay(ShowOffsetOf("/window/button_0"))
{
}

f32 GUIGameLogicMenuWindow::ShowOffsetOf(const std::string& suffix) const
{
    const GUITools::GUIControl* control = m_menu.GetControl(m_menu.GetName() + suffix);
    return control != nullptr ? control->GetFader().showOffset : 0.0f;
}

void GUIGameLogicMenuWindow::ShowTitleMounts(bool animated)
{
    const std::string animatedName = m_menu.GetName() + "/title_mount_animated";
    const std::string staticName = m_menu.GetName() + "/title_mount_static";
    if (m_menu.HasWindowControl(animatedName))
        m_menu.EnableControl(animatedName, animated);
    if (m_menu.HasWindowControl(staticName))
        m_menu.EnableControl(staticName, !animated);
}

void GUIGameLogicMenuWindow::SetDelays(f32 windowDelay, f32 controlDelay)
{
    for (const auto& control : m_menu.GetControls())
    {
        const std::string& fader = control->GetFaderName();
        if (fader != WindowFader && fader != ControlFader)
            continue;
        GUITools::GUIControl::Fader changed = control->GetFader();
        changed.showOffset = fader == WindowFader ? windowDelay : controlDelay;
        control->SetFader(fader, changed);
    }
}

void GUIGameLogicMenuWindow::Show(u32 stateId)
{
    GUIGameLogicMenuWindowBase::Show(stateId);
    const bool fromPlay = stateId == StateId::Play;
    ShowTitleMounts(fromPlay);
    if (fromPlay)
        SetDelays(m_windowDelay, m_controlDelay);
    else
        SetDelays(0.0f, m_controlDelay - m_windowDelay);
    m_menu.Show(true);
    m_volumes.ShowVolumes(GetSoundVolume(), GetMusicVolume());
    m_volumes.ShowFullScreen(GetFullScreen() != 0);
}

void GUIGameLogicMenuWindow::Hide()
{
    GUIGameLogicMenuWindowBase::Hide();
    m_volumes.StopSample();
    ShowTitleMounts(GetResultCode() == ResultCode::BackToPlay);
    m_menu.Show(false);
}

void GUIGameLogicMenuWindow::Update()
{
    GUIGameLogicMenuWindowBase::Update();
    m_menu.Update();
    if (!m_config->IsCommandIdle(kChangeWindowMode))
        m_volumes.ShowFullScreen(GetFullScreen() != 0);
    if (!m_menu.IsShown())
        return;
    m_volumes.ApplyVolumes();
    if (m_volumes.IsFullScreenClicked())
    {
        SetFullScreen(m_volumes.IsFullScreenChecked() ? 1 : 0);
        ApplyWindowMode();
    }
    if (MenuControls::IsClicked(m_leaveButton))
        SetResultCode(ResultCode::ExitToMenuQuestion);
    if (MenuControls::IsClicked(m_restartButton))
        SetResultCode(ResultCode::RestartQuestion);
    if (MenuControls::IsClicked(m_resumeButton))
        SetResultCode(ResultCode::BackToPlay);
}
}
