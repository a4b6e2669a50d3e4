// The application window against the recording window backend: placement in each mode, the window procedure's
// commands, typed keys, focus and minimising, Alt+Enter once per press, gamma clamping, set-up failures.
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/files/FileManager.h"
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlWindowBackend.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
struct WindowOptions
{
    u32 width = 640;
    u32 height = 480;
    u8 fullScreen = 0;
    u8 minimizeOnFocusLoss = 1;
    u8 centre = 1;
    i32 x = 10;
    i32 y = 20;
    HWND parent = nullptr;
};

class WindowTest : public testing::Test
{
protected:
    std::unique_ptr<Window> Make(const WindowOptions& options = {})
    {
        return std::make_unique<Window>(&log, &config, "Test 1.00", options.parent, 0, options.minimizeOnFocusLoss,
                                        options.width, options.height, options.fullScreen, options.centre,
                                        options.x, options.y);
    }

    // The message of the FatalError that making a window throws; empty when it throws none.
    std::string FatalMessageOfMake()
    {
        try
        {
            Make();
        }
        catch (const FatalError& error)
        {
            return error.GetMessage();
        }
        return "";
    }

    std::string Setting(const std::string& name)
    {
        std::string text;
        config.GetValueAsString(text, name);
        return text;
    }

    // The messages of the log without their line feed, from the window's first line on.
    std::vector<std::string> WindowLogLines()
    {
        std::vector<std::string> lines;
        for (u32 i = 0; i < log.GetRecordCount(); ++i)
        {
            std::string text = log.GetRecord(i).text;
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            lines.push_back(text);
        }
        const auto first = std::find(lines.begin(), lines.end(), " ");
        return std::vector<std::string>(first, lines.end());
    }

    int DispatchWaitingMessages()
    {
        int count = 0;
        MSG message;
        while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        {
            DispatchMessage(&message);
            ++count;
        }
        return count;
    }

    TestSupport::FakeWindowBackend backend;
    TestSupport::TempFolder folder;
    MessageManager log{"Window test", 0, 0, "", ""};
    FileManager files{&log, folder.Path(), "Data"};
    Config config{&log, &files, folder.Path(), "settings", 0, "640x480x32", 0, 0};
};

TEST_F(WindowTest, WindowedWindowIsCentredShownAndFocused)
{
    auto window = Make();
    const auto& native = backend.Native(window->GetHandle());
    EXPECT_EQ(native.placement.client.left, 192);
    EXPECT_EQ(native.placement.client.top, 144);
    EXPECT_EQ(native.placement.client.right, 832);
    EXPECT_EQ(native.placement.client.bottom, 624);
    EXPECT_FALSE(native.placement.fullScreen);
    EXPECT_TRUE(native.placement.bordered);
    EXPECT_FALSE(native.placement.topmost);
    EXPECT_TRUE(native.shown);
    EXPECT_EQ(native.title, "Test 1.00");
    EXPECT_TRUE(window->HasFocus());
    EXPECT_EQ(window->GetWidth(), 640u);
    EXPECT_NE(window->GetDeviceContext(), nullptr);
    EXPECT_EQ(backend.gammaReads, 1);
    const DWORD style = static_cast<DWORD>(GetWindowLong(window->GetHandle(), GWL_STYLE));
    EXPECT_EQ(style, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window->GetHandle(), GWL_EXSTYLE)),
              WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
}

TEST_F(WindowTest, CreationAndDestructionLogTheirSteps)
{
    Make().reset();
    const std::vector<std::string> expected = {" ",
                                               "Window creation:",
                                               "...Registering the window class...",
                                               "...Creating a device context...",
                                               "\nWindow destroying:",
                                               "...Releasing device context...",
                                               "...Releasing window...",
                                               "...Unregistering class..."};
    EXPECT_EQ(WindowLogLines(), expected);
    EXPECT_EQ(backend.videoStarts, 1);
    EXPECT_EQ(backend.videoStops, 1);
}

TEST_F(WindowTest, WindowedPlacementTable)
{
    const struct
    {
        u32 width, height;
        u8 centre;
        LONG left, top;
    } cases[] = {{800, 600, 1, 112, 84}, {640, 480, 0, 10, 20}, {1280, 1024, 1, 0, 0}, {1024, 768, 1, 0, 0}};
    for (const auto& c : cases)
    {
        WindowOptions options;
        options.width = c.width;
        options.height = c.height;
        options.centre = c.centre;
        auto window = Make(options);
        const RECT client = backend.Native(window->GetHandle()).placement.client;
        EXPECT_EQ(client.left, c.left) << c.width;
        EXPECT_EQ(client.top, c.top) << c.width;
        EXPECT_EQ(client.right - client.left, static_cast<LONG>(c.width));
        EXPECT_EQ(client.bottom - client.top, static_cast<LONG>(c.height));
    }
}

