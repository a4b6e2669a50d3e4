// The list of players: the flow reads which name is selected when it opens the rename or delete window.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework
{
class ProfileManagerBase;

class GUIProfilesWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIProfilesWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    const std::wstring& GetSelectedName() const { return m_selectedName; }

protected:
    ProfileManagerBase* m_profileManager = nullptr;
    // Kept by the game's window as the player picks a line.
    std::wstring m_selectedName;
};
}
