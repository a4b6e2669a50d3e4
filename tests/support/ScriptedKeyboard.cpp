// Scripted key presses through the SDL event listeners.
#include "tests/support/ScriptedKeyboard.h"

#include "platform/win32/SdlEventListeners.h"

namespace TestSupport
{
namespace
{
void SendKey(SDL_Scancode scancode, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    Platform::NotifySdlEventListeners(event);
}
}

void TapKey(SDL_Scancode scancode)
{
    SendKey(scancode, true);
    SendKey(scancode, false);
}
}
