// Growth, rise and fade of one floating text.
#include "game/app/GUIGameLogicText.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace Korvane
{
namespace
{
// Split at line feeds, which are not kept; a closing line feed gives no empty last line.
std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstring::size_type start = 0;
    while (start < text.size())
    {
        const std::wstring::size_type end = text.find(L'\n', start);
        if (end == std::wstring::npos)
        {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A centre that keeps a span of twice the half extent within [0, length].
f32 ClampCentre(f32 centre, f32 halfExtent, f32 length)
{
    if (halfExtent * 2.0f >= length)
        return length * 0.5f;
    return std::clamp(centre, halfExtent, length - halfExtent);
}
}

GUIGameLogicText::GUIGameLogicText(VelkorEngine::Engine* engine, const VelkorEngine::Vector2& position,
                                   const std::wstring& text, i32 fontIndex, VelkorEngine::GUIWindow* window)
    : m_timerManager(engine->GetTimerManager()), m_fontManager(engine->GetGUIManager()->GetFontManager()),
      m_fontIndex(fontIndex), m_position(position), m_lines(SplitLines(text)), m_window(window)
{
}

void GUIGameLogicText::Update()
{
    m_age += m_timerManager->GetFrameTime();
    QueueLines(LookAtAge());
}

GUIGameLogicText::Look GUIGameLogicText::LookAtAge()
{
    Look look;
    const f32 growth = std::min(m_age, GrowTime) / GrowTime;
    look.height = growth * FullHeight;
    look.opacity = growth;
    f32 t = m_age - GrowTime;
    if (t <= 0.0f)
        return look;
    look.rise = t * RiseSpeed;
    t -= HoldTime;
    if (t <= 0.0f)
        return look;
    look.opacity = 1.0f - std::min(t, FadeTime) / FadeTime;
    t -= FadeTime;
    if (t > 0.0f)
        m_alive = 0;
    return look;
}

void GUIGameLogicText::KeepInside(const VelkorEngine::Vector2& screenSize)
{
    f32 widest = 0.0f;
    for (const std::wstring& line : m_lines)
        widest = std::max(widest, MeasureWidth(line, FullHeight));
    const f32 halfHeight = static_cast<f32>(m_lines.size()) * FullHeight * 0.5f;
    m_position.x = ClampCentre(m_position.x, widest * 0.5f, screenSize.x);
    m_position.y = ClampCentre(m_position.y, halfHeight, screenSize.y);
}

f32 GUIGameLogicText::MeasureWidth(const std::wstring& line, f32 height) const
{
    const VelkorEngine::GUIFont* font = m_fontIndex < 0
                                            ? nullptr
                                            : m_fontManager->GetFont(static_cast<VelkorEngine::u32>(m_fontIndex));
    return font ? font->GetTextSize(line, 0.0f, height).x : 0.0f;
}

void GUIGameLogicText::QueueLines(const Look& look)
{
    const f32 count = static_cast<f32>(m_lines.size());
    const VelkorEngine::Color color(1.0f, 1.0f, 1.0f, look.opacity);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
    {
        const f32 x = m_position.x - MeasureWidth(m_lines[i], look.height) * 0.5f;
        const f32 y = m_position.y + (count - static_cast<f32>(i) - 1.0f) * look.height - count * look.height * 0.5f +
                      look.rise;
        m_window->AddText(0, m_fontIndex, VelkorEngine::Vector2(x, y), color, m_lines[i], 0.0f, look.height);
    }
}
}
