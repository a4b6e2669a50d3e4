// korvane_pointer_free_wait: returns once no program on the X display holds the pointer grabbed or frozen, so that a
// click given to the display has reached the window under the pointer, release included.
//   korvane_pointer_free_wait [<seconds to wait at most>]
// A window manager that focuses windows by click takes each press first, freezing the pointer, and lets it through
// to the program only when it has done its own work. Keys are not frozen meanwhile: keys typed right after such a
// click reach the program before the click whenever the manager is slow, which no player's hand could do. The
// sessions wait here after a release, before the next keys.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace
{
// A grab of our own succeeds only when the pointer is neither grabbed by another program nor frozen; it is let go at
// once.
int TryGrab(Display* display)
{
    const int status = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync, GrabModeAsync, None,
                                    None, CurrentTime);
    if (status == GrabSuccess)
        XUngrabPointer(display, CurrentTime);
    return status;
}
}

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
    {
        std::fprintf(stderr, "korvane_pointer_free_wait: no X display\n");
        return 2;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = TryGrab(display);
    while (status != GrabSuccess && std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        status = TryGrab(display);
    }
    XCloseDisplay(display);
    if (status == GrabSuccess)
        return 0;
    std::fprintf(stderr, "korvane_pointer_free_wait: the pointer stayed %s for %g seconds\n",
                 status == GrabFrozen ? "frozen" : "grabbed", seconds);
    return 1;
}
