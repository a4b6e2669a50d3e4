#include "guitools/GUIEditBoxControl.h"

#include "engine/gui/GUIManager.h"
#include "guitools/GUIFontTool.h"

using namespace VelkorEngine;

namespace GUITools
{
GUIEditBoxControl::GUIEditBoxControl(Engine* engine, GUIResources* resources, GUIFontTool* fontTool,
                                     GUIWindow* parent, const ControlModelDescription& description)
    : GUIControl(engine, resources, description),
      m_fontTool(fontTool)
{
    const GUIEditBox::TextLimits limits{m_maxCharacterCount, m_maxTextLength, m_visibleTextWidth};
    const u16 caret = static_cast<u16>(m_cursorCharacter);
    if (UsesModel(description))
    {
        m_editBox = m_gui->CreateEditBox(GUIWindow::StateColored, GetPosition(), GetSize(),
                                         DescribedModel(description.model), m_fontIndex, m_fontColor, m_textOffset,
                                         limits, caret, parent);
        ApplyDescribedShader(m_editBox, description);
    }
    else
        m_editBox = m_gui->CreateEditBox(GUIWindow::StateColored, GetPosition(), GetSize(),
                                         DescribedShader(description.shader), m_fontIndex, m_fontColor,
                                         m_textOffset, limits, caret, parent, description.uv);
    AttachWidget(m_editBox, description);
}

GUIEditBoxControl::~GUIEditBoxControl()
{
    m_gui->DestroyEditBox(m_editBox);
}

void GUIEditBoxControl::SetFont(const std::string& name)
{
    m_fontName = name;
    m_fontIndex = (name.empty() || m_fontTool == nullptr) ? -1 : m_fontTool->GetFontIndex(name);
}

void GUIEditBoxControl::Update()
{
    GUIControl::Update();
    if (m_editBox == nullptr || !m_editBox->IsVisible())
        return;
    m_editBox->SetFont(m_fontIndex);
    // Glyph codes are 16-bit; a character beyond them shows as a space.
    const u16 caret = m_cursorCharacter <= 0xFFFF ? static_cast<u16>(m_cursorCharacter) : u16{' '};
    m_editBox->SetTextSettings(m_fontColor, m_textOffset,
                               GUIEditBox::TextLimits{m_maxCharacterCount, m_maxTextLength, m_visibleTextWidth},
                               caret);
}
}
