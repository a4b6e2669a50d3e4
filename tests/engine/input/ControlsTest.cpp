// The controls over scripted input devices and the recording window backend: set-up and its failures, buffered
// and immediate reading, latches, mouse axes and wheel, the lock rule, typed keys and the cursor.
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/files/FileManager.h"
#include "engine/input/Controls_DI7.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDirectInput.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr DWORD kDown = 0x80;
constexpr DWORD kUp = 0x00;

class ControlsTest : public testing::Test
{
protected:
    ControlsTest()
    {
        backend.cursor = POINT{300, 200};
        window = std::make_unique<Window>(&log, &config, "Controls test", nullptr, 0, 0, 640, 480, 0, 0, 100, 50);
    }

    ~ControlsTest() override
    {
        controls.reset();
        window.reset();
    }

    Controls_DI7& Make(bool buffered = true)
    {
        controls = std::make_unique<Controls_DI7>(&log, &timers, window.get(), buffered);
        return *controls;
    }

    // One engine frame as far as the controls go: read, then (after everything else) clear the latches.
    void Frame()
    {
        clock.AdvanceSeconds(0.1);
        timers.Update();
        controls->Update();
    }

    // The log's records of one kind from the first on, without their line feed.
    std::vector<std::string> LogLines(u32 kind, u32 first = 0)
    {
        std::vector<std::string> lines;
        for (u32 i = first; i < log.GetRecordCount(); ++i)
        {
            if (log.GetRecord(i).kind != kind)
                continue;
            std::string text = log.GetRecord(i).text;
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            lines.push_back(text);
        }
        return lines;
    }

    // The texts of the log's error entries.
    std::vector<std::string> Errors()
    {
        std::vector<std::string> errors;
        for (const std::string& line : LogLines(MessageManager::KindError))
        {
            const std::string prefix = "\nError: ";
            const size_t end = line.rfind('!');
            if (line.rfind(prefix, 0) == 0 && end != std::string::npos)
                errors.push_back(line.substr(prefix.size(), end - prefix.size()));
        }
        return errors;
    }

    std::string FatalMessageOfSetUp()
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

    TestSupport::FakeClock clock;
    TestSupport::FakeWindowBackend backend;
    TestSupport::FakeDirectInput input;
    TestSupport::TempFolder folder;
    MessageManager log{"Controls test", 0, 0, "", ""};
    FileManager files{&log, folder.Path(), "Data"};
    Config config{&log, &files, folder.Path(), "settings", 0, "640x480x32", 0, 0};
    TimerManager timers;
    std::unique_ptr<Window> window;
    std::unique_ptr<Controls_DI7> controls;
};

TEST_F(ControlsTest, SetUpOpensBothDevicesBufferedAndLogsEachStep)
{
    Make();
    EXPECT_TRUE(controls->IsKeyboardBuffered());
    EXPECT_TRUE(controls->IsMouseBuffered());
    EXPECT_EQ(input.keyboard.formatSize, 256u);
    EXPECT_EQ(input.mouse.formatSize, 20u);
    EXPECT_EQ(input.keyboard.bufferSize, 8u);
    EXPECT_EQ(input.mouse.bufferSize, 16u);
    EXPECT_EQ(input.keyboard.cooperativeFlags, 0xAu);
    EXPECT_EQ(input.keyboard.cooperativeWindow, GetDesktopWindow());
    EXPECT_EQ(input.mouse.cooperativeFlags, 0xAu);
    EXPECT_EQ(input.keyboard.acquireCalls, 1);
    EXPECT_EQ(input.mouse.acquireCalls, 1);

    const std::vector<std::string> lines = LogLines(MessageManager::KindMessage);
    const std::vector<std::string> expected = {"Initialization of DirectInput devices...",
                                               "...Creating a DirectInput object...",
                                               "...Keyboard:",
                                               "......Obtaining an interface to the system keyboard device...",
                                               "......Setting the data format...",
                                               "......Setting the cooperativity level...",
                                               "......Setting the buffered mode...",
                                               "...Mouse:",
                                               "......Obtaining an interface to the system mouse device...",
                                               "......Setting the data format...",
                                               "......Setting the cooperativity level...",
                                               "......Setting the buffered mode..."};
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - expected.size(), lines.end()), expected);
}

