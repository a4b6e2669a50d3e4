// The single OpenGL adapter.
#include "platform/d3d7/GLDriver.h"

#include "platform/d3d7/GLDirectDraw.h"

#include <new>

namespace Platform
{
HRESULT GLDriver::EnumerateAdapters(LPDDENUMCALLBACKEXA callback, void* context, DWORD)
{
    char description[] = "OpenGL display adapter";
    char driverName[] = "display";
    callback(nullptr, description, driverName, context, nullptr);
    return DD_OK;
}

HRESULT GLDriver::CreateDirectDraw(GUID* adapter, IDirectDraw7** directDraw)
{
    if (adapter)
        return DDERR_INVALIDDIRECTDRAWGUID;
    try
    {
        *directDraw = new GLDirectDraw();
    }
    catch (const std::bad_alloc&)
    {
        return DDERR_OUTOFMEMORY;
    }
    return DD_OK;
}
}
