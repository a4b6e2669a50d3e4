#include "game/app/GUINameEntry.h"

#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "framework/GameWindowIds.h"
#include "game/app/MenuControls.h"
#include "guitools/GUIEditBoxControl.h"
#include "guitools/GUIWindowBase.h"

namespace Korvane
{
GUINameEntry::GUINameEntry(const GUITools::GUIWindowBase& window, VelkorEngine::Controls* controls)
    : m_controls(controls), m_editBox(MenuControls::EditBox(window, "/window/name")),
      m_confirmButton(MenuControls::Button(window, "/window/button_1")),
      m_otherButton(MenuControls::Button(window, "/window/button_0"))
{
    // The box itself takes no more than a name may hold, whatever its description allows.
    if (GUITools::GUIEditBoxControl* box = window.GetEditBoxControl(window.GetName() + "/window/name"))
        box->SetMaxCharacterCount(MaxNameLength);
}

std::wstring GUINameEntry::CleanName(const std::wstring& typed)
{
    // Cut after trimming so that leading blanks do not eat into the length, and trim again so that the
    // cut never leaves a blank at the end.
    return VelkorEngine::WStringTrim(VelkorEngine::WStringTrim(typed).substr(0, MaxNameLength));
}

std::wstring GUINameEntry::GetName() const
{
    return m_editBox != nullptr ? CleanName(m_editBox->GetText()) : std::wstring();
}

void GUINameEntry::SetName(const std::wstring& name)
{
    if (m_editBox != nullptr)
        m_editBox->SetText(name);
}

void GUINameEntry::SetTakingKeys(bool taking)
{
    if (m_editBox != nullptr)
        m_editBox->SetFocused(taking);
}

void GUINameEntry::UpdateConfirmButton()
{
    MenuControls::SetEnabled(m_confirmButton, !GetName().empty());
}

bool GUINameEntry::IsOtherButtonClicked() const
{
    return MenuControls::IsClicked(m_otherButton);
}

bool GUINameEntry::IsConfirmed()
{
    m_confirmedByEnter = false;
    if (GetName().empty())
        return false;
    if (MenuControls::IsClicked(m_confirmButton))
        return true;
    const bool usable = m_confirmButton == nullptr || m_confirmButton->IsEnabled();
    m_confirmedByEnter = usable && MenuControls::IsEnterTyped(m_controls);
    return m_confirmedByEnter;
}

VelkorEngine::u32 GUINameEntry::ResultOfConfirmedName(bool stored)
{
    if (stored)
        return GameFramework::ResultCode::Profiles;
    // The window is on its way out: its box, still on screen for a while, would take the notice's keys.
    SetTakingKeys(false);
    MenuControls::KeepTypedKeysForTheWindowOpened(*m_controls, m_confirmedByEnter);
    return GameFramework::ResultCode::NameTaken;
}
}
