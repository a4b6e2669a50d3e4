#include "game/app/GUIDeleteProfileWindow.h"

#include "engine/core/Engine.h"
#include "engine/input/Controls.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"

namespace Korvane
{
using namespace GameFramework;

GUIDeleteProfileWindow::GUIDeleteProfileWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager,
                                               GameSoundPlayer* soundPlayer, GameData* data,
                                               GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                               VelkorEngine::GUIWindow* parentWidget)
    : GUIDeleteProfileWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_delete_profile", parentWidget),
      m_controls(engine->GetControls()),
      m_deleteButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_cancelButton(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    if (MenuControls::IsClicked(m_cancelButton))
        SetResultCode(ResultCode::Profiles);
    if (MenuControls::IsClicked(m_deleteButton))
    {
        DeleteProfile();
        const bool noneLeft = m_profileManager == nullptr || m_profileManager->GetProfileCount() == 0;
        // The new player's name entry takes the keys typed after the click.
        if (noneLeft)
            m_controls->KeepTypedKeysAfterClick();
        SetResultCode(noneLeft ? ResultCode::NewProfile : ResultCode::Profiles);
    }
}

void GUIDeleteProfileWindow::Show(u32 stateId)
{
    Show(stateId, GetName());
}

void GUIDeleteProfileWindow::Show(u32 stateId, const std::wstring& name)
{
    GUIDeleteProfileWindowBase::Show(stateId, name);
    m_menu.Show(true);
    const std::string textName = m_menu.GetName() + "/window/text";
    if (m_menu.HasTextControl(textName))
        MenuControls::SetParameter(m_menu.GetTextControl(textName), L"PROFILE_NAME", L"\"" + name + L"\"");
}

void GUIDeleteProfileWindow::Hide()
{
    GUIDeleteProfileWindowBase::Hide();
    m_menu.Show(false);
}
}
