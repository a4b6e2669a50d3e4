// Turns one SDL event into the window messages it stands for, and keeps the key and button state that
// GetAsyncKeyState answers from.
#pragma once

#include "platform/win32/WindowApi.h"

#include <SDL.h>

#include <array>
#include <vector>

namespace Platform
{
// The virtual-key code of a key position; side-specific for Shift, Ctrl and Alt; 0 for keys without one.
int VirtualKeyFromScancode(SDL_Scancode scancode);

class SdlMessageTranslator
{
public:
    // Appends the messages for `window` (which may be null: then only the key state changes).
    void Translate(const SDL_Event& event, HWND window, std::vector<MSG>& messages);

    // Down state of a virtual key; VK_SHIFT, VK_CONTROL and VK_MENU answer for either side.
    bool IsVirtualKeyDown(int virtualKey) const;
    void ReleaseAll();

private:
    void TranslateKey(const SDL_KeyboardEvent& key, bool down, HWND window, std::vector<MSG>& messages);
    void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window, std::vector<MSG>& messages);
    void SetButton(Uint8 button, bool down);

    std::array<bool, 256> m_down{};
};
}
