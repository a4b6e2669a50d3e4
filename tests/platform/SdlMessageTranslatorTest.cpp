// SDL events to window messages, without a display: key codes, system keys, characters, window events.
#include "platform/win32/SdlMessageTranslator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Platform::SdlMessageTranslator;

HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x1000)); }

SDL_Event KeyEvent(SDL_Scancode scancode, bool down, Uint8 repeat = 0)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event WindowEvent(SDL_WindowEventID id, Sint32 data1 = 0, Sint32 data2 = 0)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event TextEvent(const char* text)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
    return event;
}

SDL_Event ButtonEvent(Uint8 button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    return event;
}

std::vector<MSG> Translate(SdlMessageTranslator& translator, const SDL_Event& event)
{
    std::vector<MSG> messages;
    translator.Translate(event, FakeWindow(), messages);
    return messages;
}

struct ScancodeCase
{
    SDL_Scancode scancode;
    int virtualKey;
};

class ScancodeToVirtualKey : public testing::TestWithParam<ScancodeCase>
{
};

TEST_P(ScancodeToVirtualKey, MapsThePosition)
{
    EXPECT_EQ(Platform::VirtualKeyFromScancode(GetParam().scancode), GetParam().virtualKey);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ScancodeToVirtualKey,
    testing::Values(ScancodeCase{SDL_SCANCODE_A, 'A'}, ScancodeCase{SDL_SCANCODE_Z, 'Z'},
                    ScancodeCase{SDL_SCANCODE_0, '0'}, ScancodeCase{SDL_SCANCODE_1, '1'},
                    ScancodeCase{SDL_SCANCODE_9, '9'}, ScancodeCase{SDL_SCANCODE_BACKSPACE, VK_BACK},
                    ScancodeCase{SDL_SCANCODE_TAB, VK_TAB}, ScancodeCase{SDL_SCANCODE_RETURN, VK_RETURN},
                    ScancodeCase{SDL_SCANCODE_KP_ENTER, VK_RETURN}, ScancodeCase{SDL_SCANCODE_ESCAPE, VK_ESCAPE},
                    ScancodeCase{SDL_SCANCODE_SPACE, VK_SPACE}, ScancodeCase{SDL_SCANCODE_PAGEUP, VK_PRIOR},
                    ScancodeCase{SDL_SCANCODE_PAGEDOWN, VK_NEXT}, ScancodeCase{SDL_SCANCODE_END, VK_END},
                    ScancodeCase{SDL_SCANCODE_HOME, VK_HOME}, ScancodeCase{SDL_SCANCODE_LEFT, VK_LEFT},
                    ScancodeCase{SDL_SCANCODE_UP, VK_UP}, ScancodeCase{SDL_SCANCODE_RIGHT, VK_RIGHT},
                    ScancodeCase{SDL_SCANCODE_DOWN, VK_DOWN}, ScancodeCase{SDL_SCANCODE_INSERT, VK_INSERT},
                    ScancodeCase{SDL_SCANCODE_DELETE, VK_DELETE}, ScancodeCase{SDL_SCANCODE_KP_0, VK_NUMPAD0},
                    ScancodeCase{SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9}, ScancodeCase{SDL_SCANCODE_F1, VK_F1},
                    ScancodeCase{SDL_SCANCODE_F12, VK_F1 + 11}, ScancodeCase{SDL_SCANCODE_LSHIFT, VK_LSHIFT},
                    ScancodeCase{SDL_SCANCODE_RCTRL, VK_RCONTROL}, ScancodeCase{SDL_SCANCODE_RALT, VK_RMENU},
                    ScancodeCase{SDL_SCANCODE_GRAVE, VK_OEM_3}, ScancodeCase{SDL_SCANCODE_MUTE, 0}),
    [](const testing::TestParamInfo<ScancodeCase>& info) { return "Scancode" + std::to_string(info.param.scancode); });

TEST(SdlMessageTranslator, KeyDownAndUpCarryTheSidelessCode)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> down = Translate(translator, KeyEvent(SDL_SCANCODE_LSHIFT, true));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].hwnd, FakeWindow());
    EXPECT_EQ(down[0].message, WM_KEYDOWN);
    EXPECT_EQ(down[0].wParam, static_cast<WPARAM>(VK_SHIFT));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_SHIFT));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_LSHIFT));
    EXPECT_FALSE(translator.IsVirtualKeyDown(VK_RSHIFT));

    const std::vector<MSG> up = Translate(translator, KeyEvent(SDL_SCANCODE_LSHIFT, false));
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].message, WM_KEYUP);
    EXPECT_FALSE(translator.IsVirtualKeyDown(VK_SHIFT));
}

TEST(SdlMessageTranslator, AltAndEnterAreSystemKeys)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> alt = Translate(translator, KeyEvent(SDL_SCANCODE_LALT, true));
    ASSERT_EQ(alt.size(), 1u);
    EXPECT_EQ(alt[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(alt[0].wParam, static_cast<WPARAM>(VK_MENU));
    const std::vector<MSG> enter = Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true));
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(enter[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(enter[0].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_MENU));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_RETURN));
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, false))[0].message, WM_SYSKEYUP);
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_LALT, false))[0].message, WM_SYSKEYUP);
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true))[0].message, WM_KEYDOWN);
}

