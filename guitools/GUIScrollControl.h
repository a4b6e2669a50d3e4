// The control of a described scroll bar: a slider with a decrease and an increase button, each made from
// the description and placed every frame while the bar is visible, above or below the track.
#pragma once

#include "guitools/GUISliderControl.h"

namespace VelkorEngine
{
class GUIButton;
class GUIScroll;
}

namespace GUITools
{
class GUIScrollControl : public GUISliderControl
{
public:
    // Where a step button stands, relative to the bar.
    struct StepButton
    {
        std::string model;
        std::string shader;
        VelkorEngine::Vector2 uv{1.0f, 1.0f};
        VelkorEngine::Vector2 position{0.0f, 0.0f};
        VelkorEngine::Vector2 size{1.0f, 1.0f};
        bool hasSelectionArea = false;
        VelkorEngine::Vector2 selectionPosition{0.0f, 0.0f};
        VelkorEngine::Vector2 selectionSize{0.0f, 0.0f};
    };

    GUIScrollControl(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parent,
                     const ControlModelDescription& description);
    ~GUIScrollControl() override;

    void Update() override;

    // Makes the increase (or decrease) button, a model unless only a shader is given; its placement is
    // the returned record's to change.
    StepButton& CreateStepButton(bool increase, const std::string& model, const std::string& shader,
                                 const VelkorEngine::Vector2& uv);
    StepButton& IncreaseButton() { return m_increase; }
    StepButton& DecreaseButton() { return m_decrease; }
    // "lower" puts the buttons below the track; anything else above it.
    std::string& ButtonsAlignment() { return m_buttonsAlignment; }

    VelkorEngine::GUIScroll* GetScroll() const { return m_scroll; }

private:
    void PlaceButton(VelkorEngine::GUIButton* widget, const StepButton& button, VelkorEngine::i32 height) const;

    VelkorEngine::GUIScroll* m_scroll = nullptr;
    StepButton m_increase;
    StepButton m_decrease;
    std::string m_buttonsAlignment = "upper";
};
}
