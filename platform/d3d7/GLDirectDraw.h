// The DirectDraw object of the OpenGL adapter: window binding, display modes, surfaces and the Direct3D object.
#pragma once

#include "platform/d3d7/ComObject.h"

#include <memory>

namespace Platform
{
class GLDisplay;

class GLDirectDraw : public ComObject<IDirectDraw7>
{
public:
    GLDirectDraw();

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

    const std::shared_ptr<GLDisplay>& Display() const { return m_display; }

protected:
    ~GLDirectDraw() override;

private:
    HRESULT CreatePrimary(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface);
    HRESULT CreateDepthBuffer(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface);
    HRESULT CreateRenderTarget(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface);
    HRESULT CreatePlain(const DDSURFACEDESC2& description, IDirectDrawSurface7** surface);
    // The description with the display mode's colour format filled in when it names none.
    DDSURFACEDESC2 WithColourFormat(const DDSURFACEDESC2& description) const;

    std::shared_ptr<GLDisplay> m_display;
};
}
