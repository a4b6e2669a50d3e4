// Kept out of the platform's single source (see platform/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "platform/win32/X11KeyEvents.h"

#include "platform/win32/X11Client.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace Platform
{
namespace
{
struct NamedKey
{
    SDL_Keycode key;
    KeySym symbol;
};

constexpr NamedKey kNamedKeys[] = {
    {SDLK_LALT, XK_Alt_L},         {SDLK_RALT, XK_Alt_R},         {SDLK_LCTRL, XK_Control_L},
    {SDLK_RCTRL, XK_Control_R},    {SDLK_LSHIFT, XK_Shift_L},     {SDLK_RSHIFT, XK_Shift_R},
    {SDLK_LGUI, XK_Super_L},       {SDLK_RGUI, XK_Super_R},       {SDLK_KP_ENTER, XK_KP_Enter},
    {SDLK_UP, XK_Up},              {SDLK_DOWN, XK_Down},          {SDLK_LEFT, XK_Left},
    {SDLK_RIGHT, XK_Right},        {SDLK_HOME, XK_Home},          {SDLK_END, XK_End},
    {SDLK_PAGEUP, XK_Page_Up},     {SDLK_PAGEDOWN, XK_Page_Down}, {SDLK_INSERT, XK_Insert},
    {SDLK_CAPSLOCK, XK_Caps_Lock}, {SDLK_PAUSE, XK_Pause},        {SDLK_APPLICATION, XK_Menu},
};

// The key's symbol in the display's own layout, which SDL read its key names from.
KeySym SymbolOf(SDL_Scancode scancode)
{
    const SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
    if (key >= 0x20 && key <= 0x7E)
        return static_cast<KeySym>(key); // the printable ASCII symbols are their own X symbols
    switch (key)
    {
    case SDLK_RETURN:
        return XK_Return;
    case SDLK_ESCAPE:
        return XK_Escape;
    case SDLK_BACKSPACE:
        return XK_BackSpace;
    case SDLK_TAB:
        return XK_Tab;
    case SDLK_DELETE:
        return XK_Delete;
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return XK_F1 + static_cast<KeySym>(key - SDLK_F1);
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key)
            return named.symbol;
    return NoSymbol;
}
}

void X11KeyEvents::Enable() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

std::optional<DisplayKeyNote> X11KeyEvents::Read(const SDL_Event& event)
{
    const XEvent* x11Event = X11Client::EventOf(event);
    if (!x11Event)
        return std::nullopt;
    const XEvent& x = *x11Event;
    DisplayKeyNote note;
    switch (x.type)
    {
    case KeyPress:
    case KeyRelease:
        note.kind = x.type == KeyPress ? DisplayKeyNote::Kind::KeyDown : DisplayKeyNote::Kind::KeyUp;
        note.keyCode = x.xkey.keycode;
        return note;
    case KeymapNotify:
        note.kind = DisplayKeyNote::Kind::Keyboard;
        for (unsigned code = 0; code < note.keyboard.size(); ++code)
            note.keyboard[code] = (x.xkeymap.key_vector[code / 8] & (1 << (code % 8))) != 0;
        return note;
    default:
        return std::nullopt;
    }
}

unsigned X11KeyEvents::KeyCodeOf(SDL_Window* window, SDL_Scancode scancode)
{
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display)
        return 0;
    const KeySym symbol = SymbolOf(scancode);
    return symbol == NoSymbol ? 0 : XKeysymToKeycode(x11.display, symbol);
}
}
