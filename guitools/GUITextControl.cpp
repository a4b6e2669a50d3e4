#include "guitools/GUITextControl.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIManager.h"
#include "guitools/GUIFontTool.h"
#include "guitools/GUITextTool.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>

using namespace VelkorEngine;

namespace GUITools
{
namespace
{
constexpr f32 PrintTolerance = 0.0001f;
constexpr u32 FlagCentreX = 1;
constexpr u32 FlagCentreY = 2;
constexpr u32 FlagLeft = 4;
constexpr u32 FlagRight = 8;
constexpr u32 FlagTop = 16;
constexpr u32 FlagBottom = 32;

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

// Removes the case marker ("[u]" and the like) from the piece and gives it in lower case; empty for none.
std::string TakeCaseMarker(std::string& piece)
{
    const std::size_t open = piece.rfind('[');
    const std::size_t close = piece.rfind(']');
    if (open == std::string::npos || close == std::string::npos || open > close)
        return "";
    const std::string marker = piece.substr(open, close - open + 1);
    StringRemoveAll(piece, marker);
    return StringToLowerCopy(marker);
}

void ApplyCaseMarker(const std::string& marker, std::wstring& text)
{
    if (marker == "[fu]" && !text.empty())
        text[0] = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(text[0])));
    else if (marker == "[u]")
        WStringToUpper(text);
    else if (marker == "[l]")
        WStringToLower(text);
}
}

GUITextControl::GUITextControl(Engine* engine, GUIResources* resources, GUIFontTool* fontTool, GUITextTool* textTool,
                               GUIWindow* parent, const ControlModelDescription& description)
    : GUIControl(engine, resources, description),
      m_log(engine->GetMessageManager()),
      m_fontTool(fontTool),
      m_textTool(textTool)
{
    if (UsesModel(description))
    {
        m_panel = m_gui->CreateWindow(GUIWindow::StateColored, GetPosition(), GetSize(),
                                      DescribedModel(description.model), parent);
        ApplyDescribedShader(m_panel, description);
    }
    else
        m_panel = m_gui->CreateQuadWindow(GUIWindow::StateColored, GetPosition(), GetSize(),
                                          DescribedShader(description.shader), parent, description.uv);
    AttachWidget(m_panel, description);
}

GUITextControl::~GUITextControl()
{
    m_gui->DestroyWindow(m_panel);
}

void GUITextControl::SetFont(const std::string& name)
{
    m_fontName = name;
    m_fontIndex = m_fontTool != nullptr ? m_fontTool->GetFontIndex(name) : -1;
    m_font = m_fontTool != nullptr ? m_fontTool->GetFont(name) : nullptr;
    m_missingFontReported = false;
}

void GUITextControl::SetFontSize(f32 size)
{
    m_fontSize = size;
    Layout();
}

void GUITextControl::SetMultiline(bool multiline)
{
    m_multiline = multiline;
    Layout();
}

std::wstring GUITextControl::ResolvePiece(std::string piece) const
{
    const std::string marker = TakeCaseMarker(piece);
    std::wstring text;
    if (piece.size() >= 2 && IsQuote(piece.front()) && IsQuote(piece.back()))
        text = StringToWString(piece.substr(1, piece.size() - 2));
    else
        text = m_textTool != nullptr ? m_textTool->GetText(piece) : L"UNKNOWN";
    ApplyCaseMarker(marker, text);
    return text;
}

void GUITextControl::SetTextKey(const std::string& value)
{
    if (m_printingMode)
        m_printingDone = m_printingDone && value == m_key;
    m_key = value;
    m_text.clear();
    std::size_t start = 0;
    while (start <= value.size())
    {
        std::size_t plus = value.find('+', start);
        if (plus == std::string::npos)
            plus = value.size();
        if (plus > start)
            m_text += ResolvePiece(value.substr(start, plus - start));
        start = plus + 1;
    }
    Layout();
}

void GUITextControl::SetText(const std::wstring& text)
{
    if (m_printingMode)
        m_printingDone = m_printingDone && text == m_text;
    m_key = WStringToString(text);
    m_text = text;
    Layout();
}

