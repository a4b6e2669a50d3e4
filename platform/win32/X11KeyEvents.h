// Reads what the X display says about its keys from the X events SDL hands on (SDL_SYSWMEVENT): a key pressed
// or let go, and the whole keyboard as a window takes the focus. SDL's own key events cannot tell that a key is
// still held once SDL has let go of every key at a focus loss.
#pragma once

#include "platform/win32/SdlMessageTranslator.h"

#include <SDL.h>

#include <optional>

namespace Platform
{
class X11KeyEvents
{
public:
    // Asks SDL to hand on the display's own events.
    static void Enable();
    // What the event says about the display's keys; nothing for another event or another display.
    static std::optional<DisplayKeyNote> Read(const SDL_Event& event);
    // The display's key code of a key position, by its symbol in the display's layout; 0 when the window is not on
    // an X display or the key has no code there.
    static unsigned KeyCodeOf(SDL_Window* window, SDL_Scancode scancode);
};
}
