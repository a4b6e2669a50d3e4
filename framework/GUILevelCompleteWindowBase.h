// The window after a finished level: which level it was and how long it took.
#pragma once

#include "engine/core/Types.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/LevelManagerBase.h"

namespace GameFramework
{
using VelkorEngine::f32;

class ProfileManagerBase;

class GUILevelCompleteWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUILevelCompleteWindowBase(ProfileManagerBase* profileManager) : m_profileManager(profileManager) {}

    using GUIFrameworkWindow::Show;
    virtual void Show(u32 stateId, const LevelPosition& position, f32 levelTime);

    const LevelPosition& GetPosition() const { return m_position; }
    f32 GetLevelTime() const { return m_levelTime; }

protected:
    ProfileManagerBase* m_profileManager = nullptr;
    LevelPosition m_position;
    f32 m_levelTime = 0.0f;
};
}
