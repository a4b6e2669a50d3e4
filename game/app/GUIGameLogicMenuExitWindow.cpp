// The leave-for-the-main-menu question: yes leaves, no goes back to the in-game menu under the static mount.
#include "game/app/GUIGameLogicMenuExitWindow.h"

#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                       GameData* data, GUITools::GUIToolManager* toolManager,
                                                       GUIMenuWindowManager* menuManager,
                                                       VelkorEngine::GUIWindow* parentWidget)
    : GUIInGameDialog({"window_game_logic_menu_exit", ResultCode::MainMenu, ResultCode::GameLogicMenu,
                       InGameDialogDescription::Mounts::StaticKeptForMenu, ResultCode::GameLogicMenu},
                      engine, soundPlayer, data, toolManager, menuManager, parentWidget)
{
}
}
