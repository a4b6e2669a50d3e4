// The shared OpenGL context: creation, reuse across device resets, function loading, deferred deletion and
// the capability probe.
#include "platform/d3d7/GLContext.h"

#include "platform/d3d7/GLFrameFence.h"

#include "platform/core/GLDriverLibraries.h"
#include "platform/core/NativeWindowTeardown.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace Platform
{
namespace
{
struct PendingDeletion
{
    GLObjectKind kind;
    GLuint name;
    std::uint64_t serial;
};

struct ContextState
{
    SDL_GLContext context = nullptr;
    // The window the context was last bound to: destroying it takes the context with it.
    SDL_Window* window = nullptr;
    std::uint64_t serial = 0;
    std::uint64_t lastSerial = 0;
    int attachments = 0;
    GLFunctions functions;
    int swapInterval = -1;
    GLuint whiteTexture = 0;
    GLuint drawFramebuffer = 0;
    GLuint readFramebuffer = 0;
    const void* stateOwner = nullptr;
    int boundWidth = 0;
    int boundHeight = 0;
    GLWindowFramebuffer windowFramebuffer;
    std::uint64_t windowFramebufferSerial = 0;
    // Deleting the context deletes its objects: the counts go with the rest of its state.
    std::map<GLObjectKind, std::uint32_t> liveObjects;
};

ContextState g_state;

void BindTo(SDL_Window* window)
{
    g_state.window = window;
    SDL_GL_GetDrawableSize(window, &g_state.boundWidth, &g_state.boundHeight);
}
std::mutex g_deletionMutex;
std::vector<PendingDeletion> g_deletions;
// Lets the drawing calls skip the lock when nothing waits, which is nearly always.
std::atomic<bool> g_deletionsWaiting{false};
// A frame that takes longer than this is let go rather than waited for: the program must not hang on a driver
// that never signals. One fence for the process, so that a frame let go is reported once, whatever the contexts.
constexpr GLuint64 kFrameWaitNanoseconds = 2'000'000'000;
GLFrameFence g_frameFence(kFrameWaitNanoseconds);

template <class Function>
bool Load(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}

bool LoadFunctions(GLFunctions& f)
{
    bool ok = Load(f.GenFramebuffers, "glGenFramebuffers");
    ok = Load(f.DeleteFramebuffers, "glDeleteFramebuffers") && ok;
    ok = Load(f.BindFramebuffer, "glBindFramebuffer") && ok;
    ok = Load(f.FramebufferRenderbuffer, "glFramebufferRenderbuffer") && ok;
    ok = Load(f.FramebufferTexture2D, "glFramebufferTexture2D") && ok;
    ok = Load(f.CheckFramebufferStatus, "glCheckFramebufferStatus") && ok;
    ok = Load(f.GenRenderbuffers, "glGenRenderbuffers") && ok;
    ok = Load(f.DeleteRenderbuffers, "glDeleteRenderbuffers") && ok;
    ok = Load(f.BindRenderbuffer, "glBindRenderbuffer") && ok;
    ok = Load(f.RenderbufferStorage, "glRenderbufferStorage") && ok;
    ok = Load(f.BlitFramebuffer, "glBlitFramebuffer") && ok;
    ok = Load(f.ActiveTexture, "glActiveTexture") && ok;
    ok = Load(f.ClientActiveTexture, "glClientActiveTexture") && ok;
    ok = Load(f.DrawRangeElements, "glDrawRangeElements") && ok;
    ok = Load(f.GenSamplers, "glGenSamplers") && ok;
    ok = Load(f.DeleteSamplers, "glDeleteSamplers") && ok;
    ok = Load(f.BindSampler, "glBindSampler") && ok;
    ok = Load(f.SamplerParameteri, "glSamplerParameteri") && ok;
    ok = Load(f.SamplerParameterf, "glSamplerParameterf") && ok;
    ok = Load(f.GenBuffers, "glGenBuffers") && ok;
    ok = Load(f.DeleteBuffers, "glDeleteBuffers") && ok;
    ok = Load(f.BindBuffer, "glBindBuffer") && ok;
    ok = Load(f.BufferData, "glBufferData") && ok;
    ok = Load(f.BufferSubData, "glBufferSubData") && ok;
    f.Finish = glFinish;
    if (!Load(f.FenceSync, "glFenceSync") || !Load(f.ClientWaitSync, "glClientWaitSync") ||
        !Load(f.DeleteSync, "glDeleteSync"))
        f.FenceSync = nullptr;
    return ok;
}

// A context left current on its window after the last release is still ours only while it stays current:
// destroying the window or shutting SDL's video down takes it away, and then it must not be touched.
bool ParkedContextSurvives()
{
    return g_state.context && SDL_GL_GetCurrentContext() == g_state.context;
}

void ForgetContext()
{
    const std::uint64_t lastSerial = g_state.lastSerial;
    g_frameFence.Forget();
    g_state = ContextState();
    g_state.lastSerial = lastSerial;
}

void DeleteContext()
{
    SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(g_state.context);
    ForgetContext();
}

// The context goes before its window and before the video system stops, never after: a context left behind
// makes the driver's threads outlive the display they work for.
void DeleteBeforeTeardown(SDL_Window* window)
{
    if (!g_state.context)
        return;
    if (window && window != g_state.window && window != SDL_GL_GetCurrentWindow())
        return;
    DeleteContext();
}

bool CreateContext(SDL_Window* window)
{
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context)
        return false;
    NativeWindowTeardown::SetHook(DeleteBeforeTeardown);
    GLDriverLibraries::KeepLoaded();
    GLFunctions functions;
    if (!LoadFunctions(functions))
    {
        SDL_GL_DeleteContext(context);
        return false;
    }
    g_state.context = context;
    BindTo(window);
    g_state.serial = ++g_state.lastSerial;
    g_state.functions = functions;
    return true;
}

bool ReuseOn(SDL_Window* window)
{
    if (SDL_GL_GetCurrentWindow() == window)
        return true;
    if (SDL_GL_MakeCurrent(window, g_state.context) == 0)
    {
        BindTo(window);
        return true;
    }
    // The new window's surface does not suit the old context: start over on the new window.
    DeleteContext();
    return false;
}

void DeleteNow(const PendingDeletion& entry)
{
    std::uint32_t& live = g_state.liveObjects[entry.kind];
    live -= live > 0 ? 1 : 0;
    const GLFunctions& f = g_state.functions;
    switch (entry.kind)
    {
    case GLObjectKind::Texture:
        glDeleteTextures(1, &entry.name);
        break;
    case GLObjectKind::Framebuffer:
        f.DeleteFramebuffers(1, &entry.name);
        break;
    case GLObjectKind::Renderbuffer:
        f.DeleteRenderbuffers(1, &entry.name);
        break;
    case GLObjectKind::Sampler:
        f.DeleteSamplers(1, &entry.name);
        break;
    case GLObjectKind::Buffer:
        f.DeleteBuffers(1, &entry.name);
        break;
    }
}

GLCapabilities QueryCurrentContext()
{
    GLCapabilities caps;
    GLint value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &value);
    caps.textureUnits = static_cast<std::uint32_t>(std::clamp(value, 1, 8));
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    caps.maxTextureSize = static_cast<std::uint32_t>(std::max(value, 64));
    glGetIntegerv(GL_MAX_LIGHTS, &value);
    caps.maxLights = static_cast<std::uint32_t>(std::clamp(value, 0, 8));
    if (SDL_GL_ExtensionSupported("GL_EXT_texture_filter_anisotropic"))
    {
        GLfloat anisotropy = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        caps.maxAnisotropy = static_cast<std::uint32_t>(std::max(anisotropy, 1.0f));
    }
    return caps;
}

