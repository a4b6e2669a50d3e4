// The start-game window (the level map): the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIStartGameLogicWindowBase : public GUIFrameworkWindow
{
};
}
