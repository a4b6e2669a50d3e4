// The pause notice: one button back to play, and the animated title mount only.
#include "game/app/GUIGameLogicPauseWindow.h"

#include "framework/GameWindowIds.h"

namespace Korvane
{
using namespace GameFramework;

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                 GameData* data, GUITools::GUIToolManager* toolManager,
                                                 GUIMenuWindowManager* menuManager,
                                                 VelkorEngine::GUIWindow* parentWidget)
    : GUIInGameDialog(
          {"window_game_logic_pause", 0, ResultCode::BackToPlay, InGameDialogDescription::Mounts::Animated, 0}, engine,
          soundPlayer, data, toolManager, menuManager, parentWidget)
{
}
}
