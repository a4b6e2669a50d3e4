// The fake clock keeps one counter and derives the millisecond clock from it (wrapping like a tick count).
#include "tests/support/FakeClock.h"

#include <atomic>

namespace TestSupport
{
namespace
{
std::atomic<std::int64_t> g_counter{0};
std::atomic<std::uint32_t> g_msOffset{0};
}

FakeClock::FakeClock()
{
    g_counter = 0;
    g_msOffset = 0;
    m_source.counter = &FakeClock::Counter;
    m_source.frequency = kFrequency;
    m_source.milliseconds = &FakeClock::Milliseconds;
    Platform::SetTimeSource(&m_source);
}

FakeClock::~FakeClock() { Platform::SetTimeSource(nullptr); }

void FakeClock::AdvanceSeconds(double seconds) { g_counter += static_cast<std::int64_t>(seconds * kFrequency); }

void FakeClock::SetMilliseconds(std::uint32_t ms)
{
    g_msOffset = ms - static_cast<std::uint32_t>(g_counter.load() / 1000);
}

void FakeClock::SetCounter(std::int64_t count) { g_counter = count; }

std::int64_t FakeClock::Counter() { return g_counter.load(); }

std::uint32_t FakeClock::Milliseconds()
{
    return static_cast<std::uint32_t>(g_counter.load() / 1000) + g_msOffset.load();
}
}
