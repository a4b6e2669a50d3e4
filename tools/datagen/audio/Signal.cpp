// Sound building blocks.
#include "tools/datagen/audio/Signal.h"

#include "tools/datagen/Angles.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
constexpr double TwoPi = 2 * PiDouble;

// A second-order section (the usual cookbook biquads), run over the whole signal.
void Biquad(Signal& signal, double b0, double b1, double b2, double a0, double a1, double a2)
{
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (float& sample : signal)
    {
        const double x = sample;
        const double y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        sample = static_cast<float>(y);
    }
}
}

size_t SampleCount(double seconds)
{
    return static_cast<size_t>(std::lround(seconds * SampleRate));
}

Signal Silence(double seconds)
{
    return Signal(SampleCount(seconds), 0.0f);
}

Signal Tone(double seconds, double startHz, double endHz, double brightness)
{
    Signal signal(SampleCount(seconds));
    double phase = 0;
    for (size_t i = 0; i < signal.size(); ++i)
    {
        const double t = static_cast<double>(i) / static_cast<double>(signal.size());
        phase += TwoPi * (startHz + (endHz - startHz) * t) / SampleRate;
        signal[i] = static_cast<float>(std::sin(phase) + brightness * (0.5 * std::sin(2 * phase) +
                                                                     0.25 * std::sin(3 * phase)));
    }
    return signal;
}

Signal Noise(double seconds, std::uint32_t seed)
{
    Random random(seed);
    Signal signal(SampleCount(seconds));
    for (float& sample : signal)
        sample = static_cast<float>(random.Signed());
    return signal;
}

Signal Pluck(double seconds, double hz, std::uint32_t seed, double damping)
{
    Random random(seed);
    const size_t period = std::max<size_t>(2, static_cast<size_t>(std::lround(SampleRate / hz)));
    std::vector<double> line(period);
    double mean = 0;
    for (double& value : line)
    {
        value = random.Signed();
        mean += value / static_cast<double>(period);
    }
    // The string's averaging keeps any offset for ever: start the burst around zero.
    for (double& value : line)
        value -= mean;
    Signal signal(SampleCount(seconds));
    size_t at = 0;
    for (float& sample : signal)
    {
        const size_t next = (at + 1) % period;
        sample = static_cast<float>(line[at]);
        line[at] = damping * 0.5 * (line[at] + line[next]);
        at = next;
    }
    return signal;
}

Signal Bell(double seconds, double hz, const std::vector<double>& ratios, double decay)
{
    Signal signal(SampleCount(seconds));
    for (size_t p = 0; p < ratios.size(); ++p)
    {
        const double partialDecay = decay * (1.0 + 0.6 * static_cast<double>(p));
        const double gain = 1.0 / (1.0 + static_cast<double>(p));
        for (size_t i = 0; i < signal.size(); ++i)
        {
            const double t = static_cast<double>(i) / SampleRate;
            signal[i] += static_cast<float>(gain * std::exp(-partialDecay * t) * std::sin(TwoPi * hz * ratios[p] * t));
        }
    }
    return signal;
}

void Strike(Signal& signal, double attackSeconds)
{
    const double attack = std::max(1.0, attackSeconds * SampleRate);
    const double length = static_cast<double>(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
    {
        const double n = static_cast<double>(i);
        const double rise = std::min(1.0, n / attack);
        const double fall = std::exp(-6.9 * std::max(0.0, n - attack) / std::max(1.0, length - attack));
        signal[i] *= static_cast<float>(rise * fall);
    }
}

void Swell(Signal& signal, double attackSeconds, double releaseSeconds)
{
    const double attack = std::max(1.0, attackSeconds * SampleRate);
    const double release = std::max(1.0, releaseSeconds * SampleRate);
    const double length = static_cast<double>(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
    {
        const double n = static_cast<double>(i);
        signal[i] *= static_cast<float>(std::min({1.0, n / attack, (length - n) / release}));
    }
}

void LowPass(Signal& signal, double cutoffHz)
{
    const double w = TwoPi * cutoffHz / SampleRate;
    const double alpha = std::sin(w) / (2 * 0.707);
    const double c = std::cos(w);
    Biquad(signal, (1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void HighPass(Signal& signal, double cutoffHz)
{
    const double w = TwoPi * cutoffHz / SampleRate;
    const double alpha = std::sin(w) / (2 * 0.707);
    const double c = std::cos(w);
    Biquad(signal, (1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void BandPass(Signal& signal, double centreHz, double q)
{
    const double w = TwoPi * centreHz / SampleRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    Biquad(signal, alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void MixInto(Signal& a, const Signal& b, double offsetSeconds, double gain)
{
    const size_t offset = SampleCount(offsetSeconds);
    if (a.size() < offset + b.size())
        a.resize(offset + b.size(), 0.0f);
    for (size_t i = 0; i < b.size(); ++i)
        a[offset + i] += static_cast<float>(gain * b[i]);
}

void MixLooped(Signal& a, const Signal& b, double offsetSeconds, double gain)
{
    const size_t offset = SampleCount(offsetSeconds);
    for (size_t i = 0; i < b.size(); ++i)
        a[(offset + i) % a.size()] += static_cast<float>(gain * b[i]);
}

void Normalise(Signal& signal, double peakDb)
{
    float peak = 0;
    for (float sample : signal)
        peak = std::max(peak, std::fabs(sample));
    if (peak <= 0)
        return;
    const auto scale = static_cast<float>(std::pow(10.0, peakDb / 20.0) / peak);
    for (float& sample : signal)
        sample *= scale;
}

void FadeEnds(Signal& signal, double seconds)
{
    const size_t fade = std::min(SampleCount(seconds), signal.size() / 2);
    for (size_t i = 0; i < fade; ++i)
    {
        const auto gain = static_cast<float>(static_cast<double>(i) / static_cast<double>(fade));
        signal[i] *= gain;
        signal[signal.size() - 1 - i] *= gain;
    }
}

std::vector<std::int16_t> ToPcm16(const Signal& signal)
{
    std::vector<std::int16_t> pcm(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(signal[i], -1.0f, 1.0f) * 32767.0f));
    return pcm;
}
}
