// Kept out of the platform's single source (see platform/CMakeLists.txt): the X headers define names such as
// None and Status that would reach every file compiled after it.
#include "platform/win32/X11PointerEvents.h"

#include "platform/win32/X11Client.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Platform
{
namespace
{
DisplayPointerNote NoteOf(DisplayPointerNote::Kind kind, int x, int y, unsigned long serial)
{
    return DisplayPointerNote{kind, POINT{x, y}, serial, POINT{}};
}

// The display's number for its input extension, whose events carry the pointer's motion over SDL's windows where
// SDL asked for them (the core motion events then stop): asked of the display once.
int InputExtensionOf(Display* display)
{
    static Display* asked = nullptr;
    static int opcode = -1;
    if (display != asked)
    {
        int event = 0, error = 0;
        if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
            opcode = -1;
        asked = display;
    }
    return opcode;
}

// The extension's own motion event: its details are there only while SDL hands the event on, to a watch of events.
std::optional<DisplayPointerNote> NoteOfInputMotion(const XGenericEventCookie& cookie, const X11Window& window)
{
    if (cookie.extension != InputExtensionOf(window.display) || cookie.evtype != XI_Motion || !cookie.data)
        return std::nullopt;
    const auto* motion = static_cast<const XIDeviceEvent*>(cookie.data);
    if (motion->event != window.window)
        return std::nullopt;
    return NoteOf(DisplayPointerNote::Kind::Moved, static_cast<int>(std::floor(motion->root_x)),
                  static_cast<int>(std::floor(motion->root_y)), cookie.serial);
}

// Only a crossing out of the window itself: the pointer gone into a window inside it has not left it.
std::optional<DisplayPointerNote> NoteOfLeave(const XCrossingEvent& leave)
{
    if (leave.detail == NotifyInferior)
        return std::nullopt;
    const DisplayPointerNote::Kind kind =
        leave.mode == NotifyGrab ? DisplayPointerNote::Kind::Taken : DisplayPointerNote::Kind::Left;
    DisplayPointerNote note = NoteOf(kind, leave.x_root, leave.y_root, leave.serial);
    note.inWindow = POINT{leave.x, leave.y};
    return note;
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

// Another client may destroy its windows (a window manager's frame) between two questions about them: the display's
// error, which by default ends the program, then only means that the answer is not there. Each question waits for its
// answer, so its error has come by then.
template <typename Asking>
auto IgnoringErrors(Asking ask)
{
    const XErrorHandler previous = XSetErrorHandler(IgnoreError);
    const auto answer = ask();
    XSetErrorHandler(previous);
    return answer;
}

// The child of the root that holds the window: the window itself, or the frame a window manager put it in.
::Window TopLevelOf(Display* display, ::Window window, ::Window& root)
{
    for (;;)
    {
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}

// The root's children from the bottom of the stack to its top.
std::vector<::Window> StackOf(Display* display, ::Window root)
{
    ::Window rootAgain = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &rootAgain, &parent, &children, &count))
        return {};
    std::vector<::Window> stack(children, children + count);
    if (children)
        XFree(children);
    return stack;
}
}

// The display marks what it sends with the serial of the program's last request it has carried out: the reading's
// own serial, taken before the question, marks everything it sends after answering it.
std::optional<DisplayPointerNote> X11PointerEvents::ReadPointer(SDL_Window* window)
{
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display)
        return std::nullopt;
    // Asked here, once, rather than while SDL reads the display's events.
    InputExtensionOf(x11.display);
    const unsigned long serial = XNextRequest(x11.display);
    return DisplayPointerNote{DisplayPointerNote::Kind::Read, X11Client::PointerOn(x11.display, x11.window), serial};
}

std::optional<DisplayPointerNote> X11PointerEvents::Read(const SDL_Event& event, SDL_Window* window)
{
    const XEvent* x = X11Client::EventOf(event);
    if (!x)
        return std::nullopt;
    const X11Window x11 = X11Client::WindowOf(window);
    if (x->type == GenericEvent)
        return NoteOfInputMotion(x->xcookie, x11);
    if (x->xany.window != x11.window)
        return std::nullopt;
    if (x->type == MotionNotify)
        return NoteOf(DisplayPointerNote::Kind::Moved, x->xmotion.x_root, x->xmotion.y_root, x->xmotion.serial);
    if (x->type == LeaveNotify)
        return NoteOfLeave(x->xcrossing);
    return std::nullopt;
}

bool X11PointerEvents::OverWindowInFrontOf(SDL_Window* window)
{
    const X11Window x11 = X11Client::WindowOf(window);
    if (!x11.display)
        return false;
    ::Window root = 0;
    const ::Window own = IgnoringErrors([&] { return TopLevelOf(x11.display, x11.window, root); });
    ::Window rootAgain = 0, under = 0;
    int x = 0, y = 0, inWindowX = 0, inWindowY = 0;
    unsigned int buttons = 0;
    if (!own || !XQueryPointer(x11.display, root, &rootAgain, &under, &x, &y, &inWindowX, &inWindowY, &buttons) ||
        under == 0 || under == own)
        return false;
    const std::vector<::Window> stack = StackOf(x11.display, root);
    const auto ownPlace = std::ranges::find(stack, own);
    return std::find(ownPlace, stack.end(), under) != stack.end();
}
}
