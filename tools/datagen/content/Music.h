// The two music tracks: short note tables played by plucked lute, pipe, drone and frame drum, rendered as a
// loop (what rings past the end sounds again at the start) and encoded as mono Ogg Vorbis, which keeps the
// build quick and still decodes to more than a megabyte, so the game streams them.
#pragma once

namespace KorvaneTools
{
struct GeneratorContext;

void GenerateMusic(GeneratorContext& context);
}
