// The quit question of the menus: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIExitWindowBase : public GUIFrameworkWindow
{
};
}
