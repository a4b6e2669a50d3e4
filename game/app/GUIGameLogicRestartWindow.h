// The question whether to start the level again; "no" goes back to the in-game menu.
#pragma once

#include "framework/GUIGameLogicRestartWindowBase.h"
#include "game/app/GUIInGameDialog.h"

namespace Korvane
{
class GUIGameLogicRestartWindow : public GUIInGameDialog<GameFramework::GUIGameLogicRestartWindowBase>
{
public:
    GUIGameLogicRestartWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                              GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                              VelkorEngine::GUIWindow* parentWidget);
};
}
