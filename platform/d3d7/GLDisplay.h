// What a DirectDraw object and everything made from it share: the window it is bound to, exclusive mode,
// the display mode, and the surfaces that are lost together when the display is taken away.
#pragma once

#include "platform/d3d7/DDraw.h"

#include <SDL2/SDL.h>

#include <mutex>
#include <vector>

namespace Platform
{
class GLSurface;

class GLDisplay
{
public:
    GLDisplay();
    ~GLDisplay();

    GLDisplay(const GLDisplay&) = delete;
    GLDisplay& operator=(const GLDisplay&) = delete;

    HRESULT Bind(HWND window, DWORD cooperativeFlags);
    bool IsBound() const { return m_native != nullptr; }
    bool IsExclusive() const { return m_exclusive; }
    HWND Window() const { return m_window; }
    // Makes the shared GL context current on the bound window; false when there is none to draw to.
    bool MakeCurrent();

    // The display mode in force: the one set in exclusive mode, else the desktop's.
    DDSURFACEDESC2 Mode() const;
    HRESULT SetMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate);

    void Register(GLSurface* surface);
    void Unregister(GLSurface* surface);

    // DD_OK, or why the surfaces are lost: the exclusive window was minimised (DDERR_NOEXCLUSIVEMODE) or the
    // desktop changed mode under a windowed program (DDERR_WRONGMODE, for good).
    HRESULT TestCooperativeLevel();
    HRESULT RestoreAll();
    HRESULT Restore(GLSurface& surface);

    // One render target at a time may draw straight into the window's own framebuffer: true when the surface
    // holds that right (already or from now on).
    bool ClaimWindowFramebuffer(const GLSurface* surface);
    void ReleaseWindowFramebuffer(const GLSurface* surface);

    void RequestVerticalSync() { m_waitForVerticalBlank = true; }
    bool TakeVerticalSyncRequest();

private:
    HRESULT LossCause();
    void MarkAllLost();

    HWND m_window = nullptr;
    SDL_Window* m_native = nullptr;
    bool m_attached = false;
    bool m_exclusive = false;
    bool m_modeSet = false;
    bool m_wrongMode = false;
    bool m_waitForVerticalBlank = false;
    DDSURFACEDESC2 m_mode;
    DDSURFACEDESC2 m_desktopAtBind;
    const GLSurface* m_windowFramebufferOwner = nullptr;
    std::mutex m_surfacesMutex;
    std::vector<GLSurface*> m_surfaces;
};
}
