// What the X display's own events tell of the pointer over one of the program's windows, placed against the
// program's own requests to the display. SDL tells neither whose motion moved the pointer (the player's over the
// window, or a drag that another program has the pointer for), nor whether an event was sent before or after the
// program last moved the pointer itself.
// Kept free of the X headers, which define names such as None and Status.
#pragma once

#include "platform/win32/WindowApi.h"

#include <optional>

struct SDL_Window;
union SDL_Event;

namespace Platform
{
// The pointer's place on the screen, and the serial of the program's last request the display had carried out when
// it was there.
struct DisplayPointerNote
{
    enum class Kind
    {
        Read,  // asked of the display by the program
        Moved, // moved over the window: the window gets no motion of a drag another program has the pointer for
        Left,  // gone out of the window, by the pointer's motion or the window's
        Taken, // taken from over the window by another client's grab: a window manager that starts a drag, say
    };
    Kind kind = Kind::Read;
    POINT screen{};
    unsigned long serial = 0;
    // Where a crossing left the window, from the window's own corner as it lay then.
    POINT inWindow{};

    // Whether the display sent this before it carried out the program's request of the given serial. Serials
    // wrap, so they are compared as a distance.
    bool Before(unsigned long request) const { return static_cast<long>(serial - request) < 0; }
};

class X11PointerEvents
{
public:
    // The pointer read now from the window's display; nothing for a window that is not on an X display. The
    // display's events about the window that carry this serial or a later one were sent after the reading.
    static std::optional<DisplayPointerNote> ReadPointer(SDL_Window* window);
    // What the display's event (SDL_SYSWMEVENT) says of the pointer over the window; nothing for another event.
    // The pointer's motion is known only to a watch of SDL's events (SDL_AddEventWatch), while SDL hands it on.
    static std::optional<DisplayPointerNote> Read(const SDL_Event& event, SDL_Window* window);
    // Whether the pointer is now over another window stacked in front of the window's own (another program's menu
    // or overlay, say): false when it is over the window, its frame, a window behind it or the bare screen.
    static bool OverWindowInFrontOf(SDL_Window* window);
};
}
