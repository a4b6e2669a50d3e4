// A fake Direct3D object: the adapter's scripted devices and depth formats, and device creation.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"

namespace KorvaneTest
{
class D3D7FakeDriver;
struct D3D7FakeAdapterDescription;
struct D3D7FakeDeviceDescription;

class D3D7FakeDirect3D : public Platform::ComObject<IDirect3D7>
{
public:
    D3D7FakeDirect3D(D3D7FakeDriver& driver, D3D7FakeAdapterDescription& adapter, IDirectDraw7* owner);

    HRESULT CreateDevice(REFCLSID device, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** created) override;
    HRESULT CreateVertexBuffer(D3DVERTEXBUFFERDESC* description, IDirect3DVertexBuffer7** created, DWORD flags) override;
    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) override;
    HRESULT EnumZBufferFormats(REFCLSID device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;

    static D3DDEVICEDESC7 Describe(const D3D7FakeDeviceDescription& device);

protected:
    ~D3D7FakeDirect3D() override;

private:
    const D3D7FakeDeviceDescription* Find(const GUID& device) const;

    D3D7FakeDriver& m_driver;
    D3D7FakeAdapterDescription& m_adapter;
    IDirectDraw7* m_owner;
};
}
