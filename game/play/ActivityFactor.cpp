// The play's activity factor.
#include "game/play/ActivityFactor.h"

#include <algorithm>

namespace Korvane
{
ActivityFactor::ActivityFactor(f32 start) : m_value(std::clamp(start, 0.0f, 1.0f)), m_stopped(m_value < StopThreshold) {}

bool ActivityFactor::Update(bool playing, f32 dt)
{
    m_value = std::clamp(m_value + (playing ? dt : -dt), 0.0f, 1.0f);
    const bool stopped = m_value < StopThreshold;
    if (stopped == m_stopped)
        return false;
    m_stopped = stopped;
    return true;
}
}
