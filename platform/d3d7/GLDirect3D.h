// The Direct3D object of the OpenGL adapter: two devices (hardware rasterisation, and hardware transform and
// lighting), the depth formats, and device creation on a render target.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"

namespace Platform
{
class GLDirectDraw;

class GLDirect3D : public ComObject<IDirect3D7>
{
public:
    explicit GLDirect3D(GLDirectDraw* directDraw);

    HRESULT CreateDevice(REFCLSID device, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** created) override;
    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) override;
    HRESULT EnumZBufferFormats(REFCLSID device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;
    HRESULT CreateVertexBuffer(D3DVERTEXBUFFERDESC* description, IDirect3DVertexBuffer7** created, DWORD flags) override;

    // What a device of the given kind reports: the capabilities of the GL context.
    static D3DDEVICEDESC7 Describe(const GUID& device);

protected:
    ~GLDirect3D() override;

private:
    GLDirectDraw* m_directDraw;
};
}
