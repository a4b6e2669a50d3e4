// The result and state bookkeeping every framework window shares.
#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
void GUIFrameworkWindow::Update()
{
    m_resultCode = 0;
}

void GUIFrameworkWindow::Show(u32 stateId)
{
    m_stateId = stateId;
}

void GUIFrameworkWindow::Hide()
{
    m_resultExpires = 1;
}

void GUIFrameworkWindow::SetLastingResultCode(u32 resultCode)
{
    m_resultCode = resultCode;
    m_resultExpires = 0;
}

void GUIFrameworkWindow::ExpireResult()
{
    if (m_resultExpires)
        m_resultCode = 0;
    m_resultExpires = 1;
}
}
