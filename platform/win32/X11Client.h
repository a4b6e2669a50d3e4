// What SDL knows of the X display behind its windows and events, for the few things SDL itself does not tell.
// Kept free of the X headers, which define names such as None and Status.
#pragma once

#include "platform/win32/WindowApi.h"

struct SDL_Window;
union SDL_Event;
struct _XDisplay;
union _XEvent;

namespace Platform
{
// A window's X display and X window; both empty for a window that is not on an X display.
struct X11Window
{
    _XDisplay* display = nullptr;
    unsigned long window = 0;
};

class X11Client
{
public:
    static X11Window WindowOf(SDL_Window* window);
    // The display's own event that SDL hands on (SDL_SYSWMEVENT, once asked for); null for any other event.
    static const _XEvent* EventOf(const SDL_Event& event);
    // Where the pointer is on the screen, asked of the display through a connection of the asker's own (a pointer on
    // another screen than the window's is still placed on its own screen).
    static POINT PointerOn(_XDisplay* display, unsigned long window);
};
}
