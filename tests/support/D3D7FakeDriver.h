// A scriptable, recording twin of the DirectDraw 7 / Direct3D 7 layer for the render system's logic tests:
// the test describes adapters, display modes, devices and depth formats, makes chosen calls fail, and reads
// back every call made (device states in order, surfaces made, reference counts). Installed while it lives.
#pragma once

#include "platform/d3d7/D3D.h"
#include "platform/d3d7/DirectDrawDriver.h"

#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace KorvaneTest
{
struct D3D7FakeDeviceDescription
{
    GUID guid;
    std::string name = "Fake device";
    std::string description = "A scripted device";
    bool hardware = true;
    DWORD renderDepths = DDBD_16 | DDBD_32;
    WORD stages = 2;
    DWORD maxTextureSize = 2048;
    DWORD maxAnisotropy = 4;
    DWORD maxLights = 8;
    DWORD rasterCaps = D3DPRASTERCAPS_ZTEST;
    // Depth formats as (total bits, stencil bits), in the order the device lists them.
    std::vector<std::pair<DWORD, DWORD>> depthFormats = {{16, 0}, {32, 0}, {32, 8}};
};

struct D3D7FakeAdapterDescription
{
    bool primary = true;
    GUID guid;
    std::string description = "Fake adapter";
    DWORD caps2 = DDCAPS2_CANRENDERWINDOWED;
    // Display modes as (width, height, bits per pixel).
    std::vector<std::tuple<DWORD, DWORD, DWORD>> modes;
    std::vector<D3D7FakeDeviceDescription> devices;
};

// One call that reached a fake object, with its arguments.
struct D3D7Call
{
    std::string name;
    DWORD first = 0;  // a state, stage or flags
    DWORD second = 0; // a value or state
    DWORD third = 0;
    DWORD fourth = 0;
    DWORD fifth = 0;
    D3DMATRIX matrix;
    const void* pointer = nullptr;
};

class D3D7FakeDriver : public Platform::DirectDrawDriver
{
public:
    D3D7FakeDriver();
    ~D3D7FakeDriver() override;

    D3D7FakeDriver(const D3D7FakeDriver&) = delete;
    D3D7FakeDriver& operator=(const D3D7FakeDriver&) = delete;

    HRESULT EnumerateAdapters(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags) override;
    HRESULT CreateDirectDraw(GUID* adapter, IDirectDraw7** directDraw) override;

    // The usual machine: one primary adapter with a transform-and-lighting and a hardware device and the
    // common modes from 640x480 to 1600x1200 at 16 and 32 bits.
    static D3D7FakeAdapterDescription StandardAdapter();

    // The named call (as recorded) fails with the result the next `times` times, or always when times is -1.
    void Fail(const std::string& call, HRESULT result, int times = -1);
    // What a fake should answer for a call: the scripted failure, or DD_OK.
    HRESULT Outcome(const std::string& call);
    void Record(const D3D7Call& call);
    void Record(const std::string& name, DWORD first = 0, DWORD second = 0, DWORD third = 0);

    const std::vector<D3D7Call>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    int Count(const std::string& name) const;
    int Count(const std::string& name, DWORD first) const;
    // The calls with the name, in order.
    std::vector<D3D7Call> Named(const std::string& name) const;

    std::vector<D3D7FakeAdapterDescription> adapters;
    DWORD displayBits = 32;
    // Objects that keep a reference the render system never gives back.
    ULONG extraDeviceReferences = 0;
    ULONG extraDirectDrawReferences = 0;
    // Live fake objects of every kind; back to 0 when everything was released.
    int liveObjects = 0;
    // The last render target made (not owned), whose pixels a test may fill; the last material set.
    IDirectDrawSurface7* renderTarget = nullptr;
    D3DMATERIAL7 material;
    // The last record set for each light index.
    std::map<DWORD, D3DLIGHT7> lights;

    // Keeps the extra references of an object until the driver goes, so leftovers never leak past a test.
    void HoldExtraReferences(IUnknown* object, ULONG count);

private:
    struct Failure
    {
        HRESULT result;
        int remaining;
    };

    std::map<std::string, Failure> m_failures;
    std::vector<std::pair<IUnknown*, ULONG>> m_held;
    std::vector<D3D7Call> m_calls;
    // The loading thread creates textures while the main thread draws: both record calls.
    std::mutex m_callsMutex;
};

// A GUID that differs in its first field.
GUID D3D7FakeGuid(DWORD value);
}
