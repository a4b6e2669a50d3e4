// The edit box. The view keeps scroll start <= caret <= length at every step, so no range it measures or
// draws can start past the caret or end past the text.
#include "engine/gui/GUIEditBox.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr wchar_t kSpace = 32;
}

GUIEditBox::GUIEditBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                       const ShaderDescriptor* shader, i32 fontId, const Color& textColor, const Vector2& textOffset,
                       const TextLimits& limits, u16 caretCharacter, GUIWindow* parent, const Vector2& textureExtent)
    : GUIWindow(services, state, position, size, shader, parent, textureExtent)
{
    Initialise(fontId, textColor, textOffset, limits, caretCharacter);
}

GUIEditBox::GUIEditBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                       const Model* model, i32 fontId, const Color& textColor, const Vector2& textOffset,
                       const TextLimits& limits, u16 caretCharacter, GUIWindow* parent)
    : GUIWindow(services, state, position, size, model, parent)
{
    Initialise(fontId, textColor, textOffset, limits, caretCharacter);
}

// A limit of 0 characters would leave no place for the caret; one is the least.
void GUIEditBox::Initialise(i32 fontId, const Color& textColor, const Vector2& textOffset, const TextLimits& limits,
                            u16 caretCharacter)
{
    m_textColor = textColor;
    m_textOffset = textOffset;
    m_limits = limits;
    m_limits.maximumLength = std::max<u32>(limits.maximumLength, 1);
    m_caretText = std::wstring(1, static_cast<wchar_t>(caretCharacter));
    SetFont(fontId);
}

void GUIEditBox::SetTextSettings(const Color& textColor, const Vector2& textOffset, const TextLimits& limits,
                                 u16 caretCharacter)
{
    Initialise(m_fontId, textColor, textOffset, limits, caretCharacter);
}

void GUIEditBox::SetFont(i32 fontId)
{
    m_fontId = fontId;
    const GUIFontManager* fonts = Services().fonts;
    m_font = (fontId >= 0 && fonts != nullptr) ? fonts->GetFont(static_cast<u32>(fontId)) : nullptr;
}

void GUIEditBox::SetText(const std::wstring& text)
{
    m_text = text;
    m_caret = LastCaret();
    m_scrollStart = 0;
    RecomputeView();
}

u32 GUIEditBox::LastCaret() const
{
    return std::min(static_cast<u32>(m_text.size()), m_limits.maximumLength - 1);
}

f32 GUIEditBox::Width(const std::wstring& text) const
{
    return m_font != nullptr ? m_font->GetTextSize(text, 0.0f, -1.0f).x : 0.0f;
}

f32 GUIEditBox::WidthOfRange(u32 first, u32 end) const
{
    const u32 length = static_cast<u32>(m_text.size());
    end = std::min(end, length);
    first = std::min(first, end);
    return Width(m_text.substr(first, end - first));
}

bool GUIEditBox::CanAdd(wchar_t character) const
{
    if (m_text.size() + 1 > m_limits.maximumLength)
        return false;
    return Width(m_text + character) <= m_limits.maximumWidth;
}

// The view only moves forward here, and never past the caret: a caret wider than the view shows alone.
void GUIEditBox::RecomputeView()
{
    m_scrollStart = std::min(m_scrollStart, m_caret);
    if (m_font == nullptr)
        return;
    while (m_scrollStart < m_caret &&
           Width(m_text.substr(m_scrollStart, m_caret - m_scrollStart) + m_caretText) > m_limits.visibleWidth)
        ++m_scrollStart;
}

// The view jumps up to five characters ahead, but never beyond where the end of the text needs it.
void GUIEditBox::MoveCaretRight()
{
    const u32 oldCaret = m_caret;
    const u32 oldScroll = m_scrollStart;
    m_caret = LastCaret();
    m_scrollStart = 0;
    RecomputeView();
    const u32 endScroll = m_scrollStart;
    m_caret = std::min({oldCaret + 1, m_limits.maximumLength - 1, static_cast<u32>(m_text.size())});
    const f32 width = WidthOfRange(oldScroll, m_caret + 1) + Width(m_caretText);
    m_scrollStart = width > m_limits.visibleWidth ? std::min(oldScroll + ScrollStep, endScroll) : oldScroll;
    RecomputeView();
}

