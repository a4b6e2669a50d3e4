// The primary surface stands for the window's client area: a copy onto it, or a flip of its chain, shows a
// render target's frame in the window.
#pragma once

#include "platform/d3d7/GLSurface.h"

namespace Platform
{
class GLPrimarySurface : public GLSurface
{
public:
    GLPrimarySurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description);

    // The destination rectangle is in screen coordinates, as the window's client area is.
    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;

protected:
    bool HasPixels() const override { return false; }
};
}
