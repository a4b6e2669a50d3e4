// The play screen's bookkeeping around the game logic it shows.
#include "framework/GUIGameLogicWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/WindowModeCommand.h"

namespace GameFramework
{
GUIGameLogicWindowBase::GUIGameLogicWindowBase(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager)
    : m_engine(engine), m_config(engine->GetConfig()), m_videoSettings(m_config->GetRenderSettings()),
      m_window(engine->GetWindow()), m_profileManager(profileManager)
{
}

void GUIGameLogicWindowBase::Update()
{
    GUIFrameworkWindow::Update();
    if (!m_config->IsCommandIdle(kChangeWindowMode))
        m_fullScreen = *m_videoSettings.fullScreen;
}

void GUIGameLogicWindowBase::Hide()
{
    GUIFrameworkWindow::Hide();
    m_gameLogic = nullptr;
    m_currentProfile = nullptr;
}

void GUIGameLogicWindowBase::Show(u32 stateId, GameLogicBase* gameLogic)
{
    GUIFrameworkWindow::Show(stateId);
    m_gameLogic = gameLogic;
    m_currentProfile = m_profileManager->GetCurrentProfile();
    m_fullScreen = *m_videoSettings.fullScreen;
    SetActive(true);
}

void GUIGameLogicWindowBase::SetActive(bool active)
{
    m_active = active ? 1 : 0;
}

u32 GUIGameLogicWindowBase::GetScore() const
{
    const u32 points = m_gameLogic ? m_gameLogic->GetPoints() : 0;
    return points + (m_currentProfile ? m_currentProfile->score : 0);
}

void GUIGameLogicWindowBase::MinimizeWindow()
{
    if (m_window)
        m_window->Minimize();
}
}