TEST(SdlMessageTranslator, RepeatedKeyDownMarksThePreviousState)
{
    SdlMessageTranslator translator;
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_BACKSPACE, true))[0].lParam & (LPARAM{1} << 30), 0);
    const std::vector<MSG> repeat = Translate(translator, KeyEvent(SDL_SCANCODE_BACKSPACE, true, 1));
    ASSERT_EQ(repeat.size(), 1u);
    EXPECT_EQ(repeat[0].message, WM_KEYDOWN);
    EXPECT_NE(repeat[0].lParam & (LPARAM{1} << 30), 0);
}

// SDL lets go of every key at a focus loss and, with the focus back, announces a key still held as a new press. A
// key-up of SDL's own (no key event of the display just before it) for a key the display holds keeps the key
// down, and its next key-down is marked as the key already down; a kept key goes up when the display lets it go,
// of which SDL says nothing.
TEST(SdlMessageTranslator, AKeyHeldAcrossAFocusLossStaysDownAndIsNotPressedAgain)
{
    using Kind = Platform::DisplayKeyNote::Kind;
    constexpr unsigned kAltCode = 64, kEnterCode = 36;
    const LPARAM wasDown = LPARAM{1} << 30;
    SdlMessageTranslator translator;
    const auto display = [&translator](Kind kind, unsigned code) { translator.NoteDisplayKeys({kind, code, {}}); };
    display(Kind::KeyDown, kAltCode);
    Translate(translator, KeyEvent(SDL_SCANCODE_LALT, true));
    display(Kind::KeyDown, kEnterCode);
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true))[0].lParam & wasDown, 0);
    EXPECT_TRUE(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, false)).empty());
    EXPECT_TRUE(Translate(translator, KeyEvent(SDL_SCANCODE_LALT, false)).empty());
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_RETURN));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_MENU));
    display(Kind::KeyDown, kEnterCode);
    const std::vector<MSG> again = Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].message, WM_SYSKEYDOWN);
    EXPECT_NE(again[0].lParam & wasDown, 0);

    // A key-up the display's own release comes with is a release; the next key-down is a press.
    display(Kind::KeyUp, kEnterCode);
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, false))[0].message, WM_SYSKEYUP);
    display(Kind::KeyDown, kEnterCode);
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true))[0].lParam & wasDown, 0);

    // Kept down through SDL's key-up, then let go: by the display's release, or as its keyboard shows.
    Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, false));
    display(Kind::KeyUp, kEnterCode);
    EXPECT_FALSE(translator.IsVirtualKeyDown(VK_RETURN));
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_MENU));
    translator.NoteDisplayKeys({Kind::Keyboard, 0, {}});
    EXPECT_FALSE(translator.IsVirtualKeyDown(VK_MENU));
    EXPECT_EQ(Translate(translator, KeyEvent(SDL_SCANCODE_RETURN, true))[0].lParam & wasDown, 0);

    // A key held as the window took the focus, which SDL pressed itself: its key code is looked up.
    translator.SetKeyCodeLookup([](SDL_Scancode scancode) { return scancode == SDL_SCANCODE_RALT ? 108u : 0u; });
    Platform::DisplayKeyNote keyboard{Kind::Keyboard, 0, {}};
    keyboard.keyboard.set(108);
    translator.NoteDisplayKeys(keyboard);
    Translate(translator, KeyEvent(SDL_SCANCODE_RALT, true));
    EXPECT_TRUE(Translate(translator, KeyEvent(SDL_SCANCODE_RALT, false)).empty());
    EXPECT_TRUE(translator.IsVirtualKeyDown(VK_MENU));
}

TEST(SdlMessageTranslator, KeyWithoutCodeGivesNoMessage)
{
    SdlMessageTranslator translator;
    EXPECT_TRUE(Translate(translator, KeyEvent(SDL_SCANCODE_MUTE, true)).empty());
}

TEST(SdlMessageTranslator, TextGivesOneCharacterPerCodePoint)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> messages = Translate(translator, TextEvent("a\xC3\xA9\xD0\x96\xF0\x9F\x98\x80"));
    ASSERT_EQ(messages.size(), 4u);
    const WPARAM expected[] = {'a', 0xE9, 0x416, 0x1F600};
    for (size_t i = 0; i < messages.size(); ++i)
    {
        EXPECT_EQ(messages[i].message, WM_CHAR);
        EXPECT_EQ(messages[i].wParam, expected[i]);
    }
}

