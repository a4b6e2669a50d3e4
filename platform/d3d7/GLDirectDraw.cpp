// DirectDraw over OpenGL: the surfaces are created by kind, display modes come from the display layer.
#include "platform/d3d7/GLDirectDraw.h"

#include "platform/d3d7/D3D.h"
#include "platform/d3d7/GLBackBuffer.h"
#include "platform/d3d7/GLClipper.h"
#include "platform/d3d7/GLDepthBuffer.h"
#include "platform/d3d7/GLDirect3D.h"
#include "platform/d3d7/GLDisplay.h"
#include "platform/d3d7/GLDisplayModes.h"
#include "platform/d3d7/GLPrimarySurface.h"
#include "platform/d3d7/GLTextureSurface.h"

#include <new>

namespace Platform
{
namespace
{
constexpr DWORD kMaximumSurfaceSide = 16384;

bool HasSize(const DDSURFACEDESC2& description)
{
    return (description.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) == (DDSD_WIDTH | DDSD_HEIGHT) &&
           description.dwWidth > 0 && description.dwHeight > 0 && description.dwWidth <= kMaximumSurfaceSide &&
           description.dwHeight <= kMaximumSurfaceSide;
}

bool IsColourFormat(const DDPIXELFORMAT& format)
{
    return (format.dwFlags & DDPF_RGB) != 0 && (format.dwRGBBitCount == 16 || format.dwRGBBitCount == 32);
}

bool MatchesFilter(const DDSURFACEDESC2& mode, const DDSURFACEDESC2* filter)
{
    if (!filter)
        return true;
    if ((filter->dwFlags & DDSD_WIDTH) && filter->dwWidth != mode.dwWidth)
        return false;
    if ((filter->dwFlags & DDSD_HEIGHT) && filter->dwHeight != mode.dwHeight)
        return false;
    return !(filter->dwFlags & DDSD_PIXELFORMAT) ||
           filter->ddpfPixelFormat.dwRGBBitCount == mode.ddpfPixelFormat.dwRGBBitCount;
}
}

GLDirectDraw::GLDirectDraw() : m_display(std::make_shared<GLDisplay>()) {}

GLDirectDraw::~GLDirectDraw() = default;

HRESULT GLDirectDraw::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (iid == IID_IDirectDraw7)
    {
        AddRef();
        *object = static_cast<IDirectDraw7*>(this);
        return DD_OK;
    }
    if (iid == IID_IDirect3D7)
    {
        *object = static_cast<IDirect3D7*>(new GLDirect3D(this));
        return DD_OK;
    }
    return E_NOINTERFACE;
}

HRESULT GLDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown* outer)
{
    if (!clipper || outer)
        return DDERR_INVALIDPARAMS;
    *clipper = new GLClipper();
    return DD_OK;
}

HRESULT GLDirectDraw::CreateSurface(DDSURFACEDESC2* description, IDirectDrawSurface7** surface, IUnknown* outer)
{
    if (!description || !surface || outer)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (!m_display->IsBound())
        return DDERR_NOCOOPERATIVELEVELSET;
    if ((description->dwFlags & DDSD_CAPS) == 0)
        return DDERR_INVALIDCAPS;
    const DWORD caps = description->ddsCaps.dwCaps;
    try
    {
        if (caps & DDSCAPS_PRIMARYSURFACE)
            return CreatePrimary(*description, surface);
        if (!HasSize(*description))
            return DDERR_INVALIDPARAMS;
        if (caps & DDSCAPS_ZBUFFER)
            return CreateDepthBuffer(*description, surface);
        if (caps & DDSCAPS_3DDEVICE)
            return CreateRenderTarget(*description, surface);
        if (caps & DDSCAPS_TEXTURE)
            return GLTextureSurface::Create(m_display, *description, surface);
        if ((caps & DDSCAPS_OFFSCREENPLAIN) && !(caps & DDSCAPS_TEXTURE))
            return CreatePlain(*description, surface);
        return DDERR_INVALIDCAPS;
    }
    catch (const std::bad_alloc&)
    {
        return DDERR_OUTOFMEMORY;
    }
}

