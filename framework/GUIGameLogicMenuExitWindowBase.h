// The question whether to leave play for the main menu: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameLogicMenuExitWindowBase : public GUIFrameworkWindow
{
};
}
