// A recording twin of the native window side: windows, focus, desktop, cursor and key state live in plain
// fields the test sets and reads; messages are posted by the test itself. Installed while it lives.
#pragma once

#include "platform/win32/WindowBackend.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace TestSupport
{
class FakeWindowBackend : public Platform::WindowBackend
{
public:
    struct NativeWindow
    {
        Platform::NativePlacement placement;
        std::string title;
        bool shown = false;
        bool destroyed = false;
        int placeCount = 0;
        int focusCount = 0;
        int minimizeCount = 0;
        int restoreCount = 0;
        int maximizeCount = 0;
    };

    FakeWindowBackend();
    ~FakeWindowBackend() override;

    FakeWindowBackend(const FakeWindowBackend&) = delete;
    FakeWindowBackend& operator=(const FakeWindowBackend&) = delete;

    // The record of a window made through this backend (a failed test's empty record otherwise).
    const NativeWindow& Native(HWND window) const;

    bool StartVideo() override;
    void StopVideo() override;
    bool CreateNativeWindow(PlatformWindow& window, const Platform::NativePlacement& placement) override;
    void DestroyNativeWindow(PlatformWindow& window) override;
    void PlaceNativeWindow(PlatformWindow& window, const Platform::NativePlacement& placement) override;
    void SetNativeTitle(PlatformWindow& window, const std::string& title) override;
    void ShowNativeWindow(PlatformWindow& window, bool show) override;
    void FocusNativeWindow(PlatformWindow& window) override;
    void MinimizeNativeWindow(PlatformWindow& window) override;
    void RestoreNativeWindow(PlatformWindow& window) override;
    void MaximizeNativeWindow(PlatformWindow& window) override;
    RECT GetNativeClientRect(PlatformWindow& window) override;
    PlatformWindow* GetFocusWindow() override;
    bool PollNativeEvent() override;
    RECT GetDesktopRect() override;
    std::vector<DEVMODE> GetDisplayModes() override;
    bool ReadGammaRamp(PlatformWindow& window, std::uint16_t* ramp) override;
    POINT GetCursorScreenPosition() override;
    void WarpCursor(POINT screenPosition) override;
    void ShowNativeCursor(bool show) override;
    bool IsVirtualKeyDown(int virtualKey) override;
    void ShowMessageBox(const std::string& text, const std::string& caption, bool error) override;

    // What the test scripts.
    bool startVideoResult = true;
    bool createResult = true;
    // Focus requests move the focus unless the test keeps it where it put it.
    bool focusFollowsRequests = true;
    PlatformWindow* focus = nullptr;
    RECT desktop{0, 0, 1024, 768};
    std::vector<DEVMODE> displayModes;
    bool gammaReadable = true;
    POINT cursor;
    std::set<int> keysDown;

    // What the test reads.
    int videoStarts = 0;
    int videoStops = 0;
    int gammaReads = 0;
    std::vector<POINT> warps;
    bool cursorShown = true;
    int cursorShowCalls = 0;
    std::map<const PlatformWindow*, NativeWindow> windows;
    struct MessageBoxRecord
    {
        std::string text;
        std::string caption;
        bool error = false;
    };
    std::vector<MessageBoxRecord> messageBoxes;
};
}
