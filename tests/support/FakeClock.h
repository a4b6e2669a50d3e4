// A clock the test advances by hand; installed as the platform's time source while it lives. Its reads and
// sleeps are noted in the engine call journal.
#pragma once

#include "platform/win32/Time.h"

#include <cstdint>

namespace TestSupport
{
class FakeClock
{
public:
    static constexpr std::int64_t kFrequency = 1000000; // counts per second: one count is a microsecond

    FakeClock();
    ~FakeClock();

    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void AdvanceSeconds(double seconds);
    void SetMilliseconds(std::uint32_t ms);
    void SetCounter(std::int64_t count);

private:
    static std::int64_t Counter();
    static std::uint32_t Milliseconds();
    // Sleeping moves the clock on at once.
    static void Sleep(std::uint32_t milliseconds);

    Platform::TimeSource m_source;
};
}
