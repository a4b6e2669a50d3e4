// The control of a described edit box: the engine edit box does the editing; the control keeps the box's
// text settings from the description and hands them to the widget every frame while it is visible.
#pragma once

#include "engine/core/Color.h"
#include "guitools/GUIControl.h"

namespace VelkorEngine
{
class GUIEditBox;
}

namespace GUITools
{
class GUIFontTool;

class GUIEditBoxControl : public GUIControl
{
public:
    GUIEditBoxControl(VelkorEngine::Engine* engine, GUIResources* resources, GUIFontTool* fontTool,
                      VelkorEngine::GUIWindow* parent, const ControlModelDescription& description);
    ~GUIEditBoxControl() override;

    void Update() override;

    // By name; an empty or unknown name is no font, and the box then shows and takes nothing.
    void SetFont(const std::string& name);
    void SetFontColor(const VelkorEngine::Color& color) { m_fontColor = color; }
    void SetTextOffset(const VelkorEngine::Vector2& offset) { m_textOffset = offset; }
    void SetCursorCharacter(wchar_t character) { m_cursorCharacter = character; }
    void SetMaxCharacterCount(VelkorEngine::u32 count) { m_maxCharacterCount = count; }
    void SetMaxTextLength(VelkorEngine::f32 length) { m_maxTextLength = length; }
    void SetVisibleTextWidth(VelkorEngine::f32 width) { m_visibleTextWidth = width; }

    VelkorEngine::GUIEditBox* GetEditBox() const { return m_editBox; }
    VelkorEngine::i32 GetFontIndex() const { return m_fontIndex; }
    wchar_t GetCursorCharacter() const { return m_cursorCharacter; }

private:
    GUIFontTool* m_fontTool;
    VelkorEngine::GUIEditBox* m_editBox = nullptr;
    std::string m_fontName;
    VelkorEngine::i32 m_fontIndex = -1;
    VelkorEngine::Color m_fontColor{1.0f, 1.0f, 1.0f, 1.0f};
    VelkorEngine::Vector2 m_textOffset{0.0f, 0.0f};
    wchar_t m_cursorCharacter = L'_';
    VelkorEngine::u32 m_maxCharacterCount = 255;
    VelkorEngine::f32 m_maxTextLength = 800.0f;
    VelkorEngine::f32 m_visibleTextWidth = 800.0f;
};
}
