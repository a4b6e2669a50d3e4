// The window, message, cursor, key-state and display calls the engine is written against, with Win32 names.
// Messages come from SDL2 events; a test can replace the native side with its own backend (WindowBackend.h).
#pragma once

#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <vector>

using UINT = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using SHORT = std::int16_t;
using ATOM = std::uint16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct PlatformCursor;
struct PlatformIcon;
struct PlatformDeviceContext;
using HCURSOR = PlatformCursor*;
using HICON = PlatformIcon*;
using HDC = PlatformDeviceContext*;
using HBRUSH = const void*;
using HGDIOBJ = const void*;
using HMENU = void*;

struct POINT
{
    LONG x = 0;
    LONG y = 0;
};

struct MSG
{
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASS
{
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
};

// One display mode of the desktop's display.
struct DEVMODE
{
    DWORD dmBitsPerPel = 0;
    DWORD dmPelsWidth = 0;
    DWORD dmPelsHeight = 0;
    DWORD dmDisplayFrequency = 0;
};

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;

// WM_SYSCOMMAND commands.
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_TASKLIST = 0xF130;
constexpr WPARAM SC_SCREENSAVE = 0xF140;
constexpr WPARAM SC_HOTKEY = 0xF150;
constexpr WPARAM SC_MONITORPOWER = 0xF170;

// WM_ACTIVATE and WM_SIZE arguments.
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Class and window styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_MINIMIZE = 0x20000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000u;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;
constexpr DWORD WS_EX_TOPMOST = 0x00000008u;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080u;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100u;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000u;

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;

// Stand-in window handles for SetWindowPos's z-order argument; never windows themselves.
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Stock resources: the arrow cursor, the application icon, the black brush.
constexpr std::uint32_t IDC_ARROW = 32512;
constexpr std::uint32_t IDI_APPLICATION = 32512;
constexpr int BLACK_BRUSH = 4;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr DWORD ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;

// Virtual-key codes.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_XBUTTON1 = 0x05;
constexpr int VK_XBUTTON2 = 0x06;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;
constexpr int VK_F10 = 0x79;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_OEM_1 = 0xBA;      // ;
constexpr int VK_OEM_PLUS = 0xBB;   // =
constexpr int VK_OEM_COMMA = 0xBC;  // ,
constexpr int VK_OEM_MINUS = 0xBD;  // -
constexpr int VK_OEM_PERIOD = 0xBE; // .
constexpr int VK_OEM_2 = 0xBF;      // /
constexpr int VK_OEM_3 = 0xC0;      // `
constexpr int VK_OEM_4 = 0xDB;      // [
constexpr int VK_OEM_5 = 0xDC;      // backslash
constexpr int VK_OEM_6 = 0xDD;      // ]
constexpr int VK_OEM_7 = 0xDE;      // '

// Process, classes, windows.
HINSTANCE GetModuleHandle(const char* moduleName);
// The icon of that resource id when the program has registered a picture for it, else the default icon.
HICON LoadIcon(HINSTANCE instance, std::uint32_t resourceId);
// A program here carries no resources in its file: it hands the picture of an icon resource over before it
// registers the window class that names it. Pixels are 8-bit red, green, blue, alpha, top row first.
void RegisterIconResource(std::uint32_t resourceId, std::uint32_t width, std::uint32_t height,
                          std::vector<std::uint8_t> rgba);
HCURSOR LoadCursor(HINSTANCE instance, std::uint32_t resourceId);
HGDIOBJ GetStockObject(int object);
ATOM RegisterClass(const WNDCLASS* windowClass);
BOOL UnregisterClass(const char* className, HINSTANCE instance);
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, void* parameter);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);
HWND GetDesktopWindow();
// Sizes are client sizes here: a window's frame is the desktop's business, so the rectangle stays as given.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
LONG SetWindowLong(HWND window, int index, LONG value);
LONG GetWindowLong(HWND window, int index);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
BOOL SetWindowText(HWND window, const char* text);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC context);

// Messages. PeekMessage takes the native events one at a time: the framework's main loop and its loading loop
// both run on it, so every event reaches the window procedure and the input devices the same way.
BOOL PeekMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessage(const MSG* message);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A modal box with a text and a caption; the text also goes to the standard error stream, which is all a
// player without a display gets. Answers IDOK.
constexpr UINT MB_ICONHAND = 0x10;
constexpr int IDOK = 1;
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Cursor and keys.
HCURSOR SetCursor(HCURSOR cursor);
int ShowCursor(BOOL show);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
BOOL ScreenToClient(HWND window, POINT* point);
BOOL ClientToScreen(HWND window, POINT* point);
// Most significant bit set while the key or mouse button is down.
SHORT GetAsyncKeyState(int virtualKey);

// Display. The gamma ramp is read, never set: three tables of 256 entries (red, green, blue).
BOOL EnumDisplaySettings(const char* deviceName, DWORD modeIndex, DEVMODE* mode);
LONG ChangeDisplaySettings(DEVMODE* mode, DWORD flags);
BOOL GetDeviceGammaRamp(HDC context, void* ramp);
