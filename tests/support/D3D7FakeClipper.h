// A fake clipper that records its window.
#pragma once

#include "platform/d3d7/ComObject.h"

namespace KorvaneTest
{
class D3D7FakeDriver;

class D3D7FakeClipper : public Platform::ComObject<IDirectDrawClipper>
{
public:
    explicit D3D7FakeClipper(D3D7FakeDriver& driver);

    HRESULT SetHWnd(DWORD flags, HWND window) override;

protected:
    ~D3D7FakeClipper() override;

private:
    D3D7FakeDriver& m_driver;
};
}
