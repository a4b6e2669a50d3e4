// The window calls over the recording backend: classes, styles to native modes, the message queue and its
// filters, the default window procedure, the cursor's display counter, key state and display queries.
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/WindowApi.h"
#include "tests/support/FakeWindowBackend.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Received
{
    HWND window;
    UINT message;
    WPARAM wParam;
};

std::vector<Received> g_received;

LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_received.push_back(Received{window, message, wParam});
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProc(window, message, wParam, lParam);
}

constexpr const char* kClass = "Window api test class";

class WindowApiTest : public testing::Test
{
protected:
    WindowApiTest()
    {
        g_received.clear();
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.lpszClassName = kClass;
        registered = RegisterClass(&windowClass) != 0;
    }

    ~WindowApiTest() override
    {
        for (HWND window : windows)
            DestroyWindow(window);
        UnregisterClass(kClass, nullptr);
    }

    HWND Create(DWORD style, DWORD exStyle = 0, int x = 10, int y = 20, int width = 300, int height = 200)
    {
        const HWND window =
            CreateWindowEx(exStyle, kClass, "Title", style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
        if (window)
            windows.push_back(window);
        return window;
    }

    TestSupport::FakeWindowBackend backend;
    bool registered = false;
    std::vector<HWND> windows;
};

TEST_F(WindowApiTest, RegisteringTwiceFailsAndTheFirstClassStartsVideo)
{
    EXPECT_TRUE(registered);
    EXPECT_EQ(backend.videoStarts, 1);
    WNDCLASS again;
    again.lpfnWndProc = RecordingProcedure;
    again.lpszClassName = kClass;
    EXPECT_EQ(RegisterClass(&again), 0);
    WNDCLASS unnamed;
    unnamed.lpfnWndProc = RecordingProcedure;
    EXPECT_EQ(RegisterClass(&unnamed), 0);
}

TEST_F(WindowApiTest, UnregisteringAClassInUseFails)
{
    const HWND window = Create(WS_CAPTION);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClass(kClass, nullptr));
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClass(kClass, nullptr));
    EXPECT_EQ(backend.videoStops, 1);
    EXPECT_FALSE(UnregisterClass(kClass, nullptr));
}

TEST_F(WindowApiTest, UnknownClassMakesNoWindow)
{
    EXPECT_EQ(CreateWindowEx(0, "No such class", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowApiTest, StylesChooseTheNativeMode)
{
    const struct
    {
        DWORD style;
        DWORD exStyle;
        bool fullScreen;
        bool bordered;
        bool topmost;
    } cases[] = {{WS_CAPTION | WS_SYSMENU, 0, false, true, false},
                 {WS_POPUP, WS_EX_TOPMOST, true, false, true},
                 {WS_CHILD, 0, false, false, false},
                 {WS_POPUP | WS_CHILD, 0, false, false, false}};
    for (const auto& c : cases)
    {
        const HWND window = Create(c.style, c.exStyle);
        const auto& native = backend.Native(window);
        EXPECT_EQ(native.placement.fullScreen, c.fullScreen) << c.style;
        EXPECT_EQ(native.placement.bordered, c.bordered) << c.style;
        EXPECT_EQ(native.placement.topmost, c.topmost) << c.style;
        EXPECT_EQ(native.placement.client.left, 10);
        EXPECT_EQ(native.placement.client.bottom, 220);
        EXPECT_FALSE(native.shown);
    }
    EXPECT_TRUE(backend.Native(Create(WS_CAPTION | WS_VISIBLE)).shown);
}

TEST_F(WindowApiTest, SetWindowPosMovesSizesAndRestacks)
{
    const HWND window = Create(WS_CAPTION);
    const auto& native = backend.Native(window);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(native.placement.topmost);
    EXPECT_EQ(native.placement.client.left, 10);
    EXPECT_EQ(native.placement.client.right, 310);
    SetWindowPos(window, HWND_NOTOPMOST, 40, 50, 0, 0, SWP_NOSIZE);
    EXPECT_FALSE(native.placement.topmost);
    EXPECT_EQ(native.placement.client.left, 40);
    EXPECT_EQ(native.placement.client.right, 340);
    SetWindowLong(window, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    SetWindowPos(window, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    EXPECT_TRUE(native.placement.fullScreen);
    EXPECT_EQ(native.placement.client.bottom, 50 + 480);
    EXPECT_TRUE(native.shown);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, 40);
    ASSERT_TRUE(GetClientRect(window, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 640);
}

TEST_F(WindowApiTest, SetWindowLongAnswersThePreviousStyle)
{
    const HWND window = Create(WS_CAPTION, WS_EX_APPWINDOW);
    EXPECT_EQ(static_cast<DWORD>(SetWindowLong(window, GWL_STYLE, static_cast<LONG>(WS_POPUP))), WS_CAPTION);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)), WS_POPUP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE)), WS_EX_APPWINDOW);
}

TEST_F(WindowApiTest, MessagesComeInOrderAndFiltersApply)
{
    const HWND first = Create(WS_CAPTION);
    const HWND second = Create(WS_CAPTION);
    PostMessage(first, WM_KEYDOWN, 1, 0);
    PostMessage(second, WM_CHAR, 2, 0);
    PostMessage(first, WM_SYSCOMMAND, 3, 0);

    MSG message;
    ASSERT_TRUE(PeekMessage(&message, second, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&message, nullptr, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_EQ(message.hwnd, first);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowApiTest, DispatchReachesTheWindowProcedure)
{
    const HWND window = Create(WS_CAPTION);
    PostMessage(window, WM_CHAR, 'x', 0);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(TranslateMessage(&message));
    DispatchMessage(&message);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].window, window);
    EXPECT_EQ(g_received[0].message, WM_CHAR);
    EXPECT_EQ(g_received[0].wParam, static_cast<WPARAM>('x'));
}

