// Alt+Enter on a real X display, without a window manager, when the focus goes elsewhere and comes back. Held across
// a switch while another window takes the focus and gives it back: SDL lets go of both keys at the focus loss, and
// the display's repeat of the held Enter reaches the window again as a key-down once the focus is back. One press is
// one switch: one device reset, full screen afterwards. Pressed after another program's window had the focus: the
// game's own minimise at the focus loss minimises nothing here, and the switch still happens, once; as it does after
// the window's own minimise with the focus kept (the bar's button), which leaves the window on show. The same minimise
// under real window managers the test starts on the display: one that ignores it (i3), one that carries it out
// (openbox). Runs under SDL's X11 video driver (tests/platform_x11_loop.sh), skipped on the others.
// Compiled on its own, outside the test program's shared sources: the X headers define names such as None.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlWindowBackend.h"
#include "tests/support/EngineSmokeData.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TempFolder.h"
#include "tests/support/X11OtherProgram.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

using namespace VelkorEngine;

namespace
{
// The X server answers in its own time: how long a test lets frames run for an answer before it gives up.
constexpr Uint32 kServerAnswerMs = 10000;
// The display repeats a held key after well under a second; a test gives up waiting for it after this.
constexpr int kKeyRepeatWaitMs = 5000;

int CountEnterKeyDowns(void* count, SDL_Event* event)
{
    if (event->type == SDL_KEYDOWN && event->key.keysym.scancode == SDL_SCANCODE_RETURN)
        ++*static_cast<int*>(count);
    return 0;
}

// What a look through the display's event queue has seen: the window's taking the focus back, then a key-down of a
// key (the display's repeat of a held key).
struct RepeatAfterFocus
{
    ::Window window;
    KeyCode key;
    bool focusBack = false;
    bool seen = false;
};

// Takes nothing from the queue: SDL reads these events afterwards.
Bool NoteRepeatAfterFocus(Display*, XEvent* event, XPointer argument)
{
    auto& wait = *reinterpret_cast<RepeatAfterFocus*>(argument);
    if (event->type == FocusIn && event->xfocus.window == wait.window)
        wait.focusBack = true;
    if (wait.focusBack && event->type == KeyPress && event->xkey.keycode == wait.key)
        wait.seen = true;
    return False;
}

// Looks through the whole queue, from its oldest event, each time the display sends more, until the repeat after
// the focus is there or the time is up.
bool RepeatAfterFocusQueuedWithin(Display* display, RepeatAfterFocus wait, int milliseconds)
{
    const Uint32 start = SDL_GetTicks();
    for (;;)
    {
        wait.focusBack = false;
        XEvent unused;
        XCheckIfEvent(display, &unused, NoteRepeatAfterFocus, reinterpret_cast<XPointer>(&wait));
        if (wait.seen)
            return true;
        const int left = milliseconds - static_cast<int>(SDL_GetTicks() - start);
        if (left <= 0)
            return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, std::min(left, 10));
    }
}

// Keys held on the X display through its test extension, let go again however the test ends: the display
// outlives the test and the next test on it must find no key down.
class HeldXKeys
{
public:
    explicit HeldXKeys(Display* display) : m_display(display) {}
    ~HeldXKeys()
    {
        Press(XK_Return, false);
        Press(XK_Alt_L, false);
    }
    HeldXKeys(const HeldXKeys&) = delete;
    HeldXKeys& operator=(const HeldXKeys&) = delete;

    void Press(KeySym symbol, bool down)
    {
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, symbol), down ? True : False, CurrentTime);
        XFlush(m_display);
    }

private:
    Display* m_display;
};

bool HasWindowManager(Display* display)
{
    XWindowAttributes root;
    return XGetWindowAttributes(display, DefaultRootWindow(display), &root) &&
           (root.all_event_masks & SubstructureRedirectMask) != 0;
}

// A real window manager on the test's display, a program of its own, stopped again however the test ends: the
// display outlives the test, and the next test on it must find none. Asks the display through its own connection,
// which outlives the engine's.
class WindowManagerRun
{
public:
    WindowManagerRun() : m_display(XOpenDisplay(nullptr)) {}
    ~WindowManagerRun()
    {
        if (!m_display)
            return;
        Stop();
        XCloseDisplay(m_display);
    }
    WindowManagerRun(const WindowManagerRun&) = delete;
    WindowManagerRun& operator=(const WindowManagerRun&) = delete;

