// A fake clock with a timer manager on it, for tests that step animations by exact frame times.
#pragma once

#include "engine/core/TimerManager.h"
#include "tests/support/FakeClock.h"

namespace TestSupport
{
class AnimationClock
{
public:
    AnimationClock() = default;

    // Ends a frame of the given length (0.001 to 0.1 seconds; the timer manager clamps anything else).
    void Step(double seconds);
    // Steps the same frame length several times, calling the given update after each.
    template <typename Update>
    void Run(int frames, double seconds, Update&& update)
    {
        for (int i = 0; i < frames; ++i)
        {
            Step(seconds);
            update();
        }
    }

    VelkorEngine::TimerManager* Timers() { return &m_timers; }

private:
    FakeClock m_clock;
    VelkorEngine::TimerManager m_timers;
};
}
