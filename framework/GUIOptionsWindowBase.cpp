// The options screen's behaviour: working copies taken on show and written back on apply.
#include "framework/GUIOptionsWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/WindowModeCommand.h"

#include <algorithm>

namespace GameFramework
{
namespace
{
constexpr const char* kVideoMode = "v_mode";
constexpr const char* kUpdateVideoMode = "g_update_video_mode";
}

GUIOptionsWindowBase::GUIOptionsWindowBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                           ProfileManagerBase* profileManager)
    : m_engine(engine), m_config(engine->GetConfig()), m_videoSettings(m_config->GetRenderSettings()),
      m_soundPlayer(soundPlayer), m_profileManager(profileManager)
{
}

GUIOptionsWindowBase::~GUIOptionsWindowBase() = default;

void GUIOptionsWindowBase::Update()
{
    GUIFrameworkWindow::Update();
    if (!m_config->IsCommandIdle(kChangeWindowMode))
        m_fullScreen = *m_videoSettings.fullScreen;
}

void GUIOptionsWindowBase::Show(u32 stateId)
{
    GUIFrameworkWindow::Show(stateId);
    u32 width = 0;
    u32 height = 0;
    VelkorEngine::ParseVideoMode(*m_videoSettings.videoMode, &width, &height, &m_bitsPerPixel);
    m_selectedModeIndex = FindModeIndex(width, height);
    m_fullScreen = *m_videoSettings.fullScreen;
    m_soundVolume = m_soundPlayer->GetSoundVolume();
    m_musicVolume = m_soundPlayer->GetMusicVolume();
}

void GUIOptionsWindowBase::ApplySettings()
{
    const bool modeChanged = StoreVideoMode();
    const bool fullScreenChanged = StoreFullScreen();
    if (modeChanged || fullScreenChanged)
        m_config->SetCommandIdle(kUpdateVideoMode, 0);
    m_config->Save();
    StoreProfileVolumes();
}

// The working volumes become the defaults as well, so applying after the defaults button keeps them.
void GUIOptionsWindowBase::LoadSettings()
{
    m_selectedModeIndex = GetDefaultModeIndex();
    std::string defaultMode;
    m_config->GetDefaultValue(defaultMode, kVideoMode);
    VelkorEngine::ParseVideoMode(defaultMode, nullptr, nullptr, &m_bitsPerPixel);
    m_fullScreen = 1;
    m_soundVolume = m_soundPlayer->GetDefaultSoundVolume();
    m_musicVolume = m_soundPlayer->GetDefaultMusicVolume();
    m_soundPlayer->SetSoundVolume(m_soundVolume);
    m_soundPlayer->SetMusicVolume(m_musicVolume);
}

void GUIOptionsWindowBase::ApplyVolumes()
{
    m_soundPlayer->SetSoundVolume(m_soundVolume);
    m_soundPlayer->SetMusicVolume(m_musicVolume);
}

void GUIOptionsWindowBase::AddVideoMode(u32 width, u32 height)
{
    const auto same = [width, height](const auto& mode) { return mode->width == width && mode->height == height; };
    if (std::any_of(m_displayModes.begin(), m_displayModes.end(), same))
        return;
    auto mode = std::make_unique<DisplayModeRecord>();
    mode->text = std::to_string(width) + "x" + std::to_string(height);
    mode->width = width;
    mode->height = height;
    m_displayModes.push_back(std::move(mode));
    std::sort(m_displayModes.begin(), m_displayModes.end(), [](const auto& a, const auto& b) {
        return a->width != b->width ? a->width < b->width : a->height < b->height;
    });
}

u32 GUIOptionsWindowBase::GetDefaultModeIndex() const
{
    std::string defaultMode;
    m_config->GetDefaultValue(defaultMode, kVideoMode);
    u32 width = 0;
    u32 height = 0;
    VelkorEngine::ParseVideoMode(defaultMode, &width, &height, nullptr);
    for (u32 index = 0; index < m_displayModes.size(); ++index)
    {
        if (m_displayModes[index]->width == width && m_displayModes[index]->height == height)
            return index;
    }
    return 0;
}

u32 GUIOptionsWindowBase::FindModeIndex(u32 width, u32 height) const
{
    for (u32 index = 0; index < m_displayModes.size(); ++index)
    {
        if (m_displayModes[index]->width == width && m_displayModes[index]->height == height)
            return index;
    }
    return GetDefaultModeIndex();
}

// A selection past the end of the list (the game's window set it) falls back to the default mode.
bool GUIOptionsWindowBase::StoreVideoMode()
{
    if (m_displayModes.empty())
        return false;
    const u32 index = m_selectedModeIndex < m_displayModes.size() ? m_selectedModeIndex : GetDefaultModeIndex();
    const std::string mode = m_displayModes[index]->text + "x" + std::to_string(m_bitsPerPixel);
    if (mode == VelkorEngine::StringToLowerCopy(*m_videoSettings.videoMode))
        return false;
    *m_videoSettings.videoMode = mode;
    return true;
}

bool GUIOptionsWindowBase::StoreFullScreen()
{
    if (*m_videoSettings.fullScreen == m_fullScreen)
        return false;
    *m_videoSettings.fullScreen = m_fullScreen;
    return true;
}

void GUIOptionsWindowBase::StoreProfileVolumes()
{
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    profile->settings[ProfileBase::MusicVolume] = m_soundPlayer->GetMusicVolume();
    profile->settings[ProfileBase::SoundVolume] = m_soundPlayer->GetSoundVolume();
    profile->Save();
}
}
