// Showing the finished stage.
#include "framework/GUIStageCompleteWindowBase.h"

namespace GameFramework
{
void GUIStageCompleteWindowBase::Show(u32 stateId, const LevelPosition& position)
{
    GUIFrameworkWindow::Show(stateId);
    m_position = position;
}
}
