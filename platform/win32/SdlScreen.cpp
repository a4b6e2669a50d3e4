// SDL's answers on its windows' places and the pointer, in the rectangles and points of the window side.
#include "platform/win32/SdlScreen.h"

#include "platform/win32/PlatformWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

namespace Platform
{
namespace
{
// SDL refuses to make a window beyond this size where Win32 would make one, so a request is cut to it.
constexpr int kLargestSdlWindow = 16384;

int NativeSize(LONG low, LONG high)
{
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{high} - low, 1, kLargestSdlWindow));
}
}

int SdlScreen::Width(const RECT& rect) { return NativeSize(rect.left, rect.right); }

int SdlScreen::Height(const RECT& rect) { return NativeSize(rect.top, rect.bottom); }

RECT SdlScreen::NativeRect(PlatformWindow& window)
{
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window.sdl, &x, &y);
    SDL_GetWindowSize(window.sdl, &width, &height);
    return RECT{x, y, x + width, y + height};
}

LetterboxViewport SdlScreen::PictureOf(PlatformWindow& window, const RECT& frame)
{
    const RECT native = NativeRect(window);
    const RECT& shown = window.fullScreen ? frame : native;
    return LetterboxViewport(native, Width(shown), Height(shown));
}

bool SdlScreen::IsShownUnminimized(SDL_Window* sdl)
{
    const Uint32 flags = SDL_GetWindowFlags(sdl);
    return (flags & SDL_WINDOW_SHOWN) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
}

POINT SdlScreen::Pointer()
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return POINT{x, y};
}
}
