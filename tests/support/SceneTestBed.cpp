// The scene services' test bed on the scripted driver.
#include "tests/support/SceneTestBed.h"

namespace KorvaneTest
{
SceneTestBed::SceneTestBed()
{
    m_driver.adapters = {D3D7FakeDriver::StandardAdapter()};
    m_backend.desktop = RECT{0, 0, 1280, 1024};
    m_bed = std::make_unique<RenderTestBed>();
    m_bed->Start();
    m_driver.ClearCalls();
}

D3DMATRIX SceneTestBed::LastTransform(DWORD state) const
{
    D3DMATRIX last;
    for (const D3D7Call& call : m_driver.Named("SetTransform"))
        if (call.first == state)
            last = call.matrix;
    return last;
}

int SceneTestBed::TransformCount(DWORD state) const
{
    return m_driver.Count("SetTransform", state);
}
}