// The size comes from the settings file's "v_mode": any number there must place the window without overflow.
TEST_F(WindowTest, SizesBeyondAnyScreenArePlacedWithoutOverflow)
{
    const struct
    {
        u32 width, height;
        u8 centre, fullScreen;
        LONG left, top;
    } cases[] = {{0x80000000u, 0x80000000u, 1, 0, 0, 0},
                 {0xFFFFFFFFu, 0xFFFFFFFFu, 1, 0, 0, 0},
                 {0xFFFFFFFFu, 600, 0, 0, 10, 20},
                 {0x80000000u, 0xFFFFFFFFu, 0, 1, 0, 0},
                 {0, 0, 1, 0, 512, 384}};
    for (const auto& c : cases)
    {
        WindowOptions options;
        options.width = c.width;
        options.height = c.height;
        options.centre = c.centre;
        options.fullScreen = c.fullScreen;
        auto window = Make(options);
        const RECT client = backend.Native(window->GetHandle()).placement.client;
        EXPECT_EQ(client.left, c.left) << c.width;
        EXPECT_EQ(client.top, c.top) << c.width;
        EXPECT_GE(client.right, client.left) << c.width;
        EXPECT_GE(client.bottom, client.top) << c.width;
        EXPECT_EQ(c.width == 0, client.right == client.left) << c.width;
        EXPECT_EQ(window->GetWidth(), c.width);
        window->SetMode(c.width, c.height, c.fullScreen, 1024, 768);
        const RECT moved = backend.Native(window->GetHandle()).placement.client;
        EXPECT_GE(moved.right, moved.left) << c.width;
        EXPECT_GE(moved.bottom, moved.top) << c.width;
    }
}

TEST_F(WindowTest, FullScreenWindowSitsAtTheOriginOnTopAndClampsGamma)
{
    config.SetFromString("v_gamma", "3.5");
    config.SetFromString("v_brightness", "-1");
    WindowOptions options;
    options.fullScreen = 1;
    options.width = 800;
    options.height = 600;
    auto window = Make(options);
    const auto& native = backend.Native(window->GetHandle());
    EXPECT_EQ(native.placement.client.left, 0);
    EXPECT_EQ(native.placement.client.top, 0);
    EXPECT_EQ(native.placement.client.right, 800);
    EXPECT_TRUE(native.placement.fullScreen);
    EXPECT_TRUE(native.placement.topmost);
    EXPECT_EQ(Setting("v_gamma"), "2.000000");
    EXPECT_EQ(Setting("v_brightness"), "0.000000");
    EXPECT_EQ(Setting("v_contrast"), "1.000000");
}

TEST_F(WindowTest, ApplyGammaClampsAndWritesBack)
{
    auto window = Make();
    config.SetFromString("v_gamma", "3.5");
    config.SetFromString("v_contrast", "1.25");
    window->ApplyGamma();
    EXPECT_EQ(Setting("v_gamma"), "2.000000");
    EXPECT_EQ(Setting("v_contrast"), "1.250000");
}

TEST_F(WindowTest, FailedClassRegistrationIsFatalAndLeavesNothingBehind)
{
    backend.startVideoResult = false;
    EXPECT_EQ(FatalMessageOfMake(), "Failed to register the window class");
    backend.startVideoResult = true;
    EXPECT_NE(Make(), nullptr);
}

TEST_F(WindowTest, FailedWindowCreationIsFatalAndUnregistersTheClass)
{
    backend.createResult = false;
    EXPECT_EQ(FatalMessageOfMake(), "Failed to create window");
    EXPECT_EQ(backend.videoStops, 1);
    backend.createResult = true;
    EXPECT_NE(Make(), nullptr);
}

