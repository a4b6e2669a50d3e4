// The button's press state machine and its frames.
#include "engine/gui/GUIButton.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"

namespace VelkorEngine
{
GUIButton::GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent)
    : GUIWindow(services, state, position, size, shader, parent, textureExtent), m_sounds(services.guiSounds)
{
}

GUIButton::GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const std::string& modelName, GUIWindow* parent)
    : GUIWindow(services, state, position, size, modelName, parent), m_sounds(services.guiSounds)
{
}

GUIButton::GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const Model* model, GUIWindow* parent)
    : GUIWindow(services, state, position, size, model, parent), m_sounds(services.guiSounds)
{
}

// A press that leaves the button shows the normal look while held and does not click on release; coming
// back while still held shows the pressed look again.
bool GUIButton::HandleMouse(const Vector2& position, bool down, bool pressed)
{
    m_clicked = 0;
    if (!GUIWindow::HandleMouse(position, down, pressed) || m_buttonState == Disabled)
        return false;
    const bool over = IsMouseOver();
    if (over && pressed && m_pressing == 0)
    {
        m_pressing = 1;
        PlaySound(m_pressSound);
    }
    if (m_pressing != 0)
    {
        if (!down)
        {
            m_clicked = over ? 1 : 0;
            m_pressing = 0;
        }
        else
            m_buttonState = over ? Pressed : Normal;
    }
    if (m_pressing == 0)
    {
        m_buttonState = over ? Hover : Normal;
        if (over && m_wasOver == 0)
            PlaySound(m_hoverSound);
    }
    m_wasOver = over ? 1 : 0;
    return true;
}

bool GUIButton::Render()
{
    if (!GUIWindow::Render())
        return false;
    ShowFrame(GetFrame());
    return true;
}

void GUIButton::ShowFrame(i32 frame) const
{
    Model* model = GetModel();
    if (model == nullptr)
        return;
    if (model->animation != nullptr && model->animation->GetFrameCount() > 1)
        model->animation->time = static_cast<f32>(frame);
    else if (model->GetShader() != nullptr && model->GetShader()->GetFrameCount() > 1)
        model->GetShader()->SetFrame(static_cast<f32>(frame));
}

// A press that was under way when the button went away ended unseen: it must not click when the button
// comes back.
void GUIButton::UpdateVisibility()
{
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (!IsVisible() || wasVisible)
        return;
    m_pressing = 0;
    if (m_buttonState != Disabled)
        m_buttonState = Normal;
}

// The same holds for a press under way when the button is disabled.
void GUIButton::SetEnabled(bool enabled)
{
    if ((m_buttonState != Disabled) == enabled)
        return;
    m_buttonState = enabled ? Normal : Disabled;
    m_pressing = 0;
}

i32 GUIButton::GetFrame() const { return static_cast<i32>(m_buttonState); }

void GUIButton::SetSounds(u32 hoverSound, u32 pressSound)
{
    m_hoverSound = hoverSound;
    m_pressSound = pressSound;
}

void GUIButton::PlaySound(u32 id) const
{
    if (m_sounds != nullptr)
        m_sounds->Play(id);
}
}
