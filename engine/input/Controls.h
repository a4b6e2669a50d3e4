// The device-independent input base: held states and press latches by control name, the input lock, the
// system cursor, per-frame mouse and cursor movement, the wheel, and the key typed into the window.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/input/KeyNames.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace VelkorEngine
{
class MessageManager;
class TimerManager;
class Window;

class Controls
{
public:
    Controls(MessageManager* log, TimerManager* timerManager, Window* window);
    virtual ~Controls();

    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    virtual void Update();
    // Ends this frame's press latches and the window's pending typed key (unless it waits for a reader, below).
    virtual void ClearPressed();

    bool IsPressed(const std::string& name) const;
    // Held, or pressed within this frame even if already released.
    bool IsDown(const std::string& name) const;
    bool IsAnyKeyDown() const;
    // Input stays locked until every control is released and unlatched and no key was typed in the frame.
    void Lock();

    bool IsCursorVisible() const { return m_cursorVisible != 0; }
    void SetCursorVisible(bool visible);
    // Client coordinates of the window.
    Vector2 GetCursorPosition() const;
    void SetCursorPosition(const Vector2& position);
    bool GetTypedKey(u16& code, bool& isCharacter) const;
    // The key handed out comes from a key held down, repeating: a reader that acts once a press skips it.
    bool IsTypedKeyRepeat() const;
    // A click in this frame opens a window that reads typed keys, which comes on screen some frames later: the keys
    // typed before the click are dropped, and those after it are kept, none dropped unread, until something asks
    // for the typed key again (or a few seconds have passed).
    void KeepTypedKeysAfterClick();
    // Likewise for a window opened by the typed key handed out in this frame: that key is done with.
    void KeepTypedKeysAfterThisKey();
    // Client coordinates at which this frame judges a mouse button: where the press that latched in this frame
    // was made, or where the button was let go when this frame is the first to see it up; the cursor's place
    // otherwise (and for names that are not mouse buttons). A slow frame thus judges a quick click where it was
    // made, not where the pointer has gone since.
    Vector2 GetButtonChangePosition(const std::string& name) const;

    // While set, every update moves the cursor back to the window's centre.
    void SetRecentreCursor(bool recentre) { m_recentreCursor = recentre ? 1 : 0; }
    // Scales the cursor's movement in every update while it differs from (1, 1).
    void SetCursorSpeed(const Vector2& speed) { m_cursorSpeed = speed; }

    // This frame's cursor movement in pixels and device movement in device units; y grows upward in both.
    const Vector2& GetCursorMovement() const { return m_cursorMovement; }
    const Vector2& GetDeviceMovement() const { return m_deviceMovement; }
    i32 GetWheel() const { return m_wheel; }
    bool IsLocked() const { return m_locked != 0; }

protected:
    // Where a mouse button's last latched press and last release were made, and what this frame judges.
    struct MouseButtonPlaces
    {
        Vector2 press;
        Vector2 release;
        Vector2 judged;
        u8 judgedAtChange = 0;
        u8 wasDown = 0;
    };

    // Notes where a device report of a mouse button was made, before the report reaches the held state.
    void NoteMouseButtonPlace(u32 button, bool down, const Vector2& clientPosition);
    void JudgeMouseButtonChanges();
    void ApplyCursorVisibility();
    bool IsAnyControlActive() const;
    bool IsAnyPhysicalKeyDown() const;
    void UpdateLock();
    bool IsClickJudgedNextFrame() const;
    void StartKeepingTypedKeys();
    void UpdateTypedKeyKeep();

    MessageManager* m_log = nullptr;
    TimerManager* m_timerManager = nullptr;
    Window* m_window = nullptr;
    u8 m_cursorVisible = 1;
    u8 m_recentreCursor = 0;
    Vector2 m_cursorSpeed{1.0f, 1.0f};
    std::map<std::string, u8> m_held;
    std::map<std::string, u8> m_pressed;
    std::vector<std::string> m_mouseButtonNames;
    std::array<MouseButtonPlaces, kMouseButtonCount> m_buttonPlaces{};
    i32 m_wheel = 0;
    u8 m_wheelReported = 0;
    Vector2 m_deviceMovement;
    Vector2 m_cursorMovement;
    i32 m_lastCursorX = 0;
    i32 m_lastCursorY = 0;
    u8 m_locked = 0;
    f32 m_lockTime = 0.0f;
    u8 m_keepingTypedKeys = 0;
    f32 m_keepTime = 0.0f;
    // Something asked for the typed key in this frame while input was unlocked: a reader is there.
    mutable u8 m_typedKeyAsked = 0;
    // The window's count of typed keys when the last frame ended.
    u32 m_typedKeyCountAtClear = 0;
};
}
