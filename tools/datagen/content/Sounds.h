// The game's sound effects and GUI sounds, synthesised: one-shot effects as 16-bit mono WAV at the mixer's
// rate, the three jingles as Ogg Vorbis, the two loops cut to repeat without a seam.
#pragma once

#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

// Every sound file of the game's sound table, "audio/<group>/<name>.<wav|ogg>", music included.
std::vector<std::string> GameSoundFiles();
// The sounds that loop in the game and are therefore not faded at their ends.
std::vector<std::string> LoopedSoundFiles();

void GenerateSounds(GeneratorContext& context);
}
