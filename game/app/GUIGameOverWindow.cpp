// The game-over window's button and its animated title mount.
#include "game/app/GUIGameOverWindow.h"

#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"
#include "game/app/PlayWindowControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameOverWindow::GUIGameOverWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, GameData* data,
                                     GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                     VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_game_over", parentWidget),
      m_button(MenuControls::Button(m_menu, "/window/button_0"))
{
    PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_static", false);
}

void GUIGameOverWindow::Update()
{
    GUIGameOverWindowBase::Update();
    m_menu.Update();
    if (m_menu.IsShown() && MenuControls::IsClicked(m_button))
        SetResultCode(ResultCode::Done);
}

void GUIGameOverWindow::Show(u32 stateId)
{
    GUIGameOverWindowBase::Show(stateId);
    PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_animated", true);
    m_menu.Show(true);
}

void GUIGameOverWindow::Hide()
{
    GUIGameOverWindowBase::Hide();
    PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_animated", false);
    m_menu.Show(false);
}
}
