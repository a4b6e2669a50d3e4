// Kept out of the platform's single source (see platform/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "platform/win32/X11WindowManager.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace Platform
{
// A window manager is the client that takes what happens to the root window's children for its own (only one
// client may), and that choice shows in the events some client asked of the root: a plain question to the display,
// with nothing to wait for.
std::optional<bool> X11WindowManager::IsRunning(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    Display* display = info.info.x11.display;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, info.info.x11.window, &attributes))
        return std::nullopt;
    XWindowAttributes root;
    if (!XGetWindowAttributes(display, attributes.root, &root))
        return std::nullopt;
    return (root.all_event_masks & SubstructureRedirectMask) != 0;
}
}
