// A timer reads its clock as an offset from its zero; pausing freezes the reading and resuming shifts the zero.
#include "engine/core/Timer.h"

#include "platform/win32/Time.h"

namespace VelkorEngine
{
Timer::Timer(f32 startSeconds, u8 usePerformanceCounter) : m_usePerformanceCounter(usePerformanceCounter)
{
    if (m_usePerformanceCounter)
    {
        QueryPerformanceFrequency(&m_frequency);
        if (m_frequency <= 0)
            m_frequency = 1;
    }
    SetTime(startSeconds);
}

i64 Timer::Counter()
{
    i64 count = 0;
    QueryPerformanceCounter(&count);
    return count;
}

f64 Timer::GetPreciseTime() const
{
    if (m_usePerformanceCounter)
    {
        const i64 now = m_paused ? m_pauseCount : Counter();
        return static_cast<f64>(now - m_zeroCount) / static_cast<f64>(m_frequency);
    }
    const u32 now = m_paused ? m_pauseMs : timeGetTime();
    return static_cast<f64>(static_cast<u32>(now - m_zeroMs)) * 0.001;
}

f32 Timer::GetTime() const { return static_cast<f32>(GetPreciseTime()); }

void Timer::SetTime(f32 seconds)
{
    if (m_usePerformanceCounter)
        m_zeroCount = Counter() - static_cast<i64>(static_cast<f64>(m_frequency) * seconds);
    else
        m_zeroMs = timeGetTime() - static_cast<u32>(static_cast<i64>(static_cast<f64>(seconds) * 1000.0));
    m_paused = 0;
}

void Timer::Pause(u8 pause)
{
    if (pause == m_paused)
        return;
    m_paused = pause;
    if (m_usePerformanceCounter)
    {
        if (pause)
            m_pauseCount = Counter();
        else
            m_zeroCount += Counter() - m_pauseCount;
    }
    else
    {
        if (pause)
            m_pauseMs = timeGetTime();
        else
            m_zeroMs += timeGetTime() - m_pauseMs;
    }
}
}
