// The first screen of a new installation: the player types a name and becomes the first profile.
#pragma once

#include "framework/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework
{
class ProfileManagerBase;

class GUIWelcomeWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIWelcomeWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    // The profile of that name (found, else created) becomes the current one, saved at once.
    void CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* m_profileManager = nullptr;
};
}
