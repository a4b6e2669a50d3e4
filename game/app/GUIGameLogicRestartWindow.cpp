// The restart question: yes starts the level again, no goes back to the in-game menu under the static mount.
#include "game/app/GUIGameLogicRestartWindow.h"

#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                     GameData* data, GUITools::GUIToolManager* toolManager,
                                                     GUIMenuWindowManager* menuManager,
                                                     VelkorEngine::GUIWindow* parentWidget)
    : GUIInGameDialog({"window_game_logic_restart", ResultCode::LevelMap, ResultCode::GameLogicMenu,
                       InGameDialogDescription::Mounts::StaticKeptForMenu, ResultCode::GameLogicMenu},
                      engine, soundPlayer, data, toolManager, menuManager, parentWidget)
{
}
}
