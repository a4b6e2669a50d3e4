// DirectInput over SDL2 events: the system keyboard and mouse see every event the window layer takes from SDL,
// keep their immediate state and, while acquired, buffer records of what changed.
#include "platform/dinput7/DirectInput.h"

#include "platform/core/RefCounted.h"
#include "platform/dinput7/SdlInputRecords.h"
#include "platform/win32/SdlEventListeners.h"
#include "platform/win32/WindowBackend.h"

#include <SDL.h>

#include <cstring>
#include <utility>

const DIDATAFORMAT c_dfDIKeyboard{256};
const DIDATAFORMAT c_dfDIMouse2{sizeof(DIMOUSESTATE2)};

namespace
{
Platform::DirectInputFactory g_inputFactory;

bool IsValidCooperation(DWORD flags)
{
    const DWORD access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD when = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    return (access == DISCL_EXCLUSIVE || access == DISCL_NONEXCLUSIVE) &&
           (when == DISCL_FOREGROUND || when == DISCL_BACKGROUND);
}

// What the keyboard and the mouse share: reference count, format, acquisition, record buffer, event listening.
class SdlDevice : public Platform::RefCounted<IDirectInputDevice7>
{
public:
    explicit SdlDevice(DWORD stateSize) : m_stateSize(stateSize)
    {
        m_listener = Platform::AddSdlEventListener([this](const SDL_Event& event) { OnEvent(event); });
    }

    HRESULT SetDataFormat(const DIDATAFORMAT* format) override
    {
        if (!format || format->dwDataSize != m_stateSize)
            return DIERR_INVALIDPARAM;
        m_formatSet = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(HWND, DWORD flags) override
    {
        return IsValidCooperation(flags) ? DI_OK : DIERR_INVALIDPARAM;
    }

    HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) override
    {
        if (!(property == DIPROP_BUFFERSIZE) || !header || header->dwHow != DIPH_DEVICE ||
            header->dwSize != sizeof(DIPROPDWORD) || header->dwHeaderSize != sizeof(DIPROPHEADER))
            return DIERR_INVALIDPARAM;
        m_records.SetCapacity(reinterpret_cast<const DIPROPDWORD*>(header)->dwData);
        return DI_OK;
    }

    HRESULT Acquire() override
    {
        if (!m_formatSet)
            return DIERR_INVALIDPARAM;
        if (!m_acquired)
            m_records.Clear();
        m_acquired = true;
        return DI_OK;
    }

    HRESULT Unacquire() override
    {
        m_acquired = false;
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, void* state) override
    {
        if (!m_acquired)
            return DIERR_NOTACQUIRED;
        if (size != m_stateSize || !state)
            return DIERR_INVALIDPARAM;
        CopyState(state);
        return DI_OK;
    }

    HRESULT GetDeviceData(DWORD recordSize, DIDEVICEOBJECTDATA* records, DWORD* count, DWORD) override
    {
        if (!m_acquired)
            return DIERR_NOTACQUIRED;
        if (recordSize != sizeof(DIDEVICEOBJECTDATA) || !records || !count)
            return DIERR_INVALIDPARAM;
        if (m_records.GetCapacity() == 0)
            return DIERR_NOTBUFFERED;
        return m_records.Take(records, count);
    }

protected:
    ~SdlDevice() override { Platform::RemoveSdlEventListener(m_listener); }

    virtual void OnEvent(const SDL_Event& event) = 0;
    virtual void CopyState(void* state) = 0;

    // Records are kept only while the device is acquired; the state follows the events regardless.
    void Record(DWORD offset, DWORD data, DWORD timeStamp, POINT cursor = POINT{0, 0})
    {
        if (m_acquired)
            m_records.Add(offset, data, timeStamp, cursor);
    }

