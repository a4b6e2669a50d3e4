// The OpenGL driver: one adapter, the primary display, whose DirectDraw objects draw through the shared context.
#pragma once

#include "platform/d3d7/DirectDrawDriver.h"

namespace Platform
{
class GLDriver : public DirectDrawDriver
{
public:
    HRESULT EnumerateAdapters(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags) override;
    HRESULT CreateDirectDraw(GUID* adapter, IDirectDraw7** directDraw) override;
};
}