TEST_F(ControlsTest, TearDownReleasesEverythingAndLogsEachStep)
{
    Make();
    const u32 before = log.GetRecordCount();
    controls.reset();
    const std::vector<std::string> lines = LogLines(MessageManager::KindMessage, before);
    const std::vector<std::string> expected = {"\nDirectInput devices destroying:", "...Keyboard...", "...Mouse...",
                                               "...DirectInput object..."};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(input.keyboard.unacquireCalls, 1);
    EXPECT_EQ(input.keyboard.releaseCalls, 1);
    EXPECT_EQ(input.mouse.releaseCalls, 1);
    EXPECT_EQ(input.releaseCalls, 1);
    EXPECT_TRUE(backend.cursorShown);
}

TEST_F(ControlsTest, SetUpFailuresAreFatalWithTheirMessages)
{
    input.createResult = E_FAIL;
    EXPECT_EQ(FatalMessageOfSetUp(), "Failed to create a DirectInput object");
    input.createResult = DI_OK;

    input.keyboardResult = E_FAIL;
    EXPECT_EQ(FatalMessageOfSetUp(), "Failed to obtain an interface to the system keyboard device");
    input.keyboardResult = DI_OK;

    input.mouseResult = E_FAIL;
    EXPECT_EQ(FatalMessageOfSetUp(), "Failed to obtain an interface to the system mouse device");
    input.mouseResult = DI_OK;
    EXPECT_EQ(input.keyboard.releaseCalls, 1);

    input.keyboard.dataFormatResult = E_FAIL;
    EXPECT_EQ(FatalMessageOfSetUp(), "Failed to set the data format");
    input.keyboard.dataFormatResult = DI_OK;

    input.mouse.cooperativeResult = E_FAIL;
    EXPECT_EQ(FatalMessageOfSetUp(), "Failed to set the cooperativity level");
    input.mouse.cooperativeResult = DI_OK;

    EXPECT_NO_THROW(Make());
}

TEST_F(ControlsTest, RefusedBufferFallsBackToImmediateMode)
{
    input.mouse.propertyResult = E_FAIL;
    Make();
    EXPECT_TRUE(controls->IsKeyboardBuffered());
    EXPECT_FALSE(controls->IsMouseBuffered());
    EXPECT_EQ(Errors(), std::vector<std::string>{"Failed to set the buffered mode, switching to the immediate mode"});
}

TEST_F(ControlsTest, UnbufferedRequestSkipsTheBuffer)
{
    Make(false);
    EXPECT_FALSE(controls->IsKeyboardBuffered());
    EXPECT_FALSE(controls->IsMouseBuffered());
    EXPECT_EQ(input.keyboard.bufferSize, 0u);
}

TEST_F(ControlsTest, PressAndReleaseWithinOneFrameStillLatches)
{
    Make();
    input.keyboard.AddRecord(DIK_SPACE, kDown);
    input.keyboard.AddRecord(DIK_SPACE, kUp);
    Frame();
    EXPECT_TRUE(controls->IsPressed("SPACE"));
    EXPECT_TRUE(controls->IsDown("SPACE"));
    EXPECT_TRUE(controls->IsAnyKeyDown());
    controls->ClearPressed();
    EXPECT_FALSE(controls->IsPressed("SPACE"));
    EXPECT_FALSE(controls->IsDown("SPACE"));
    EXPECT_FALSE(controls->IsAnyKeyDown());
}

TEST_F(ControlsTest, HeldKeyIsDownInEveryFrameButPressedInTheFirst)
{
    Make();
    input.keyboard.AddRecord(DIK_A, kDown);
    Frame();
    EXPECT_TRUE(controls->IsPressed("A"));
    controls->ClearPressed();
    Frame();
    EXPECT_FALSE(controls->IsPressed("A"));
    EXPECT_TRUE(controls->IsDown("A"));
    input.keyboard.AddRecord(DIK_A, kDown);
    Frame();
    EXPECT_FALSE(controls->IsPressed("A"));
    input.keyboard.AddRecord(DIK_A, kUp);
    Frame();
    EXPECT_FALSE(controls->IsDown("A"));
}

