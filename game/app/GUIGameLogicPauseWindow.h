// The notice over a paused game; its one button goes back to play.
#pragma once

#include "framework/GUIGameLogicPauseWindowBase.h"
#include "game/app/GUIInGameDialog.h"

namespace Korvane
{
class GUIGameLogicPauseWindow : public GUIInGameDialog<GameFramework::GUIGameLogicPauseWindowBase>
{
public:
    GUIGameLogicPauseWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                            GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                            VelkorEngine::GUIWindow* parentWidget);
};
}
