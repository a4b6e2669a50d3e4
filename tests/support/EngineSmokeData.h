// The smoke scene's data folder, made by the format writers of the tests: a skinned windmill whose rotor turns
// (TGA texture), a crate (JPEG texture) on a floor (BMP texture), a particle system with its own texture, an
// effect (WAV) and looping music (Ogg Vorbis). Names are those the scene asks the engine for.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace TestSupport
{
namespace EngineSmokeFiles
{
inline constexpr const char* Windmill = "smoke\\windmill.mlf";
inline constexpr const char* Crate = "smoke\\crate.mlf";
inline constexpr const char* Floor = "smoke\\floor.mlf";
inline constexpr const char* Sparks = "smoke\\sparks.psf";
inline constexpr const char* Effect = "smoke\\effect.wav";
inline constexpr const char* Music = "smoke\\music.ogg";
}

// Every file as (path under the installation folder, bytes), the path with "/" and beginning with "Data/".
std::vector<std::pair<std::string, std::string>> MakeEngineSmokeData();

// Writes the files under the installation folder, creating the folders they need.
void WriteEngineSmokeData(const std::string& installationFolder);
}
