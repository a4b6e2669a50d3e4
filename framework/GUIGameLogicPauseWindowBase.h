// The pause window of play: the game's window only stores its result.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class GUIGameLogicPauseWindowBase : public GUIFrameworkWindow
{
};
}
