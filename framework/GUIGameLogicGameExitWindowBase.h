// The question whether to quit the program from play: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameLogicGameExitWindowBase : public GUIFrameworkWindow
{
};
}
