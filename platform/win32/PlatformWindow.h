// What an HWND points to: the SDL window behind it and the Win32-side state kept for it. Only the platform
// layer includes this header.
#pragma once

#include "platform/win32/WindowApi.h"

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

struct PlatformIcon
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // 8-bit red, green, blue, alpha; top row first. Empty for the default icon.
    std::vector<std::uint8_t> rgba;
};

struct PlatformDeviceContext
{
    PlatformWindow* window = nullptr;
};

struct PlatformWindow
{
    SDL_Window* sdl = nullptr;
    std::string className;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    std::string title;
    // Placement last asked for (client area, screen coordinates) and whether it stays above other windows.
    RECT placement;
    bool topmost = false;
    // Full screen: the native window covers the whole desktop and shows the frame letterboxed in its middle,
    // while the program sees a screen of the placement's size, as after a real mode switch.
    bool fullScreen = false;
    // The placement the native window was last given: the frame its picture shows in full screen, until the native
    // window takes the next placement, which `placement` already holds.
    RECT placed;
    PlatformDeviceContext deviceContext;
    // The window class's icon; null or empty for the default one.
    const PlatformIcon* icon = nullptr;
};