TEST_F(WindowTest, ClosingRequestsExitAndKeepsTheWindow)
{
    const struct
    {
        UINT message;
        WPARAM wParam;
    } cases[] = {{WM_CLOSE, 0}, {WM_QUIT, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& c : cases)
    {
        auto window = Make();
        config.SetCommandIdle("exit", 1);
        EXPECT_EQ(SendMessage(window->GetHandle(), c.message, c.wParam, 0), 0);
        EXPECT_FALSE(config.IsCommandIdle("exit")) << c.message;
        EXPECT_TRUE(IsWindow(window->GetHandle()));
    }
}

TEST_F(WindowTest, CloseArrivingThroughTheMessageQueue)
{
    auto window = Make();
    PostMessage(window->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(DispatchWaitingMessages(), 1);
    EXPECT_FALSE(config.IsCommandIdle("exit"));
}

TEST_F(WindowTest, TypedKeys)
{
    auto window = Make();
    const HWND handle = window->GetHandle();
    EXPECT_FALSE(window->IsTypedKeyPending());

    SendMessage(handle, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(window->IsTypedKeyPending());
    EXPECT_FALSE(window->IsTypedKeyCharacter());
    EXPECT_EQ(window->GetTypedKey(), VK_RETURN);
    window->ClearTypedKey();

    // The character a press types takes the press's place; control characters are not typed.
    SendMessage(handle, WM_KEYDOWN, 'A', 0);
    SendMessage(handle, WM_CHAR, 'a', 0);
    SendMessage(handle, WM_CHAR, '\r', 0);
    EXPECT_TRUE(window->IsTypedKeyCharacter());
    EXPECT_EQ(window->GetTypedKey(), u16{'a'});
    window->ClearTypedKey();
    EXPECT_FALSE(window->IsTypedKeyPending());

    SendMessage(handle, WM_SYSKEYDOWN, VK_MENU, 0);
    EXPECT_FALSE(window->IsTypedKeyCharacter());
    EXPECT_EQ(window->GetTypedKey(), VK_MENU);
    EXPECT_EQ(SendMessage(handle, WM_SYSKEYUP, VK_MENU, 0), 0);
    window->ClearTypedKey();

    SendMessage(handle, WM_CHAR, 0x416, 0);
    EXPECT_EQ(window->GetTypedKey(), 0x416);
    window->ClearTypedKey();
    SendMessage(handle, WM_CHAR, 0x1F600, 0);
    EXPECT_EQ(window->GetTypedKey(), u16{'A'});

    window->ClearTypedKey();
    EXPECT_FALSE(window->IsTypedKeyPending());
}

// A name typed faster than the frame rate: every key waits its turn, one handed out per clear.
TEST_F(WindowTest, FastTypingKeepsEveryKeyInOrder)
{
    auto window = Make();
    const HWND handle = window->GetHandle();
    for (char letter : std::string("Ann"))
    {
        SendMessage(handle, WM_KEYDOWN, static_cast<WPARAM>(std::toupper(letter)), 0);
        SendMessage(handle, WM_CHAR, static_cast<WPARAM>(letter), 0);
    }
    SendMessage(handle, WM_KEYDOWN, VK_BACK, 0);
    SendMessage(handle, WM_CHAR, 8, 0);
    SendMessage(handle, WM_CHAR, 0x44F, 0);

    const std::vector<std::pair<u16, bool>> expected = {
        {u16{'A'}, true}, {u16{'n'}, true}, {u16{'n'}, true}, {u16{VK_BACK}, false}, {u16{0x44F}, true}};
    for (const auto& [code, isCharacter] : expected)
    {
        ASSERT_TRUE(window->IsTypedKeyPending());
        EXPECT_EQ(window->GetTypedKey(), code);
        EXPECT_EQ(window->IsTypedKeyCharacter() != 0, isCharacter);
        window->ClearTypedKey();
    }
    EXPECT_FALSE(window->IsTypedKeyPending());
}

// Alt+Enter is the switch alone; a held key's repeats are told from its press; a click marks the keys typed
// before it, those typed while the button was down among them.
TEST_F(WindowTest, TypedKeysKnowRepeatsAltEnterAndTheLastClick)
{
    auto window = Make();
    const HWND handle = window->GetHandle();
    constexpr LPARAM kAltHeld = LPARAM{1} << 29;
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, kAltHeld);
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, kAltHeld | kWasDown);
    EXPECT_FALSE(window->IsTypedKeyPending());

    SendMessage(handle, WM_KEYDOWN, VK_RETURN, 0);
    SendMessage(handle, WM_KEYDOWN, VK_RETURN, kWasDown);
    EXPECT_FALSE(window->IsTypedKeyRepeat());
    window->ClearTypedKey();
    EXPECT_TRUE(window->IsTypedKeyRepeat());
    window->ClearTypedKey();

    SendMessage(handle, WM_CHAR, 'z', 0);
    SendMessage(handle, WM_LBUTTONDOWN, 0, 0);
    SendMessage(handle, WM_CHAR, 'y', 0);
    SendMessage(handle, WM_LBUTTONUP, 0, 0);
    SendMessage(handle, WM_KEYDOWN, 'N', 0);
    SendMessage(handle, WM_CHAR, 'N', 0);
    window->DropKeysTypedBeforeLastClick();
    EXPECT_EQ(window->GetTypedKey(), u16{'N'});
    EXPECT_TRUE(window->IsTypedKeyCharacter());
    // The keys typed after it stay for the next click to mark.
    window->DropKeysTypedBeforeLastClick();
    EXPECT_EQ(window->GetTypedKey(), u16{'N'});
}

TEST_F(WindowTest, MaximisingAWindowedGameAsksForFullScreen)
{
    auto window = Make();
    EXPECT_EQ(SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0), 0);
    EXPECT_EQ(Setting("v_fullscreen"), "1");
    EXPECT_FALSE(config.IsCommandIdle("v_window_change_mode"));
    EXPECT_EQ(backend.Native(window->GetHandle()).maximizeCount, 0);
    EXPECT_NE(folder.ReadFile("settings.ini").find("v_fullscreen 1\r\n"), std::string::npos);
}

