// The step after the last level of a stage: never on screen, it only decides in its show whether the game
// is finished (the last level of the last stage) or the level map comes next.
#pragma once

#include "framework/GUIStageCompleteWindowBase.h"

namespace VelkorEngine
{
class Engine;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase
{
public:
    GUIStageCompleteWindow(VelkorEngine::Engine* engine, GameFramework::LevelManagerBase* levelManager);

    using GUIStageCompleteWindowBase::Show;
    // The result is decided at once and outlives the dispatch that showed the window.
    void Show(u32 stateId, const GameFramework::LevelPosition& position) override;

private:
    bool IsLastLevel(const GameFramework::LevelPosition& position) const;
};
}
