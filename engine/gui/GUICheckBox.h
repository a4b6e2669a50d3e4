// A button with a checked flag that each click toggles, shown in eight frames: unchecked normal, hover and
// pressed, the same three checked, then disabled unchecked and disabled checked.
#pragma once

#include "engine/gui/GUIButton.h"

namespace VelkorEngine
{
class GUICheckBox : public GUIButton
{
public:
    GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent);
    GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                const std::string& modelName, GUIWindow* parent);
    GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                const Model* model, GUIWindow* parent);

    // The flag turns over on the click, that is on the release.
    bool HandleMouse(const Vector2& position, bool down, bool pressed) override;
    i32 GetFrame() const override;

    bool IsChecked() const { return m_checked != 0; }
    void SetChecked(bool checked) { m_checked = checked ? 1 : 0; }

private:
    u32 m_checked = 0;
};
}
