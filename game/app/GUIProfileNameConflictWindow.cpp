#include "game/app/GUIProfileNameConflictWindow.h"

#include "engine/core/Engine.h"
#include "engine/input/Controls.h"
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
    const bool enter = m_controls != nullptr && m_controls->IsPressed("ENTER");
    if (MenuControls::IsClicked(m_okButton) || enter)
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
