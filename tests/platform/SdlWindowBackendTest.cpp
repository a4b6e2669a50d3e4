// The SDL window side's own answers on a real display: which window holds the keyboard focus, what follows a
// minimise the display cannot carry out, and where the pointer and a click are in letterboxed full screen. Window
// events the display would send are pushed into SDL's queue where a driver has no focus to give (the offscreen
// driver); under the X11 driver (tests/platform_x11_loop.sh) the display gives and takes the focus itself and the
// pointer really moves.
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlWindowBackend.h"
#include "platform/win32/WindowBackend.h"
#include "platform/win32/X11WindowManager.h"
#include "tests/support/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace
{
using KorvaneTest::TestWindow;

// Asked once a window has brought the video system up.
bool UnderX11()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "x11") == 0;
}

// A window event as the display sends it about the window.
void SendWindowEvent(HWND window, Uint8 change)
{
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(window->sdl);
    event.window.event = change;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// Pumps the messages until the condition holds, for five seconds at most: the X server answers in its own time.
bool PumpUntil(TestWindow& window, const std::function<bool()>& condition)
{
    const Uint32 start = SDL_GetTicks();
    while (!condition())
    {
        if (SDL_GetTicks() - start > 5000)
            return false;
        window.PumpMessages();
        SDL_Delay(5);
    }
    return true;
}

void ShowAndFocus(HWND window)
{
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

// A full-screen frame wider than the display's shape: the picture takes the display's width, the bars lie above
// and below it.
constexpr int kLetterboxFrameWidth = 800, kLetterboxFrameHeight = 500;

struct Letterbox
{
    RECT desktop{};
    double scale = 1.0;
    double top = 0.0;
};

void ShowLetterboxed(TestWindow& window, Letterbox& box)
{
    SetWindowLong(window.Handle(), GWL_STYLE, static_cast<LONG>(WS_POPUP));
    SetWindowPos(window.Handle(), nullptr, 0, 0, kLetterboxFrameWidth, kLetterboxFrameHeight,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    window.PumpMessages();
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &box.desktop));
    const double displayWidth = box.desktop.right - box.desktop.left;
    const double displayHeight = box.desktop.bottom - box.desktop.top;
    ASSERT_LT(displayWidth * kLetterboxFrameHeight, displayHeight * kLetterboxFrameWidth)
        << "the frame must be wider than the display";
    box.scale = displayWidth / kLetterboxFrameWidth;
    box.top = (displayHeight - kLetterboxFrameHeight * box.scale) / 2.0;
    ASSERT_GE(box.top, 1.0);
}

// Under a window manager the display reports the focus late, or never to a window mapped straight into it: the
// window the program showed and focused counts as focused at once, or the game's frame would wait for ever.
TEST(SdlWindowBackendFocus, AWindowShownAndFocusedIsFocusedBeforeAnyEvent)
{
    TestWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    ShowAndFocus(window.Handle());
    EXPECT_EQ(GetFocus(), window.Handle());
    window.PumpMessages();
    EXPECT_EQ(GetFocus(), window.Handle()) << "with no event that takes the focus away";
}

// What the display says takes the focus away: a focus loss, a minimise, a hide. Other events of the window, and
// a focus loss of another window, leave it focused.
TEST(SdlWindowBackendFocus, AFocusLossMinimiseOrHideEndsTheFocusTheProgramGave)
{
    for (const Uint8 change : {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_HIDDEN})
    {
        SCOPED_TRACE("window event " + std::to_string(change));
        TestWindow window;
        TestWindow other;
        ShowAndFocus(window.Handle());
        ASSERT_EQ(GetFocus(), window.Handle());
        SendWindowEvent(window.Handle(), SDL_WINDOWEVENT_MOVED);
        SendWindowEvent(window.Handle(), SDL_WINDOWEVENT_EXPOSED);
        SendWindowEvent(other.Handle(), SDL_WINDOWEVENT_FOCUS_LOST);
        window.PumpMessages();
        if (SDL_GetKeyboardFocus() != nullptr)
            GTEST_SKIP() << "this display reports the focus itself; the X11 test has it taken away for real";
        EXPECT_EQ(GetFocus(), window.Handle());
        SendWindowEvent(window.Handle(), change);
        window.PumpMessages();
        EXPECT_EQ(GetFocus(), nullptr);
        // The window is still shown and not minimised as far as SDL knows: only the event ended the focus.
        const Uint32 flags = SDL_GetWindowFlags(window.Handle()->sdl);
        EXPECT_NE(flags & SDL_WINDOW_SHOWN, 0u);
        EXPECT_EQ(flags & SDL_WINDOW_MINIMIZED, 0u);
    }
}

// Nothing minimises a window on a driver with no screen of its own, nor on X without a window manager: a focused
// window asked to minimise stays on show, and is restored at once, as a desktop would restore it. Only a display the
// tests did not make themselves may have a window manager of its own; on the X11 loop's, one is a fault.
TEST(SdlWindowBackendMinimise, AFocusedWindowTheDisplayCannotMinimiseIsRestoredAtOnce)
{
    TestWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    if (Platform::X11WindowManager::IsRunning(window.Handle()->sdl).value_or(false))
    {
        ASSERT_EQ(std::getenv("KORVANE_X11_BARE_DISPLAY"), nullptr)
            << "a window manager runs on the display the X11 loop made without one";
        GTEST_SKIP() << "a window manager minimises the window";
    }
    ShowAndFocus(window.Handle());
    window.PumpMessages();
    ASSERT_EQ(GetFocus(), window.Handle());
    DefWindowProc(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, window.Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
        << "no system command followed the minimise";
    EXPECT_EQ(message.wParam, SC_RESTORE);
}

// Under X11 without a window manager the focus given is soon confirmed by the display; a window that is not the
// program's taking it away, then a hide, end it. (Minimising needs a window manager; the offscreen test pushes it.)
TEST(SdlWindowBackendX11, TheDisplayConfirmsTheFocusGivenAndTakesItAway)
{
    TestWindow window(200, 100, "Focused window");
    ASSERT_NE(window.Handle(), nullptr);
    if (!UnderX11())
        GTEST_SKIP() << "needs SDL's X11 video driver";
    ShowAndFocus(window.Handle());
    EXPECT_EQ(GetFocus(), window.Handle()) << "before the display has said anything";
    ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetKeyboardFocus() == window.Handle()->sdl; }))
        << "the display never gave the window the focus";
    EXPECT_EQ(GetFocus(), window.Handle());

    SDL_Window* stranger = SDL_CreateWindow("Another program", 300, 0, 100, 100, SDL_WINDOW_SHOWN);
    ASSERT_NE(stranger, nullptr) << SDL_GetError();
    SDL_SetWindowInputFocus(stranger);
    const bool taken = PumpUntil(window, [&] { return SDL_GetKeyboardFocus() == stranger; });
    EXPECT_TRUE(taken) << "the other window never took the focus";
    if (taken)
    {
        EXPECT_EQ(GetFocus(), nullptr) << "still taken for focused after the display took the focus away";
    }
    SDL_DestroyWindow(stranger);

    ShowAndFocus(window.Handle());
    ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetKeyboardFocus() == window.Handle()->sdl; }));
    ShowWindow(window.Handle(), SW_HIDE);
    EXPECT_TRUE(PumpUntil(window, [] { return SDL_GetKeyboardFocus() == nullptr; }))
        << "the display kept the focus on a hidden window";
    EXPECT_EQ(GetFocus(), nullptr);
}

