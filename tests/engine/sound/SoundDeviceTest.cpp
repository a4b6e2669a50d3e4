// The sound services on SDL2's audio drivers: with the disk driver the output file holds an effect and
// streamed music sample for sample; with a driver that does not exist the set-up fails and says so.
#include "engine/core/Error.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/SoundTestWorld.h"

#include <gtest/gtest.h>

#include "platform/win32/Time.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace VelkorEngine;

namespace
{
using Samples = std::vector<std::int16_t>;

// Runs frames of the engine (sound updates) until the condition holds; the disk driver writes as fast as
// it can, so this takes a fraction of a second.
template <class Condition>
bool RunUntil(SoundManager& manager, Condition done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        manager.Update(SoundManager::ProcessQueue);
        Sleep(1);
    }
    return true;
}

std::size_t FirstNonZero(const Samples& samples, std::size_t from)
{
    for (std::size_t i = from; i < samples.size(); ++i)
        if (samples[i] != 0)
            return i;
    return samples.size();
}

Samples Decode(TestSupport::SoundTestWorld& world, const std::string& name)
{
    SoundFileReaderOGG reader(world.Log(), world.Files(), name);
    std::vector<std::uint8_t> bytes(reader.GetDataSize());
    u32 read = 0;
    u8 end = 0;
    reader.Read(bytes.data(), reader.GetDataSize(), read, end);
    return TestSupport::SoundSamples(bytes);
}
}

TEST(SoundDevice, UnknownDriverMeansNoDevice)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    TestSupport::SoundTestWorld world;
    EXPECT_THROW(SoundSystem_DS7(world.Log(), world.Files(), nullptr, nullptr, nullptr, 0), Error);
    EXPECT_EQ(world.Errors(), std::vector<std::string>{"Failed to create a device"});
}

TEST(SoundDiskThreads, EffectAndStreamedMusicReachTheOutputFile)
{
    TestSupport::SoundTestWorld world;
    const std::string output = std::filesystem::path(world.Files()->GetBaseFolder()) / "out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);

    const std::vector<std::uint8_t> tone = TestSupport::MakeSoundTone(5512, 2, 441.0, 22050, 12000.0);
    world.WriteData("tone.wav", TestSupport::MakeSoundWav({}, tone));
    world.WriteData("music.ogg", TestSupport::MakeSoundOgg(2, 22050, TestSupport::MakeSoundMusic(300000, 2, 22050)));
    const Samples music = Decode(world, "music.ogg");
    constexpr std::size_t MusicChecked = 2 * 100000;

    {
        SoundSystem_DS7 system(world.Log(), world.Files(), nullptr, nullptr, nullptr, 0);
        SoundManager manager(world.Log(), world.Files(), &system);
        Sound* effect = manager.CreateSound("tone.wav");
        Sound* song = manager.CreateSound("music.ogg");
        ASSERT_EQ(song->GetBuffer()->IsStreamed(), 1);
        manager.Play(effect, SoundManager::Immediately);
        ASSERT_TRUE(RunUntil(manager, [&] { return effect->GetState() == Sound::Stopped; }));
        manager.Play(song, SoundManager::Immediately);
        const std::uintmax_t start = std::filesystem::file_size(output);
        ASSERT_TRUE(RunUntil(manager, [&] { return std::filesystem::file_size(output) > start + 4 * MusicChecked; }));
        manager.Stop(song, SoundManager::Immediately);
    }
    EXPECT_TRUE(world.Errors().empty());

    std::ifstream in(output, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Samples out = TestSupport::SoundSamples(bytes);
    const Samples toneSamples = TestSupport::SoundSamples(tone);
    // The tone begins with a zero sample, so it starts one frame before the first sound.
    const std::size_t toneStart = FirstNonZero(out, 0) - 2;
    ASSERT_LE(toneStart + toneSamples.size(), out.size());
    EXPECT_EQ(Samples(out.begin() + toneStart, out.begin() + toneStart + toneSamples.size()), toneSamples);

    const std::size_t musicLead = FirstNonZero(music, 0);
    const std::size_t musicStart = FirstNonZero(out, toneStart + toneSamples.size()) - musicLead;
    ASSERT_LE(musicStart + MusicChecked, out.size());
    EXPECT_EQ(Samples(out.begin() + musicStart, out.begin() + musicStart + MusicChecked),
              Samples(music.begin(), music.begin() + MusicChecked));
}
