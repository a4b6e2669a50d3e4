// The SDL window side's own answers on a real display: which window holds the keyboard focus, what follows a
// minimise the display cannot carry out, and where the pointer and a click are in letterboxed full screen. Window
// events the display would send are pushed into SDL's queue where a driver has no focus to give (the offscreen
// driver); under the X11 driver (tests/platform_x11_loop.sh) the display gives and takes the focus itself and the
// pointer really moves.
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlWindowBackend.h"
#include "platform/win32/WindowBackend.h"
#include "platform/win32/X11WindowManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestWindow.h"
#include "tests/support/X11OtherProgram.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

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

// A minimise of the full-screen window, reported by the window manager in either order, the focus taken first (the
// game minimises itself when the player turns to another program) or not (a minimise button, or the manager's own):
// SDL leaves full screen, and would put the pointer back where it last read it inside the window. The player has
// moved it since, over another program's window.
TEST(SdlWindowBackendX11, AMinimiseOutOfFullScreenLeavesThePointerWhereThePlayerMovedIt)
{
    for (const bool focusTakenFirst : {true, false})
        for (const bool stateFirst : {false, true})
        {
            SCOPED_TRACE(std::string(focusTakenFirst ? "focus taken first, " : "focus kept, ") +
                         (stateFirst ? "hidden state first" : "unmapped first"));
            TestWindow window(kLetterboxFrameWidth, kLetterboxFrameHeight, "Minimised window");
            ASSERT_NE(window.Handle(), nullptr);
            if (!UnderX11())
                GTEST_SKIP() << "needs SDL's X11 video driver, which moves the pointer";
            SDL_Window* sdl = window.Handle()->sdl;
            KorvaneTest::X11OtherProgram other;
            ASSERT_TRUE(other.IsOpen()) << "another program could not open the display";
            // The pointer off the window at the switch: it is not held on the picture, which would move it.
            SetWindowPos(window.Handle(), nullptr, 100, 150, kLetterboxFrameWidth, kLetterboxFrameHeight,
                         SWP_SHOWWINDOW);
            ShowAndFocus(window.Handle());
            ASSERT_TRUE(SetCursorPos(20, 20));
            Letterbox box;
            ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
            ASSERT_TRUE(SetCursorPos(400, 250));
            const POINT read = other.Pointer();
            ASSERT_TRUE(PumpUntil(window, [&] {
                int x = 0, y = 0;
                SDL_GetMouseState(&x, &y);
                return SDL_GetMouseFocus() == sdl && x == read.x && y == read.y;
            })) << "SDL never read the pointer inside the window";
            if (focusTakenFirst)
            {
                other.TakeFocus();
                ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetKeyboardFocus() != sdl; })) << "the focus never went";
            }
            other.Minimise(sdl, stateFirst);
            other.MovePointerBy(120, 90);
            const POINT moved = other.Pointer();
            ASSERT_TRUE(PumpUntil(window, [&] { return (SDL_GetWindowFlags(sdl) & SDL_WINDOW_MINIMIZED) != 0; }))
                << "SDL never read the minimise";
            window.PumpMessages();
            const POINT now = other.Pointer();
            EXPECT_EQ(now.x, moved.x);
            EXPECT_EQ(now.y, moved.y);
            // What keeps SDL from moving the pointer must not outlive the minimise: shown again, the window would
            // confine the pointer.
            EXPECT_EQ(SDL_GetWindowMouseRect(sdl), nullptr);
        }
}

// The pointer's hold after a switch, tried as a player and other programs would on the X11 loop's bare display: a
// window in letterboxed full screen, focused, switched to a window at kWindowCorner with the pointer on the frame
// point kHeldPoint, which then lies at the same point of the window. Another program moves the window (as a window
// manager would), takes the focus, or works the mouse. The hold's time passes only as the test says.
constexpr POINT kWindowCorner{100, 150}, kHeldPoint{200, 420};

