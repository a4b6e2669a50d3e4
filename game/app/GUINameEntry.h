// The name field shared by the windows that take a player's name: the edit box, the confirming button
// that is usable only while the name holds more than white space, the other button, and "ENTER" as a
// shortcut for the confirming button.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Controls;
class GUIButton;
class GUIEditBox;
}

namespace GUITools
{
class GUIWindowBase;
}

namespace Korvane
{
class GUINameEntry
{
public:
    // Longest player name in characters: short enough to fit every place the name is drawn, and far
    // below what the profile, profile list and high-score files can store.
    static constexpr VelkorEngine::u32 MaxNameLength = 24;

    // The controls are "/window/name", "/window/button_1" (confirm) and "/window/button_0" of the window.
    GUINameEntry(const GUITools::GUIWindowBase& window, VelkorEngine::Controls* controls);

    // The typed name with white space cut at both ends, at most MaxNameLength characters.
    std::wstring GetName() const;
    void SetName(const std::wstring& name);

    // The box reads typed keys only while its window is shown: on its way out it would take the keys typed for
    // the window that follows.
    void SetTakingKeys(bool taking);
    // Once a frame while the window is shown: the confirming button follows the name.
    void UpdateConfirmButton();
    bool IsOtherButtonClicked() const;
    // The confirming button was clicked, or "ENTER" typed while it is usable; never for an empty name. Enter
    // is taken in its place among the typed characters, so the name holds every one typed before it.
    bool IsConfirmed();
    // Where a confirmed name leads: back to the players' page once it is stored, else to the name-conflict notice,
    // which takes the keys typed after the confirming click or Enter (the box takes no more).
    VelkorEngine::u32 ResultOfConfirmedName(bool stored);

    VelkorEngine::GUIEditBox* GetEditBox() const { return m_editBox; }

    static std::wstring CleanName(const std::wstring& typed);

private:
    VelkorEngine::Controls* m_controls;
    VelkorEngine::GUIEditBox* m_editBox;
    VelkorEngine::GUIButton* m_confirmButton;
    VelkorEngine::GUIButton* m_otherButton;
    bool m_confirmedByEnter = false;
};
}