    bool IsDisplayBare() const { return m_display && !HasWindowManager(m_display); }

    // Whether the manager started and shows the windows mapped on the screen, for as long as the server may take.
    bool Start(const std::vector<std::string>& command)
    {
        return Spawn(command) && ShowsAWindowMapped();
    }

private:
    bool Spawn(const std::vector<std::string>& command)
    {
        std::vector<char*> arguments;
        for (const std::string& argument : command)
            arguments.push_back(const_cast<char*>(argument.c_str()));
        arguments.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&m_pid, arguments[0], &quiet, nullptr, arguments.data(), environ) != 0)
            m_pid = 0;
        posix_spawn_file_actions_destroy(&quiet);
        const Uint32 start = SDL_GetTicks();
        while (m_pid > 0 && !HasWindowManager(m_display))
        {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
                m_pid = 0;
            if (SDL_GetTicks() - start > kServerAnswerMs)
                return false;
            SDL_Delay(5);
        }
        return m_pid > 0;
    }

    // A manager takes the screen before it is ready, and may drop the maps asked of it in between: SDL's showing of a
    // window waits for the window to be mapped, for ever. A window of the test's own, mapped again until the manager
    // has shown it, tells when it is ready.
    bool ShowsAWindowMapped()
    {
        const ::Window probe = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10, 0, 0, 0);
        XSelectInput(m_display, probe, StructureNotifyMask);
        const Uint32 start = SDL_GetTicks();
        bool shown = false;
        while (!shown && SDL_GetTicks() - start < kServerAnswerMs)
        {
            XMapWindow(m_display, probe);
            XSync(m_display, False);
            const Uint32 asked = SDL_GetTicks();
            XEvent event;
            while (!(shown = XCheckTypedWindowEvent(m_display, probe, MapNotify, &event)) &&
                   SDL_GetTicks() - asked < 500)
                SDL_Delay(5);
        }
        XDestroyWindow(m_display, probe);
        XSync(m_display, True);
        return shown;
    }

    // The server lets go of the manager's hold on the screen once its connection is gone.
    void Stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        Uint32 start = SDL_GetTicks();
        while (waitpid(m_pid, nullptr, WNOHANG) == 0)
        {
            if (SDL_GetTicks() - start > kServerAnswerMs)
            {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
                break;
            }
            SDL_Delay(5);
        }
        start = SDL_GetTicks();
        while (HasWindowManager(m_display) && SDL_GetTicks() - start < kServerAnswerMs)
            SDL_Delay(5);
    }

    Display* m_display;
    pid_t m_pid = 0;
};

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class EngineX11 : public testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::WriteEngineSmokeData(folder.Path());
        clock.SetMilliseconds(5000);
    }

    // Leaves the display unset when SDL runs another video driver than X11's.
    void StartEngine(const std::string& logName, u8 minimizeOnFocusLoss)
    {
        EngineParameters parameters = TestSupport::EngineSmokeParameters("Alt Enter", folder.Path(), logName);
        parameters.minimizeOnFocusLoss = minimizeOnFocusLoss;
        engine = std::make_unique<Engine>(parameters);
        const char* driver = SDL_GetCurrentVideoDriver();
        if (!driver || std::strcmp(driver, "x11") != 0)
            return;
        handle = engine->GetWindow()->GetHandle();
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(handle->sdl, &info)) << SDL_GetError();
        display = info.info.x11.display;
        keys = std::make_unique<HeldXKeys>(display);
    }

    // The manager takes the display before the engine's window comes, as on a player's desktop. Leaves the display
    // unset where the tests do not run under SDL's X11 video driver.
    void StartEngineUnder(const std::vector<std::string>& command, const std::string& logName)
    {
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        if (!driver || std::strcmp(driver, "x11") != 0)
            return;
        manager = std::make_unique<WindowManagerRun>();
        ASSERT_TRUE(manager->IsDisplayBare()) << "the display has a window manager of its own, or none at all";
        ASSERT_TRUE(manager->Start(command)) << command[0] << " did not take the screen";
        ASSERT_NO_FATAL_FAILURE(StartEngine(logName, 0));
        ASSERT_NE(display, nullptr) << "SDL runs another video driver than the one asked for";
        ASSERT_TRUE(FramesUntil([&] { return HasKeyboardFocus(); })) << "the manager never gave the window the focus";
    }

    void CloseEngine()
    {
        keys.reset();
        engine.reset();
    }

    void Frame()
    {
        MSG message;
        while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&message);
        clock.AdvanceSeconds(1.0 / 30.0);
        engine->Render();
        engine->Frame(0);
        // A mode change as the game's frame carries it out.
        Config& config = *engine->GetConfig();
        if (!config.IsCommandIdle("v_window_change_mode"))
        {
            config.SetCommandIdle("v_window_change_mode", 1);
            RenderSystem& render = *engine->GetRenderSystem();
            render.CheckVideoModeChange();
            if (render.IsResetPending())
                render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
        }
    }

    // Frames until the condition holds, for as long as the X server may take to answer.
    bool FramesUntil(const std::function<bool()>& condition)
    {
        const Uint32 start = SDL_GetTicks();
        while (!condition())
        {
            if (SDL_GetTicks() - start > kServerAnswerMs)
                return false;
            Frame();
            SDL_Delay(2);
        }
        return true;
    }

    bool HasKeyboardFocus() const { return SDL_GetKeyboardFocus() == handle->sdl; }

    // The window manager's word on the window: full screen among the states it keeps on the window.
    bool ShownFullScreenByTheManager() const
    {
        const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64,
                               False, XA_ATOM, &type, &format, &count, &after, &data) != Success)
            return false;
        const Atom* states = reinterpret_cast<const Atom*>(data);
        const bool found = type == XA_ATOM && std::find(states, states + count, fullScreen) != states + count;
        XFree(data);
        return found;
    }

    // Alt+Enter held until the window is full screen, for as long as the server may take, then let go.
    bool AltEnterSwitchesToFullScreen()
    {
        keys->Press(XK_Alt_L, true);
        keys->Press(XK_Return, true);
        const bool switched = FramesUntil([&] { return engine->GetWindow()->IsFullScreen() != 0; });
        keys->Press(XK_Return, false);
        keys->Press(XK_Alt_L, false);
        return switched;
    }

    bool FramesUntilAltAndEnterAreUp()
    {
        return FramesUntil([] {
            const Uint8* down = SDL_GetKeyboardState(nullptr);
            return down[SDL_SCANCODE_RETURN] == 0 && down[SDL_SCANCODE_LALT] == 0;
        });
    }

    std::string FullScreenSetting() const
    {
        std::string fullScreen;
        engine->GetConfig()->GetValueAsString(fullScreen, "v_fullscreen");
        return fullScreen;
    }

    size_t DeviceResets(const std::string& logName) const
    {
        return Occurrences(FileText(folder.Path() + "/" + logName + ".html"), "Reseting Direct3D device");
    }

    TestSupport::TempFolder folder;
    TestSupport::FakeClock clock;
    // Outlives the engine: the window goes before its manager.
    std::unique_ptr<WindowManagerRun> manager;
    std::unique_ptr<Engine> engine;
    HWND handle = nullptr;
    SDL_SysWMinfo info{};
    Display* display = nullptr;
    std::unique_ptr<HeldXKeys> keys;
};
}

