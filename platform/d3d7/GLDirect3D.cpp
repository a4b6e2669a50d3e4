// Device enumeration and creation over the GL context's capabilities.
#include "platform/d3d7/GLDirect3D.h"

#include "platform/d3d7/GLBackBuffer.h"
#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLDepthBuffer.h"
#include "platform/d3d7/GLDevice.h"
#include "platform/d3d7/GLDirectDraw.h"
#include "platform/d3d7/GLDisplay.h"
#include "platform/d3d7/GLVertexBuffer.h"

namespace Platform
{
namespace
{
struct DeviceKind
{
    const GUID* guid;
    const char* name;
    const char* description;
};

const DeviceKind kDevices[] = {
    {&IID_IDirect3DHALDevice, "Direct3D HAL", "Hardware rasterisation over OpenGL"},
    {&IID_IDirect3DTnLHalDevice, "Direct3D T&L HAL", "Hardware transform, lighting and rasterisation over OpenGL"}};

bool IsOffered(const GUID& device)
{
    for (const DeviceKind& kind : kDevices)
        if (*kind.guid == device)
            return true;
    return false;
}
}

GLDirect3D::GLDirect3D(GLDirectDraw* directDraw) : m_directDraw(directDraw) { m_directDraw->AddRef(); }

GLDirect3D::~GLDirect3D() { m_directDraw->Release(); }

D3DDEVICEDESC7 GLDirect3D::Describe(const GUID& device)
{
    const GLCapabilities caps = GLContext::Capabilities();
    D3DDEVICEDESC7 description;
    description.deviceGUID = device;
    description.dwDevCaps = D3DDEVCAPS_HWRASTERIZATION;
    if (device == IID_IDirect3DTnLHalDevice)
        description.dwDevCaps |= D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    description.dpcTriCaps.dwRasterCaps = D3DPRASTERCAPS_ZTEST | (caps.maxAnisotropy > 1 ? D3DPRASTERCAPS_ANISOTROPY : 0);
    description.dpcLineCaps = description.dpcTriCaps;
    description.dwDeviceRenderBitDepth = DDBD_16 | DDBD_32;
    description.dwDeviceZBufferBitDepth = DDBD_16 | DDBD_32;
    description.dwMinTextureWidth = description.dwMinTextureHeight = 1;
    description.dwMaxTextureWidth = description.dwMaxTextureHeight = caps.maxTextureSize;
    description.dwMaxTextureRepeat = caps.maxTextureSize;
    description.dwMaxAnisotropy = caps.maxAnisotropy;
    description.wMaxTextureBlendStages = static_cast<WORD>(caps.textureUnits);
    description.wMaxSimultaneousTextures = static_cast<WORD>(caps.textureUnits);
    description.dwMaxActiveLights = caps.maxLights;
    return description;
}

HRESULT GLDirect3D::EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const DeviceKind& kind : kDevices)
    {
        D3DDEVICEDESC7 description = Describe(*kind.guid);
        char name[64], text[64];
        SDL_strlcpy(name, kind.name, sizeof(name));
        SDL_strlcpy(text, kind.description, sizeof(text));
        if (callback(text, name, &description, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT GLDirect3D::EnumZBufferFormats(REFCLSID device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    if (!callback || !IsOffered(device))
        return DDERR_INVALIDPARAMS;
    DWORD count = 0;
    const DDPIXELFORMAT* formats = GLDepthBuffer::Formats(count);
    for (DWORD index = 0; index < count; ++index)
    {
        DDPIXELFORMAT format = formats[index];
        if (callback(&format, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT GLDirect3D::CreateDevice(REFCLSID device, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** created)
{
    if (!created)
        return DDERR_INVALIDPARAMS;
    *created = nullptr;
    auto* target = dynamic_cast<GLBackBuffer*>(renderTarget);
    if (!IsOffered(device) || !target)
        return DDERR_INVALIDPARAMS;
    if (!m_directDraw->Display()->IsBound())
        return DDERR_NOCOOPERATIVELEVELSET;
    *created = new GLDevice(m_directDraw->Display(), this, target, Describe(device));
    return DD_OK;
}

// A buffer belongs to no device: any device of the context draws it.
HRESULT GLDirect3D::CreateVertexBuffer(D3DVERTEXBUFFERDESC* description, IDirect3DVertexBuffer7** created, DWORD)
{
    if (!created)
        return DDERR_INVALIDPARAMS;
    *created = nullptr;
    GLVertexLayout layout;
    if (!description || description->dwSize != sizeof(D3DVERTEXBUFFERDESC) ||
        !GLVertexLayout::Of(description->dwFVF, layout))
        return DDERR_INVALIDPARAMS;
    *created = new GLVertexBuffer(description->dwFVF, layout, description->dwNumVertices);
    return DD_OK;
}
}
