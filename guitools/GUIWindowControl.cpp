#include "guitools/GUIWindowControl.h"

#include "engine/gui/GUIManager.h"

using namespace VelkorEngine;

namespace GUITools
{
GUIWindowControl::GUIWindowControl(Engine* engine, GUIResources* resources, GUIWindow* parent,
                                   const ControlModelDescription& description)
    : GUIControl(engine, resources, description)
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

GUIWindowControl::~GUIWindowControl()
{
    m_gui->DestroyWindow(m_panel);
}
}
