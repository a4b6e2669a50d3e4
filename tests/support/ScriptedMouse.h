// Mouse input for tests on the real platform layer (SDL's offscreen driver): the window backend is SDL's own
// except that the cursor's screen position is the test's, and button presses reach the input devices as the
// SDL events the window layer hands them. Installed while it lives.
#pragma once

#include "platform/win32/SdlWindowBackend.h"

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

    // A pixel of the window's client area, rows from the top.
    void MoveTo(HWND window, int x, int y);
    void PressLeft();
    void ReleaseLeft();

private:
    POINT m_cursor{0, 0};
};
}
