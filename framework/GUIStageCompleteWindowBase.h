// The window after the last level of a stage: which stage was finished, and through the level list whether
// it was the last one.
#pragma once

#include "framework/GUIFrameworkWindow.h"
#include "framework/LevelManagerBase.h"

namespace GameFramework
{
class GUIStageCompleteWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIStageCompleteWindowBase(LevelManagerBase* levelManager) : m_levelManager(levelManager) {}

    using GUIFrameworkWindow::Show;
    virtual void Show(u32 stateId, const LevelPosition& position);

    const LevelPosition& GetPosition() const { return m_position; }

protected:
    LevelManagerBase* m_levelManager = nullptr;
    LevelPosition m_position;
};
}
