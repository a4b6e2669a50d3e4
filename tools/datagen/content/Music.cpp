// Music: menu (D Dorian, 90 beats a minute, 24 bars) and game0 (E Mixolydian, 120 beats a minute, 32 bars).
#include "tools/datagen/content/Music.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/audio/Signal.h"
#include "tools/formats/AudioWriters.h"

#include <cmath>
#include <string>

namespace KorvaneTools
{
namespace
{
constexpr float MusicQuality = 0.2f;

struct Tune
{
    double beatsPerMinute;
    int tonic;                 // semitones from A4
    std::vector<int> scale;    // semitones of the mode's degrees from the tonic, two octaves
    std::vector<std::string> phrases; // two bars of eighth notes: '0'-'9', 'a'-'b' degrees, '-' hold, '.' rest
    std::string order;         // phrase letters, the last leading back into the first
    std::vector<int> droneRoots; // per bar, degree of the drone
    bool pipe;                 // a pipe doubles the melody an octave up in the second half
};

double Hz(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

int Degree(char symbol)
{
    return symbol >= 'a' ? 10 + (symbol - 'a') : symbol - '0';
}

void Place(Signal& out, const Signal& sound, double at, double gain)
{
    MixLooped(out, sound, at, gain);
}

Signal PipeNote(double seconds, double hz)
{
    Signal tone(SampleCount(seconds));
    double phase = 0;
    for (size_t i = 0; i < tone.size(); ++i)
    {
        const double t = static_cast<double>(i) / SampleRate;
        phase += 2 * PiDouble * hz * (1.0 + 0.004 * std::sin(2 * PiDouble * 5.0 * t)) / SampleRate;
        tone[i] = static_cast<float>(std::sin(phase) + 0.2 * std::sin(2 * phase));
    }
    Swell(tone, 0.04, 0.08);
    return tone;
}

Signal Drum(double seconds, bool accent, std::uint32_t seed)
{
    Signal body = Tone(seconds, accent ? 95 : 130, accent ? 55 : 90);
    Strike(body, 0.002);
    Signal skin = Noise(0.05, seed);
    LowPass(skin, 1200);
    Strike(skin, 0.001);
    MixInto(body, skin, 0, accent ? 0.5 : 0.3);
    return body;
}

void PlayMelody(const Tune& tune, Signal& out, double eighth)
{
    std::string melody;
    for (char phrase : tune.order)
        melody += tune.phrases[static_cast<size_t>(phrase - 'A')];
    const size_t half = melody.size() / 2;
    for (size_t i = 0; i < melody.size(); ++i)
    {
        if (melody[i] == '-' || melody[i] == '.')
            continue;
        size_t length = 1;
        while (i + length < melody.size() && melody[i + length] == '-')
            ++length;
        const int note = tune.tonic + tune.scale[static_cast<size_t>(Degree(melody[i]))];
        const double seconds = eighth * static_cast<double>(length) + 0.6;
        Signal lute = Pluck(seconds, Hz(note), 1000u + static_cast<std::uint32_t>(i), 0.997);
        Strike(lute, 0.003);
        Place(out, lute, eighth * static_cast<double>(i), 0.55);
        if (tune.pipe && i >= half)
            Place(out, PipeNote(eighth * static_cast<double>(length), Hz(note + 12)), eighth * double(i), 0.18);
    }
}

void PlayAccompaniment(const Tune& tune, Signal& out, double bar, size_t bars)
{
    for (size_t b = 0; b < bars; ++b)
    {
        const int root = tune.tonic - 24 + tune.scale[static_cast<size_t>(tune.droneRoots[b % tune.droneRoots.size()])];
        for (int interval : {0, 7})
        {
            Signal drone = Tone(bar + 0.4, Hz(root + interval), Hz(root + interval), 0.4);
            Swell(drone, 0.4, 0.4);
            Place(out, drone, static_cast<double>(b) * bar - 0.2, 0.12);
        }
        for (int beat = 0; beat < 4; ++beat)
            Place(out, Drum(0.3, beat % 2 == 0, 500u + static_cast<std::uint32_t>(b * 4 + beat)),
                  static_cast<double>(b) * bar + bar / 4 * beat, beat % 2 == 0 ? 0.5 : 0.25);
    }
}

std::vector<std::int16_t> Render(const Tune& tune)
{
    const double eighth = 30.0 / tune.beatsPerMinute;
    const double bar = 8 * eighth;
    const size_t bars = tune.order.size() * 2;
    Signal out = Silence(bar * static_cast<double>(bars));
    PlayMelody(tune, out, eighth);
    PlayAccompaniment(tune, out, bar, bars);
    Normalise(out, -3.0);
    return ToPcm16(out);
}

const Tune Menu = {
    90, -7, {0, 2, 3, 5, 7, 9, 10, 12, 14, 15, 17, 19},
    {"4-3-2-1-0---2-4-", "5-4-3-4-2-----..", "7-6-5-4-5-4-3-2-", "1-2-3-1-0-------"},
    "ABACABCDABCD", {0, 0, 3, 0, 0, 4, 3, 0}, false};

const Tune Game = {
    120, -5, {0, 2, 4, 5, 7, 9, 10, 12, 14, 16, 17, 19},
    {"0-2-4-7-6-4-5-4-", "2-4-2-0-1-------", "7-7-9-7-6-4-6-7-", "9-7-6-4-2-1-0---",
     "4.4.5.6-7-6-4-2-", "3-4-5-3-4-2-1---"},
    "ABCDABEFCDEFABEF", {0, 0, 6, 0, 0, 3, 6, 0}, true};
}

void GenerateMusic(GeneratorContext& context)
{
    context.stage.Add("audio/music/menu.ogg", WriteOgg(1, SampleRate, Render(Menu), MusicQuality, 7001));
    context.stage.Add("audio/music/game0.ogg", WriteOgg(1, SampleRate, Render(Game), MusicQuality, 7002));
}
}
