// A slider with a decrease and an increase button that step the position: once on the press, then every
// 0.15 s while the button is held with the mouse over it.
#pragma once

#include "engine/gui/GUISlider.h"

#include <memory>

namespace VelkorEngine
{
class GUIScroll : public GUISlider
{
public:
    GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
              u32 count, GUIWindow* parent, const Vector2& textureExtent);
    GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const std::string& modelName, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
              u32 count, GUIWindow* parent);
    GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const Model* model, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
              GUIWindow* parent);
    ~GUIScroll() override;

    bool HandleMouse(const Vector2& position, bool down, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& color) override;
    void CreateToddler(const Vector2& size, const std::string& modelName) override;
    void CreateToddler(const Vector2& size, const Model* model) override;
    void CreateToddler(const Vector2& size, const ShaderDescriptor* shader, const Vector2& textureExtent) override;
    void SetEnabled(bool enabled) override;
    bool IsDragging() const override;

    // Each replaces its button; the buttons are children of the scroll bar.
    void CreateIncreaseButton(const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                              const Vector2& textureExtent);
    void CreateIncreaseButton(const Vector2& position, const Vector2& size, const Model* model);
    void CreateDecreaseButton(const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                              const Vector2& textureExtent);
    void CreateDecreaseButton(const Vector2& position, const Vector2& size, const Model* model);
    void SetStep(u32 step) { m_step = step; }
    u32 GetStep() const { return m_step; }
    GUIButton* GetIncreaseButton() const { return m_increase.get(); }
    GUIButton* GetDecreaseButton() const { return m_decrease.get(); }

private:
    void DressToddler();
    void AdoptStepButton(std::unique_ptr<GUIButton>& slot, std::unique_ptr<GUIButton> button);
    void Repeat(bool increase);

    u32 m_step = 1;
    f32 m_repeatTime = 0.0f;
    std::unique_ptr<GUIButton> m_increase;
    std::unique_ptr<GUIButton> m_decrease;
};
}