TEST_F(EngineX11, AltEnterHeldAcrossAFocusLossAndRegainSwitchesOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartEngine("alt_enter", 0));
    if (!display)
        GTEST_SKIP() << "needs SDL's X11 video driver, whose display holds keys for real";
    ASSERT_TRUE(FramesUntil([&] { return HasKeyboardFocus(); })) << "the display never gave the window the focus";
    keys->Press(XK_Alt_L, true);
    keys->Press(XK_Return, true);
    ASSERT_TRUE(FramesUntil([&] { return engine->GetWindow()->IsFullScreen() != 0; })) << "Alt+Enter never switched";

    // Another window takes the focus and gives it back, the display repeats the held Enter and Enter is let go,
    // all before the program reads any of it: by the time the program sees the key-ups SDL makes at the focus
    // loss, the display no longer holds Enter, and SDL's key-down for the repeat comes after them.
    XKeyboardState keyboard;
    XGetKeyboardControl(display, &keyboard);
    ASSERT_EQ(keyboard.global_auto_repeat, AutoRepeatModeOn) << "the display repeats no held key";
    std::unique_ptr<SDL_Window, decltype(&SDL_DestroyWindow)> stranger(
        SDL_CreateWindow("Another program", 0, 0, 100, 100, SDL_WINDOW_SHOWN), SDL_DestroyWindow);
    ASSERT_NE(stranger, nullptr) << SDL_GetError();
    SDL_SetWindowInputFocus(stranger.get());
    SetForegroundWindow(handle);
    const RepeatAfterFocus wait{info.info.x11.window, XKeysymToKeycode(display, XK_Return)};
    const bool repeated = RepeatAfterFocusQueuedWithin(display, wait, kKeyRepeatWaitMs);
    keys->Press(XK_Return, false);
    XSync(display, False);
    ASSERT_TRUE(repeated) << "waited " << kKeyRepeatWaitMs
                          << " ms for the window to take the focus back and then for the display's repeat of the "
                             "held Enter";
    int enterKeyDowns = 0;
    SDL_AddEventWatch(CountEnterKeyDowns, &enterKeyDowns);
    const bool read = FramesUntil([&] {
        return HasKeyboardFocus() && SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RETURN] == 0;
    });
    SDL_DelEventWatch(CountEnterKeyDowns, &enterKeyDowns);
    stranger.reset();
    ASSERT_TRUE(read) << "the focus never came back or Enter was never let go";
    EXPECT_GT(enterKeyDowns, 0) << "no key-down for the repeat of Enter";
    keys->Press(XK_Alt_L, false);
    ASSERT_TRUE(FramesUntil([] { return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_LALT] == 0; }));
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(FullScreenSetting(), "1") << "switched back by the held key's repeat";
    CloseEngine();
    EXPECT_EQ(DeviceResets("alt_enter"), 1u);
}

