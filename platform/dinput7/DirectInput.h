// Our own DirectInput 7 declarations: the system keyboard and mouse as devices with buffered records and
// immediate states, over SDL2 events (or a test's scripted devices). Codes and results follow the published API.
#pragma once

#include "platform/win32/Guid.h"
#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <functional>

using ULONG = std::uint32_t;
using REFGUID = const GUID&;

// Our own identifiers for the two devices, the two interfaces and the one property used.
inline constexpr GUID GUID_SysKeyboard{0x4B6F7611, 0x0001, 0x4449, {'k', 'e', 'y', 'b', 'o', 'a', 'r', 'd'}};
inline constexpr GUID GUID_SysMouse{0x4B6F7611, 0x0002, 0x4449, {'m', 'o', 'u', 's', 'e', 0, 0, 0}};
inline constexpr GUID IID_IDirectInput7{0x4B6F7611, 0x0003, 0x4449, {'i', 'n', 'p', 'u', 't', '7', 0, 0}};
inline constexpr GUID IID_IDirectInputDevice7{0x4B6F7611, 0x0004, 0x4449, {'d', 'e', 'v', 'i', 'c', 'e', '7', 0}};
inline constexpr GUID DIPROP_BUFFERSIZE{0x4B6F7611, 0x0005, 0x4449, {'b', 'u', 'f', 'f', 'e', 'r', 0, 0}};

constexpr DWORD DIRECTINPUT_VERSION = 0x0700;

constexpr HRESULT DI_OK = 0;
constexpr HRESULT DI_BUFFEROVERFLOW = 1;
constexpr HRESULT DIERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
constexpr HRESULT DIERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DIERR_NOTBUFFERED = static_cast<HRESULT>(0x80040207u);
constexpr HRESULT DIERR_DEVICENOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT DIERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

constexpr DWORD DISCL_EXCLUSIVE = 0x1;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x2;
constexpr DWORD DISCL_FOREGROUND = 0x4;
constexpr DWORD DISCL_BACKGROUND = 0x8;

constexpr DWORD DIPH_DEVICE = 0;

// Offsets of the mouse state, also the offsets of buffered mouse records.
constexpr DWORD DIMOFS_X = 0;
constexpr DWORD DIMOFS_Y = 4;
constexpr DWORD DIMOFS_Z = 8;
constexpr DWORD DIMOFS_BUTTON0 = 12;

// A wheel notch, in wheel units.
constexpr std::int32_t WHEEL_DELTA = 120;

struct DIDATAFORMAT
{
    DWORD dwDataSize = 0;
};
// 256 key bytes; three axes and eight buttons (20 bytes).
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse2;

struct DIPROPHEADER
{
    DWORD dwSize = 0;
    DWORD dwHeaderSize = 0;
    DWORD dwObj = 0;
    DWORD dwHow = 0;
};

struct DIPROPDWORD
{
    DIPROPHEADER diph;
    DWORD dwData = 0;
};

// One buffered record: a key code or mouse-state offset, and the data (bit 0x80: down; for an axis the signed
// movement). A mouse button's record also keeps where the pointer was when the button changed, in the screen
// coordinates GetCursorPos gives: a frame that reads a quick click late still knows where it was made.
struct DIDEVICEOBJECTDATA
{
    DWORD dwOfs = 0;
    DWORD dwData = 0;
    DWORD dwTimeStamp = 0;
    DWORD dwSequence = 0;
    std::int32_t lCursorX = 0;
    std::int32_t lCursorY = 0;
};
static_assert(sizeof(DIDEVICEOBJECTDATA) == 24);

struct DIMOUSESTATE2
{
    std::int32_t lX = 0;
    std::int32_t lY = 0;
    std::int32_t lZ = 0;
    std::uint8_t rgbButtons[8] = {};
};
static_assert(sizeof(DIMOUSESTATE2) == 20);

class IDirectInputDevice7
{
public:
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, void* state) = 0;
    // `count` holds the room in `records` on entry and the number of records taken on return.
    virtual HRESULT GetDeviceData(DWORD recordSize, DIDEVICEOBJECTDATA* records, DWORD* count, DWORD flags) = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IDirectInputDevice7() = default;
};

class IDirectInput7
{
public:
    virtual HRESULT CreateDeviceEx(REFGUID device, REFIID interfaceId, void** created, void* outer) = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IDirectInput7() = default;
};

HRESULT DirectInputCreateEx(HINSTANCE instance, DWORD version, REFIID interfaceId, void** created, void* outer);

namespace Platform
{
// Tests hand out their own DirectInput object instead of the SDL one; an empty function goes back to SDL.
using DirectInputFactory = std::function<HRESULT(IDirectInput7** created)>;
void SetDirectInputFactory(DirectInputFactory factory);
}

