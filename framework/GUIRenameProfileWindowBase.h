// The window that renames a player; it remembers whose name it edits across the detour to the conflict notice.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework
{
class ProfileManagerBase;

class GUIRenameProfileWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIRenameProfileWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    using GUIFrameworkWindow::Show;
    // Without a name the previously stored one stays (the way back from the conflict notice).
    virtual void Show(u32 stateId, u8 hasName, const std::wstring& name);
    // True when renamed or when only the letter case differs (nothing changes then); false when the new name
    // belongs to another profile.
    bool RenameProfile(const std::wstring& newName);

    const std::wstring& GetOldName() const { return m_oldName; }

protected:
    ProfileManagerBase* m_profileManager = nullptr;
    std::wstring m_oldName;
};
}
