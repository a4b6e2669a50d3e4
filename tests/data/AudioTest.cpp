// The game's sounds: every file of the sound table in its format, levels and ends that do not click, loops
// that join without a seam, and music long enough to be streamed.
#include "tests/data/DataStageFiles.h"
#include "tools/datagen/content/Sounds.h"
#include "tools/formats/AudioWriters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace KorvaneTools;
using DataTest::StageFile;

namespace
{
bool IsMusic(const std::string& path)
{
    return path.rfind("audio/music/", 0) == 0;
}

DecodedSound Load(const std::string& path)
{
    return path.ends_with(".wav") ? ReadWav(StageFile(path)) : ReadOgg(StageFile(path));
}

int Peak(const std::vector<std::int16_t>& samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

// The largest step between neighbouring samples of one channel.
int LargestStep(const std::vector<std::int16_t>& samples, unsigned channels)
{
    int largest = 0;
    for (size_t i = channels; i < samples.size(); ++i)
        largest = std::max(largest, std::abs(samples[i] - samples[i - channels]));
    return largest;
}
}

TEST(audio, EverySoundOfTheTableExistsAsWavOrOgg)
{
    const std::vector<std::string> files = GameSoundFiles();
    EXPECT_EQ(files.size(), 37u);
    int oggs = 0;
    for (const std::string& path : files)
    {
        EXPECT_TRUE(DataTest::StageHas(path)) << path;
        oggs += path.ends_with(".ogg");
    }
    EXPECT_EQ(oggs, 5);
}

TEST(audio, EffectsAreMono16BitAtTheMixersRateWithTheirPeakAtMinus3Db)
{
    for (const std::string& path : GameSoundFiles())
    {
        if (IsMusic(path))
            continue;
        const DecodedSound sound = Load(path);
        EXPECT_EQ(sound.channels, 1u) << path;
        EXPECT_EQ(sound.rate, 22050u) << path;
        ASSERT_GT(sound.samples.size(), 22050u / 100) << path;
        EXPECT_LE(sound.samples.size(), 22050u * 2 + 2048) << path;
        if (!path.ends_with(".wav"))
            continue;
        EXPECT_NEAR(20 * std::log10(Peak(sound.samples) / 32767.0), -3.0, 0.1) << path;
    }
}

TEST(audio, OneShotEffectsStartAndEndSilentAndLoopsJoinSmoothly)
{
    const std::vector<std::string> loops = LoopedSoundFiles();
    for (const std::string& path : GameSoundFiles())
    {
        if (!path.ends_with(".wav"))
            continue;
        const std::vector<std::int16_t> samples = ReadWav(StageFile(path)).samples;
        if (std::find(loops.begin(), loops.end(), path) == loops.end())
        {
            EXPECT_LT(std::abs(int(samples.front())), 200) << path;
            EXPECT_LT(std::abs(int(samples.back())), 200) << path;
            continue;
        }
        // Played round and round, the join is no bigger a step than those inside the sound.
        const int join = std::abs(samples.front() - samples.back());
        EXPECT_LE(join, LargestStep(samples, 1)) << path;
    }
}

TEST(audio, MusicIsLongerThanAMinuteAndLoopsWithoutAJump)
{
    for (const char* path : {"audio/music/menu.ogg", "audio/music/game0.ogg"})
    {
        const DecodedSound music = ReadOgg(StageFile(path));
        EXPECT_EQ(music.channels, 1u) << path;
        EXPECT_EQ(music.rate, 22050u) << path;
        EXPECT_GT(music.samples.size(), 60u * 22050) << path;
        EXPECT_GT(music.samples.size() * 2, 1024u * 1024) << path;
        EXPECT_LE(std::abs(music.samples.front() - music.samples.back()), LargestStep(music.samples, 1) / 2) << path;
    }
}

TEST(audio, EffectsCarryNoSteadyOffset)
{
    for (const std::string& path : GameSoundFiles())
    {
        if (!path.ends_with(".wav"))
            continue;
        const std::vector<std::int16_t> samples = ReadWav(StageFile(path)).samples;
        double sum = 0;
        for (std::int16_t sample : samples)
            sum += sample;
        EXPECT_LT(std::fabs(sum / double(samples.size())), 500.0) << path;
    }
}
