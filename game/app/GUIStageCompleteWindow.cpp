// The finished stage's way on.
#include "game/app/GUIStageCompleteWindow.h"

#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIStageCompleteWindow::GUIStageCompleteWindow(VelkorEngine::Engine*, LevelManagerBase* levelManager)
    : GUIStageCompleteWindowBase(levelManager)
{
}

void GUIStageCompleteWindow::Show(u32 stateId, const LevelPosition& position)
{
    GUIStageCompleteWindowBase::Show(stateId, position);
    SetLastingResultCode(IsLastLevel(position) ? ResultCode::GameComplete : ResultCode::LevelMap);
}

bool GUIStageCompleteWindow::IsLastLevel(const LevelPosition& position) const
{
    return position.stage + 1 == m_levelManager->GetStageCount() &&
           position.level + 1 == m_levelManager->GetLevelCount(position.stage);
}
}
