// The SDL keyboard and mouse devices fed with SDL events: codes, buttons in device order, wheel units,
// buffering with its capacity and overflow, immediate states, acquisition.
#include "platform/dinput7/DirectInput.h"
#include "platform/dinput7/SdlInputRecords.h"
#include "platform/win32/PlatformWindow.h"
#include "platform/win32/SdlEventListeners.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
SDL_Event Key(SDL_Scancode scancode, bool down, Uint8 repeat = 0)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event Button(Uint8 button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    return event;
}

SDL_Event Motion(Sint32 x, Sint32 y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = x;
    event.motion.yrel = y;
    return event;
}

SDL_Event Wheel(Sint32 y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = y;
    event.wheel.direction = direction;
    return event;
}

// One DirectInput object with one device, buffered with `capacity` records (0: immediate only), acquired.
class SdlDeviceTest : public testing::Test
{
protected:
    void Open(REFGUID which, const DIDATAFORMAT& format, DWORD capacity)
    {
        void* created = nullptr;
        ASSERT_EQ(DirectInputCreateEx(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput7, &created, nullptr), DI_OK);
        m_input = static_cast<IDirectInput7*>(created);
        ASSERT_EQ(m_input->CreateDeviceEx(which, IID_IDirectInputDevice7, &created, nullptr), DI_OK);
        m_device = static_cast<IDirectInputDevice7*>(created);
        ASSERT_EQ(m_device->SetDataFormat(&format), DI_OK);
        ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        if (capacity > 0)
        {
            DIPROPDWORD property;
            property.diph.dwSize = sizeof(DIPROPDWORD);
            property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
            property.diph.dwHow = DIPH_DEVICE;
            property.dwData = capacity;
            ASSERT_EQ(m_device->SetProperty(DIPROP_BUFFERSIZE, &property.diph), DI_OK);
        }
        ASSERT_EQ(m_device->Acquire(), DI_OK);
    }

    void TearDown() override
    {
        if (m_device)
            m_device->Release();
        if (m_input)
            m_input->Release();
    }

    std::vector<DIDEVICEOBJECTDATA> Read(DWORD room, HRESULT expected = DI_OK)
    {
        std::vector<DIDEVICEOBJECTDATA> records(room);
        DWORD count = room;
        EXPECT_EQ(m_device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records.data(), &count, 0), expected);
        records.resize(count);
        return records;
    }

    IDirectInput7* m_input = nullptr;
    IDirectInputDevice7* m_device = nullptr;
};

TEST_F(SdlDeviceTest, KeyboardBuffersPressAndReleaseByKeyCode)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 8);
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_ESCAPE, true));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_ESCAPE, true, 1));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_ESCAPE, false));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_MUTE, true));
    const std::vector<DIDEVICEOBJECTDATA> records = Read(8);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].dwOfs, DIK_ESCAPE);
    EXPECT_EQ(records[0].dwData, 0x80u);
    EXPECT_EQ(records[1].dwOfs, DIK_ESCAPE);
    EXPECT_EQ(records[1].dwData, 0u);
    EXPECT_LT(records[0].dwSequence, records[1].dwSequence);
    EXPECT_TRUE(Read(8).empty());
}

TEST_F(SdlDeviceTest, KeyboardStateFollowsTheKeys)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 0);
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_A, true));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_RALT, true));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_RALT, false));
    std::uint8_t keys[256];
    ASSERT_EQ(m_device->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_A], 0x80);
    EXPECT_EQ(keys[DIK_RMENU], 0);
    EXPECT_EQ(m_device->GetDeviceState(20, keys), DIERR_INVALIDPARAM);
}

TEST_F(SdlDeviceTest, ImmediateOnlyDeviceRefusesBufferedReads)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 0);
    DIDEVICEOBJECTDATA record;
    DWORD count = 1;
    EXPECT_EQ(m_device->GetDeviceData(sizeof(record), &record, &count, 0), DIERR_NOTBUFFERED);
}

TEST_F(SdlDeviceTest, UnacquiredDeviceRecordsNothingAndRefusesReads)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 8);
    m_device->Unacquire();
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_B, true));
    std::uint8_t keys[256];
    EXPECT_EQ(m_device->GetDeviceState(sizeof(keys), keys), DIERR_NOTACQUIRED);
    Read(8, DIERR_NOTACQUIRED);
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    EXPECT_TRUE(Read(8).empty());
    ASSERT_EQ(m_device->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(keys[DIK_B], 0x80);
}

TEST_F(SdlDeviceTest, FullBufferLosesNewRecordsAndReportsOverflowOnce)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 2);
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_A, true));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_A, false));
    Platform::NotifySdlEventListeners(Key(SDL_SCANCODE_B, true));
    const std::vector<DIDEVICEOBJECTDATA> records = Read(8, DI_BUFFEROVERFLOW);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].dwOfs, DIK_A);
    Read(8, DI_OK);
}

