// The game's sound table: the ids callers play by, the loop and instance counts, and every sound of the
// three tables found in the generated data set by the framework's rule (the WAV file, else the OGG one).
#include "game/app/SoundTable.h"

#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/sound/SoundManager.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/SoundTestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using Korvane::SoundTable;
using VelkorEngine::u32;

namespace
{
// The file name the game asks the sound manager for, relative to the data folder.
std::string FindSound(VelkorEngine::FileManager& files, const std::string& group, const std::string& name)
{
    const std::string base = "audio\\" + group + "\\" + name + ".";
    return files.Exists("data\\" + base + "wav") ? base + "wav" : base + "ogg";
}
}

TEST(SoundTableTest, EffectIdsAreEachRegisteredOnceWithTheWindowSoundsFirst)
{
    std::vector<u32> order;
    for (const SoundTable::Effect& effect : SoundTable::Effects)
        order.push_back(effect.id);
    std::vector<u32> expected = {2, 3, 0, 1, 4};
    for (u32 id = 5; id <= 30; ++id)
        expected.push_back(id);
    EXPECT_EQ(order, expected);
}

TEST(SoundTableTest, OnlyTheSliderAndTheScoreCounterLoopAndHitsAndShotsOverlapThemselves)
{
    std::set<u32> looping;
    std::set<u32> doubled;
    for (const SoundTable::Effect& effect : SoundTable::Effects)
    {
        if (effect.looping)
            looping.insert(effect.id);
        if (effect.instances == 2)
            doubled.insert(effect.id);
        EXPECT_TRUE(effect.instances == 1 || effect.instances == 2) << effect.name;
    }
    EXPECT_EQ(looping, (std::set<u32>{SoundTable::VolumeSlider, SoundTable::ChargeScore}));
    EXPECT_EQ(doubled, (std::set<u32>{8, 9, 10, 11, 12, 13, 14, 15, 17, 22, 24, 25, 30}));
    EXPECT_STREQ(SoundTable::Effects[0].name, "window_appear");
    EXPECT_STREQ(SoundTable::Effects[21].name, "ball_losed");
}

TEST(SoundTableTest, TheSelectSoundHasTwoVariantsAndTheEvenIdsRepeatIt)
{
    std::vector<std::string> zero;
    for (const SoundTable::GUISound& sound : SoundTable::GUISounds)
    {
        if (sound.id == 0)
            zero.push_back(sound.name);
        else if (sound.id == 10)
            EXPECT_STREQ(sound.name, "edit_box_print");
        else if (sound.id % 2 == 0)
            EXPECT_STREQ(sound.name, "button_select_0") << sound.id;
        else
            EXPECT_STREQ(sound.name, "button_click") << sound.id;
    }
    EXPECT_EQ(zero, (std::vector<std::string>{"button_select_0", "button_select_1"}));
}

TEST(SoundTableTest, BothMusicTracksLoopAndPlayIsAlwaysTheFirstGameTrack)
{
    ASSERT_EQ(SoundTable::MusicTracks.size(), 2u);
    EXPECT_STREQ(SoundTable::MusicTracks[0].name, "menu");
    EXPECT_STREQ(SoundTable::MusicTracks[1].name, "game0");
    EXPECT_EQ(SoundTable::MusicTracks[0].looping, 1);
    EXPECT_EQ(SoundTable::MusicTracks[1].looping, 1);
    EXPECT_EQ(SoundTable::GameMusicCount, 1u);
}

TEST(SoundTableTest, EverySoundOfTheTablesIsInTheDataSetAndLoads)
{
    TestSupport::EngineTestBed bed;
    // The real mixer: the recording device holds too few buffers for the whole table.
    const TestSupport::SoundMixerDevice mixer;
    bed.parameters.basePath = KORVANE_DATA_ROOT;
    bed.parameters.dataFolder = "data";
    VelkorEngine::Engine& engine = bed.Start();
    VelkorEngine::FileManager& files = *engine.GetFileManager();
    ASSERT_GE(files.GetPackCount(), 1u) << KORVANE_DATA_PACK;

    std::vector<std::pair<std::string, std::string>> sounds;
    for (const SoundTable::GUISound& sound : SoundTable::GUISounds)
        sounds.emplace_back(SoundTable::GUISoundGroup, sound.name);
    for (const SoundTable::Music& track : SoundTable::MusicTracks)
        sounds.emplace_back(track.group, track.name);
    for (const SoundTable::Effect& effect : SoundTable::Effects)
        sounds.emplace_back(effect.group, effect.name);
    for (const auto& [group, name] : sounds)
    {
        const std::string file = FindSound(files, group, name);
        EXPECT_TRUE(files.Exists("data\\" + file)) << file;
        if (VelkorEngine::SoundManager* manager = engine.GetSoundManager())
            manager->DeleteSound(manager->CreateSound(file));
    }
    EXPECT_EQ(bed.Records(VelkorEngine::MessageManager::KindError), std::vector<std::string>{});
    EXPECT_EQ(sounds.size(), 12u + 2u + 31u);
    bed.Stop();
}
