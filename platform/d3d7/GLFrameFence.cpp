// The bounded wait for the frame before the one presented, and the one report of a frame let go.
#include "platform/d3d7/GLFrameFence.h"

namespace Platform
{
GLFrameFence::GLFrameFence(GLuint64 waitNanoseconds) : m_waitNanoseconds(waitNanoseconds) {}

void GLFrameFence::EndFrame(const GLFunctions& gl)
{
    if (!gl.FenceSync)
        return;
    if (m_fence)
    {
        const GLenum waited = gl.ClientWaitSync(m_fence, GL_SYNC_FLUSH_COMMANDS_BIT, m_waitNanoseconds);
        if (waited == GL_TIMEOUT_EXPIRED || waited == GL_WAIT_FAILED)
            ReportLetGo(waited);
        gl.DeleteSync(m_fence);
    }
    m_fence = gl.FenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

void GLFrameFence::ReportLetGo(GLenum waitResult)
{
    if (m_reported)
        return;
    m_reported = true;
    const double seconds = static_cast<double>(m_waitNanoseconds) / 1e9;
    if (waitResult == GL_TIMEOUT_EXPIRED)
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION,
                    "Presenting: the frame before the one presented was still not drawn after %.1f s; it is no longer "
                    "waited for, so the driver may queue frames (said once)",
                    seconds);
    else
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION,
                    "Presenting: waiting for the frame before the one presented failed; it is no longer waited for, "
                    "so the driver may queue frames (said once)");
}
}