DDSURFACEDESC2 GLDirectDraw::WithColourFormat(const DDSURFACEDESC2& description) const
{
    DDSURFACEDESC2 result = description;
    if ((description.dwFlags & DDSD_PIXELFORMAT) == 0)
        result.ddpfPixelFormat = m_display->Mode().ddpfPixelFormat;
    return result;
}

HRESULT GLDirectDraw::CreatePrimary(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface)
{
    const bool flipChain = (description.dwFlags & DDSD_BACKBUFFERCOUNT) && description.dwBackBufferCount > 0;
    if (flipChain && !m_display->IsExclusive())
        return DDERR_NOEXCLUSIVEMODE;
    if (flipChain && description.dwBackBufferCount != 1)
        return DDERR_UNSUPPORTED;
    const DDSURFACEDESC2 mode = m_display->Mode();
    DDSURFACEDESC2 primary = mode;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps = description.ddsCaps;
    auto* created = new GLPrimarySurface(m_display, primary);
    if (flipChain)
    {
        DDSURFACEDESC2 back = mode;
        back.dwFlags = DDSD_CAPS;
        back.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                              DDSCAPS_VIDEOMEMORY;
        auto* chain = new GLBackBuffer(m_display, back);
        created->AddAttachedSurface(chain);
        chain->Release(); // the primary holds the chain from here on
    }
    *surface = created;
    return DD_OK;
}

HRESULT GLDirectDraw::CreateDepthBuffer(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface)
{
    if (!(description.dwFlags & DDSD_PIXELFORMAT) || !GLDepthBuffer::IsSupported(description.ddpfPixelFormat))
        return DDERR_INVALIDPIXELFORMAT;
    *surface = new GLDepthBuffer(m_display, description);
    return DD_OK;
}

HRESULT GLDirectDraw::CreateRenderTarget(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface)
{
    const DDSURFACEDESC2 target = WithColourFormat(description);
    if (!IsColourFormat(target.ddpfPixelFormat))
        return DDERR_INVALIDPIXELFORMAT;
    *surface = new GLBackBuffer(m_display, target);
    return DD_OK;
}

HRESULT GLDirectDraw::CreatePlain(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface)
{
    const DDSURFACEDESC2 plain = WithColourFormat(description);
    if (!IsColourFormat(plain.ddpfPixelFormat))
        return DDERR_INVALIDPIXELFORMAT;
    *surface = new GLSurface(m_display, plain);
    return DD_OK;
}

HRESULT GLDirectDraw::EnumDisplayModes(DWORD, DDSURFACEDESC2* filter, void* context, LPDDENUMMODESCALLBACK2 callback)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (DDSURFACEDESC2 mode : GLDisplayModes::List())
        if (MatchesFilter(mode, filter) && callback(&mode, context) == DDENUMRET_CANCEL)
            break;
    return DD_OK;
}

HRESULT GLDirectDraw::GetCaps(DDCAPS* hardware, DDCAPS* emulation)
{
    if (!hardware && !emulation)
        return DDERR_INVALIDPARAMS;
    if (hardware)
    {
        *hardware = DDCAPS{};
        hardware->dwCaps2 = DDCAPS2_CANRENDERWINDOWED;
    }
    if (emulation)
        *emulation = DDCAPS{};
    return DD_OK;
}

HRESULT GLDirectDraw::GetDisplayMode(DDSURFACEDESC2* description)
{
    if (!description)
        return DDERR_INVALIDPARAMS;
    *description = m_display->Mode();
    return DD_OK;
}

HRESULT GLDirectDraw::RestoreAllSurfaces() { return m_display->RestoreAll(); }

HRESULT GLDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) { return m_display->Bind(window, flags); }

HRESULT GLDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD)
{
    return m_display->SetMode(width, height, bitsPerPixel, refreshRate);
}

HRESULT GLDirectDraw::TestCooperativeLevel() { return m_display->TestCooperativeLevel(); }

HRESULT GLDirectDraw::WaitForVerticalBlank(DWORD flags, void*)
{
    if (flags != DDWAITVB_BLOCKBEGIN)
        return DDERR_UNSUPPORTED;
    m_display->RequestVerticalSync();
    return DD_OK;
}
}
