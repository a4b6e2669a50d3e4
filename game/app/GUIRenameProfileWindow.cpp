#include "game/app/GUIRenameProfileWindow.h"

#include "engine/core/Engine.h"
#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIRenameProfileWindow::GUIRenameProfileWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager,
                                               GameSoundPlayer* soundPlayer, GameData* data,
                                               GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                               VelkorEngine::GUIWindow* parentWidget)
    : GUIRenameProfileWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_rename_profile", parentWidget),
      m_nameEntry(m_menu, engine->GetControls())
{
}

void GUIRenameProfileWindow::Update()
{
    GUIRenameProfileWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    m_nameEntry.UpdateConfirmButton();
    if (m_nameEntry.IsOtherButtonClicked())
        SetResultCode(ResultCode::Profiles);
    if (m_nameEntry.IsConfirmed())
        SetResultCode(m_nameEntry.ResultOfConfirmedName(RenameProfile(m_nameEntry.GetName())));
}

void GUIRenameProfileWindow::Show(u32 stateId)
{
    Show(stateId, 0, std::wstring());
}

void GUIRenameProfileWindow::Show(u32 stateId, u8 hasName, const std::wstring& name)
{
    GUIRenameProfileWindowBase::Show(stateId, hasName, name);
    m_menu.Show(true);
    m_nameEntry.SetTakingKeys(true);
    if (hasName != 0)
        m_nameEntry.SetName(GUINameEntry::CleanName(name));
}

void GUIRenameProfileWindow::Hide()
{
    GUIRenameProfileWindowBase::Hide();
    m_menu.Show(false);
    m_nameEntry.SetTakingKeys(false);
}
}
