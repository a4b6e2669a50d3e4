#include "game/app/GUIWelcomeWindow.h"

#include "engine/core/Engine.h"
#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIWelcomeWindow::GUIWelcomeWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager,
                                   GameSoundPlayer* soundPlayer, GameData* data, GUITools::GUIToolManager* toolManager,
                                   GUIMenuWindowManager* menuManager, VelkorEngine::GUIWindow* parentWidget)
    : GUIWelcomeWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_welcome", parentWidget),
      m_nameEntry(m_menu, engine->GetControls())
{
}

void GUIWelcomeWindow::Update()
{
    GUIWelcomeWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    m_nameEntry.UpdateConfirmButton();
    if (m_nameEntry.IsOtherButtonClicked())
        SetResultCode(ResultCode::ExitQuestion);
    if (m_nameEntry.IsConfirmed())
    {
        CreateProfile(m_nameEntry.GetName());
        SetResultCode(ResultCode::MainMenu);
    }
}

void GUIWelcomeWindow::Show(u32 stateId)
{
    GUIWelcomeWindowBase::Show(stateId);
    m_menu.Show(true);
    m_nameEntry.SetTakingKeys(true);
    m_nameEntry.SetName(std::wstring());
}

void GUIWelcomeWindow::Hide()
{
    GUIWelcomeWindowBase::Hide();
    m_menu.Show(false);
    m_nameEntry.SetTakingKeys(false);
}
}
