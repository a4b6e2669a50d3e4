// Points of the 800 x 600 GUI screen that the game application's tests click, from the data set's window
// descriptions.
#pragma once

#include "engine/core/Vector2.h"

namespace GameAppTest
{
// The level map's start button: in the map's panel at (60, 90), 70 units below it, 200 x 44.
inline const VelkorEngine::Vector2 kMapStart(60.0f + 480.0f + 100.0f, 90.0f - 70.0f + 22.0f);
// The level-complete window's button: in its panel at (150, 70), at (130, 28), 240 x 44.
inline const VelkorEngine::Vector2 kLevelCompleteNext(150.0f + 130.0f + 120.0f, 70.0f + 28.0f + 22.0f);
// The main menu's options and players buttons: in its panel at (225, 42), at (30, 175) and (30, 125), 290 x 44.
inline const VelkorEngine::Vector2 kMainMenuOptions(225.0f + 30.0f + 145.0f, 42.0f + 175.0f + 22.0f);
inline const VelkorEngine::Vector2 kMainMenuPlayers(225.0f + 30.0f + 145.0f, 42.0f + 125.0f + 22.0f);
// The middle of the screen, over the play field.
inline const VelkorEngine::Vector2 kField(400.0f, 300.0f);
}
