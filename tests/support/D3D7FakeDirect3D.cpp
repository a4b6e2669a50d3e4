// The fake Direct3D object.
#include "tests/support/D3D7FakeDirect3D.h"

#include "tests/support/D3D7FakeDevice.h"
#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/D3D7FakeVertexBuffer.h"

namespace KorvaneTest
{
D3D7FakeDirect3D::D3D7FakeDirect3D(D3D7FakeDriver& driver, D3D7FakeAdapterDescription& adapter,
                                   IDirectDraw7* owner)
    : m_driver(driver), m_adapter(adapter), m_owner(owner)
{
    ++m_driver.liveObjects;
    m_owner->AddRef();
}

D3D7FakeDirect3D::~D3D7FakeDirect3D()
{
    m_owner->Release();
    --m_driver.liveObjects;
}

D3DDEVICEDESC7 D3D7FakeDirect3D::Describe(const D3D7FakeDeviceDescription& device)
{
    D3DDEVICEDESC7 description;
    description.deviceGUID = device.guid;
    description.dwDevCaps = device.hardware ? D3DDEVCAPS_HWRASTERIZATION : 0;
    description.dpcTriCaps.dwRasterCaps = device.rasterCaps;
    description.dwDeviceRenderBitDepth = device.renderDepths;
    description.dwMaxTextureWidth = description.dwMaxTextureHeight = device.maxTextureSize;
    description.dwMaxAnisotropy = device.maxAnisotropy;
    description.dwMaxActiveLights = device.maxLights;
    description.wMaxSimultaneousTextures = description.wMaxTextureBlendStages = device.stages;
    return description;
}

const D3D7FakeDeviceDescription* D3D7FakeDirect3D::Find(const GUID& device) const
{
    for (const D3D7FakeDeviceDescription& description : m_adapter.devices)
        if (description.guid == device)
            return &description;
    return nullptr;
}

HRESULT D3D7FakeDirect3D::EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context)
{
    for (const D3D7FakeDeviceDescription& device : m_adapter.devices)
    {
        D3DDEVICEDESC7 description = Describe(device);
        std::string name = device.name, text = device.description;
        if (callback(text.data(), name.data(), &description, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT D3D7FakeDirect3D::EnumZBufferFormats(REFCLSID device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    m_driver.Record("EnumZBufferFormats");
    const D3D7FakeDeviceDescription* description = Find(device);
    if (!description)
        return DDERR_INVALIDPARAMS;
    for (const auto& [total, stencil] : description->depthFormats)
    {
        DDPIXELFORMAT format;
        format.dwFlags = DDPF_ZBUFFER | (stencil ? DDPF_STENCILBUFFER : 0);
        format.dwZBufferBitDepth = total;
        format.dwStencilBitDepth = stencil;
        if (callback(&format, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT D3D7FakeDirect3D::CreateDevice(REFCLSID device, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** created)
{
    m_driver.Record("CreateDevice", device.Data1);
    const HRESULT outcome = m_driver.Outcome("CreateDevice");
    if (FAILED(outcome))
        return outcome;
    const D3D7FakeDeviceDescription* description = Find(device);
    if (!description)
        return DDERR_INVALIDPARAMS;
    *created = new D3D7FakeDevice(m_driver, this, renderTarget, Describe(*description));
    return DD_OK;
}

HRESULT D3D7FakeDirect3D::CreateVertexBuffer(D3DVERTEXBUFFERDESC* description, IDirect3DVertexBuffer7** created, DWORD)
{
    m_driver.Record("CreateVertexBuffer", description->dwFVF, description->dwNumVertices);
    const HRESULT outcome = m_driver.Outcome("CreateVertexBuffer");
    if (FAILED(outcome))
        return outcome;
    const DWORD stride = (description->dwFVF & D3DFVF_DIFFUSE) ? 36 : 32;
    *created = new D3D7FakeVertexBuffer(m_driver, *description, stride);
    return DD_OK;
}
}
