// The welcome window's one piece of behaviour: making the first profile current.
#include "framework/GUIWelcomeWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUIWelcomeWindowBase::CreateProfile(const std::wstring& name)
{
    m_profileManager->SetCurrentProfile(m_profileManager->FindOrCreateProfile(name), 1);
}
}
