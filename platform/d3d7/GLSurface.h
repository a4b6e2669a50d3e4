// A DirectDraw surface of the OpenGL layer. The base is a plain surface in system memory; the primary surface,
// the render target and the depth buffer refine it, and texture surfaces add their own kind the same way.
// Pixels live in CPU memory, top row first, so locking and copying never need GL off the main thread.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/GLContext.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Platform
{
class GLDisplay;

class GLSurface : public ComObject<IDirectDrawSurface7>
{
public:
    GLSurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description);

    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* description) override;
    HRESULT IsLost() override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* description, DWORD flags, void* event) override;
    HRESULT Restore() override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT Unlock(RECT* rect) override;

    const DDSURFACEDESC2& Description() const { return m_description; }
    DWORD Width() const { return m_description.dwWidth; }
    DWORD Height() const { return m_description.dwHeight; }
    DWORD BitsPerPixel() const { return m_description.ddpfPixelFormat.dwRGBBitCount; }
    void MarkLost(bool lost) { m_lost = lost; }
    bool Lost() const { return m_lost; }
    // The first attached surface whose capabilities include every bit asked for, or null.
    GLSurface* FindAttached(DWORD caps) const;

    // The GL texture to sample when the surface is set on a texture stage; 0 for surfaces that are no texture.
    // Called on the main thread with the context current, so a texture may upload itself here.
    virtual GLuint TextureName() { return 0; }

    // The surfaces of every kind alive in the process, for checks that nothing piles up.
    static std::uint32_t LiveCount() { return s_live.load(); }

protected:
    ~GLSurface() override;

    GLDisplay& Display() const { return *m_display; }
    const std::shared_ptr<GLDisplay>& SharedDisplay() const { return m_display; }
    // Surfaces without memory of their own (primary, depth buffer) refuse locks and copies.
    virtual bool HasPixels() const { return true; }
    // Brings the CPU pixels up to date before they are read (the render target reads GL back here).
    virtual HRESULT RefreshPixels() { return DD_OK; }
    virtual void OnAttached(GLSurface&) {}
    std::vector<BYTE>& Pixels();
    DWORD Pitch() const { return static_cast<DWORD>(m_description.lPitch); }

private:
    HRESULT CopyFrom(GLSurface& source);

    std::shared_ptr<GLDisplay> m_display;
    DDSURFACEDESC2 m_description;
    std::vector<BYTE> m_pixels;
    std::vector<GLSurface*> m_attached;
    IDirectDrawClipper* m_clipper = nullptr;
    std::atomic<bool> m_lost{false};
    bool m_locked = false;

    // Surfaces are made and released on the loading threads as well.
    static std::atomic<std::uint32_t> s_live;
};
}
