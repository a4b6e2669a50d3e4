// Turns one SDL event into the window messages it stands for, and keeps the key and button state that
// GetAsyncKeyState answers from.
#pragma once

#include "platform/win32/WindowApi.h"

#include <SDL.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace Platform
{
// The virtual-key code of a key position; side-specific for Shift, Ctrl and Alt; 0 for keys without one.
int VirtualKeyFromScancode(SDL_Scancode scancode);

class SdlMessageTranslator
{
public:
    // Whether the display still holds the key at a scancode down; nothing when it cannot tell.
    using HeldKeyQuery = std::function<std::optional<bool>(SDL_Scancode)>;

    // Without a query, every key-up SDL sends is taken for a release.
    void SetHeldKeyQuery(HeldKeyQuery query) { m_heldKeyQuery = std::move(query); }

    // Appends the messages for `window` (which may be null: then only the key state changes).
    void Translate(const SDL_Event& event, HWND window, std::vector<MSG>& messages);

    // Down state of a virtual key; VK_SHIFT, VK_CONTROL and VK_MENU answer for either side.
    bool IsVirtualKeyDown(int virtualKey) const;
    void ReleaseAll();
    // Lets go of the keys kept down across a focus loss that the display no longer holds: SDL reports no release
    // of them.
    void ForgetKeysLetGo();

private:
    void TranslateKey(const SDL_KeyboardEvent& key, bool down, HWND window, std::vector<MSG>& messages);
    void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window, std::vector<MSG>& messages);
    void SetButton(Uint8 button, bool down);
    bool IsHeldByTheDisplay(SDL_Scancode scancode) const;

    std::array<bool, 256> m_down{};
    HeldKeyQuery m_heldKeyQuery;
    // Keys SDL let go of at a focus loss while the display still held them.
    std::vector<SDL_Scancode> m_keptAcrossFocusLoss;
};
}
