// Holds presentation to the display's refresh rate when a swap asked to wait for the vertical blank does not
// (software GL, an offscreen or virtual display): without it such a loop runs hundreds of frames a second and
// burns whole cores, so "vsync on" would not mean what it says. Where the swap does wait, frames already come a
// refresh period apart and the pacer never sleeps.
#pragma once

#include <functional>

namespace Platform
{
class GLFramePacer
{
public:
    // Seconds on a monotonic clock, and a sleep of that many seconds.
    using Clock = std::function<double()>;
    using Sleeper = std::function<void(double)>;

    GLFramePacer(Clock now, Sleeper sleep);

    // After each presentation: whether it asked to wait for the vertical blank, and the display's refresh rate
    // in hertz (0 when unknown, taken as 60).
    void AfterPresent(bool waitForVerticalBlank, int refreshRate);
    bool IsHolding() const { return m_holding; }

    // The process's pacer on the real clock.
    static GLFramePacer& Shared();

private:
    // Frames in a row that came too soon before the swap is taken as not waiting.
    static constexpr int ShortFramesToHold = 3;

    void Forget();

    Clock m_now;
    Sleeper m_sleep;
    double m_lastPresent = -1.0;
    int m_shortFrames = 0;
    bool m_holding = false;
};
}