// Escape and 1 share their numbers with mouse buttons 2 and 3: the numbers belong to the keys.
TEST_F(ControlsTest, QueriesUpperCaseTheNameAndAnswerFalseForUnknownNames)
{
    Make();
    input.keyboard.AddRecord(DIK_ESCAPE, kDown);
    input.keyboard.AddRecord(DIK_1, kDown);
    Frame();
    EXPECT_TRUE(controls->IsDown("1"));
    EXPECT_FALSE(controls->IsDown("MOUSE2"));
    EXPECT_FALSE(controls->IsDown("MOUSE3"));
    EXPECT_TRUE(controls->IsPressed("escape"));
    EXPECT_TRUE(controls->IsDown("Escape"));
    EXPECT_FALSE(controls->IsPressed("ESC"));
    EXPECT_FALSE(controls->IsDown("NOSUCHKEY"));
}

TEST_F(ControlsTest, EveryWaitingRecordIsReadInOneFrame)
{
    Make();
    const DWORD keys[] = {DIK_Q, DIK_W, DIK_E, DIK_R, DIK_T, DIK_Y};
    for (DWORD key : keys)
    {
        input.keyboard.AddRecord(key, kDown);
        input.keyboard.AddRecord(key, kUp);
    }
    Frame();
    for (const char* name : {"Q", "W", "E", "R", "T", "Y"})
        EXPECT_TRUE(controls->IsPressed(name)) << name;
    EXPECT_TRUE(input.keyboard.records.empty());
}

TEST_F(ControlsTest, UnknownRecordOffsetsAreIgnored)
{
    Make();
    input.keyboard.AddRecord(0x5A, kDown);
    input.mouse.AddRecord(40, kDown);
    Frame();
    EXPECT_FALSE(controls->IsAnyKeyDown());
}

TEST_F(ControlsTest, FailedBufferedReadReacquiresAndReadsTheState)
{
    Make();
    input.keyboard.dataResults = {DI_BUFFEROVERFLOW};
    input.keyboard.AddRecord(DIK_B, kDown);
    input.keyboard.state[DIK_C] = 0x80;
    input.mouse.dataResults = {DIERR_INPUTLOST};
    input.mouse.AddRecord(DIMOFS_X, 50);
    input.mouse.AddMouseState(7, 8, 120);
    input.mouse.state[12 + 1] = 0x80;
    Frame();
    EXPECT_EQ(input.keyboard.acquireCalls, 2);
    EXPECT_EQ(input.mouse.acquireCalls, 2);
    EXPECT_FALSE(controls->IsDown("B"));
    EXPECT_TRUE(controls->IsDown("C"));
    EXPECT_TRUE(controls->IsDown("MOUSE2"));
    EXPECT_EQ(controls->GetDeviceMovement().x, 0.0f);
    EXPECT_EQ(controls->GetDeviceMovement().y, 0.0f);
    EXPECT_EQ(controls->GetWheel(), 0);
    EXPECT_TRUE(controls->IsKeyboardBuffered());
}

TEST_F(ControlsTest, FailedImmediateReadReleasesEverything)
{
    Make(false);
    input.keyboard.state[DIK_C] = 0x80;
    Frame();
    EXPECT_TRUE(controls->IsDown("C"));
    input.keyboard.stateResult = DIERR_NOTACQUIRED;
    Frame();
    controls->ClearPressed();
    EXPECT_FALSE(controls->IsDown("C"));
    EXPECT_EQ(input.keyboard.acquireCalls, 2);
}

TEST_F(ControlsTest, AcquireRetriesAreBoundedAndTheFailureLoggedOnce)
{
    Make();
    for (int i = 0; i < 100; ++i)
        input.keyboard.acquireResults.push_back(DIERR_OTHERAPPHASPRIO);
    input.keyboard.dataResults = {DIERR_NOTACQUIRED, DIERR_NOTACQUIRED};
    Frame();
    EXPECT_EQ(input.keyboard.acquireCalls, 1 + 3);
    Frame();
    EXPECT_EQ(input.keyboard.acquireCalls, 1 + 6);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Failed to acquire the system keyboard device"});
}

