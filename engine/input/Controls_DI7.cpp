// Device set-up with its log lines, the name and code tables, and the per-frame reading of both devices:
// every buffered record is taken, and a failed read falls back to the immediate state for that frame.
#include "engine/input/Controls_DI7.h"

#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/input/KeyNames.h"
#include "platform/dinput7/DirectInput.h"
#include "platform/win32/WindowApi.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
constexpr u32 kKeyboardBufferSize = 8;
constexpr u32 kMouseBufferSize = 16;
constexpr DWORD kRecordsPerRead = 8;
// Reads per frame stop here even if a device keeps reporting full reads.
constexpr int kMostReadsPerFrame = 64;
// Another program holding the device is asked a few times per frame, never in an endless loop.
constexpr int kAcquireAttempts = 3;
constexpr DWORD kDownBit = 0x80;
constexpr u32 kKeyStateSize = 256;
}

void Controls_DI7::Release::operator()(IDirectInput7* directInput) const { directInput->Release(); }

void Controls_DI7::Release::operator()(IDirectInputDevice7* device) const
{
    device->Unacquire();
    device->Release();
}

Controls_DI7::Controls_DI7(MessageManager* log, TimerManager* timerManager, Window* window, bool buffered)
    : Controls(log, timerManager, window), m_keyboardBuffered(buffered ? 1 : 0), m_mouseBuffered(buffered ? 1 : 0)
{
    m_log->Message("Initialization of DirectInput devices...");
    m_log->Message("...Creating a DirectInput object...");
    void* created = nullptr;
    if (FAILED(DirectInputCreateEx(m_window->GetInstance(), DIRECTINPUT_VERSION, IID_IDirectInput7, &created,
                                   nullptr)) ||
        !created)
        m_log->Fatal("Failed to create a DirectInput object");
    m_directInput.reset(static_cast<IDirectInput7*>(created));

    const DeviceTexts keyboard{"...Keyboard:", "......Obtaining an interface to the system keyboard device...",
                               "Failed to obtain an interface to the system keyboard device"};
    m_keyboard = OpenDevice(GUID_SysKeyboard, c_dfDIKeyboard, kKeyboardBufferSize, m_keyboardBuffered, keyboard);
    const DeviceTexts mouse{"...Mouse:", "......Obtaining an interface to the system mouse device...",
                            "Failed to obtain an interface to the system mouse device"};
    m_mouse = OpenDevice(GUID_SysMouse, c_dfDIMouse2, kMouseBufferSize, m_mouseBuffered, mouse);
    FillTables();
}

Controls_DI7::~Controls_DI7()
{
    m_log->Message("\nDirectInput devices destroying:");
    m_log->Message("...Keyboard...");
    m_keyboard.reset();
    m_log->Message("...Mouse...");
    m_mouse.reset();
    m_log->Message("...DirectInput object...");
    m_directInput.reset();
    SetCursorVisible(true);
}

Controls_DI7::DevicePointer Controls_DI7::OpenDevice(const GUID& device, const DIDATAFORMAT& format, u32 bufferSize,
                                                     u8& buffered, const DeviceTexts& texts)
{
    m_log->Message(texts.title);
    m_log->Message(texts.obtaining);
    void* created = nullptr;
    if (FAILED(m_directInput->CreateDeviceEx(device, IID_IDirectInputDevice7, &created, nullptr)) || !created)
        m_log->Fatal(texts.obtainFailure);
    DevicePointer opened(static_cast<IDirectInputDevice7*>(created));

    m_log->Message("......Setting the data format...");
    if (FAILED(opened->SetDataFormat(&format)))
        m_log->Fatal("Failed to set the data format");
    m_log->Message("......Setting the cooperativity level...");
    if (FAILED(opened->SetCooperativeLevel(GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)))
        m_log->Fatal("Failed to set the cooperativity level");
    if (buffered)
    {
        m_log->Message("......Setting the buffered mode...");
        DIPROPDWORD property;
        property.diph.dwSize = sizeof(DIPROPDWORD);
        property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        property.diph.dwObj = 0;
        property.diph.dwHow = DIPH_DEVICE;
        property.dwData = bufferSize;
        if (FAILED(opened->SetProperty(DIPROP_BUFFERSIZE, &property.diph)))
        {
            buffered = 0;
            m_log->Error("Failed to set the buffered mode, switching to the immediate mode");
        }
    }
    opened->Acquire();
    return opened;
}

// Where a mouse button and a key share a number, the key's name sorts first and so keeps the code.
void Controls_DI7::FillTables()
{
    for (const KeyName& key : kKeyNames)
        m_codes[key.name] = key.code;
    for (const auto& [name, code] : m_codes)
        m_namesByCode.emplace(code, name);
}

void Controls_DI7::Update()
{
    ReadKeyboard();
    ReadMouse();
    Controls::Update();
}

void Controls_DI7::ClearPressed() { Controls::ClearPressed(); }

void Controls_DI7::SetControlState(const std::string& name, bool down)
{
    const auto held = m_held.find(name);
    if (held == m_held.end())
        return;
    if (!down)
    {
        held->second = 0;
        return;
    }
    if (held->second)
        return;
    held->second = 1;
    m_pressed[name] = 1;
}

