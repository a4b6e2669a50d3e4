// The scripted DirectInput object and devices.
#include "tests/support/FakeDirectInput.h"

#include "platform/win32/WindowApi.h"

#include "tests/support/EngineCallJournal.h"

#include <cstring>

namespace TestSupport
{
namespace
{
HRESULT Next(std::deque<HRESULT>& results, HRESULT otherwise)
{
    if (results.empty())
        return otherwise;
    const HRESULT result = results.front();
    results.pop_front();
    return result;
}
}

FakeInputDevice::FakeInputDevice(DWORD stateSize) : state(stateSize, 0), m_stateSize(stateSize) {}

HRESULT FakeInputDevice::SetDataFormat(const DIDATAFORMAT* format)
{
    formatSize = format ? format->dwDataSize : 0;
    return dataFormatResult;
}

HRESULT FakeInputDevice::SetCooperativeLevel(HWND window, DWORD flags)
{
    cooperativeWindow = window;
    cooperativeFlags = flags;
    return cooperativeResult;
}

HRESULT FakeInputDevice::SetProperty(REFGUID property, const DIPROPHEADER* header)
{
    if (property == DIPROP_BUFFERSIZE && header && header->dwSize == sizeof(DIPROPDWORD))
        bufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    return propertyResult;
}

HRESULT FakeInputDevice::Acquire()
{
    ++acquireCalls;
    return Next(acquireResults, DI_OK);
}

HRESULT FakeInputDevice::Unacquire()
{
    ++unacquireCalls;
    return DI_OK;
}

HRESULT FakeInputDevice::GetDeviceState(DWORD size, void* destination)
{
    ++stateCalls;
    if (stateResult != DI_OK)
        return stateResult;
    if (size != m_stateSize)
        return DIERR_INVALIDPARAM;
    std::memcpy(destination, state.data(), size);
    return DI_OK;
}

HRESULT FakeInputDevice::GetDeviceData(DWORD recordSize, DIDEVICEOBJECTDATA* destination, DWORD* count, DWORD)
{
    ++dataCalls;
    EngineCallJournal::Note("input GetDeviceData");
    const HRESULT result = Next(dataResults, DI_OK);
    if (recordSize != sizeof(DIDEVICEOBJECTDATA))
        return DIERR_INVALIDPARAM;
    DWORD taken = 0;
    while (taken < *count && !records.empty())
    {
        destination[taken++] = records.front();
        records.pop_front();
    }
    *count = taken;
    return result;
}

ULONG FakeInputDevice::Release()
{
    ++releaseCalls;
    return 0;
}

// A record is made where the pointer is at the time, as a device's button records are.
void FakeInputDevice::AddRecord(DWORD offset, DWORD data)
{
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    records.push_back(DIDEVICEOBJECTDATA{offset, data, 0, m_sequence++, cursor.x, cursor.y});
}

void FakeInputDevice::AddMouseState(std::int32_t x, std::int32_t y, std::int32_t wheel)
{
    const std::int32_t axes[3] = {x, y, wheel};
    std::memcpy(state.data(), axes, sizeof(axes));
}

FakeDirectInput::FakeDirectInput()
{
    Platform::SetDirectInputFactory([this](IDirectInput7** created) {
        *created = createResult == DI_OK ? this : nullptr;
        return createResult;
    });
}

FakeDirectInput::~FakeDirectInput() { Platform::SetDirectInputFactory({}); }

HRESULT FakeDirectInput::CreateDeviceEx(REFGUID device, REFIID, void** created, void*)
{
    *created = nullptr;
    if (device == GUID_SysKeyboard)
    {
        if (keyboardResult == DI_OK)
            *created = static_cast<IDirectInputDevice7*>(&keyboard);
        return keyboardResult;
    }
    if (mouseResult == DI_OK)
        *created = static_cast<IDirectInputDevice7*>(&mouse);
    return mouseResult;
}

ULONG FakeDirectInput::Release()
{
    ++releaseCalls;
    return 0;
}
}
