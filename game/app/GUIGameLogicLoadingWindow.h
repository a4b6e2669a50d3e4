// The loading screen before a level: the start-up loading screen on its own description, holding the level
// manager for its owner.
#pragma once

#include "game/app/GUIGameLoadingWindow.h"

namespace GameFramework
{
class LevelManagerBase;
}

namespace Korvane
{
class GUIGameLogicLoadingWindow : public GUIGameLoadingWindow
{
public:
    static constexpr const char* Description = "window_game_logic_loading";

    GUIGameLogicLoadingWindow(VelkorEngine::Engine* engine, GameFramework::LevelManagerBase* levelManager,
                              GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                              GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* manager,
                              VelkorEngine::GUIWindow* parentWidget);

    GameFramework::LevelManagerBase* GetLevelManager() const { return m_levelManager; }

private:
    GameFramework::LevelManagerBase* m_levelManager;
};
}