// Every waiting record is taken, so a key pressed and released within one frame still latches its press.
void Controls_DI7::ReadKeyboard()
{
    if (!m_keyboardBuffered)
    {
        ReadKeyboardState();
        return;
    }
    DIDEVICEOBJECTDATA records[kRecordsPerRead];
    for (int read = 0; read < kMostReadsPerFrame; ++read)
    {
        DWORD count = kRecordsPerRead;
        if (m_keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0) != DI_OK)
        {
            Reacquire(*m_keyboard, "Failed to acquire the system keyboard device", m_keyboardAcquireFailureLogged);
            ReadKeyboardState();
            return;
        }
        for (DWORD i = 0; i < count; ++i)
        {
            const auto name = m_namesByCode.find(records[i].dwOfs);
            if (name != m_namesByCode.end())
                SetControlState(name->second, (records[i].dwData & kDownBit) != 0);
        }
        if (count < kRecordsPerRead)
            return;
    }
}

void Controls_DI7::ReadKeyboardState()
{
    u8 keys[kKeyStateSize] = {};
    if (FAILED(m_keyboard->GetDeviceState(sizeof(keys), keys)))
    {
        Reacquire(*m_keyboard, "Failed to acquire the system keyboard device", m_keyboardAcquireFailureLogged);
        std::fill(std::begin(keys), std::end(keys), u8{0});
    }
    for (const auto& [name, code] : m_codes)
    {
        const bool mouseButton =
            std::find(m_mouseButtonNames.begin(), m_mouseButtonNames.end(), name) != m_mouseButtonNames.end();
        if (!mouseButton && code < kKeyStateSize)
            SetControlState(name, keys[code] != 0);
    }
}

void Controls_DI7::ReadMouse()
{
    m_deviceMovement = Vector2(0.0f, 0.0f);
    m_wheel = 0;
    if (!m_mouseBuffered)
    {
        ReadMouseState(true);
        return;
    }
    DIDEVICEOBJECTDATA records[kRecordsPerRead];
    for (int read = 0; read < kMostReadsPerFrame; ++read)
    {
        DWORD count = kRecordsPerRead;
        if (m_mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0) != DI_OK)
        {
            Reacquire(*m_mouse, "Failed to acquire the system mouse device", m_mouseAcquireFailureLogged);
            m_deviceMovement = Vector2(0.0f, 0.0f);
            m_wheel = 0;
            ReadMouseState(false);
            return;
        }
        for (DWORD i = 0; i < count; ++i)
        {
            const DWORD offset = records[i].dwOfs;
            const auto amount = static_cast<i32>(records[i].dwData);
            if (offset == DIMOFS_X)
                m_deviceMovement.x += static_cast<f32>(amount);
            else if (offset == DIMOFS_Y)
                m_deviceMovement.y += static_cast<f32>(amount);
            else if (offset == DIMOFS_Z)
                m_wheel += amount;
            else if (offset >= DIMOFS_BUTTON0 && offset < DIMOFS_BUTTON0 + kMouseButtonCount)
                SetMouseButtonState(offset - DIMOFS_BUTTON0, (records[i].dwData & kDownBit) != 0,
                                    ClientPositionOf(records[i]));
        }
        if (count < kRecordsPerRead)
            return;
    }
}

void Controls_DI7::ReadMouseState(bool takeAxes)
{
    DIMOUSESTATE2 state;
    if (FAILED(m_mouse->GetDeviceState(sizeof(state), &state)))
    {
        Reacquire(*m_mouse, "Failed to acquire the system mouse device", m_mouseAcquireFailureLogged);
        state = DIMOUSESTATE2{};
    }
    // The immediate state tells nothing of where a change happened: it is taken as made where the pointer is.
    const Vector2 cursor = GetCursorPosition();
    for (u32 i = 0; i < kMouseButtonCount; ++i)
        SetMouseButtonState(i, state.rgbButtons[i] != 0, cursor);
    if (takeAxes)
    {
        m_deviceMovement = Vector2(static_cast<f32>(state.lX), static_cast<f32>(state.lY));
        m_wheel = state.lZ;
    }
}

void Controls_DI7::SetMouseButtonState(u32 button, bool down, const Vector2& clientPosition)
{
    NoteMouseButtonPlace(button, down, clientPosition);
    SetControlState(m_mouseButtonNames[button], down);
}

Vector2 Controls_DI7::ClientPositionOf(const DIDEVICEOBJECTDATA& record) const
{
    POINT place{record.lCursorX, record.lCursorY};
    ScreenToClient(m_window->GetHandle(), &place);
    return Vector2(static_cast<f32>(place.x), static_cast<f32>(place.y));
}

void Controls_DI7::Reacquire(IDirectInputDevice7& device, const char* failure, bool& failureLogged)
{
    HRESULT result = device.Acquire();
    for (int attempt = 1; result == DIERR_OTHERAPPHASPRIO && attempt < kAcquireAttempts; ++attempt)
        result = device.Acquire();
    if (result != DIERR_OTHERAPPHASPRIO)
    {
        failureLogged = false;
        return;
    }
    // Logged once while the device stays out of reach, not in every frame.
    if (!failureLogged)
        m_log->Error(failure);
    failureLogged = true;
}
}
