// The question whether to delete a player, asked about the name the profiles window had selected.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework
{
class ProfileManagerBase;

class GUIDeleteProfileWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIDeleteProfileWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    using GUIFrameworkWindow::Show;
    virtual void Show(u32 stateId, const std::wstring& name);
    // Deletes the profile of the stored name with its files.
    void DeleteProfile();

    const std::wstring& GetName() const { return m_name; }

protected:
    ProfileManagerBase* m_profileManager = nullptr;
    std::wstring m_name;
};
}