class SdlWindowBackendX11Hold : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(window.Handle(), nullptr);
        if (!UnderX11())
            GTEST_SKIP() << "needs SDL's X11 video driver, which moves the pointer";
        if (Platform::X11WindowManager::IsRunning(Sdl()).value_or(false))
            GTEST_SKIP() << "a window manager places the window itself";
        ASSERT_TRUE(other.IsOpen()) << "another program could not open the display";
        // The display's own focus, which another program can take away.
        ShowAndFocus(window.Handle());
        ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetKeyboardFocus() == Sdl(); }))
            << "the display never gave the window the focus";
    }

    SDL_Window* Sdl() const { return window.Handle()->sdl; }

    POINT Pointer() const { return other.Pointer(); }
    static POINT Offset(POINT point, int dx, int dy) { return POINT{point.x + dx, point.y + dy}; }
    POINT OnWindow(POINT frame) const { return Offset(Corner(), frame.x, frame.y); }
    POINT Corner() const
    {
        int x = 0, y = 0;
        SDL_GetWindowPosition(Sdl(), &x, &y);
        return POINT{x, y};
    }

    void SwitchToWindowAt(POINT corner)
    {
        SetWindowLong(window.Handle(), GWL_STYLE, static_cast<LONG>(WS_CAPTION | WS_SYSMENU));
        SetWindowPos(window.Handle(), nullptr, corner.x, corner.y, kLetterboxFrameWidth, kLetterboxFrameHeight,
                     SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), corner); })) << "the window never moved";
    }
    void ShowFullScreenWithThePointerOnTheHeldPoint(Letterbox& box)
    {
        ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
        ASSERT_TRUE(SetCursorPos(kHeldPoint.x, kHeldPoint.y));
    }
    // The pointer on kHeldPoint of the full-screen picture, then the switch: the hold begins.
    void SwitchFromFullScreenWithThePointerHeld(const std::function<void()>& beforeTheSwitch = {})
    {
        Letterbox box;
        ASSERT_NO_FATAL_FAILURE(ShowFullScreenWithThePointerOnTheHeldPoint(box));
        // The game's frames have read the pointer's way there: the switch's own crossings come after it.
        window.PumpMessages();
        if (beforeTheSwitch)
            beforeTheSwitch();
        ASSERT_NO_FATAL_FAILURE(SwitchToWindowAt(kWindowCorner));
        ASSERT_TRUE(SamePoint(Pointer(), OnWindow(kHeldPoint))) << "the switch did not keep the pointer";
    }
    // The window moved from under the pointer by another program: the program reads the move, then looks again.
    void MoveWindowBy(int dx, int dy)
    {
        ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(Corner(), dx, dy)));
        window.PumpMessages();
    }
    // The time passes, then the program looks again.
    void LetTimePass(int milliseconds)
    {
        clock.AdvanceSeconds(milliseconds / 1000.0);
        window.PumpMessages();
    }
    // Moved by another program, the window is where it was put once the program has read the display's word of it.
    void MoveWindowTo(POINT corner)
    {
        other.MoveWindow(Sdl(), corner.x, corner.y);
        ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), corner); })) << "the window never moved";
    }
    static bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
    // SDL asks the display for the buttons again only once it has moved the pointer or read its motion since it last
    // asked: the game puts the pointer where it is, as it may before any look.
    static void LetSdlAskForTheButtonsAfresh()
    {
        POINT at{};
        ASSERT_TRUE(GetCursorPos(&at));
        ASSERT_TRUE(SetCursorPos(at.x, at.y));
    }
    // The full-screen window sized from outside to a picture of its own, a little lower than the display.
    void ResizeFromOutside(const Letterbox& box)
    {
        const int width = box.desktop.right - box.desktop.left, height = box.desktop.bottom - box.desktop.top - 60;
        other.ResizeWindow(Sdl(), width, height);
        ASSERT_TRUE(PumpUntil(window, [&] {
            int w = 0, h = 0;
            SDL_GetWindowSize(Sdl(), &w, &h);
            return h == height;
        })) << "the window was never sized";
        window.PumpMessages();
    }

    TestSupport::FakeClock clock;
    TestWindow window{kLetterboxFrameWidth, kLetterboxFrameHeight, "Held window"};
    KorvaneTest::X11OtherProgram other;
};

// A pointer that is not over the picture at a switch belongs to the player elsewhere on the screen.
TEST_F(SdlWindowBackendX11Hold, APointerOffThePictureAtASwitchIsLeftWhereItIs)
{
    ASSERT_NO_FATAL_FAILURE(SwitchToWindowAt(kWindowCorner));
    const POINT outside{20, 20};
    ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
    // As in the game's frames, SDL has heard that the pointer left the window: its switch would otherwise put the
    // pointer back at its last place inside.
    ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetMouseFocus() != Sdl(); })) << "the pointer never left";
    Letterbox box;
    ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
    window.PumpMessages();
    EXPECT_TRUE(SamePoint(Pointer(), outside)) << "moved to " << Pointer().x << "," << Pointer().y;
}