TEST_F(ControlsTest, ImmediateModeMissesAShortPressAndKeepsKeysApartFromButtons)
{
    Make(false);
    input.keyboard.AddRecord(DIK_SPACE, kDown);
    input.keyboard.AddRecord(DIK_SPACE, kUp);
    input.keyboard.state[DIK_ESCAPE] = 0x80;
    input.keyboard.state[DIK_1] = 0x80;
    Frame();
    EXPECT_FALSE(controls->IsDown("SPACE"));
    EXPECT_TRUE(controls->IsDown("ESCAPE"));
    EXPECT_TRUE(controls->IsDown("1"));
    EXPECT_FALSE(controls->IsDown("MOUSE2"));
    EXPECT_FALSE(controls->IsDown("MOUSE3"));
}

TEST_F(ControlsTest, ImmediateMouseTakesAxesAndButtonsFromTheState)
{
    Make(false);
    input.mouse.AddMouseState(5, 6, -240);
    input.mouse.state[12 + 0] = 0x80;
    input.mouse.state[12 + 2] = 0x80;
    Frame();
    EXPECT_EQ(controls->GetDeviceMovement().x, 5.0f);
    EXPECT_EQ(controls->GetDeviceMovement().y, -6.0f);
    EXPECT_EQ(controls->GetWheel(), -240);
    EXPECT_TRUE(controls->IsDown("MOUSE1"));
    EXPECT_FALSE(controls->IsDown("MOUSE2"));
    EXPECT_TRUE(controls->IsDown("MOUSE3"));
}

TEST_F(ControlsTest, BufferedMouseRecordsAddUpAndNameTheButtons)
{
    Make();
    input.mouse.AddRecord(DIMOFS_X, 3);
    input.mouse.AddRecord(DIMOFS_Y, static_cast<DWORD>(-4));
    input.mouse.AddRecord(DIMOFS_X, static_cast<DWORD>(-10));
    input.mouse.AddRecord(DIMOFS_Y, 9);
    input.mouse.AddRecord(DIMOFS_BUTTON0 + 1, kDown);
    input.mouse.AddRecord(DIMOFS_BUTTON0 + 7, kDown);
    input.mouse.AddRecord(DIMOFS_BUTTON0 + 7, kUp);
    Frame();
    EXPECT_EQ(controls->GetDeviceMovement().x, -7.0f);
    EXPECT_EQ(controls->GetDeviceMovement().y, -5.0f);
    EXPECT_TRUE(controls->IsDown("MOUSE2"));
    EXPECT_TRUE(controls->IsPressed("MOUSE8"));
    EXPECT_FALSE(controls->IsDown("MOUSE1"));
    controls->ClearPressed();
    Frame();
    EXPECT_EQ(controls->GetDeviceMovement().x, 0.0f);
    EXPECT_EQ(controls->GetDeviceMovement().y, 0.0f);
    EXPECT_TRUE(controls->IsDown("MOUSE2"));
    EXPECT_FALSE(controls->IsDown("MOUSE8"));
}

TEST_F(ControlsTest, WheelIsSeenInOneFrameAndTheNextReadsZero)
{
    Make();
    input.mouse.AddRecord(DIMOFS_Z, 120);
    Frame();
    EXPECT_EQ(controls->GetWheel(), 120);
    input.mouse.AddRecord(DIMOFS_Z, 120);
    Frame();
    EXPECT_EQ(controls->GetWheel(), 0);
    input.mouse.AddRecord(DIMOFS_Z, static_cast<DWORD>(-240));
    Frame();
    EXPECT_EQ(controls->GetWheel(), -240);
    Frame();
    EXPECT_EQ(controls->GetWheel(), 0);
}

TEST_F(ControlsTest, LockHidesEveryAnswerUntilAllIsReleased)
{
    Make();
    input.keyboard.AddRecord(DIK_RETURN, kDown);
    Frame();
    controls->Lock();
    EXPECT_FALSE(controls->IsPressed("ENTER"));
    EXPECT_FALSE(controls->IsDown("ENTER"));
    EXPECT_FALSE(controls->IsAnyKeyDown());
    controls->ClearPressed();
    Frame();
    EXPECT_TRUE(controls->IsLocked());
    input.keyboard.AddRecord(DIK_RETURN, kUp);
    input.keyboard.AddRecord(DIK_X, kDown);
    input.keyboard.AddRecord(DIK_X, kUp);
    Frame();
    EXPECT_TRUE(controls->IsLocked());
    controls->ClearPressed();
    Frame();
    EXPECT_FALSE(controls->IsLocked());
    input.keyboard.AddRecord(DIK_X, kDown);
    Frame();
    EXPECT_TRUE(controls->IsPressed("X"));
}

