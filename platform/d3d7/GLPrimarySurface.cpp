// Presentation: the render target's frame scaled onto the window.
#include "platform/d3d7/GLPrimarySurface.h"

#include "platform/d3d7/GLBackBuffer.h"
#include "platform/d3d7/GLDisplay.h"
#include "platform/win32/PlatformWindow.h"

namespace Platform
{
GLPrimarySurface::GLPrimarySurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description)
    : GLSurface(std::move(display), description)
{
}

HRESULT GLPrimarySurface::Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD, void*)
{
    auto* frame = dynamic_cast<GLBackBuffer*>(source);
    if (!frame || sourceRect)
        return frame ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
    if (Lost() || frame->Lost())
        return DDERR_SURFACELOST;
    const bool waitForVerticalBlank = Display().TakeVerticalSyncRequest();
    RECT screen;
    if (!destination || !GetWindowRect(Display().Window(), &screen))
        return frame->PresentTo(Display().Window()->sdl, nullptr, waitForVerticalBlank);
    const RECT client{destination->left - screen.left, destination->top - screen.top,
                      destination->right - screen.left, destination->bottom - screen.top};
    return frame->PresentTo(Display().Window()->sdl, &client, waitForVerticalBlank);
}

HRESULT GLPrimarySurface::Flip(IDirectDrawSurface7* target, DWORD flags)
{
    auto* frame = dynamic_cast<GLBackBuffer*>(target ? target : FindAttached(DDSCAPS_BACKBUFFER));
    if (!frame)
        return DDERR_NOTFLIPPABLE;
    if (Lost() || frame->Lost())
        return DDERR_SURFACELOST;
    return frame->PresentTo(Display().Window()->sdl, nullptr, (flags & DDFLIP_NOVSYNC) == 0);
}
}
