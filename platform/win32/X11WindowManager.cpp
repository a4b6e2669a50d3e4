// Kept out of the platform's single source (see platform/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "platform/win32/X11WindowManager.h"

#include "platform/win32/X11Client.h"

#include <X11/Xlib.h>

namespace Platform
{
// A window manager is the client that takes what happens to the root window's children for its own (only one
// client may), and that choice shows in the events some client asked of the root: a plain question to the display,
// with nothing to wait for.
std::optional<bool> X11WindowManager::IsRunning(SDL_Window* window)
{
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display)
        return std::nullopt;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(x11.display, x11.window, &attributes))
        return std::nullopt;
    XWindowAttributes root;
    if (!XGetWindowAttributes(x11.display, attributes.root, &root))
        return std::nullopt;
    return (root.all_event_masks & SubstructureRedirectMask) != 0;
}

// SDL's own minimise first takes a full-screen window out of full screen, for the manager to minimise a plain
// window; a manager that then does not minimise it (a tiling one has no minimise) leaves it out of full screen,
// framed. Asked directly, the window stays as it is until the manager acts; SDL leaves full screen once told the
// window is minimised, and returns to it at the restore.
bool X11WindowManager::AskToIconify(SDL_Window* window)
{
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display)
        return false;
    XIconifyWindow(x11.display, x11.window, DefaultScreen(x11.display));
    XFlush(x11.display);
    return true;
}

bool X11WindowManager::MayReportHidden(const SDL_Event& event, SDL_Window* window)
{
    // Every event of the display passes here: its kind is looked at before the window is asked of SDL.
    const XEvent* x = X11Client::EventOf(event);
    if (!x || (x->type != UnmapNotify && x->type != PropertyNotify))
        return false;
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display || x->xany.window != x11.window)
        return false;
    // The atom was named when SDL made the window: the display's answer is kept by the client library.
    return x->type == UnmapNotify || x->xproperty.atom == XInternAtom(x11.display, "_NET_WM_STATE", True);
}
}
