// What an HWND points to: the SDL window behind it. Only the platform layer includes this header.
#pragma once

struct SDL_Window;

struct PlatformWindow
{
    SDL_Window* sdl = nullptr;
};