TEST_F(ControlsTest, PendingTypedKeyKeepsInputLocked)
{
    Make();
    controls->Lock();
    SendMessage(window->GetHandle(), WM_CHAR, 'q', 0);
    Frame();
    EXPECT_TRUE(controls->IsLocked());
    u16 code = 0;
    bool isCharacter = false;
    EXPECT_FALSE(controls->GetTypedKey(code, isCharacter));
    controls->ClearPressed();
    Frame();
    EXPECT_FALSE(controls->IsLocked());
}

// Keys typed in earlier frames and not yet handed out hold no lock: a backlog from before a slow reset would hold it
// a frame a key, and a click made after the reset would be lost to it.
TEST_F(ControlsTest, KeysTypedBeforeTheLockDoNotHoldIt)
{
    Make();
    for (const char letter : std::string("Noa"))
        SendMessage(window->GetHandle(), WM_CHAR, static_cast<WPARAM>(letter), 0);
    Frame();
    controls->ClearPressed();
    controls->Lock();
    Frame();
    EXPECT_FALSE(controls->IsLocked());
    EXPECT_TRUE(window->IsTypedKeyPending());
    controls->ClearPressed();
    input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    Frame();
    EXPECT_TRUE(controls->IsPressed("MOUSE1"));
}

TEST_F(ControlsTest, StuckControlUnlocksAfterTwoSecondsWithoutPhysicalKeys)
{
    Make();
    input.keyboard.AddRecord(DIK_TAB, kDown);
    Frame();
    controls->Lock();
    for (int frame = 0; frame < 19; ++frame)
        Frame();
    EXPECT_TRUE(controls->IsLocked());
    Frame();
    Frame();
    EXPECT_FALSE(controls->IsLocked());
    EXPECT_TRUE(controls->IsDown("TAB"));
}

TEST_F(ControlsTest, PhysicallyHeldKeyKeepsTheLockPastTwoSeconds)
{
    Make();
    input.keyboard.AddRecord(DIK_TAB, kDown);
    Frame();
    controls->Lock();
    backend.keysDown = {VK_TAB};
    for (int frame = 0; frame < 40; ++frame)
        Frame();
    EXPECT_TRUE(controls->IsLocked());
    backend.keysDown.clear();
    Frame();
    EXPECT_FALSE(controls->IsLocked());
}

TEST_F(ControlsTest, TypedKeysComeFromTheWindowOnePerClearingOfTheLatches)
{
    Make();
    u16 code = 0;
    bool isCharacter = true;
    EXPECT_FALSE(controls->GetTypedKey(code, isCharacter));
    SendMessage(window->GetHandle(), WM_KEYDOWN, VK_BACK, 0);
    SendMessage(window->GetHandle(), WM_CHAR, 8, 0);
    SendMessage(window->GetHandle(), WM_CHAR, 0x44F, 0);
    SendMessage(window->GetHandle(), WM_CHAR, 'b', 0);
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, VK_BACK);
    EXPECT_FALSE(isCharacter);
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, VK_BACK);
    controls->ClearPressed();
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, 0x44F);
    EXPECT_TRUE(isCharacter);
    controls->ClearPressed();
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, u16{'b'});
    controls->ClearPressed();
    EXPECT_FALSE(controls->GetTypedKey(code, isCharacter));
}

// A window opened by a click comes on screen some frames later: the keys typed after the click wait for whoever
// asks next, and once asked they go one a frame again. A click pressed and let go within one frame is judged in the
// next, and no key is dropped unread before.
TEST_F(ControlsTest, KeysTypedAfterAClickWaitForTheWindowItOpens)
{
    Make();
    const HWND handle = window->GetHandle();
    u16 code = 0;
    bool isCharacter = false;
    input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    SendMessage(handle, WM_LBUTTONUP, 0, 0);
    for (const char letter : std::string("Noa"))
        SendMessage(handle, WM_CHAR, static_cast<WPARAM>(letter), 0);
    Frame();
    ASSERT_TRUE(controls->IsDown("MOUSE1"));
    controls->ClearPressed();
    Frame();
    controls->KeepTypedKeysAfterClick();
    for (int frame = 0; frame < 3; ++frame)
    {
        controls->ClearPressed();
        Frame();
    }
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, u16{'N'});
    controls->ClearPressed();
    Frame();
    controls->ClearPressed();
    Frame();
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, u16{'a'});
}

