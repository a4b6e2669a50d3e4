// The GUI models of the menus (map markers, the title sign that drops in, the wordmark's drop-in mover) and
// the cursor's particle systems.
#pragma once

#include "engine/scene/ParticleSystemFile.h"

namespace KorvaneTools
{
class DataStage;

// Keys of a particle quantity running linearly from the first value to the last.
template <typename T>
VelkorEngine::ParticleKeys<T> LinearKeys(const T& first, const T& last)
{
    VelkorEngine::ParticleKeys<T> keys;
    for (unsigned j = 0; j < VelkorEngine::ParticleKeyCount; ++j)
        keys[j] = first * (1.0f - float(j) / 5.0f) + last * (float(j) / 5.0f);
    return keys;
}

// A particle system that lives in the GUI plane: no gravity, no floor, no motion along z.
VelkorEngine::ParticleSystemFile GuiParticles(VelkorEngine::u32 capacity, float period);

void AddUiModels(DataStage& stage);
}
