// The fake clipper.
#include "tests/support/D3D7FakeClipper.h"

#include "tests/support/D3D7FakeDriver.h"

namespace KorvaneTest
{
D3D7FakeClipper::D3D7FakeClipper(D3D7FakeDriver& driver) : m_driver(driver) { ++m_driver.liveObjects; }

D3D7FakeClipper::~D3D7FakeClipper() { --m_driver.liveObjects; }

HRESULT D3D7FakeClipper::SetHWnd(DWORD, HWND window)
{
    D3D7Call call;
    call.name = "SetHWnd";
    call.pointer = window;
    m_driver.Record(call);
    return DD_OK;
}
}
