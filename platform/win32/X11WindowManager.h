// A window's X display and its window manager: X carries out no change of a window's state that a client asks for
// (an iconify among them); it hands the request on to the window manager, the one client that redirects what
// happens to the windows on the screen, and with none running the request goes nowhere.
#pragma once

#include <optional>

struct SDL_Window;

namespace Platform
{
class X11WindowManager
{
public:
    // Nothing known for a window that is not on an X display.
    static std::optional<bool> IsRunning(SDL_Window* window);
    // Asks the window manager to iconify the window, as it is, full screen or not: false for a window that is not on
    // an X display.
    static bool AskToIconify(SDL_Window* window);
};
}
