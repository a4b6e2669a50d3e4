// The control of a described panel or picture, which holds and places its child controls: it makes the
// engine widget from the control's model description and leaves showing, hiding and placing to the control
// base.
#pragma once

#include "guitools/GUIControl.h"

namespace VelkorEngine
{
class GUIWindow;
}

namespace GUITools
{
class GUIWindowControl : public GUIControl
{
public:
    GUIWindowControl(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parent,
                     const ControlModelDescription& description);
    ~GUIWindowControl() override;

    VelkorEngine::GUIWindow* GetWindow() const { return m_panel; }

private:
    VelkorEngine::GUIWindow* m_panel = nullptr;
};
}
