// The recording window backend: every native call lands in a field of the fake.
#include "tests/support/FakeWindowBackend.h"

#include "platform/win32/PlatformWindow.h"
#include "tests/support/EngineCallJournal.h"

namespace TestSupport
{
FakeWindowBackend::FakeWindowBackend() { Platform::SetWindowBackend(this); }

FakeWindowBackend::~FakeWindowBackend() { Platform::SetWindowBackend(nullptr); }

const FakeWindowBackend::NativeWindow& FakeWindowBackend::Native(HWND window) const
{
    static const NativeWindow none;
    const auto found = windows.find(window);
    return found == windows.end() ? none : found->second;
}

bool FakeWindowBackend::StartVideo()
{
    ++videoStarts;
    return startVideoResult;
}

void FakeWindowBackend::StopVideo() { ++videoStops; }

bool FakeWindowBackend::CreateNativeWindow(PlatformWindow& window, const Platform::NativePlacement& placement)
{
    if (!createResult)
        return false;
    NativeWindow& native = windows[&window];
    native = NativeWindow{};
    native.placement = placement;
    native.title = window.title;
    return true;
}

void FakeWindowBackend::DestroyNativeWindow(PlatformWindow& window)
{
    windows[&window].destroyed = true;
    if (focus == &window)
        focus = nullptr;
}

void FakeWindowBackend::PlaceNativeWindow(PlatformWindow& window, const Platform::NativePlacement& placement)
{
    NativeWindow& native = windows[&window];
    native.placement = placement;
    ++native.placeCount;
}

void FakeWindowBackend::SetNativeTitle(PlatformWindow& window, const std::string& title)
{
    windows[&window].title = title;
}

void FakeWindowBackend::ShowNativeWindow(PlatformWindow& window, bool show) { windows[&window].shown = show; }

void FakeWindowBackend::FocusNativeWindow(PlatformWindow& window)
{
    ++windows[&window].focusCount;
    if (focusFollowsRequests)
        focus = &window;
}

void FakeWindowBackend::MinimizeNativeWindow(PlatformWindow& window) { ++windows[&window].minimizeCount; }

void FakeWindowBackend::RestoreNativeWindow(PlatformWindow& window) { ++windows[&window].restoreCount; }

void FakeWindowBackend::MaximizeNativeWindow(PlatformWindow& window) { ++windows[&window].maximizeCount; }

RECT FakeWindowBackend::GetNativeClientRect(PlatformWindow& window) { return windows[&window].placement.client; }

PlatformWindow* FakeWindowBackend::GetFocusWindow() { return focus; }

bool FakeWindowBackend::PollNativeEvent() { return false; }

RECT FakeWindowBackend::GetDesktopRect() { return desktop; }

std::vector<DEVMODE> FakeWindowBackend::GetDisplayModes() { return displayModes; }

bool FakeWindowBackend::ReadGammaRamp(PlatformWindow&, std::uint16_t* ramp)
{
    ++gammaReads;
    if (!gammaReadable)
        return false;
    for (int i = 0; i < 3 * 256; ++i)
        ramp[i] = static_cast<std::uint16_t>((i % 256) * 257);
    return true;
}

POINT FakeWindowBackend::GetCursorScreenPosition() { return cursor; }

void FakeWindowBackend::WarpCursor(POINT screenPosition)
{
    cursor = screenPosition;
    warps.push_back(screenPosition);
}

void FakeWindowBackend::ShowNativeCursor(bool show)
{
    cursorShown = show;
    ++cursorShowCalls;
}

bool FakeWindowBackend::IsVirtualKeyDown(int virtualKey)
{
    EngineCallJournal::Note("window IsVirtualKeyDown");
    return keysDown.count(virtualKey) != 0;
}

void FakeWindowBackend::ShowMessageBox(const std::string& text, const std::string& caption, bool error)
{
    EngineCallJournal::Note("window ShowMessageBox");
    messageBoxes.push_back({text, caption, error});
}
}
