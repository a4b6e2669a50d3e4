// What a particle system does, as its file stores it: the emission cycle, the forces and floor, and six keys
// for each quantity that changes over the cycle or over a particle's life. The initial values are the
// built-in ("self_made") system's.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <array>

namespace VelkorEngine
{
inline constexpr u32 ParticleKeyCount = 6;

template <typename T>
using ParticleKeys = std::array<T, ParticleKeyCount>;

struct ParticleParameters
{
    f32 period = 1.0f;
    u8 gravityOn = 1;
    f32 gravity = 1.0f;
    u8 floorOn = 1;
    f32 floorHeight = -1.0f;
    f32 bounceFactor = 0.9f;
    u8 dieWhenStopped = 1;
    f32 stopThreshold = 0.4f;
    u8 continuousEmission = 1;
    // Over the emission cycle.
    ParticleKeys<f32> emission{10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f};
    ParticleKeys<f32> lifeCentre{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    ParticleKeys<f32> lifeSpread{};
    // Over a particle's life.
    ParticleKeys<Vector3> directionCentre{};
    ParticleKeys<Vector3> directionSpread{Vector3(1.0f), Vector3(1.0f), Vector3(1.0f),
                                          Vector3(1.0f), Vector3(1.0f), Vector3(1.0f)};
    ParticleKeys<Color> color{Color(1, 1, 1, 1), Color(1, 1, 1, 1), Color(1, 1, 1, 1),
                              Color(1, 1, 1, 1), Color(1, 1, 1, 1), Color(1, 1, 1, 1)};
    ParticleKeys<f32> size{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    ParticleKeys<f32> speedCentre{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    ParticleKeys<f32> speedSpread{};
};

// Where a span position x in [0, 1] falls among the keys: key j sits at j/5, and the segment after the last
// key wraps to the first (reached only at x = 1, where it weighs nothing).
struct ParticleKeySpot
{
    u32 key = 0;
    u32 nextKey = 1;
    f32 fraction = 0.0f;
};

// Positions outside [0, 1] (and NaN) are held to its ends, so the key indices always stay in the array.
ParticleKeySpot FindParticleKeySpot(f32 x);

template <typename T>
T InterpolateParticleKeys(const ParticleKeys<T>& keys, const ParticleKeySpot& spot)
{
    return keys[spot.key] * (1.0f - spot.fraction) + keys[spot.nextKey] * spot.fraction;
}

template <typename T>
T InterpolateParticleKeys(const ParticleKeys<T>& keys, f32 x)
{
    return InterpolateParticleKeys(keys, FindParticleKeySpot(x));
}
}
