// The scroll bar: the slider's drag plus two step buttons with repeat.
#include "engine/gui/GUIScroll.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUISoundManager.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// Held step buttons repeat at this interval, in seconds.
constexpr f32 kRepeatInterval = 0.15f;
constexpr f32 kRepeatThreshold = 0.0001f;
}

GUIScroll::GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart,
                     const Vector2& rangeEnd, u32 count, GUIWindow* parent, const Vector2& textureExtent)
    : GUISlider(services, state, position, size, shader, vertical, rangeStart, rangeEnd, count, parent, textureExtent)
{
    DressToddler();
}

GUIScroll::GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const std::string& modelName, bool vertical, const Vector2& rangeStart,
                     const Vector2& rangeEnd, u32 count, GUIWindow* parent)
    : GUISlider(services, state, position, size, modelName, vertical, rangeStart, rangeEnd, count, parent)
{
    DressToddler();
}

GUIScroll::GUIScroll(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const Model* model, bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd,
                     u32 count, GUIWindow* parent)
    : GUISlider(services, state, position, size, model, vertical, rangeStart, rangeEnd, count, parent)
{
    DressToddler();
}

// The buttons leave this window before the window itself goes.
GUIScroll::~GUIScroll()
{
    m_increase.reset();
    m_decrease.reset();
}

// The scroll bar's toddler lies above its buttons and has sounds of its own.
void GUIScroll::DressToddler()
{
    GUIButton* toddler = GetToddler();
    if (toddler == nullptr)
        return;
    toddler->SetLayer(2);
    toddler->SetSounds(GUISoundManager::ScrollThumbHover, GUISoundManager::ScrollThumbPress);
}

void GUIScroll::CreateToddler(const Vector2& size, const std::string& modelName)
{
    GUISlider::CreateToddler(size, modelName);
    DressToddler();
}

void GUIScroll::CreateToddler(const Vector2& size, const Model* model)
{
    GUISlider::CreateToddler(size, model);
    DressToddler();
}

void GUIScroll::CreateToddler(const Vector2& size, const ShaderDescriptor* shader, const Vector2& textureExtent)
{
    GUISlider::CreateToddler(size, shader, textureExtent);
    DressToddler();
}

void GUIScroll::CreateIncreaseButton(const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                                     const Vector2& textureExtent)
{
    m_increase.reset();
    AdoptStepButton(m_increase,
                    std::make_unique<GUIButton>(Services(), PartStateBits(), position, size, shader, this, textureExtent));
}

void GUIScroll::CreateIncreaseButton(const Vector2& position, const Vector2& size, const Model* model)
{
    m_increase.reset();
    AdoptStepButton(m_increase, std::make_unique<GUIButton>(Services(), PartStateBits(), position, size, model, this));
}

void GUIScroll::CreateDecreaseButton(const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                                     const Vector2& textureExtent)
{
    m_decrease.reset();
    AdoptStepButton(m_decrease,
                    std::make_unique<GUIButton>(Services(), PartStateBits(), position, size, shader, this, textureExtent));
}

void GUIScroll::CreateDecreaseButton(const Vector2& position, const Vector2& size, const Model* model)
{
    m_decrease.reset();
    AdoptStepButton(m_decrease, std::make_unique<GUIButton>(Services(), PartStateBits(), position, size, model, this));
}

// A disabled scroll bar's new button is disabled too.
void GUIScroll::AdoptStepButton(std::unique_ptr<GUIButton>& slot, std::unique_ptr<GUIButton> button)
{
    slot = std::move(button);
    slot->SetSounds(GUISoundManager::ScrollStepHover, GUISoundManager::ScrollStepPress);
    slot->SetEnabled(IsEnabled());
}

bool GUIScroll::HandleMouse(const Vector2& position, bool down, bool pressed)
{
    if (!GUISlider::HandleMouse(position, down, pressed))
    {
        m_repeatTime = 0.0f;
        return false;
    }
    for (GUIButton* button : {m_increase.get(), m_decrease.get()})
        if (button != nullptr)
            button->HandleMouse(position, down, pressed);
    const bool increase = m_increase != nullptr && m_increase->IsPressing() && m_increase->IsMouseOver();
    const bool decrease = m_decrease != nullptr && m_decrease->IsPressing() && m_decrease->IsMouseOver();
    if (!increase && !decrease)
    {
        m_repeatTime = 0.0f;
        return true;
    }
    m_repeatTime += Services().timers->GetFrameTime();
    // A frame time that is not a number would never run out.
    if (!std::isfinite(m_repeatTime))
        m_repeatTime = kRepeatInterval;
    while (m_repeatTime > kRepeatThreshold)
    {
        m_repeatTime -= kRepeatInterval;
        Repeat(increase);
    }
    return true;
}

void GUIScroll::Repeat(bool increase)
{
    const u32 position = GetPosition();
    const u32 last = GetCount() - 1;
    if (increase)
        SetPosition(last - position > m_step ? position + m_step : last);
    else
        SetPosition(position > m_step ? position - m_step : 0);
}

bool GUIScroll::Render()
{
    if (!GUISlider::Render())
        return false;
    for (GUIButton* button : {m_increase.get(), m_decrease.get()})
        if (button != nullptr)
            button->Render();
    return true;
}

void GUIScroll::SetColor(const Color& color)
{
    GUISlider::SetColor(color);
    for (GUIButton* button : {m_increase.get(), m_decrease.get()})
        if (button != nullptr)
            button->SetColor(color);
}

void GUIScroll::SetEnabled(bool enabled)
{
    GUISlider::SetEnabled(enabled);
    for (GUIButton* button : {m_increase.get(), m_decrease.get()})
        if (button != nullptr)
            button->SetEnabled(enabled);
}

bool GUIScroll::IsDragging() const
{
    return GUISlider::IsDragging() || (m_increase != nullptr && m_increase->IsPressing()) ||
           (m_decrease != nullptr && m_decrease->IsPressing());
}
}
