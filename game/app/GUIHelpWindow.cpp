#include "game/app/GUIHelpWindow.h"

#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIHelpWindow::GUIHelpWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, GameData* data,
                             GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                             VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_credits", parentWidget),
      m_backButton(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUIHelpWindow::Update()
{
    GUIHelpWindowBase::Update();
    m_menu.Update();
    if (m_menu.IsShown() && MenuControls::IsClicked(m_backButton))
        SetResultCode(ResultCode::MainMenu);
}

void GUIHelpWindow::Show(u32 stateId)
{
    GUIHelpWindowBase::Show(stateId);
    m_menu.Show(true);
}

void GUIHelpWindow::Hide()
{
    GUIHelpWindowBase::Hide();
    m_menu.Show(false);
}
}
