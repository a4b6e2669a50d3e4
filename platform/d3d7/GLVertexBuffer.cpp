// Vertex layouts of flexible vertex formats, and vertex buffers kept in GL buffer objects.
#include "platform/d3d7/GLVertexBuffer.h"

namespace Platform
{
bool GLVertexLayout::Of(DWORD vertexFormat, GLVertexLayout& layout)
{
    if ((vertexFormat & D3DFVF_POSITION_MASK) != D3DFVF_XYZ)
        return false;
    int offset = 12;
    if (vertexFormat & D3DFVF_NORMAL)
    {
        layout.normal = offset;
        offset += 12;
    }
    if (vertexFormat & D3DFVF_DIFFUSE)
    {
        layout.diffuse = offset;
        offset += 4;
    }
    if (vertexFormat & D3DFVF_SPECULAR)
        offset += 4;
    layout.textureSets = (vertexFormat & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (layout.textureSets > D3DMAXTEXTURESTAGES)
        return false;
    layout.textureCoordinates = offset;
    offset += static_cast<int>(layout.textureSets) * 8;
    layout.stride = offset;
    return true;
}

GLVertexBuffer::GLVertexBuffer(DWORD vertexFormat, const GLVertexLayout& layout, DWORD vertexCount)
    : m_format(vertexFormat), m_layout(layout), m_vertexCount(vertexCount),
      m_vertices(static_cast<size_t>(layout.stride) * vertexCount, 0)
{
}

GLVertexBuffer::~GLVertexBuffer() { GLContext::DeleteLater(GLObjectKind::Buffer, m_buffer, m_serial); }

HRESULT GLVertexBuffer::Lock(DWORD, void** vertices, DWORD* size)
{
    if (!vertices)
        return DDERR_INVALIDPARAMS;
    if (m_locked)
        return DDERR_SURFACEBUSY;
    m_locked = true;
    m_changed = true;
    *vertices = m_vertices.data();
    if (size)
        *size = static_cast<DWORD>(m_vertices.size());
    return DD_OK;
}

HRESULT GLVertexBuffer::Unlock()
{
    if (!m_locked)
        return DDERR_NOTLOCKED;
    m_locked = false;
    return DD_OK;
}

// A buffer object of a context that is gone went with it: a new one is made and filled from the copy. Later
// changes are written into the store the buffer object already has.
void GLVertexBuffer::BindForDrawing()
{
    const GLFunctions& gl = GLContext::Functions();
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(m_vertices.size());
    if (m_buffer != 0 && m_serial == GLContext::Serial())
        gl.BindBuffer(GL_ARRAY_BUFFER, m_buffer);
    if (m_buffer == 0 || m_serial != GLContext::Serial())
    {
        gl.GenBuffers(1, &m_buffer);
        GLContext::NoteCreated(GLObjectKind::Buffer);
        m_serial = GLContext::Serial();
        gl.BindBuffer(GL_ARRAY_BUFFER, m_buffer);
        gl.BufferData(GL_ARRAY_BUFFER, bytes, m_vertices.data(), GL_DYNAMIC_DRAW);
    }
    else if (m_changed)
        gl.BufferSubData(GL_ARRAY_BUFFER, 0, bytes, m_vertices.data());
    m_changed = m_locked; // a buffer still locked may be written again before the next draw
}
}
