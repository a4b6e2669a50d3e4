// Window binding, display mode and surface loss shared by a DirectDraw object and its surfaces and device.
#include "platform/d3d7/GLDisplay.h"

#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLDisplayModes.h"
#include "platform/d3d7/GLSurface.h"
#include "platform/win32/PlatformWindow.h"

#include <algorithm>

namespace Platform
{
GLDisplay::GLDisplay() : m_mode(GLDisplayModes::Desktop()), m_desktopAtBind(m_mode) {}

GLDisplay::~GLDisplay()
{
    if (m_attached)
        GLContext::Detach();
}

HRESULT GLDisplay::Bind(HWND window, DWORD cooperativeFlags)
{
    const bool exclusive = (cooperativeFlags & (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) != 0;
    const bool normal = (cooperativeFlags & DDSCL_NORMAL) != 0;
    if (exclusive == normal)
        return DDERR_INVALIDPARAMS;
    if (exclusive && (cooperativeFlags & (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) != (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN))
        return DDERR_INVALIDPARAMS;
    if (!window || !window->sdl)
        return DDERR_NOHWND;
    if (m_attached && window->sdl != m_native)
        return DDERR_HWNDALREADYSET;
    if (!m_attached)
    {
        if (!GLContext::Attach(window->sdl))
            return DDERR_GENERIC;
        m_attached = true;
        m_desktopAtBind = GLDisplayModes::Desktop();
    }
    m_window = window;
    m_native = window->sdl;
    m_exclusive = exclusive;
    // Leaving exclusive mode gives the desktop its own mode back.
    if (!exclusive)
        m_modeSet = false;
    return DD_OK;
}

bool GLDisplay::MakeCurrent()
{
    if (!m_native || !GLContext::MakeCurrent(m_native))
        return false;
    GLContext::FlushDeletions();
    return true;
}

DDSURFACEDESC2 GLDisplay::Mode() const
{
    if (m_modeSet)
        return m_mode;
    return GLDisplayModes::Desktop();
}

HRESULT GLDisplay::SetMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate)
{
    if (!m_exclusive)
        return DDERR_NOEXCLUSIVEMODE;
    for (const DDSURFACEDESC2& mode : GLDisplayModes::List())
        if (mode.dwWidth == width && mode.dwHeight == height && mode.ddpfPixelFormat.dwRGBBitCount == bitsPerPixel)
        {
            m_mode = mode;
            if (refreshRate != 0)
                m_mode.dwRefreshRate = refreshRate;
            m_modeSet = true;
            return DD_OK;
        }
    return DDERR_INVALIDMODE;
}

void GLDisplay::Register(GLSurface* surface)
{
    std::lock_guard lock(m_surfacesMutex);
    m_surfaces.push_back(surface);
}

void GLDisplay::Unregister(GLSurface* surface)
{
    std::lock_guard lock(m_surfacesMutex);
    std::erase(m_surfaces, surface);
}

HRESULT GLDisplay::LossCause()
{
    if (!m_native || m_wrongMode)
        return m_wrongMode ? DDERR_WRONGMODE : DD_OK;
    if (!m_exclusive)
    {
        const DDSURFACEDESC2 desktop = GLDisplayModes::Desktop();
        m_wrongMode = desktop.dwWidth != m_desktopAtBind.dwWidth || desktop.dwHeight != m_desktopAtBind.dwHeight;
        return m_wrongMode ? DDERR_WRONGMODE : DD_OK;
    }
    if ((SDL_GetWindowFlags(m_native) & SDL_WINDOW_MINIMIZED) != 0)
        return DDERR_NOEXCLUSIVEMODE;
    return DD_OK;
}

void GLDisplay::MarkAllLost()
{
    std::lock_guard lock(m_surfacesMutex);
    for (GLSurface* surface : m_surfaces)
        surface->MarkLost(true);
}

HRESULT GLDisplay::TestCooperativeLevel()
{
    const HRESULT cause = LossCause();
    if (FAILED(cause))
        MarkAllLost();
    return cause;
}

HRESULT GLDisplay::RestoreAll()
{
    const HRESULT cause = LossCause();
    if (FAILED(cause))
        return cause;
    std::lock_guard lock(m_surfacesMutex);
    for (GLSurface* surface : m_surfaces)
        surface->MarkLost(false);
    return DD_OK;
}

HRESULT GLDisplay::Restore(GLSurface& surface)
{
    const HRESULT cause = LossCause();
    if (FAILED(cause))
        return cause;
    surface.MarkLost(false);
    return DD_OK;
}

bool GLDisplay::ClaimWindowFramebuffer(const GLSurface* surface)
{
    if (m_windowFramebufferOwner && m_windowFramebufferOwner != surface)
        return false;
    m_windowFramebufferOwner = surface;
    return true;
}

void GLDisplay::ReleaseWindowFramebuffer(const GLSurface* surface)
{
    if (m_windowFramebufferOwner == surface)
        m_windowFramebufferOwner = nullptr;
}

bool GLDisplay::TakeVerticalSyncRequest()
{
    const bool requested = m_waitForVerticalBlank;
    m_waitForVerticalBlank = false;
    return requested;
}
}
