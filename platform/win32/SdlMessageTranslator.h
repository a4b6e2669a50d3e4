// Turns one SDL event into the window messages it stands for, and keeps the key and button state that
// GetAsyncKeyState answers from.
#pragma once

#include "platform/win32/WindowApi.h"

#include <SDL.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <vector>

namespace Platform
{
// The virtual-key code of a key position; side-specific for Shift, Ctrl and Alt; 0 for keys without one.
int VirtualKeyFromScancode(SDL_Scancode scancode);

// What the display itself says about its keys, in the order of SDL's events: one of its own key codes pressed or
// let go, or its whole keyboard (as a window takes the focus).
struct DisplayKeyNote
{
    enum class Kind
    {
        KeyDown,
        KeyUp,
        Keyboard
    };
    Kind kind = Kind::KeyDown;
    unsigned keyCode = 0;
    std::bitset<256> keyboard;
};

class SdlMessageTranslator
{
public:
    // The display's key code of a key position (0: none), asked for a key the display's own events have not named.
    using KeyCodeLookup = std::function<unsigned(SDL_Scancode)>;
    void SetKeyCodeLookup(KeyCodeLookup lookup) { m_keyCodeLookup = std::move(lookup); }

    // Appends the messages for `window` (which may be null: then only the key state changes).
    void Translate(const SDL_Event& event, HWND window, std::vector<MSG>& messages);
    // The display's word on its keys, given after the event it came with and before the SDL events it stands for.
    // Without it, every key-up SDL sends is taken for a release.
    void NoteDisplayKeys(const DisplayKeyNote& note);

    // Down state of a virtual key; VK_SHIFT, VK_CONTROL and VK_MENU answer for either side.
    bool IsVirtualKeyDown(int virtualKey) const;
    void ReleaseAll();

private:
    void TranslateKey(const SDL_KeyboardEvent& key, bool down, unsigned displayKeyCode, HWND window,
                      std::vector<MSG>& messages);
    void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window, std::vector<MSG>& messages);
    void SetButton(Uint8 button, bool down);
    bool IsHeldByTheDisplay(SDL_Scancode scancode);

    std::array<bool, 256> m_down{};
    // The display's held keys by its own key codes, as its key events and keyboard notes tell.
    std::bitset<256> m_displayDown;
    // The display's key code of each key position (0: not known yet), learnt from the display's key event that
    // comes just before SDL's, else looked up.
    std::array<std::uint8_t, SDL_NUM_SCANCODES> m_displayKeyCodes{};
    // The key code of the display's key event noted last, until the next SDL event.
    unsigned m_displayKeyJustNoted = 0;
    // Keys SDL let go of at a focus loss while the display still held them.
    std::vector<SDL_Scancode> m_keptAcrossFocusLoss;
    KeyCodeLookup m_keyCodeLookup;
};
}
