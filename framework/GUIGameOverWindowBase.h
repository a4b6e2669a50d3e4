// The window shown when the last life is lost: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameOverWindowBase : public GUIFrameworkWindow
{
};
}
