// Another program on the test's X display: a client of its own, with a window of its own, that does to the display
// what other programs and a window manager do to a program's window behind its back. It takes the focus or hands it
// to any window, moves a window, and works the mouse as a player would, through the display's test extension.
// Kept free of the X headers, which define names such as None and Status.
#pragma once

#include "platform/win32/WindowApi.h"

#include <initializer_list>

struct SDL_Window;
struct _XDisplay;

namespace KorvaneTest
{
class X11OtherProgram
{
public:
    // Opens the display SDL uses (DISPLAY) and shows its own small window in the screen's corner.
    X11OtherProgram();
    // Lets go of a button it held: the display outlives the test, and the next test on it must find none down.
    ~X11OtherProgram();

    X11OtherProgram(const X11OtherProgram&) = delete;
    X11OtherProgram& operator=(const X11OtherProgram&) = delete;

    bool IsOpen() const { return m_display != nullptr; }

    void TakeFocus();
    void GiveFocusTo(SDL_Window* window);
    // Moves or sizes the window as a window manager would, the program hearing of it only from the display.
    void MoveWindow(SDL_Window* window, int x, int y);
    void ResizeWindow(SDL_Window* window, int width, int height);
    // Where the pointer is now, as the display tells this program: SDL keeps the place it last asked for until it
    // has read the motion since.
    POINT Pointer() const;
    // The player's own motion of the mouse, and the left button pressed or let go where the pointer is.
    void MovePointerBy(int dx, int dy);
    void HoldLeftButton(bool down);
    // A window manager's drag: the pointer taken for this program's own, and the left button held; then let go.
    void GrabPointerAndHoldLeftButton(bool down);
    // A window manager's move from the keyboard: the pointer taken for this program's own, with no button; then
    // given back.
    void GrabPointer(bool take);
    // A window manager's drag with its modifier: the press over the window taken by this program's grab of that
    // window's button, which takes the pointer from over the window with no crossing of it; then let go.
    void HoldLeftButtonUnderGrabOf(SDL_Window* window, bool down);
    // A window manager's minimise: the window taken off the screen and its state marked hidden, in either order, as
    // managers differ.
    void Minimise(SDL_Window* window, bool stateFirst);
    // A menu, a launcher or a screenshot tool's overlay: a window of this program's own shown over everything where
    // the pointer is, with the pointer and the keyboard taken for it; then closed.
    void ShowWindowAtPointer(bool show);
    // A window of this program's own that lies behind every other, mapped where the pointer is without taking it;
    // then closed.
    void ShowWindowBehindAtPointer(bool show);
    // A window manager's change of the window's state that hides nothing: full screen, and kept above the others.
    void MarkFullScreenAndAbove(SDL_Window* window);
    // The player's motion of the pointer to a place on the screen, as a display without the input extension tells the
    // window: the core event alone, the pointer itself left where it is.
    void SendCoreMotion(SDL_Window* window, POINT screen);

private:
    void Focus(unsigned long window);
    void MarkState(unsigned long window, std::initializer_list<const char*> states);
    unsigned long WindowAtPointer();
    void Close(unsigned long& window);

    _XDisplay* m_display;
    unsigned long m_window = 0;
    bool m_buttonHeld = false;
    unsigned long m_buttonGrabbedOn = 0;
    unsigned long m_windowAtPointer = 0;
    unsigned long m_windowBehind = 0;
};
}
