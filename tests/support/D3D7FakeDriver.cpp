// The scripted driver: adapters, failure injection and the call record.
#include "tests/support/D3D7FakeDriver.h"

#include "tests/support/D3D7FakeDirectDraw.h"
#include "tests/support/EngineCallJournal.h"

namespace KorvaneTest
{
GUID D3D7FakeGuid(DWORD value)
{
    GUID guid;
    guid.Data1 = value;
    guid.Data2 = 0xFA4E;
    return guid;
}

D3D7FakeDriver::D3D7FakeDriver() { Platform::SetDirectDrawDriver(this); }

D3D7FakeDriver::~D3D7FakeDriver()
{
    for (auto& [object, count] : m_held)
        for (ULONG i = 0; i < count; ++i)
            object->Release();
    Platform::SetDirectDrawDriver(nullptr);
}

void D3D7FakeDriver::HoldExtraReferences(IUnknown* object, ULONG count)
{
    for (ULONG i = 0; i < count; ++i)
        object->AddRef();
    if (count > 0)
        m_held.emplace_back(object, count);
}

D3D7FakeAdapterDescription D3D7FakeDriver::StandardAdapter()
{
    D3D7FakeAdapterDescription adapter;
    for (const auto& [width, height] : std::vector<std::pair<DWORD, DWORD>>{
             {640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024}, {1600, 1200}})
        for (DWORD bits : {16u, 32u})
            adapter.modes.emplace_back(width, height, bits);
    D3D7FakeDeviceDescription transformAndLighting;
    transformAndLighting.guid = IID_IDirect3DTnLHalDevice;
    transformAndLighting.name = "T&L HAL";
    D3D7FakeDeviceDescription hardware;
    hardware.guid = IID_IDirect3DHALDevice;
    hardware.name = "HAL";
    adapter.devices = {hardware, transformAndLighting};
    return adapter;
}

HRESULT D3D7FakeDriver::EnumerateAdapters(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags)
{
    Record("DirectDrawEnumerateEx", flags);
    for (D3D7FakeAdapterDescription& adapter : adapters)
    {
        std::string description = adapter.description;
        std::string driver = "fake";
        if (!callback(adapter.primary ? nullptr : &adapter.guid, description.data(), driver.data(), context, nullptr))
            break;
    }
    return DD_OK;
}

HRESULT D3D7FakeDriver::CreateDirectDraw(GUID* adapter, IDirectDraw7** directDraw)
{
    Record("DirectDrawCreateEx");
    const HRESULT outcome = Outcome("DirectDrawCreateEx");
    if (FAILED(outcome))
        return outcome;
    for (D3D7FakeAdapterDescription& description : adapters)
        if ((adapter == nullptr) == description.primary && (!adapter || *adapter == description.guid))
        {
            *directDraw = new D3D7FakeDirectDraw(*this, description);
            return DD_OK;
        }
    return DDERR_INVALIDDIRECTDRAWGUID;
}

void D3D7FakeDriver::Fail(const std::string& call, HRESULT result, int times)
{
    m_failures[call] = Failure{result, times};
}

HRESULT D3D7FakeDriver::Outcome(const std::string& call)
{
    const auto found = m_failures.find(call);
    if (found == m_failures.end() || found->second.remaining == 0)
        return DD_OK;
    if (found->second.remaining > 0)
        --found->second.remaining;
    return found->second.result;
}

void D3D7FakeDriver::Record(const D3D7Call& call)
{
    TestSupport::EngineCallJournal::Note("d3d " + call.name);
    const std::lock_guard lock(m_callsMutex);
    m_calls.push_back(call);
}

void D3D7FakeDriver::Record(const std::string& name, DWORD first, DWORD second, DWORD third)
{
    D3D7Call call;
    call.name = name;
    call.first = first;
    call.second = second;
    call.third = third;
    Record(call);
}

int D3D7FakeDriver::Count(const std::string& name) const
{
    int count = 0;
    for (const D3D7Call& call : m_calls)
        count += call.name == name ? 1 : 0;
    return count;
}

int D3D7FakeDriver::Count(const std::string& name, DWORD first) const
{
    int count = 0;
    for (const D3D7Call& call : m_calls)
        count += call.name == name && call.first == first ? 1 : 0;
    return count;
}

std::vector<D3D7Call> D3D7FakeDriver::Named(const std::string& name) const
{
    std::vector<D3D7Call> found;
    for (const D3D7Call& call : m_calls)
        if (call.name == name)
            found.push_back(call);
    return found;
}
}
