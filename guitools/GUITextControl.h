// The control of a described text label: a text given by a small markup (text keys in the current
// language, quoted literals, "+" to join, case markers), named "%parameters%", split at line breaks and,
// when multiline, wrapped at spaces to the box; drawn aligned in the box, at once or revealed character by
// character.
#pragma once

#include "engine/core/Color.h"
#include "guitools/GUIControl.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class GUIFont;
class MessageManager;
}

namespace GUITools
{
class GUIFontTool;
class GUITextTool;

class GUITextControl : public GUIControl
{
public:
    GUITextControl(VelkorEngine::Engine* engine, GUIResources* resources, GUIFontTool* fontTool, GUITextTool* textTool,
                   VelkorEngine::GUIWindow* parent, const ControlModelDescription& description);
    ~GUITextControl() override;

    void Update() override;
    // A text that reveals itself character by character has come in once the whole of it shows.
    bool IsShowFinished() const override;

    void SetFont(const std::string& name);
    // Resolves the markup and lays the text out.
    void SetTextKey(const std::string& value);
    // A text as it is, without markup.
    void SetText(const std::wstring& text);
    // "%name%" in the text shows value; setting a parameter again replaces its value.
    void SetParameter(const std::wstring& name, const std::wstring& value);
    void Layout();

    // "left", "right", anything else centred.
    void SetHorizontalAlignment(const std::string& alignment) { m_horizontalAlignment = alignment; }
    // "bottom", "top", anything else centred.
    void SetVerticalAlignment(const std::string& alignment) { m_verticalAlignment = alignment; }
    void SetColor(const VelkorEngine::Color& color) { m_color = color; }
    void SetAngle(VelkorEngine::f32 angle) { m_angle = angle; }
    // Zero or below: the font's own size.
    void SetFontSize(VelkorEngine::f32 size);
    void SetMultiline(bool multiline);
    void SetLineSpace(VelkorEngine::f32 space) { m_lineSpace = space; }
    void SetPrintingMode(bool printing) { m_printingMode = printing; }
    // Characters a second.
    void SetPrintingSpeed(VelkorEngine::f32 speed) { m_printingSpeed = speed; }
    // A longer text is revealed faster so that its reveal takes no longer than this many seconds.
    void SetMaxPrintingTime(VelkorEngine::f32 seconds) { m_maxPrintingTime = seconds; }

    const std::string& GetKey() const { return m_key; }
    const std::string& GetFontName() const { return m_fontName; }
    const std::wstring& GetText() const { return m_text; }
    const std::vector<std::wstring>& GetLines() const { return m_lines; }
    VelkorEngine::u32 GetCharacterCount() const { return m_characterCount; }
    VelkorEngine::f32 GetPrinted() const { return m_printed; }
    // A text without a font can never print, so it counts as printed.
    bool IsPrintingDone() const { return m_printingDone || m_font == nullptr; }
    VelkorEngine::GUIWindow* GetWindow() const { return m_panel; }

private:
    std::wstring ResolvePiece(std::string piece) const;
    std::wstring WorkingText() const;
    VelkorEngine::f32 EffectiveSize() const;
    bool IsTooWide(const std::wstring& line) const;
    void BreakLines(const std::wstring& text);
    void ReportMissingFont();
    bool CanDraw() const;
    void SkipPrinting();
    VelkorEngine::u32 HorizontalFlags() const;
    VelkorEngine::u32 VerticalFlags() const;
    VelkorEngine::f32 FirstLineY(std::size_t lineCount) const;
    VelkorEngine::f32 RevealSpeed(VelkorEngine::f32 count) const;
    void AdvancePrinting(VelkorEngine::f32 frameTime);
    void Draw(const std::vector<std::wstring>& lines);

    VelkorEngine::MessageManager* m_log;
    GUIFontTool* m_fontTool;
    GUITextTool* m_textTool;
    VelkorEngine::GUIWindow* m_panel = nullptr;
    std::string m_horizontalAlignment = "left";
    std::string m_verticalAlignment = "bottom";
    std::string m_fontName;
    VelkorEngine::i32 m_fontIndex = -1;
    VelkorEngine::GUIFont* m_font = nullptr;
    std::string m_key;
    std::wstring m_text;
    VelkorEngine::Color m_color{1.0f, 1.0f, 1.0f, 1.0f};
    VelkorEngine::f32 m_angle = 0.0f;
    VelkorEngine::f32 m_fontSize = -1.0f;
    bool m_multiline = false;
    VelkorEngine::f32 m_lineSpace = 0.0f;
    bool m_printingMode = false;
    VelkorEngine::f32 m_printingSpeed = 1.0f;
    VelkorEngine::f32 m_maxPrintingTime = 100000.0f;
    std::vector<std::wstring> m_lines;
    std::vector<std::wstring> m_previousLines;
    std::vector<std::wstring> m_parameterNames;
    std::vector<std::wstring> m_parameterValues;
    VelkorEngine::u32 m_characterCount = 0;
    VelkorEngine::f32 m_printed = 0.0f;
    bool m_printingDone = true;
    bool m_missingFontReported = false;
};
}
