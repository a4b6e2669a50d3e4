// The scripted mouse: SDL's window backend with the test's cursor, and button events for the input devices.
#include "tests/support/ScriptedMouse.h"

#include "platform/win32/SdlEventListeners.h"
#include "platform/win32/WindowApi.h"

namespace TestSupport
{
namespace
{
void SendLeftButton(bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    Platform::NotifySdlEventListeners(event);
}
}

ScriptedMouse::ScriptedMouse() { Platform::SetWindowBackend(this); }

ScriptedMouse::~ScriptedMouse() { Platform::SetWindowBackend(nullptr); }

void ScriptedMouse::MoveTo(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    m_cursor = point;
}

void ScriptedMouse::PressLeft() { SendLeftButton(true); }

void ScriptedMouse::ReleaseLeft() { SendLeftButton(false); }

void ScriptedMouse::ShowMessageBox(const std::string& text, const std::string& caption, bool)
{
    messageBoxes.push_back(caption + ": " + text);
}
}
