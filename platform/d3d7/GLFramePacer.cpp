// Frame pacing after the swap: detecting a swap that does not wait, then sleeping out the rest of each period.
#include "platform/d3d7/GLFramePacer.h"

#include <chrono>
#include <thread>

namespace Platform
{
namespace
{
constexpr int DefaultRefreshRate = 60;
// A swap that waits leaves frames a period apart; one this much shorter means it did not wait.
constexpr double ShortFrameShare = 0.75;
}

GLFramePacer::GLFramePacer(Clock now, Sleeper sleep) : m_now(std::move(now)), m_sleep(std::move(sleep)) {}

void GLFramePacer::Forget()
{
    m_lastPresent = -1.0;
    m_shortFrames = 0;
    m_holding = false;
}

void GLFramePacer::AfterPresent(bool waitForVerticalBlank, int refreshRate)
{
    if (!waitForVerticalBlank)
    {
        Forget();
        return;
    }
    const double period = 1.0 / (refreshRate > 0 ? refreshRate : DefaultRefreshRate);
    const double now = m_now();
    if (m_lastPresent < 0.0)
    {
        m_lastPresent = now;
        return;
    }
    const double elapsed = now - m_lastPresent;
    if (!m_holding)
    {
        m_shortFrames = elapsed < period * ShortFrameShare ? m_shortFrames + 1 : 0;
        m_holding = m_shortFrames >= ShortFramesToHold;
    }
    if (!m_holding || elapsed >= period)
    {
        m_lastPresent = now;
        return;
    }
    m_sleep(period - elapsed);
    // The next period counts from where this one should have ended, so sleeps that overshoot do not add up.
    m_lastPresent += period;
}

GLFramePacer& GLFramePacer::Shared()
{
    static GLFramePacer pacer(
        [] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        },
        [](double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); });
    return pacer;
}
}
