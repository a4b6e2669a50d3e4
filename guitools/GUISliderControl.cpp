#include "guitools/GUISliderControl.h"

#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderUser.h"

using namespace VelkorEngine;

namespace GUITools
{
GUISliderControl::GUISliderControl(Engine* engine, GUIResources* resources, GUIWindow* parent,
                                   const ControlModelDescription& description)
    : GUIControl(engine, resources, description)
{
    if (UsesModel(description))
    {
        m_slider = m_gui->CreateSlider(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedModel(description.model), false, NoRange, NoRange, InitialCount,
                                       parent);
        ApplyDescribedShader(m_slider, description);
    }
    else
        m_slider = m_gui->CreateSlider(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedShader(description.shader), false, NoRange, NoRange, InitialCount,
                                       parent, description.uv);
    AttachWidget(m_slider, description);
}

GUISliderControl::GUISliderControl(Engine* engine, GUIResources* resources,
                                   const ControlModelDescription& description)
    : GUIControl(engine, resources, description)
{
}

GUISliderControl::~GUISliderControl()
{
    // A scroll bar destroys its own widget and leaves none here.
    if (m_slider != nullptr)
        m_gui->DestroySlider(m_slider);
}

void GUISliderControl::CreateToddler(const std::string& model, const std::string& shader, const Vector2& uv)
{
    m_toddlerModel = model;
    m_toddlerShader = shader;
    m_toddlerUV = uv;
    if (m_slider == nullptr)
        return;
    const ShaderDescriptor* shaderUser = DescribedShader(shader);
    if (!model.empty() || shader.empty())
    {
        m_slider->CreateToddler(m_toddlerSize, DescribedModel(model));
        if (shaderUser != nullptr && m_slider->GetToddler() != nullptr)
            m_slider->GetToddler()->SetShader(*shaderUser);
    }
    else
        m_slider->CreateToddler(m_toddlerSize, shaderUser, uv);
}

void GUISliderControl::SetToddlerSelectionPosition(const Vector2& position)
{
    m_toddlerSelectionPosition = position;
    m_toddlerHasSelectionArea = true;
}

void GUISliderControl::SetToddlerSelectionSize(const Vector2& size)
{
    m_toddlerSelectionSize = size;
    m_toddlerHasSelectionArea = true;
}

void GUISliderControl::Update()
{
    GUIControl::Update();
    if (m_slider == nullptr || !m_slider->IsVisible())
        return;
    m_slider->SetVertical(m_orientation.find("vertical") != std::string::npos);
    m_slider->SetToddlerSize(m_toddlerSize);
    m_slider->SetRangeStart(m_toddlerMinPosition);
    m_slider->SetRangeEnd(m_toddlerMaxPosition);
    if (GUIButton* toddler = m_slider->GetToddler())
        toddler->SetHitArea(m_toddlerHasSelectionArea, m_toddlerSelectionPosition, m_toddlerSelectionSize);
}
}
