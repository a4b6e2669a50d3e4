// The two music tracks: short note tables played by plucked lute, pipe, drone and frame drum, rendered as a
// loop (what rings past the end sounds again at the start) and encoded as Ogg Vorbis.
#pragma once

namespace KorvaneTools
{
struct GeneratorContext;

void GenerateMusic(GeneratorContext& context);
}
