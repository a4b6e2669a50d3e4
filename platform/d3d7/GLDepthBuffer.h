// A depth (and stencil) buffer: no memory of its own, only a GL renderbuffer the render target attaches.
#pragma once

#include "platform/d3d7/GLSurface.h"

namespace Platform
{
class GLDepthBuffer : public GLSurface
{
public:
    GLDepthBuffer(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description);

    // The formats offered, with their total bit count as the interface reports it (24 bits of depth with
    // 8 unused or 8 stencil bits count as 32): 16, 32 without stencil, 32 with 8 stencil bits.
    static const DDPIXELFORMAT* Formats(DWORD& count);
    static bool IsSupported(const DDPIXELFORMAT& format);

    bool HasStencil() const { return Description().ddpfPixelFormat.dwStencilBitDepth > 0; }
    // The depth bits of the renderbuffer made for the format (the 32-bit formats hold 24).
    int GLDepthBits() const { return Description().ddpfPixelFormat.dwZBufferBitDepth == 16 ? 16 : 24; }
    // Made in the live context on first use; main thread only.
    GLuint Renderbuffer();

protected:
    ~GLDepthBuffer() override;
    bool HasPixels() const override { return false; }

private:
    GLuint m_renderbuffer = 0;
    std::uint64_t m_serial = 0;
};
}
