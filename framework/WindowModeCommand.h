// The configuration command that switches between a window and the full screen: the game raises it, the menus
// wait for it to fall idle again.
#pragma once

namespace GameFramework
{
constexpr const char* kChangeWindowMode = "v_window_change_mode";
}
