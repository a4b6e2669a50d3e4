// Creating a player under a name nobody has yet.
#include "framework/GUINewProfileWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUINewProfileWindowBase::Show(u32 stateId, u8)
{
    GUIFrameworkWindow::Show(stateId);
}

// Names are stored trimmed, so the taken test trims as well: " Ann" is Ann.
bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name)
{
    if (m_profileManager->FindProfile(VelkorEngine::WStringTrim(name)))
        return false;
    m_profileManager->SetCurrentProfile(m_profileManager->FindOrCreateProfile(name), 1);
    return true;
}
}