TEST_F(WindowApiTest, DestroyingAWindowDropsItsMessagesAndTellsItsProcedure)
{
    const HWND window = Create(WS_CAPTION);
    PostMessage(window, WM_CHAR, 'x', 0);
    EXPECT_TRUE(DestroyWindow(window));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, WM_DESTROY);
    EXPECT_TRUE(backend.Native(window).destroyed);
    MSG message;
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessage(window, WM_CHAR, 'x', 0));
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(WindowApiTest, DefaultProcedureCarriesOutSystemCommands)
{
    const HWND window = Create(WS_CAPTION);
    DefWindowProc(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    DefWindowProc(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    DefWindowProc(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    const auto& native = backend.Native(window);
    EXPECT_EQ(native.minimizeCount, 1);
    EXPECT_EQ(native.restoreCount, 1);
    EXPECT_EQ(native.maximizeCount, 1);
    DefWindowProc(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, WM_CLOSE);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowApiTest, AltF4ClosesThroughTheSystemMenu)
{
    const HWND window = Create(WS_CAPTION);
    DefWindowProc(window, WM_SYSKEYDOWN, VK_F4, 0);
    EXPECT_TRUE(g_received.empty());
    DefWindowProc(window, WM_SYSKEYDOWN, VK_F4, LPARAM{1} << 29);
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].message, WM_SYSCOMMAND);
    EXPECT_EQ(g_received[0].wParam, SC_CLOSE);
    EXPECT_EQ(g_received[1].message, WM_CLOSE);
}

TEST_F(WindowApiTest, DefaultCloseDestroysTheWindow)
{
    const HWND window = Create(WS_CAPTION);
    DefWindowProc(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowApiTest, FocusAndTitle)
{
    const HWND window = Create(WS_CAPTION);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(window), nullptr);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_TRUE(SetWindowText(window, "New title"));
    EXPECT_EQ(backend.Native(window).title, "New title");
    DestroyWindow(window);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowApiTest, CursorShowsWhileTheCounterIsNotNegativeAndACursorIsSet)
{
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(backend.cursorShown);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(backend.cursorShown);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_FALSE(backend.cursorShown);
    EXPECT_EQ(SetCursor(LoadCursor(GetModuleHandle(nullptr), 200)), nullptr);
    EXPECT_TRUE(backend.cursorShown);
}

TEST_F(WindowApiTest, CursorPositionsConvertBetweenScreenAndClient)
{
    const HWND window = Create(WS_CAPTION);
    backend.cursor = POINT{110, 70};
    POINT point;
    ASSERT_TRUE(GetCursorPos(&point));
    ASSERT_TRUE(ScreenToClient(window, &point));
    EXPECT_EQ(point.x, 100);
    EXPECT_EQ(point.y, 50);
    ASSERT_TRUE(ClientToScreen(window, &point));
    EXPECT_EQ(point.x, 110);
    EXPECT_TRUE(SetCursorPos(5, 6));
    ASSERT_EQ(backend.warps.size(), 1u);
    EXPECT_EQ(backend.warps[0].y, 6);
}

TEST_F(WindowApiTest, AsyncKeyStateSetsTheHighBit)
{
    backend.keysDown = {VK_RETURN};
    EXPECT_NE(GetAsyncKeyState(VK_RETURN) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
    EXPECT_EQ(GetAsyncKeyState(-1), 0);
    EXPECT_EQ(GetAsyncKeyState(256), 0);
}

TEST_F(WindowApiTest, DesktopModesAndGamma)
{
    backend.desktop = RECT{0, 0, 1280, 1024};
    backend.displayModes = {DEVMODE{32, 640, 480, 60}, DEVMODE{32, 1280, 1024, 60}};
    RECT desktop;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    EXPECT_EQ(desktop.right, 1280);
    DEVMODE mode;
    ASSERT_TRUE(EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsWidth, 1280u);
    EXPECT_EQ(mode.dmBitsPerPel, 32u);
    ASSERT_TRUE(EnumDisplaySettings(nullptr, 1, &mode));
    EXPECT_EQ(mode.dmPelsHeight, 1024u);
    EXPECT_FALSE(EnumDisplaySettings(nullptr, 2, &mode));
    EXPECT_EQ(ChangeDisplaySettings(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_NE(ChangeDisplaySettings(&mode, 0), DISP_CHANGE_SUCCESSFUL);

    const HWND window = Create(WS_CAPTION);
    const HDC context = GetDC(window);
    ASSERT_NE(context, nullptr);
    std::uint16_t ramp[3 * 256] = {};
    ASSERT_TRUE(GetDeviceGammaRamp(context, ramp));
    EXPECT_EQ(ramp[255], 65535);
    backend.gammaReadable = false;
    EXPECT_FALSE(GetDeviceGammaRamp(context, ramp));
    EXPECT_EQ(ReleaseDC(window, context), 1);
    EXPECT_EQ(GetDC(nullptr), nullptr);
}

TEST_F(WindowApiTest, FailedNativeWindowMakesNoWindow)
{
    backend.createResult = false;
    EXPECT_EQ(Create(WS_CAPTION), nullptr);
}
}
