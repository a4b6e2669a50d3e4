// Showing the finished level's result.
#include "framework/GUILevelCompleteWindowBase.h"

namespace GameFramework
{
void GUILevelCompleteWindowBase::Show(u32 stateId, const LevelPosition& position, f32 levelTime)
{
    GUIFrameworkWindow::Show(stateId);
    m_position = position;
    m_levelTime = levelTime;
}
}
