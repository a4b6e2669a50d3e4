// The in-game command console: a translucent panel that slides in on a key, with the version, an input line
// with history and name completion, and the engine's log in colour. Every line typed runs through the
// settings registry, so each variable and command of the system is reachable from here. It draws only
// through the GUI: one quad window as the panel, one edit box as the input line, texts queued each frame.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "platform/win32/WindowApi.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Config;
class Controls;
class GUIEditBox;
class GUIFont;
class GUIManager;
class GUIWindow;
class MessageManager;
class ShaderDescriptor;
class ShaderManager;
class TimerManager;

class Console
{
public:
    enum State : u32
    {
        StateOpening = 0,
        StateOpen = 1,
        StateClosing = 2,
        StateClosed = 3
    };

    // One coloured piece of text; the piece that ends its screen line carries the flag.
    struct Line
    {
        Color color;
        std::wstring text;
        u8 endsLine = 0;
        f32 width = 0.0f;
    };

    struct Look
    {
        i32 fontIndex = -1;
        u16 caret = '_';
        u16 prompt = ']';
        u16 scrollMark = '^';
    };

    struct Defaults
    {
        std::string key = "~";
        f32 alpha = 0.95f;
        f32 size = 308.0f;
        f32 speed = 1000.0f;
    };

    // Keys the console acts on, as the controls report them: by the window's virtual-key codes.
    static constexpr u16 KeyTab = VK_TAB;
    static constexpr u16 KeyEnter = VK_RETURN;
    static constexpr u16 KeyEscape = VK_ESCAPE;
    static constexpr u16 KeyPageUp = VK_PRIOR;
    static constexpr u16 KeyPageDown = VK_NEXT;
    static constexpr u16 KeyUp = VK_UP;
    static constexpr u16 KeyDown = VK_DOWN;

    // The screen lines kept; older ones are dropped.
    static constexpr size_t MaxLines = 1000;

    Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, ShaderManager* shaders,
            GUIManager* gui, const std::string& versionText, const ShaderDescriptor& background, const Look& look,
            const Defaults& defaults);
    virtual ~Console();

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Once a frame, before the engine drops the frame's log records.
    void Update();
    void AddText(const Color& color, const std::wstring& text);

    u32 GetState() const { return m_state; }
    i32 GetScroll() const { return m_scroll; }
    const std::vector<Line>& GetLines() const { return m_lines; }
    const std::vector<std::wstring>& GetHistory() const { return m_history; }
    const std::wstring& GetVersionLine() const { return m_versionLine; }
    const std::wstring& GetScrollMarker() const { return m_scrollMarker; }
    GUIWindow* GetPanel() const { return m_panel; }
    GUIEditBox* GetInputLine() const { return m_input; }

private:
    void RegisterSettings(const Defaults& defaults);
    void KeepValuesInRange();
    f32 Width(const std::wstring& text) const;
    std::wstring Widened(std::wstring text, wchar_t filler, u32 most) const;
    void TakeLogRecords();
    void Toggle();
    bool Slide();
    Vector2 PanelPoint(f32 x, f32 below) const;
    void Draw();
    size_t ChooseFirstLine(f32& y);
    void HandleKey(u16 code);
    void Run();
    void Complete();
    void ShowStatus(u32 status, const std::string& name);
    void Echo(const std::wstring& text);

    MessageManager* m_log;
    TimerManager* m_timers;
    Config* m_config;
    Controls* m_controls;
    ShaderManager* m_shaders;
    GUIManager* m_gui;
    u32 m_state = StateClosed;
    std::string m_key;
    f32 m_alpha = 0.95f;
    f32 m_size = 308.0f;
    f32 m_speed = 1000.0f;
    std::wstring m_prompt;
    std::wstring m_scrollMarker;
    std::wstring m_versionLine;
    std::string m_say;
    i32 m_fontIndex = -1;
    GUIFont* m_font = nullptr;
    GUIWindow* m_panel = nullptr;
    GUIEditBox* m_input = nullptr;
    i32 m_scroll = 0;
    std::vector<Line> m_lines;
    i32 m_historyIndex = 0;
    std::vector<std::wstring> m_history;
    std::wstring m_speaker = L"Tovrel";
    f32 m_margin = 0.0f;
    f32 m_lineHeight = 0.0f;
    // The panel's top edge, measured down from the screen's top.
    f32 m_top = 0.0f;
};
}
