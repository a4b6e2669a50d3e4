// Renaming a player without taking another player's name.
#include "framework/GUIRenameProfileWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/BinaryFields.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUIRenameProfileWindowBase::Show(u32 stateId, u8 hasName, const std::wstring& name)
{
    GUIFrameworkWindow::Show(stateId);
    if (hasName)
        m_oldName = name;
}

// The new name is compared as it will be stored, trimmed and cut to what a file holds.
bool GUIRenameProfileWindowBase::RenameProfile(const std::wstring& newName)
{
    const std::wstring stored = GameTools::CapStoredName(VelkorEngine::WStringTrim(newName));
    if (VelkorEngine::WStringToLowerCopy(stored) == VelkorEngine::WStringToLowerCopy(m_oldName))
        return true;
    if (m_profileManager->FindProfile(stored))
        return false;
    m_profileManager->RenameProfile(m_oldName, stored);
    return true;
}
}
