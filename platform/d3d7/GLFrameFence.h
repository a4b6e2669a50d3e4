// Holds the driver's queue at one frame behind the one shown: after each swap it waits until the frame before is
// drawn. The wait is bounded, so that a driver that never signals cannot hang the program; a frame let go at that
// bound is said once on SDL's log (the layer's only channel below the engine), since from then on frames may pile
// up in the driver with the memory each holds.
#pragma once

#include "platform/d3d7/GLContext.h"

namespace Platform
{
class GLFrameFence
{
public:
    explicit GLFrameFence(GLuint64 waitNanoseconds);

    // After each swap, the context current: waits for the last frame's fence and sets one after this frame.
    // Without fence functions nothing is held back.
    void EndFrame(const GLFunctions& gl);
    // The context went, and its fence with it.
    void Forget() { m_fence = nullptr; }
    bool HasReportedLetGo() const { return m_reported; }

private:
    void ReportLetGo(GLenum waitResult);

    GLuint64 m_waitNanoseconds;
    GLsync m_fence = nullptr;
    bool m_reported = false;
};
}
