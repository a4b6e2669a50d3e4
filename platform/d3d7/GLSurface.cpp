// Plain surfaces: attachment, clipper, loss, locking and whole-surface copies between CPU pixel blocks.
#include "platform/d3d7/GLSurface.h"

#include "platform/d3d7/GLDisplay.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Platform
{
namespace
{
bool CoversWholeSurface(const RECT* rect, DWORD width, DWORD height)
{
    return !rect || (rect->left == 0 && rect->top == 0 && rect->right == static_cast<LONG>(width) &&
                     rect->bottom == static_cast<LONG>(height));
}

bool InsideSurface(const RECT& rect, DWORD width, DWORD height)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= static_cast<LONG>(width) && rect.bottom <= static_cast<LONG>(height);
}
}

std::atomic<std::uint32_t> GLSurface::s_live{0};

GLSurface::GLSurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description)
    : m_display(std::move(display)), m_description(description)
{
    ++s_live;
    m_description.dwSize = sizeof(DDSURFACEDESC2);
    m_description.dwFlags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_PITCH;
    m_description.lPitch = static_cast<LONG>(m_description.dwWidth * (BitsPerPixel() / 8));
    m_description.lpSurface = nullptr;
    m_display->Register(this);
}

GLSurface::~GLSurface()
{
    --s_live;
    m_display->Unregister(this);
    for (GLSurface* attached : m_attached)
        attached->Release();
    if (m_clipper)
        m_clipper->Release();
}

std::vector<BYTE>& GLSurface::Pixels()
{
    if (m_pixels.empty())
        m_pixels.assign(static_cast<size_t>(Pitch()) * Height(), 0);
    return m_pixels;
}

HRESULT GLSurface::AddAttachedSurface(IDirectDrawSurface7* surface)
{
    auto* attached = dynamic_cast<GLSurface*>(surface);
    if (!attached)
        return DDERR_INVALIDPARAMS;
    if (attached == this)
        return DDERR_CANNOTATTACHSURFACE;
    if (std::find(m_attached.begin(), m_attached.end(), attached) != m_attached.end())
        return DDERR_SURFACEALREADYATTACHED;
    attached->AddRef();
    m_attached.push_back(attached);
    OnAttached(*attached);
    return DD_OK;
}

GLSurface* GLSurface::FindAttached(DWORD caps) const
{
    for (GLSurface* attached : m_attached)
        if ((attached->m_description.ddsCaps.dwCaps & caps) == caps)
            return attached;
    return nullptr;
}

HRESULT GLSurface::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface)
{
    if (!caps || !surface)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    GLSurface* found = FindAttached(caps->dwCaps);
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    *surface = found;
    return DD_OK;
}

HRESULT GLSurface::GetSurfaceDesc(DDSURFACEDESC2* description)
{
    if (!description)
        return DDERR_INVALIDPARAMS;
    *description = m_description;
    return DD_OK;
}

HRESULT GLSurface::IsLost() { return m_lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT GLSurface::Restore() { return m_display->Restore(*this); }

HRESULT GLSurface::SetClipper(IDirectDrawClipper* clipper)
{
    if (clipper)
        clipper->AddRef();
    if (m_clipper)
        m_clipper->Release();
    m_clipper = clipper;
    return DD_OK;
}

HRESULT GLSurface::Lock(RECT* rect, DDSURFACEDESC2* description, DWORD flags, void*)
{
    if (!description)
        return DDERR_INVALIDPARAMS;
    if (!HasPixels())
        return DDERR_CANTLOCKSURFACE;
    if (m_lost)
        return DDERR_SURFACELOST;
    if (m_locked)
        return DDERR_SURFACEBUSY;
    if (rect && !InsideSurface(*rect, Width(), Height()))
        return DDERR_INVALIDRECT;
    try
    {
        Pixels();
    }
    catch (const std::bad_alloc&)
    {
        return DDERR_OUTOFMEMORY;
    }
    if ((flags & DDLOCK_WRITEONLY) == 0)
    {
        const HRESULT refreshed = RefreshPixels();
        if (FAILED(refreshed))
            return refreshed;
    }
    size_t offset = 0;
    if (rect)
        offset = static_cast<size_t>(rect->top) * Pitch() + static_cast<size_t>(rect->left) * (BitsPerPixel() / 8);
    *description = m_description;
    description->dwFlags |= DDSD_LPSURFACE;
    description->lpSurface = m_pixels.data() + offset;
    m_locked = true;
    return DD_OK;
}

HRESULT GLSurface::Unlock(RECT*)
{
    if (!m_locked)
        return DDERR_NOTLOCKED;
    m_locked = false;
    return DD_OK;
}

HRESULT GLSurface::Flip(IDirectDrawSurface7*, DWORD) { return DDERR_NOTFLIPPABLE; }

HRESULT GLSurface::Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD, void*)
{
    auto* from = dynamic_cast<GLSurface*>(source);
    if (!from)
        return DDERR_INVALIDPARAMS;
    if (!CoversWholeSurface(destination, Width(), Height()) ||
        !CoversWholeSurface(sourceRect, from->Width(), from->Height()))
        return DDERR_UNSUPPORTED;
    if (m_lost || from->m_lost)
        return DDERR_SURFACELOST;
    return CopyFrom(*from);
}

HRESULT GLSurface::CopyFrom(GLSurface& source)
{
    if (!HasPixels() || !source.HasPixels() || source.BitsPerPixel() != BitsPerPixel())
        return DDERR_UNSUPPORTED;
    if (source.Width() != Width() || source.Height() != Height())
        return DDERR_NOSTRETCHHW;
    try
    {
        Pixels();
        source.Pixels();
    }
    catch (const std::bad_alloc&)
    {
        return DDERR_OUTOFMEMORY;
    }
    const HRESULT refreshed = source.RefreshPixels();
    if (FAILED(refreshed))
        return refreshed;
    std::memcpy(m_pixels.data(), source.m_pixels.data(), std::min(m_pixels.size(), source.m_pixels.size()));
    return DD_OK;
}
}
