// The window that adds a player; a name already taken is refused so the flow can show the conflict notice.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework
{
class ProfileManagerBase;

class GUINewProfileWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUINewProfileWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    using GUIFrameworkWindow::Show;
    // The flag is the game's window's own business.
    virtual void Show(u32 stateId, u8 flag);
    // False when a profile of that name exists (letter case aside); otherwise it is made and becomes current.
    bool CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* m_profileManager = nullptr;
};
}