void GUITextControl::SetParameter(const std::wstring& name, const std::wstring& value)
{
    const auto found = std::find(m_parameterNames.begin(), m_parameterNames.end(), name);
    if (found != m_parameterNames.end())
        m_parameterValues[static_cast<std::size_t>(found - m_parameterNames.begin())] = value;
    else
    {
        m_parameterNames.push_back(name);
        m_parameterValues.push_back(value);
    }
    Layout();
}

std::wstring GUITextControl::WorkingText() const
{
    std::wstring text = m_text;
    for (std::size_t i = 0; i < m_parameterNames.size(); ++i)
        WStringReplaceAll(text, L"%" + m_parameterNames[i] + L"%", m_parameterValues[i]);
    return text;
}

f32 GUITextControl::EffectiveSize() const
{
    if (m_fontSize > 0.0f)
        return m_fontSize;
    return m_font != nullptr ? m_font->GetSize() : 0.0f;
}

bool GUITextControl::IsTooWide(const std::wstring& line) const
{
    return m_font->GetTextSize(line, m_angle, EffectiveSize()).x > GetSize().x;
}

void GUITextControl::BreakLines(const std::wstring& text)
{
    // Without a font nothing can be measured, so only the line breaks of the text split it.
    const bool wrap = m_multiline && m_font != nullptr;
    std::wstring line;
    for (const wchar_t character : text)
    {
        if (character == L'\r')
            continue;
        if (character == L'\n')
        {
            m_lines.push_back(line);
            line.clear();
            continue;
        }
        line += character;
        if (!wrap || line.size() < 2 || !IsTooWide(line))
            continue;
        const std::size_t space = line.rfind(L' ');
        if (space == std::wstring::npos)
            continue;
        // A line that would be empty before the space is not broken off, or a long word after a wrap would
        // leave a blank line for each of its letters.
        std::wstring head = WStringTrim(line.substr(0, space));
        if (head.empty())
            continue;
        m_lines.push_back(std::move(head));
        line.erase(0, space);
    }
    std::wstring last = WStringTrim(line);
    if (!last.empty())
        m_lines.push_back(std::move(last));
}

void GUITextControl::ReportMissingFont()
{
    if (m_missingFontReported)
        return;
    m_missingFontReported = true;
    m_log->Error("(GUITextControl::Layout): Unknown \"" + m_fontName + "\" font of \"" + GetName() + "\" text");
}

void GUITextControl::Layout()
{
    if (m_printingMode)
        m_previousLines = m_lines;
    m_lines.clear();
    m_characterCount = 0;
    if (m_key.empty())
        return;
    if (m_font == nullptr)
        ReportMissingFont();
    BreakLines(WorkingText());
    for (const std::wstring& line : m_lines)
        m_characterCount += static_cast<u32>(line.size());
}

u32 GUITextControl::HorizontalFlags() const
{
    if (Contains(m_horizontalAlignment, "left"))
        return FlagLeft;
    if (Contains(m_horizontalAlignment, "right"))
        return FlagRight;
    return FlagCentreX;
}

u32 GUITextControl::VerticalFlags() const
{
    if (Contains(m_verticalAlignment, "top"))
        return FlagTop;
    if (Contains(m_verticalAlignment, "bottom"))
        return FlagBottom;
    return FlagCentreY;
}

f32 GUITextControl::FirstLineY(std::size_t lineCount) const
{
    const f32 size = EffectiveSize();
    const f32 step = size + m_lineSpace;
    const f32 n = static_cast<f32>(lineCount);
    if (Contains(m_verticalAlignment, "top"))
        return GetSize().y - size;
    if (Contains(m_verticalAlignment, "bottom"))
        return (n - 1.0f) * step;
    return (GetSize().y - n * step) * 0.5f + (n - 1.0f) * step;
}

// Characters a second. A speed that would never end the reveal (a description's zero, negative or unreadable
// one) reveals the text in the next frame: a window waiting for its title must not wait for ever.
f32 GUITextControl::RevealSpeed(f32 count) const
{
    constexpr f32 AtOnce = std::numeric_limits<f32>::max();
    if (!(m_printingSpeed > 0.0f))
        return AtOnce;
    f32 speed = m_printingSpeed;
    if (count / speed > m_maxPrintingTime && m_maxPrintingTime > 0.0f)
        speed = count / m_maxPrintingTime;
    return speed > 0.0f ? speed : AtOnce;
}

