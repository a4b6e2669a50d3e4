#include "game/app/GUIProfilesWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIScroll.h"
#include "engine/input/Controls.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"
#include "guitools/GUIButtonControl.h"
#include "guitools/GUITextControl.h"

namespace Korvane
{
using namespace GameFramework;

GUIProfilesWindow::GUIProfilesWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                     ProfileManagerBase* profileManager, GameData* data,
                                     GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                     VelkorEngine::GUIWindow* parentWidget)
    : GUIProfilesWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_profiles", parentWidget),
      m_controls(engine->GetControls())
{
    // The description numbers its rows from the bottom: row 0, the top one, is the control numbered 8.
    for (u32 n = RowCount; n-- > 0;)
    {
        const std::string path =
            m_menu.GetName() + "/window/text_area/button_profile_" + VelkorEngine::UIntToString(n, 0);
        GUITools::GUIButtonControl* control = m_menu.GetButtonControl(path);
        m_rows.push_back(control);
        m_rowButtons.push_back(control != nullptr ? control->GetButton() : nullptr);
        m_rowTitles.push_back(m_menu.GetTextControl(path + "/title"));
    }
    m_scroll = MenuControls::Scroll(m_menu, "/window/scroll");
    if (m_scroll != nullptr)
        m_scroll->SetReversed(true);
    m_createButton = MenuControls::Button(m_menu, "/window/create");
    m_renameButton = MenuControls::Button(m_menu, "/window/rename");
    m_deleteButton = MenuControls::Button(m_menu, "/window/delete");
    m_doneButton = MenuControls::Button(m_menu, "/window/done");
}

void GUIProfilesWindow::Show(u32 stateId)
{
    GUIProfilesWindowBase::Show(stateId);
    m_selectedName.clear();
    FillNames();
    for (u32 row = 0; row < RowCount && row < m_names.size(); ++row)
        MenuControls::SetText(m_rowTitles[row], m_names[row]);
    ShowRowControls();
    SetUpScroll();
    m_menu.Show(true);
}

void GUIProfilesWindow::Hide()
{
    GUIProfilesWindowBase::Hide();
    m_menu.Show(false);
}

void GUIProfilesWindow::FillNames()
{
    const u32 count = m_profileManager != nullptr ? m_profileManager->GetProfileCount() : 0;
    const ProfileBase* current = m_profileManager != nullptr ? m_profileManager->GetCurrentProfile() : nullptr;
    m_names.clear();
    m_names.reserve(count + 1);
    m_names.emplace_back();
    for (u32 i = 0; i < count; ++i)
    {
        const ProfileBase* profile = m_profileManager->GetProfile(i);
        if (profile == current)
            m_names[0] = profile->name;
        else
            m_names.push_back(profile->name);
    }
    // Without a current profile the empty first entry stands for nobody: the others are all listed.
    if (current == nullptr && count > 0)
        m_names.erase(m_names.begin());
}

void GUIProfilesWindow::ShowRowControls()
{
    const u32 count = m_profileManager != nullptr ? m_profileManager->GetProfileCount() : 0;
    for (u32 row = 0; row < RowCount; ++row)
        m_menu.SetControlEnabled(m_rows[row], row < count);
}

void GUIProfilesWindow::SetUpScroll()
{
    if (m_scroll == nullptr)
        return;
    const u32 count = m_profileManager != nullptr ? m_profileManager->GetProfileCount() : 0;
    const bool scrolls = count > RowCount;
    m_scroll->SetEnabled(scrolls);
    m_scroll->SetCount(scrolls ? count - RowCount + 1 : 2);
    m_scroll->SetPosition(0);
}

std::wstring GUIProfilesWindow::CurrentName() const
{
    const ProfileBase* current = m_profileManager != nullptr ? m_profileManager->GetCurrentProfile() : nullptr;
    return current != nullptr ? current->name : std::wstring();
}

u32 GUIProfilesWindow::ScrollPosition() const
{
    return m_scroll != nullptr && m_scroll->IsEnabled() ? m_scroll->GetPosition() : 0;
}

std::wstring GUIProfilesWindow::RowName(u32 row) const
{
    const std::size_t index = static_cast<std::size_t>(ScrollPosition()) + row;
    return index < m_names.size() ? m_names[index] : std::wstring();
}

void GUIProfilesWindow::Update()
{
    GUIProfilesWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    for (u32 row = 0; row < RowCount; ++row)
    {
        if (m_rowButtons[row] == nullptr || !m_rowButtons[row]->IsVisible())
            break;
        UpdateRow(row);
    }
    UpdateButtons();
}

void GUIProfilesWindow::UpdateRow(u32 row)
{
    VelkorEngine::GUIButton* button = m_rowButtons[row];
    GUITools::GUITextControl* title = m_rowTitles[row];
    const std::wstring name = RowName(row);
    if (title != nullptr && title->GetText() != name)
        title->SetText(name);
    if (button->IsClicked() && m_profileManager != nullptr)
    {
        ProfileBase* picked = m_profileManager->FindProfile(name);
        if (picked != nullptr)
            m_profileManager->SetCurrentProfile(picked, 1);
    }
    const bool selected = !name.empty() && name == CurrentName();
    button->SetEnabled(!selected);
    if (selected)
        MenuControls::SetFont(title, "common_1");
    else if (button->GetState() == VelkorEngine::GUIButton::Hover)
        MenuControls::SetFont(title, "common_2");
    else
        MenuControls::SetFont(title, "common_0");
}

void GUIProfilesWindow::UpdateButtons()
{
    // The name entries these buttons open take the keys typed after the click.
    if (MenuControls::IsClicked(m_createButton))
    {
        m_controls->KeepTypedKeysAfterClick();
        SetResultCode(ResultCode::NewProfile);
    }
    // Renaming and deleting act on the current profile; without one there is nobody to act on.
    const std::wstring current = CurrentName();
    if (MenuControls::IsClicked(m_renameButton) && !current.empty())
    {
        m_controls->KeepTypedKeysAfterClick();
        SetResultCode(ResultCode::RenameProfile);
        m_selectedName = current;
    }
    if (MenuControls::IsClicked(m_deleteButton) && !current.empty())
    {
        SetResultCode(ResultCode::DeleteProfile);
        m_selectedName = current;
    }
    if (MenuControls::IsClicked(m_doneButton))
        SetResultCode(ResultCode::MainMenu);
}
}