TEST_F(SdlDeviceTest, ReadTakesNoMoreThanItHasRoomFor)
{
    Open(GUID_SysKeyboard, c_dfDIKeyboard, 8);
    for (SDL_Scancode scancode : {SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3})
        Platform::NotifySdlEventListeners(Key(scancode, true));
    EXPECT_EQ(Read(2).size(), 2u);
    const std::vector<DIDEVICEOBJECTDATA> rest = Read(2);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].dwOfs, DIK_3);
}

TEST_F(SdlDeviceTest, MouseButtonsComeInDeviceOrder)
{
    Open(GUID_SysMouse, c_dfDIMouse2, 16);
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_LEFT, true));
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_RIGHT, true));
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_MIDDLE, true));
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_X1, true));
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_X2, true));
    const std::vector<DIDEVICEOBJECTDATA> records = Read(16);
    ASSERT_EQ(records.size(), 5u);
    for (DWORD i = 0; i < 5; ++i)
    {
        EXPECT_EQ(records[i].dwOfs, DIMOFS_BUTTON0 + i);
        EXPECT_EQ(records[i].dwData, 0x80u);
    }
    DIMOUSESTATE2 state;
    ASSERT_EQ(m_device->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    EXPECT_EQ(state.rgbButtons[5], 0);
}

// A frame may read a click after the pointer has moved on: the record keeps the event's own place, in the
// screen coordinates the cursor position is read in, and an event of no known window takes the cursor's.
TEST_F(SdlDeviceTest, MouseButtonRecordsKeepWhereTheEventHappened)
{
    KorvaneTest::TestWindow window(320, 200, "Click place");
    ASSERT_NE(window.Handle(), nullptr);
    Open(GUID_SysMouse, c_dfDIMouse2, 16);
    SDL_Event press = Button(SDL_BUTTON_LEFT, true);
    press.button.windowID = SDL_GetWindowID(window.Handle()->sdl);
    press.button.x = 10;
    press.button.y = 20;
    Platform::NotifySdlEventListeners(press);
    SDL_Event release = Button(SDL_BUTTON_LEFT, false);
    release.button.windowID = 0;
    Platform::NotifySdlEventListeners(release);
    const std::vector<DIDEVICEOBJECTDATA> records = Read(16);
    ASSERT_EQ(records.size(), 2u);
    POINT client{10, 20};
    ASSERT_TRUE(ClientToScreen(window.Handle(), &client));
    EXPECT_EQ(records[0].lCursorX, client.x);
    EXPECT_EQ(records[0].lCursorY, client.y);
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(records[1].lCursorX, cursor.x);
    EXPECT_EQ(records[1].lCursorY, cursor.y);
}

TEST_F(SdlDeviceTest, MouseMotionMergesPerAxisBetweenOtherRecords)
{
    Open(GUID_SysMouse, c_dfDIMouse2, 16);
    for (int i = 0; i < 50; ++i)
        Platform::NotifySdlEventListeners(Motion(2, -1));
    Platform::NotifySdlEventListeners(Button(SDL_BUTTON_LEFT, true));
    Platform::NotifySdlEventListeners(Motion(0, 5));
    const std::vector<DIDEVICEOBJECTDATA> records = Read(16);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].dwOfs, DIMOFS_X);
    EXPECT_EQ(static_cast<std::int32_t>(records[0].dwData), 100);
    EXPECT_EQ(records[1].dwOfs, DIMOFS_Y);
    EXPECT_EQ(static_cast<std::int32_t>(records[1].dwData), -50);
    EXPECT_EQ(records[2].dwOfs, DIMOFS_BUTTON0);
    EXPECT_EQ(records[3].dwOfs, DIMOFS_Y);
    EXPECT_EQ(static_cast<std::int32_t>(records[3].dwData), 5);
}

TEST_F(SdlDeviceTest, WheelCountsOneHundredTwentyPerNotch)
{
    Open(GUID_SysMouse, c_dfDIMouse2, 16);
    Platform::NotifySdlEventListeners(Wheel(1));
    Platform::NotifySdlEventListeners(Wheel(2, SDL_MOUSEWHEEL_FLIPPED));
    const std::vector<DIDEVICEOBJECTDATA> records = Read(16);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].dwOfs, DIMOFS_Z);
    EXPECT_EQ(static_cast<std::int32_t>(records[0].dwData), 120);
    EXPECT_EQ(static_cast<std::int32_t>(records[1].dwData), -240);
}

TEST_F(SdlDeviceTest, MouseStateGivesMovementSinceTheLastRead)
{
    Open(GUID_SysMouse, c_dfDIMouse2, 0);
    Platform::NotifySdlEventListeners(Motion(3, 4));
    Platform::NotifySdlEventListeners(Motion(1, -1));
    Platform::NotifySdlEventListeners(Wheel(-1));
    DIMOUSESTATE2 state;
    ASSERT_EQ(m_device->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 4);
    EXPECT_EQ(state.lY, 3);
    EXPECT_EQ(state.lZ, -120);
    ASSERT_EQ(m_device->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.lY, 0);
    EXPECT_EQ(state.lZ, 0);
}

