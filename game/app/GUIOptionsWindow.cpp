#include "game/app/GUIOptionsWindow.h"

#include "engine/core/Config.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "framework/WindowModeCommand.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"

namespace Korvane
{
using namespace GameFramework;

GUIOptionsWindow::GUIOptionsWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                   ProfileManagerBase* profileManager, GameData* data,
                                   GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                   VelkorEngine::GUIWindow* parentWidget)
    : GUIOptionsWindowBase(engine, soundPlayer, profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_options", parentWidget),
      m_volumes(m_menu, soundPlayer), m_videoModeText(MenuControls::Text(m_menu, "/window/video_mode/text")),
      m_decreaseButton(MenuControls::Button(m_menu, "/window/decrease_video_mode")),
      m_increaseButton(MenuControls::Button(m_menu, "/window/increase_video_mode")),
      m_applyButton(MenuControls::Button(m_menu, "/window/button_2")),
      m_defaultsButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_cancelButton(MenuControls::Button(m_menu, "/window/button_0"))
{
    AddVideoMode(640, 480);
    AddVideoMode(800, 600);
    AddVideoMode(1024, 768);
}

void GUIOptionsWindow::Show(u32 stateId)
{
    GUIOptionsWindowBase::Show(stateId);
    m_shownSoundVolume = GetSoundVolume();
    m_shownMusicVolume = GetMusicVolume();
    m_menu.Show(true);
    m_volumes.ShowVolumes(GetSoundVolume(), GetMusicVolume());
    m_volumes.ShowFullScreen(GetFullScreen() != 0);
}

void GUIOptionsWindow::Hide()
{
    GUIOptionsWindowBase::Hide();
    m_volumes.StopSample();
    m_menu.Show(false);
}

void GUIOptionsWindow::Update()
{
    GUIOptionsWindowBase::Update();
    m_menu.Update();
    if (!m_config->IsCommandIdle(kChangeWindowMode))
        m_volumes.ShowFullScreen(GetFullScreen() != 0);
    if (!m_menu.IsShown())
        return;
    m_volumes.ApplyVolumes();
    UpdateVideoModeButtons();
    UpdateButtons();
    ShowVideoMode();
}

void GUIOptionsWindow::UpdateVideoModeButtons()
{
    const u32 index = GetSelectedModeIndex();
    if (MenuControls::IsClicked(m_decreaseButton) && index > 0)
        SetSelectedModeIndex(index - 1);
    if (MenuControls::IsClicked(m_increaseButton) && index + 1 < GetDisplayModes().size())
        SetSelectedModeIndex(index + 1);
}

void GUIOptionsWindow::UpdateButtons()
{
    if (MenuControls::IsClicked(m_applyButton))
    {
        SetFullScreen(m_volumes.IsFullScreenChecked() ? 1 : 0);
        ApplySettings();
        SetResultCode(ResultCode::MainMenu);
    }
    if (MenuControls::IsClicked(m_defaultsButton))
        TakeDefaults();
    if (MenuControls::IsClicked(m_cancelButton))
    {
        Cancel();
        SetResultCode(ResultCode::MainMenu);
    }
}

void GUIOptionsWindow::TakeDefaults()
{
    LoadSettings();
    m_volumes.ShowVolumes(m_soundPlayer->GetSoundVolume(), m_soundPlayer->GetMusicVolume());
    m_volumes.ShowFullScreen(GetFullScreen() != 0);
}

void GUIOptionsWindow::Cancel()
{
    SetSoundVolume(m_shownSoundVolume);
    SetMusicVolume(m_shownMusicVolume);
    ApplyVolumes();
    // The scrolls follow, so that a frame that still runs before the window goes does not apply them again.
    m_volumes.ShowVolumes(m_shownSoundVolume, m_shownMusicVolume);
}

void GUIOptionsWindow::ShowVideoMode()
{
    const auto& modes = GetDisplayModes();
    if (m_videoModeText == nullptr || GetSelectedModeIndex() >= modes.size())
        return;
    const std::string key = "'" + modes[GetSelectedModeIndex()]->text + "'";
    if (m_videoModeText->GetKey() != key)
        m_videoModeText->SetTextKey(key);
}
}
