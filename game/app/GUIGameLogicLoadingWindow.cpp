#include "game/app/GUIGameLogicLoadingWindow.h"

namespace Korvane
{
GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(VelkorEngine::Engine* engine,
                                                     GameFramework::LevelManagerBase* levelManager,
                                                     GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                                                     GUITools::GUIToolManager* toolManager,
                                                     GUIMenuWindowManager* manager,
                                                     VelkorEngine::GUIWindow* parentWidget)
    : GUIGameLoadingWindow(engine, soundPlayer, data, toolManager, manager, parentWidget, Description),
      m_levelManager(levelManager)
{
}
}