// A caret wider than the view leaves the view starting at the caret, so a step left can pass the start.
void GUIEditBox::ScrollBackAtCaret()
{
    if (m_caret > m_scrollStart)
        return;
    m_scrollStart -= std::min(m_scrollStart, ScrollStep);
    RecomputeView();
}

// True when the key edited the text.
bool GUIEditBox::HandleKey(u16 code)
{
    const u32 length = static_cast<u32>(m_text.size());
    switch (code)
    {
    case KeyInsert:
        m_overwrite = m_overwrite != 0 ? 0 : 1;
        return false;
    case KeyDelete:
        if (m_caret >= length)
            return false;
        m_text.erase(m_caret, 1);
        return true;
    case KeyBackspace:
        if (m_caret == 0)
            return false;
        // A full text keeps its caret on the last character: Backspace takes that one.
        if (length == m_limits.maximumLength && m_caret + 1 == length)
        {
            m_text.erase(m_caret, 1);
            return true;
        }
        m_text.erase(m_caret - 1, 1);
        --m_caret;
        ScrollBackAtCaret();
        return true;
    case KeyLeft:
        if (m_caret >= 1)
        {
            --m_caret;
            ScrollBackAtCaret();
        }
        return false;
    case KeyRight:
        if (m_caret < length)
            MoveCaretRight();
        return false;
    case KeyHome:
        m_caret = 0;
        m_scrollStart = 0;
        return false;
    case KeyEnd:
        m_caret = LastCaret();
        RecomputeView();
        return false;
    default:
        return false;
    }
}

// True when the character was taken.
bool GUIEditBox::HandleCharacter(wchar_t character)
{
    if (character != kSpace && !m_font->HasGlyph(static_cast<u32>(character)))
        return false;
    const bool atEnd = m_caret >= m_text.size();
    if (m_overwrite != 0 && !atEnd)
        m_text[m_caret] = character;
    else if (!CanAdd(character))
        return false;
    else if (atEnd)
        m_text.push_back(character);
    else
        m_text.insert(m_caret, 1, character);
    if (m_caret < m_text.size())
        MoveCaretRight();
    return true;
}

bool GUIEditBox::HandleMouse(const Vector2& position, bool down, bool pressed)
{
    if (!GUIWindow::HandleMouse(position, down, pressed) || m_font == nullptr)
        return false;
    Color color = m_textColor;
    color.a = m_textColor.a * GetColor().a;
    bool edited = false;
    u16 code = 0;
    bool isCharacter = false;
    if (m_focused != 0 && Services().controls != nullptr && Services().controls->GetTypedKey(code, isCharacter))
        edited = isCharacter ? HandleCharacter(static_cast<wchar_t>(code)) : HandleKey(code);
    QueueView(color);
    if (m_focused != 0)
        QueueCaret(color);
    if (edited && Services().guiSounds != nullptr)
        Services().guiSounds->Play(GUISoundManager::EditBoxEdit);
    return true;
}

// The longest run from the scroll start that fits the view.
void GUIEditBox::QueueView(const Color& color)
{
    const u32 length = static_cast<u32>(m_text.size());
    u32 count = 0;
    while (m_scrollStart + count < length &&
           WidthOfRange(m_scrollStart, m_scrollStart + count + 1) <= m_limits.visibleWidth)
        ++count;
    AddText(0, m_fontId, m_textOffset, color, m_text.substr(std::min(m_scrollStart, length), count), 0.0f, -1.0f);
}

void GUIEditBox::QueueCaret(const Color& color)
{
    const TimerManager* timers = Services().timers;
    const bool timed = timers != nullptr && timers->GetFrameTimer() != nullptr;
    const f32 time = timed ? timers->GetFrameTimer()->GetTime() : 0.0f;
    if (static_cast<i64>(std::trunc(time / CaretHalfPeriod)) % 2 != 0)
        return;
    const Vector2 at(m_textOffset.x + WidthOfRange(m_scrollStart, m_caret), m_textOffset.y);
    AddText(0, m_fontId, at, color, m_caretText, 0.0f, -1.0f);
}
}
