// The question whether to quit the program, asked in play; "no" goes back to play.
#pragma once

#include "framework/GUIGameLogicGameExitWindowBase.h"
#include "game/app/GUIInGameDialog.h"

namespace Korvane
{
class GUIGameLogicGameExitWindow : public GUIInGameDialog<GameFramework::GUIGameLogicGameExitWindowBase>
{
public:
    GUIGameLogicGameExitWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                               GameData* data, GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                               VelkorEngine::GUIWindow* parentWidget);
};
}
