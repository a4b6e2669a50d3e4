// Render target framebuffers: building, depth attachment, read-back in the surface's own format, presenting.
#include "platform/d3d7/GLBackBuffer.h"

#include "platform/d3d7/GLDepthBuffer.h"
#include "platform/d3d7/GLDisplay.h"
#include "platform/d3d7/GLFramePacer.h"
#include "platform/win32/LetterboxViewport.h"
#include "platform/win32/PlatformWindow.h"

#include <cstring>

namespace Platform
{
namespace
{
int RefreshRateOf(SDL_Window* window)
{
    SDL_DisplayMode mode{};
    if (SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0)
        return mode.refresh_rate;
    return 0;
}

// A whole-number scale repeats every pixel alike and looks the same unfiltered, which costs a software renderer
// far less; any other scale is smoothed, or some rows and columns would show twice and others once.
GLenum ScalingFilter(LONG fromWidth, LONG fromHeight, const RECT& to)
{
    const LONG toWidth = to.right - to.left, toHeight = to.bottom - to.top;
    const bool wholeScale = fromWidth > 0 && fromHeight > 0 && toWidth % fromWidth == 0 && toHeight % fromHeight == 0;
    return wholeScale ? GL_NEAREST : GL_LINEAR;
}
}

GLBackBuffer::GLBackBuffer(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description)
    : GLSurface(std::move(display), description)
{
}

GLBackBuffer::~GLBackBuffer()
{
    Display().ReleaseWindowFramebuffer(this);
    ForgetFramebuffer();
}

void GLBackBuffer::ForgetFramebuffer()
{
    GLContext::DeleteLater(GLObjectKind::Framebuffer, m_framebuffer, m_serial);
    GLContext::DeleteLater(GLObjectKind::Texture, m_colour, m_serial);
    m_framebuffer = m_colour = 0;
}

GLDepthBuffer* GLBackBuffer::Depth() const { return dynamic_cast<GLDepthBuffer*>(FindAttached(DDSCAPS_ZBUFFER)); }

void GLBackBuffer::OnAttached(GLSurface&) { m_complete = false; }

bool GLBackBuffer::BuildFramebuffer()
{
    const GLFunctions& gl = GLContext::Functions();
    m_serial = GLContext::Serial();
    gl.GenFramebuffers(1, &m_framebuffer);
    glGenTextures(1, &m_colour);
    GLContext::NoteCreated(GLObjectKind::Framebuffer);
    GLContext::NoteCreated(GLObjectKind::Texture);
    // A texture rather than a renderbuffer: a scaled presentation draws it onto the window as one quad.
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, m_colour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, static_cast<GLsizei>(Width()), static_cast<GLsizei>(Height()), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    GLContext::BindDrawFramebuffer(m_framebuffer);
    gl.FramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_colour, 0);
    // A new surface starts black rather than with whatever the renderbuffer's memory held.
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

void GLBackBuffer::AttachDepth()
{
    const GLFunctions& gl = GLContext::Functions();
    GLDepthBuffer* depth = Depth();
    gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
    gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (depth && depth->Width() == Width() && depth->Height() == Height())
    {
        const GLenum attachment = depth->HasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth->Renderbuffer());
    }
}

bool GLBackBuffer::BindForDrawing()
{
    m_pixelsCurrent = false;
    if (!m_frameChosen)
    {
        ChooseFramebuffer();
        m_frameChosen = true;
    }
    if (!m_intoWindow)
        return BindOwnFramebuffer();
    GLContext::BindDrawFramebuffer(0);
    return true;
}

// Our own framebuffer's buffers are an RGB colour buffer and the attached depth buffer: the window's must hold
// the same, or pictures would differ (destination alpha, depth precision).
bool GLBackBuffer::CanDrawIntoWindow() const
{
    const HWND window = Display().Window();
    if (!m_presentsWhole || !window || !window->sdl)
        return false;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window->sdl, &width, &height);
    if (!GLContext::KeepsBoundSize(window->sdl))
        return false;
    const GLDepthBuffer* depth = Depth();
    if (static_cast<DWORD>(width) != Width() || static_cast<DWORD>(height) != Height() || !depth ||
        depth->Width() != Width() || depth->Height() != Height())
        return false;
    const GLWindowFramebuffer own = GLContext::WindowFramebuffer();
    return own.alphaBits == 0 && own.depthBits == depth->GLDepthBits() &&
           own.stencilBits >= (depth->HasStencil() ? 8 : 0);
}

