// The application's one window: created in windowed, full-screen or embedded mode, its window procedure turning
// window events into settings commands, the focus the framework pauses on, and the last key typed into it.
#pragma once

#include "engine/core/Types.h"
#include "platform/win32/WindowApi.h"

#include <deque>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Config;
class MessageManager;

class Window
{
public:
    Window(MessageManager* log, Config* config, const std::string& title, HWND parent, u32 iconId,
           u8 minimizeOnFocusLoss, u32 width, u32 height, u8 fullScreen, u8 centreWindow, i32 x, i32 y);
    virtual ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void Update();
    // After a display-mode change by the render system.
    void SetMode(u32 width, u32 height, u8 fullScreen, u32 desktopWidth, u32 desktopHeight);
    bool HasFocus() const;
    void Minimize();
    void SetTitle(const std::string& title);
    void SetCursor(HCURSOR cursor);
    HCURSOR LoadCursor(u16 resourceId) const;

    void ApplyGamma();
    // The display's gamma ramp is never changed: both return at once.
    void SetGammaRamp(f32 brightness, f32 contrast, f32 gamma);
    void RestoreGamma();

    HWND GetHandle() const { return m_window; }
    HINSTANCE GetInstance() const { return m_instance; }
    HDC GetDeviceContext() const { return m_deviceContext; }
    u32 GetWidth() const { return m_width; }
    u32 GetHeight() const { return m_height; }
    u8 IsFullScreen() const { return m_fullScreen; }
    u8 IsMinimized() const { return m_minimized; }
    u8 GetMinimizeOnFocusLoss() const { return m_minimizeOnFocusLoss; }

    // The oldest key typed and not yet handed out: a virtual-key code, or a character when the is-character
    // byte is set. Keys wait in order, so fast typing at a low frame rate loses none; clearing hands out the next.
    u16 GetTypedKey() const { return m_typedKeys.empty() ? 0 : m_typedKeys.front().code; }
    u8 IsTypedKeyPending() const { return m_typedKeys.empty() ? 0 : 1; }
    u8 IsTypedKeyCharacter() const { return m_typedKeys.empty() ? 0 : m_typedKeys.front().isCharacter; }
    // The key came from a key held down, repeating, rather than from a press.
    u8 IsTypedKeyRepeat() const { return m_typedKeys.empty() ? 0 : m_typedKeys.front().isRepeat; }
    void ClearTypedKey();
    // Keys typed since the window was made (wrapping): what came since a count was taken, whether handed out yet
    // or not.
    u32 GetTypedKeyCount() const { return m_typedKeyCount; }
    // Drops the keys typed before the left mouse button was last let go in the window: they were typed for what
    // was under the pointer before that click.
    void DropKeysTypedBeforeLastClick();

private:
    struct TypedKey
    {
        u16 code = 0;
        u8 isCharacter = 0;
        u8 isRepeat = 0;
        u8 typedBeforeLastClick = 0;
    };

    struct Styles
    {
        DWORD exStyle = 0;
        DWORD style = 0;
    };

    static LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleSystemCommand(HWND window, WPARAM command, LPARAM lParam);
    void RestoreOnFocus(HWND window);

    void RegisterWindowClass(u32 iconId);
    void CreateTheWindow(const std::string& title);
    Styles ChooseStyles() const;
    RECT PlacementRect(u32 desktopWidth, u32 desktopHeight) const;
    void FillFocusList();
    void QueueTypedKey(u16 code, LPARAM flags);
    void QueueTypedCharacter(u16 character);
    // A click of the left button: every key already queued was typed before it.
    void NoteClick();
    bool IsAltEnterDown() const;
    void NoteAltEnter(WPARAM key, LPARAM flags);
    void SwitchFullScreen(u8 fullScreen);

    MessageManager* m_log = nullptr;
    Config* m_config = nullptr;
    u8 m_minimizeOnFocusLoss = 0;
    u8 m_minimized = 0;
    u8 m_centreWindow = 0;
    i32 m_x = 0;
    i32 m_y = 0;
    u32 m_width = 0;
    u32 m_height = 0;
    u8 m_fullScreen = 0;
    std::vector<HWND> m_focusList;
    HWND m_parent = nullptr;
    HWND m_window = nullptr;
    HINSTANCE m_instance = nullptr;
    HDC m_deviceContext = nullptr;
    HCURSOR m_cursor = nullptr;
    u16 m_gammaRamp[3 * 256] = {};
    std::deque<TypedKey> m_typedKeys;
    u32 m_typedKeyCount = 0;
    // The last key queued came from the key press just before: the character it types takes its place.
    bool m_typedKeyAwaitsCharacter = false;
    // Alt+Enter acts once per press, not in every frame the keys stay down.
    bool m_altEnterWasDown = false;
    // An Alt+Enter press seen in the messages since the last update: one pressed and let go between two frames
    // is never seen held.
    bool m_altEnterPressed = false;
};
}