// The game minimises itself at the focus loss; with no window manager nothing is minimised and no restore comes.
TEST_F(EngineX11, AltEnterSwitchesOnceAfterTheFocusWentToAnotherProgramAndCameBack)
{
    ASSERT_NO_FATAL_FAILURE(StartEngine("focus_back", 1));
    if (!display)
        GTEST_SKIP() << "needs SDL's X11 video driver, whose display gives and takes the focus for real";
    ASSERT_TRUE(FramesUntil([&] { return HasKeyboardFocus(); })) << "the display never gave the window the focus";
    KorvaneTest::X11OtherProgram other;
    ASSERT_TRUE(other.IsOpen()) << "another program could not open the display";
    other.TakeFocus();
    ASSERT_TRUE(FramesUntil([&] { return engine->GetWindow()->IsMinimized() != 0; }))
        << "the window never minimised itself at the focus loss";
    other.GiveFocusTo(handle->sdl);
    ASSERT_TRUE(FramesUntil([&] { return HasKeyboardFocus(); })) << "the focus never came back to the window";

    const bool switched = AltEnterSwitchesToFullScreen();
    ASSERT_TRUE(switched) << "Alt+Enter never switched after the focus came back";
    ASSERT_TRUE(FramesUntilAltAndEnterAreUp()) << "Alt and Enter were never let go";
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(FullScreenSetting(), "1");
    CloseEngine();
    EXPECT_EQ(DeviceResets("focus_back"), 1u);
}

// The bar's minimise button, the focus kept: with no window manager nothing minimises the window, which stays on show
// with the focus, and Alt+Enter switches it as before, once.
TEST_F(EngineX11, AltEnterSwitchesOnceAfterAMinimiseTheDisplayDidNotCarryOut)
{
    ASSERT_NO_FATAL_FAILURE(StartEngine("minimise_kept", 0));
    if (!display)
        GTEST_SKIP() << "needs SDL's X11 video driver, on whose display no window manager minimises the window";
    ASSERT_TRUE(FramesUntil([&] { return HasKeyboardFocus(); })) << "the display never gave the window the focus";
    engine->GetWindow()->Minimize();
    Frame();
    ASSERT_TRUE(HasKeyboardFocus()) << "the window lost the focus at its own minimise";

    const bool switched = AltEnterSwitchesToFullScreen();
    ASSERT_TRUE(switched) << "Alt+Enter never switched after a minimise that left the window on show with the focus";
    ASSERT_TRUE(FramesUntilAltAndEnterAreUp()) << "Alt and Enter were never let go";
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(FullScreenSetting(), "1");
    CloseEngine();
    EXPECT_EQ(DeviceResets("minimise_kept"), 1u);
}

