// The question whether to continue the saved game: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIContinueGameLogicWindowBase : public GUIFrameworkWindow
{
};
}
