// Creation and placement of the application window, its window procedure, focus and Alt+Enter handling.
#include "engine/core/Window.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"

#include <algorithm>
#include <limits>

namespace VelkorEngine
{
namespace
{
constexpr const char* kClassName = "Velkor Engine window class";
constexpr const char* kFullScreen = "v_fullscreen";
constexpr const char* kChangeMode = "v_window_change_mode";
constexpr const char* kGammaSettings[] = {"v_brightness", "v_contrast", "v_gamma"};
constexpr f32 kGammaLimit = 2.0f;
constexpr u16 kUnconvertibleCharacter = 'A';
// Keys typed while nobody reads them (a long load) stop queueing here.
constexpr size_t kMaxTypedKeys = 256;

// The window procedure is a plain function; it reaches the one Window through this pointer.
Window* g_window = nullptr;

// A key message's flags. Bit 29: Alt was held; bit 30: the key was already down, a repeat rather than a press.
bool IsAltHeld(LPARAM flags) { return (flags & (LPARAM{1} << 29)) != 0; }

bool IsRepeat(LPARAM flags) { return (flags & (LPARAM{1} << 30)) != 0; }

bool IsAltEnter(WPARAM key, LPARAM flags) { return key == VK_RETURN && IsAltHeld(flags); }

// A typed character fits the 16-bit key slot when it is a character of the basic plane.
u16 TypedCharacter(WPARAM code)
{
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code <= 0xFFFF && !surrogate ? static_cast<u16>(code) : kUnconvertibleCharacter;
}

// The size comes from the settings file and may be any number: before any arithmetic it is cut to one beyond
// every screen, so placing the window never overflows (the platform then makes the largest window it can).
constexpr u32 kLargestClientSize = 1u << 24;

i64 PlacedSize(u32 size) { return std::min(size, kLargestClientSize); }

LONG ToCoordinate(i64 value)
{
    return static_cast<LONG>(
        std::clamp<i64>(value, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

i32 CentredOffset(u32 desktopSize, u32 size)
{
    // A window larger than the desktop keeps its top-left corner (and title bar) on the screen.
    return static_cast<i32>(std::max<i64>(0, (static_cast<i64>(desktopSize) - PlacedSize(size)) / 2));
}

f32 ClampedGammaValue(f32 value)
{
    if (!(value >= 0.0f))
        return 0.0f;
    return std::min(value, kGammaLimit);
}
}

Window::Window(MessageManager* log, Config* config, const std::string& title, HWND parent, u32 iconId,
               u8 minimizeOnFocusLoss, u32 width, u32 height, u8 fullScreen, u8 centreWindow, i32 x, i32 y)
    : m_log(log), m_config(config), m_minimizeOnFocusLoss(minimizeOnFocusLoss), m_centreWindow(centreWindow),
      m_x(x), m_y(y), m_width(width), m_height(height), m_fullScreen(fullScreen), m_parent(parent)
{
    m_log->Message(" ");
    m_log->Message("Window creation:");
    g_window = this;
    m_instance = GetModuleHandle(nullptr);
    m_cursor = ::LoadCursor(nullptr, IDC_ARROW);
    m_log->Message("...Registering the window class...");
    RegisterWindowClass(iconId);
    if (m_parent)
    {
        m_fullScreen = 0;
        RECT parentRect;
        GetWindowRect(m_parent, &parentRect);
        m_width = static_cast<u32>(parentRect.right - parentRect.left);
        m_height = static_cast<u32>(parentRect.bottom - parentRect.top);
    }
    CreateTheWindow(title);
    SetWindowPos(m_window, m_fullScreen ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_log->Message("...Creating a device context...");
    m_deviceContext = GetDC(m_window);
    if (!m_deviceContext)
    {
        DestroyWindow(m_window);
        UnregisterClass(kClassName, m_instance);
        g_window = nullptr;
        m_log->Fatal("Failed to create a device context");
    }
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    if (!m_parent)
        SetFocus(m_window);
    GetDeviceGammaRamp(m_deviceContext, m_gammaRamp);
    if (m_fullScreen && !m_parent)
        ApplyGamma();
    m_typedKeys.clear();
    if (m_parent)
        FillFocusList();
}

Window::~Window()
{
    RestoreGamma();
    m_log->Message("\nWindow destroying:");
    m_log->Message("...Releasing device context...");
    ReleaseDC(m_window, m_deviceContext);
    m_log->Message("...Releasing window...");
    DestroyWindow(m_window);
    m_log->Message("...Unregistering class...");
    UnregisterClass(kClassName, m_instance);
    g_window = nullptr;
}

void Window::RegisterWindowClass(u32 iconId)
{
    WNDCLASS windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &Window::WindowProcedure;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = iconId != 0 ? LoadIcon(m_instance, iconId) : LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hCursor = m_cursor;
    windowClass.hbrBackground = GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = kClassName;
    if (RegisterClass(&windowClass) == 0)
    {
        g_window = nullptr;
        m_log->Fatal("Failed to register the window class");
    }
}

void Window::CreateTheWindow(const std::string& title)
{
    const Styles styles = ChooseStyles();
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT rect = PlacementRect(static_cast<u32>(desktop.right - desktop.left),
                              static_cast<u32>(desktop.bottom - desktop.top));
    const DWORD style = styles.style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&rect, style, FALSE, styles.exStyle);
    m_window = CreateWindowEx(styles.exStyle, kClassName, title.c_str(), style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, m_parent, nullptr, m_instance, nullptr);
    if (!m_window)
    {
        UnregisterClass(kClassName, m_instance);
        g_window = nullptr;
        m_log->Fatal("Failed to create window");
    }
}

Window::Styles Window::ChooseStyles() const
{
    if (m_parent)
        return Styles{WS_EX_TOOLWINDOW, WS_CHILD};
    if (m_fullScreen)
        return Styles{WS_EX_APPWINDOW, WS_POPUP};
    return Styles{WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX};
}

RECT Window::PlacementRect(u32 desktopWidth, u32 desktopHeight) const
{
    i32 x = 0;
    i32 y = 0;
    if (!m_parent && !m_fullScreen)
    {
        x = m_centreWindow ? CentredOffset(desktopWidth, m_width) : m_x;
        y = m_centreWindow ? CentredOffset(desktopHeight, m_height) : m_y;
    }
    return RECT{x, y, ToCoordinate(x + PlacedSize(m_width)), ToCoordinate(y + PlacedSize(m_height))};
}

void Window::FillFocusList()
{
    for (HWND ancestor = GetParent(m_window); ancestor != nullptr; ancestor = GetParent(ancestor))
        m_focusList.push_back(ancestor);
}

void Window::SetMode(u32 width, u32 height, u8 fullScreen, u32 desktopWidth, u32 desktopHeight)
{
    if (m_parent)
        return;
    m_width = width;
    m_height = height;
    m_fullScreen = fullScreen;
    const Styles styles = ChooseStyles();
    RECT rect = PlacementRect(desktopWidth, desktopHeight);
    AdjustWindowRectEx(&rect, styles.style, FALSE, styles.exStyle);
    SetWindowLong(m_window, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle));
    SetWindowLong(m_window, GWL_STYLE, static_cast<LONG>(styles.style));
    SetWindowPos(m_window, m_fullScreen ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    SetFocus(m_window);
    if (m_fullScreen)
    {
        ApplyGamma();
        return;
    }
    ChangeDisplaySettings(nullptr, 0);
    RestoreGamma();
}

bool Window::HasFocus() const
{
    const HWND focus = GetFocus();
    if (focus == nullptr)
        return false;
    // Embedded, the focus may sit on the host's windows or on our own.
    if (m_parent && std::find(m_focusList.begin(), m_focusList.end(), focus) != m_focusList.end())
        return true;
    return focus == m_window;
}

void Window::Minimize() { PostMessage(m_window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void Window::SetTitle(const std::string& title) { SetWindowText(m_window, title.c_str()); }

void Window::SetCursor(HCURSOR cursor)
{
    m_cursor = cursor;
    ::SetCursor(m_cursor);
}

HCURSOR Window::LoadCursor(u16 resourceId) const { return ::LoadCursor(m_instance, resourceId); }

void Window::ApplyGamma()
{
    f32 values[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        std::string text;
        m_config->GetValueAsString(text, kGammaSettings[i]);
        values[i] = ClampedGammaValue(StringToFloat(text));
        m_config->SetFromString(kGammaSettings[i], FloatToString(values[i], 6));
    }
    SetGammaRamp(values[0], values[1], values[2]);
}

void Window::SetGammaRamp(f32, f32, f32) {}

void Window::RestoreGamma() {}

void Window::Update()
{
    if (m_minimizeOnFocusLoss && !m_parent && !m_minimized && !HasFocus())
        Minimize();
    if (m_parent && !IsWindow(m_parent))
        m_config->Execute("exit");
    const bool altEnterDown = IsAltEnterDown();
    const bool altEnterPressed = (altEnterDown && !m_altEnterWasDown) || m_altEnterPressed;
    m_altEnterWasDown = altEnterDown;
    m_altEnterPressed = false;
    if (!m_parent && !m_minimized && altEnterPressed && HasFocus())
    {
        std::string fullScreen;
        m_config->GetValueAsString(fullScreen, kFullScreen);
        SwitchFullScreen(StringToBool(fullScreen) ? 0 : 1);
    }
}

void Window::NoteAltEnter(WPARAM key, LPARAM flags)
{
    if (IsAltEnter(key, flags) && !IsRepeat(flags))
        m_altEnterPressed = true;
}

bool Window::IsAltEnterDown() const
{
    const auto down = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    const bool alt = down(VK_MENU) || down(VK_LMENU) || down(VK_RMENU);
    return alt && down(VK_RETURN);
}

void Window::SwitchFullScreen(u8 fullScreen)
{
    m_config->SetFromString(kFullScreen, fullScreen ? "1" : "0");
    m_config->Save();
    m_config->SetCommandIdle(kChangeMode, 0);
}

void Window::QueueTypedKey(u16 code, LPARAM flags)
{
    m_typedKeyAwaitsCharacter = false;
    ++m_typedKeyCount;
    if (m_typedKeys.size() >= kMaxTypedKeys)
        return;
    m_typedKeys.push_back({code, 0, static_cast<u8>(IsRepeat(flags) ? 1 : 0), 0});
    m_typedKeyAwaitsCharacter = true;
}

// A press and the character it types arrive together; the game wants the character alone, as when a frame
// kept only the last of them.
void Window::QueueTypedCharacter(u16 character)
{
    if (m_typedKeyAwaitsCharacter && !m_typedKeys.empty())
    {
        m_typedKeys.back().code = character;
        m_typedKeys.back().isCharacter = 1;
    }
    else
    {
        ++m_typedKeyCount;
        if (m_typedKeys.size() < kMaxTypedKeys)
            m_typedKeys.push_back({character, 1, 0, 0});
    }
    m_typedKeyAwaitsCharacter = false;
}

void Window::ClearTypedKey()
{
    if (!m_typedKeys.empty())
        m_typedKeys.pop_front();
    m_typedKeyAwaitsCharacter = false;
}

void Window::DropKeysTypedBeforeLastClick()
{
    while (!m_typedKeys.empty() && m_typedKeys.front().typedBeforeLastClick)
        m_typedKeys.pop_front();
}

void Window::NoteClick()
{
    for (TypedKey& key : m_typedKeys)
        key.typedBeforeLastClick = 1;
}

LRESULT Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_window)
        return DefWindowProc(window, message, wParam, lParam);
    return g_window->HandleMessage(window, message, wParam, lParam);
}

LRESULT Window::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SYSKEYDOWN:
        NoteAltEnter(wParam, lParam);
        // Alt+Enter switches between full screen and a window and does nothing else: no reader takes it for Enter.
        if (!IsAltEnter(wParam, lParam))
            QueueTypedKey(static_cast<u16>(wParam), lParam);
        break;
    case WM_KEYDOWN:
        QueueTypedKey(static_cast<u16>(wParam), lParam);
        break;
    case WM_LBUTTONUP:
        NoteClick();
        break;
    case WM_CHAR:
        if (wParam >= 32)
            QueueTypedCharacter(TypedCharacter(wParam));
        else
            m_typedKeyAwaitsCharacter = false; // a control character: the press itself stays the typed key
        break;
    case WM_SYSKEYUP:
        return 0;
    case WM_SETFOCUS:
        RestoreOnFocus(window);
        break;
    case WM_CLOSE:
    case WM_QUIT:
        m_config->Execute("exit");
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(m_cursor);
        return 1;
    case WM_SYSCOMMAND:
        return HandleSystemCommand(window, wParam, lParam);
    default:
        break;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

// A window that takes the focus is on show, whatever it was told: without a window manager a minimise request
// minimises nothing and no restore ever follows, so the focus itself restores the window, as a desktop's restore
// would. A desktop's own restore arriving afterwards finds nothing left to do.
void Window::RestoreOnFocus(HWND window)
{
    if (m_minimized)
        SendMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

LRESULT Window::HandleSystemCommand(HWND window, WPARAM command, LPARAM lParam)
{
    switch (command & 0xFFF0)
    {
    case SC_CLOSE:
        m_config->Execute("exit");
        return 0;
    case SC_MINIMIZE:
        if (m_parent)
            return 0;
        m_minimized = 1;
        RestoreGamma();
        break;
    case SC_MAXIMIZE:
        // Maximising asks for full screen instead.
        if (!m_parent && !m_fullScreen)
            SwitchFullScreen(1);
        return 0;
    case SC_RESTORE:
        if (m_window)
        {
            m_minimized = 0;
            std::string fullScreen;
            m_config->GetValueAsString(fullScreen, kFullScreen);
            if (StringToBool(fullScreen) && !m_parent)
                ApplyGamma();
        }
        break;
    case SC_TASKLIST:
    case SC_SCREENSAVE:
    case SC_HOTKEY:
    case SC_MONITORPOWER:
        return 0;
    default:
        break;
    }
    return DefWindowProc(window, WM_SYSCOMMAND, command, lParam);
}
}