// The key that opens the window is done with in its frame; a reader that asks with nothing typed ends the wait;
// a locked frame, which hands out nothing, drops keys as ever; and nothing waits past five seconds.
TEST_F(ControlsTest, KeptKeysGoAfterTheOpeningKeyAnAskALockOrFiveSeconds)
{
    Make();
    const HWND handle = window->GetHandle();
    u16 code = 0;
    bool isCharacter = false;
    SendMessage(handle, WM_KEYDOWN, VK_RETURN, 0);
    SendMessage(handle, WM_CHAR, '\r', 0);
    SendMessage(handle, WM_CHAR, 'a', 0);
    Frame();
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    controls->KeepTypedKeysAfterThisKey();
    controls->ClearPressed();
    Frame();
    ASSERT_TRUE(controls->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, u16{'a'});
    controls->ClearPressed();

    controls->KeepTypedKeysAfterThisKey();
    Frame();
    EXPECT_FALSE(controls->GetTypedKey(code, isCharacter));
    controls->ClearPressed();
    SendMessage(handle, WM_CHAR, 'b', 0);
    Frame();
    controls->ClearPressed();
    EXPECT_FALSE(window->IsTypedKeyPending());

    controls->KeepTypedKeysAfterThisKey();
    SendMessage(handle, WM_CHAR, 'c', 0);
    controls->Lock();
    Frame();
    controls->ClearPressed();
    EXPECT_FALSE(window->IsTypedKeyPending());
    Frame();
    ASSERT_FALSE(controls->IsLocked());

    controls->KeepTypedKeysAfterThisKey();
    SendMessage(handle, WM_CHAR, 'd', 0);
    for (int frame = 0; frame < 45; ++frame)
    {
        Frame();
        controls->ClearPressed();
    }
    EXPECT_TRUE(window->IsTypedKeyPending());
    for (int frame = 0; frame < 10; ++frame)
    {
        Frame();
        controls->ClearPressed();
    }
    EXPECT_FALSE(window->IsTypedKeyPending());
}

TEST_F(ControlsTest, CursorPositionIsInClientCoordinates)
{
    Make();
    backend.cursor = POINT{150, 90};
    const Vector2 position = controls->GetCursorPosition();
    EXPECT_EQ(position.x, 50.0f);
    EXPECT_EQ(position.y, 40.0f);
    controls->SetCursorPosition(Vector2(10.9f, -3.7f));
    ASSERT_EQ(backend.warps.size(), 1u);
    EXPECT_EQ(backend.warps[0].x, 110);
    EXPECT_EQ(backend.warps[0].y, 47);
}

// A slow frame reads a click late: the press and the release are judged where they were made, each in the
// frame that sees it, while the cursor goes on where the pointer is now.
TEST_F(ControlsTest, ButtonChangesAreJudgedWhereTheyWereMade)
{
    Make();
    const auto judged = [this](const char* name) {
        const Vector2 place = controls->GetButtonChangePosition(name);
        return std::vector<float>{place.x, place.y};
    };
    backend.cursor = POINT{150, 90};
    input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    input.mouse.AddRecord(DIMOFS_BUTTON0 + 1, kDown);
    backend.cursor = POINT{250, 190};
    input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    backend.cursor = POINT{400, 300};
    Frame();
    EXPECT_TRUE(controls->IsPressed("MOUSE1"));
    EXPECT_EQ(judged("mouse1"), (std::vector<float>{50.0f, 40.0f}));
    EXPECT_EQ(judged("MOUSE2"), (std::vector<float>{50.0f, 40.0f}));
    EXPECT_EQ(judged("SPACE"), (std::vector<float>{300.0f, 250.0f}));
    controls->ClearPressed();
    Frame();
    EXPECT_FALSE(controls->IsDown("MOUSE1"));
    EXPECT_EQ(judged("MOUSE1"), (std::vector<float>{150.0f, 140.0f}));
    EXPECT_EQ(judged("MOUSE2"), (std::vector<float>{300.0f, 250.0f}));
    controls->ClearPressed();
    Frame();
    EXPECT_EQ(judged("MOUSE1"), (std::vector<float>{300.0f, 250.0f}));

    // Held over frames: only the frames of the press and of the release are judged at their places.
    input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    Frame();
    controls->ClearPressed();
    backend.cursor = POINT{120, 60};
    Frame();
    EXPECT_TRUE(controls->IsDown("MOUSE1"));
    EXPECT_EQ(judged("MOUSE1"), (std::vector<float>{20.0f, 10.0f}));
    controls->ClearPressed();
    input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    backend.cursor = POINT{400, 300};
    Frame();
    EXPECT_EQ(judged("MOUSE1"), (std::vector<float>{20.0f, 10.0f}));
    controls->ClearPressed();
    Frame();
    EXPECT_EQ(judged("MOUSE1"), (std::vector<float>{300.0f, 250.0f}));
}

