// The recording fake device.
#include "tests/support/D3D7FakeDevice.h"

#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/D3D7FakeVertexBuffer.h"

namespace KorvaneTest
{
D3D7FakeDevice::D3D7FakeDevice(D3D7FakeDriver& driver, IDirect3D7* owner, IDirectDrawSurface7* target,
                               const D3DDEVICEDESC7& description)
    : m_driver(driver), m_owner(owner), m_target(target), m_description(description)
{
    ++m_driver.liveObjects;
    m_owner->AddRef();
    m_target->AddRef();
    m_driver.HoldExtraReferences(this, m_driver.extraDeviceReferences);
}

D3D7FakeDevice::~D3D7FakeDevice()
{
    m_target->Release();
    m_owner->Release();
    --m_driver.liveObjects;
}

HRESULT D3D7FakeDevice::BeginScene()
{
    m_driver.Record("BeginScene");
    return m_driver.Outcome("BeginScene");
}

HRESULT D3D7FakeDevice::EndScene()
{
    m_driver.Record("EndScene");
    return m_driver.Outcome("EndScene");
}

HRESULT D3D7FakeDevice::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    m_driver.Record("EnumTextureFormats");
    struct Format
    {
        DWORD bits, alpha, red, green, blue;
    };
    const Format formats[] = {{32, 0, 0xFF0000, 0xFF00, 0xFF},
                              {32, 0xFF000000u, 0xFF0000, 0xFF00, 0xFF},
                              {16, 0, 0xF800, 0x07E0, 0x001F},
                              {16, 0xF000, 0x0F00, 0x00F0, 0x000F}};
    for (const Format& f : formats)
    {
        DDPIXELFORMAT format;
        format.dwFlags = DDPF_RGB | (f.alpha ? DDPF_ALPHAPIXELS : 0);
        format.dwRGBBitCount = f.bits;
        format.dwRBitMask = f.red;
        format.dwGBitMask = f.green;
        format.dwBBitMask = f.blue;
        format.dwRGBAlphaBitMask = f.alpha;
        if (callback(&format, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT D3D7FakeDevice::Clear(DWORD rectCount, D3DRECT*, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil)
{
    D3D7Call call;
    call.name = "Clear";
    call.first = flags;
    call.second = color;
    call.third = stencil;
    call.fourth = rectCount;
    call.matrix._11 = z;
    m_driver.Record(call);
    return m_driver.Outcome("Clear");
}

HRESULT D3D7FakeDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices,
                                             DWORD vertexCount, void*, DWORD indexCount, DWORD flags)
{
    D3D7Call call;
    call.name = "DrawIndexedPrimitive";
    call.first = type;
    call.second = vertexFormat;
    call.third = vertexCount;
    call.fourth = indexCount;
    call.fifth = flags;
    call.pointer = vertices;
    m_driver.Record(call);
    return m_driver.Outcome("DrawIndexedPrimitive");
}

HRESULT D3D7FakeDevice::DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* vertexBuffer, DWORD,
                                               DWORD numVertices, void*, DWORD indexCount, DWORD flags)
{
    const auto* buffer = dynamic_cast<const D3D7FakeVertexBuffer*>(vertexBuffer);
    D3D7Call call;
    call.name = "DrawIndexedPrimitiveVB";
    call.first = type;
    call.second = buffer ? buffer->Description().dwFVF : 0;
    call.third = numVertices;
    call.fourth = indexCount;
    call.fifth = flags;
    call.pointer = buffer ? buffer->Vertices().data() : nullptr;
    m_driver.Record(call);
    return m_driver.Outcome("DrawIndexedPrimitiveVB");
}

HRESULT D3D7FakeDevice::GetCaps(D3DDEVICEDESC7* description)
{
    *description = m_description;
    return DD_OK;
}

HRESULT D3D7FakeDevice::LightEnable(DWORD index, BOOL enable)
{
    m_driver.Record("LightEnable", index, static_cast<DWORD>(enable));
    return m_driver.Outcome("LightEnable");
}

HRESULT D3D7FakeDevice::SetLight(DWORD index, D3DLIGHT7* light)
{
    m_driver.Record("SetLight", index, light->dltType);
    m_driver.lights[index] = *light;
    return m_driver.Outcome("SetLight");
}

HRESULT D3D7FakeDevice::SetMaterial(D3DMATERIAL7* material)
{
    m_driver.Record("SetMaterial");
    m_driver.material = *material;
    return m_driver.Outcome("SetMaterial");
}

HRESULT D3D7FakeDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    m_driver.Record("SetRenderState", state, value);
    return m_driver.Outcome("SetRenderState");
}

HRESULT D3D7FakeDevice::SetRenderTarget(IDirectDrawSurface7* surface, DWORD)
{
    D3D7Call call;
    call.name = "SetRenderTarget";
    call.pointer = surface;
    m_driver.Record(call);
    return m_driver.Outcome("SetRenderTarget");
}

HRESULT D3D7FakeDevice::SetTexture(DWORD stage, IDirectDrawSurface7* texture)
{
    D3D7Call call;
    call.name = "SetTexture";
    call.first = stage;
    call.pointer = texture;
    m_driver.Record(call);
    return m_driver.Outcome("SetTexture");
}

HRESULT D3D7FakeDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value)
{
    m_driver.Record("SetTextureStageState", stage, state, value);
    return m_driver.Outcome("SetTextureStageState");
}

HRESULT D3D7FakeDevice::SetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    D3D7Call call;
    call.name = "SetTransform";
    call.first = state;
    call.matrix = *matrix;
    m_driver.Record(call);
    return m_driver.Outcome("SetTransform");
}

HRESULT D3D7FakeDevice::SetViewport(D3DVIEWPORT7* viewport)
{
    m_driver.Record("SetViewport", viewport->dwX, viewport->dwY, viewport->dwWidth);
    return m_driver.Outcome("SetViewport");
}
}
