// SDL2 windows carry an OpenGL surface (the drawing device makes its context on them) and map back to their
// PlatformWindow through the window data; each SDL event goes to the input listeners, then becomes messages.
#include "platform/win32/SdlWindowBackend.h"

#include "platform/core/GLDriverLibraries.h"
#include "platform/core/NativeWindowTeardown.h"

#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlEventListeners.h"
#include "platform/win32/SdlScreen.h"
#include "platform/win32/X11KeyEvents.h"
#include "platform/win32/X11WindowManager.h"

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace Platform
{
namespace
{
constexpr const char* kWindowDataKey = "PlatformWindow";

PlatformWindow* WindowOfSdl(SDL_Window* sdl)
{
    return sdl ? static_cast<PlatformWindow*>(SDL_GetWindowData(sdl, kWindowDataKey)) : nullptr;
}

// Whether the display minimises a window asked to: X leaves it to a window manager, and the drivers with no screen
// of their own have nowhere to minimise it to.
bool DisplayMinimizes(SDL_Window* sdl)
{
    if (const std::optional<bool> manager = X11WindowManager::IsRunning(sdl))
        return *manager;
    const char* driver = SDL_GetCurrentVideoDriver();
    return !driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0);
}

// The graphics driver's framebuffers and textures are blocks of megabytes, and the window's change size with every
// trip between the window and full screen. Once the first such block is freed, glibc raises its threshold for
// mapping blocks of their own above it, and the next ones come from the heap: the sizes of the next trip no longer
// fit the holes the last one left, and the process's resident memory climbs with every trip. A fixed threshold,
// chosen before the first window brings the driver in, keeps large blocks mapped on their own, given back whole
// when freed.
void KeepLargeBlocksMapped() { mallopt(M_MMAP_THRESHOLD, 1 << 20); }

// How long a window manager has to minimise a window, once asked, before a window still on show with the focus
// counts as not minimised: the player sees no difference, as the keys and clicks that reach the window settle it
// at once.
constexpr Uint32 kWindowManagerChanceMs = 1000;

}

SdlWindowBackend::SdlWindowBackend()
{
    m_translator.SetKeyCodeLookup([this](SDL_Scancode scancode) {
        return m_windows.empty() ? 0u : X11KeyEvents::KeyCodeOf(m_windows.front()->sdl, scancode);
    });
}

bool SdlWindowBackend::StartVideo()
{
    KeepLargeBlocksMapped();
    // Minimising a full-screen window on focus loss is the engine's own decision, not SDL's.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    X11KeyEvents::Enable();
    m_pointerHold.Start();
    // Windows get the depth and stencil the drawing layer's own framebuffers have, so it can draw straight into
    // a window and get the same pictures.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    return true;
}

