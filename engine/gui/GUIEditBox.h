// A one-line text entry: typed characters and editing keys from the controls, a caret, a horizontally
// scrolled view of the text, a limit in characters and one in drawn width, the visible part and a blinking
// caret queued on the window, and a GUI sound on every edit.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIWindow.h"

#include <string>

namespace VelkorEngine
{
class GUIFont;

class GUIEditBox : public GUIWindow
{
public:
    // The editing keys, as the controls report them.
    static constexpr u16 KeyBackspace = 8;
    static constexpr u16 KeyEnd = 35;
    static constexpr u16 KeyHome = 36;
    static constexpr u16 KeyLeft = 37;
    static constexpr u16 KeyRight = 39;
    static constexpr u16 KeyInsert = 45;
    static constexpr u16 KeyDelete = 46;
    // The caret is shown for the first half of each period.
    static constexpr f32 CaretHalfPeriod = 0.4f;
    // How far the view jumps when the caret runs into one of its edges.
    static constexpr u32 ScrollStep = 5;

    struct TextLimits
    {
        // In characters; at least 1.
        u32 maximumLength = 255;
        // The whole text at the font's size may not be wider.
        f32 maximumWidth = 0.0f;
        // The view's width; it scrolls to keep the caret inside.
        f32 visibleWidth = 0.0f;
    };

    // A generated quad drawn with the shader.
    GUIEditBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
               const ShaderDescriptor* shader, i32 fontId, const Color& textColor, const Vector2& textOffset,
               const TextLimits& limits, u16 caretCharacter, GUIWindow* parent, const Vector2& textureExtent);
    // A copy of a model, or no model at all.
    GUIEditBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
               const Model* model, i32 fontId, const Color& textColor, const Vector2& textOffset,
               const TextLimits& limits, u16 caretCharacter, GUIWindow* parent);

    // The editing pass: one typed key, then the view and the caret queued for drawing.
    bool HandleMouse(const Vector2& position, bool down, bool pressed) override;

    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_text; }
    // The window's queued texts stay reachable by number.
    using GUIWindow::GetText;
    void SetFont(i32 fontId);
    // The text settings the constructors take, changed afterwards; the caret is one character.
    void SetTextSettings(const Color& textColor, const Vector2& textOffset, const TextLimits& limits,
                         u16 caretCharacter);
    void SetFocused(bool focused) { m_focused = focused ? 1 : 0; }
    bool IsFocused() const { return m_focused != 0; }

    u32 GetCaret() const { return m_caret; }
    u32 GetScrollStart() const { return m_scrollStart; }
    bool IsOverwrite() const { return m_overwrite != 0; }

private:
    void Initialise(i32 fontId, const Color& textColor, const Vector2& textOffset, const TextLimits& limits,
                    u16 caretCharacter);
    f32 Width(const std::wstring& text) const;
    f32 WidthOfRange(u32 first, u32 end) const;
    u32 LastCaret() const;
    bool CanAdd(wchar_t character) const;
    void RecomputeView();
    void MoveCaretRight();
    void ScrollBackAtCaret();
    bool HandleKey(u16 code);
    bool HandleCharacter(wchar_t character);
    void QueueView(const Color& color);
    void QueueCaret(const Color& color);

    GUIFont* m_font = nullptr;
    i32 m_fontId = -1;
    Color m_textColor;
    Vector2 m_textOffset;
    std::wstring m_caretText;
    TextLimits m_limits;
    u8 m_overwrite = 0;
    u32 m_caret = 0;
    u32 m_scrollStart = 0;
    std::wstring m_text;
    u8 m_focused = 1;
};
}
