// Selects one of a number of positions along a straight track by dragging its thumb (the toddler). The
// toddler is a button whose rectangle covers the whole track, so a press anywhere on the track starts a
// drag; the slider places the toddler's model at the position itself.
#pragma once

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class GUISlider : public GUIWindow
{
public:
    enum SliderState : u32
    {
        Normal = 0,
        MouseOver = 1,
        Disabled = 2
    };

    // The range runs between two points relative to the slider's position; a count below 2 becomes 2. The
    // toddler starts empty: no size, no model.
    GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
              u32 count, GUIWindow* parent, const Vector2& textureExtent);
    GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const std::string& modelName, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
              u32 count, GUIWindow* parent);
    GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const Model* model, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
              GUIWindow* parent);
    ~GUISlider() override;

    bool HandleMouse(const Vector2& position, bool down, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& color) override;
    // A slider shown again starts in the normal state unless it is disabled.
    void UpdateVisibility() override;
    // Each replaces the toddler; the slider keeps the toddler's size and places its model.
    virtual void CreateToddler(const Vector2& size, const std::string& modelName);
    virtual void CreateToddler(const Vector2& size, const Model* model);
    virtual void CreateToddler(const Vector2& size, const ShaderDescriptor* shader, const Vector2& textureExtent);
    virtual void SetEnabled(bool enabled);
    virtual bool IsDragging() const;

    void SetRangeStart(const Vector2& point);
    void SetRangeEnd(const Vector2& point);
    void SetToddlerSize(const Vector2& size);
    void SetVertical(bool vertical) { m_vertical = vertical ? 1 : 0; }
    // Position 0 at the range's end instead of its start.
    void SetReversed(bool reversed) { m_reversed = reversed ? 1 : 0; }
    // Clamped to the last position.
    void SetPosition(u32 position);
    void SetCount(u32 count);
    u32 GetPosition() const { return m_position; }
    u32 GetCount() const { return m_count; }
    u32 GetState() const { return m_sliderState; }
    bool IsEnabled() const { return m_sliderState != Disabled; }
    bool IsVertical() const { return m_vertical != 0; }
    const Vector2& GetRangeStart() const { return m_rangeStart; }
    const Vector2& GetRangeEnd() const { return m_rangeEnd; }
    const Vector2& GetToddlerSize() const { return m_toddlerSize; }
    GUIButton* GetToddler() const { return m_toddler.get(); }

protected:
    // Bits 1 and, when the slider has it, 2: the state bits of the parts a slider makes for itself.
    u32 PartStateBits() const;

private:
    void Initialise(bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count);
    void AdoptToddler(std::unique_ptr<GUIButton> toddler, const Vector2& size);
    void PlaceToddlerButton();
    Vector2 TrackCover(const Vector2& toddlerSize) const;
    void DragTo(const Vector2& position);

    u32 m_sliderState = Normal;
    u32 m_vertical = 0;
    Vector2 m_rangeStart;
    Vector2 m_rangeEnd;
    Vector2 m_toddlerSize;
    u8 m_reversed = 0;
    u32 m_count = 2;
    u32 m_position = 0;
    std::unique_ptr<GUIButton> m_toddler;
};
}
