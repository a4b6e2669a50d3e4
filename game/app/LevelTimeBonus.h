// The time bonus of a finished level: every whole second the player was faster than the level's ace time is
// worth 20 points, counted up at 18 seconds per second after a short pause once the bonus text has appeared.
// Kept apart from the window so the arithmetic is plain: no unsigned wrap for a negative ace time and no
// overflow for a huge one.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::i64;
using VelkorEngine::u32;

class LevelTimeBonus
{
public:
    static constexpr f32 CountDelay = 0.2f;
    static constexpr f32 SecondsCountedPerSecond = 18.0f;
    static constexpr u32 PointsPerSecond = 20;
    // Ten hours: no level is meant to take longer, and the bonus stays well inside a u32.
    static constexpr u32 LongestAceTime = 36000;

    // m:ss of the whole seconds of a time; a negative time shows as 0:00.
    static std::wstring FormatTime(f32 seconds);
    static u32 WholeSeconds(f32 seconds);
    // A negative ace time from the level list is no ace time at all.
    static u32 ClampAceTime(i64 aceTime);

    // Starts a new count.
    void Start(u32 aceSeconds, f32 levelTime);
    // One frame; the clock runs only while the bonus text is fully shown. Returns the points added this frame.
    u32 Advance(f32 frameTime, bool textAppeared);

    bool HasBonus() const { return m_savedSeconds > 0; }
    u32 GetShown() const { return m_shown; }
    u32 GetFullBonus() const { return m_savedSeconds * PointsPerSecond; }

private:
    u32 m_savedSeconds = 0;
    f32 m_clock = 0.0f;
    u32 m_shown = 0;
};
}