// Full screen keeps the display's mode and shows the frame letterboxed: the program sets and reads the pointer
// in frame positions, while on the display it lies on the picture, under the frame pixel it was put on.
TEST(SdlWindowBackendX11, APointerSetInLetterboxedFullScreenReadsBackTheSameAndLiesOnThePicture)
{
    TestWindow window(kLetterboxFrameWidth, kLetterboxFrameHeight, "Full-screen window");
    ASSERT_NE(window.Handle(), nullptr);
    if (!UnderX11())
        GTEST_SKIP() << "needs SDL's X11 video driver, which moves the pointer";
    Letterbox box;
    ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
    const double scale = box.scale, top = box.top;

    for (const POINT frame : {POINT{0, 0}, POINT{400, 250}, POINT{799, 499}, POINT{123, 456}})
    {
        SCOPED_TRACE(std::to_string(frame.x) + ", " + std::to_string(frame.y));
        ASSERT_TRUE(SetCursorPos(frame.x, frame.y));
        POINT read{-1, -1};
        ASSERT_TRUE(GetCursorPos(&read));
        EXPECT_EQ(read.x, frame.x);
        EXPECT_EQ(read.y, frame.y);
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        EXPECT_GE(x, std::floor(frame.x * scale));
        EXPECT_LE(x, std::ceil((frame.x + 1) * scale));
        EXPECT_GE(y, std::floor(top + frame.y * scale));
        EXPECT_LE(y, std::ceil(top + (frame.y + 1) * scale));
    }
}

