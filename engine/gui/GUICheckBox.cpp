// The check box: a button whose click toggles a flag.
#include "engine/gui/GUICheckBox.h"

#include "engine/gui/GUISoundManager.h"

namespace VelkorEngine
{
GUICheckBox::GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                         const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent)
    : GUIButton(services, state, position, size, shader, parent, textureExtent)
{
    SetSounds(GUISoundManager::CheckBoxHover, GUISoundManager::CheckBoxPress);
}

GUICheckBox::GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                         const std::string& modelName, GUIWindow* parent)
    : GUIButton(services, state, position, size, modelName, parent)
{
    SetSounds(GUISoundManager::CheckBoxHover, GUISoundManager::CheckBoxPress);
}

GUICheckBox::GUICheckBox(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                         const Model* model, GUIWindow* parent)
    : GUIButton(services, state, position, size, model, parent)
{
    SetSounds(GUISoundManager::CheckBoxHover, GUISoundManager::CheckBoxPress);
}

bool GUICheckBox::HandleMouse(const Vector2& position, bool down, bool pressed)
{
    if (!GUIButton::HandleMouse(position, down, pressed))
        return false;
    if (IsClicked())
        m_checked = 1 - m_checked;
    return true;
}

i32 GUICheckBox::GetFrame() const
{
    if (GetState() == Disabled)
        return m_checked != 0 ? 7 : 6;
    return static_cast<i32>(GetState()) + (m_checked != 0 ? 3 : 0);
}
}
