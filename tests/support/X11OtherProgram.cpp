// Kept out of the support library's single source (see tests/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "tests/support/X11OtherProgram.h"

#include "platform/win32/X11Client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <vector>

namespace KorvaneTest
{
namespace
{
::Window X11WindowOf(SDL_Window* window) { return Platform::X11Client::WindowOf(window).window; }
}

X11OtherProgram::X11OtherProgram() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(m_display, m_window);
    XSync(m_display, False);
}

X11OtherProgram::~X11OtherProgram()
{
    if (!m_display)
        return;
    if (m_buttonHeld)
        HoldLeftButton(false);
    if (m_windowAtPointer)
        ShowWindowAtPointer(false);
    if (m_windowBehind)
        ShowWindowBehindAtPointer(false);
    XUngrabPointer(m_display, CurrentTime);
    if (m_buttonGrabbedOn)
        XUngrabButton(m_display, Button1, AnyModifier, m_buttonGrabbedOn);
    XDestroyWindow(m_display, m_window);
    XCloseDisplay(m_display);
}

void X11OtherProgram::TakeFocus() { Focus(m_window); }

void X11OtherProgram::GiveFocusTo(SDL_Window* window) { Focus(X11WindowOf(window)); }

void X11OtherProgram::Focus(unsigned long window)
{
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void X11OtherProgram::MoveWindow(SDL_Window* window, int x, int y)
{
    XMoveWindow(m_display, X11WindowOf(window), x, y);
    XSync(m_display, False);
}

void X11OtherProgram::ResizeWindow(SDL_Window* window, int width, int height)
{
    XResizeWindow(m_display, X11WindowOf(window), static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(m_display, False);
}

POINT X11OtherProgram::Pointer() const { return Platform::X11Client::PointerOn(m_display, m_window); }

void X11OtherProgram::MovePointerBy(int dx, int dy)
{
    XTestFakeRelativeMotionEvent(m_display, dx, dy, CurrentTime);
    XSync(m_display, False);
}

// The button's press goes to the client that has the pointer, as it does to a window manager that starts a drag.
void X11OtherProgram::GrabPointerAndHoldLeftButton(bool down)
{
    if (down)
        GrabPointer(true);
    HoldLeftButton(down);
    if (!down)
        GrabPointer(false);
}

void X11OtherProgram::GrabPointer(bool take)
{
    if (take)
        XGrabPointer(m_display, m_window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    else
        XUngrabPointer(m_display, CurrentTime);
    XSync(m_display, False);
}

// The grab of the button becomes this program's grab of the pointer at the press, and ends as the button is let go.
void X11OtherProgram::HoldLeftButtonUnderGrabOf(SDL_Window* window, bool down)
{
    if (down)
    {
        m_buttonGrabbedOn = X11WindowOf(window);
        XGrabButton(m_display, Button1, AnyModifier, m_buttonGrabbedOn, False,
                    ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync, GrabModeAsync, 0, 0);
    }
    HoldLeftButton(down);
    if (!down && m_buttonGrabbedOn)
    {
        XUngrabButton(m_display, Button1, AnyModifier, m_buttonGrabbedOn);
        XSync(m_display, False);
        m_buttonGrabbedOn = 0;
    }
}

void X11OtherProgram::HoldLeftButton(bool down)
{
    XTestFakeButtonEvent(m_display, 1, down ? True : False, CurrentTime);
    XSync(m_display, False);
    m_buttonHeld = down;
}

void X11OtherProgram::Minimise(SDL_Window* window, bool stateFirst)
{
    const ::Window minimised = X11WindowOf(window);
    if (stateFirst)
        MarkState(minimised, {"_NET_WM_STATE_HIDDEN"});
    XUnmapWindow(m_display, minimised);
    if (!stateFirst)
        MarkState(minimised, {"_NET_WM_STATE_HIDDEN"});
    XSync(m_display, False);
}

void X11OtherProgram::MarkFullScreenAndAbove(SDL_Window* window)
{
    MarkState(X11WindowOf(window), {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_ABOVE"});
    XSync(m_display, False);
}

void X11OtherProgram::MarkState(unsigned long window, std::initializer_list<const char*> states)
{
    std::vector<Atom> atoms;
    for (const char* state : states)
        atoms.push_back(XInternAtom(m_display, state, False));
    XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

void X11OtherProgram::SendCoreMotion(SDL_Window* window, POINT screen)
{
    XEvent motion{};
    motion.xmotion.type = MotionNotify;
    motion.xmotion.display = m_display;
    motion.xmotion.window = X11WindowOf(window);
    motion.xmotion.root = DefaultRootWindow(m_display);
    motion.xmotion.x_root = screen.x;
    motion.xmotion.y_root = screen.y;
    ::Window child = 0;
    XTranslateCoordinates(m_display, motion.xmotion.root, motion.xmotion.window, screen.x, screen.y, &motion.xmotion.x,
                          &motion.xmotion.y, &child);
    motion.xmotion.same_screen = True;
    XSendEvent(m_display, motion.xmotion.window, False, PointerMotionMask, &motion);
    XSync(m_display, False);
}

void X11OtherProgram::Close(unsigned long& window)
{
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
    window = 0;
}

// A window around the pointer, not yet mapped: placed past any window manager, as menus are.
unsigned long X11OtherProgram::WindowAtPointer()
{
    const POINT at = Pointer();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    return XCreateWindow(m_display, DefaultRootWindow(m_display), at.x - 100, at.y - 75, 200, 150, 0, CopyFromParent,
                         InputOutput, nullptr, CWOverrideRedirect, &attributes);
}

// Shown over everything, and taken from the pointer's place at once.
void X11OtherProgram::ShowWindowAtPointer(bool show)
{
    if (!show)
    {
        XUngrabPointer(m_display, CurrentTime);
        XUngrabKeyboard(m_display, CurrentTime);
        Close(m_windowAtPointer);
        return;
    }
    m_windowAtPointer = WindowAtPointer();
    XMapRaised(m_display, m_windowAtPointer);
    XSync(m_display, False);
    XGrabPointer(m_display, m_windowAtPointer, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    XGrabKeyboard(m_display, m_windowAtPointer, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    XSync(m_display, False);
}

// Lowered before it is mapped, so that it never lies over another window and no window sees the pointer cross it.
void X11OtherProgram::ShowWindowBehindAtPointer(bool show)
{
    if (!show)
    {
        Close(m_windowBehind);
        return;
    }
    m_windowBehind = WindowAtPointer();
    XLowerWindow(m_display, m_windowBehind);
    XMapWindow(m_display, m_windowBehind);
    XSync(m_display, False);
}
}
