// Generated PCM for the sound tests.
#include "tests/support/SoundTestSignals.h"

#include <cmath>
#include <cstring>

namespace TestSupport
{
std::vector<std::uint8_t> MakeSoundRamp(std::uint32_t frames, std::uint32_t seed)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    std::uint32_t state = seed;
    for (std::int16_t& sample : samples)
    {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(state >> 16);
    }
    return SoundBytes(samples);
}

std::vector<std::uint8_t> MakeSoundTone(std::uint32_t frames, std::uint32_t channels, double hertz, std::uint32_t rate,
                                        double amplitude)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * channels);
    const double step = 2.0 * 3.14159265358979323846 * hertz / rate;
    for (std::uint32_t frame = 0; frame < frames; ++frame)
        for (std::uint32_t channel = 0; channel < channels; ++channel)
            samples[frame * channels + channel] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(step * frame)));
    return SoundBytes(samples);
}

std::vector<std::int16_t> SoundSamples(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::vector<std::uint8_t> SoundBytes(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}
}
