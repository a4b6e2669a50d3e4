#include "guitools/GUIButtonControl.h"

#include "engine/gui/GUIManager.h"

using namespace VelkorEngine;

namespace GUITools
{
GUIButtonControl::GUIButtonControl(Engine* engine, GUIResources* resources, GUIWindow* parent,
                                   const ControlModelDescription& description)
    : GUIControl(engine, resources, description)
{
    if (UsesModel(description))
    {
        m_button = m_gui->CreateButton(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedModel(description.model), parent);
        ApplyDescribedShader(m_button, description);
    }
    else
        m_button = m_gui->CreateButton(GUIWindow::StateColored, GetPosition(), GetSize(),
                                       DescribedShader(description.shader), parent, description.uv);
    AttachWidget(m_button, description);
}

GUIButtonControl::~GUIButtonControl()
{
    m_gui->DestroyButton(m_button);
}
}
