// Asks the X display itself whether a key is held, which SDL cannot say once it has let go of every key at a
// focus loss: SDL's own key state then reads "up" for a key the player still holds.
#pragma once

#include <SDL.h>

#include <optional>

namespace Platform
{
class X11HeldKeys
{
public:
    // Whether the key at `scancode` is down on the display `window` is shown on; nothing when the window is not on
    // an X display or the key has no X key code there.
    static std::optional<bool> IsHeld(SDL_Window* window, SDL_Scancode scancode);
};
}
