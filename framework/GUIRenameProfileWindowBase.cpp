// Renaming a player without taking another player's name.
#include "framework/GUIRenameProfileWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUIRenameProfileWindowBase::Show(u32 stateId, u8 hasName, const std::wstring& name)
{
    GUIFrameworkWindow::Show(stateId);
    if (hasName)
        m_oldName = name;
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::wstring& newName)
{
    const std::wstring trimmed = VelkorEngine::WStringTrim(newName);
    if (VelkorEngine::WStringToLowerCopy(trimmed) == VelkorEngine::WStringToLowerCopy(m_oldName))
        return true;
    if (m_profileManager->FindProfile(trimmed))
        return false;
    m_profileManager->RenameProfile(m_oldName, newName);
    return true;
}
}