TEST_F(WindowTest, MaximisingInFullScreenDoesNothing)
{
    WindowOptions options;
    options.fullScreen = 1;
    auto window = Make(options);
    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode"));
}

TEST_F(WindowTest, MinimiseAndRestoreSetTheFlag)
{
    auto window = Make();
    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(window->IsMinimized());
    EXPECT_EQ(backend.Native(window->GetHandle()).minimizeCount, 1);
    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_EQ(backend.Native(window->GetHandle()).restoreCount, 1);
}

TEST_F(WindowTest, ScreenSaverAndMonitorPowerAreSuppressed)
{
    auto window = Make();
    for (WPARAM command : {SC_SCREENSAVE, SC_MONITORPOWER, SC_TASKLIST, SC_HOTKEY})
        EXPECT_EQ(SendMessage(window->GetHandle(), WM_SYSCOMMAND, command, 0), 0);
}

TEST_F(WindowTest, SetCursorAnswersWithTheStoredCursor)
{
    auto window = Make();
    window->SetCursor(nullptr);
    EXPECT_FALSE(backend.cursorShown);
    window->SetCursor(window->LoadCursor(101));
    EXPECT_TRUE(backend.cursorShown);
    EXPECT_EQ(SendMessage(window->GetHandle(), WM_SETCURSOR, 0, 0), 1);
}

// Losing the focus minimises the window once, and only when the window was made to.
TEST_F(WindowTest, LosingFocusMinimisesOnceWhenAsked)
{
    for (const u8 minimise : {u8(1), u8(0)})
    {
        SCOPED_TRACE(int(minimise));
        WindowOptions options;
        options.minimizeOnFocusLoss = minimise;
        auto window = Make(options);
        backend.focus = nullptr;
        EXPECT_FALSE(window->HasFocus());
        window->Update();
        EXPECT_EQ(DispatchWaitingMessages(), minimise);
        EXPECT_EQ(window->IsMinimized(), minimise == 1);
        window->Update();
        EXPECT_EQ(DispatchWaitingMessages(), 0);
    }
}

