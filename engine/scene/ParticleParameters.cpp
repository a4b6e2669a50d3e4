// Locating a span position among the six keys.
#include "engine/scene/ParticleParameters.h"

namespace VelkorEngine
{
ParticleKeySpot FindParticleKeySpot(f32 x)
{
    constexpr f32 kLastKey = static_cast<f32>(ParticleKeyCount - 1);
    f32 u = x * kLastKey;
    if (!(u >= 0.0f))
        u = 0.0f;
    else if (u > kLastKey)
        u = kLastKey;
    ParticleKeySpot spot;
    spot.key = static_cast<u32>(u);
    spot.nextKey = spot.key + 1 == ParticleKeyCount ? 0 : spot.key + 1;
    spot.fraction = u - static_cast<f32>(spot.key);
    return spot;
}
}
