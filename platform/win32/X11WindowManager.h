// A window's X display and its window manager: X carries out no change of a window's state that a client asks for
// (an iconify among them); it hands the request on to the window manager, the one client that redirects what
// happens to the windows on the screen, and with none running the request goes nowhere.
#pragma once

#include <optional>

struct SDL_Window;
union SDL_Event;

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
    // Whether the display's event (SDL_SYSWMEVENT) may tell that the window was hidden or minimised: its unmap, or a
    // change of the state the window manager gives it, whichever a manager reports first.
    static bool MayReportHidden(const SDL_Event& event, SDL_Window* window);
};
}
