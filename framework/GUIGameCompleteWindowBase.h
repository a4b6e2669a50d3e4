// The window shown when the last stage is finished: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameCompleteWindowBase : public GUIFrameworkWindow
{
};
}
