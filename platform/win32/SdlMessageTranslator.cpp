// SDL events to window messages: keys by position to virtual-key codes, text to WM_CHAR per character,
// window events to the system commands and notifications a Win32 window procedure receives.
#include "platform/win32/SdlMessageTranslator.h"

#include "platform/core/Utf8.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Platform
{
namespace
{
struct ScancodeKey
{
    SDL_Scancode scancode;
    int virtualKey;
};

constexpr ScancodeKey kScancodeKeys[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},        {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},       {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_SPACE, VK_SPACE},          {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},      {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},   {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},      {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},     {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},      {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},          {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT}, {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},          {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_HOME, VK_HOME},            {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_DELETE, VK_DELETE},        {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},        {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_LEFT, VK_LEFT},            {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_UP, VK_UP},                {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},     {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},    {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},      {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0},         {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_APPLICATION, VK_APPS},     {SDL_SCANCODE_LCTRL, VK_LCONTROL},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT},        {SDL_SCANCODE_LALT, VK_LMENU},
    {SDL_SCANCODE_LGUI, VK_LWIN},            {SDL_SCANCODE_RCTRL, VK_RCONTROL},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT},        {SDL_SCANCODE_RALT, VK_RMENU},
    {SDL_SCANCODE_RGUI, VK_RWIN},
};

// Key messages name Shift, Ctrl and Alt without their side, as a Win32 window receives them.
int SidelessKey(int virtualKey)
{
    switch (virtualKey)
    {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return virtualKey;
    }
}

int ButtonKey(Uint8 button)
{
    switch (button)
    {
    case SDL_BUTTON_LEFT:
        return VK_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return VK_MBUTTON;
    case SDL_BUTTON_X1:
        return VK_XBUTTON1;
    case SDL_BUTTON_X2:
        return VK_XBUTTON2;
    default:
        return 0;
    }
}

MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG result;
    result.hwnd = window;
    result.message = message;
    result.wParam = wParam;
    result.lParam = lParam;
    result.time = SDL_GetTicks();
    return result;
}

// Two 16-bit words in one argument, as Win32 packs a size or a point: the first in the low word.
LPARAM WordPair(Sint32 low, Sint32 high)
{
    return static_cast<LPARAM>((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                               (static_cast<std::uint32_t>(low) & 0xFFFFu));
}

// Decodes one UTF-8 sequence at `text`; advances past it. Malformed bytes give U+FFFD one byte at a time.
char32_t NextCodePointOrReplacement(const char*& text)
{
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, std::strlen(text), code);
    text += length == 0 ? 1 : length;
    return length == 0 ? 0xFFFD : code;
}
}

int VirtualKeyFromScancode(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return VK_F1 + (scancode - SDL_SCANCODE_F1);
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    for (const ScancodeKey& entry : kScancodeKeys)
        if (entry.scancode == scancode)
            return entry.virtualKey;
    return 0;
}

void SdlMessageTranslator::Translate(const SDL_Event& event, HWND window, std::vector<MSG>& messages)
{
    const unsigned displayKeyCode = std::exchange(m_displayKeyJustNoted, 0u);
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key, event.type == SDL_KEYDOWN, displayKeyCode, window, messages);
        break;
    case SDL_TEXTINPUT:
        for (const char* text = event.text.text; *text != '\0';)
        {
            const char32_t code = NextCodePointOrReplacement(text);
            if (window)
                messages.push_back(Message(window, WM_CHAR, code, 1));
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        SetButton(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
        // The window sees its left button among its keys, in the order they came.
        if (window && event.button.button == SDL_BUTTON_LEFT)
            messages.push_back(Message(window, event.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0,
                                       WordPair(event.button.x, event.button.y)));
        break;
    case SDL_WINDOWEVENT:
        if (window)
            TranslateWindowEvent(event.window, window, messages);
        break;
    default:
        break;
    }
}

