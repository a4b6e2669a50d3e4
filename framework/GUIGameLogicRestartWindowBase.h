// The question whether to restart from the level map: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameLogicRestartWindowBase : public GUIFrameworkWindow
{
};
}
