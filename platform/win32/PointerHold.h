// The pointer kept on its point of a window's picture while a switch between full screen and a window settles, and
// SDL kept from moving the pointer itself at its word that a full-screen window was hidden. The window backend
// calls it at a switch, after each read of SDL's queue and at a window's end; it watches the display's events itself.
#pragma once

#include "platform/win32/LetterboxViewport.h"

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace Platform
{
class PointerHold
{
public:
    // The program's windows, as the backend keeps them.
    explicit PointerHold(const std::vector<PlatformWindow*>& windows) : m_windows(windows) {}
    ~PointerHold();

    PointerHold(const PointerHold&) = delete;
    PointerHold& operator=(const PointerHold&) = delete;

    // The display's events are watched from the video system's start to its end.
    void Start();
    void Stop();
    // A switch: the pointer's point of the picture is taken before the window is placed anew, and the pointer put on
    // it once the window has been.
    void BeforePlacing(PlatformWindow& window);
    void AfterPlacing();
    // After each read of SDL's queue; once the queue is empty, the look at the held pointer, given the window that
    // has the keyboard focus.
    void AfterQueueRead();
    void Look(const PlatformWindow* focused);
    void ForgetWindow(const PlatformWindow& window);
    bool KeepsAnythingOf(const PlatformWindow* window) const;

private:
    struct Held;
    std::optional<Held> PointerOnPicture(PlatformWindow& window);
    static int SDLCALL WatchDisplayEvents(void* hold, SDL_Event* event);
    bool ButtonsHeldElsewhere();
    void KeepSdlFromMovingThePointer(const SDL_Event& event);
    void LetSdlMoveThePointer();
    void NotePointerEvent(const SDL_Event& event);
    static bool InsideWindow(PlatformWindow& window, POINT inWindow);
    [[nodiscard]] static bool PutPointerOnPicture(Held& held);
    static void ReadPointer(Held& held);
    static POINT HeldPixel(const Held& held);

    const std::vector<PlatformWindow*>& m_windows;

    struct Held
    {
        PlatformWindow* window = nullptr;
        // The picture the pointer was last put on, and its point there, in the frame's pixels and their fractions:
        // the player's motion over a picture of another scale moves it by less than a pixel.
        LetterboxViewport picture;
        double x = 0.0;
        double y = 0.0;
        // Where the pointer was put, and where it has been seen since: a pointer seen elsewhere was moved by the
        // player. On an X display only the motion the window itself gets is seen, as another program's drag moves
        // the pointer with none; elsewhere the pointer is read at each look.
        POINT putAt{};
        POINT seenAt{};
        // On an X display, the serial of the reading of the pointer at the last put: what the display sent before it
        // is older than the put, the crossings of the switch itself among them.
        std::optional<unsigned long> putSerial{};
        // When the picture was first seen where it lies now.
        std::uint32_t pictureSince = 0;
    };
    std::optional<Held> m_held;

    // The full-screen window whose own moves of the pointer SDL is kept from making while it reads one of the
    // display's events.
    PlatformWindow* m_sdlKeptFromMovingThePointer = nullptr;
};
}
