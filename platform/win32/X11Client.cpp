// Kept out of the platform's single source (see platform/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "platform/win32/X11Client.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace Platform
{
X11Window X11Client::WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    return X11Window{info.info.x11.display, info.info.x11.window};
}

const XEvent* X11Client::EventOf(const SDL_Event& event)
{
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return nullptr;
    return &event.syswm.msg->msg.x11.event;
}

POINT X11Client::PointerOn(Display* display, unsigned long window)
{
    ::Window root = 0, child = 0;
    int x = 0, y = 0, inWindowX = 0, inWindowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, window, &root, &child, &x, &y, &inWindowX, &inWindowY, &buttons);
    return POINT{x, y};
}
}
