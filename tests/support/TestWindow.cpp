// Registers a private window class, opens one shown window of it, and takes both down again.
#include "tests/support/TestWindow.h"

namespace KorvaneTest
{
namespace
{
constexpr const char* kClassName = "Korvane test window class";

LRESULT TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Closing is the test's decision, never the window's own.
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProc(window, message, wParam, lParam);
}
}

TestWindow::TestWindow(int width, int height, const char* title)
{
    WNDCLASS windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TestWindowProcedure;
    windowClass.hInstance = GetModuleHandle(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    // A second test window shares the class the first one registered.
    RegisterClass(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    m_window = CreateWindowEx(WS_EX_APPWINDOW, kClassName, title, style, 0, 0, width, height, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    if (m_window)
        ShowWindow(m_window, SW_SHOW);
}

TestWindow::~TestWindow()
{
    if (m_window)
        DestroyWindow(m_window);
    // Fails while another test window still uses the class; the last one takes it down.
    UnregisterClass(kClassName, GetModuleHandle(nullptr));
}

int TestWindow::PumpMessages()
{
    int count = 0;
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessage(&message);
        ++count;
    }
    return count;
}
}