// A click is read where it was made, from the place inside its window that its event carries: in letterboxed full
// screen that place is on the picture, and the program reads it in frame positions, as it reads the pointer.
TEST(SdlWindowBackendX11, AClickInLetterboxedFullScreenIsPlacedOnTheFrame)
{
    TestWindow window(kLetterboxFrameWidth, kLetterboxFrameHeight, "Full-screen window");
    ASSERT_NE(window.Handle(), nullptr);
    if (!UnderX11())
        GTEST_SKIP() << "needs SDL's X11 video driver, which places a full-screen window on the display";
    Letterbox box;
    ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
    int windowX = 0, windowY = 0;
    SDL_GetWindowPosition(window.Handle()->sdl, &windowX, &windowY);

    for (const POINT frame : {POINT{0, 0}, POINT{400, 250}, POINT{799, 499}, POINT{123, 456}})
    {
        SCOPED_TRACE(std::to_string(frame.x) + ", " + std::to_string(frame.y));
        // The middle of what shows the frame pixel on the display, inside the window.
        const POINT inWindow{static_cast<LONG>(box.desktop.left + (frame.x + 0.5) * box.scale) - windowX,
                             static_cast<LONG>(box.desktop.top + box.top + (frame.y + 0.5) * box.scale) - windowY};
        const POINT read = Platform::GetWindowBackend().GetButtonEventScreenPosition(
            SDL_GetWindowID(window.Handle()->sdl), inWindow);
        EXPECT_EQ(read.x, frame.x);
        EXPECT_EQ(read.y, frame.y);
    }
}

// A switch from a window off the display's corner to letterboxed full screen keeps the pointer on its point of the
// picture (SDL's own switch puts it back at its place inside the window, now at the corner), and the window, closed
// while that hold lasts, leaves nothing of it behind.
TEST(SdlWindowBackendX11, ASwitchKeepsThePointerOnItsPointOfThePictureUntilTheWindowCloses)
{
    const PlatformWindow* closed = nullptr;
    {
        TestWindow window(kLetterboxFrameWidth, kLetterboxFrameHeight, "Switched window");
        ASSERT_NE(window.Handle(), nullptr);
        if (!UnderX11())
            GTEST_SKIP() << "needs SDL's X11 video driver, which moves the pointer";
        const POINT corner{100, 150}, held{200, 420};
        SetWindowPos(window.Handle(), nullptr, corner.x, corner.y, kLetterboxFrameWidth, kLetterboxFrameHeight,
                     SWP_SHOWWINDOW);
        window.PumpMessages();
        ASSERT_TRUE(SetCursorPos(corner.x + held.x, corner.y + held.y));
        Letterbox box;
        ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
        POINT read{-1, -1};
        ASSERT_TRUE(GetCursorPos(&read));
        EXPECT_EQ(read.x, held.x);
        EXPECT_EQ(read.y, held.y);
        closed = window.Handle();
    }
    const auto* backend = dynamic_cast<const Platform::SdlWindowBackend*>(&Platform::GetWindowBackend());
    ASSERT_NE(backend, nullptr);
    EXPECT_FALSE(backend->KeepsAnythingOf(closed)) << "the pointer's hold outlived its window";
}
}
