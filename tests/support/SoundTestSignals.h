// PCM test signals for the sound tests: ramps that never repeat within a test, tones, and byte helpers.
#pragma once

#include <cstdint>
#include <vector>

namespace TestSupport
{
// 16-bit stereo frames whose left and right samples both follow a long non-repeating sequence.
std::vector<std::uint8_t> MakeSoundRamp(std::uint32_t frames, std::uint32_t seed = 1);
// 16-bit interleaved sine tone.
std::vector<std::uint8_t> MakeSoundTone(std::uint32_t frames, std::uint32_t channels, double hertz, std::uint32_t rate,
                                        double amplitude);
// Interleaved 16-bit samples of a byte block (little-endian).
std::vector<std::int16_t> SoundSamples(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> SoundBytes(const std::vector<std::int16_t>& samples);
}
