// Mono sound as floating-point samples at the mixer's rate, and the building blocks the effects and the
// music are made of: oscillators, noise, envelopes, filters, plucked strings and bells.
#pragma once

#include "tools/datagen/Random.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace KorvaneTools
{
constexpr int SampleRate = 22050;

using Signal = std::vector<float>;

Signal Silence(double seconds);
std::size_t SampleCount(double seconds);

// A tone whose frequency glides from start to end (Hz), with a little of the second and third harmonic.
Signal Tone(double seconds, double startHz, double endHz, double brightness = 0.0);
Signal Noise(double seconds, std::uint32_t seed);
// Karplus-Strong plucked string: a noise burst through a damped delay line.
Signal Pluck(double seconds, double hz, std::uint32_t seed, double damping = 0.996);
// Inharmonic partials (ratios of the fundamental) with their own decay, for bells, coins and metal.
Signal Bell(double seconds, double hz, const std::vector<double>& ratios, double decay);

// Multiplies by an envelope: a linear attack then an exponential fall to about -60 dB at the end.
void Strike(Signal& signal, double attackSeconds);
// Multiplies by a linear attack, a hold and a linear release.
void Swell(Signal& signal, double attackSeconds, double releaseSeconds);
void LowPass(Signal& signal, double cutoffHz);
void HighPass(Signal& signal, double cutoffHz);
void BandPass(Signal& signal, double centreHz, double q);

// Adds b into a, starting at the offset (seconds); a grows when needed.
void MixInto(Signal& a, const Signal& b, double offsetSeconds = 0.0, double gain = 1.0);
// Adds b into a circularly: what passes the end comes in again at the start, so a loop has no seam.
void MixLooped(Signal& a, const Signal& b, double offsetSeconds, double gain = 1.0);
// Scales the peak to the given level in dBFS.
void Normalise(Signal& signal, double peakDb);
// 20 ms fades at both ends so a one-shot effect starts and stops without a click.
void FadeEnds(Signal& signal, double seconds = 0.02);

std::vector<std::int16_t> ToPcm16(const Signal& signal);
}
