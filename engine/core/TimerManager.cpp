// Timer slots with a first-in-first-out free list, and the per-frame time measurement with its clamps.
#include "engine/core/TimerManager.h"

#include "platform/win32/Time.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr f32 kShortestFrame = 0.001f;
constexpr f32 kLongestFrame = 0.1f;
}

TimerManager::TimerManager()
{
    TIMECAPS caps;
    if (timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR)
    {
        m_timerPeriod = caps.wPeriodMin;
        timeBeginPeriod(m_timerPeriod);
    }
    m_frameTimer = CreateTimer(0.0f, m_timerPeriod == 0 ? 1 : 0);
}

TimerManager::~TimerManager()
{
    m_timers.Clear();
    if (m_timerPeriod != 0)
        timeEndPeriod(m_timerPeriod);
}

Timer* TimerManager::CreateTimer(f32 startSeconds, u8 usePerformanceCounter)
{
    return m_timers.Add(std::make_unique<Timer>(startSeconds, usePerformanceCounter));
}

// A timer this manager does not hold is left alone rather than freed twice.
void TimerManager::DeleteTimer(Timer* timer)
{
    m_timers.Remove(timer);
}

// The frame time comes from double-precision readings of the raw counts, so it stays exact after hours of
// play; it is narrowed to f32 only when stored for the rest of the engine.
void TimerManager::Update()
{
    const f64 now = m_frameTimer->GetPreciseTime();
    const f64 elapsed = now - m_lastTime;
    m_lastTime = m_frameTimer->GetPreciseTime();

    m_secondAccumulator += elapsed;
    ++m_frameCount;
    if (m_secondAccumulator >= 1.0)
    {
        m_secondAccumulator -= 1.0;
        m_fps = m_frameCount;
        m_frameCount = 0;
    }

    f32 frameTime = static_cast<f32>(elapsed);
    if (!(frameTime > kShortestFrame))
        frameTime = kShortestFrame;
    if (frameTime >= kLongestFrame)
        frameTime = kLongestFrame;
    m_frameTime = frameTime;
}
}