// Put again on its point at once, in the pump that reads the move, counting the player's own motion meanwhile;
// once the picture has stood still for the window manager's chance (a second, from its last move) the hold is over.
TEST_F(SdlWindowBackendX11Hold, ThePointerFollowsEachMoveWithThePlayersMotionUntilThePictureStandsStill)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    LetTimePass(600);
    other.MovePointerBy(30, 20);
    window.PumpMessages();
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(Offset(kHeldPoint, 30, 20))))
        << "not at once on the point moved by the player's motion";
    LetTimePass(999);
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(kWindowCorner));
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(Offset(kHeldPoint, 30, 20))))
        << "the hold ended a second after the switch, not after the picture's last move";

    LetTimePass(1000);
    const POINT still = Pointer();
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), still)) << "the hold outlasted a picture that stood still";
}

// Taken off the picture, the pointer is the player's again: the window's move no longer takes it along.
TEST_F(SdlWindowBackendX11Hold, APointerTakenOffThePictureIsLetGo)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    other.MovePointerBy(-kHeldPoint.x - 50, 0);
    window.PumpMessages();
    const POINT outside = Pointer();
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), outside)) << "moved to " << Pointer().x << "," << Pointer().y;
}

// A window manager moves the window from under the still pointer, which the window then sees leave it from outside the
// window as it lies: the pointer is taken along, back onto its point of the picture, also when it stood one pixel
// past the window's far edge, and when a window behind the game's lay under it.
struct MoveFromUnderThePointer
{
    const char* name;
    POINT playersMotion;
    POINT move;
    bool windowBehind;
};

constexpr MoveFromUnderThePointer kMovesFromUnderThePointer[] = {
    {"250 px to the right", {0, 0}, {250, 0}, false},
    {"250 px to the right, over a window behind the game's", {0, 0}, {250, 0}, true},
    {"one pixel past the right edge", {400, 0}, {-200, 0}, false},
    {"one pixel past the bottom edge", {0, 0}, {0, -80}, false},
};

TEST_F(SdlWindowBackendX11Hold, AWindowMovedFromUnderAStillPointerTakesItAlong)
{
    for (const MoveFromUnderThePointer& trial : kMovesFromUnderThePointer)
    {
        SCOPED_TRACE(trial.name);
        ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
        other.MovePointerBy(trial.playersMotion.x, trial.playersMotion.y);
        window.PumpMessages();
        if (trial.windowBehind)
            other.ShowWindowBehindAtPointer(true);
        ASSERT_NO_FATAL_FAILURE(MoveWindowBy(trial.move.x, trial.move.y));
        const POINT held = Offset(kHeldPoint, trial.playersMotion.x, trial.playersMotion.y);
        EXPECT_TRUE(SamePoint(Pointer(), OnWindow(held))) << "moved to " << Pointer().x << "," << Pointer().y;
        if (trial.windowBehind)
            other.ShowWindowBehindAtPointer(false);
    }
}

// Another program shows a window over the game's under the held pointer (a menu, a launcher, a screenshot tool's
// overlay) and takes the pointer and the keyboard for it: the pointer is that program's, whether its window is still
// there or was closed when the game's window moves, and the move leaves the pointer alone.
TEST_F(SdlWindowBackendX11Hold, AWindowShownOverTheGameUnderThePointerTakesItFromTheHold)
{
    for (const bool closedBeforeTheMove : {true, false})
    {
        SCOPED_TRACE(closedBeforeTheMove ? "closed before the move" : "still there at the move");
        ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
        other.ShowWindowAtPointer(true);
        window.PumpMessages();
        if (closedBeforeTheMove)
            other.ShowWindowAtPointer(false);
        const POINT before = Pointer();
        ASSERT_NO_FATAL_FAILURE(MoveWindowBy(60, 40));
        EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
        if (!closedBeforeTheMove)
            other.ShowWindowAtPointer(false);
    }
}

