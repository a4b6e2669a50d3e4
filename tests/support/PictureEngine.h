// The engine set up as the play-picture tests draw with it: the game's window with the stencil its shadows
// need and no log file, and the game's fixed view of the field.
#pragma once

#include "engine/core/EngineParameters.h"
#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Engine;
struct Color;
}

namespace TestSupport
{
VelkorEngine::EngineParameters PictureEngineParameters(const std::string& applicationName,
                                                       const std::string& installation,
                                                       const std::string& videoMode);
// The default camera placed and shaped as the game logic places its camera; every frame clears colour and depth.
void SetUpGameCamera(VelkorEngine::Engine& engine, const VelkorEngine::Color& clearColor);
}