TEST(SdlMessageTranslator, MalformedTextGivesReplacementCharacters)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> messages = Translate(translator, TextEvent("\xFF" "b\xC3"));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].wParam, 0xFFFDu);
    EXPECT_EQ(messages[1].wParam, static_cast<WPARAM>('b'));
    EXPECT_EQ(messages[2].wParam, 0xFFFDu);
    const std::vector<MSG> broken = Translate(translator, TextEvent("\xE2\x82" "b"));
    ASSERT_EQ(broken.size(), 3u) << "a sequence broken off gives one replacement a byte";
    EXPECT_EQ(broken[0].wParam, 0xFFFDu);
    EXPECT_EQ(broken[1].wParam, 0xFFFDu);
    EXPECT_EQ(broken[2].wParam, static_cast<WPARAM>('b'));
}

struct WindowEventCase
{
    SDL_WindowEventID id;
    std::vector<std::pair<UINT, WPARAM>> messages;
};

class WindowEventMessages : public testing::TestWithParam<WindowEventCase>
{
};

TEST_P(WindowEventMessages, StandForTheEvent)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> messages = Translate(translator, WindowEvent(GetParam().id, 800, 600));
    ASSERT_EQ(messages.size(), GetParam().messages.size());
    for (size_t i = 0; i < messages.size(); ++i)
    {
        EXPECT_EQ(messages[i].message, GetParam().messages[i].first);
        EXPECT_EQ(messages[i].wParam, GetParam().messages[i].second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Events, WindowEventMessages,
    testing::Values(
        WindowEventCase{SDL_WINDOWEVENT_CLOSE, {{WM_CLOSE, 0}}},
        WindowEventCase{SDL_WINDOWEVENT_FOCUS_GAINED, {{WM_ACTIVATE, WA_ACTIVE}, {WM_SETFOCUS, 0}}},
        WindowEventCase{SDL_WINDOWEVENT_FOCUS_LOST, {{WM_ACTIVATE, WA_INACTIVE}, {WM_KILLFOCUS, 0}}},
        WindowEventCase{SDL_WINDOWEVENT_MINIMIZED, {{WM_SYSCOMMAND, SC_MINIMIZE}, {WM_SIZE, SIZE_MINIMIZED}}},
        WindowEventCase{SDL_WINDOWEVENT_MAXIMIZED, {{WM_SYSCOMMAND, SC_MAXIMIZE}}},
        WindowEventCase{SDL_WINDOWEVENT_RESTORED, {{WM_SYSCOMMAND, SC_RESTORE}}},
        WindowEventCase{SDL_WINDOWEVENT_SIZE_CHANGED, {{WM_SIZE, SIZE_RESTORED}}},
        WindowEventCase{SDL_WINDOWEVENT_MOVED, {}}),
    [](const testing::TestParamInfo<WindowEventCase>& info) { return "Event" + std::to_string(info.param.id); });

TEST(SdlMessageTranslator, SizeCarriesTheClientSize)
{
    SdlMessageTranslator translator;
    const std::vector<MSG> messages = Translate(translator, WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].lParam & 0xFFFF, 800);
    EXPECT_EQ((messages[0].lParam >> 16) & 0xFFFF, 600);
}

// Every button is a virtual key held; the left one also reaches the window, at its place, among the keys.
TEST(SdlMessageTranslator, MouseButtonsAreVirtualKeysInTheirOrder)
{
    SdlMessageTranslator translator;
    const std::pair<Uint8, int> buttons[] = {{SDL_BUTTON_LEFT, VK_LBUTTON},
                                             {SDL_BUTTON_RIGHT, VK_RBUTTON},
                                             {SDL_BUTTON_MIDDLE, VK_MBUTTON},
                                             {SDL_BUTTON_X1, VK_XBUTTON1},
                                             {SDL_BUTTON_X2, VK_XBUTTON2}};
    for (const auto& [button, virtualKey] : buttons)
    {
        SDL_Event press = ButtonEvent(button, true);
        press.button.x = 30;
        press.button.y = 40;
        const std::vector<MSG> pressed = Translate(translator, press);
        EXPECT_TRUE(translator.IsVirtualKeyDown(virtualKey));
        const std::vector<MSG> released = Translate(translator, ButtonEvent(button, false));
        EXPECT_FALSE(translator.IsVirtualKeyDown(virtualKey));
        if (button != SDL_BUTTON_LEFT)
        {
            EXPECT_TRUE(pressed.empty());
            EXPECT_TRUE(released.empty());
            continue;
        }
        ASSERT_EQ(pressed.size(), 1u);
        EXPECT_EQ(pressed[0].message, WM_LBUTTONDOWN);
        EXPECT_EQ(pressed[0].lParam, LPARAM{40 << 16 | 30});
        ASSERT_EQ(released.size(), 1u);
        EXPECT_EQ(released[0].message, WM_LBUTTONUP);
    }
}

TEST(SdlMessageTranslator, WithoutAWindowOnlyTheKeyStateChanges)
{
    SdlMessageTranslator translator;
    std::vector<MSG> messages;
    translator.Translate(KeyEvent(SDL_SCANCODE_A, true), nullptr, messages);
    translator.Translate(TextEvent("a"), nullptr, messages);
    translator.Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE), nullptr, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(translator.IsVirtualKeyDown('A'));
    translator.ReleaseAll();
    EXPECT_FALSE(translator.IsVirtualKeyDown('A'));
}
}