// The window moved from under the held pointer, then another program's window shown where the pointer stands, both
// before the game looks again: the game's window hears of no crossing, as the pointer had left it, but at the put the
// pointer is over a window in front of the game's. The hold is over: with that window closed again and the game's
// window moved once more at once, the pointer is left alone.
TEST_F(SdlWindowBackendX11Hold, APointerOverAnotherWindowInFrontOfTheGamesIsLeftAloneForTheRestOfTheHold)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    const POINT before = Pointer(), away = Offset(Corner(), kLetterboxFrameWidth, 0);
    other.MoveWindow(Sdl(), away.x, away.y);
    other.ShowWindowAtPointer(true);
    ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), away); })) << "the window never moved";
    window.PumpMessages();
    EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
    other.ShowWindowAtPointer(false);
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
}

// The same at the program's own placement of its window, here full screen taking a frame of another shape (where
// SDL does not raise the window): the put is refused there and then, and the hold is over.
TEST_F(SdlWindowBackendX11Hold, APointerOverAnotherWindowInFrontOfTheGamesAtAPlacementIsLeftAlone)
{
    Letterbox box;
    ASSERT_NO_FATAL_FAILURE(ShowFullScreenWithThePointerOnTheHeldPoint(box));
    other.ShowWindowAtPointer(true);
    window.PumpMessages();
    const POINT before = Pointer();
    SetWindowPos(window.Handle(), nullptr, 0, 0, kLetterboxFrameWidth, kLetterboxFrameWidth * 3 / 4, 0);
    EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
    other.ShowWindowAtPointer(false);
    ASSERT_NO_FATAL_FAILURE(ResizeFromOutside(box));
    EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
}

// A drag of the window right after the switch: the window manager takes the pointer and its button, and moves the
// window with the pointer. The pointer ends where the drag leaves it, on its point of the picture, not moved a second
// time by the hold. A button the game's window got is the player's in the game: the hold goes on.
TEST_F(SdlWindowBackendX11Hold, ADragMovesThePointerWithTheWindowOnceAndAButtonInTheGameKeepsTheHold)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    other.HoldLeftButton(true);
    window.PumpMessages();
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(kHeldPoint))) << "a button held in the game ended the hold";
    other.HoldLeftButton(false);
    window.PumpMessages();

    // The whole drag between two looks of the program, as on a slow frame.
    const POINT dragged = Offset(Corner(), 100, 0);
    other.GrabPointerAndHoldLeftButton(true);
    other.MovePointerBy(100, 0);
    other.MoveWindow(Sdl(), dragged.x, dragged.y);
    other.GrabPointerAndHoldLeftButton(false);
    ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), dragged); })) << "the window never moved";
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(kHeldPoint))) << "moved to " << Pointer().x << "," << Pointer().y;
}

// A drag the window manager began before the switch, on a slow frame: the pointer is the drag's from the start.
TEST_F(SdlWindowBackendX11Hold, ADragHeldAcrossTheSwitchIsNeverHeld)
{
    Letterbox box;
    ASSERT_NO_FATAL_FAILURE(ShowFullScreenWithThePointerOnTheHeldPoint(box));
    other.GrabPointerAndHoldLeftButton(true);
    window.PumpMessages();
    ASSERT_NO_FATAL_FAILURE(SwitchToWindowAt(kWindowCorner));
    const POINT atSwitch = Pointer();
    other.MovePointerBy(100, 0);
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 100, 0)));
    other.GrabPointerAndHoldLeftButton(false);
    window.PumpMessages();
    EXPECT_TRUE(SamePoint(Pointer(), Offset(atSwitch, 100, 0))) << "moved to " << Pointer().x << "," << Pointer().y;
}

// The focus given to another program right after the switch: that program may be using the pointer, which a move of
// the game's window then leaves alone.
TEST_F(SdlWindowBackendX11Hold, AFocusGivenAwayLeavesThePointerAlone)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    other.TakeFocus();
    ASSERT_TRUE(PumpUntil(window, [&] { return SDL_GetKeyboardFocus() != Sdl(); })) << "the focus never went";
    const POINT before = Pointer();
    ASSERT_NO_FATAL_FAILURE(MoveWindowTo(Offset(kWindowCorner, 60, 40)));
    EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
}

