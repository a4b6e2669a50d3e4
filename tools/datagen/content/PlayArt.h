// The play objects' pictures (skins, bonus emblems, flares, particle sprites) and particle systems.
#pragma once

#include "tools/datagen/DataStage.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
// The eleven bonus kinds as the models are named.
const std::vector<std::string>& BonusNames();
// Every particle system's path below data/ ("game_objects/particles/ball_simple_train.psf").
std::vector<std::string> PlayParticlePaths();

void AddPlayArt(DataStage& stage);
void AddPlayParticles(DataStage& stage);
}
