#include "game/app/GameLoader.h"

#include "game/app/Game.h"

namespace Korvane
{
GameLoader::GameLoader(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine,
                       VelkorEngine::i32 showFlag)
    : GameLoaderBase(instance, previousInstance, commandLine, showFlag)
{
    Run();
}

void GameLoader::CreateGame()
{
    m_game = std::make_unique<Game>();
}
}
