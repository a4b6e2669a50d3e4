// Where DirectDrawEnumerateExA and DirectDrawCreateEx lead: the OpenGL driver by default, or a test's twin.
#pragma once

#include "platform/d3d7/DDraw.h"

namespace Platform
{
class DirectDrawDriver
{
public:
    virtual ~DirectDrawDriver() = default;

    virtual HRESULT EnumerateAdapters(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags) = 0;
    // The adapter is one of the GUIDs handed out by EnumerateAdapters, or null for the primary display driver.
    virtual HRESULT CreateDirectDraw(GUID* adapter, IDirectDraw7** directDraw) = 0;
};

// Installs a driver for the calls that follow; null goes back to OpenGL.
void SetDirectDrawDriver(DirectDrawDriver* driver);
}
