// A window that reacts to the mouse with four looks (normal, hover, pressed, disabled) and reports a click
// when a press that began on it is released over it. Plays a GUI sound when the mouse enters it and when
// it is pressed.
#pragma once

#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"

namespace VelkorEngine
{
class GUIButton : public GUIWindow
{
public:
    enum ButtonState : u32
    {
        Normal = 0,
        Hover = 1,
        Pressed = 2,
        Disabled = 3
    };

    GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent);
    GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const std::string& modelName, GUIWindow* parent);
    GUIButton(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const Model* model, GUIWindow* parent);

    bool HandleMouse(const Vector2& position, bool down, bool pressed) override;
    // Shows the look of the state: the model's animation frame when it has several, else the shader's.
    bool Render() override;
    // A button shown again starts in the normal look unless it is disabled.
    void UpdateVisibility() override;
    virtual void SetEnabled(bool enabled);
    virtual i32 GetFrame() const;

    // True for the one mouse pass in which the click came.
    bool IsClicked() const { return m_clicked != 0; }
    u32 GetState() const { return m_buttonState; }
    bool IsEnabled() const { return m_buttonState != Disabled; }
    // The mouse went down on the button and has not come up yet.
    bool IsPressing() const { return m_pressing != 0; }
    void SetSounds(u32 hoverSound, u32 pressSound);

private:
    void ShowFrame(i32 frame) const;
    void PlaySound(u32 id) const;

    GUISoundManager* m_sounds;
    u32 m_buttonState = Normal;
    u8 m_pressing = 0;
    // A button made under a resting mouse does not greet it with the hover sound.
    u8 m_wasOver = 1;
    u8 m_clicked = 0;
    u32 m_hoverSound = GUISoundManager::ButtonHover;
    u32 m_pressSound = GUISoundManager::ButtonPress;
};
}