TEST_F(ControlsTest, ImmediateMouseJudgesChangesWhereTheCursorIsRead)
{
    Make(false);
    input.mouse.state[12] = 0x80;
    backend.cursor = POINT{150, 90};
    Frame();
    EXPECT_TRUE(controls->IsPressed("MOUSE1"));
    EXPECT_EQ(controls->GetButtonChangePosition("MOUSE1").x, 50.0f);
    controls->ClearPressed();
    input.mouse.state[12] = 0;
    backend.cursor = POINT{160, 95};
    Frame();
    EXPECT_EQ(controls->GetButtonChangePosition("MOUSE1").x, 60.0f);
    EXPECT_EQ(controls->GetButtonChangePosition("MOUSE1").y, 45.0f);
}

TEST_F(ControlsTest, CursorMovementGrowsUpwardAndTheCursorIsLeftAlone)
{
    Make();
    backend.cursor = POINT{310, 195};
    Frame();
    EXPECT_EQ(controls->GetCursorMovement().x, 10.0f);
    EXPECT_EQ(controls->GetCursorMovement().y, 5.0f);
    Frame();
    EXPECT_EQ(controls->GetCursorMovement().x, 0.0f);
    EXPECT_TRUE(backend.warps.empty());
}

TEST_F(ControlsTest, CursorSpeedScalesTheMovement)
{
    Make();
    controls->SetCursorSpeed(Vector2(2.0f, 0.5f));
    backend.cursor = POINT{310, 190};
    Frame();
    ASSERT_EQ(backend.warps.size(), 1u);
    EXPECT_EQ(backend.warps[0].x, 320);
    EXPECT_EQ(backend.warps[0].y, 195);
    Frame();
    EXPECT_EQ(controls->GetCursorMovement().x, 0.0f);
}

TEST_F(ControlsTest, RecentringPutsTheCursorBackInTheMiddle)
{
    Make();
    controls->SetRecentreCursor(true);
    backend.cursor = POINT{0, 0};
    Frame();
    ASSERT_EQ(backend.warps.size(), 1u);
    EXPECT_EQ(backend.warps[0].x, 100 + 320);
    EXPECT_EQ(backend.warps[0].y, 50 + 240);
    EXPECT_EQ(controls->GetCursorMovement().x, -300.0f);
    EXPECT_EQ(controls->GetCursorMovement().y, 200.0f);
}

TEST_F(ControlsTest, CursorVisibilityReachesTheSystemCursor)
{
    Make();
    EXPECT_TRUE(controls->IsCursorVisible());
    controls->SetCursorVisible(false);
    EXPECT_FALSE(controls->IsCursorVisible());
    EXPECT_FALSE(backend.cursorShown);
    Frame();
    EXPECT_FALSE(backend.cursorShown);
    controls->SetCursorVisible(true);
    EXPECT_TRUE(backend.cursorShown);
    for (int frame = 0; frame < 30; ++frame)
        Frame();
    EXPECT_TRUE(backend.cursorShown);
    EXPECT_LE(ShowCursor(FALSE), 10);
    ShowCursor(TRUE);
}
}
