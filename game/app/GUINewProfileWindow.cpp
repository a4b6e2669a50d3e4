#include "game/app/GUINewProfileWindow.h"

#include "engine/core/Engine.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"

namespace Korvane
{
using namespace GameFramework;

GUINewProfileWindow::GUINewProfileWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager,
                                         GameSoundPlayer* soundPlayer, GameData* data,
                                         GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                         VelkorEngine::GUIWindow* parentWidget)
    : GUINewProfileWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_new_profile", parentWidget),
      m_nameEntry(m_menu, engine->GetControls()),
      m_otherButtonTitle(MenuControls::Text(m_menu, "/window/button_0/title"))
{
}

void GUINewProfileWindow::Update()
{
    GUINewProfileWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    m_nameEntry.UpdateConfirmButton();
    if (m_nameEntry.IsOtherButtonClicked())
        SetResultCode(m_noProfiles ? ResultCode::ExitQuestion : ResultCode::Profiles);
    if (m_nameEntry.IsConfirmed())
        SetResultCode(m_nameEntry.ResultOfConfirmedName(CreateProfile(m_nameEntry.GetName())));
}

void GUINewProfileWindow::Show(u32 stateId)
{
    Show(stateId, 1);
}

void GUINewProfileWindow::Show(u32 stateId, u8 clearName)
{
    GUINewProfileWindowBase::Show(stateId, clearName);
    m_menu.Show(true);
    m_nameEntry.SetTakingKeys(true);
    if (clearName != 0)
        m_nameEntry.SetName(std::wstring());
    m_noProfiles = m_profileManager == nullptr || m_profileManager->GetProfileCount() == 0;
    MenuControls::SetTextKey(m_otherButtonTitle, m_noProfiles ? "common/exit" : "common/cancel");
}

void GUINewProfileWindow::Hide()
{
    GUINewProfileWindowBase::Hide();
    m_menu.Show(false);
    m_nameEntry.SetTakingKeys(false);
}
}
