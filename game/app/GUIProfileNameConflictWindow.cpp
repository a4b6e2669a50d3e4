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
    // Enter in its place among the typed keys: the one that confirmed the taken name was done with in its own
    // frame, and the keys typed after it waited for this notice, so one typed next, even within the same slow
    // frame, is this notice's.
    const bool clicked = MenuControls::IsClicked(m_okButton);
    if (!clicked && !MenuControls::IsEnterTyped(m_controls))
        return;
    // The name entry this leads back to takes the keys typed after the click or the Enter.
    MenuControls::KeepTypedKeysForTheWindowOpened(*m_controls, !clicked);
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
