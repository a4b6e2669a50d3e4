// The quit question asked in play: yes quits the program, no goes back to play.
#include "game/app/GUIGameLogicGameExitWindow.h"

#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                       GameData* data, GUITools::GUIToolManager* toolManager,
                                                       GUIMenuWindowManager* menuManager,
                                                       VelkorEngine::GUIWindow* parentWidget)
    : GUIInGameDialog({"window_game_logic_game_exit", ResultCode::Quit, ResultCode::BackToPlay,
                       InGameDialogDescription::Mounts::Animated, 0},
                      engine, soundPlayer, data, toolManager, menuManager, parentWidget)
{
}
}
