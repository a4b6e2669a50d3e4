// Window classes, windows, the message queue, the cursor and the display calls, over the installed backend.
// Everything here runs on the main thread, as the window procedure and its messages do.
#include "platform/win32/WindowApi.h"

#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlWindowBackend.h"
#include "platform/win32/Time.h"
#include "platform/win32/WindowBackend.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <vector>

struct PlatformCursor
{
};

namespace
{
Platform::WindowBackend* g_backend = nullptr;
std::map<std::string, WNDCLASS> g_classes;
std::vector<std::unique_ptr<PlatformWindow>> g_windows;
std::deque<MSG> g_queue;

PlatformWindow g_desktop;
PlatformCursor g_arrow;
PlatformIcon g_applicationIcon;
std::map<std::uint32_t, std::unique_ptr<PlatformIcon>> g_iconResources;
const int g_blackBrush = 0;
const int g_instance = 0;

HCURSOR g_cursor = &g_arrow;
int g_cursorCounter = 0;

bool IsLiveWindow(HWND window)
{
    return std::any_of(g_windows.begin(), g_windows.end(),
                       [window](const std::unique_ptr<PlatformWindow>& live) { return live.get() == window; });
}

Platform::NativePlacement PlacementOf(const PlatformWindow& window)
{
    Platform::NativePlacement placement;
    placement.client = window.placement;
    placement.fullScreen = (window.style & WS_POPUP) != 0 && (window.style & WS_CHILD) == 0;
    placement.bordered = (window.style & WS_CAPTION) == WS_CAPTION;
    placement.topmost = window.topmost;
    return placement;
}

bool MatchesFilter(const MSG& message, HWND window, UINT filterMin, UINT filterMax)
{
    if (window != nullptr && message.hwnd != window)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

std::deque<MSG>::iterator FindQueued(HWND window, UINT filterMin, UINT filterMax)
{
    return std::find_if(g_queue.begin(), g_queue.end(), [&](const MSG& message) {
        return MatchesFilter(message, window, filterMin, filterMax);
    });
}

void ApplyCursor() { Platform::GetWindowBackend().ShowNativeCursor(g_cursorCounter >= 0 && g_cursor != nullptr); }
}

namespace Platform
{
void SetWindowBackend(WindowBackend* backend) { g_backend = backend; }

WindowBackend& GetWindowBackend()
{
    if (g_backend)
        return *g_backend;
    static SdlWindowBackend sdl;
    return sdl;
}
}

HINSTANCE GetModuleHandle(const char*) { return const_cast<int*>(&g_instance); }

HICON LoadIcon(HINSTANCE, std::uint32_t resourceId)
{
    const auto found = g_iconResources.find(resourceId);
    return found != g_iconResources.end() ? found->second.get() : &g_applicationIcon;
}

void RegisterIconResource(std::uint32_t resourceId, std::uint32_t width, std::uint32_t height,
                          std::vector<std::uint8_t> rgba)
{
    if (rgba.size() != static_cast<std::size_t>(width) * height * 4)
        return;
    auto icon = std::make_unique<PlatformIcon>();
    icon->width = width;
    icon->height = height;
    icon->rgba = std::move(rgba);
    // A window already made keeps the icon it was made with.
    g_iconResources[resourceId] = std::move(icon);
}

// The program carries no cursor resources here: every cursor is the arrow, so the pointer never vanishes
// because a resource is missing.
HCURSOR LoadCursor(HINSTANCE, std::uint32_t) { return &g_arrow; }

HGDIOBJ GetStockObject(int) { return &g_blackBrush; }

ATOM RegisterClass(const WNDCLASS* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc)
        return 0;
    const std::string name = windowClass->lpszClassName;
    if (g_classes.count(name) != 0)
        return 0;
    if (g_classes.empty() && !Platform::GetWindowBackend().StartVideo())
        return 0;
    g_classes[name] = *windowClass;
    return static_cast<ATOM>(g_classes.size());
}

BOOL UnregisterClass(const char* className, HINSTANCE)
{
    if (!className)
        return FALSE;
    const auto found = g_classes.find(className);
    if (found == g_classes.end())
        return FALSE;
    const bool inUse = std::any_of(g_windows.begin(), g_windows.end(), [className](const auto& window) {
        return window->className == className;
    });
    if (inUse)
        return FALSE;
    g_classes.erase(found);
    if (g_classes.empty())
        Platform::GetWindowBackend().StopVideo();
    return TRUE;
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU, HINSTANCE, void*)
{
    if (!className)
        return nullptr;
    const auto found = g_classes.find(className);
    if (found == g_classes.end())
        return nullptr;
    auto window = std::make_unique<PlatformWindow>();
    window->className = className;
    window->procedure = found->second.lpfnWndProc;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = parent;
    window->title = title ? title : "";
    window->placement = RECT{x, y, x + width, y + height};
    window->topmost = (exStyle & WS_EX_TOPMOST) != 0;
    window->deviceContext.window = window.get();
    window->icon = found->second.hIcon;
    Platform::WindowBackend& backend = Platform::GetWindowBackend();
    if (!backend.CreateNativeWindow(*window, PlacementOf(*window)))
        return nullptr;
    g_windows.push_back(std::move(window));
    HWND created = g_windows.back().get();
    if (style & WS_VISIBLE)
        backend.ShowNativeWindow(*created, true);
    return created;
}