void GLBackBuffer::ChooseFramebuffer()
{
    const bool intoWindow = CanDrawIntoWindow() && Display().ClaimWindowFramebuffer(this);
    if (!intoWindow)
        Display().ReleaseWindowFramebuffer(this);
    if (intoWindow && !m_intoWindow)
        StartWindowFrames();
    m_intoWindow = intoWindow;
}

// A new surface starts black rather than with whatever the window showed.
void GLBackBuffer::StartWindowFrames() { ClearWindow(); }

bool GLBackBuffer::BindOwnFramebuffer()
{
    if (m_framebuffer != 0 && m_serial != GLContext::Serial())
        m_framebuffer = m_colour = 0; // made in a context that is gone, and gone with it
    if (m_framebuffer == 0)
    {
        BuildFramebuffer();
        m_complete = false;
    }
    GLContext::BindDrawFramebuffer(m_framebuffer);
    if (!m_complete)
    {
        AttachDepth();
        m_complete = GLContext::Functions().CheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    return m_complete;
}

// Reads the framebuffer of the last frame drawn, whatever the window does meanwhile.
HRESULT GLBackBuffer::RefreshPixels()
{
    if (m_pixelsCurrent)
        return DD_OK;
    if (!Display().MakeCurrent() || (!m_intoWindow && !BindOwnFramebuffer()))
        return DDERR_GENERIC;
    std::vector<BYTE> bgra(static_cast<size_t>(Width()) * Height() * 4);
    GLContext::BindReadFramebuffer(m_intoWindow ? 0 : m_framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(Width()), static_cast<GLsizei>(Height()), GL_BGRA, GL_UNSIGNED_BYTE,
                 bgra.data());
    StoreReadPixels(bgra);
    m_pixelsCurrent = true;
    return DD_OK;
}

// GL rows run bottom up; the surface's run top down. A 32-bit surface has no alpha: its fourth byte is 0.
void GLBackBuffer::StoreReadPixels(const std::vector<BYTE>& bgra)
{
    std::vector<BYTE>& pixels = Pixels();
    const size_t width = Width();
    for (size_t row = 0; row < Height(); ++row)
    {
        const BYTE* source = bgra.data() + (Height() - 1 - row) * width * 4;
        BYTE* target = pixels.data() + row * Pitch();
        for (size_t x = 0; x < width; ++x, source += 4)
        {
            if (BitsPerPixel() == 16)
            {
                const std::uint16_t packed = static_cast<std::uint16_t>(((source[2] >> 3) << 11) |
                                                                        ((source[1] >> 2) << 5) | (source[0] >> 3));
                std::memcpy(target + x * 2, &packed, 2);
            }
            else
            {
                BYTE* pixel = target + x * 4;
                pixel[0] = source[0];
                pixel[1] = source[1];
                pixel[2] = source[2];
                pixel[3] = 0;
            }
        }
    }
}

// Without a rectangle the frame keeps its shape: it fills a window of its own shape and is letterboxed on any
// other (a full-screen window covers the whole display, whatever the mode).
RECT GLBackBuffer::PresentationTarget(SDL_Window* window, const RECT* clientRect, int drawableWidth,
                                      int drawableHeight) const
{
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    if (clientRect && windowWidth > 0 && windowHeight > 0)
        return RECT{clientRect->left * drawableWidth / windowWidth, clientRect->top * drawableHeight / windowHeight,
                    clientRect->right * drawableWidth / windowWidth,
                    clientRect->bottom * drawableHeight / windowHeight};
    return LetterboxViewport(RECT{0, 0, drawableWidth, drawableHeight}, static_cast<LONG>(Width()),
                             static_cast<LONG>(Height()))
        .Viewport();
}

// A double-buffered window's buffer is undefined after each swap: the bars are painted black every frame.
void GLBackBuffer::ClearWindow()
{
    GLContext::BindDrawFramebuffer(0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// The frame's texture drawn as one quad over the target: the software renderer fills it for somewhat less than a
// scaled framebuffer blit costs (1024 x 768 onto 1440 x 1080, smoothed: some 65 M instructions against 72 M).
// The quad leaves the fixed-function state its own: the device that draws next sends all of its state again.
void GLBackBuffer::DrawScaled(const RECT& target, int drawableHeight)
{
    const GLFunctions& gl = GLContext::Functions();
    GLContext::BindDrawFramebuffer(0);
    GLContext::SetStateOwner(nullptr);
    glViewport(target.left, drawableHeight - target.bottom, target.right - target.left, target.bottom - target.top);
    for (GLint unit = static_cast<GLint>(GLContext::Capabilities().textureUnits) - 1; unit >= 0; --unit)
    {
        gl.ActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        gl.BindSampler(static_cast<GLuint>(unit), 0);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
    }
    for (const GLenum capability : {GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_BLEND, GL_ALPHA_TEST, GL_FOG,
                                    GL_LIGHTING, GL_CULL_FACE, GL_COLOR_SUM, GL_COLOR_MATERIAL})
        glDisable(capability);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_colour);
    const GLint filter = static_cast<GLint>(ScalingFilter(static_cast<LONG>(Width()), static_cast<LONG>(Height()), target));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    // Bound, the frame's texture would be read while it is drawn into.
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
}

HRESULT GLBackBuffer::PresentTo(SDL_Window* window, const RECT* clientRect, bool waitForVerticalBlank)
{
    if (!Display().MakeCurrent() || (!m_intoWindow && !BindOwnFramebuffer()))
        return DDERR_GENERIC;
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    const RECT target = PresentationTarget(window, clientRect, drawableWidth, drawableHeight);
    const bool scaled = target.right - target.left != static_cast<LONG>(Width()) ||
                        target.bottom - target.top != static_cast<LONG>(Height());
    // A frame drawn into the window cannot move: another placement is shown from our own framebuffer from the
    // next frame on.
    m_presentsWhole = !scaled && target.left == 0 && target.top == 0;
    if (!m_intoWindow)
    {
        const bool coversWindow = target.left <= 0 && target.top <= 0 && target.right >= drawableWidth &&
                                  target.bottom >= drawableHeight;
        // The frame is finished before the window is drawn to. A software renderer otherwise bins the window's
        // drawing while the frame is still being drawn, in a second batch of its own that then stays idle,
        // holding on to the window's buffers, once the window is drawn into directly again: a trip to full screen
        // and back kept the full-screen window's whole back buffer. Every such frame waits, not only the first
        // after a size change, nor only when the render target goes: the idle batch keeps what it last drew into,
        // and any frame not waited for makes that the window's present buffers. (The level frame benchmark's peak
        // grew by 6 MB over twelve repetitions with the first frame alone waiting, by 22 MB with the wait made
        // when the render target goes; the wait costs some 3 ms of processor time a scaled frame, of about 40.)
        GLContext::Functions().Finish();
        if (!coversWindow && !clientRect)
            ClearWindow();
        if (scaled)
            DrawScaled(target, drawableHeight);
        else
        {
            GLContext::BindReadFramebuffer(m_framebuffer);
            GLContext::BindDrawFramebuffer(0);
            glDisable(GL_SCISSOR_TEST);
            GLContext::Functions().BlitFramebuffer(0, 0, static_cast<GLint>(Width()), static_cast<GLint>(Height()),
                                                   target.left, drawableHeight - target.bottom, target.right,
                                                   drawableHeight - target.top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
    }
    GLContext::SetSwapInterval(waitForVerticalBlank ? 1 : 0);
    SDL_GL_SwapWindow(window);
    GLContext::EndFrame();
    m_frameChosen = false;
    GLFramePacer::Shared().AfterPresent(waitForVerticalBlank, waitForVerticalBlank ? RefreshRateOf(window) : 0);
    return DD_OK;
}
}
