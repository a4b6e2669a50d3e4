// The pointer's hold after a switch between full screen and a window, and the guard against SDL's own move of the
// pointer when it reads that a full-screen window was hidden.
#include "platform/win32/PointerHold.h"

#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlScreen.h"
#include "platform/win32/Time.h"
#include "platform/win32/X11PointerEvents.h"
#include "platform/win32/X11WindowManager.h"

#include <SDL.h>

#include <cmath>

namespace Platform
{
namespace
{
// How long the picture stands still before the hold is over: the time a window manager has to place a window.
constexpr std::uint32_t kPlacingChanceMs = 1000;

bool ButtonsSeenHeldElsewhere()
{
    return (SDL_GetGlobalMouseState(nullptr, nullptr) & ~SDL_GetMouseState(nullptr, nullptr)) != 0;
}

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

bool SamePicture(const LetterboxViewport& a, const LetterboxViewport& b)
{
    const RECT& first = a.Viewport();
    const RECT& second = b.Viewport();
    return first.left == second.left && first.top == second.top && first.right == second.right &&
           first.bottom == second.bottom && a.FrameWidth() == b.FrameWidth() && a.FrameHeight() == b.FrameHeight();
}

bool OnFrame(const LetterboxViewport& picture, POINT point)
{
    return point.x >= 0 && point.y >= 0 && point.x < picture.FrameWidth() && point.y < picture.FrameHeight();
}
}

PointerHold::~PointerHold() { SDL_DelEventWatch(WatchDisplayEvents, this); }

void PointerHold::Start()
{
    SDL_DelEventWatch(WatchDisplayEvents, this);
    SDL_AddEventWatch(WatchDisplayEvents, this);
}

void PointerHold::Stop()
{
    SDL_DelEventWatch(WatchDisplayEvents, this);
    LetSdlMoveThePointer();
}

void PointerHold::BeforePlacing(PlatformWindow& window) { m_held = PointerOnPicture(window); }

// SDL's switch puts the pointer back at its old place inside the window: that move is not the player's.
void PointerHold::AfterPlacing()
{
    if (m_held && !PutPointerOnPicture(*m_held))
        m_held.reset();
}

void PointerHold::AfterQueueRead() { LetSdlMoveThePointer(); }

void PointerHold::ForgetWindow(const PlatformWindow& window)
{
    if (m_held && m_held->window == &window)
        m_held.reset();
    if (m_sdlKeptFromMovingThePointer == &window)
        LetSdlMoveThePointer();
}

bool PointerHold::KeepsAnythingOf(const PlatformWindow* window) const
{
    return (m_held && m_held->window == window) || m_sdlKeptFromMovingThePointer == window;
}

// The pointer's point of the window's picture as it lies now, when the pointer is over it and not taken by another
// program (a drag the window manager began before the switch): the middle of the frame pixel under it.
std::optional<PointerHold::Held> PointerHold::PointerOnPicture(PlatformWindow& window)
{
    if (!window.sdl || !SdlScreen::IsShownUnminimized(window.sdl) || ButtonsHeldElsewhere())
        return std::nullopt;
    Held held{&window, SdlScreen::PictureOf(window, window.placed)};
    ReadPointer(held);
    const POINT pixel = held.picture.ToFrame(held.putAt);
    if (!OnFrame(held.picture, pixel))
        return std::nullopt;
    held.x = pixel.x + 0.5;
    held.y = pixel.y + 0.5;
    held.pictureSince = GetTickCount();
    return held;
}

// Mouse buttons held down that the program's windows did not get: another program has the pointer, or a window
// manager that drags a window with it (it takes the press over its frame, or with a modifier over the window). A
// press that reached the program's window after SDL last read the display's events is read first: the display
// answers the question of the buttons only after every event it sent before. That read may come outside a poll of
// SDL's queue (at a switch), and an event it read may have kept SDL from moving the pointer: SDL may move it again
// once the read is over, as after a poll.
bool PointerHold::ButtonsHeldElsewhere()
{
    if (!ButtonsSeenHeldElsewhere())
        return false;
    SDL_PumpEvents();
    LetSdlMoveThePointer();
    return ButtonsSeenHeldElsewhere();
}

// A switch between full screen and a window moves the picture under the pointer, and SDL's switch puts the pointer
// back at its old place inside the window, now over another point of the picture. The pointer is kept on its point
// of the picture instead, so that the game's cursor and the bat stay where the player had them: put there after the
// switch, then again whenever the window manager has moved or sized the window, until the picture has stood still
// for as long as a manager has to place it. Put by the geometry SDL knows, the pointer reads back on its point at
// every moment, even before SDL hears of the manager's move. The player's own motion meanwhile moves the point held,
// at the scale of the picture it was made over. The game moves the pointer only for the player: a pointer taken off
// the picture is let go, and so is one that another program may be using, once the window has lost the focus (or
// left the screen), a button is held that the window did not get, or the pointer is over another window in front
// of the game's. The time is the platform's clock, which a test may hold still.
void PointerHold::Look(const PlatformWindow* focused)
{
    // SDL may read the display's events for the buttons' sake, and with them the pointer's end of the hold.
    if (m_held && (m_held->window != focused || !SdlScreen::IsShownUnminimized(m_held->window->sdl) ||
                   ButtonsHeldElsewhere()))
        m_held.reset();
    if (!m_held)
        return;
    Held& held = *m_held;
    const POINT pointer = held.putSerial ? held.seenAt : SdlScreen::Pointer();
    held.x += (pointer.x - held.putAt.x) * static_cast<double>(held.picture.FrameWidth()) /
              SdlScreen::Width(held.picture.Viewport());
    held.y += (pointer.y - held.putAt.y) * static_cast<double>(held.picture.FrameHeight()) /
              SdlScreen::Height(held.picture.Viewport());
    held.putAt = held.seenAt = pointer;
    if (!OnFrame(held.picture, HeldPixel(held)))
        m_held.reset();
    else if (!SamePicture(SdlScreen::PictureOf(*held.window, held.window->placed), held.picture))
    {
        if (!PutPointerOnPicture(held))
            m_held.reset();
    }
    else if (GetTickCount() - held.pictureSince >= kPlacingChanceMs)
        m_held.reset();
}

// The display's events are watched as SDL reads them, while the details of its input extension's events are there,
// and before SDL acts on them. SDL calls a watch on the thread that adds the event, and the audio system adds its
// device events from a thread of its own: only the display's events, which the main thread reads, may touch the
// hold, and the type tests below leave every other event alone.
int PointerHold::WatchDisplayEvents(void* hold, SDL_Event* event)
{
    auto* self = static_cast<PointerHold*>(hold);
    self->KeepSdlFromMovingThePointer(*event);
    if (event->type == SDL_SYSWMEVENT)
        self->NotePointerEvent(*event);
    return 0;
}

// SDL takes a full-screen window out of full screen as soon as it reads that the display hid it (a minimise, the
// game's own at a focus loss or the player's), and then puts the pointer back at its last place inside the window:
// a place as old as SDL's last reading of the window's events, while the player's motion goes on over whatever the
// window uncovered. SDL's X11 driver makes that move only while no mouse area is set on the window, so the window's
// whole self is made its area just while SDL reads an event that may hide it. A window without the focus only notes
// the area; one with it has the display bar the pointer from crossing its edges, which in full screen are the
// display's own, for as long as SDL reads the one event: that takes the display's pointer barriers (XFixes 5), and
// with an older XFixes a window that keeps the focus through the hide still has its pointer moved. The area goes at
// SDL's word of the hide (after its move would have been made), at the display's next event, or once the queue is
// read, whichever comes first: a window shown again with the area still set would keep the pointer inside it.
void PointerHold::KeepSdlFromMovingThePointer(const SDL_Event& event)
{
    const bool hideRead = event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_HIDDEN ||
                                                           event.window.event == SDL_WINDOWEVENT_MINIMIZED);
    if (event.type != SDL_SYSWMEVENT && !hideRead)
        return;
    LetSdlMoveThePointer();
    if (hideRead)
        return;
    for (PlatformWindow* window : m_windows)
    {
        const Uint32 flags = SDL_GetWindowFlags(window->sdl);
        if ((flags & SDL_WINDOW_FULLSCREEN) == 0 || (flags & SDL_WINDOW_MINIMIZED) != 0 ||
            !X11WindowManager::MayReportHidden(event, window->sdl))
            continue;
        SDL_Rect whole{0, 0, 0, 0};
        SDL_GetWindowSize(window->sdl, &whole.w, &whole.h);
        SDL_SetWindowMouseRect(window->sdl, &whole);
        m_sdlKeptFromMovingThePointer = window;
        return;
    }
}

