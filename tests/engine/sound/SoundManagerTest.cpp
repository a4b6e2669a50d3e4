// The sound manager and the buffer manager: creation order and enumeration, the request queue, deleting
// sounds with pending requests, buffer sharing by lower-cased name, and teardown with everything alive.
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestRig.h"
#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::MakeSoundRamp;
using TestSupport::MakeSoundWav;

namespace
{
class SoundManagers : public ::testing::Test
{
protected:
    SoundManagers()
    {
        m_rig.World().WriteData("a.wav", MakeSoundWav({}, MakeSoundRamp(4000)));
        m_rig.World().WriteData("long.wav", MakeSoundWav({}, MakeSoundRamp(300000)));
    }

    SoundManager& Manager() { return m_rig.Manager(); }

    std::vector<Sound*> All()
    {
        std::vector<Sound*> sounds;
        for (u32 i = 0; i < Manager().GetSoundCount(); ++i)
            sounds.push_back(Manager().GetSound(i));
        return sounds;
    }

    TestSupport::SoundTestRig m_rig;
};
}

TEST_F(SoundManagers, EnumeratesInCreationOrderAfterDeletes)
{
    Sound* first = Manager().CreateSound("a.wav");
    Sound* second = Manager().CreateSound("a.wav");
    Sound* third = Manager().CreateSound("a.wav");
    Manager().DeleteSound(second);
    EXPECT_EQ(Manager().GetSoundCount(), 2u);
    EXPECT_EQ(All(), (std::vector<Sound*>{first, third}));
    EXPECT_EQ(Manager().GetSound(2), nullptr);
    Sound* fourth = Manager().CreateSound("a.wav");
    EXPECT_EQ(All(), (std::vector<Sound*>{first, third, fourth}));
    EXPECT_EQ(Manager().GetBufferManager()->GetBufferCount(), 3u);
}


TEST_F(SoundManagers, QueuedRequestsRunInOrderAtTheNextUpdateWithTheQueue)
{
    Sound* sound = Manager().CreateSound("a.wav");
    Manager().Play(sound, SoundManager::Queued);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    Manager().Update(SoundManager::KeepQueue);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    Manager().Stop(sound, SoundManager::Queued);
    Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);

    Manager().Stop(sound, SoundManager::Queued);
    Manager().Play(sound, SoundManager::Queued);
    Manager().Pause(sound, SoundManager::Queued);
    Manager().Play(sound, SoundManager::Queued);
    Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(sound->GetState(), Sound::Playing);

    Manager().Pause(sound, SoundManager::Immediately);
    EXPECT_EQ(sound->GetState(), Sound::Paused);
    Manager().Play(sound, SoundManager::Immediately);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    Manager().Stop(sound, SoundManager::Immediately);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(SoundManagers, DeletingASoundDropsItsQueuedRequests)
{
    Sound* doomed = Manager().CreateSound("a.wav");
    Sound* kept = Manager().CreateSound("long.wav");
    Manager().Play(doomed, SoundManager::Queued);
    Manager().Play(kept, SoundManager::Queued);
    Manager().Pause(doomed, SoundManager::Queued);
    Manager().DeleteSound(doomed);
    Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(kept->GetState(), Sound::Playing);
    EXPECT_EQ(Manager().GetSoundCount(), 1u);
}

TEST_F(SoundManagers, UpdateNoticesTheEndOfOneShots)
{
    Sound* sound = Manager().CreateSound("a.wav");
    Manager().Play(sound, SoundManager::Immediately);
    m_rig.Render(3999);
    Manager().Update(SoundManager::KeepQueue);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    m_rig.Render(1);
    Manager().Update(SoundManager::KeepQueue);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(SoundManagers, StaticNamesShareDataWhateverTheirCase)
{
    Sound* first = Manager().CreateSound("Sub/Effect.WAV");
    EXPECT_FALSE(m_rig.World().Errors().empty()) << "no such file yet";
    m_rig.World().ClearLog();
    m_rig.World().WriteData("sub/effect.wav", MakeSoundWav({}, MakeSoundRamp(100)));
    Manager().DeleteSound(first);
    first = Manager().CreateSound("Sub/Effect.WAV");
    m_rig.World().WriteData("sub/effect.wav", "gone");
    Sound* second = Manager().CreateSound("sub/effect.wav");
    Sound* third = Manager().CreateSound("SUB/EFFECT.wav");
    EXPECT_TRUE(m_rig.World().Errors().empty());
    EXPECT_EQ(first->GetBuffer()->GetName(), "sub/effect.wav");
    EXPECT_EQ(third->GetBuffer()->GetDataSize(), 400u);
    EXPECT_EQ(second->GetName(), "sub/effect.wav");
}

TEST_F(SoundManagers, StreamedNamesLoadTheirOwnBufferEvenWhenAStaticOneFollows)
{
    Sound* stream = Manager().CreateSound("long.wav");
    ASSERT_EQ(stream->GetBuffer()->IsStreamed(), 1);
    m_rig.World().WriteData("long.wav", MakeSoundWav({}, MakeSoundRamp(10)));
    Sound* small = Manager().CreateSound("long.wav");
    EXPECT_EQ(small->GetBuffer()->IsStreamed(), 0);
    EXPECT_EQ(small->GetBuffer()->GetDataSize(), 40u);
    m_rig.World().WriteData("long.wav", "RIFF broken file");
    Manager().CreateSound("long.wav");
    const std::vector<std::string> errors = m_rig.World().Errors();
    ASSERT_EQ(errors.size(), 1u) << "the third sound loads the file again";
    EXPECT_EQ(errors[0], "Failed to load \"data\\long.wav\" sound file - no RIFF header");
}

TEST_F(SoundManagers, DuplicateOutlivesTheSoundItWasMadeFrom)
{
    Sound* first = Manager().CreateSound("a.wav");
    Sound* second = Manager().CreateSound("a.wav");
    second->Play();
    Manager().DeleteSound(first);
    const std::vector<std::int16_t> out = m_rig.Render(4000);
    EXPECT_EQ(out, TestSupport::SoundSamples(MakeSoundRamp(4000)));
}

TEST_F(SoundManagers, TeardownWithLiveSoundsQueuedRequestsAndDuplicates)
{
    for (int i = 0; i < 5; ++i)
    {
        Sound* sound = Manager().CreateSound(i % 2 ? "a.wav" : "long.wav");
        Manager().Play(sound, static_cast<u8>(i % 2));
        Manager().Stop(sound, SoundManager::Queued);
    }
    Manager().Update(SoundManager::KeepQueue);
    m_rig.Render(100);
    m_rig.Shutdown();
    EXPECT_TRUE(m_rig.World().Errors().empty());
}
