// The fake clock keeps one counter and derives the millisecond clock from it (wrapping like a tick count).
#include "tests/support/FakeClock.h"

#include "tests/support/EngineCallJournal.h"

#include <atomic>
#include <string>

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
    m_source.sleep = &FakeClock::Sleep;
    Platform::SetTimeSource(&m_source);
}

FakeClock::~FakeClock() { Platform::SetTimeSource(nullptr); }

void FakeClock::AdvanceSeconds(double seconds) { g_counter += static_cast<std::int64_t>(seconds * kFrequency); }

void FakeClock::SetMilliseconds(std::uint32_t ms)
{
    g_msOffset = ms - static_cast<std::uint32_t>(g_counter.load() / 1000);
}

void FakeClock::SetCounter(std::int64_t count) { g_counter = count; }

std::int64_t FakeClock::Counter()
{
    EngineCallJournal::Note("clock counter");
    return g_counter.load();
}

std::uint32_t FakeClock::Milliseconds()
{
    EngineCallJournal::Note("clock milliseconds");
    return static_cast<std::uint32_t>(g_counter.load() / 1000) + g_msOffset.load();
}

void FakeClock::Sleep(std::uint32_t milliseconds)
{
    EngineCallJournal::Note("sleep " + std::to_string(milliseconds));
    g_counter += static_cast<std::int64_t>(milliseconds) * (kFrequency / 1000);
}
}
