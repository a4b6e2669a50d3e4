// A fake Direct3D vertex buffer: its vertices in memory, its locks recorded by the driver that made it.
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"

#include <vector>

namespace KorvaneTest
{
class D3D7FakeDriver;

class D3D7FakeVertexBuffer : public Platform::ComObject<IDirect3DVertexBuffer7>
{
public:
    D3D7FakeVertexBuffer(D3D7FakeDriver& driver, const D3DVERTEXBUFFERDESC& description, DWORD stride);

    HRESULT Lock(DWORD flags, void** vertices, DWORD* size) override;
    HRESULT Unlock() override;

    const D3DVERTEXBUFFERDESC& Description() const { return m_description; }
    const std::vector<BYTE>& Vertices() const { return m_vertices; }

protected:
    ~D3D7FakeVertexBuffer() override = default;

private:
    D3D7FakeDriver& m_driver;
    D3DVERTEXBUFFERDESC m_description;
    std::vector<BYTE> m_vertices;
};
}
