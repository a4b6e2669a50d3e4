// The control of a described slider: an engine slider whose thumb (the toddler) is made from the
// description, and whose orientation, thumb size, range and thumb hit area are copied into the widget every
// frame while it is visible.
#pragma once

#include "guitools/GUIControl.h"

namespace VelkorEngine
{
class GUISlider;
}

namespace GUITools
{
class GUISliderControl : public GUIControl
{
public:
    GUISliderControl(VelkorEngine::Engine* engine, GUIResources* resources, VelkorEngine::GUIWindow* parent,
                     const ControlModelDescription& description);
    ~GUISliderControl() override;

    void Update() override;

    // A model thumb unless only a shader is given, in which case a textured rectangle.
    void CreateToddler(const std::string& model, const std::string& shader, const VelkorEngine::Vector2& uv);
    void SetToddlerSize(const VelkorEngine::Vector2& size) { m_toddlerSize = size; }
    void SetToddlerMinPosition(const VelkorEngine::Vector2& position) { m_toddlerMinPosition = position; }
    void SetToddlerMaxPosition(const VelkorEngine::Vector2& position) { m_toddlerMaxPosition = position; }
    // Vertical when the value holds "vertical" anywhere, in those letters exactly.
    void SetOrientation(const std::string& orientation) { m_orientation = orientation; }
    // Either turns the thumb's own mouse-sensitive area on.
    void SetToddlerSelectionPosition(const VelkorEngine::Vector2& position);
    void SetToddlerSelectionSize(const VelkorEngine::Vector2& size);

    VelkorEngine::GUISlider* GetSlider() const { return m_slider; }

protected:
    // The widget's own range and count stay empty until the first visible frame copies the description's.
    static inline const VelkorEngine::Vector2 NoRange{0.0f, 0.0f};
    static constexpr VelkorEngine::u32 InitialCount = 2;

    // For a derived control that makes its own widget.
    GUISliderControl(VelkorEngine::Engine* engine, GUIResources* resources,
                     const ControlModelDescription& description);
    void SetSliderWidget(VelkorEngine::GUISlider* slider) { m_slider = slider; }

private:
    VelkorEngine::GUISlider* m_slider = nullptr;
    std::string m_orientation = "horizontal";
    std::string m_toddlerModel;
    std::string m_toddlerShader;
    VelkorEngine::Vector2 m_toddlerUV{1.0f, 1.0f};
    VelkorEngine::Vector2 m_toddlerMinPosition{0.0f, 0.0f};
    VelkorEngine::Vector2 m_toddlerMaxPosition{0.0f, 0.0f};
    VelkorEngine::Vector2 m_toddlerSize{0.0f, 0.0f};
    bool m_toddlerHasSelectionArea = false;
    VelkorEngine::Vector2 m_toddlerSelectionPosition{0.0f, 0.0f};
    VelkorEngine::Vector2 m_toddlerSelectionSize{0.0f, 0.0f};
};
}
