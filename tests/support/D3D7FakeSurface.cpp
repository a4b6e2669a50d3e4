// The fake surface's behaviour.
#include "tests/support/D3D7FakeSurface.h"

#include "tests/support/D3D7FakeDriver.h"

#include <algorithm>

namespace KorvaneTest
{
D3D7FakeSurface::D3D7FakeSurface(D3D7FakeDriver& driver, const DDSURFACEDESC2& description, const std::string& kind)
    : m_driver(driver), m_description(description), m_kind(kind)
{
    ++m_driver.liveObjects;
    const DWORD bytes = m_description.ddpfPixelFormat.dwRGBBitCount / 8;
    m_description.lPitch = static_cast<LONG>(m_description.dwWidth * bytes);
    if (kind == "back buffer" || kind == "plain")
        m_pixels.assign(static_cast<size_t>(m_description.lPitch) * m_description.dwHeight, 0);
}

D3D7FakeSurface::~D3D7FakeSurface()
{
    for (D3D7FakeSurface* attached : m_attached)
        attached->Release();
    if (m_clipper)
        m_clipper->Release();
    if (m_driver.renderTarget == this)
        m_driver.renderTarget = nullptr;
    --m_driver.liveObjects;
}

HRESULT D3D7FakeSurface::AddAttachedSurface(IDirectDrawSurface7* surface)
{
    m_driver.Record("AddAttachedSurface");
    const HRESULT outcome = m_driver.Outcome("AddAttachedSurface");
    if (FAILED(outcome))
        return outcome;
    auto* attached = static_cast<D3D7FakeSurface*>(surface);
    attached->AddRef();
    m_attached.push_back(attached);
    return DD_OK;
}

HRESULT D3D7FakeSurface::Blt(RECT* destination, IDirectDrawSurface7* source, RECT*, DWORD flags, void*)
{
    D3D7Call call;
    call.name = "Blt";
    call.first = flags;
    if (destination)
    {
        call.second = static_cast<DWORD>(destination->right - destination->left);
        call.third = static_cast<DWORD>(destination->bottom - destination->top);
    }
    call.pointer = source;
    m_driver.Record(call);
    const HRESULT outcome = m_driver.Outcome("Blt");
    if (FAILED(outcome))
        return outcome;
    auto* from = static_cast<D3D7FakeSurface*>(source);
    if (!m_pixels.empty() && from && from->m_pixels.size() == m_pixels.size())
        m_pixels = from->m_pixels;
    return DD_OK;
}

HRESULT D3D7FakeSurface::Flip(IDirectDrawSurface7*, DWORD flags)
{
    m_driver.Record("Flip", flags);
    return m_driver.Outcome("Flip");
}

HRESULT D3D7FakeSurface::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface)
{
    m_driver.Record("GetAttachedSurface", caps->dwCaps);
    const HRESULT outcome = m_driver.Outcome("GetAttachedSurface");
    if (FAILED(outcome))
        return outcome;
    for (D3D7FakeSurface* attached : m_attached)
        if ((attached->m_description.ddsCaps.dwCaps & caps->dwCaps) == caps->dwCaps)
        {
            attached->AddRef();
            *surface = attached;
            return DD_OK;
        }
    return DDERR_NOTFOUND;
}

HRESULT D3D7FakeSurface::GetSurfaceDesc(DDSURFACEDESC2* description)
{
    *description = m_description;
    return DD_OK;
}

HRESULT D3D7FakeSurface::IsLost() { return DD_OK; }

HRESULT D3D7FakeSurface::Lock(RECT*, DDSURFACEDESC2* description, DWORD flags, void*)
{
    m_driver.Record("Lock", flags);
    const HRESULT outcome = m_driver.Outcome("Lock");
    if (FAILED(outcome))
        return outcome;
    *description = m_description;
    description->lpSurface = m_pixels.data();
    m_locked = true;
    return DD_OK;
}

HRESULT D3D7FakeSurface::Restore() { return DD_OK; }

HRESULT D3D7FakeSurface::SetClipper(IDirectDrawClipper* clipper)
{
    m_driver.Record("SetClipper");
    clipper->AddRef();
    if (m_clipper)
        m_clipper->Release();
    m_clipper = clipper;
    return DD_OK;
}

HRESULT D3D7FakeSurface::Unlock(RECT*)
{
    m_driver.Record("Unlock");
    m_locked = false;
    return DD_OK;
}
}
