// Frame steps on the fake clock.
#include "tests/support/AnimationClock.h"

namespace TestSupport
{
void AnimationClock::Step(double seconds)
{
    m_clock.AdvanceSeconds(seconds);
    m_timers.Update();
}
}
