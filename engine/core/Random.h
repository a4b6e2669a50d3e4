// The process-wide pseudo-random generator: a linear congruential step with 15-bit results, seeded once
// by the engine, and helpers that turn its output into integers and floats in ranges.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
void SeedRandom(u32 value);
// 0 to 32767.
u32 Random();
// lo to hi inclusive; only lo to lo + 32767 can come out of a wider range.
u32 RandomInt(u32 lo, u32 hi);
// 0 to n - 1; 0 when n is 0.
u32 RandomIndex(u32 n);
// [0, 1): the largest value is 32767/32768.
f32 RandomFloat();
// [a, b).
f32 RandomFloatRange(f32 a, f32 b);
// [-1, 1).
f32 RandomSignedFloat();
// [centre - spread, centre + spread).
f32 RandomAround(f32 centre, f32 spread);
}
