// The slider: the toddler's drag along the track and its placement at the position.
#include "engine/gui/GUISlider.h"

#include "engine/gui/GUISoundManager.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
Vector2 Plus(const Vector2& a, const Vector2& b) { return Vector2(a.x + b.x, a.y + b.y); }
Vector2 Minus(const Vector2& a, const Vector2& b) { return Vector2(a.x - b.x, a.y - b.y); }
}

GUISlider::GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart,
                     const Vector2& rangeEnd, u32 count, GUIWindow* parent, const Vector2& textureExtent)
    : GUIWindow(services, state, position, size, shader, parent, textureExtent)
{
    Initialise(vertical, rangeStart, rangeEnd, count);
}

GUISlider::GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const std::string& modelName, bool vertical, const Vector2& rangeStart,
                     const Vector2& rangeEnd, u32 count, GUIWindow* parent)
    : GUIWindow(services, state, position, size, modelName, parent)
{
    Initialise(vertical, rangeStart, rangeEnd, count);
}

GUISlider::GUISlider(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const Model* model, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
                     u32 count, GUIWindow* parent)
    : GUIWindow(services, state, position, size, model, parent)
{
    Initialise(vertical, rangeStart, rangeEnd, count);
}

// The toddler leaves this window before the window itself goes.
GUISlider::~GUISlider() { m_toddler.reset(); }

void GUISlider::Initialise(bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count)
{
    m_vertical = vertical ? 1 : 0;
    m_rangeStart = rangeStart;
    m_rangeEnd = rangeEnd;
    m_count = std::max(count, 2u);
    m_position = 0;
    GUISlider::CreateToddler(Vector2(), static_cast<const Model*>(nullptr));
}

u32 GUISlider::PartStateBits() const { return StateVisible | (GetStateBits() & StateColored); }

void GUISlider::CreateToddler(const Vector2& size, const std::string& modelName)
{
    m_toddler.reset();
    AdoptToddler(std::make_unique<GUIButton>(Services(), PartStateBits(), m_rangeStart,
                                             TrackCover(size), modelName, this),
                 size);
}

void GUISlider::CreateToddler(const Vector2& size, const Model* model)
{
    m_toddler.reset();
    AdoptToddler(std::make_unique<GUIButton>(Services(), PartStateBits(), m_rangeStart,
                                             TrackCover(size), model, this),
                 size);
}

void GUISlider::CreateToddler(const Vector2& size, const ShaderDescriptor* shader, const Vector2& textureExtent)
{
    m_toddler.reset();
    AdoptToddler(std::make_unique<GUIButton>(Services(), PartStateBits(), m_rangeStart,
                                             TrackCover(size), shader, this, textureExtent),
                 size);
}

// A disabled slider's new toddler is disabled too.
void GUISlider::AdoptToddler(std::unique_ptr<GUIButton> toddler, const Vector2& size)
{
    m_toddlerSize = size;
    m_toddler = std::move(toddler);
    m_toddler->SetPlaceModel(false);
    m_toddler->SetSounds(GUISoundManager::SliderHover, GUISoundManager::SliderPress);
    m_toddler->SetEnabled(m_sliderState != Disabled);
    SetPosition(m_position);
}

// The toddler button's size: the toddler plus the track, so that its rectangle covers every position.
Vector2 GUISlider::TrackCover(const Vector2& toddlerSize) const
{
    return Plus(toddlerSize, Minus(m_rangeEnd, m_rangeStart));
}

void GUISlider::SetRangeStart(const Vector2& point)
{
    m_rangeStart = point;
    PlaceToddlerButton();
}

void GUISlider::SetRangeEnd(const Vector2& point)
{
    m_rangeEnd = point;
    PlaceToddlerButton();
}

void GUISlider::SetToddlerSize(const Vector2& size)
{
    m_toddlerSize = size;
    PlaceToddlerButton();
}

void GUISlider::PlaceToddlerButton()
{
    if (m_toddler == nullptr)
        return;
    m_toddler->SetRelativePosition(m_rangeStart);
    m_toddler->SetSize(TrackCover(m_toddlerSize));
}

void GUISlider::SetPosition(u32 position) { m_position = std::min(position, m_count - 1); }

void GUISlider::SetCount(u32 count)
{
    if (count == m_count)
        return;
    m_count = std::max(count, 2u);
    SetPosition(m_position);
}

bool GUISlider::HandleMouse(const Vector2& position, bool down, bool pressed)
{
    if (!GUIWindow::HandleMouse(position, down, pressed))
        return false;
    if (m_toddler == nullptr || !m_toddler->HandleMouse(position, down, pressed) || m_sliderState == Disabled)
        return false;
    m_sliderState = IsMouseOver() ? MouseOver : Normal;
    if (m_toddler->IsPressing())
        DragTo(position);
    return true;
}

// The position becomes the step nearest to the toddler's centre under the mouse; halves round up.
void GUISlider::DragTo(const Vector2& position)
{
    const Vector2 origin = GetAbsolutePosition();
    const f32 pointer = m_vertical != 0 ? position.y - origin.y - m_rangeStart.y : position.x - origin.x - m_rangeStart.x;
    const f32 length = m_vertical != 0 ? m_rangeEnd.y - m_rangeStart.y : m_rangeEnd.x - m_rangeStart.x;
    const f32 extent = m_vertical != 0 ? m_toddlerSize.y : m_toddlerSize.x;
    f32 t = (pointer - extent * 0.5f) / std::max(length, 1.0f);
    t = std::clamp(t, 0.0f, 1.0f);
    if (m_reversed != 0)
        t = 1.0f - t;
    const f32 v = static_cast<f32>(m_count - 1) * t;
    const f32 whole = std::floor(v);
    SetPosition(static_cast<u32>(v - whole < 0.5f ? whole : whole + 1.0f));
}

bool GUISlider::Render()
{
    if (!GUIWindow::Render())
        return false;
    if (m_toddler == nullptr)
        return true;
    if (m_toddler->GetModel() != nullptr)
    {
        f32 t = static_cast<f32>(m_position) / static_cast<f32>(m_count - 1);
        if (m_reversed != 0)
            t = 1.0f - t;
        const Vector2 track = Minus(m_rangeEnd, m_rangeStart);
        const Vector2 offset(m_rangeStart.x + track.x * t, m_rangeStart.y + track.y * t);
        const Vector2 place = Plus(GetAbsolutePosition(), offset);
        PlaceModel(m_toddler->GetModel(), place, m_toddlerSize, m_toddler->GetBaseMatrix());
    }
    m_toddler->Render();
    return true;
}

void GUISlider::SetColor(const Color& color)
{
    GUIWindow::SetColor(color);
    if (m_toddler != nullptr)
        m_toddler->SetColor(color);
}

void GUISlider::UpdateVisibility()
{
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (IsVisible() && !wasVisible && m_sliderState != Disabled)
        m_sliderState = Normal;
}

void GUISlider::SetEnabled(bool enabled)
{
    if ((m_sliderState != Disabled) == enabled)
        return;
    m_sliderState = enabled ? Normal : Disabled;
    if (m_toddler != nullptr)
        m_toddler->SetEnabled(enabled);
}

bool GUISlider::IsDragging() const { return m_toddler != nullptr && m_toddler->IsPressing(); }
}