// Without a window manager the minimise asked for at a focus loss minimises nothing and no restore follows: the
// focus coming back restores the window as a desktop would (full-screen gamma, Alt+Enter read again), and a
// desktop's own restore arriving after it changes nothing more.
TEST_F(WindowTest, TakingTheFocusBackWhileMinimisedRestores)
{
    config.SetFromString("v_fullscreen", "1");
    WindowOptions options;
    options.fullScreen = 1;
    auto window = Make(options);
    const HWND handle = window->GetHandle();
    backend.focus = nullptr;
    window->Update();
    DispatchWaitingMessages();
    ASSERT_TRUE(window->IsMinimized());

    config.SetFromString("v_gamma", "3.5");
    backend.focus = handle;
    SendMessage(handle, WM_SETFOCUS, 0, 0);
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_EQ(backend.Native(handle).restoreCount, 1);
    EXPECT_EQ(Setting("v_gamma"), "2.000000");
    backend.keysDown = {VK_LMENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    config.SetCommandIdle("v_window_change_mode", 1);

    SendMessage(handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    SendMessage(handle, WM_SETFOCUS, 0, 0);
    window->Update();
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_EQ(backend.Native(handle).restoreCount, 2);
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode"));
}

TEST_F(WindowTest, AltEnterHeldForFiveFramesTogglesOnce)
{
    auto window = Make();
    backend.keysDown = {VK_LMENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "1");
    EXPECT_FALSE(config.IsCommandIdle("v_window_change_mode"));
    config.SetCommandIdle("v_window_change_mode", 1);
    const std::string saved = folder.ReadFile("settings.ini");
    EXPECT_NE(saved.find("v_fullscreen 1\r\n"), std::string::npos);
    folder.WriteFile("settings.ini", "untouched");
    for (int frame = 0; frame < 4; ++frame)
        window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "1");
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode"));
    EXPECT_EQ(folder.ReadFile("settings.ini"), "untouched");

    backend.keysDown.clear();
    window->Update();
    backend.keysDown = {VK_RMENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    EXPECT_FALSE(config.IsCommandIdle("v_window_change_mode"));
}

// On a busy machine both keys may go down and up between two frames: the press is known from its message.
TEST_F(WindowTest, AltEnterPressedAndLetGoWithinOneFrameTogglesOnce)
{
    auto window = Make();
    const HWND handle = window->GetHandle();
    const LPARAM altHeld = LPARAM{1} << 29;
    const LPARAM repeat = LPARAM{1} << 30;
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, 1 | altHeld);
    SendMessage(handle, WM_SYSKEYUP, VK_RETURN, 1 | altHeld | repeat | (LPARAM{1} << 31));
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "1");
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "1");

    // Held as well as seen in a message: still one switch.
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, 1 | altHeld);
    backend.keysDown = {VK_LMENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, 1 | altHeld | repeat);
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");

    // Enter alone, and a system key other than Enter, switch nothing.
    backend.keysDown.clear();
    window->Update();
    SendMessage(handle, WM_SYSKEYDOWN, VK_RETURN, 1);
    SendMessage(handle, WM_SYSKEYDOWN, VK_F10, 1 | altHeld);
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
}

// A switch may take the focus away and give it back while Alt and Enter are still held. SDL then lets go of both
// keys and, with the focus back, announces Enter (the display's own repeat of it) as a new press: the window's SDL
// side, following the display's own key events, makes that one switch, and the next real press a second.
TEST_F(WindowTest, AltEnterHeldAcrossAFocusLossAndRegainTogglesOnce)
{
    using Kind = Platform::DisplayKeyNote::Kind;
    Platform::SdlWindowBackend sdl;
    Platform::SetWindowBackend(&sdl);
    WindowOptions options;
    options.minimizeOnFocusLoss = 0;
    auto window = Make(options);
    DispatchWaitingMessages();
    const Uint32 id = SDL_GetWindowID(window->GetHandle()->sdl);
    // SDL's key event, after the display's own when the display sent one.
    const auto key = [&](SDL_Scancode scancode, bool down, bool fromTheDisplay) {
        if (fromTheDisplay)
            sdl.NoteDisplayKeys({down ? Kind::KeyDown : Kind::KeyUp, scancode == SDL_SCANCODE_LALT ? 64u : 36u, {}});
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = id;
        event.key.keysym.scancode = scancode;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        DispatchWaitingMessages();
    };
    const auto focus = [&](Uint8 change) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = id;
        event.window.event = change;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    };
    key(SDL_SCANCODE_LALT, true, true);
    key(SDL_SCANCODE_RETURN, true, true);
    window->Update();
    ASSERT_EQ(Setting("v_fullscreen"), "1");
    config.SetCommandIdle("v_window_change_mode", 1);

    // The focus loss: SDL's own key-ups for the keys still held, then the focus goes; the switch gives it back and
    // SDL presses Alt again itself.
    key(SDL_SCANCODE_RETURN, false, false);
    key(SDL_SCANCODE_LALT, false, false);
    focus(SDL_WINDOWEVENT_FOCUS_LOST);
    DispatchWaitingMessages();
    window->Update();
    focus(SDL_WINDOWEVENT_FOCUS_GAINED);
    SetFocus(window->GetHandle());
    key(SDL_SCANCODE_LALT, true, false);
    window->Update();
    key(SDL_SCANCODE_RETURN, true, true);
    window->Update();
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "1");
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode")) << "a second switch for one press";

    key(SDL_SCANCODE_RETURN, false, true);
    window->Update();
    key(SDL_SCANCODE_RETURN, true, true);
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    window.reset();
    Platform::SetWindowBackend(&backend);
}

