// A real window for tests that need one (a GL context, the message pump): made through the platform's own
// window calls under whatever video driver the test runs with (SDL's offscreen driver under CTest).
#pragma once

#include "platform/win32/WindowApi.h"

namespace KorvaneTest
{
class TestWindow
{
public:
    explicit TestWindow(int width = 640, int height = 480, const char* title = "Korvane test window");
    ~TestWindow();

    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Null when the window could not be made (the test should fail on that).
    HWND Handle() const { return m_window; }

    // Dispatches every waiting message; returns how many there were.
    int PumpMessages();

private:
    HWND m_window = nullptr;
};
}