// A button the game's window got before the switch (the fire button held in play) is the player's: the hold goes on,
// whether the program read the press before the switch or the switch comes first.
TEST_F(SdlWindowBackendX11Hold, AButtonHeldInTheGameAcrossTheSwitchKeepsTheHold)
{
    for (const bool readBeforeTheSwitch : {true, false})
    {
        SCOPED_TRACE(readBeforeTheSwitch ? "the press read before the switch" : "the press not yet read");
        ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld([&] {
            other.HoldLeftButton(true);
            if (readBeforeTheSwitch)
            {
                ASSERT_TRUE(PumpUntil(window, [] {
                    return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
                })) << "the window never got the press";
            }
            else
                LetSdlAskForTheButtonsAfresh();
        }));
        ASSERT_NO_FATAL_FAILURE(MoveWindowBy(60, 40));
        EXPECT_TRUE(SamePoint(Pointer(), OnWindow(kHeldPoint))) << "moved to " << Pointer().x << "," << Pointer().y;
        other.HoldLeftButton(false);
    }
}

// A switch into full screen: the player's motion over the full-screen picture moves the point held by as much of
// that picture as it crossed, fewer frame pixels than screen pixels on a display larger than the frame, and what each
// look saw of less than a pixel adds up. The window, sized again from outside, then shows a picture of its own.
TEST_F(SdlWindowBackendX11Hold, ThePlayersMotionMovesThePointAtTheScaleOfThePictureItWasMadeOver)
{
    for (const std::vector<int>& looks : {std::vector<int>{64}, std::vector<int>{1, 1, 1}})
    {
        SCOPED_TRACE(std::to_string(looks.size()) + " looks");
        ASSERT_NO_FATAL_FAILURE(SwitchToWindowAt(kWindowCorner));
        ASSERT_TRUE(SetCursorPos(kWindowCorner.x + kHeldPoint.x, kWindowCorner.y + kHeldPoint.y));
        Letterbox box;
        ASSERT_NO_FATAL_FAILURE(ShowLetterboxed(window, box));
        for (const int step : looks)
        {
            other.MovePointerBy(step, 0);
            window.PumpMessages();
        }
        const double motion = std::accumulate(looks.begin(), looks.end(), 0);
        ASSERT_NO_FATAL_FAILURE(ResizeFromOutside(box));
        POINT read{-1, -1};
        ASSERT_TRUE(GetCursorPos(&read));
        EXPECT_EQ(read.x, static_cast<LONG>(std::floor(kHeldPoint.x + 0.5 + motion / box.scale)));
        EXPECT_EQ(read.y, kHeldPoint.y);
    }
}

// Each trial runs as the game's frames come, then with the whole of it between two looks, as on a slow frame.
class SdlWindowBackendX11HoldOnAnyFrame : public SdlWindowBackendX11Hold,
                                          public ::testing::WithParamInterface<bool>
{
protected:
    bool SlowFrame() const { return GetParam(); }
    void Frame()
    {
        if (!SlowFrame())
            window.PumpMessages();
    }
    // Ten steps of the pointer, the window following each, as a window manager's drag moves it.
    void DragBy(int dx, int dy)
    {
        const POINT corner = Corner();
        for (int step = 1; step <= 10; ++step)
        {
            other.MovePointerBy(dx / 10, dy / 10);
            other.MoveWindow(Sdl(), corner.x + dx * step / 10, corner.y + dy * step / 10);
            Frame();
        }
    }
};

INSTANTIATE_TEST_SUITE_P(Frames, SdlWindowBackendX11HoldOnAnyFrame, ::testing::Values(false, true),
                         [](const auto& frame) { return frame.param ? "SlowFrame" : "EachStep"; });

// A window manager that drags with its modifier takes the press over the window with a grab of that window's
// button: the window hears of no crossing, and the pointer moves with it only once.
TEST_P(SdlWindowBackendX11HoldOnAnyFrame, ADragThatTakesTheWindowsOwnPressMovesThePointerOnce)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    const POINT start = Pointer(), dragged = Offset(Corner(), 100, 60);
    other.HoldLeftButtonUnderGrabOf(Sdl(), true);
    Frame();
    DragBy(100, 60);
    other.HoldLeftButtonUnderGrabOf(Sdl(), false);
    ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), dragged); })) << "the window never moved";
    window.PumpMessages();
    EXPECT_TRUE(SamePoint(Pointer(), Offset(start, 100, 60))) << "moved to " << Pointer().x << "," << Pointer().y;
}

