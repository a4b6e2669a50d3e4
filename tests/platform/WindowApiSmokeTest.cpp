// A real window under SDL's offscreen driver: created with its title and size, pumped, closed.
#include "platform/win32/PlatformWindow.h"
#include "tests/support/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace
{
TEST(WindowApiSmoke, OpensAnOpenGlWindowWithTitleAndSize)
{
    KorvaneTest::TestWindow window(320, 200, "Smoke window");
    ASSERT_NE(window.Handle(), nullptr);
    ASSERT_NE(window.Handle()->sdl, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window.Handle()->sdl), "Smoke window");
    EXPECT_NE(SDL_GetWindowFlags(window.Handle()->sdl) & SDL_WINDOW_OPENGL, 0u);
    RECT client;
    ASSERT_TRUE(GetClientRect(window.Handle(), &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);
    window.PumpMessages();
    EXPECT_TRUE(IsWindow(window.Handle()));
}

// Win32 makes a window whatever size it is asked for; SDL refuses one beyond its limit, so the request is cut.
TEST(WindowApiSmoke, WindowLargerThanSdlAllowsIsStillMade)
{
    KorvaneTest::TestWindow window(20000, 30000, "Huge window");
    ASSERT_NE(window.Handle(), nullptr);
    RECT client;
    ASSERT_TRUE(GetClientRect(window.Handle(), &client));
    EXPECT_EQ(client.right, 16384);
    EXPECT_EQ(client.bottom, 16384);
    EXPECT_TRUE(SetWindowPos(window.Handle(), nullptr, 0, 0, 40000, 100, SWP_NOMOVE));
    ASSERT_TRUE(GetClientRect(window.Handle(), &client));
    EXPECT_EQ(client.right, 16384);
    EXPECT_EQ(client.bottom, 100);
}

TEST(WindowApiSmoke, DestroyedWindowIsGone)
{
    HWND handle = nullptr;
    {
        KorvaneTest::TestWindow window;
        handle = window.Handle();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(WindowApiSmoke, TwoWindowsShareTheClass)
{
    KorvaneTest::TestWindow first;
    KorvaneTest::TestWindow second;
    EXPECT_NE(first.Handle(), nullptr);
    EXPECT_NE(second.Handle(), nullptr);
}

TEST(WindowApiSmoke, PostedMessageReachesTheProcedureThroughPeekMessage)
{
    KorvaneTest::TestWindow window;
    ASSERT_TRUE(PostMessage(window.Handle(), WM_NULL, 7, 9));
    MSG message;
    bool seen = false;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        seen = seen || (message.hwnd == window.Handle() && message.message == WM_NULL && message.wParam == 7);
    EXPECT_TRUE(seen);
}
}

namespace
{
TEST(WindowApiSmoke, CarriesAnOpenGlContext)
{
    KorvaneTest::TestWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    SDL_GLContext context = SDL_GL_CreateContext(window.Handle()->sdl);
    ASSERT_NE(context, nullptr) << SDL_GetError();
    SDL_GL_DeleteContext(context);
}
}
