#include "guitools/GUIWindowBase.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Vector4.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLSelect.h"
#include "engine/gui/GUIManager.h"
#include "guitools/GUIButtonControl.h"
#include "guitools/GUICheckBoxControl.h"
#include "guitools/GUIDescriptionChain.h"
#include "guitools/GUIEditBoxControl.h"
#include "guitools/GUIScrollControl.h"
#include "guitools/GUISliderControl.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIToolManager.h"
#include "guitools/GUIWindowControl.h"

#include <algorithm>

using namespace VelkorEngine;
using GameTools::XMLNode;
using GameTools::XMLValue;

namespace GUITools
{
namespace
{
// The value from the first node of the chain that has the attribute.
XMLValue* Attribute(const GUIWindowBase::Chain& chain, const char* name)
{
    return GUIDescriptionChain::Attribute(chain, name);
}

void ReadString(const GUIWindowBase::Chain& chain, const char* name, std::string& out)
{
    if (XMLValue* value = Attribute(chain, name))
        out = value->GetString();
}

void ReadFrame(const GUIWindowBase::Chain& chain, const char* name, u32& out)
{
    if (XMLValue* value = Attribute(chain, name))
        out = static_cast<u32>(value->GetInt());
}

void ReadVector(const GUIWindowBase::Chain& chain, const char* name, Vector2& out)
{
    if (XMLValue* value = Attribute(chain, name))
        out = value->GetVector2();
}

Color ToColor(const Vector4& v)
{
    return Color(v.x, v.y, v.z, v.w);
}

// Calls set with the typed value when the chain has the attribute.
template <typename Read, typename Set>
void Apply(const GUIWindowBase::Chain& chain, const char* name, Read read, Set set)
{
    if (XMLValue* value = Attribute(chain, name))
        set(read(*value));
}

const auto AsString = [](XMLValue& value) { return value.GetString(); };
const auto AsFloat = [](XMLValue& value) { return value.GetFloat(); };
const auto AsInt = [](XMLValue& value) { return value.GetInt(); };
const auto AsBool = [](XMLValue& value) { return value.GetBool(); };
const auto AsVector2 = [](XMLValue& value) { return value.GetVector2(); };
const auto AsColor = [](XMLValue& value) { return ToColor(value.GetVector4()); };

void ReadFaderValue(XMLNode& fader, const char* name, f32& out)
{
    if (XMLValue* value = fader.GetAttributeValue(name))
        out = value->GetFloat();
}

// Widget looks of a slider's thumb or a scroll's step button, read as the three attributes that create it.
struct PartLook
{
    std::string model;
    std::string shader;
    Vector2 uv{1.0f, 1.0f};
};

PartLook ReadPartLook(const GUIWindowBase::Chain& chain, const std::string& part)
{
    PartLook look;
    ReadString(chain, (part + "_model").c_str(), look.model);
    ReadString(chain, (part + "_shader").c_str(), look.shader);
    ReadVector(chain, (part + "_uv").c_str(), look.uv);
    return look;
}
}

GUIWindowBase::GUIWindowBase(Engine* engine, GUIResources* resources, GUIToolManager* toolManager,
                             GUIWindow* parentWidget, const std::string& name)
    : m_engine(engine),
      m_log(engine->GetMessageManager()),
      m_fileManager(engine->GetFileManager()),
      m_modelManager(engine->GetModelManager()),
      m_guiManager(engine->GetGUIManager()),
      m_resources(resources),
      m_toolManager(toolManager),
      m_fontTool(toolManager->GetFontTool()),
      m_textTool(toolManager->GetTextTool()),
      m_name(name)
{
    m_window = m_guiManager->CreateWindow(0, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, parentWidget);
    XMLNode* root = m_toolManager->GetWindowsRoot();
    ParseControls(root, Chain{root}, name, "", m_window);
}

GUIWindowBase::~GUIWindowBase()
{
    // Children first, so no control outlives the widget it hangs from.
    while (!m_controls.empty())
        m_controls.pop_back();
    m_guiManager->DestroyWindow(m_window);
}

void GUIWindowBase::Update()
{
    if (m_window == nullptr || !m_window->IsVisible())
        return;
    bool anyShown = false;
    for (std::size_t i = 0; i < m_controls.size(); ++i)
    {
        m_controls[i]->Update();
        if (m_enabled[i] && m_controls[i]->IsShown())
            anyShown = true;
    }
    if (!anyShown)
        m_window->ClearState(GUIWindow::StateVisible);
}

void GUIWindowBase::Show(bool show)
{
    if (show && m_window != nullptr)
        m_window->SetState(GUIWindow::StateVisible);
    for (std::size_t i = 0; i < m_controls.size(); ++i)
    {
        if (m_enabled[i])
            m_controls[i]->Show(show, true);
    }
}

bool GUIWindowBase::IsShown() const
{
    return m_window != nullptr && m_window->IsVisible();
}

bool GUIWindowBase::IsShowFinished() const
{
    if (!GUIWindowBase::IsShown())
        return false;
    for (std::size_t i = 0; i < m_controls.size(); ++i)
    {
        if (m_enabled[i] && !m_controls[i]->IsShowFinished())
            return false;
    }
    return true;
}

void GUIWindowBase::ResolveTemplates(XMLNode* root, const Chain& searchRoots, const std::string& name, Chain& chain)
{
    const std::string cycle = GUIDescriptionChain::Resolve(root, searchRoots, name, chain);
    if (!cycle.empty())
        m_log->Fatal("(GUIWindowBase::ResolveTemplates): Cyclic template \"" + cycle + "\"");
}

void GUIWindowBase::ParseControls(XMLNode* root, const Chain& searchRoots, const std::string& name,
                                  const std::string& prefix, GUIWindow* parentWidget)
{
    Chain chain;
    ResolveTemplates(root, searchRoots, name, chain);
    if (chain.empty())
        m_log->Fatal("(GUIWindowBase::ParseControls): Unknown \"" + name + "\" " +
                     (prefix.empty() ? "window description" : "control description"));
    const std::string& kind = chain.front()->GetName();
    if (kind == "fader")
        return;
    if (XMLValue* language = Attribute(chain, "language"))
    {
        if (language->GetString() != m_toolManager->GetLanguage())
            return;
    }
    GuardExpansion(chain);
    const std::string fullName = prefix.empty() ? name : prefix + "/" + name;
    GUIControl* control = CreateControl(kind, chain, Describe(chain, fullName), parentWidget);
    m_enabled.push_back(true);
    m_expanding.push_back(chain.front());
    for (const std::string& child : CollectChildNames(chain))
        ParseControls(root, chain, child, fullName, control->GetWidget());
    m_expanding.pop_back();
}

// A control described by a node of its own ancestry (a child templated on a window around it) would hold
// itself again and again; templates reused at many levels can also multiply without end. Both are refused.
void GUIWindowBase::GuardExpansion(const Chain& chain) const
{
    for (XMLNode* node : chain)
        if (std::find(m_expanding.begin(), m_expanding.end(), node) != m_expanding.end())
        {
            XMLValue* name = node->GetAttributeValue("name");
            m_log->Fatal("(GUIWindowBase::ResolveTemplates): Cyclic template \"" +
                         (name != nullptr ? name->GetString() : node->GetName()) + "\"");
        }
    if (m_expanding.size() >= MaxExpansionDepth)
        m_log->Fatal("(GUIWindowBase::ParseControls): Window description \"" + m_name + "\" nests more than " +
                     std::to_string(MaxExpansionDepth) + " controls deep");
    if (m_controls.size() >= MaxExpansionControls)
        m_log->Fatal("(GUIWindowBase::ParseControls): Window description \"" + m_name + "\" has more than " +
                     std::to_string(MaxExpansionControls) + " controls");
}

ControlModelDescription GUIWindowBase::Describe(const Chain& chain, const std::string& fullName)
{
    ControlModelDescription description;
    description.name = fullName;
    ReadString(chain, "model", description.model);
    ReadFrame(chain, "model_start_frame", description.modelStartFrame);
    ReadFrame(chain, "model_end_frame", description.modelEndFrame);
    ReadString(chain, "shader", description.shader);
    ReadVector(chain, "uv", description.uv);
    ReadString(chain, "animator_model", description.animatorModel);
    ReadFrame(chain, "animator_model_start_frame", description.animatorStartFrame);
    ReadFrame(chain, "animator_model_end_frame", description.animatorEndFrame);
    return description;
}

GUIControl* GUIWindowBase::CreateControl(const std::string& kind, const Chain& chain,
                                         const ControlModelDescription& description, GUIWindow* parentWidget)
{
    XMLNode* root = m_toolManager->GetWindowsRoot();
    std::unique_ptr<GUIControl> created;
    if (kind == "window")
    {
        auto control = std::make_unique<GUIWindowControl>(m_engine, m_resources, parentWidget, description);
        m_windowControls.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        created = std::move(control);
    }
    else if (kind == "button")
    {
        auto control = std::make_unique<GUIButtonControl>(m_engine, m_resources, parentWidget, description);
        m_buttons.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        created = std::move(control);
    }
    else if (kind == "check_box")
    {
        auto control = std::make_unique<GUICheckBoxControl>(m_engine, m_resources, parentWidget, description);
        m_checkBoxes.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        created = std::move(control);
    }
    else if (kind == "edit_box")
    {
        auto control =
            std::make_unique<GUIEditBoxControl>(m_engine, m_resources, m_fontTool, parentWidget, description);
        m_editBoxes.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        ApplyEditBoxAttributes(*control, chain);
        created = std::move(control);
    }
    else if (kind == "slider")
    {
        auto control = std::make_unique<GUISliderControl>(m_engine, m_resources, parentWidget, description);
        m_sliders.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        ApplySliderAttributes(*control, chain);
        created = std::move(control);
    }
    else if (kind == "scroll")
    {
        auto control = std::make_unique<GUIScrollControl>(m_engine, m_resources, parentWidget, description);
        m_scrolls.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        // A scroll bar's thumb is described like a slider's; without it the bar could not be dragged.
        ApplySliderAttributes(*control, chain);
        ApplyScrollAttributes(*control, chain);
        created = std::move(control);
    }
    else if (kind == "text_label")
    {
        auto control = std::make_unique<GUITextControl>(m_engine, m_resources, m_fontTool, m_textTool, parentWidget,
                                                        description);
        m_texts.push_back(control.get());
        ApplyCommonAttributes(*control, root, chain);
        ApplyTextAttributes(*control, chain);
        created = std::move(control);
    }
    else
        m_log->Fatal("(GUIWindowBase::ParseControls): Unknown \"" + kind + "\" control type");
    m_controls.push_back(std::move(created));
    return m_controls.back().get();
}

void GUIWindowBase::ApplyCommonAttributes(GUIControl& control, XMLNode* root, const Chain& chain)
{
    Apply(chain, "show_action", AsString, [&](const std::string& v) { control.SetShowAction(v); });
    Apply(chain, "hide_action", AsString, [&](const std::string& v) { control.SetHideAction(v); });
    Apply(chain, "height", AsInt, [&](i32 v) { control.SetHeight(v); });
    Apply(chain, "position", AsVector2, [&](const Vector2& v) { control.SetPosition(v); });
    Apply(chain, "size", AsVector2, [&](const Vector2& v) { control.SetSize(v); });
    Apply(chain, "selection_position", AsVector2, [&](const Vector2& v) { control.SetSelectionPosition(v); });
    Apply(chain, "selection_size", AsVector2, [&](const Vector2& v) { control.SetSelectionSize(v); });
    Apply(chain, "fader", AsString, [&](const std::string& v) { ApplyFader(control, root, v); });
}

void GUIWindowBase::ApplyFader(GUIControl& control, XMLNode* root, const std::string& faderName)
{
    if (faderName.empty())
        return;
    XMLNode* node = GameTools::XMLSelectNode(root, "/faders/fader[name='" + faderName + "']");
    if (node == nullptr)
        m_log->Fatal("(GUIWindowBase::ParseControls): Unknown \"" + faderName + "\" fader");
    GUIControl::Fader fader;
    if (XMLValue* type = node->GetAttributeValue("type"))
        fader.type = type->GetString();
    ReadFaderValue(*node, "show_speed", fader.showSpeed);
    ReadFaderValue(*node, "hide_speed", fader.hideSpeed);
    ReadFaderValue(*node, "min", fader.minimum);
    ReadFaderValue(*node, "max", fader.maximum);
    ReadFaderValue(*node, "fade_offset", fader.fadeOffset);
    ReadFaderValue(*node, "show_offset", fader.showOffset);
    ReadFaderValue(*node, "hide_offset", fader.hideOffset);
    control.SetFader(faderName, fader);
}

void GUIWindowBase::ApplyTextAttributes(GUITextControl& control, const Chain& chain)
{
    Apply(chain, "alignment_h", AsString, [&](const std::string& v) { control.SetHorizontalAlignment(v); });
    Apply(chain, "alignment_v", AsString, [&](const std::string& v) { control.SetVerticalAlignment(v); });
    Apply(chain, "font", AsString, [&](const std::string& v) { control.SetFont(v); });
    Apply(chain, "text", AsString, [&](const std::string& v) { control.SetTextKey(v); });
    Apply(chain, "color", AsColor, [&](const Color& v) { control.SetColor(v); });
    Apply(chain, "angle", AsFloat, [&](f32 v) { control.SetAngle(v); });
    Apply(chain, "font_size", AsFloat, [&](f32 v) { control.SetFontSize(v); });
    Apply(chain, "multiline", AsBool, [&](bool v) { control.SetMultiline(v); });
    Apply(chain, "line_space", AsFloat, [&](f32 v) { control.SetLineSpace(v); });
    Apply(chain, "printing_mode", AsBool, [&](bool v) { control.SetPrintingMode(v); });
    Apply(chain, "printing_speed", AsFloat, [&](f32 v) { control.SetPrintingSpeed(v); });
    Apply(chain, "max_printing_time", AsFloat, [&](f32 v) { control.SetMaxPrintingTime(v); });
}

void GUIWindowBase::ApplyEditBoxAttributes(GUIEditBoxControl& control, const Chain& chain)
{
    Apply(chain, "font", AsString, [&](const std::string& v) { control.SetFont(v); });
    Apply(chain, "font_color", AsColor, [&](const Color& v) { control.SetFontColor(v); });
    Apply(chain, "text_offset", AsVector2, [&](const Vector2& v) { control.SetTextOffset(v); });
    if (XMLValue* cursor = Attribute(chain, "cursor_character"))
    {
        const std::wstring& text = cursor->GetWideString();
        control.SetCursorCharacter(text.empty() ? L' ' : text.front());
    }
    Apply(chain, "max_character_count", AsInt,
          [&](i32 v) { control.SetMaxCharacterCount(static_cast<u32>(std::max(v, 0))); });
    Apply(chain, "max_text_length", AsFloat, [&](f32 v) { control.SetMaxTextLength(v); });
    Apply(chain, "visible_text_width", AsFloat, [&](f32 v) { control.SetVisibleTextWidth(v); });
}

void GUIWindowBase::ApplySliderAttributes(GUISliderControl& control, const Chain& chain)
{
    const PartLook toddler = ReadPartLook(chain, "toddler");
    control.CreateToddler(toddler.model, toddler.shader, toddler.uv);
    Apply(chain, "toddler_size", AsVector2, [&](const Vector2& v) { control.SetToddlerSize(v); });
    Apply(chain, "toddler_min_position", AsVector2, [&](const Vector2& v) { control.SetToddlerMinPosition(v); });
    Apply(chain, "toddler_max_position", AsVector2, [&](const Vector2& v) { control.SetToddlerMaxPosition(v); });
    Apply(chain, "orientation", AsString, [&](const std::string& v) { control.SetOrientation(v); });
    Apply(chain, "toddler_selection_position", AsVector2,
          [&](const Vector2& v) { control.SetToddlerSelectionPosition(v); });
    Apply(chain, "toddler_selection_size", AsVector2, [&](const Vector2& v) { control.SetToddlerSelectionSize(v); });
}

void GUIWindowBase::ApplyScrollAttributes(GUIScrollControl& control, const Chain& chain)
{
    for (const bool increase : {true, false})
    {
        const std::string part = increase ? "increase_button" : "decrease_button";
        const PartLook look = ReadPartLook(chain, part);
        GUIScrollControl::StepButton& button = control.CreateStepButton(increase, look.model, look.shader, look.uv);
        ReadVector(chain, (part + "_size").c_str(), button.size);
        ReadVector(chain, (part + "_position").c_str(), button.position);
        if (XMLValue* value = Attribute(chain, (part + "_selection_position").c_str()))
        {
            button.selectionPosition = value->GetVector2();
            button.hasSelectionArea = true;
        }
        if (XMLValue* value = Attribute(chain, (part + "_selection_size").c_str()))
        {
            button.selectionSize = value->GetVector2();
            button.hasSelectionArea = true;
        }
    }
    ReadString(chain, "buttons_alignment", control.ButtonsAlignment());
}

std::vector<std::string> GUIWindowBase::CollectChildNames(const Chain& chain)
{
    GUIDescriptionChain::Children children = GUIDescriptionChain::CollectChildren(chain);
    if (!children.unnamedKinds.empty())
        m_log->Fatal("(GUIWindowBase::ParseControls): Failed to find attribute \"name\" in node with \"" +
                     children.unnamedKinds.front() + "\" name");
    return std::move(children.names);
}

void GUIWindowBase::ReportUnknownControl(const char* operation, const std::string& name) const
{
    m_log->Error(std::string("(GUIWindowBase::") + operation + "): Unknown \"" + name + "\" control");
}

template <typename Control>
Control* GUIWindowBase::Find(const std::vector<Control*>& list, const std::string& name, const char* operation) const
{
    for (Control* control : list)
    {
        if (control->GetName() == name)
            return control;
    }
    if (operation != nullptr)
        ReportUnknownControl(operation, name);
    return nullptr;
}

GUITextControl* GUIWindowBase::GetTextControl(const std::string& name) const
{
    return Find(m_texts, name, "GetTextControl");
}

GUIScrollControl* GUIWindowBase::GetScrollControl(const std::string& name) const
{
    return Find(m_scrolls, name, "GetScrollControl");
}

GUIEditBoxControl* GUIWindowBase::GetEditBoxControl(const std::string& name) const
{
    return Find(m_editBoxes, name, "GetEditBoxControl");
}

GUICheckBoxControl* GUIWindowBase::GetCheckBoxControl(const std::string& name) const
{
    return Find(m_checkBoxes, name, "GetCheckBoxControl");
}

GUIButtonControl* GUIWindowBase::GetButtonControl(const std::string& name) const
{
    return Find(m_buttons, name, "GetButtonControl");
}

GUIWindowControl* GUIWindowBase::GetWindowControl(const std::string& name) const
{
    return Find(m_windowControls, name, "GetWindowControl");
}

GUIControl* GUIWindowBase::GetControl(const std::string& name) const
{
    const std::size_t index = IndexOf(name);
    if (index < m_controls.size())
        return m_controls[index].get();
    ReportUnknownControl("GetControl", name);
    return nullptr;
}

GUIScroll* GUIWindowBase::GetScroll(const std::string& name) const
{
    GUIScrollControl* control = GetScrollControl(name);
    return control != nullptr ? control->GetScroll() : nullptr;
}

GUIEditBox* GUIWindowBase::GetEditBox(const std::string& name) const
{
    GUIEditBoxControl* control = GetEditBoxControl(name);
    return control != nullptr ? control->GetEditBox() : nullptr;
}

GUICheckBox* GUIWindowBase::GetCheckBox(const std::string& name) const
{
    GUICheckBoxControl* control = GetCheckBoxControl(name);
    return control != nullptr ? control->GetCheckBox() : nullptr;
}

GUIButton* GUIWindowBase::GetButton(const std::string& name) const
{
    GUIButtonControl* control = GetButtonControl(name);
    return control != nullptr ? control->GetButton() : nullptr;
}

bool GUIWindowBase::HasTextControl(const std::string& name) const
{
    return Find(m_texts, name, nullptr) != nullptr;
}

bool GUIWindowBase::HasWindowControl(const std::string& name) const
{
    return Find(m_windowControls, name, nullptr) != nullptr;
}

std::size_t GUIWindowBase::IndexOf(const std::string& name) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [&](const std::unique_ptr<GUIControl>& c) { return c->GetName() == name; });
    return static_cast<std::size_t>(found - m_controls.begin());
}

void GUIWindowBase::EnableControl(const std::string& name, bool enable)
{
    const std::size_t index = IndexOf(name);
    if (index >= m_controls.size())
    {
        ReportUnknownControl("EnableControl", name);
        return;
    }
    m_enabled[index] = enable;
    if (enable)
        return;
    GUIControl& control = *m_controls[index];
    control.Show(false, false);
    if (control.GetWidget() != nullptr)
        control.GetWidget()->ClearState(GUIWindow::StateVisible);
}

void GUIWindowBase::SetControlEnabled(GUIControl* control, bool enable)
{
    if (control != nullptr)
        EnableControl(control->GetName(), enable);
}
}