TEST_F(WindowTest, AltEnterIsIgnoredAloneWithoutFocusOrWhenMinimised)
{
    WindowOptions options;
    options.minimizeOnFocusLoss = 0;
    auto window = Make(options);
    backend.keysDown = {VK_RETURN};
    window->Update();
    backend.keysDown = {VK_LMENU};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    backend.focus = nullptr;
    backend.keysDown = {VK_MENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");

    backend.keysDown.clear();
    window->Update();
    backend.focus = window->GetHandle();
    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    backend.keysDown = {VK_MENU, VK_RETURN};
    window->Update();
    EXPECT_EQ(Setting("v_fullscreen"), "0");
    EXPECT_TRUE(config.IsCommandIdle("v_window_change_mode"));
}

TEST_F(WindowTest, SetModeSwitchesBetweenWindowedAndFullScreen)
{
    auto window = Make();
    const HWND handle = window->GetHandle();
    window->SetMode(1024, 768, 1, 1024, 768);
    const auto& native = backend.Native(handle);
    EXPECT_TRUE(native.placement.fullScreen);
    EXPECT_TRUE(native.placement.topmost);
    EXPECT_EQ(native.placement.client.left, 0);
    EXPECT_EQ(native.placement.client.right, 1024);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(handle, GWL_STYLE)), WS_POPUP);
    EXPECT_TRUE(window->IsFullScreen());
    EXPECT_TRUE(native.shown);

    window->SetMode(800, 600, 0, 1280, 1024);
    EXPECT_FALSE(native.placement.fullScreen);
    EXPECT_FALSE(native.placement.topmost);
    EXPECT_TRUE(native.placement.bordered);
    EXPECT_EQ(native.placement.client.left, 240);
    EXPECT_EQ(native.placement.client.top, 212);
    EXPECT_EQ(window->GetWidth(), 800u);
    EXPECT_FALSE(window->IsFullScreen());
}

TEST_F(WindowTest, SetTitleRenamesTheWindow)
{
    auto window = Make();
    window->SetTitle("Renamed");
    EXPECT_EQ(backend.Native(window->GetHandle()).title, "Renamed");
}

LRESULT HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

// A host program's window for the embedded mode.
class HostWindow
{
public:
    HostWindow()
    {
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = HostProcedure;
        windowClass.lpszClassName = "Host window class";
        RegisterClass(&windowClass);
        handle = CreateWindowEx(0, "Host window class", "Host", WS_CAPTION, 50, 60, 320, 240, nullptr, nullptr,
                                nullptr, nullptr);
    }
    ~HostWindow()
    {
        DestroyWindow(handle);
        UnregisterClass("Host window class", nullptr);
    }
    HWND handle = nullptr;
};

TEST_F(WindowTest, EmbeddedWindowFillsItsParentAndFollowsItsFocus)
{
    HostWindow host;
    WindowOptions options;
    options.parent = host.handle;
    options.fullScreen = 1;
    auto window = Make(options);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_EQ(window->GetWidth(), 320u);
    EXPECT_EQ(window->GetHeight(), 240u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window->GetHandle(), GWL_STYLE)),
              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(GetParent(window->GetHandle()), host.handle);

    backend.focus = host.handle;
    EXPECT_TRUE(window->HasFocus());
    backend.focus = window->GetHandle();
    EXPECT_TRUE(window->HasFocus());
    backend.focus = nullptr;
    EXPECT_FALSE(window->HasFocus());
    window->Update();
    EXPECT_EQ(DispatchWaitingMessages(), 0);

    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(window->IsMinimized());
    SendMessage(window->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(Setting("v_fullscreen"), "0");
}

TEST_F(WindowTest, EmbeddedWindowExitsWhenItsParentIsGone)
{
    auto host = std::make_unique<HostWindow>();
    WindowOptions options;
    options.parent = host->handle;
    auto window = Make(options);
    window->Update();
    EXPECT_TRUE(config.IsCommandIdle("exit"));
    DestroyWindow(host->handle);
    window->Update();
    EXPECT_FALSE(config.IsCommandIdle("exit"));
}
}
