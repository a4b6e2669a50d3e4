// The engine's sound services: created after the controls when a device opens, absent (and the game silent)
// when none does, and run by the engine's frame, which plays an effect and streamed music to SDL's disk driver.
#include "engine/core/Engine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

using namespace VelkorEngine;

namespace
{
EngineParameters SoundParameters()
{
    EngineParameters parameters;
    parameters.applicationName = "Sound check";
    parameters.version = 100;
    parameters.writeLog = 0;
    parameters.defaultVideoMode = "640x480x32";
    return parameters;
}

std::size_t FirstSound(const std::vector<std::int16_t>& samples, std::size_t from)
{
    while (from < samples.size() && samples[from] == 0)
        ++from;
    return from;
}

double MeanPower(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t count)
{
    double energy = 0.0;
    for (std::size_t i = first; i < first + count; ++i)
        energy += static_cast<double>(samples[i]) * samples[i];
    return energy / static_cast<double>(count);
}

bool Logged(MessageManager& log, const std::string& text)
{
    for (u32 i = 0; i < log.GetRecordCount(); ++i)
        if (log.GetRecord(i).text.find(text) != std::string::npos)
            return true;
    return false;
}
}

TEST(EngineSound, NoAudioDriverMeansASilentEngine)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    Engine engine(SoundParameters());
    EXPECT_EQ(engine.GetSoundSystem(), nullptr);
    EXPECT_EQ(engine.GetSoundManager(), nullptr);
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "Failed to create a device"));
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "DirectSound system destroying:"));
    engine.Render();
    engine.Frame(0);
}

TEST(EngineSound, SoundServicesRunInTheFrame)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Engine engine(SoundParameters());
    ASSERT_NE(engine.GetSoundSystem(), nullptr);
    ASSERT_NE(engine.GetSoundManager(), nullptr);
    EXPECT_TRUE(Logged(*engine.GetMessageManager(), "Initialization of DirectSound Subsystem:"));
    Sound* sound = engine.GetSoundManager()->CreateSound("");
    engine.GetSoundManager()->Pause(sound, SoundManager::Queued);
    engine.Render();
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    engine.Frame(0);
    EXPECT_EQ(sound->GetState(), Sound::Paused) << "the frame works off the sound manager's queue";
}

TEST(EngineSoundThreads, EffectAndMusicPlayThroughTheEnginesFrames)
{
    TestSupport::TempFolder folder;
    const std::string output = folder / "out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    const std::vector<std::uint8_t> tone = TestSupport::MakeSoundTone(2205, 2, 441.0, 22050, 8000.0);
    folder.WriteFile("Data/tone.wav", TestSupport::MakeSoundWav({}, tone));
    const std::vector<std::int16_t> music = TestSupport::MakeSoundMusic(400000, 2, 22050);
    folder.WriteFile("Data/music.ogg", TestSupport::MakeSoundOgg(2, 22050, music));

    EngineParameters parameters = SoundParameters();
    parameters.basePath = folder.Path();
    parameters.dataFolder = "Data";
    {
        Engine engine(parameters);
        SoundManager& sounds = *engine.GetSoundManager();
        Sound* effect = sounds.CreateSound("tone.wav");
        Sound* song = sounds.CreateSound("music.ogg");
        ASSERT_TRUE(song->GetBuffer()->IsStreamed());
        song->SetLooping(1);
        sounds.Play(effect, SoundManager::Queued);
        sounds.Play(song, SoundManager::Queued);
        engine.Render();
        engine.Frame(0);
        // Both have started; the disk driver writes as fast as it can, so this takes a fraction of a second.
        const std::uintmax_t started = std::filesystem::file_size(output);
        for (int frame = 0; frame < 100000 && std::filesystem::file_size(output) < started + 4u * 400000; ++frame)
        {
            engine.Render();
            engine.Frame(1);
        }
        EXPECT_EQ(effect->GetState(), Sound::Stopped);
        EXPECT_EQ(song->GetState(), Sound::Playing);
    }
    const std::string bytes = folder.ReadFile("out.raw");
    std::vector<std::int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    // The effect starts first; the music starts once its first megabyte has been decoded, and goes on.
    const std::vector<std::int16_t> toneSamples = TestSupport::SoundSamples(tone);
    const std::size_t toneStart = FirstSound(out, 0);
    const std::size_t musicStart = FirstSound(out, toneStart + toneSamples.size() + 400);
    ASSERT_LT(musicStart + 2 * 100000, out.size());
    EXPECT_GT(MeanPower(out, toneStart, toneSamples.size()), 1.0e6);
    EXPECT_GT(MeanPower(out, musicStart, 2 * 100000), 1.0e6);
}