void SdlMessageTranslator::TranslateKey(const SDL_KeyboardEvent& key, bool down, unsigned displayKeyCode,
                                        HWND window, std::vector<MSG>& messages)
{
    const SDL_Scancode scancode = key.keysym.scancode;
    const int virtualKey = VirtualKeyFromScancode(scancode);
    if (virtualKey == 0)
        return;
    if (displayKeyCode != 0)
        m_displayKeyCodes[scancode] = static_cast<std::uint8_t>(displayKeyCode);
    // SDL lets go of every key when its window loses the focus, and when the focus comes back it announces a key
    // still held (the display's own repeat of it) as a new press. A key-up of SDL's own, with no key event of the
    // display just before it, for a key the display still holds keeps the key down, as Win32 keeps it, so that
    // its next key-down reads as what it is: the same key still down.
    if (!down && displayKeyCode == 0 && m_down[virtualKey] && IsHeldByTheDisplay(scancode))
    {
        if (std::find(m_keptAcrossFocusLoss.begin(), m_keptAcrossFocusLoss.end(), scancode) ==
            m_keptAcrossFocusLoss.end())
            m_keptAcrossFocusLoss.push_back(scancode);
        return;
    }
    std::erase(m_keptAcrossFocusLoss, scancode);
    const bool wasDown = m_down[virtualKey];
    m_down[virtualKey] = down;
    if (!window)
        return;
    // Alt held (or Alt itself) makes it a system key, as Alt+Enter is on Win32.
    const bool alt = IsVirtualKeyDown(VK_MENU) || SidelessKey(virtualKey) == VK_MENU;
    const bool system = alt || virtualKey == VK_F10;
    LPARAM lParam = 1;
    if (alt)
        lParam |= LPARAM{1} << 29;
    // Bit 30: the key was down before this message, a repeat or a re-announcement rather than a press.
    if (!down || key.repeat || wasDown)
        lParam |= LPARAM{1} << 30;
    if (!down)
        lParam |= LPARAM{1} << 31;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    messages.push_back(Message(window, message, static_cast<WPARAM>(SidelessKey(virtualKey)), lParam));
}

void SdlMessageTranslator::TranslateWindowEvent(const SDL_WindowEvent& event, HWND window,
                                                std::vector<MSG>& messages)
{
    switch (event.event)
    {
    case SDL_WINDOWEVENT_CLOSE:
        messages.push_back(Message(window, WM_CLOSE, 0, 0));
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        messages.push_back(Message(window, WM_ACTIVATE, WA_ACTIVE, 0));
        messages.push_back(Message(window, WM_SETFOCUS, 0, 0));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        messages.push_back(Message(window, WM_ACTIVATE, WA_INACTIVE, 0));
        messages.push_back(Message(window, WM_KILLFOCUS, 0, 0));
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        messages.push_back(Message(window, WM_SYSCOMMAND, SC_MINIMIZE, 0));
        messages.push_back(Message(window, WM_SIZE, SIZE_MINIMIZED, 0));
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        messages.push_back(Message(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        messages.push_back(Message(window, WM_SYSCOMMAND, SC_RESTORE, 0));
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        messages.push_back(Message(window, WM_SIZE, SIZE_RESTORED, WordPair(event.data1, event.data2)));
        break;
    default:
        break;
    }
}

void SdlMessageTranslator::SetButton(Uint8 button, bool down)
{
    const int virtualKey = ButtonKey(button);
    if (virtualKey != 0)
        m_down[virtualKey] = down;
}

bool SdlMessageTranslator::IsVirtualKeyDown(int virtualKey) const
{
    if (virtualKey < 0 || virtualKey >= static_cast<int>(m_down.size()))
        return false;
    switch (virtualKey)
    {
    case VK_SHIFT:
        return m_down[VK_LSHIFT] || m_down[VK_RSHIFT];
    case VK_CONTROL:
        return m_down[VK_LCONTROL] || m_down[VK_RCONTROL];
    case VK_MENU:
        return m_down[VK_LMENU] || m_down[VK_RMENU];
    default:
        return m_down[virtualKey];
    }
}

void SdlMessageTranslator::ReleaseAll()
{
    m_down.fill(false);
    m_displayDown.reset();
    m_displayKeyJustNoted = 0;
    m_keptAcrossFocusLoss.clear();
}

void SdlMessageTranslator::NoteDisplayKeys(const DisplayKeyNote& note)
{
    switch (note.kind)
    {
    case DisplayKeyNote::Kind::KeyDown:
    case DisplayKeyNote::Kind::KeyUp:
        if (note.keyCode == 0 || note.keyCode >= m_displayDown.size())
            return;
        m_displayDown[note.keyCode] = note.kind == DisplayKeyNote::Kind::KeyDown;
        m_displayKeyJustNoted = note.keyCode;
        break;
    case DisplayKeyNote::Kind::Keyboard:
        m_displayDown = note.keyboard;
        break;
    }
    // SDL reports no release of a key it has already let go of: a key kept down goes up when the display says so.
    std::erase_if(m_keptAcrossFocusLoss, [this](SDL_Scancode scancode) {
        if (IsHeldByTheDisplay(scancode))
            return false;
        m_down[VirtualKeyFromScancode(scancode)] = false;
        return true;
    });
}

// A key held before the display said anything of it (held as the window took the focus) is looked up once.
bool SdlMessageTranslator::IsHeldByTheDisplay(SDL_Scancode scancode)
{
    if (m_displayKeyCodes[scancode] == 0 && m_keyCodeLookup)
    {
        const unsigned code = m_keyCodeLookup(scancode);
        m_displayKeyCodes[scancode] = code < m_displayDown.size() ? static_cast<std::uint8_t>(code) : 0;
    }
    const unsigned code = m_displayKeyCodes[scancode];
    return code != 0 && m_displayDown[code];
}
}
