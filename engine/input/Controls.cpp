// Queries by control name, the lock rule, cursor movement and speed, the one-frame wheel report, and the
// system cursor's display counter kept in a narrow band.
#include "engine/input/Controls.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/input/KeyNames.h"
#include "platform/win32/WindowApi.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr f32 kLockTimeout = 2.0f;
// Far longer than any window takes to come on screen, so that keys kept for one that never reads them are not
// kept for good.
constexpr f32 kTypedKeyKeepTimeout = 5.0f;
constexpr int kVirtualKeyCount = 256;
constexpr int kCursorCounterBand = 10;

u8 LookUp(const std::map<std::string, u8>& states, const std::string& name)
{
    const auto found = states.find(StringToUpperCopy(name));
    return found == states.end() ? 0 : found->second;
}
}

Controls::Controls(MessageManager* log, TimerManager* timerManager, Window* window)
    : m_log(log), m_timerManager(timerManager), m_window(window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    m_lastCursorX = cursor.x;
    m_lastCursorY = cursor.y;
    for (const KeyName& key : kKeyNames)
        m_held[key.name] = 0;
    m_pressed = m_held;
    for (u32 i = 0; i < kMouseButtonCount; ++i)
        m_mouseButtonNames.push_back(kKeyNames[i].name);
    m_typedKeyCountAtClear = m_window->GetTypedKeyCount();
}

Controls::~Controls() { SetCursorVisible(true); }

void Controls::Update()
{
    POINT cursor;
    GetCursorPos(&cursor);
    m_cursorMovement = Vector2(static_cast<f32>(cursor.x - m_lastCursorX), static_cast<f32>(cursor.y - m_lastCursorY));
    if (m_recentreCursor)
    {
        RECT rect;
        GetWindowRect(m_window->GetHandle(), &rect);
        SetCursorPosition(Vector2(static_cast<f32>(rect.right - rect.left) * 0.5f,
                                  static_cast<f32>(rect.bottom - rect.top) * 0.5f));
    }
    else if (std::fabs(m_cursorSpeed.x - 1.0f) > MathTolerance || std::fabs(m_cursorSpeed.y - 1.0f) > MathTolerance)
    {
        SetCursorPos(m_lastCursorX + static_cast<i32>(m_cursorMovement.x * m_cursorSpeed.x),
                     m_lastCursorY + static_cast<i32>(m_cursorMovement.y * m_cursorSpeed.y));
    }
    GetCursorPos(&cursor);
    m_lastCursorX = cursor.x;
    m_lastCursorY = cursor.y;
    m_cursorMovement.y = -m_cursorMovement.y;
    m_deviceMovement.y = -m_deviceMovement.y;

    // A wheel movement is seen in one frame; the frame after it always reads 0.
    if (m_wheelReported)
    {
        m_wheel = 0;
        m_wheelReported = 0;
    }
    else
    {
        m_wheelReported = m_wheel != 0 ? 1 : 0;
    }
    JudgeMouseButtonChanges();
    UpdateLock();
    UpdateTypedKeyKeep();
    ApplyCursorVisibility();
}

// A press that does not latch (the button is already held or latched in this frame) changes nothing the
// frame judges, so only the first latched press of a frame keeps its place.
void Controls::NoteMouseButtonPlace(u32 button, bool down, const Vector2& clientPosition)
{
    if (button >= kMouseButtonCount)
        return;
    const std::string& name = m_mouseButtonNames[button];
    if (!down)
        m_buttonPlaces[button].release = clientPosition;
    else if (m_held[name] == 0 && m_pressed[name] == 0)
        m_buttonPlaces[button].press = clientPosition;
}

// The frame that latches a press judges the press; the first frame that sees the button neither held nor
// latched judges the release, even when both came within one earlier frame.
void Controls::JudgeMouseButtonChanges()
{
    for (u32 button = 0; button < kMouseButtonCount; ++button)
    {
        const std::string& name = m_mouseButtonNames[button];
        MouseButtonPlaces& places = m_buttonPlaces[button];
        const bool pressed = m_pressed[name] != 0;
        const bool down = pressed || m_held[name] != 0;
        places.judgedAtChange = pressed || (places.wasDown && !down) ? 1 : 0;
        places.judged = pressed ? places.press : places.release;
        places.wasDown = down ? 1 : 0;
    }
}

void Controls::UpdateLock()
{
    // A key typed in this frame keeps the lock, as the one typed key of a frame would; keys queued in earlier
    // frames do not, or a backlog typed before a slow reset would hold it a frame a key.
    const bool keyTyped = m_window->GetTypedKeyCount() != m_typedKeyCountAtClear;
    if (m_locked)
        m_locked = keyTyped || IsAnyControlActive() ? 1 : 0;
    if (!m_locked)
    {
        m_lockTime = 0.0f;
        return;
    }
    // A control whose release was never reported must not lock input for good.
    m_lockTime += m_timerManager->GetFrameTime();
    if (m_lockTime > kLockTimeout && !IsAnyPhysicalKeyDown())
    {
        m_locked = 0;
        m_lockTime = 0.0f;
    }
}

