// The control of a described push button: it makes the engine widget from the control's model
// description and leaves showing, hiding and placing to the control base.
#pragma once

#include "guitools/GUIControl.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace GUITools
{
class GUIButtonControl : public GUIControl
{
public:
    GUIButtonControl(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parent,
                     const ControlModelDescription& description);
    ~GUIButtonControl() override;

    VelkorEngine::GUIButton* GetButton() const { return m_button; }

private:
    VelkorEngine::GUIButton* m_button = nullptr;
};
}
