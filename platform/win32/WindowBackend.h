// The native side of the window calls: SDL2 by default; tests install a recording twin instead.
#pragma once

#include "platform/win32/WindowApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Platform
{
// Where and how a window is shown: the client area in screen coordinates and the mode derived from its styles.
struct NativePlacement
{
    RECT client;
    bool fullScreen = false;
    bool bordered = true;
    bool topmost = false;
};

class WindowBackend
{
public:
    virtual ~WindowBackend() = default;

    // Brings up (and, once per successful start, takes down) the native video system.
    virtual bool StartVideo() = 0;
    virtual void StopVideo() = 0;

    // Creates the native window hidden; the window keeps its native handle in its own record.
    virtual bool CreateNativeWindow(PlatformWindow& window, const NativePlacement& placement) = 0;
    virtual void DestroyNativeWindow(PlatformWindow& window) = 0;
    virtual void PlaceNativeWindow(PlatformWindow& window, const NativePlacement& placement) = 0;
    virtual void SetNativeTitle(PlatformWindow& window, const std::string& title) = 0;
    virtual void ShowNativeWindow(PlatformWindow& window, bool show) = 0;
    virtual void FocusNativeWindow(PlatformWindow& window) = 0;
    virtual void MinimizeNativeWindow(PlatformWindow& window) = 0;
    virtual void RestoreNativeWindow(PlatformWindow& window) = 0;
    virtual void MaximizeNativeWindow(PlatformWindow& window) = 0;
    virtual RECT GetNativeClientRect(PlatformWindow& window) = 0;
    // The window holding the keyboard focus, or null.
    virtual PlatformWindow* GetFocusWindow() = 0;

    // Takes one native event and posts the messages it stands for (PostMessage); false when none was waiting and
    // nothing was posted.
    virtual bool PollNativeEvent() = 0;

    virtual RECT GetDesktopRect() = 0;
    virtual std::vector<DEVMODE> GetDisplayModes() = 0;
    virtual bool ReadGammaRamp(PlatformWindow& window, std::uint16_t* ramp) = 0;

    virtual POINT GetCursorScreenPosition() = 0;
    // Where a button event of a native window happened, in the terms of GetCursorScreenPosition; a backend that
    // cannot tell gives the cursor's present place.
    virtual POINT GetButtonEventScreenPosition(std::uint32_t nativeWindowId, POINT windowPoint)
    {
        (void)nativeWindowId;
        (void)windowPoint;
        return GetCursorScreenPosition();
    }
    virtual void WarpCursor(POINT screenPosition) = 0;
    virtual void ShowNativeCursor(bool show) = 0;
    virtual bool IsVirtualKeyDown(int virtualKey) = 0;

    // Returns once the player has closed the box (at once when there is no display to show it on).
    virtual void ShowMessageBox(const std::string& text, const std::string& caption, bool error) = 0;
};

// Installs a backend for the calls that follow; null goes back to SDL2.
void SetWindowBackend(WindowBackend* backend);
WindowBackend& GetWindowBackend();
}
