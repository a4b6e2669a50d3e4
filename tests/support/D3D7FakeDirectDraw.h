// A fake DirectDraw object of one scripted adapter.
#pragma once

#include "platform/d3d7/ComObject.h"

namespace KorvaneTest
{
class D3D7FakeDriver;
struct D3D7FakeAdapterDescription;

class D3D7FakeDirectDraw : public Platform::ComObject<IDirectDraw7>
{
public:
    D3D7FakeDirectDraw(D3D7FakeDriver& driver, D3D7FakeAdapterDescription& adapter);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override;
    HRESULT CreateSurface(DDSURFACEDESC2* description, IDirectDrawSurface7** surface, IUnknown* outer) override;
    HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context,
                             LPDDENUMMODESCALLBACK2 callback) override;
    HRESULT GetCaps(DDCAPS* hardware, DDCAPS* emulation) override;
    HRESULT GetDisplayMode(DDSURFACEDESC2* description) override;
    HRESULT RestoreAllSurfaces() override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) override;
    HRESULT TestCooperativeLevel() override;
    HRESULT WaitForVerticalBlank(DWORD flags, void* event) override;

protected:
    ~D3D7FakeDirectDraw() override;

private:
    D3D7FakeDriver& m_driver;
    D3D7FakeAdapterDescription& m_adapter;
};
}
