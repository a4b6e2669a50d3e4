// Owns every timer and the frame timer; once per frame measures the frame time and the frames per second.
#pragma once

#include "engine/core/SlotTable.h"
#include "engine/core/Timer.h"
#include "engine/core/Types.h"

namespace VelkorEngine
{
class TimerManager
{
public:
    TimerManager();
    virtual ~TimerManager();

    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    Timer* CreateTimer(f32 startSeconds, u8 usePerformanceCounter);
    void DeleteTimer(Timer* timer);
    void Update();

    f32 GetFrameTime() const { return m_frameTime; }
    u32 GetFPS() const { return m_fps; }
    Timer* GetFrameTimer() const { return m_frameTimer; }

private:
    u32 m_timerPeriod = 0;
    SlotTable<Timer> m_timers;
    Timer* m_frameTimer = nullptr;
    f64 m_lastTime = 0.0;
    f32 m_frameTime = 0.0f;
    u32 m_fps = 0;
    u32 m_frameCount = 0;
    f64 m_secondAccumulator = 0.0;
};
}