    void RecordMotion(DWORD offset, std::int32_t amount, DWORD timeStamp)
    {
        if (m_acquired && amount != 0)
            m_records.AddMotion(offset, amount, timeStamp);
    }

private:
    DWORD m_stateSize;
    bool m_formatSet = false;
    bool m_acquired = false;
    int m_listener = 0;
    Platform::DeviceRecordBuffer m_records;
};

class SdlKeyboard : public SdlDevice
{
public:
    SdlKeyboard() : SdlDevice(sizeof(m_keys)) {}

private:
    void OnEvent(const SDL_Event& event) override
    {
        if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
            return;
        // Held keys repeat as characters, not as key presses.
        if (event.key.repeat)
            return;
        const DWORD code = Platform::KeyCodeFromScancode(event.key.keysym.scancode);
        if (code == 0)
            return;
        const std::uint8_t data = event.type == SDL_KEYDOWN ? 0x80 : 0;
        m_keys[code] = data;
        Record(code, data, event.key.timestamp);
    }

    void CopyState(void* state) override { std::memcpy(state, m_keys, sizeof(m_keys)); }

    std::uint8_t m_keys[256] = {};
};

class SdlMouse : public SdlDevice
{
public:
    SdlMouse() : SdlDevice(sizeof(DIMOUSESTATE2)) {}

private:
    void OnEvent(const SDL_Event& event) override
    {
        switch (event.type)
        {
        case SDL_MOUSEMOTION:
            Move(m_state.lX, DIMOFS_X, event.motion.xrel, event.motion.timestamp);
            Move(m_state.lY, DIMOFS_Y, event.motion.yrel, event.motion.timestamp);
            break;
        case SDL_MOUSEWHEEL:
        {
            const std::int32_t units = Platform::WheelUnits(event.wheel);
            m_state.lZ = Wrapped(m_state.lZ, units);
            if (units != 0)
                Record(DIMOFS_Z, static_cast<DWORD>(units), event.wheel.timestamp);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        {
            const int button = Platform::MouseButtonFromSdl(event.button.button);
            if (button < 0)
                return;
            const std::uint8_t data = event.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
            m_state.rgbButtons[button] = data;
            const POINT where = Platform::GetWindowBackend().GetButtonEventScreenPosition(
                event.button.windowID, POINT{event.button.x, event.button.y});
            Record(DIMOFS_BUTTON0 + static_cast<DWORD>(button), data, event.button.timestamp, where);
            break;
        }
        default:
            break;
        }
    }

    // The axes report movement since the previous read.
    void CopyState(void* state) override
    {
        std::memcpy(state, &m_state, sizeof(m_state));
        m_state.lX = m_state.lY = m_state.lZ = 0;
    }

    static std::int32_t Wrapped(std::int32_t total, std::int32_t amount)
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(total) + static_cast<std::uint32_t>(amount));
    }

    void Move(std::int32_t& axis, DWORD offset, std::int32_t amount, DWORD timeStamp)
    {
        axis = Wrapped(axis, amount);
        RecordMotion(offset, amount, timeStamp);
    }

    DIMOUSESTATE2 m_state;
};

class SdlDirectInput : public Platform::RefCounted<IDirectInput7>
{
public:
    HRESULT CreateDeviceEx(REFGUID device, REFIID interfaceId, void** created, void*) override
    {
        if (!created)
            return DIERR_INVALIDPARAM;
        *created = nullptr;
        if (!(interfaceId == IID_IDirectInputDevice7))
            return DIERR_NOINTERFACE;
        if (device == GUID_SysKeyboard)
            *created = static_cast<IDirectInputDevice7*>(new SdlKeyboard());
        else if (device == GUID_SysMouse)
            *created = static_cast<IDirectInputDevice7*>(new SdlMouse());
        else
            return DIERR_DEVICENOTREG;
        return DI_OK;
    }

private:
    ~SdlDirectInput() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }
};
}

namespace Platform
{
void SetDirectInputFactory(DirectInputFactory factory) { g_inputFactory = std::move(factory); }
}

HRESULT DirectInputCreateEx(HINSTANCE, DWORD version, REFIID interfaceId, void** created, void*)
{
    if (!created)
        return DIERR_INVALIDPARAM;
    *created = nullptr;
    if (!(interfaceId == IID_IDirectInput7) || version < DIRECTINPUT_VERSION)
        return DIERR_NOINTERFACE;
    if (g_inputFactory)
    {
        IDirectInput7* made = nullptr;
        const HRESULT result = g_inputFactory(&made);
        *created = made;
        return result;
    }
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        return E_FAIL;
    *created = static_cast<IDirectInput7*>(new SdlDirectInput());
    return DI_OK;
}
