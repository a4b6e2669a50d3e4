// Monotonic clock over SDL's performance counter and clock_gettime; a test may substitute its own source.
#include "platform/win32/Time.h"

#include <SDL.h>

#include <atomic>
#include <ctime>

namespace
{
std::atomic<const Platform::TimeSource*> g_source{nullptr};

std::uint32_t MonotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}
}

namespace Platform
{
void SetTimeSource(const TimeSource* source) { g_source.store(source); }
}

std::uint32_t GetTickCount()
{
    const Platform::TimeSource* source = g_source.load();
    if (source && source->milliseconds)
        return source->milliseconds();
    return MonotonicMilliseconds();
}

std::uint32_t timeGetTime() { return GetTickCount(); }

std::uint32_t timeGetDevCaps(TIMECAPS*, std::uint32_t) { return TIMERR_NOCANDO; }
std::uint32_t timeBeginPeriod(std::uint32_t) { return TIMERR_NOCANDO; }
std::uint32_t timeEndPeriod(std::uint32_t) { return TIMERR_NOCANDO; }

bool QueryPerformanceCounter(std::int64_t* count)
{
    const Platform::TimeSource* source = g_source.load();
    *count = (source && source->counter) ? source->counter() : static_cast<std::int64_t>(SDL_GetPerformanceCounter());
    return true;
}

bool QueryPerformanceFrequency(std::int64_t* frequency)
{
    const Platform::TimeSource* source = g_source.load();
    *frequency = (source && source->frequency > 0) ? source->frequency : static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
    return true;
}

void Sleep(std::uint32_t milliseconds)
{
    const Platform::TimeSource* source = g_source.load();
    if (source && source->sleep)
        source->sleep(milliseconds);
    else
        SDL_Delay(milliseconds);
}
