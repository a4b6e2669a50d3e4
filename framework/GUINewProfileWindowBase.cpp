// Creating a player under a name nobody has yet.
#include "framework/GUINewProfileWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/BinaryFields.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUINewProfileWindowBase::Show(u32 stateId, u8)
{
    GUIFrameworkWindow::Show(stateId);
}

// The taken test looks for the name as it will be stored, trimmed and cut to what a file holds: " Ann" is Ann,
// and two long names that differ only past the cut are one name.
bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name)
{
    const std::wstring stored = GameTools::CapStoredName(VelkorEngine::WStringTrim(name));
    if (m_profileManager->FindProfile(stored))
        return false;
    m_profileManager->SetCurrentProfile(m_profileManager->FindOrCreateProfile(stored), 1);
    return true;
}
}
