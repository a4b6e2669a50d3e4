#include "game/app/GUIProfileNameConflictWindow.h"

#include "engine/core/Engine.h"
#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                           GameData* data, GUITools::GUIToolManager* toolManager,
                                                           GUIMenuWindowManager* menuManager,
                                                           VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_profile_name_conflict", parentWidget),
      m_controls(engine->GetControls()), m_okButton(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUIProfileNameConflictWindow::Update()
{
    GUIProfileNameConflictWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    // Enter in its place among the typed keys: the one that confirmed the taken name was handed out in an earlier
    // frame, while one typed after it, even within the same slow frame, is not lost.
    if (MenuControls::IsClicked(m_okButton) || MenuControls::IsEnterTyped(m_controls))
        SetResultCode(GetStateId() == StateId::NewProfile ? ResultCode::NewProfile : ResultCode::RenameProfile);
}

void GUIProfileNameConflictWindow::Show(u32 stateId)
{
    GUIProfileNameConflictWindowBase::Show(stateId);
    m_menu.Show(true);
}

void GUIProfileNameConflictWindow::Hide()
{
    GUIProfileNameConflictWindowBase::Hide();
    m_menu.Show(false);
}
}
