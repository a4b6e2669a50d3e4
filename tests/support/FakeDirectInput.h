// Scripted input devices: a DirectInput object handing out one keyboard and one mouse whose results, records
// and states the test sets. Installed as the DirectInput factory while it lives; the devices outlive their
// release so the test can still look at them.
#pragma once

#include "platform/dinput7/DirectInput.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace TestSupport
{
class FakeInputDevice : public IDirectInputDevice7
{
public:
    explicit FakeInputDevice(DWORD stateSize);
    ~FakeInputDevice() override = default;

    HRESULT SetDataFormat(const DIDATAFORMAT* format) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) override;
    HRESULT Acquire() override;
    HRESULT Unacquire() override;
    HRESULT GetDeviceState(DWORD size, void* state) override;
    HRESULT GetDeviceData(DWORD recordSize, DIDEVICEOBJECTDATA* records, DWORD* count, DWORD flags) override;
    ULONG Release() override;

    void AddRecord(DWORD offset, DWORD data);
    void AddMouseState(std::int32_t x, std::int32_t y, std::int32_t wheel);

    // Scripted results; queued results are used one per call, then the default.
    HRESULT dataFormatResult = DI_OK;
    HRESULT cooperativeResult = DI_OK;
    HRESULT propertyResult = DI_OK;
    std::deque<HRESULT> acquireResults;
    std::deque<HRESULT> dataResults;
    HRESULT stateResult = DI_OK;
    std::deque<DIDEVICEOBJECTDATA> records;
    std::vector<std::uint8_t> state;

    // What the controls did.
    DWORD formatSize = 0;
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeFlags = 0;
    DWORD bufferSize = 0;
    int acquireCalls = 0;
    int unacquireCalls = 0;
    int dataCalls = 0;
    int stateCalls = 0;
    int releaseCalls = 0;

private:
    DWORD m_stateSize;
    DWORD m_sequence = 0;
};

class FakeDirectInput : public IDirectInput7
{
public:
    FakeDirectInput();
    ~FakeDirectInput() override;

    FakeDirectInput(const FakeDirectInput&) = delete;
    FakeDirectInput& operator=(const FakeDirectInput&) = delete;

    HRESULT CreateDeviceEx(REFGUID device, REFIID interfaceId, void** created, void* outer) override;
    ULONG Release() override;

    HRESULT createResult = DI_OK;
    HRESULT keyboardResult = DI_OK;
    HRESULT mouseResult = DI_OK;
    int releaseCalls = 0;
    FakeInputDevice keyboard{256};
    FakeInputDevice mouse{sizeof(DIMOUSESTATE2)};
};
}