TEST(SdlDevice, SetUpRejectsWrongArguments)
{
    void* created = nullptr;
    EXPECT_EQ(DirectInputCreateEx(nullptr, DIRECTINPUT_VERSION, IID_IDirectInputDevice7, &created, nullptr),
              DIERR_NOINTERFACE);
    ASSERT_EQ(DirectInputCreateEx(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput7, &created, nullptr), DI_OK);
    auto* input = static_cast<IDirectInput7*>(created);
    EXPECT_EQ(input->CreateDeviceEx(DIPROP_BUFFERSIZE, IID_IDirectInputDevice7, &created, nullptr),
              DIERR_DEVICENOTREG);
    ASSERT_EQ(input->CreateDeviceEx(GUID_SysMouse, IID_IDirectInputDevice7, &created, nullptr), DI_OK);
    auto* mouse = static_cast<IDirectInputDevice7*>(created);
    EXPECT_EQ(mouse->SetDataFormat(&c_dfDIKeyboard), DIERR_INVALIDPARAM);
    EXPECT_EQ(mouse->Acquire(), DIERR_INVALIDPARAM);
    EXPECT_EQ(mouse->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
    EXPECT_EQ(mouse->SetCooperativeLevel(nullptr, 0xA), DI_OK);
    mouse->Release();
    input->Release();
}

struct KeyCodeCase
{
    SDL_Scancode scancode;
    DWORD code;
};

class KeyCodeFromScancode : public testing::TestWithParam<KeyCodeCase>
{
};

TEST_P(KeyCodeFromScancode, MapsThePosition)
{
    EXPECT_EQ(Platform::KeyCodeFromScancode(GetParam().scancode), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCodeFromScancode,
    testing::Values(KeyCodeCase{SDL_SCANCODE_ESCAPE, 0x01}, KeyCodeCase{SDL_SCANCODE_1, 0x02},
                    KeyCodeCase{SDL_SCANCODE_0, 0x0B}, KeyCodeCase{SDL_SCANCODE_Q, 0x10},
                    KeyCodeCase{SDL_SCANCODE_RIGHTBRACKET, 0x1B}, KeyCodeCase{SDL_SCANCODE_RETURN, 0x1C},
                    KeyCodeCase{SDL_SCANCODE_A, 0x1E}, KeyCodeCase{SDL_SCANCODE_GRAVE, 0x29},
                    KeyCodeCase{SDL_SCANCODE_BACKSLASH, 0x2B}, KeyCodeCase{SDL_SCANCODE_M, 0x32},
                    KeyCodeCase{SDL_SCANCODE_KP_MULTIPLY, 0x37}, KeyCodeCase{SDL_SCANCODE_SPACE, 0x39},
                    KeyCodeCase{SDL_SCANCODE_F10, 0x44}, KeyCodeCase{SDL_SCANCODE_KP_0, 0x52},
                    KeyCodeCase{SDL_SCANCODE_KP_PERIOD, 0x53}, KeyCodeCase{SDL_SCANCODE_F12, 0x58},
                    KeyCodeCase{SDL_SCANCODE_RCTRL, 0x9D}, KeyCodeCase{SDL_SCANCODE_KP_DIVIDE, 0xB5},
                    KeyCodeCase{SDL_SCANCODE_PRINTSCREEN, 0xB7}, KeyCodeCase{SDL_SCANCODE_RALT, 0xB8},
                    KeyCodeCase{SDL_SCANCODE_PAUSE, 0xC5}, KeyCodeCase{SDL_SCANCODE_UP, 0xC8},
                    KeyCodeCase{SDL_SCANCODE_PAGEDOWN, 0xD1}, KeyCodeCase{SDL_SCANCODE_DELETE, 0xD3},
                    KeyCodeCase{SDL_SCANCODE_MUTE, 0}),
    [](const testing::TestParamInfo<KeyCodeCase>& info) {
        return "Scancode" + std::to_string(info.param.scancode);
    });

TEST(MouseButtonFromSdl, LeftRightMiddleThenSideButtons)
{
    EXPECT_EQ(Platform::MouseButtonFromSdl(SDL_BUTTON_LEFT), 0);
    EXPECT_EQ(Platform::MouseButtonFromSdl(SDL_BUTTON_RIGHT), 1);
    EXPECT_EQ(Platform::MouseButtonFromSdl(SDL_BUTTON_MIDDLE), 2);
    EXPECT_EQ(Platform::MouseButtonFromSdl(SDL_BUTTON_X1), 3);
    EXPECT_EQ(Platform::MouseButtonFromSdl(SDL_BUTTON_X2), 4);
    EXPECT_EQ(Platform::MouseButtonFromSdl(8), 7);
    EXPECT_EQ(Platform::MouseButtonFromSdl(9), -1);
}
}
