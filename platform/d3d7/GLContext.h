// The one OpenGL context of the drawing layer: made on the first window a DirectDraw object binds, kept while
// that window lives (a device reset reuses it), and the only place GL functions beyond 1.1 are loaded.
// GL objects are deleted on the main thread: any thread may queue a deletion, drawing calls carry it out.
#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include <cstdint>
#include <map>

namespace Platform
{
struct GLFunctions
{
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
    PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC ClientActiveTexture = nullptr;
    PFNGLDRAWRANGEELEMENTSPROC DrawRangeElements = nullptr;
    PFNGLGENSAMPLERSPROC GenSamplers = nullptr;
    PFNGLDELETESAMPLERSPROC DeleteSamplers = nullptr;
    PFNGLBINDSAMPLERPROC BindSampler = nullptr;
    PFNGLSAMPLERPARAMETERIPROC SamplerParameteri = nullptr;
    PFNGLSAMPLERPARAMETERFPROC SamplerParameterf = nullptr;
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLBUFFERSUBDATAPROC BufferSubData = nullptr;
    // Waits until everything sent is drawn. In the table, like the rest, so that a test can put recording
    // functions between the layer and the driver and see where the layer waits.
    void(APIENTRY* Finish)() = nullptr;
    // Fences: null where the context has none, and frames are then not held back.
    PFNGLFENCESYNCPROC FenceSync = nullptr;
    PFNGLCLIENTWAITSYNCPROC ClientWaitSync = nullptr;
    PFNGLDELETESYNCPROC DeleteSync = nullptr;
};

// What the device reports about itself, read once from a real context.
struct GLCapabilities
{
    std::uint32_t textureUnits = 2;
    std::uint32_t maxTextureSize = 2048;
    std::uint32_t maxAnisotropy = 1;
    std::uint32_t maxLights = 8;
};

// The window's own framebuffer as the context sees it: drawing straight into it gives the pictures the render
// target's framebuffer gives only when these match what that framebuffer holds.
struct GLWindowFramebuffer
{
    int alphaBits = 0;
    int depthBits = 0;
    int stencilBits = 0;
    // A double-buffered window's back buffer is undefined after the swap; a single-buffered one keeps it.
    bool doubleBuffered = true;
};

enum class GLObjectKind
{
    Texture,
    Framebuffer,
    Renderbuffer,
    Sampler,
    Buffer
};

class GLContext
{
public:
    // Binds the context to a window (creating it when there is none), counted until Detach.
    static bool Attach(SDL_Window* window);
    static void Detach();
    // Makes the context current on the window before GL work; false when there is no usable context.
    static bool MakeCurrent(SDL_Window* window);

    static const GLFunctions& Functions();
    // Puts other functions in the live context's table, as a test does to record the calls the layer makes.
    static void ReplaceFunctions(const GLFunctions& functions);
    // Identity of the live context, never reused; 0 when there is none.
    static std::uint64_t Serial();

    // Safe from any thread; objects of a context that no longer exists are simply forgotten.
    static void DeleteLater(GLObjectKind kind, GLuint name, std::uint64_t serial);
    // Main thread, context current.
    static void FlushDeletions();
    // Every GL object made is noted here (main thread), so that what the layer holds can be counted: a long
    // session must not pile objects up.
    static void NoteCreated(GLObjectKind kind, std::uint32_t count = 1);
    // The objects of a kind made in the live context and not deleted yet.
    static std::uint32_t LiveObjects(GLObjectKind kind);

    static GLCapabilities Capabilities();
    // Main thread, context current; asked once per context.
    static GLWindowFramebuffer WindowFramebuffer();
    // The window's drawable size when the context was bound to it. Some window systems never resize the
    // surface behind a window (an offscreen buffer), so only a window still of that size is known to have a
    // framebuffer of the size it reports.
    static bool KeepsBoundSize(SDL_Window* window);
    static void SetSwapInterval(int interval);
    // After each swap (main thread, context current): waits until the frame before this one is drawn, so that
    // at most one frame is queued behind the one shown. A swap that waits for nothing (an offscreen buffer)
    // would otherwise let a software driver queue frame upon frame, and the memory each holds, for as long as
    // the program draws faster than the driver.
    static void EndFrame();
    // A 1 x 1 opaque white texture: what a texture stage without a texture samples.
    static GLuint WhiteTexture();

    // The framebuffer bound for drawing, so devices and presentation skip redundant binds.
    static void BindDrawFramebuffer(GLuint framebuffer);
    static void BindReadFramebuffer(GLuint framebuffer);
    // The device whose fixed-function state the context holds; another device re-sends all of its own.
    static const void* StateOwner();
    static void SetStateOwner(const void* owner);
};
}
