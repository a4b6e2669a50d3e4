// The start-up splash: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUILogosWindowBase : public GUIFrameworkWindow
{
};
}