void SdlWindowBackend::StopVideo()
{
    m_pointerHold.Stop();
    m_translator.ReleaseAll();
    NativeWindowTeardown::Before(nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindowBackend::CreateNativeWindow(PlatformWindow& window, const NativePlacement& placement)
{
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    RECT rect = placement.client;
    if (placement.fullScreen)
    {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        rect = ScreenCovered(placement.client);
    }
    else if (!placement.bordered)
        flags |= SDL_WINDOW_BORDERLESS;
    if (placement.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    window.sdl = SDL_CreateWindow(window.title.c_str(), rect.left, rect.top, SdlScreen::Width(rect),
                                  SdlScreen::Height(rect), flags);
    if (!window.sdl)
        return false;
    window.fullScreen = placement.fullScreen;
    window.placed = placement.client;
    // An OpenGL window has just brought in the graphics driver: keep it for the process's life.
    GLDriverLibraries::KeepLoaded();
    SDL_SetWindowData(window.sdl, kWindowDataKey, &window);
    ApplyIcon(window);
    m_windows.push_back(&window);
    SDL_StartTextInput();
    return true;
}

// The display's whole rectangle, which a full-screen window covers; the window's own placement when the display
// cannot be asked.
RECT SdlWindowBackend::ScreenCovered(const RECT& fallback)
{
    const RECT desktop = GetDesktopRect();
    return desktop.right > desktop.left && desktop.bottom > desktop.top ? desktop : fallback;
}

void SdlWindowBackend::ApplyIcon(PlatformWindow& window)
{
    const PlatformIcon* icon = window.icon;
    if (!icon || icon->rgba.empty())
        return;
    // SDL copies the pixels; the surface only borrows them for the call.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(icon->rgba.data()), static_cast<int>(icon->width), static_cast<int>(icon->height),
        32, static_cast<int>(icon->width * 4), SDL_PIXELFORMAT_RGBA32);
    if (!surface)
        return;
    SDL_SetWindowIcon(window.sdl, surface);
    SDL_FreeSurface(surface);
}

void SdlWindowBackend::DestroyNativeWindow(PlatformWindow& window)
{
    std::erase(m_windows, &window);
    std::erase_if(m_minimisesAsked, [&](const MinimiseAsked& asked) { return asked.window == &window; });
    if (m_focusAsked == &window)
        m_focusAsked = nullptr;
    m_pointerHold.ForgetWindow(window);
    if (window.sdl)
    {
        NativeWindowTeardown::Before(window.sdl);
        SDL_DestroyWindow(window.sdl);
    }
    window.sdl = nullptr;
}

void SdlWindowBackend::PlaceNativeWindow(PlatformWindow& window, const NativePlacement& placement)
{
    m_pointerHold.BeforePlacing(window);
    const RECT& rect = placement.client;
    window.fullScreen = placement.fullScreen;
    if (placement.fullScreen)
    {
        // The display keeps its own mode: the window covers it and the frame is letterboxed inside. Without a
        // window manager nobody else would size it, so it is given the display's rectangle itself before a
        // window manager, where there is one, is asked to show it full screen.
        const RECT screen = ScreenCovered(rect);
        SDL_SetWindowBordered(window.sdl, SDL_FALSE);
        SDL_SetWindowSize(window.sdl, SdlScreen::Width(screen), SdlScreen::Height(screen));
        SDL_SetWindowPosition(window.sdl, screen.left, screen.top);
        SDL_SetWindowFullscreen(window.sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    else
    {
        SDL_SetWindowFullscreen(window.sdl, 0);
        SDL_SetWindowBordered(window.sdl, placement.bordered ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(window.sdl, SdlScreen::Width(rect), SdlScreen::Height(rect));
        SDL_SetWindowPosition(window.sdl, rect.left, rect.top);
    }
    SDL_SetWindowAlwaysOnTop(window.sdl, placement.topmost ? SDL_TRUE : SDL_FALSE);
    window.placed = rect;
    m_pointerHold.AfterPlacing();
}

void SdlWindowBackend::SetNativeTitle(PlatformWindow& window, const std::string& title)
{
    SDL_SetWindowTitle(window.sdl, title.c_str());
}

void SdlWindowBackend::ShowNativeWindow(PlatformWindow& window, bool show)
{
    if (show)
        SDL_ShowWindow(window.sdl);
    else
        SDL_HideWindow(window.sdl);
}

// The keyboard focus is asked of the display itself as well: a window manager's focus-stealing guard may leave a
// window raised but unfocused, with no focus event ever to come.
void SdlWindowBackend::FocusNativeWindow(PlatformWindow& window)
{
    SDL_RaiseWindow(window.sdl);
    if (SdlScreen::IsShownUnminimized(window.sdl))
        SDL_SetWindowInputFocus(window.sdl);
    m_focusAsked = &window;
}

// A minimise the display does not carry out leaves the window on show. One the player is looking at, with the
// focus, is restored, as a desktop's restore would, so the program does not count it as minimised; one without the
// focus stays minimised to the program until the focus comes back to it. Where nobody can minimise, that is known at
// once; a window manager is judged by what it did (RestoreMinimisesNotCarriedOut).
void SdlWindowBackend::MinimizeNativeWindow(PlatformWindow& window)
{
    // The display's own minimise comes back here as a system command: the window is minimised already.
    if ((SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_MINIMIZED) != 0)
        return;
    if (!X11WindowManager::AskToIconify(window.sdl))
        SDL_MinimizeWindow(window.sdl);
    if (!IsOnShowWithFocus(window))
        return;
    if (!DisplayMinimizes(window.sdl))
    {
        PostMessage(&window, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    std::erase_if(m_minimisesAsked, [&](const MinimiseAsked& asked) { return asked.window == &window; });
    m_minimisesAsked.push_back({&window, SDL_GetTicks()});
}

bool SdlWindowBackend::IsOnShowWithFocus(PlatformWindow& window)
{
    return SdlScreen::IsShownUnminimized(window.sdl) && GetFocusWindow() == &window;
}

// A window manager that minimises takes the window off the screen and the focus with it, a little later than asked.
// One that ignores the request (a tiling manager has no minimise) leaves the window on show with the focus: once it
// has had its chance, or as soon as the display hands the window the player's keys and clicks, the minimise did not
// happen. SDL's restore of a window it does not know minimised does nothing, so a manager that iconifies later
// still has its way.
bool SdlWindowBackend::RestoreMinimisesNotCarriedOut(const PlatformWindow* touched)
{
    bool restored = false;
    std::erase_if(m_minimisesAsked, [&](const MinimiseAsked& asked) {
        if (!IsOnShowWithFocus(*asked.window))
            return true;
        if (asked.window != touched && SDL_GetTicks() - asked.askedAt < kWindowManagerChanceMs)
            return false;
        PostMessage(asked.window, WM_SYSCOMMAND, SC_RESTORE, 0);
        restored = true;
        return true;
    });
    return restored;
}

void SdlWindowBackend::RestoreNativeWindow(PlatformWindow& window) { SDL_RestoreWindow(window.sdl); }

void SdlWindowBackend::MaximizeNativeWindow(PlatformWindow& window) { SDL_MaximizeWindow(window.sdl); }

// A full-screen window's client is the screen of its mode, as the program asked for it.
RECT SdlWindowBackend::GetNativeClientRect(PlatformWindow& window)
{
    if (window.fullScreen)
        return RECT{0, 0, SdlScreen::Width(window.placement), SdlScreen::Height(window.placement)};
    return SdlScreen::NativeRect(window);
}

// The full-screen window on show, whose mode is the screen the program's pointer positions are in.
PlatformWindow* SdlWindowBackend::ShownFullScreenWindow() const
{
    for (PlatformWindow* window : m_windows)
        if (window->fullScreen && window->sdl && SdlScreen::IsShownUnminimized(window->sdl))
            return window;
    return nullptr;
}

// A full-screen window's picture, of the frame the program now draws.
LetterboxViewport SdlWindowBackend::ViewportOf(PlatformWindow& window)
{
    return SdlScreen::PictureOf(window, window.placement);
}

// The display reports the focus some time after it was given, and not at all to a window that was mapped
// straight into it: a window the program focused itself counts as focused while it is shown, until the display
// says it has lost the focus.
PlatformWindow* SdlWindowBackend::GetFocusWindow()
{
    if (PlatformWindow* focused = WindowOfSdl(SDL_GetKeyboardFocus()))
        return focused;
    if (m_focusAsked && m_focusAsked->sdl && SdlScreen::IsShownUnminimized(m_focusAsked->sdl))
        return m_focusAsked;
    return nullptr;
}

void SdlWindowBackend::ForgetFocusAsked(const SDL_Event& event, const PlatformWindow* window)
{
    if (event.type != SDL_WINDOWEVENT || !window || window != m_focusAsked)
        return;
    const Uint8 change = event.window.event;
    if (change == SDL_WINDOWEVENT_FOCUS_LOST || change == SDL_WINDOWEVENT_MINIMIZED ||
        change == SDL_WINDOWEVENT_HIDDEN)
        m_focusAsked = nullptr;
}

PlatformWindow* SdlWindowBackend::WindowOfEvent(const SDL_Event& event) const
{
    Uint32 id = 0;
    switch (event.type)
    {
    case SDL_WINDOWEVENT:
        id = event.window.windowID;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        id = event.key.windowID;
        break;
    case SDL_TEXTINPUT:
        id = event.text.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        id = event.button.windowID;
        break;
    default:
        return nullptr;
    }
    PlatformWindow* window = WindowOfSdl(SDL_GetWindowFromID(id));
    return window ? window : WindowOfSdl(SDL_GetKeyboardFocus());
}

PlatformWindow* SdlWindowBackend::WindowOfPlayerInput(const SDL_Event& event)
{
    if (event.type == SDL_KEYDOWN)
        return WindowOfSdl(SDL_GetWindowFromID(event.key.windowID));
    if (event.type == SDL_MOUSEBUTTONDOWN)
        return WindowOfSdl(SDL_GetWindowFromID(event.button.windowID));
    return nullptr;
}

bool SdlWindowBackend::PollNativeEvent()
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return false;
    SDL_Event event;
    const bool read = SDL_PollEvent(&event) != 0;
    m_pointerHold.AfterQueueRead();
    // Judged once SDL has read all the display sent: a manager's late minimise is then known.
    if (!read)
    {
        m_pointerHold.Look(GetFocusWindow());
        return RestoreMinimisesNotCarriedOut(nullptr);
    }
    NotifySdlEventListeners(event);
    if (event.type == SDL_QUIT)
    {
        // A quit request (the last window closed, or a signal) closes every window.
        for (PlatformWindow* window : m_windows)
            PostMessage(window, WM_CLOSE, 0, 0);
        return true;
    }
    PlatformWindow* window = WindowOfEvent(event);
    ForgetFocusAsked(event, window);
    // Before the input's own messages, so that the program reads them in a window it no longer counts minimised.
    if (const PlatformWindow* touched = WindowOfPlayerInput(event))
        RestoreMinimisesNotCarriedOut(touched);
    // A maximise cannot be refused here, so undo it and let the window procedure decide (SC_MAXIMIZE).
    if (window && event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_MAXIMIZED)
        SDL_RestoreWindow(window->sdl);
    std::vector<MSG> messages;
    m_translator.Translate(event, window, messages);
    for (const MSG& message : messages)
        PostMessage(message.hwnd, message.message, message.wParam, message.lParam);
    // The display's own key event comes just before the SDL events it stands for.
    if (const std::optional<DisplayKeyNote> note = X11KeyEvents::Read(event))
        m_translator.NoteDisplayKeys(*note);
    return true;
}

RECT SdlWindowBackend::GetDesktopRect()
{
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &bounds) != 0)
        return RECT{};
    return RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

std::vector<DEVMODE> SdlWindowBackend::GetDisplayModes()
{
    std::vector<DEVMODE> modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        modes.push_back(DEVMODE{static_cast<DWORD>(SDL_BYTESPERPIXEL(mode.format) * 8), static_cast<DWORD>(mode.w),
                                static_cast<DWORD>(mode.h), static_cast<DWORD>(mode.refresh_rate)});
    }
    return modes;
}

bool SdlWindowBackend::ReadGammaRamp(PlatformWindow& window, std::uint16_t* ramp)
{
    return window.sdl && SDL_GetWindowGammaRamp(window.sdl, ramp, ramp + 256, ramp + 512) == 0;
}

// Without the video system SDL's X11 driver has no display to ask and would crash: an input device can still
// take a button event then, and gets the origin.
POINT SdlWindowBackend::GetCursorScreenPosition()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return POINT{0, 0};
    const POINT pointer = SdlScreen::Pointer();
    PlatformWindow* fullScreen = ShownFullScreenWindow();
    return fullScreen ? ViewportOf(*fullScreen).ToFrame(pointer) : pointer;
}

// The event's place inside its window goes through the same letterbox as the pointer's screen position.
POINT SdlWindowBackend::GetButtonEventScreenPosition(std::uint32_t nativeWindowId, POINT windowPoint)
{
    PlatformWindow* window = WindowOfSdl(SDL_GetWindowFromID(nativeWindowId));
    if (!window)
        return GetCursorScreenPosition();
    const RECT native = SdlScreen::NativeRect(*window);
    const POINT screen{native.left + windowPoint.x, native.top + windowPoint.y};
    PlatformWindow* fullScreen = ShownFullScreenWindow();
    return fullScreen ? ViewportOf(*fullScreen).ToFrame(screen) : screen;
}

void SdlWindowBackend::WarpCursor(POINT screenPosition)
{
    PlatformWindow* fullScreen = ShownFullScreenWindow();
    const POINT native = fullScreen ? ViewportOf(*fullScreen).ToScreen(screenPosition) : screenPosition;
    SDL_WarpMouseGlobal(native.x, native.y);
}

bool SdlWindowBackend::KeepsAnythingOf(const PlatformWindow* window) const
{
    const auto refersTo = [&](const MinimiseAsked& asked) { return asked.window == window; };
    return std::ranges::find(m_windows, window) != m_windows.end() || m_focusAsked == window ||
           std::ranges::any_of(m_minimisesAsked, refersTo) || m_pointerHold.KeepsAnythingOf(window);
}

void SdlWindowBackend::ShowNativeCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

bool SdlWindowBackend::IsVirtualKeyDown(int virtualKey) { return m_translator.IsVirtualKeyDown(virtualKey); }

// Without a display SDL cannot show the box; the caller has already written the text to the error stream.
void SdlWindowBackend::ShowMessageBox(const std::string& text, const std::string& caption, bool error)
{
    const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
}
}
