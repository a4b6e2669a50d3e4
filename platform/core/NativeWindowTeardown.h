// Whatever holds GL state on a native window gives it up before the window layer destroys that window or stops
// its video system. A GL context outliving its window and display can make closing the display wait for ever on
// the driver's own threads, so the drawing layer deletes its context here, in that order.
#pragma once

struct SDL_Window;

namespace Platform
{
class NativeWindowTeardown
{
public:
    using Hook = void (*)(SDL_Window* window);

    // One hook: the drawing layer's; a later call replaces it.
    static void SetHook(Hook hook);
    // Called with the window about to be destroyed, or null when the whole video system stops.
    static void Before(SDL_Window* window);
};
}