// Without a context of our own yet, a hidden window lends one for the questions.
bool ProbeWithHiddenWindow(GLCapabilities& caps)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        return false;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    const bool made = context != nullptr;
    if (made)
    {
        GLDriverLibraries::KeepLoaded();
        caps = QueryCurrentContext();
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
    if (previousContext)
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    return made;
}
}

bool GLContext::Attach(SDL_Window* window)
{
    if (!window)
        return false;
    if (g_state.context && g_state.attachments == 0 && !ParkedContextSurvives())
        ForgetContext();
    if (!(g_state.context && ReuseOn(window)) && !CreateContext(window))
        return false;
    ++g_state.attachments;
    return true;
}

void GLContext::Detach()
{
    if (g_state.attachments > 0)
        --g_state.attachments;
}

bool GLContext::MakeCurrent(SDL_Window* window)
{
    if (!g_state.context || !window)
        return false;
    if (SDL_GL_GetCurrentWindow() == window && SDL_GL_GetCurrentContext() == g_state.context)
        return true;
    if (SDL_GL_MakeCurrent(window, g_state.context) != 0)
        return false;
    BindTo(window);
    // Another window's surface has no framebuffer binding of ours.
    g_state.drawFramebuffer = g_state.readFramebuffer = ~0u;
    return true;
}

