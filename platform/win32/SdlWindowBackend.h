// The window backend over SDL2: native windows with an OpenGL surface, events, cursor and display queries.
#pragma once

#include "platform/win32/LetterboxViewport.h"
#include "platform/win32/PointerHold.h"
#include "platform/win32/SdlMessageTranslator.h"
#include "platform/win32/WindowBackend.h"

#include <vector>

namespace Platform
{
class SdlWindowBackend : public WindowBackend
{
public:
    // Keys the display's own events have not named are looked up on the X display the windows are on.
    SdlWindowBackend();

    SdlWindowBackend(const SdlWindowBackend&) = delete;
    SdlWindowBackend& operator=(const SdlWindowBackend&) = delete;

    // The display's own word on its keys, which PollNativeEvent reads from the X display's events; a test gives it
    // between the SDL events it sends.
    void NoteDisplayKeys(const DisplayKeyNote& note) { m_translator.NoteDisplayKeys(note); }

    bool StartVideo() override;
    void StopVideo() override;

    bool CreateNativeWindow(PlatformWindow& window, const NativePlacement& placement) override;
    void DestroyNativeWindow(PlatformWindow& window) override;
    void PlaceNativeWindow(PlatformWindow& window, const NativePlacement& placement) override;
    void SetNativeTitle(PlatformWindow& window, const std::string& title) override;
    void ShowNativeWindow(PlatformWindow& window, bool show) override;
    void FocusNativeWindow(PlatformWindow& window) override;
    void MinimizeNativeWindow(PlatformWindow& window) override;
    void RestoreNativeWindow(PlatformWindow& window) override;
    void MaximizeNativeWindow(PlatformWindow& window) override;
    RECT GetNativeClientRect(PlatformWindow& window) override;
    PlatformWindow* GetFocusWindow() override;

    bool PollNativeEvent() override;

    RECT GetDesktopRect() override;
    std::vector<DEVMODE> GetDisplayModes() override;
    bool ReadGammaRamp(PlatformWindow& window, std::uint16_t* ramp) override;

    POINT GetCursorScreenPosition() override;
    POINT GetButtonEventScreenPosition(std::uint32_t nativeWindowId, POINT windowPoint) override;
    void WarpCursor(POINT screenPosition) override;
    // Whether anything the backend keeps still refers to the window: once it is destroyed, nothing may.
    bool KeepsAnythingOf(const PlatformWindow* window) const;
    void ShowNativeCursor(bool show) override;
    bool IsVirtualKeyDown(int virtualKey) override;
    void ShowMessageBox(const std::string& text, const std::string& caption, bool error) override;

private:
    RECT ScreenCovered(const RECT& fallback);
    PlatformWindow* ShownFullScreenWindow() const;
    static LetterboxViewport ViewportOf(PlatformWindow& window);
    PlatformWindow* WindowOfEvent(const SDL_Event& event) const;
    void ForgetFocusAsked(const SDL_Event& event, const PlatformWindow* window);
    static PlatformWindow* WindowOfPlayerInput(const SDL_Event& event);
    bool IsOnShowWithFocus(PlatformWindow& window);
    bool RestoreMinimisesNotCarriedOut(const PlatformWindow* touched);
    static void ApplyIcon(PlatformWindow& window);

    SdlMessageTranslator m_translator;
    std::vector<PlatformWindow*> m_windows;
    // The window the program last gave the keyboard focus to, until the display takes it away.
    PlatformWindow* m_focusAsked = nullptr;

    // A window's own minimise left to a window manager, which may carry it out a little later or never.
    struct MinimiseAsked
    {
        PlatformWindow* window = nullptr;
        Uint32 askedAt = 0;
    };
    std::vector<MinimiseAsked> m_minimisesAsked;

    // The pointer kept on its point of the picture after a switch, among the windows kept here.
    PointerHold m_pointerHold{m_windows};
};
}
