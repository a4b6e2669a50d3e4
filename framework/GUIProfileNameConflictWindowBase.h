// The notice that a chosen player name is taken: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIProfileNameConflictWindowBase : public GUIFrameworkWindow
{
};
}