bool Controls::IsAnyPhysicalKeyDown() const
{
    for (int key = 0; key < kVirtualKeyCount; ++key)
        if (GetAsyncKeyState(key) & 0x8000)
            return true;
    return false;
}

void Controls::ClearPressed()
{
    // A kept key goes once a reader has asked for it, and so does every key of a frame whose click is judged only in
    // the next. While input is locked nobody can ask, and keys go one a frame as ever.
    const bool keep = (m_keepingTypedKeys || IsClickJudgedNextFrame()) && !m_typedKeyAsked && !m_locked;
    for (auto& [name, latch] : m_pressed)
        latch = 0;
    if (!keep)
        m_window->ClearTypedKey();
    if (m_typedKeyAsked)
        m_keepingTypedKeys = 0;
    m_typedKeyAsked = 0;
    m_typedKeyCountAtClear = m_window->GetTypedKeyCount();
}

// The left button pressed and let go within this frame reads as down in it, so the GUI judges that click in the next
// frame, where the window it opens may keep the keys typed after it: until then none is dropped unread.
bool Controls::IsClickJudgedNextFrame() const
{
    const std::string& left = m_mouseButtonNames[0];
    return LookUp(m_pressed, left) != 0 && LookUp(m_held, left) == 0;
}

void Controls::KeepTypedKeysAfterClick()
{
    m_window->DropKeysTypedBeforeLastClick();
    StartKeepingTypedKeys();
}

void Controls::KeepTypedKeysAfterThisKey()
{
    m_window->ClearTypedKey();
    StartKeepingTypedKeys();
}

void Controls::StartKeepingTypedKeys()
{
    m_keepingTypedKeys = 1;
    m_keepTime = 0.0f;
    m_typedKeyAsked = 0;
}

void Controls::UpdateTypedKeyKeep()
{
    if (!m_keepingTypedKeys)
        return;
    m_keepTime += m_timerManager->GetFrameTime();
    if (m_keepTime > kTypedKeyKeepTimeout)
        m_keepingTypedKeys = 0;
}

bool Controls::IsPressed(const std::string& name) const
{
    if (m_locked)
        return false;
    return LookUp(m_pressed, name) != 0;
}

bool Controls::IsDown(const std::string& name) const
{
    if (m_locked)
        return false;
    return LookUp(m_held, name) != 0 || LookUp(m_pressed, name) != 0;
}

bool Controls::IsAnyKeyDown() const { return !m_locked && IsAnyControlActive(); }

bool Controls::IsAnyControlActive() const
{
    for (const auto& [name, held] : m_held)
        if (held)
            return true;
    for (const auto& [name, latch] : m_pressed)
        if (latch)
            return true;
    return false;
}

void Controls::Lock() { m_locked = 1; }

void Controls::SetCursorVisible(bool visible)
{
    m_cursorVisible = visible ? 1 : 0;
    ApplyCursorVisibility();
}

void Controls::ApplyCursorVisibility()
{
    if (m_cursorVisible)
    {
        int counter = ShowCursor(TRUE);
        while (counter < 0)
            counter = ShowCursor(TRUE);
        if (counter > kCursorCounterBand)
            ShowCursor(FALSE);
        return;
    }
    int counter = ShowCursor(FALSE);
    while (counter >= 0)
        counter = ShowCursor(FALSE);
    if (counter < -kCursorCounterBand)
        ShowCursor(TRUE);
}

Vector2 Controls::GetCursorPosition() const
{
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(m_window->GetHandle(), &cursor);
    return Vector2(static_cast<f32>(cursor.x), static_cast<f32>(cursor.y));
}

void Controls::SetCursorPosition(const Vector2& position)
{
    POINT cursor{static_cast<LONG>(position.x), static_cast<LONG>(position.y)};
    ClientToScreen(m_window->GetHandle(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
}

Vector2 Controls::GetButtonChangePosition(const std::string& name) const
{
    const std::string upper = StringToUpperCopy(name);
    for (u32 button = 0; button < kMouseButtonCount; ++button)
        if (m_mouseButtonNames[button] == upper && m_buttonPlaces[button].judgedAtChange)
            return m_buttonPlaces[button].judged;
    return GetCursorPosition();
}

bool Controls::GetTypedKey(u16& code, bool& isCharacter) const
{
    if (m_locked)
        return false;
    m_typedKeyAsked = 1;
    if (!m_window->IsTypedKeyPending())
        return false;
    code = m_window->GetTypedKey();
    isCharacter = m_window->IsTypedKeyCharacter() != 0;
    return true;
}

bool Controls::IsTypedKeyRepeat() const { return !m_locked && m_window->IsTypedKeyRepeat() != 0; }
}
