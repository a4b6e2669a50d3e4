#include "guitools/GUICheckBoxControl.h"

#include "engine/gui/GUIManager.h"

using namespace VelkorEngine;

namespace GUITools
{
GUICheckBoxControl::GUICheckBoxControl(Engine* engine, GUIResources* resources, GUIWindow* parent,
                                       const ControlModelDescription& description)
    : GUIControl(engine, resources, description)
{
    if (UsesModel(description))
    {
        m_checkBox = m_gui->CreateCheckBox(GUIWindow::StateColored, GetPosition(), GetSize(),
                                           DescribedModel(description.model), parent);
        ApplyDescribedShader(m_checkBox, description);
    }
    else
        m_checkBox = m_gui->CreateCheckBox(GUIWindow::StateColored, GetPosition(), GetSize(),
                                           DescribedShader(description.shader), parent, description.uv);
    AttachWidget(m_checkBox, description);
}

GUICheckBoxControl::~GUICheckBoxControl()
{
    m_gui->DestroyCheckBox(m_checkBox);
}
}