void PointerHold::LetSdlMoveThePointer()
{
    if (!m_sdlKeptFromMovingThePointer)
        return;
    SDL_SetWindowMouseRect(m_sdlKeptFromMovingThePointer->sdl, nullptr);
    m_sdlKeptFromMovingThePointer = nullptr;
}

// The display's word on the pointer over the held window, in the order it was sent: the player's motion there, or
// the pointer gone from it.
void PointerHold::NotePointerEvent(const SDL_Event& event)
{
    if (!m_held)
        return;
    Held& held = *m_held;
    const std::optional<DisplayPointerNote> note = X11PointerEvents::Read(event, held.window->sdl);
    if (!note)
        return;
    // A window manager's drag moves the window with the pointer: were the pointer held meanwhile, its motion would
    // count twice, once as the player's motion of the point and again in the move of the picture, and each put of
    // the pointer would drag the window further. The drag may be over before the program looks again.
    if (note->kind == DisplayPointerNote::Kind::Taken)
    {
        m_held.reset();
        return;
    }
    if (!held.putSerial || note->Before(*held.putSerial))
        return;
    if (note->kind == DisplayPointerNote::Kind::Moved)
        held.seenAt = note->screen;
    // Gone where the window last saw it and from outside the window as it lay then, the pointer stood still while
    // the window moved from under it (a window manager placing it), and is put back on the picture. Gone elsewhere,
    // it moved out: the player took it off the picture, or to a title bar whose drag the window never hears of. Gone
    // from inside the window, it passed into a window shown over the game's (another program's menu or overlay,
    // which may take the pointer for its own with no word to the game), or the window was hidden.
    else if (note->kind == DisplayPointerNote::Kind::Left &&
             (!SamePoint(note->screen, held.seenAt) || InsideWindow(*held.window, note->inWindow)))
        m_held.reset();
}