BOOL DestroyWindow(HWND window)
{
    if (!IsLiveWindow(window))
        return FALSE;
    SendMessage(window, WM_DESTROY, 0, 0);
    std::erase_if(g_queue, [window](const MSG& message) { return message.hwnd == window; });
    for (const auto& other : g_windows)
        if (other->parent == window)
            other->parent = nullptr;
    Platform::GetWindowBackend().DestroyNativeWindow(*window);
    std::erase_if(g_windows, [window](const std::unique_ptr<PlatformWindow>& live) { return live.get() == window; });
    return TRUE;
}

BOOL IsWindow(HWND window) { return window == &g_desktop || IsLiveWindow(window) ? TRUE : FALSE; }

HWND GetParent(HWND window) { return IsLiveWindow(window) ? window->parent : nullptr; }

HWND GetDesktopWindow() { return &g_desktop; }

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) { return rect ? TRUE : FALSE; }

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    if (!IsLiveWindow(window))
        return FALSE;
    if (insertAfter == HWND_TOPMOST)
        window->topmost = true;
    else if (insertAfter == HWND_NOTOPMOST)
        window->topmost = false;
    RECT& rect = window->placement;
    if ((flags & SWP_NOMOVE) == 0)
        rect = RECT{x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    if ((flags & SWP_NOSIZE) == 0)
        rect = RECT{rect.left, rect.top, rect.left + width, rect.top + height};
    Platform::WindowBackend& backend = Platform::GetWindowBackend();
    backend.PlaceNativeWindow(*window, PlacementOf(*window));
    if (flags & SWP_SHOWWINDOW)
        backend.ShowNativeWindow(*window, true);
    return TRUE;
}

LONG SetWindowLong(HWND window, int index, LONG value)
{
    if (!IsLiveWindow(window))
        return 0;
    DWORD* field = index == GWL_STYLE ? &window->style : index == GWL_EXSTYLE ? &window->exStyle : nullptr;
    if (!field)
        return 0;
    const LONG previous = static_cast<LONG>(*field);
    *field = static_cast<DWORD>(value);
    return previous;
}

LONG GetWindowLong(HWND window, int index)
{
    if (!IsLiveWindow(window))
        return 0;
    if (index == GWL_STYLE)
        return static_cast<LONG>(window->style);
    if (index == GWL_EXSTYLE)
        return static_cast<LONG>(window->exStyle);
    return 0;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!rect)
        return FALSE;
    if (window == &g_desktop)
    {
        *rect = Platform::GetWindowBackend().GetDesktopRect();
        return TRUE;
    }
    if (!IsLiveWindow(window))
        return FALSE;
    *rect = Platform::GetWindowBackend().GetNativeClientRect(*window);
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    RECT screen;
    if (!GetWindowRect(window, &screen))
        return FALSE;
    *rect = RECT{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    if (!IsLiveWindow(window))
        return FALSE;
    Platform::WindowBackend& backend = Platform::GetWindowBackend();
    switch (command)
    {
    case SW_HIDE:
        backend.ShowNativeWindow(*window, false);
        break;
    case SW_MINIMIZE:
        backend.MinimizeNativeWindow(*window);
        break;
    case SW_RESTORE:
        backend.RestoreNativeWindow(*window);
        break;
    default:
        backend.ShowNativeWindow(*window, true);
        break;
    }
    return TRUE;
}

BOOL SetForegroundWindow(HWND window)
{
    if (!IsLiveWindow(window))
        return FALSE;
    Platform::GetWindowBackend().FocusNativeWindow(*window);
    return TRUE;
}

HWND SetFocus(HWND window)
{
    const HWND previous = GetFocus();
    if (IsLiveWindow(window))
        Platform::GetWindowBackend().FocusNativeWindow(*window);
    return previous;
}

HWND GetFocus()
{
    PlatformWindow* focused = Platform::GetWindowBackend().GetFocusWindow();
    return IsLiveWindow(focused) ? focused : nullptr;
}

BOOL SetWindowText(HWND window, const char* text)
{
    if (!IsLiveWindow(window))
        return FALSE;
    window->title = text ? text : "";
    Platform::GetWindowBackend().SetNativeTitle(*window, window->title);
    return TRUE;
}

