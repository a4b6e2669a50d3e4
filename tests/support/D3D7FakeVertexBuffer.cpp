// Locks of the fake vertex buffer: recorded, scriptable, over its memory.
#include "tests/support/D3D7FakeVertexBuffer.h"

#include "tests/support/D3D7FakeDriver.h"

namespace KorvaneTest
{
D3D7FakeVertexBuffer::D3D7FakeVertexBuffer(D3D7FakeDriver& driver, const D3DVERTEXBUFFERDESC& description,
                                           DWORD stride)
    : m_driver(driver), m_description(description),
      m_vertices(static_cast<size_t>(stride) * description.dwNumVertices, 0)
{
}

HRESULT D3D7FakeVertexBuffer::Lock(DWORD flags, void** vertices, DWORD* size)
{
    m_driver.Record("LockVertexBuffer", flags, m_description.dwNumVertices);
    const HRESULT outcome = m_driver.Outcome("LockVertexBuffer");
    if (FAILED(outcome))
        return outcome;
    *vertices = m_vertices.data();
    if (size)
        *size = static_cast<DWORD>(m_vertices.size());
    return DD_OK;
}

HRESULT D3D7FakeVertexBuffer::Unlock()
{
    m_driver.Record("UnlockVertexBuffer");
    return m_driver.Outcome("UnlockVertexBuffer");
}
}
