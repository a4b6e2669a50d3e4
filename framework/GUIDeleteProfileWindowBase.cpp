// Deleting the player the question was asked about.
#include "framework/GUIDeleteProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
void GUIDeleteProfileWindowBase::Show(u32 stateId, const std::wstring& name)
{
    GUIFrameworkWindow::Show(stateId);
    m_name = name;
}

void GUIDeleteProfileWindowBase::DeleteProfile()
{
    m_profileManager->DeleteProfile(m_name);
}
}
