// Clock and sleep with the Win32 names the timers and the engine use, over the monotonic clock.
#pragma once

#include <cstdint>

// Milliseconds of the monotonic clock since boot (wraps like the Win32 tick count).
std::uint32_t GetTickCount();
std::uint32_t timeGetTime();

// The multimedia timer has no period to offer here: the frame timer falls back to the performance counter.
struct TIMECAPS
{
    std::uint32_t wPeriodMin = 0;
    std::uint32_t wPeriodMax = 0;
};
constexpr std::uint32_t TIMERR_NOERROR = 0;
constexpr std::uint32_t TIMERR_NOCANDO = 97;
std::uint32_t timeGetDevCaps(TIMECAPS* caps, std::uint32_t size);
std::uint32_t timeBeginPeriod(std::uint32_t period);
std::uint32_t timeEndPeriod(std::uint32_t period);

bool QueryPerformanceCounter(std::int64_t* count);
bool QueryPerformanceFrequency(std::int64_t* frequency);

void Sleep(std::uint32_t milliseconds);

namespace Platform
{
// Tests replace the clock so that timing is exact and needs no sleeping; null restores the real clock.
// A source without its own sleep leaves Sleep waiting for real.
struct TimeSource
{
    std::int64_t (*counter)() = nullptr;
    std::int64_t frequency = 0;
    std::uint32_t (*milliseconds)() = nullptr;
    void (*sleep)(std::uint32_t milliseconds) = nullptr;
};
void SetTimeSource(const TimeSource* source);
}
