// The control of a described check box: it makes the engine widget from the control's model
// description and leaves showing, hiding and placing to the control base.
#pragma once

#include "guitools/GUIControl.h"

namespace VelkorEngine
{
class GUICheckBox;
}

namespace GUITools
{
class GUICheckBoxControl : public GUIControl
{
public:
    GUICheckBoxControl(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parent,
                       const ControlModelDescription& description);
    ~GUICheckBoxControl() override;

    VelkorEngine::GUICheckBox* GetCheckBox() const { return m_checkBox; }

private:
    VelkorEngine::GUICheckBox* m_checkBox = nullptr;
};
}
