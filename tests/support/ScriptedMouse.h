// Mouse input for tests on the real platform layer (SDL's offscreen driver): the window backend is SDL's own
// except that the cursor's screen position and the keyboard focus are the test's, button presses reach the
// input devices as the SDL events the window layer hands them, and message boxes are noted instead of shown,
// as nobody is there to close them. Installed while it lives.
#pragma once

#include "platform/win32/SdlWindowBackend.h"

#include <string>
#include <vector>

namespace TestSupport
{
class ScriptedMouse : public Platform::SdlWindowBackend
{
public:
    ScriptedMouse();
    ~ScriptedMouse() override;

    ScriptedMouse(const ScriptedMouse&) = delete;
    ScriptedMouse& operator=(const ScriptedMouse&) = delete;

    POINT GetCursorScreenPosition() override { return m_cursor; }
    void WarpCursor(POINT screenPosition) override { m_cursor = screenPosition; }
    // The scripted button events are made where the scripted cursor is when they are sent.
    POINT GetButtonEventScreenPosition(std::uint32_t, POINT) override { return m_cursor; }
    // The offscreen driver gives no window the keyboard focus, and the game freezes without it: the window set
    // here has it.
    PlatformWindow* GetFocusWindow() override { return focus ? focus : SdlWindowBackend::GetFocusWindow(); }
    void ShowMessageBox(const std::string& text, const std::string& caption, bool error) override;

    // A pixel of the window's client area, rows from the top.
    void MoveTo(HWND window, int x, int y);
    void PressLeft();
    void ReleaseLeft();

    HWND focus = nullptr;
    // The texts of the message boxes asked for, in order.
    std::vector<std::string> messageBoxes;

private:
    POINT m_cursor{0, 0};
};
}
