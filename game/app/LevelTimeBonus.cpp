// Time formatting and the counted time bonus.
#include "game/app/LevelTimeBonus.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Korvane
{
std::wstring LevelTimeBonus::FormatTime(f32 seconds)
{
    const u32 whole = WholeSeconds(seconds);
    wchar_t text[32];
    std::swprintf(text, 32, L"%u:%02u", whole / 60, whole % 60);
    return text;
}

u32 LevelTimeBonus::WholeSeconds(f32 seconds)
{
    if (!(seconds > 0.0f))
        return 0;
    if (seconds >= 4294967295.0f)
        return 4294967295u;
    return static_cast<u32>(seconds);
}

u32 LevelTimeBonus::ClampAceTime(i64 aceTime)
{
    return static_cast<u32>(std::clamp<i64>(aceTime, 0, LongestAceTime));
}

void LevelTimeBonus::Start(u32 aceSeconds, f32 levelTime)
{
    const u32 ace = std::min(aceSeconds, LongestAceTime);
    const u32 whole = WholeSeconds(levelTime);
    m_savedSeconds = whole < ace ? ace - whole : 0;
    m_clock = 0.0f;
    m_shown = 0;
}

u32 LevelTimeBonus::Advance(f32 frameTime, bool textAppeared)
{
    if (!HasBonus())
        return 0;
    if (textAppeared)
        m_clock += frameTime;
    const double counting = std::max(0.0, static_cast<double>(m_clock) - CountDelay);
    const double counted = std::min(static_cast<double>(m_savedSeconds), counting * SecondsCountedPerSecond);
    const u32 bonus = static_cast<u32>(counted * PointsPerSecond);
    const u32 delta = bonus > m_shown ? bonus - m_shown : 0;
    m_shown = std::max(bonus, m_shown);
    return delta;
}
}
