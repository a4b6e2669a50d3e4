#include "guitools/GUIScrollControl.h"

#include "engine/gui/GUIManager.h"

using namespace VelkorEngine;

namespace GUITools
{
namespace
{
// Step buttons above the track, or below it with the track raised one step.
constexpr i32 UpperButtonHeight = 2;
constexpr i32 LowerButtonHeight = -1;
}

GUIScrollControl::GUIScrollControl(Engine* engine, GUIResources* resources, GUIWindow* parent,
                                   const ControlModelDescription& description)
    : GUISliderControl(engine, resources, description)
{
    if (UsesModel(description))
    {
        m_scroll = m_gui->CreateScroll(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedModel(description.model), false, NoRange, NoRange, InitialCount,
                                       parent);
        ApplyDescribedShader(m_scroll, description);
    }
    else
        m_scroll = m_gui->CreateScroll(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedShader(description.shader), false, NoRange, NoRange, InitialCount,
                                       parent, description.uv);
    SetSliderWidget(m_scroll);
    AttachWidget(m_scroll, description);
}

GUIScrollControl::~GUIScrollControl()
{
    m_gui->DestroyScroll(m_scroll);
    SetSliderWidget(nullptr);
}

GUIScrollControl::StepButton& GUIScrollControl::CreateStepButton(bool increase, const std::string& model,
                                                                  const std::string& shader, const Vector2& uv)
{
    StepButton& button = increase ? m_increase : m_decrease;
    button.model = model;
    button.shader = shader;
    button.uv = uv;
    if (m_scroll == nullptr)
        return button;
    const ShaderDescriptor* shaderUser = DescribedShader(shader);
    if (!model.empty() || shader.empty())
    {
        if (increase)
            m_scroll->CreateIncreaseButton(button.position, button.size, DescribedModel(model));
        else
            m_scroll->CreateDecreaseButton(button.position, button.size, DescribedModel(model));
        GUIButton* widget = increase ? m_scroll->GetIncreaseButton() : m_scroll->GetDecreaseButton();
        if (widget != nullptr && shaderUser != nullptr)
            widget->SetShader(*shaderUser);
    }
    else if (increase)
        m_scroll->CreateIncreaseButton(button.position, button.size, shaderUser, uv);
    else
        m_scroll->CreateDecreaseButton(button.position, button.size, shaderUser, uv);
    return button;
}

void GUIScrollControl::PlaceButton(GUIButton* widget, const StepButton& button, i32 height) const
{
    if (widget == nullptr)
        return;
    widget->SetRelativePosition(button.position);
    widget->SetSize(button.size);
    widget->SetHitArea(button.hasSelectionArea, button.selectionPosition, button.selectionSize);
    widget->SetLayer(height);
}

void GUIScrollControl::Update()
{
    GUISliderControl::Update();
    if (m_scroll == nullptr || !m_scroll->IsVisible())
        return;
    const bool lower = m_buttonsAlignment == "lower";
    const i32 buttonHeight = lower ? LowerButtonHeight : UpperButtonHeight;
    PlaceButton(m_scroll->GetIncreaseButton(), m_increase, buttonHeight);
    PlaceButton(m_scroll->GetDecreaseButton(), m_decrease, buttonHeight);
    m_scroll->SetLayer(lower ? GetHeight() + 1 : GetHeight());
}
}
