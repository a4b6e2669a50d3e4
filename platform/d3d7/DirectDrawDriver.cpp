// The DirectDraw entry points and the interface identifiers, dispatched to the installed driver.
#include "platform/d3d7/DirectDrawDriver.h"

#include "platform/d3d7/D3D.h"
#include "platform/d3d7/GLDriver.h"

#include <atomic>

const IID IID_IDirectDraw7{0x4B564437, 0x0001, 0x0007, {'d', 'd', 'r', 'a', 'w', '7', 0, 0}};
const IID IID_IDirect3D7{0x4B564437, 0x0002, 0x0007, {'d', '3', 'd', '7', 0, 0, 0, 0}};
const GUID IID_IDirect3DHALDevice{0x4B564437, 0x0003, 0x0007, {'h', 'a', 'l', 0, 0, 0, 0, 0}};
const GUID IID_IDirect3DTnLHalDevice{0x4B564437, 0x0004, 0x0007, {'t', 'n', 'l', 'h', 'a', 'l', 0, 0}};
const GUID IID_IDirect3DRefDevice{0x4B564437, 0x0005, 0x0007, {'r', 'e', 'f', 0, 0, 0, 0, 0}};
const GUID IID_IDirect3DRGBDevice{0x4B564437, 0x0006, 0x0007, {'r', 'g', 'b', 0, 0, 0, 0, 0}};

namespace
{
std::atomic<Platform::DirectDrawDriver*> g_installed{nullptr};

Platform::DirectDrawDriver& CurrentDriver()
{
    static Platform::GLDriver openGL;
    Platform::DirectDrawDriver* installed = g_installed.load();
    return installed ? *installed : openGL;
}
}

namespace Platform
{
void SetDirectDrawDriver(DirectDrawDriver* driver) { g_installed.store(driver); }
}

HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    return CurrentDriver().EnumerateAdapters(callback, context, flags);
}

HRESULT DirectDrawCreateEx(GUID* adapter, void** directDraw, REFIID iid, IUnknown* outer)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (outer)
        return DDERR_UNSUPPORTED;
    if (!(iid == IID_IDirectDraw7))
        return E_NOINTERFACE;
    IDirectDraw7* created = nullptr;
    const HRESULT result = CurrentDriver().CreateDirectDraw(adapter, &created);
    if (SUCCEEDED(result))
        *directDraw = created;
    return result;
}
