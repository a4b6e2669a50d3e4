// The platform clock: milliseconds since boot (so seeds differ between runs), the performance counter, and
// the replaceable time source the timer tests use.
#include "platform/win32/Time.h"

#include <gtest/gtest.h>

#include <ctime>

namespace
{
std::uint32_t MonotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

std::int64_t FakeCounter() { return 42; }
std::uint32_t FakeMilliseconds() { return 7; }
}

TEST(PlatformTime, TickCountIsTheMillisecondsSinceBoot)
{
    const std::uint32_t before = MonotonicMilliseconds();
    const std::uint32_t ticks = GetTickCount();
    const std::uint32_t after = MonotonicMilliseconds();
    // Differences in unsigned arithmetic stay right across the 49-day wrap.
    EXPECT_LE(ticks - before, after - before);
    const std::uint32_t multimedia = timeGetTime();
    EXPECT_LE(multimedia - ticks, MonotonicMilliseconds() - before);
}

TEST(PlatformTime, PerformanceCounterRunsForward)
{
    std::int64_t frequency = 0;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency, 0);
    std::int64_t first = 0;
    std::int64_t second = 0;
    QueryPerformanceCounter(&first);
    QueryPerformanceCounter(&second);
    EXPECT_GE(second, first);
}

TEST(PlatformTime, ReplacedSourceAnswersUntilRemoved)
{
    const Platform::TimeSource source{FakeCounter, 1000, FakeMilliseconds};
    Platform::SetTimeSource(&source);
    std::int64_t count = 0;
    std::int64_t frequency = 0;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    EXPECT_EQ(count, 42);
    EXPECT_EQ(frequency, 1000);
    EXPECT_EQ(GetTickCount(), 7u);
    Platform::SetTimeSource(nullptr);
    const std::uint32_t before = MonotonicMilliseconds();
    EXPECT_LE(GetTickCount() - before, 1000u);
}