const GLFunctions& GLContext::Functions() { return g_state.functions; }

void GLContext::ReplaceFunctions(const GLFunctions& functions) { g_state.functions = functions; }

std::uint64_t GLContext::Serial() { return g_state.serial; }

void GLContext::DeleteLater(GLObjectKind kind, GLuint name, std::uint64_t serial)
{
    if (name == 0)
        return;
    std::lock_guard lock(g_deletionMutex);
    g_deletions.push_back(PendingDeletion{kind, name, serial});
    g_deletionsWaiting = true;
}

void GLContext::FlushDeletions()
{
    if (!g_deletionsWaiting.exchange(false))
        return;
    std::vector<PendingDeletion> pending;
    {
        std::lock_guard lock(g_deletionMutex);
        pending.swap(g_deletions);
    }
    bool renderTargetGone = false;
    for (const PendingDeletion& entry : pending)
        if (entry.serial == g_state.serial && g_state.context)
        {
            DeleteNow(entry);
            renderTargetGone = renderTargetGone || entry.kind == GLObjectKind::Framebuffer ||
                               entry.kind == GLObjectKind::Renderbuffer;
        }
    // A render target or depth buffer goes with a device, on a reset or a trip between the window and full screen:
    // the memory its frames and textures held, freed in the middle of the heap, is given back rather than kept
    // resident.
    if (renderTargetGone)
        malloc_trim(0);
}

void GLContext::NoteCreated(GLObjectKind kind, std::uint32_t count)
{
    if (g_state.context)
        g_state.liveObjects[kind] += count;
}

std::uint32_t GLContext::LiveObjects(GLObjectKind kind)
{
    const auto found = g_state.liveObjects.find(kind);
    return found == g_state.liveObjects.end() ? 0 : found->second;
}

GLCapabilities GLContext::Capabilities()
{
    static bool known = false;
    static GLCapabilities caps;
    if (known)
        return caps;
    if (g_state.context && SDL_GL_GetCurrentContext() == g_state.context)
    {
        caps = QueryCurrentContext();
        known = true;
    }
    else
        known = ProbeWithHiddenWindow(caps);
    return caps;
}

GLWindowFramebuffer GLContext::WindowFramebuffer()
{
    if (g_state.windowFramebufferSerial == g_state.serial)
        return g_state.windowFramebuffer;
    BindDrawFramebuffer(0);
    GLWindowFramebuffer format;
    glGetIntegerv(GL_ALPHA_BITS, &format.alphaBits);
    glGetIntegerv(GL_DEPTH_BITS, &format.depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &format.stencilBits);
    GLboolean doubleBuffered = GL_TRUE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    format.doubleBuffered = doubleBuffered != GL_FALSE;
    g_state.windowFramebuffer = format;
    g_state.windowFramebufferSerial = g_state.serial;
    return format;
}

bool GLContext::KeepsBoundSize(SDL_Window* window)
{
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    return window == g_state.window && width == g_state.boundWidth && height == g_state.boundHeight;
}

void GLContext::SetSwapInterval(int interval)
{
    if (interval == g_state.swapInterval)
        return;
    SDL_GL_SetSwapInterval(interval);
    g_state.swapInterval = interval;
}

GLuint GLContext::WhiteTexture()
{
    if (g_state.whiteTexture != 0)
        return g_state.whiteTexture;
    const GLubyte white[4] = {255, 255, 255, 255};
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glGenTextures(1, &g_state.whiteTexture);
    NoteCreated(GLObjectKind::Texture);
    glBindTexture(GL_TEXTURE_2D, g_state.whiteTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    return g_state.whiteTexture;
}

void GLContext::BindDrawFramebuffer(GLuint framebuffer)
{
    if (g_state.drawFramebuffer == framebuffer)
        return;
    g_state.functions.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    g_state.drawFramebuffer = framebuffer;
}

void GLContext::BindReadFramebuffer(GLuint framebuffer)
{
    if (g_state.readFramebuffer == framebuffer)
        return;
    g_state.functions.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    g_state.readFramebuffer = framebuffer;
}

void GLContext::EndFrame()
{
    if (g_state.context)
        g_frameFence.EndFrame(g_state.functions);
}

const void* GLContext::StateOwner() { return g_state.stateOwner; }

void GLContext::SetStateOwner(const void* owner) { g_state.stateOwner = owner; }
}
