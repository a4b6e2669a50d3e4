// The surface the device draws into: a GL framebuffer of the surface's size with an RGB colour texture (so the
// destination alpha reads as one, as on a surface without alpha) and the attached depth buffer. Presenting
// scales it onto the window; locking it reads the pixels back, top row first.
// A render target of the window's own size, in a window or full screen, draws straight into the window's
// framebuffer when that one holds the same buffers (no alpha, the same depth): presenting is then only the swap,
// without copying every pixel of every frame. Pixels read back stay valid until the next drawing, so a frame read
// before its swap can still be read after it, when a double-buffered window has made its back buffer undefined.
#pragma once

#include "platform/d3d7/GLSurface.h"

namespace Platform
{
class GLDepthBuffer;

class GLBackBuffer : public GLSurface
{
public:
    GLBackBuffer(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description);

    // Makes the framebuffer (on first use or after the context changed) and binds it for drawing; the first
    // drawing of a frame chooses between the window's framebuffer and our own. Main thread, context current.
    bool BindForDrawing();
    GLDepthBuffer* Depth() const;
    // Copies the frame onto the given part of the window's client area and shows it; without a rectangle the
    // frame keeps its shape, centred between black bars where the window has another shape.
    HRESULT PresentTo(SDL_Window* window, const RECT* clientRect, bool waitForVerticalBlank);

protected:
    ~GLBackBuffer() override;
    HRESULT RefreshPixels() override;
    void OnAttached(GLSurface& surface) override;

private:
    void ChooseFramebuffer();
    bool CanDrawIntoWindow() const;
    bool BindOwnFramebuffer();
    void StartWindowFrames();
    static void ClearWindow();
    void DrawScaled(const RECT& target, int drawableHeight);
    RECT PresentationTarget(SDL_Window* window, const RECT* clientRect, int drawableWidth, int drawableHeight) const;
    bool BuildFramebuffer();
    void AttachDepth();
    void ForgetFramebuffer();
    void StoreReadPixels(const std::vector<BYTE>& bgra);

    GLuint m_framebuffer = 0;
    GLuint m_colour = 0;
    std::uint64_t m_serial = 0;
    bool m_complete = false;
    bool m_intoWindow = false;
    // Cleared by each presentation: the next drawing starts a frame and chooses its framebuffer again.
    bool m_frameChosen = false;
    // The last presentation covered the whole window unscaled, as drawing into the window needs.
    bool m_presentsWhole = true;
    bool m_pixelsCurrent = false;
};
}
