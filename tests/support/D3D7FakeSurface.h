// A fake surface: its description, CPU pixels for colour surfaces, attachments, a clipper, loss, and a record
// of every copy, flip and lock.
#pragma once

#include "platform/d3d7/ComObject.h"

#include <string>
#include <vector>

namespace KorvaneTest
{
class D3D7FakeDriver;

class D3D7FakeSurface : public Platform::ComObject<IDirectDrawSurface7>
{
public:
    // The kind names the surface in the call record: "primary", "back buffer", "depth" or "plain".
    D3D7FakeSurface(D3D7FakeDriver& driver, const DDSURFACEDESC2& description, const std::string& kind);

    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* description) override;
    HRESULT IsLost() override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* description, DWORD flags, void* event) override;
    HRESULT Restore() override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT Unlock(RECT* rect) override;

    const std::string& Kind() const { return m_kind; }
    std::vector<BYTE>& Pixels() { return m_pixels; }
    bool Locked() const { return m_locked; }

protected:
    ~D3D7FakeSurface() override;

private:
    D3D7FakeDriver& m_driver;
    DDSURFACEDESC2 m_description;
    std::string m_kind;
    std::vector<BYTE> m_pixels;
    std::vector<D3D7FakeSurface*> m_attached;
    IDirectDrawClipper* m_clipper = nullptr;
    bool m_locked = false;
};
}
