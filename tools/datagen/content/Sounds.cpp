// The effects: each a short recipe of the building blocks in audio/Signal.
#include "tools/datagen/content/Sounds.h"

#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/audio/Signal.h"
#include "tools/formats/AudioWriters.h"

#include <cmath>

namespace KorvaneTools
{
namespace
{
constexpr double PeakDb = -3.0;
constexpr float JingleQuality = 0.3f;

double NoteHz(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

Signal Struck(Signal signal, double attack = 0.002)
{
    Strike(signal, attack);
    return signal;
}

Signal TickSound(double hz, std::uint32_t seed)
{
    Signal s = Noise(0.04, seed);
    BandPass(s, hz, 4.0);
    return Struck(s);
}

Signal Thump(double seconds, double startHz, double endHz)
{
    return Struck(Tone(seconds, startHz, endHz, 0.3));
}

// Stone breaking: grains of low-passed noise scattered over the length.
Signal Crumble(double seconds, std::uint32_t seed, double cutoffHz, int grains)
{
    Random random(seed);
    Signal out = Silence(seconds);
    for (int g = 0; g < grains; ++g)
    {
        const double length = 0.03 + 0.08 * random.Unit();
        Signal grain = Noise(length, seed * 31u + static_cast<std::uint32_t>(g));
        LowPass(grain, cutoffHz * (0.6 + 0.8 * random.Unit()));
        Strike(grain, 0.002);
        const double start = (seconds - length) * random.Unit() * random.Unit();
        MixInto(out, grain, start, 1.0 - 0.5 * start / seconds);
    }
    out.resize(SampleCount(seconds));
    MixInto(out, Thump(std::min(seconds, 0.15), 140, 60), 0, 0.8);
    return out;
}

Signal MetalClang(double seconds, double hz, double decay)
{
    return Bell(seconds, hz, {1.0, 2.41, 3.93, 5.62, 7.1}, decay);
}

Signal Whoosh(double seconds, double fromHz, double toHz, std::uint32_t seed)
{
    // Band-passed noise in short pieces whose centre glides from one frequency to the other.
    Signal noise = Noise(seconds, seed);
    Signal out;
    constexpr int Pieces = 24;
    const size_t piece = noise.size() / Pieces + 1;
    for (int p = 0; p < Pieces; ++p)
    {
        const size_t begin = std::min(noise.size(), static_cast<size_t>(p) * piece);
        Signal part(noise.begin() + static_cast<long>(begin),
                    noise.begin() + static_cast<long>(std::min(noise.size(), begin + piece)));
        BandPass(part, fromHz + (toHz - fromHz) * p / (Pieces - 1), 2.0);
        out.insert(out.end(), part.begin(), part.end());
    }
    Swell(out, seconds * 0.4, seconds * 0.5);
    return out;
}

Signal Arpeggio(const std::vector<int>& notes, double step, double seconds, double brightness)
{
    Signal out = Silence(seconds);
    for (size_t i = 0; i < notes.size(); ++i)
    {
        const double length = seconds - step * static_cast<double>(i);
        Signal note = Tone(length, NoteHz(notes[i]), NoteHz(notes[i]), brightness);
        Strike(note, 0.01);
        MixInto(out, note, step * static_cast<double>(i), 0.6);
    }
    out.resize(SampleCount(seconds));
    return out;
}

// A horn: a bright tone that swells in and holds.
Signal Horn(double seconds, int note)
{
    Signal tone = Tone(seconds, NoteHz(note), NoteHz(note), 0.8);
    LowPass(tone, 2500);
    Swell(tone, 0.05, 0.15);
    return tone;
}

Signal Fanfare()
{
    Signal out = Silence(1.8);
    MixInto(out, Horn(0.3, -7), 0.0, 0.5);  // D4
    MixInto(out, Horn(0.3, -7), 0.35, 0.5);
    MixInto(out, Horn(1.1, 0), 0.7, 0.5);   // A4, a fifth above
    MixInto(out, Horn(1.1, -7), 0.7, 0.35);
    out.resize(SampleCount(1.8));
    return out;
}

Signal FallingLine()
{
    Signal out = Silence(2.0);
    const int notes[] = {3, 0, -2, -4, -9}; // C5 A4 G4 F4 C4: a falling minor line
    for (int i = 0; i < 5; ++i)
        MixInto(out, Struck(Pluck(2.0 - 0.35 * i, NoteHz(notes[i]), 40u + static_cast<std::uint32_t>(i)), 0.005),
                0.35 * i, 0.6);
    out.resize(SampleCount(2.0));
    return out;
}

Signal Sparkle(double seconds, std::uint32_t seed, int count)
{
    Random random(seed);
    Signal out = Silence(seconds);
    for (int i = 0; i < count; ++i)
    {
        const double start = (seconds - 0.15) * random.Unit();
        MixInto(out, Bell(0.15, 1500 + 2500 * random.Unit(), {1.0, 2.76}, 25), start, 0.5);
    }
    out.resize(SampleCount(seconds));
    return out;
}

Signal Looped(double seconds, const std::vector<std::pair<double, Signal>>& hits)
{
    Signal out = Silence(seconds);
    for (const auto& [at, hit] : hits)
        MixLooped(out, hit, at);
    return out;
}

Signal ButtonClick()
{
    Signal s = TickSound(2500, 3);
    s.resize(SampleCount(0.08));
    MixInto(s, Thump(0.08, 400, 300), 0, 0.8);
    return s;
}

Signal QuillScratch()
{
    Signal s = Noise(0.05, 4);
    HighPass(s, 3500);
    return Struck(s, 0.005);
}

Signal WindowWhoosh(double fromHz, double toHz, std::uint32_t seed, double chimeHz, double chimeAt)
{
    Signal s = Whoosh(0.3, fromHz, toHz, seed);
    MixInto(s, Bell(0.15, chimeHz, {1.0, 2.76}, 20), chimeAt, 0.3);
    return s;
}

Signal MetalCrash()
{
    Signal s = Noise(0.6, 15);
    HighPass(s, 2000);
    Strike(s, 0.002);
    MixInto(s, MetalClang(0.6, 410, 6), 0, 0.8);
    return s;
}

Signal Boom()
{
    Signal s = Noise(0.9, 16);
    LowPass(s, 500);
    Strike(s, 0.005);
    MixInto(s, Thump(0.9, 120, 35), 0, 1.2);
    return s;
}

Signal CageRattle()
{
    Signal s = Crumble(0.5, 17, 3000, 10);
    HighPass(s, 800);
    MixInto(s, Bell(0.3, 1568, {1.0, 2.0, 3.0}, 10), 0.2, 0.5);
    return s;
}

Signal WoodenThock()
{
    Signal s = Thump(0.12, 320, 260);
    MixInto(s, TickSound(900, 18), 0, 0.5);
    return s;
}

Signal StoneTap()
{
    Signal s = TickSound(1600, 19);
    s.resize(SampleCount(0.08));
    MixInto(s, Thump(0.05, 220, 180), 0, 0.4);
    return s;
}

Signal FallingWhistle()
{
    Signal s = Tone(0.8, 1400, 300);
    Swell(s, 0.03, 0.3);
    return s;
}

Signal StringShot()
{
    Signal s = Struck(Pluck(0.25, 196, 22, 0.99));
    MixInto(s, Whoosh(0.2, 3000, 800, 23), 0.02, 0.6);
    s.resize(SampleCount(0.25));
    return s;
}

Signal HeavyShot()
{
    Signal s = Thump(0.4, 110, 50);
    MixInto(s, Struck(Pluck(0.4, 98, 24, 0.99)), 0, 0.6);
    return s;
}

Signal BoltThud()
{
    Signal s = Thump(0.15, 260, 120);
    MixInto(s, TickSound(700, 25), 0, 0.6);
    return s;
}

Signal HeavyBoltThud()
{
    Signal s = Thump(0.25, 180, 70);
    MixInto(s, Crumble(0.25, 26, 700, 6), 0, 0.6);
    return s;
}

Signal MechanicalWhirr()
{
    Signal s = Tone(0.6, 80, 320, 1.0);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] *= static_cast<float>(0.6 + 0.4 * std::sin(static_cast<double>(i) * 0.012));
    Swell(s, 0.1, 0.15);
    return s;
}

Signal WoodenCrash()
{
    Signal s = Crumble(0.8, 27, 1100, 24);
    BandPass(s, 600, 0.8);
    MixInto(s, Thump(0.3, 200, 90), 0, 0.8);
    return s;
}

Signal HammerBlow()
{
    Signal s = Thump(0.5, 90, 40);
    MixInto(s, Crumble(0.5, 28, 1000, 10), 0, 0.7);
    MixInto(s, MetalClang(0.3, 300, 15), 0, 0.3);
    return s;
}

// A lute's A4 plucked twice in half a second, round and round.
Signal LutePluckLoop()
{
    return Looped(0.5, {{0.0, Pluck(0.5, 440, 5)}, {0.25, Pluck(0.5, 440, 6)}});
}

struct Effect
{
    const char* path;
    Signal (*make)();
};

const Effect Effects[] = {
    {"audio/menu/button_select_0.wav", [] { return TickSound(1200, 1); }},
    {"audio/menu/button_select_1.wav", [] { return TickSound(1000, 2); }},
    {"audio/menu/button_click.wav", ButtonClick},
    {"audio/menu/edit_box_print.wav", QuillScratch},
    {"audio/menu/volume_slider.wav", LutePluckLoop},
    {"audio/menu/upgrade.wav", [] { return Arpeggio({3, 7, 10, 15}, 0.1, 0.6, 0.4); }},
    {"audio/menu/window_appear.wav", [] { return WindowWhoosh(400, 2400, 7, 1760, 0.15); }},
    {"audio/menu/window_disappear.wav", [] { return WindowWhoosh(2400, 400, 8, 1320, 0.0); }},
    {"audio/menu/charge_score.wav", [] { return Looped(0.2, {{0.0, Bell(0.3, 2093, {1.0, 2.76, 5.4}, 18)}}); }},
    {"audio/game/level_begin.ogg", Fanfare},
    {"audio/game/level_complete.ogg", [] { return Arpeggio({-9, -5, -2, 3, 7}, 0.2, 2.0, 0.5); }},
    {"audio/game/level_failed.ogg", FallingLine},
    {"audio/game/hit_hard_brick.wav", [] { return Crumble(0.15, 10, 900, 3); }},
    {"audio/game/hit_unbreakable_brick.wav", [] { return MetalClang(0.35, 620, 12); }},
    {"audio/game/crash_simple_brick_0.wav", [] { return Crumble(0.3, 11, 1800, 14); }},
    {"audio/game/crash_simple_brick_1.wav", [] { return Crumble(0.35, 12, 1500, 16); }},
    {"audio/game/crash_simple_brick_2.wav", [] { return Crumble(0.4, 13, 1200, 18); }},
    {"audio/game/crash_hard_brick.wav", [] { return Crumble(0.5, 14, 900, 26); }},
    {"audio/game/crash_unbreakable_brick.wav", MetalCrash},
    {"audio/game/crash_explosive_brick.wav", Boom},
    {"audio/game/crash_ballkeeper.wav", CageRattle},
    {"audio/game/ball_hit_bat.wav", WoodenThock},
    {"audio/game/ball_hit_field_simple.wav", StoneTap},
    {"audio/game/ball_hit_field_super.wav", [] { return Bell(0.2, 1320, {1.0, 2.0, 3.01}, 14); }},
    {"audio/game/ball_hit_barrier.wav", [] { return Struck(Pluck(0.3, 110, 20, 0.998), 0.003); }},
    {"audio/game/ball_losed.wav", FallingWhistle},
    {"audio/game/bonus_creation.wav", [] { return Sparkle(0.4, 21, 8); }},
    {"audio/game/bonus_get.wav", [] { return Bell(0.5, 880, {1.0, 2.0, 2.76, 4.07}, 7); }},
    {"audio/game/arbalest_shot.wav", StringShot},
    {"audio/game/ballista_shot.wav", HeavyShot},
    {"audio/game/arbalest_hit_field.wav", BoltThud},
    {"audio/game/ballista_hit_field.wav", HeavyBoltThud},
    {"audio/game/bat_creation.wav", MechanicalWhirr},
    {"audio/game/bat_destruction.wav", WoodenCrash},
    {"audio/game/hammer.wav", HammerBlow},
};

bool IsLoop(const std::string& path)
{
    return path == "audio/menu/volume_slider.wav" || path == "audio/menu/charge_score.wav";
}

bool IsOgg(const std::string& path)
{
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".ogg") == 0;
}
}

std::vector<std::string> GameSoundFiles()
{
    std::vector<std::string> files;
    for (const Effect& effect : Effects)
        files.push_back(effect.path);
    files.push_back("audio/music/menu.ogg");
    files.push_back("audio/music/game0.ogg");
    return files;
}

std::vector<std::string> LoopedSoundFiles()
{
    return {"audio/menu/volume_slider.wav", "audio/menu/charge_score.wav"};
}

void GenerateSounds(GeneratorContext& context)
{
    std::uint32_t serial = 100;
    for (const Effect& effect : Effects)
    {
        Signal signal = effect.make();
        if (!IsLoop(effect.path))
            FadeEnds(signal);
        Normalise(signal, PeakDb);
        const std::vector<std::int16_t> pcm = ToPcm16(signal);
        context.stage.Add(effect.path, IsOgg(effect.path) ? WriteOgg(1, SampleRate, pcm, JingleQuality,
                                                                     static_cast<int>(serial++))
                                                          : WriteWav(1, SampleRate, pcm));
    }
}
}
