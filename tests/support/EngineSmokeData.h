// The smoke scene's data folder, made by the format writers of the tests: a skinned windmill whose rotor turns
// (TGA texture), a crate (JPEG texture) on a floor (BMP texture), a particle system with its own texture, an
// effect (WAV), looping music (Ogg Vorbis), a font of Latin and Cyrillic letters and the console's background. Names are those the scene asks the engine for.
#pragma once

#include "engine/core/EngineParameters.h"

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
// The glyph file opens from the installation folder, the pictures from the data folder.
inline constexpr const char* FontGlyphs = "data\\smoke\\font.vef";
inline constexpr const char* FontAtlas = "smoke\\font.tga";
inline constexpr const char* ConsoleBackground = "smoke\\console.tga";
}

// Every file as (path under the installation folder, bytes), the path with "/" and beginning with "Data/".
std::vector<std::pair<std::string, std::string>> MakeEngineSmokeData();

// Writes the files under the installation folder, creating the folders they need.
void WriteEngineSmokeData(const std::string& installationFolder);

// The engine started on those files in a centred 640 x 480 window, its log `<logName>.html` in the folder.
VelkorEngine::EngineParameters EngineSmokeParameters(const std::string& applicationName,
                                                     const std::string& installationFolder, const std::string& logName);
}
