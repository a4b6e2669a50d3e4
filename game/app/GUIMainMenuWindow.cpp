#include "game/app/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowControl.h"

namespace Korvane
{
using namespace GameFramework;

namespace
{
constexpr const char* EntryNames[GUIMainMenuWindow::EntryCount] = {"start",         "high_scores", "options",
                                                                   "change_player", "credits",     "exit"};
constexpr u32 EntryResults[GUIMainMenuWindow::EntryCount] = {ResultCode::Start,   ResultCode::HighScores,
                                                             ResultCode::Options, ResultCode::Profiles,
                                                             ResultCode::Help,    ResultCode::ExitQuestion};
}

GUIMainMenuWindow::GUIMainMenuWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager,
                                     GameSoundPlayer* soundPlayer, GameData* data,
                                     GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                     VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_main_menu", parentWidget),
      m_profileManager(profileManager)
{
    for (u32 entry = 0; entry < EntryCount; ++entry)
    {
        const std::string suffix = std::string("/window/") + EntryNames[entry];
        m_buttons[entry] = MenuControls::Button(m_menu, suffix);
        m_titles[entry] = MenuControls::Text(m_menu, suffix + "/title");
    }
    const std::string body = m_menu.GetName() + "/window";
    if (m_menu.HasWindowControl(body))
        m_body = m_menu.GetWindowControl(body);
    const std::string title = m_menu.GetName() + "/title";
    if (m_menu.HasTextControl(title))
        m_title = m_menu.GetTextControl(title);
}

void GUIMainMenuWindow::Show(u32 stateId)
{
    GUIMainMenuWindowBase::Show(stateId);
    m_menu.Show(true);
    const ProfileBase* current = m_profileManager != nullptr ? m_profileManager->GetCurrentProfile() : nullptr;
    MenuControls::SetParameter(m_title, L"PROFILE_NAME", current != nullptr ? current->name : std::wstring());
    for (VelkorEngine::GUIButton* button : m_buttons)
        MenuControls::SetEnabled(button, false);
}

void GUIMainMenuWindow::Hide()
{
    GUIMainMenuWindowBase::Hide();
    m_menu.Show(false);
}

bool GUIMainMenuWindow::IsBodyShown() const
{
    return m_body != nullptr && m_body->IsShown();
}

void GUIMainMenuWindow::Update()
{
    GUIMainMenuWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    const bool usable = IsBodyShown();
    for (u32 entry = 0; entry < EntryCount; ++entry)
        UpdateEntry(entry, usable);
    for (u32 entry = 0; entry < EntryCount; ++entry)
    {
        if (MenuControls::IsClicked(m_buttons[entry]))
            SetResultCode(EntryResults[entry]);
    }
}

void GUIMainMenuWindow::UpdateEntry(u32 entry, bool usable)
{
    const u32 state = MenuControls::StateOf(m_buttons[entry]);
    const char* font = "main_menu_0";
    if (state == VelkorEngine::GUIButton::Hover)
        font = "main_menu_1";
    else if (state == VelkorEngine::GUIButton::Pressed)
        font = "main_menu_2";
    MenuControls::SetFont(m_titles[entry], font);
    MenuControls::SetEnabled(m_buttons[entry], usable);
}
}
