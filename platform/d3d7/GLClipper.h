// A clipper: the window a primary surface's copies are clipped to. Presentation always fills the window's
// client area, so the clipper only checks that it was given a window.
#pragma once

#include "platform/d3d7/ComObject.h"

namespace Platform
{
class GLClipper : public ComObject<IDirectDrawClipper>
{
public:
    HRESULT SetHWnd(DWORD flags, HWND window) override;
};
}