// Keyboard codes (key positions).
constexpr DWORD DIK_ESCAPE = 0x01;
constexpr DWORD DIK_1 = 0x02;
constexpr DWORD DIK_2 = 0x03;
constexpr DWORD DIK_3 = 0x04;
constexpr DWORD DIK_4 = 0x05;
constexpr DWORD DIK_5 = 0x06;
constexpr DWORD DIK_6 = 0x07;
constexpr DWORD DIK_7 = 0x08;
constexpr DWORD DIK_8 = 0x09;
constexpr DWORD DIK_9 = 0x0A;
constexpr DWORD DIK_0 = 0x0B;
constexpr DWORD DIK_MINUS = 0x0C;
constexpr DWORD DIK_EQUALS = 0x0D;
constexpr DWORD DIK_BACK = 0x0E;
constexpr DWORD DIK_TAB = 0x0F;
constexpr DWORD DIK_Q = 0x10;
constexpr DWORD DIK_W = 0x11;
constexpr DWORD DIK_E = 0x12;
constexpr DWORD DIK_R = 0x13;
constexpr DWORD DIK_T = 0x14;
constexpr DWORD DIK_Y = 0x15;
constexpr DWORD DIK_U = 0x16;
constexpr DWORD DIK_I = 0x17;
constexpr DWORD DIK_O = 0x18;
constexpr DWORD DIK_P = 0x19;
constexpr DWORD DIK_LBRACKET = 0x1A;
constexpr DWORD DIK_RBRACKET = 0x1B;
constexpr DWORD DIK_RETURN = 0x1C;
constexpr DWORD DIK_LCONTROL = 0x1D;
constexpr DWORD DIK_A = 0x1E;
constexpr DWORD DIK_S = 0x1F;
constexpr DWORD DIK_D = 0x20;
constexpr DWORD DIK_F = 0x21;
constexpr DWORD DIK_G = 0x22;
constexpr DWORD DIK_H = 0x23;
constexpr DWORD DIK_J = 0x24;
constexpr DWORD DIK_K = 0x25;
constexpr DWORD DIK_L = 0x26;
constexpr DWORD DIK_SEMICOLON = 0x27;
constexpr DWORD DIK_APOSTROPHE = 0x28;
constexpr DWORD DIK_GRAVE = 0x29;
constexpr DWORD DIK_LSHIFT = 0x2A;
constexpr DWORD DIK_BACKSLASH = 0x2B;
constexpr DWORD DIK_Z = 0x2C;
constexpr DWORD DIK_X = 0x2D;
constexpr DWORD DIK_C = 0x2E;
constexpr DWORD DIK_V = 0x2F;
constexpr DWORD DIK_B = 0x30;
constexpr DWORD DIK_N = 0x31;
constexpr DWORD DIK_M = 0x32;
constexpr DWORD DIK_COMMA = 0x33;
constexpr DWORD DIK_PERIOD = 0x34;
constexpr DWORD DIK_SLASH = 0x35;
constexpr DWORD DIK_RSHIFT = 0x36;
constexpr DWORD DIK_MULTIPLY = 0x37;
constexpr DWORD DIK_LMENU = 0x38;
constexpr DWORD DIK_SPACE = 0x39;
constexpr DWORD DIK_CAPITAL = 0x3A;
constexpr DWORD DIK_F1 = 0x3B;
constexpr DWORD DIK_F2 = 0x3C;
constexpr DWORD DIK_F3 = 0x3D;
constexpr DWORD DIK_F4 = 0x3E;
constexpr DWORD DIK_F5 = 0x3F;
constexpr DWORD DIK_F6 = 0x40;
constexpr DWORD DIK_F7 = 0x41;
constexpr DWORD DIK_F8 = 0x42;
constexpr DWORD DIK_F9 = 0x43;
constexpr DWORD DIK_F10 = 0x44;
constexpr DWORD DIK_NUMLOCK = 0x45;
constexpr DWORD DIK_SCROLL = 0x46;
constexpr DWORD DIK_NUMPAD7 = 0x47;
constexpr DWORD DIK_NUMPAD8 = 0x48;
constexpr DWORD DIK_NUMPAD9 = 0x49;
constexpr DWORD DIK_SUBTRACT = 0x4A;
constexpr DWORD DIK_NUMPAD4 = 0x4B;
constexpr DWORD DIK_NUMPAD5 = 0x4C;
constexpr DWORD DIK_NUMPAD6 = 0x4D;
constexpr DWORD DIK_ADD = 0x4E;
constexpr DWORD DIK_NUMPAD1 = 0x4F;
constexpr DWORD DIK_NUMPAD2 = 0x50;
constexpr DWORD DIK_NUMPAD3 = 0x51;
constexpr DWORD DIK_NUMPAD0 = 0x52;
constexpr DWORD DIK_DECIMAL = 0x53;
constexpr DWORD DIK_F11 = 0x57;
constexpr DWORD DIK_F12 = 0x58;
constexpr DWORD DIK_NUMPADENTER = 0x9C;
constexpr DWORD DIK_RCONTROL = 0x9D;
constexpr DWORD DIK_DIVIDE = 0xB5;
constexpr DWORD DIK_SYSRQ = 0xB7;
constexpr DWORD DIK_RMENU = 0xB8;
constexpr DWORD DIK_PAUSE = 0xC5;
constexpr DWORD DIK_HOME = 0xC7;
constexpr DWORD DIK_UP = 0xC8;
constexpr DWORD DIK_PRIOR = 0xC9;
constexpr DWORD DIK_LEFT = 0xCB;
constexpr DWORD DIK_RIGHT = 0xCD;
constexpr DWORD DIK_END = 0xCF;
constexpr DWORD DIK_DOWN = 0xD0;
constexpr DWORD DIK_NEXT = 0xD1;
constexpr DWORD DIK_INSERT = 0xD2;
constexpr DWORD DIK_DELETE = 0xD3;
constexpr DWORD DIK_LWIN = 0xDB;
constexpr DWORD DIK_RWIN = 0xDC;
constexpr DWORD DIK_APPS = 0xDD;
