// Sound files the engine's sound readers take: PCM WAV and Ogg Vorbis (through libvorbisenc).
#pragma once

#include "engine/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace KorvaneTools
{
// 16-bit PCM, samples interleaved by channel.
std::string WriteWav(VelkorEngine::u32 channels, VelkorEngine::u32 rate, const std::vector<std::int16_t>& samples);

// Variable bit rate Ogg Vorbis of 16-bit interleaved samples. The same input, quality and stream serial give
// the same bytes.
std::string WriteOgg(VelkorEngine::u32 channels, VelkorEngine::u32 rate, const std::vector<std::int16_t>& samples,
                     float quality, int serial = 1);

struct DecodedSound
{
    VelkorEngine::u32 channels = 0;
    VelkorEngine::u32 rate = 0;
    std::vector<std::int16_t> samples; // interleaved
};

// Reads a canonical PCM WAV as WriteWav writes it; throws FormatError otherwise.
DecodedSound ReadWav(const std::string& bytes);
// Decodes a whole Ogg Vorbis file through vorbisfile; throws FormatError when it does not decode.
DecodedSound ReadOgg(const std::string& bytes);
}
