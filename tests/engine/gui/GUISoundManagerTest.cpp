// The GUI's sound table on the engine's sound services (a scripted sound device): one sound per event even
// when several ask in one frame, variants taken least recently started first, and silence without sound.
#include "engine/gui/GUISoundManager.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "tests/support/GUITestBed.h"
#include "tests/support/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
class GUISoundManagerTest : public testing::Test
{
protected:
    GUISoundManagerTest()
    {
        sounds = bed.engine.GetEngine().GetSoundManager();
        bed.RunFrame();
    }

    // A one-second mono click written beside the data folder.
    std::string WriteSound(const std::string& name)
    {
        const std::string path = bed.engine.folder.Path() + "/" + name;
        TestSupport::SoundWavFormat format;
        format.channels = 1;
        std::ofstream(path, std::ios::binary) << TestSupport::MakeSoundWav(format, std::vector<std::uint8_t>(44100, 1));
        return path;
    }

    // Which of the first n sounds the manager made are playing.
    std::vector<bool> Playing(u32 n)
    {
        std::vector<bool> playing;
        for (u32 i = 0; i < n; ++i)
            playing.push_back(sounds->GetSound(i) != nullptr && sounds->GetSound(i)->GetState() == Sound::Playing);
        return playing;
    }

    TestSupport::GUITestBed bed;
    SoundManager* sounds = nullptr;
};

TEST_F(GUISoundManagerTest, PlaysInOneFrameMakeOneSoundAndVariantsTakeTurns)
{
    ASSERT_NE(sounds, nullptr);
    GUISoundManager gui(bed.engine.GetEngine().GetTimerManager(), sounds);
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        gui.AddSound(GUISoundManager::ButtonHover, WriteSound(name));
    ASSERT_EQ(sounds->GetSoundCount(), 3u);

    gui.Play(GUISoundManager::ButtonHover);
    gui.Play(GUISoundManager::ButtonHover);
    EXPECT_EQ(Playing(3), (std::vector<bool>{true, false, false}));
    // Each later play starts the variant started longest ago; the earlier ones may have ended meanwhile.
    for (u32 turn : {1u, 2u, 0u})
    {
        for (u32 i = 0; i < 3; ++i)
            sounds->GetSound(i)->Stop();
        bed.RunFrame();
        gui.Play(GUISoundManager::ButtonHover);
        for (u32 i = 0; i < 3; ++i)
            EXPECT_EQ(Playing(3)[i], i == turn) << "turn " << turn << ", sound " << i;
    }
}

TEST_F(GUISoundManagerTest, UnknownNumbersAndAMissingSoundManagerAreSilent)
{
    GUISoundManager silent(bed.engine.GetEngine().GetTimerManager(), nullptr);
    silent.AddSound(0, WriteSound("a.wav"));
    silent.Play(0);
    GUISoundManager gui(bed.engine.GetEngine().GetTimerManager(), sounds);
    gui.Play(7);
    EXPECT_EQ(sounds->GetSoundCount(), 0u);
}
}
