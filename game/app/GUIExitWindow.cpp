#include "game/app/GUIExitWindow.h"

#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIExitWindow::GUIExitWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, GameData* data,
                             GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                             VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_exit", parentWidget),
      m_quitButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_backButton(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUIExitWindow::Update()
{
    GUIExitWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    if (MenuControls::IsClicked(m_quitButton))
        SetResultCode(ResultCode::Quit);
    if (!MenuControls::IsClicked(m_backButton))
        return;
    // Back to the window the question was asked from; from anywhere else the question stays.
    switch (GetStateId())
    {
    case StateId::Welcome:
        SetResultCode(ResultCode::Welcome);
        break;
    case StateId::MainMenu:
        SetResultCode(ResultCode::MainMenu);
        break;
    case StateId::NewProfile:
        SetResultCode(ResultCode::NewProfile);
        break;
    default:
        break;
    }
}

void GUIExitWindow::Show(u32 stateId)
{
    GUIExitWindowBase::Show(stateId);
    m_menu.Show(true);
}

void GUIExitWindow::Hide()
{
    GUIExitWindowBase::Hide();
    m_menu.Show(false);
}
}
