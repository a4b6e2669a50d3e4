// The game-complete window's one button, and its pass-on when it is not to appear.
#include "game/app/GUIGameCompleteWindow.h"

#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameCompleteWindow::GUIGameCompleteWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, GameData* data,
                                             GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                             VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_game_complete", parentWidget),
      m_button(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUIGameCompleteWindow::Update()
{
    GUIGameCompleteWindowBase::Update();
    m_menu.Update();
    if (m_menu.IsShown() && MenuControls::IsClicked(m_button))
        SetResultCode(ResultCode::Done);
}

void GUIGameCompleteWindow::Show(u32 stateId)
{
    if (!m_appear)
    {
        SetLastingResultCode(ResultCode::Done);
        return;
    }
    GUIGameCompleteWindowBase::Show(stateId);
    m_menu.Show(true);
}

void GUIGameCompleteWindow::Hide()
{
    GUIGameCompleteWindowBase::Hide();
    if (m_appear || m_menu.IsShowRequested())
        m_menu.Show(false);
}
}
