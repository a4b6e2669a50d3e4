// One particle of a particle system: its sprite, its life, and the direction and speed keys drawn for it at
// emission, which its motion follows over its life.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/ParticleParameters.h"

namespace VelkorEngine
{
struct Particle
{
    u8 free = 1;
    // Index of the particle's sprite in the system's sprite group.
    u32 sprite = 0;
    f32 lifetime = 0.0f;
    f32 age = 0.0f;
    // The unit direction of the last move.
    Vector3 direction;
    ParticleKeys<Vector3> directionKeys{};
    ParticleKeys<f32> speedKeys{};
    // 1 at emission; each bounce on the floor takes its share.
    f32 speedScale = 1.0f;
    // Grows with gravity; a bounce resets it.
    f32 fallSpeed = 0.0f;
};
}
