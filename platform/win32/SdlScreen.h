// What SDL tells of the program's windows on the screen and of the pointer there: asked by the window backend and by
// the pointer's hold after a switch alike.
#pragma once

#include "platform/win32/LetterboxViewport.h"

struct SDL_Window;

namespace Platform
{
class SdlScreen
{
public:
    // A rectangle's sides as SDL takes a window's: at least a pixel, and no longer than the largest window SDL makes.
    static int Width(const RECT& rect);
    static int Height(const RECT& rect);
    // The window's client on the screen, where SDL last heard it lies.
    static RECT NativeRect(PlatformWindow& window);
    // Where the window's picture lies on the screen, and the frame it shows: the frame of the given placement
    // letterboxed in full screen, the client itself in a window.
    static LetterboxViewport PictureOf(PlatformWindow& window, const RECT& frame);
    static bool IsShownUnminimized(SDL_Window* sdl);
    // Where the pointer is on the screen.
    static POINT Pointer();
};
}
