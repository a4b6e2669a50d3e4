// How fast play runs, from 1 (full speed) down to 0 (standing still): it falls by the frame time while the game
// is paused or over and rises by it while the game is played, so play slows to a stop within a second and comes
// back within a second. The play objects are told to stop or go on only when it crosses the threshold.
#pragma once

#include "engine/core/Types.h"

namespace Korvane
{
using VelkorEngine::f32;

class ActivityFactor
{
public:
    // Below this the play objects stand still.
    static constexpr f32 StopThreshold = 0.0001f;

    explicit ActivityFactor(f32 start = 1.0f);

    // One frame; true when the factor crossed the threshold, either way. Whether it counts as stopped is kept
    // as a flag, so that a factor that lands exactly on the threshold and then goes below is not missed.
    bool Update(bool playing, f32 dt);

    f32 GetValue() const { return m_value; }
    bool IsStopped() const { return m_stopped; }

private:
    f32 m_value = 1.0f;
    bool m_stopped = false;
};
}
