// The game's loader: its constructor runs the whole game, from creation through the message loop to the end.
#pragma once

#include "framework/GameLoaderBase.h"

namespace Korvane
{
class GameLoader : public GameFramework::GameLoaderBase
{
public:
    GameLoader(HINSTANCE instance, HINSTANCE previousInstance, const std::string& commandLine,
               VelkorEngine::i32 showFlag);

    void CreateGame() override;
};
}