// A tiling window manager has no minimise and ignores the request: the bar's minimise changes nothing on screen and
// the window keeps the focus. Alt+Enter pressed at once after the minimise switches it, once; in full screen, left
// alone, the window soon counts as not minimised again, and the manager still shows it full screen. A window closed
// while its minimise is still awaited leaves nothing of it behind.
TEST_F(EngineX11, UnderAManagerWithoutMinimiseTheWindowsOwnMinimiseLeavesItAsItWas)
{
    const std::string config = folder.Path() + "/i3.config";
    std::ofstream(config) << "# i3 config file (v4)\nfont fixed\n";
    ASSERT_NO_FATAL_FAILURE(StartEngineUnder({"i3", "-c", config}, "minimise_ignored"));
    if (!display)
        GTEST_SKIP() << "needs SDL's X11 video driver, on whose display a window manager runs";

    engine->GetWindow()->Minimize();
    Frame();
    const bool switched = AltEnterSwitchesToFullScreen();
    ASSERT_TRUE(switched) << "Alt+Enter never switched after a minimise the manager ignored";
    ASSERT_TRUE(FramesUntilAltAndEnterAreUp()) << "Alt and Enter were never let go";
    ASSERT_TRUE(FramesUntil([&] { return ShownFullScreenByTheManager(); })) << "i3 never showed it full screen";

    engine->GetWindow()->Minimize();
    Frame();
    ASSERT_TRUE(engine->GetWindow()->IsMinimized()) << "the manager had no chance to minimise the window";
    ASSERT_TRUE(FramesUntil([&] { return engine->GetWindow()->IsMinimized() == 0; }))
        << "still counted minimised, on show with the focus, long after the manager ignored the minimise";
    EXPECT_TRUE(HasKeyboardFocus());
    XSync(display, False);
    EXPECT_TRUE(ShownFullScreenByTheManager()) << "the minimise the manager ignored took the window out of full screen";
    EXPECT_EQ(FullScreenSetting(), "1");

    engine->GetWindow()->Minimize();
    Frame();
    ASSERT_TRUE(engine->GetWindow()->IsMinimized()) << "the manager had no chance to minimise the window";
    const PlatformWindow* closed = handle;
    CloseEngine();
    const auto* backend = dynamic_cast<const Platform::SdlWindowBackend*>(&Platform::GetWindowBackend());
    ASSERT_NE(backend, nullptr);
    EXPECT_FALSE(backend->KeepsAnythingOf(closed)) << "the window's awaited minimise outlived it";
    EXPECT_EQ(DeviceResets("minimise_ignored"), 1u);
}

// A manager that minimises: the window leaves the screen and counts as minimised from its own minimise on, without a
// break, and stays so well past the time a manager has to carry it out, until the player restores it.
TEST_F(EngineX11, UnderAManagerThatMinimisesTheWindowsOwnMinimiseLastsUntilThePlayerRestoresIt)
{
    ASSERT_NO_FATAL_FAILURE(StartEngineUnder({"openbox", "--sm-disable"}, "minimise_carried_out"));
    if (!display)
        GTEST_SKIP() << "needs SDL's X11 video driver, on whose display a window manager runs";

    engine->GetWindow()->Minimize();
    Frame();
    const Uint32 asked = SDL_GetTicks();
    int framesRestored = 0;
    const auto minimisedOnScreen = [&] { return (SDL_GetWindowFlags(handle->sdl) & SDL_WINDOW_MINIMIZED) != 0; };
    ASSERT_TRUE(FramesUntil([&] {
        framesRestored += engine->GetWindow()->IsMinimized() ? 0 : 1;
        return minimisedOnScreen() && SDL_GetTicks() - asked > 3000;
    })) << "openbox never minimised the window, or it came back on its own";
    EXPECT_EQ(framesRestored, 0) << "frames in which the window counted as restored while openbox minimised it";
    EXPECT_TRUE(minimisedOnScreen());
    EXPECT_FALSE(HasKeyboardFocus());
}