// A title bar's drag: the pointer leaves the window in the ordinary way before the window manager's grab begins.
TEST_P(SdlWindowBackendX11HoldOnAnyFrame, ADragFromTheTitleBarMovesThePointerOnce)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    other.MovePointerBy(100, -kHeldPoint.y - 10);
    Frame();
    const POINT start = Pointer(), dragged = Offset(Corner(), 100, 60);
    other.GrabPointerAndHoldLeftButton(true);
    Frame();
    DragBy(100, 60);
    other.GrabPointerAndHoldLeftButton(false);
    ASSERT_TRUE(PumpUntil(window, [&] { return SamePoint(Corner(), dragged); })) << "the window never moved";
    window.PumpMessages();
    EXPECT_TRUE(SamePoint(Pointer(), Offset(start, 100, 60))) << "moved to " << Pointer().x << "," << Pointer().y;
}

// While another program has the pointer, by a grab with no button (a window manager's move from the keyboard) or by
// the window's own press, the game never moves it: a move of the window leaves it where it is.
TEST_F(SdlWindowBackendX11Hold, AWindowMovedWhileAnotherProgramHasThePointerLeavesItAlone)
{
    for (const bool byTheButton : {false, true})
    {
        SCOPED_TRACE(byTheButton ? "the window's press under another program's grab" : "a grab with no button");
        ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
        if (byTheButton)
            other.HoldLeftButtonUnderGrabOf(Sdl(), true);
        else
            other.GrabPointer(true);
        window.PumpMessages();
        const POINT before = Pointer();
        ASSERT_NO_FATAL_FAILURE(MoveWindowBy(60, 40));
        EXPECT_TRUE(SamePoint(Pointer(), before)) << "moved to " << Pointer().x << "," << Pointer().y;
        if (byTheButton)
            other.HoldLeftButtonUnderGrabOf(Sdl(), false);
        else
            other.GrabPointer(false);
    }
}
}

// A display without the input extension tells the player's motion over the window in its core events: the point held
// moves with them as with the extension's.
TEST_F(SdlWindowBackendX11Hold, ThePlayersMotionInTheDisplaysCoreEventsMovesThePointHeld)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld());
    other.SendCoreMotion(Sdl(), Offset(Pointer(), 30, 20));
    window.PumpMessages();
    ASSERT_NO_FATAL_FAILURE(MoveWindowBy(60, 40));
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(Offset(kHeldPoint, 30, 20))))
        << "moved to " << Pointer().x << "," << Pointer().y;
}

// A window manager's change of the full-screen window's state that hides nothing (full screen and above): the area
// that keeps SDL from moving the pointer while it reads the change is gone once it is read, by the program's look at
// its messages or by the hold's look at the buttons at a switch, with a button held elsewhere.
TEST_F(SdlWindowBackendX11Hold, AStateThatHidesNothingLeavesNoMouseAreaSet)
{
    for (const bool readAtASwitch : {false, true})
    {
        SCOPED_TRACE(readAtASwitch ? "read at a switch" : "read by a look at the messages");
        Letterbox box;
        ASSERT_NO_FATAL_FAILURE(ShowFullScreenWithThePointerOnTheHeldPoint(box));
        window.PumpMessages();
        if (readAtASwitch)
            other.GrabPointerAndHoldLeftButton(true);
        other.MarkFullScreenAndAbove(Sdl());
        if (readAtASwitch)
        {
            LetSdlAskForTheButtonsAfresh();
            SetWindowPos(window.Handle(), nullptr, 0, 0, kLetterboxFrameWidth, kLetterboxFrameWidth * 3 / 4, 0);
        }
        else
            window.PumpMessages();
        EXPECT_EQ(SDL_GetWindowMouseRect(Sdl()), nullptr);
        if (readAtASwitch)
            other.GrabPointerAndHoldLeftButton(false);
    }
}

// A window manager's move of the full-screen window just before the switch, not yet read: the crossing it made is
// older than the switch, and the hold goes on.
TEST_F(SdlWindowBackendX11Hold, ACrossingFromBeforeTheSwitchLeavesTheHoldOn)
{
    ASSERT_NO_FATAL_FAILURE(SwitchFromFullScreenWithThePointerHeld([&] { other.MoveWindow(Sdl(), 600, 0); }));
    ASSERT_NO_FATAL_FAILURE(MoveWindowBy(60, 40));
    EXPECT_TRUE(SamePoint(Pointer(), OnWindow(kHeldPoint))) << "moved to " << Pointer().x << "," << Pointer().y;
}
