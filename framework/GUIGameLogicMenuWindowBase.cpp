// The menu over play: the full-screen switch and keeping the volumes.
#include "framework/GUIGameLogicMenuWindowBase.h"

#include "engine/core/Engine.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/WindowModeCommand.h"

namespace GameFramework
{
GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                       ProfileManagerBase* profileManager)
    : m_engine(engine), m_config(engine->GetConfig()), m_videoSettings(m_config->GetRenderSettings()),
      m_soundPlayer(soundPlayer), m_profileManager(profileManager)
{
}

void GUIGameLogicMenuWindowBase::Update()
{
    GUIFrameworkWindow::Update();
    if (!m_config->IsCommandIdle(kChangeWindowMode))
        m_fullScreen = *m_videoSettings.fullScreen;
}

void GUIGameLogicMenuWindowBase::Show(u32 stateId)
{
    GUIFrameworkWindow::Show(stateId);
    m_fullScreen = *m_videoSettings.fullScreen;
    m_soundVolume = m_soundPlayer->GetSoundVolume();
    m_musicVolume = m_soundPlayer->GetMusicVolume();
}

void GUIGameLogicMenuWindowBase::Hide()
{
    GUIFrameworkWindow::Hide();
    m_config->Save();
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    profile->settings[ProfileBase::MusicVolume] = m_soundPlayer->GetMusicVolume();
    profile->settings[ProfileBase::SoundVolume] = m_soundPlayer->GetSoundVolume();
    profile->Save();
}

void GUIGameLogicMenuWindowBase::ApplyWindowMode()
{
    if (*m_videoSettings.fullScreen == m_fullScreen)
        return;
    *m_videoSettings.fullScreen = m_fullScreen;
    m_config->Save();
    m_config->SetCommandIdle(kChangeWindowMode, 0);
}
}
