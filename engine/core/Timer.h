// Seconds since a settable zero, on the performance counter or the millisecond clock, with pause.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
class Timer
{
public:
    Timer(f32 startSeconds, u8 usePerformanceCounter);
    virtual ~Timer() = default;

    f32 GetTime() const;
    // The same reading in double precision, taken from the raw counts: long sessions keep full accuracy.
    f64 GetPreciseTime() const;
    void SetTime(f32 seconds);
    void Pause(u8 pause);

    bool IsPaused() const { return m_paused != 0; }
    bool UsesPerformanceCounter() const { return m_usePerformanceCounter != 0; }

private:
    static i64 Counter();

    u8 m_usePerformanceCounter = 0;
    u8 m_paused = 0;
    i64 m_frequency = 1;
    i64 m_zeroCount = 0;
    i64 m_pauseCount = 0;
    u32 m_zeroMs = 0;
    u32 m_pauseMs = 0;
};
}