void GUITextControl::AdvancePrinting(f32 frameTime)
{
    const f32 count = static_cast<f32>(m_characterCount);
    const f32 speed = RevealSpeed(count);
    if (m_previousLines.empty() && IsTargetShown())
    {
        m_printed += speed * frameTime;
        m_printingDone = m_printed >= count;
        if (m_printingDone)
            m_printed = count + PrintTolerance;
        return;
    }
    m_printed -= speed * frameTime;
    m_printingDone = m_printed <= PrintTolerance;
    if (m_printingDone)
    {
        m_printed = 0.0f;
        m_previousLines.clear();
    }
}

void GUITextControl::Draw(const std::vector<std::wstring>& lines)
{
    const f32 size = EffectiveSize();
    const bool several = lines.size() >= 2;
    const u32 flags = HorizontalFlags() | (several ? 0 : VerticalFlags());
    f32 y = several ? FirstLineY(lines.size()) : 0.0f;
    Color color = m_color;
    if (HasFader())
        color.a *= GetFadeValue();
    GUIFontManager* fonts = m_gui->GetFontManager();
    const f32 ownSize = m_font->GetSize();
    m_font->SetSize(size);
    f32 revealed = m_printed;
    for (const std::wstring& line : lines)
    {
        if (!m_printingMode)
            m_panel->AddText(flags, m_fontIndex, Vector2(0.0f, y), color, line, m_angle, size);
        else
        {
            if (revealed <= PrintTolerance)
                break;
            // The part shown stands where the whole line would, so the line does not move as it grows.
            const Vector2 place = fonts->PlaceText(flags, static_cast<u32>(m_fontIndex), *m_panel, Vector2(0.0f, y),
                                                   m_angle, line);
            const Vector2 origin = m_panel->GetAbsolutePosition();
            const std::size_t shown =
                std::min(static_cast<std::size_t>(std::floor(revealed + PrintTolerance)), line.size());
            m_panel->AddText(0, m_fontIndex, Vector2(place.x - origin.x, place.y - origin.y), color,
                             line.substr(0, shown), m_angle, size);
            revealed -= static_cast<f32>(line.size());
        }
        y -= size + m_lineSpace;
    }
    m_font->SetSize(ownSize);
}

bool GUITextControl::CanDraw() const
{
    return !m_fontName.empty() && m_font != nullptr && m_fontIndex >= 0 && !m_key.empty() && !m_lines.empty();
}

// A text that cannot be drawn (no font, or nothing to show) has nothing left to reveal: windows that wait for
// their title to print must not wait on it for ever.
void GUITextControl::SkipPrinting()
{
    if (!m_printingMode)
        return;
    m_previousLines.clear();
    m_printed = 0.0f;
    m_printingDone = true;
}

bool GUITextControl::IsShowFinished() const
{
    if (!GUIControl::IsShowFinished())
        return false;
    // A text on its way out, off the screen or that cannot be drawn has nothing left to reveal.
    if (!m_printingMode || !IsTargetShown() || m_panel == nullptr || !m_panel->IsVisible() || !CanDraw())
        return true;
    // The old text taken back is not yet the new one shown.
    return m_previousLines.empty() && m_printed >= static_cast<f32>(m_characterCount);
}

void GUITextControl::Update()
{
    GUIControl::Update();
    if (m_panel == nullptr)
        return;
    if (!m_panel->IsVisible())
    {
        if (m_printingMode)
        {
            m_previousLines.clear();
            m_printed = 0.0f;
            m_printingDone = false;
        }
        return;
    }
    if (!CanDraw())
    {
        SkipPrinting();
        return;
    }
    const bool showPrevious = m_printingMode && !m_previousLines.empty();
    const std::vector<std::wstring> lines = showPrevious ? m_previousLines : m_lines;
    if (m_printingMode)
        AdvancePrinting(FrameTime());
    Draw(lines);
}
}
