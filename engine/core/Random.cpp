// The one generator. Its seed is atomic so that a draw from the loading thread can never tear it; the
// sequence seen by a single thread is the plain congruential one.
#include "engine/core/Random.h"

#include <atomic>

namespace VelkorEngine
{
namespace
{
std::atomic<u32> g_seed{0};

u32 NextSeed(u32 seed)
{
    return seed * 1103515245u + 12345u;
}
}

void SeedRandom(u32 value)
{
    g_seed.store(value, std::memory_order_relaxed);
}

u32 Random()
{
    u32 seed = g_seed.load(std::memory_order_relaxed);
    while (!g_seed.compare_exchange_weak(seed, NextSeed(seed), std::memory_order_relaxed))
    {
    }
    return (NextSeed(seed) >> 16) & 0x7fffu;
}

// A divisor of 0 means the whole u32 range (lo = 0, hi = 0xffffffff) or an empty one; both take the
// draw as it is instead of dividing by zero.
u32 RandomInt(u32 lo, u32 hi)
{
    const u32 divisor = hi - lo + 1u;
    const u32 draw = Random();
    return lo + (divisor == 0 ? draw : draw % divisor);
}

u32 RandomIndex(u32 n)
{
    const u32 draw = Random();
    return n == 0 ? 0 : draw % n;
}

f32 RandomFloat()
{
    return static_cast<f32>(static_cast<f64>(Random()) / 32768.0);
}

f32 RandomFloatRange(f32 a, f32 b)
{
    return a + RandomFloat() * (b - a);
}

f32 RandomSignedFloat()
{
    return RandomFloat() * 2.0f - 1.0f;
}

f32 RandomAround(f32 centre, f32 spread)
{
    return centre + RandomSignedFloat() * spread;
}
}