// SDL has read the display's events up to the one being read, and with them the window's size at that event.
bool PointerHold::InsideWindow(PlatformWindow& window, POINT inWindow)
{
    int width = 0, height = 0;
    SDL_GetWindowSize(window.sdl, &width, &height);
    return inWindow.x >= 0 && inWindow.y >= 0 && inWindow.x < width && inWindow.y < height;
}

// Puts the pointer on the point held, on the picture as SDL now knows it, unless it lies over that point already.
// A pointer over another window in front of the game's is that window's program's, which may have taken it for its
// own with no word to the game: false, the hold is over. The reading only tells whether the pointer lies on the point
// already: the move goes to the point held, so the player's motion between the reading and the move is not kept,
// whichever of the display's two answers is asked for first.
bool PointerHold::PutPointerOnPicture(Held& held)
{
    const LetterboxViewport picture = SdlScreen::PictureOf(*held.window, held.window->placed);
    held.x *= static_cast<double>(picture.FrameWidth()) / held.picture.FrameWidth();
    held.y *= static_cast<double>(picture.FrameHeight()) / held.picture.FrameHeight();
    held.picture = picture;
    held.pictureSince = GetTickCount();
    const bool overWindowInFront = X11PointerEvents::OverWindowInFrontOf(held.window->sdl);
    ReadPointer(held);
    const POINT pixel = HeldPixel(held);
    if (SamePoint(picture.ToFrame(held.putAt), pixel))
        return true;
    if (overWindowInFront)
        return false;
    const POINT onPicture = picture.ToScreen(pixel);
    SDL_WarpMouseGlobal(onPicture.x, onPicture.y);
    ReadPointer(held);
    return true;
}

// Where the pointer is now, and on an X display the serial that places the reading among the display's events. SDL's
// own reading on X keeps the place it last asked for until it has read the pointer's motion since.
void PointerHold::ReadPointer(Held& held)
{
    const std::optional<DisplayPointerNote> reading = X11PointerEvents::ReadPointer(held.window->sdl);
    held.putAt = held.seenAt = reading ? reading->screen : SdlScreen::Pointer();
    held.putSerial = reading ? std::optional<unsigned long>(reading->serial) : std::nullopt;
}

POINT PointerHold::HeldPixel(const Held& held)
{
    return POINT{static_cast<LONG>(std::floor(held.x)), static_cast<LONG>(std::floor(held.y))};
}
}
