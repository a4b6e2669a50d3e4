// A Direct3D 7 vertex buffer as a GL buffer object. Locks hand out a copy kept in memory; the first draw after
// a lock sends the vertices to the buffer object, so an unchanged buffer costs the driver nothing at its draws.
// The copy also lets the buffer object be made again whenever the GL context is new (a reset of the display).
#pragma once

#include "platform/d3d7/ComObject.h"
#include "platform/d3d7/D3D.h"
#include "platform/d3d7/GLContext.h"

#include <cstdint>
#include <vector>

namespace Platform
{
// Where each part of a vertex of a flexible vertex format lies; a part the format lacks is at -1.
struct GLVertexLayout
{
    GLsizei stride = 0;
    int normal = -1;
    int diffuse = -1;
    int textureCoordinates = -1;
    DWORD textureSets = 0;

    // False for a format the device cannot draw: positions other than untransformed XYZ, too many sets.
    static bool Of(DWORD vertexFormat, GLVertexLayout& layout);
};

class GLVertexBuffer : public ComObject<IDirect3DVertexBuffer7>
{
public:
    GLVertexBuffer(DWORD vertexFormat, const GLVertexLayout& layout, DWORD vertexCount);

    HRESULT Lock(DWORD flags, void** vertices, DWORD* size) override;
    HRESULT Unlock() override;

    DWORD VertexFormat() const { return m_format; }
    const GLVertexLayout& Layout() const { return m_layout; }
    DWORD VertexCount() const { return m_vertexCount; }
    bool IsLocked() const { return m_locked; }
    // Main thread, context current: binds the buffer object as the array buffer, after bringing it up to date.
    void BindForDrawing();

protected:
    ~GLVertexBuffer() override;

private:
    DWORD m_format;
    GLVertexLayout m_layout;
    DWORD m_vertexCount;
    std::vector<BYTE> m_vertices;
    GLuint m_buffer = 0;
    std::uint64_t m_serial = 0;
    bool m_locked = false;
    // Written since the buffer object last received the vertices.
    bool m_changed = true;
};
}