HDC GetDC(HWND window) { return IsLiveWindow(window) ? &window->deviceContext : nullptr; }

int ReleaseDC(HWND window, HDC context) { return IsLiveWindow(window) && context == &window->deviceContext ? 1 : 0; }

BOOL PeekMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!message)
        return FALSE;
    auto found = FindQueued(window, filterMin, filterMax);
    while (found == g_queue.end() && Platform::GetWindowBackend().PollNativeEvent())
        found = FindQueued(window, filterMin, filterMax);
    if (found == g_queue.end())
        return FALSE;
    *message = *found;
    if (removeFlags & PM_REMOVE)
        g_queue.erase(found);
    return TRUE;
}

// Characters arrive as their own native events (text input), so there is nothing left to translate.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessage(const MSG* message)
{
    if (!message)
        return 0;
    return SendMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && !IsLiveWindow(window))
        return FALSE;
    MSG queued;
    queued.hwnd = window;
    queued.message = message;
    queued.wParam = wParam;
    queued.lParam = lParam;
    queued.time = GetTickCount();
    g_queue.push_back(queued);
    return TRUE;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLiveWindow(window) || !window->procedure)
        return 0;
    return window->procedure(window, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLiveWindow(window))
        return 0;
    Platform::WindowBackend& backend = Platform::GetWindowBackend();
    if (message == WM_CLOSE)
    {
        DestroyWindow(window);
        return 0;
    }
    // Alt+F4 closes the window through the system menu's close command.
    const bool altHeld = (lParam & (LPARAM{1} << 29)) != 0;
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && altHeld)
    {
        SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (message != WM_SYSCOMMAND)
        return 0;
    switch (wParam & 0xFFF0)
    {
    case SC_MINIMIZE:
        backend.MinimizeNativeWindow(*window);
        break;
    case SC_RESTORE:
        backend.RestoreNativeWindow(*window);
        break;
    case SC_MAXIMIZE:
        backend.MaximizeNativeWindow(*window);
        break;
    case SC_CLOSE:
        SendMessage(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return 0;
}

int MessageBox(HWND, const char* text, const char* caption, UINT type)
{
    const std::string shownText = text ? text : "";
    const std::string shownCaption = caption ? caption : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption.c_str(), shownText.c_str());
    std::fflush(stderr);
    Platform::GetWindowBackend().ShowMessageBox(shownText, shownCaption, (type & MB_ICONHAND) != 0);
    return IDOK;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = g_cursor;
    g_cursor = cursor;
    ApplyCursor();
    return previous;
}

int ShowCursor(BOOL show)
{
    g_cursorCounter += show ? 1 : -1;
    ApplyCursor();
    return g_cursorCounter;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = Platform::GetWindowBackend().GetCursorScreenPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    Platform::GetWindowBackend().WarpCursor(POINT{x, y});
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point)
{
    RECT rect;
    if (!point || !GetWindowRect(window, &rect))
        return FALSE;
    point->x -= rect.left;
    point->y -= rect.top;
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point)
{
    RECT rect;
    if (!point || !GetWindowRect(window, &rect))
        return FALSE;
    point->x += rect.left;
    point->y += rect.top;
    return TRUE;
}

SHORT GetAsyncKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    return Platform::GetWindowBackend().IsVirtualKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL EnumDisplaySettings(const char*, DWORD modeIndex, DEVMODE* mode)
{
    if (!mode)
        return FALSE;
    Platform::WindowBackend& backend = Platform::GetWindowBackend();
    if (modeIndex == ENUM_CURRENT_SETTINGS)
    {
        const RECT desktop = backend.GetDesktopRect();
        *mode = DEVMODE{32, static_cast<DWORD>(desktop.right - desktop.left),
                        static_cast<DWORD>(desktop.bottom - desktop.top), 0};
        return TRUE;
    }
    const std::vector<DEVMODE> modes = backend.GetDisplayModes();
    if (modeIndex >= modes.size())
        return FALSE;
    *mode = modes[modeIndex];
    return TRUE;
}

// Leaving full screen gives the desktop its own mode back by itself; other mode changes go through the
// drawing device, never through here.
LONG ChangeDisplaySettings(DEVMODE* mode, DWORD)
{
    constexpr LONG failed = -1;
    return mode == nullptr ? DISP_CHANGE_SUCCESSFUL : failed;
}

BOOL GetDeviceGammaRamp(HDC context, void* ramp)
{
    if (!context || !ramp || !IsLiveWindow(context->window))
        return FALSE;
    return Platform::GetWindowBackend().ReadGammaRamp(*context->window, static_cast<std::uint16_t*>(ramp)) ? TRUE
                                                                                                          : FALSE;
}
