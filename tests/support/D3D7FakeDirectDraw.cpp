// The fake DirectDraw object: surfaces by kind, modes and caps from the adapter's script.
#include "tests/support/D3D7FakeDirectDraw.h"

#include "tests/support/D3D7FakeClipper.h"
#include "tests/support/D3D7FakeDirect3D.h"
#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/D3D7FakeSurface.h"

namespace KorvaneTest
{
namespace
{
DDSURFACEDESC2 ModeDescription(DWORD width, DWORD height, DWORD bits)
{
    DDSURFACEDESC2 mode;
    mode.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    mode.dwWidth = width;
    mode.dwHeight = height;
    mode.dwRefreshRate = 60;
    mode.ddpfPixelFormat.dwFlags = DDPF_RGB;
    mode.ddpfPixelFormat.dwRGBBitCount = bits;
    return mode;
}

std::string KindOf(const DDSURFACEDESC2& description)
{
    const DWORD caps = description.ddsCaps.dwCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE)
        return "primary";
    if (caps & DDSCAPS_ZBUFFER)
        return "depth";
    if (caps & DDSCAPS_3DDEVICE)
        return "back buffer";
    return "plain";
}
}

D3D7FakeDirectDraw::D3D7FakeDirectDraw(D3D7FakeDriver& driver, D3D7FakeAdapterDescription& adapter)
    : m_driver(driver), m_adapter(adapter)
{
    ++m_driver.liveObjects;
}

D3D7FakeDirectDraw::~D3D7FakeDirectDraw() { --m_driver.liveObjects; }

HRESULT D3D7FakeDirectDraw::QueryInterface(REFIID iid, void** object)
{
    m_driver.Record("QueryInterface");
    *object = nullptr;
    const HRESULT outcome = m_driver.Outcome("QueryInterface");
    if (FAILED(outcome))
        return outcome;
    if (!(iid == IID_IDirect3D7))
        return E_NOINTERFACE;
    *object = static_cast<IDirect3D7*>(new D3D7FakeDirect3D(m_driver, m_adapter, this));
    return DD_OK;
}

HRESULT D3D7FakeDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown*)
{
    m_driver.Record("CreateClipper");
    const HRESULT outcome = m_driver.Outcome("CreateClipper");
    if (FAILED(outcome))
        return outcome;
    *clipper = new D3D7FakeClipper(m_driver);
    return DD_OK;
}

HRESULT D3D7FakeDirectDraw::CreateSurface(DDSURFACEDESC2* description, IDirectDrawSurface7** surface, IUnknown*)
{
    const std::string kind = KindOf(*description);
    D3D7Call call;
    call.name = "CreateSurface";
    call.first = description->ddsCaps.dwCaps;
    call.second = description->dwWidth;
    call.third = description->dwHeight;
    call.fourth = description->ddpfPixelFormat.dwZBufferBitDepth;
    call.fifth = description->ddpfPixelFormat.dwStencilBitDepth;
    m_driver.Record(call);
    HRESULT outcome = m_driver.Outcome("CreateSurface:" + kind);
    if (SUCCEEDED(outcome))
        outcome = m_driver.Outcome("CreateSurface");
    if (FAILED(outcome))
        return outcome;
    DDSURFACEDESC2 made = *description;
    if (kind == "primary" || !(made.dwFlags & DDSD_PIXELFORMAT))
        made.ddpfPixelFormat = ModeDescription(0, 0, m_driver.displayBits).ddpfPixelFormat;
    auto* created = new D3D7FakeSurface(m_driver, made, kind);
    if (kind == "primary" && (description->dwFlags & DDSD_BACKBUFFERCOUNT))
    {
        DDSURFACEDESC2 back = made;
        back.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        auto* chain = new D3D7FakeSurface(m_driver, back, "back buffer");
        created->AddAttachedSurface(chain);
        chain->Release();
        m_driver.renderTarget = chain;
    }
    if (kind == "back buffer")
        m_driver.renderTarget = created;
    *surface = created;
    return DD_OK;
}

HRESULT D3D7FakeDirectDraw::EnumDisplayModes(DWORD, DDSURFACEDESC2*, void* context, LPDDENUMMODESCALLBACK2 callback)
{
    for (const auto& [width, height, bits] : m_adapter.modes)
    {
        DDSURFACEDESC2 mode = ModeDescription(width, height, bits);
        if (callback(&mode, context) == DDENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT D3D7FakeDirectDraw::GetCaps(DDCAPS* hardware, DDCAPS* emulation)
{
    *hardware = DDCAPS{};
    hardware->dwCaps2 = m_adapter.caps2;
    *emulation = DDCAPS{};
    return DD_OK;
}

HRESULT D3D7FakeDirectDraw::GetDisplayMode(DDSURFACEDESC2* description)
{
    *description = ModeDescription(1024, 768, m_driver.displayBits);
    return m_driver.Outcome("GetDisplayMode");
}

HRESULT D3D7FakeDirectDraw::RestoreAllSurfaces()
{
    m_driver.Record("RestoreAllSurfaces");
    return m_driver.Outcome("RestoreAllSurfaces");
}

HRESULT D3D7FakeDirectDraw::SetCooperativeLevel(HWND window, DWORD flags)
{
    D3D7Call call;
    call.name = "SetCooperativeLevel";
    call.first = flags;
    call.pointer = window;
    m_driver.Record(call);
    const HRESULT outcome = m_driver.Outcome("SetCooperativeLevel");
    if (SUCCEEDED(outcome) && flags != DDSCL_NORMAL)
        m_driver.HoldExtraReferences(this, m_driver.extraDirectDrawReferences);
    return outcome;
}

HRESULT D3D7FakeDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD)
{
    D3D7Call call;
    call.name = "SetDisplayMode";
    call.first = width;
    call.second = height;
    call.third = bitsPerPixel;
    call.fourth = refreshRate;
    m_driver.Record(call);
    return m_driver.Outcome("SetDisplayMode");
}

HRESULT D3D7FakeDirectDraw::TestCooperativeLevel()
{
    m_driver.Record("TestCooperativeLevel");
    return m_driver.Outcome("TestCooperativeLevel");
}

HRESULT D3D7FakeDirectDraw::WaitForVerticalBlank(DWORD flags, void*)
{
    m_driver.Record("WaitForVerticalBlank", flags);
    return DD_OK;
}
}
