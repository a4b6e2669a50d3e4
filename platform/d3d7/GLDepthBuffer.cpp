// Depth buffer formats and their GL renderbuffers.
#include "platform/d3d7/GLDepthBuffer.h"

#include <iterator>

namespace Platform
{
namespace
{
DDPIXELFORMAT DepthFormat(DWORD totalBits, DWORD stencilBits)
{
    DDPIXELFORMAT format;
    format.dwFlags = DDPF_ZBUFFER | (stencilBits ? DDPF_STENCILBUFFER : 0);
    format.dwZBufferBitDepth = totalBits;
    format.dwStencilBitDepth = stencilBits;
    format.dwZBitMask = totalBits == 16 ? 0xFFFFu : 0xFFFFFF00u;
    format.dwStencilBitMask = stencilBits ? 0xFFu : 0;
    return format;
}

const DDPIXELFORMAT kDepthFormats[] = {DepthFormat(16, 0), DepthFormat(32, 0), DepthFormat(32, 8)};

GLenum InternalFormat(const DDPIXELFORMAT& format)
{
    if (format.dwStencilBitDepth > 0)
        return GL_DEPTH24_STENCIL8;
    return format.dwZBufferBitDepth == 16 ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24;
}
}

GLDepthBuffer::GLDepthBuffer(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description)
    : GLSurface(std::move(display), description)
{
}

GLDepthBuffer::~GLDepthBuffer() { GLContext::DeleteLater(GLObjectKind::Renderbuffer, m_renderbuffer, m_serial); }

const DDPIXELFORMAT* GLDepthBuffer::Formats(DWORD& count)
{
    count = static_cast<DWORD>(std::size(kDepthFormats));
    return kDepthFormats;
}

bool GLDepthBuffer::IsSupported(const DDPIXELFORMAT& format)
{
    if ((format.dwFlags & DDPF_ZBUFFER) == 0)
        return false;
    for (const DDPIXELFORMAT& offered : kDepthFormats)
        if (offered.dwZBufferBitDepth == format.dwZBufferBitDepth &&
            offered.dwStencilBitDepth == format.dwStencilBitDepth)
            return true;
    return false;
}

GLuint GLDepthBuffer::Renderbuffer()
{
    if (m_renderbuffer != 0 && m_serial == GLContext::Serial())
        return m_renderbuffer;
    const GLFunctions& gl = GLContext::Functions();
    m_serial = GLContext::Serial();
    gl.GenRenderbuffers(1, &m_renderbuffer);
    GLContext::NoteCreated(GLObjectKind::Renderbuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, m_renderbuffer);
    gl.RenderbufferStorage(GL_RENDERBUFFER, InternalFormat(Description().ddpfPixelFormat),
                           static_cast<GLsizei>(Width()), static_cast<GLsizei>(Height()));
    return m_renderbuffer;
}
}
