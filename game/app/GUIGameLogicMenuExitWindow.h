// The question whether to leave the level for the main menu; "no" goes back to the in-game menu.
#pragma once

#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "game/app/GUIInGameDialog.h"

namespace Korvane
{
class GUIGameLogicMenuExitWindow : public GUIInGameDialog<GameFramework::GUIGameLogicMenuExitWindowBase>
{
public:
    GUIGameLogicMenuExitWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                               GameData* data, GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                               VelkorEngine::GUIWindow* parentWidget);
};
}
