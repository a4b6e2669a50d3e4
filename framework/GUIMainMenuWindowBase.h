// The main menu: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIMainMenuWindowBase : public GUIFrameworkWindow
{
};
}
