// The wait for the frame before the one presented: a frame let go at the wait's bound is said once.
#include "platform/d3d7/GLFrameFence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
GLenum g_waitResult = GL_ALREADY_SIGNALED;
std::vector<std::string> g_logged;

GLsync APIENTRY FakeFenceSync(GLenum, GLbitfield)
{
    static int fence;
    return reinterpret_cast<GLsync>(&fence);
}

GLenum APIENTRY FakeClientWaitSync(GLsync, GLbitfield, GLuint64) { return g_waitResult; }

void APIENTRY FakeDeleteSync(GLsync) {}

void KeepLine(void*, int, SDL_LogPriority, const char* message) { g_logged.emplace_back(message); }

class GLFrameFenceLog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SDL_LogGetOutputFunction(&m_previous, &m_previousData);
        SDL_LogSetOutputFunction(KeepLine, nullptr);
        g_logged.clear();
        gl.FenceSync = FakeFenceSync;
        gl.ClientWaitSync = FakeClientWaitSync;
        gl.DeleteSync = FakeDeleteSync;
    }
    void TearDown() override { SDL_LogSetOutputFunction(m_previous, m_previousData); }

    void Frames(GLenum waitResult, int count)
    {
        g_waitResult = waitResult;
        for (int frame = 0; frame < count; ++frame)
            fence.EndFrame(gl);
    }

    Platform::GLFunctions gl;
    Platform::GLFrameFence fence{2'000'000'000};
    SDL_LogOutputFunction m_previous = nullptr;
    void* m_previousData = nullptr;
};

TEST_F(GLFrameFenceLog, FramesDrawnInTimeSayNothing)
{
    Frames(GL_CONDITION_SATISFIED, 3);
    Frames(GL_ALREADY_SIGNALED, 3);
    EXPECT_TRUE(g_logged.empty());
    EXPECT_FALSE(fence.HasReportedLetGo());
}

TEST_F(GLFrameFenceLog, AFrameLetGoAtTheBoundIsSaidOnce)
{
    Frames(GL_ALREADY_SIGNALED, 2);
    Frames(GL_TIMEOUT_EXPIRED, 4);
    ASSERT_EQ(g_logged.size(), 1u);
    EXPECT_NE(g_logged[0].find("2.0 s"), std::string::npos) << g_logged[0];
    EXPECT_TRUE(fence.HasReportedLetGo());
}
}
