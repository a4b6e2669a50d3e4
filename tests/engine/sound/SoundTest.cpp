// Sounds and their buffers over the real mixer: static and streamed sizes, the play/pause/stop state
// machine, volume and tempo, duplicates of static files, and the failures that leave a silent sound.
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestRig.h"
#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::MakeSoundRamp;
using TestSupport::MakeSoundWav;
using TestSupport::SoundSamples;

namespace
{
using Samples = std::vector<std::int16_t>;

Samples Slice(const Samples& samples, std::size_t firstFrame, std::size_t frames)
{
    return Samples(samples.begin() + static_cast<std::ptrdiff_t>(firstFrame * 2),
                   samples.begin() + static_cast<std::ptrdiff_t>((firstFrame + frames) * 2));
}

class Sounds : public ::testing::Test
{
protected:
    Sound* Load(const std::string& name, const std::string& bytes)
    {
        m_rig.World().WriteData(name, bytes);
        return m_rig.Manager().CreateSound(name);
    }

    SoundBuffer_DS7& BufferOf(Sound* sound) { return static_cast<SoundBuffer_DS7&>(*sound->GetBuffer()); }

    TestSupport::SoundTestRig m_rig;
};
}

TEST_F(Sounds, SizeDecidesBetweenStaticAndStreamed)
{
    struct Case
    {
        std::uint16_t channels;
        std::uint32_t bytes;
        bool streamed;
    };
    for (const Case& c : {Case{2, 1048576, false}, Case{1, 1048577, true}, Case{2, 1048580, true}, Case{2, 4, false}})
    {
        const std::uint16_t bits = c.channels == 2 ? 16 : 8;
        Sound* sound = Load("size.wav", MakeSoundWav({1, c.channels, 22050, bits}, std::vector<std::uint8_t>(c.bytes, 128)));
        EXPECT_EQ(sound->GetBuffer()->IsStreamed(), c.streamed ? 1 : 0) << c.bytes;
        EXPECT_EQ(sound->GetBuffer()->GetDataSize(), c.bytes);
        m_rig.Manager().DeleteSound(sound);
    }
    EXPECT_TRUE(m_rig.World().Errors().empty());
}

TEST_F(Sounds, StaticSoundPlaysBitExactAndEnds)
{
    const auto pcm = MakeSoundRamp(3000);
    Sound* sound = Load("effect.wav", MakeSoundWav({}, pcm));
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    EXPECT_TRUE(sound->Play());
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    Samples out = m_rig.Render(2000);
    const Samples more = m_rig.Render(1500);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_EQ(Slice(out, 0, 3000), SoundSamples(pcm));
    EXPECT_EQ(Slice(out, 3000, 500), Samples(1000, 0));
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    m_rig.Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(Sounds, PauseResumesWherePlayRestarts)
{
    const Samples source = SoundSamples(MakeSoundRamp(1000));
    Sound* sound = Load("effect.wav", MakeSoundWav({}, TestSupport::SoundBytes(source)));
    sound->Play();
    EXPECT_EQ(m_rig.Render(100), Slice(source, 0, 100));
    sound->Pause();
    EXPECT_EQ(sound->GetState(), Sound::Paused);
    EXPECT_EQ(m_rig.Render(50), Samples(100, 0));
    sound->Play();
    EXPECT_EQ(m_rig.Render(100), Slice(source, 100, 100));
    sound->Play();
    EXPECT_EQ(m_rig.Render(100), Slice(source, 0, 100));
    sound->Stop();
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    EXPECT_EQ(m_rig.Render(10), Samples(20, 0));
    sound->Play();
    EXPECT_EQ(m_rig.Render(100), Slice(source, 0, 100));
}

TEST_F(Sounds, LoopingChangesWhilePlayingKeepThePosition)
{
    const Samples source = SoundSamples(MakeSoundRamp(100));
    Sound* sound = Load("loop.wav", MakeSoundWav({}, TestSupport::SoundBytes(source)));
    sound->SetLooping(1);
    sound->Play();
    EXPECT_EQ(m_rig.Render(150), [&] {
        Samples twice = source;
        twice.insert(twice.end(), source.begin(), source.begin() + 100);
        return twice;
    }());
    sound->SetLooping(0);
    EXPECT_EQ(m_rig.Render(60), [&] {
        Samples tail = Slice(source, 50, 50);
        tail.resize(120, 0);
        return tail;
    }());
    m_rig.Manager().Update(SoundManager::ProcessQueue);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(Sounds, VolumeAndTempoReachTheMix)
{
    Sound* sound = Load("constant.wav", MakeSoundWav({}, TestSupport::SoundBytes(Samples(400, 20000))));
    sound->SetVolume(0.5f);
    EXPECT_EQ(BufferOf(sound).GetVolume(), 0.5f);
    sound->SetLooping(1);
    sound->Play();
    const Samples half = m_rig.Render(4);
    EXPECT_NEAR(half[0], 9006, 1);
    sound->SetVolume(0.0f);
    EXPECT_EQ(m_rig.Render(4), Samples(8, 0));
    EXPECT_TRUE(m_rig.World().Errors().empty());

    sound->SetVolume(1.0f);
    sound->SetLooping(0);
    sound->SetTempo(2.0f);
    sound->Play();
    const Samples fast = m_rig.Render(120);
    EXPECT_EQ(fast[2 * 99], 20000);
    EXPECT_EQ(fast[2 * 100], 0);
}

TEST_F(Sounds, OutOfRangeVolumeIsReportedNotApplied)
{
    Sound* sound = Load("effect.wav", MakeSoundWav({}, MakeSoundRamp(10)));
    sound->SetVolume(2.0f);
    EXPECT_EQ(m_rig.World().Errors(),
              std::vector<std::string>{
                  "DirectSound Subsystem (SoundBuffer_DS7::SetVolume): An invalid parameter was passed to the returning function."});
    EXPECT_EQ(sound->GetVolume(), 2.0f);
}

TEST_F(Sounds, SecondSoundOfAStaticFileSharesItsData)
{
    const Samples source = SoundSamples(MakeSoundRamp(500));
    Sound* first = Load("shared.wav", MakeSoundWav({}, TestSupport::SoundBytes(source)));
    first->SetVolume(0.5f);
    m_rig.World().WriteData("shared.wav", "no longer a sound file");
    Sound* second = m_rig.Manager().CreateSound("SHARED.WAV");
    EXPECT_TRUE(m_rig.World().Errors().empty());
    EXPECT_EQ(second->GetBuffer()->GetDataSize(), 2000u);
    EXPECT_NE(second->GetBuffer(), first->GetBuffer());
    first->Play();
    second->Play();
    m_rig.Manager().DeleteSound(first);
    EXPECT_EQ(m_rig.Render(500), source);
}

TEST_F(Sounds, CopiedSoundTakesTheSourcesValues)
{
    Sound* sound = Load("effect.wav", MakeSoundWav({}, TestSupport::SoundBytes(Samples(200, 10000))));
    sound->SetVolume(0.1f);
    sound->SetLooping(1);
    sound->SetTempo(3.0f);
    std::unique_ptr<Sound> copy = m_rig.System().CreateSound(*sound);
    EXPECT_EQ(copy->GetVolume(), 0.1f);
    EXPECT_EQ(copy->GetLooping(), 1);
    EXPECT_EQ(copy->GetTempo(), 3.0f);
    EXPECT_EQ(static_cast<SoundBuffer_DS7&>(*copy->GetBuffer()).GetVolume(), 0.1f);
    copy->Play();
    const Samples out = m_rig.Render(150);
    EXPECT_NEAR(out[0], 706, 1);
    EXPECT_NEAR(out[2 * 120], 706, 1);
}

TEST_F(Sounds, UnknownTypeAndMissingFileBecomeSilence)
{
    Sound* unknown = Load("effect.mp3", "whatever");
    Sound* missing = m_rig.Manager().CreateSound("absent.wav");
    Sound* nameless = m_rig.Manager().CreateSound("");
    const std::vector<std::string> errors = m_rig.World().Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "Failed to load \"effect.mp3\" sound file - unknown type");
    EXPECT_NE(errors[1].find("absent.wav"), std::string::npos);
    for (Sound* sound : {unknown, missing, nameless})
    {
        EXPECT_EQ(sound->GetBuffer()->GetDataSize(), 8u);
        EXPECT_EQ(sound->GetBuffer()->GetBitsPerSample(), 8u);
        EXPECT_EQ(sound->GetBuffer()->GetChannels(), 1u);
        sound->Play();
    }
    EXPECT_EQ(m_rig.Render(16), Samples(32, 0));
    m_rig.Manager().Update(SoundManager::ProcessQueue);
    for (Sound* sound : {unknown, missing, nameless})
        EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(Sounds, UnplayableFormatsGiveAMuteSoundThatStopsItself)
{
    const std::vector<std::uint8_t> pcm(400, 0);
    const std::string cases[] = {
        MakeSoundWav({1, 0, 22050, 16}, pcm),
        MakeSoundWav({1, 2, 0, 16}, pcm),
        MakeSoundWav({1, 1, 200000, 8}, pcm),
        TestSupport::MakeSoundOgg(3, 22050, TestSupport::MakeSoundMusic(2000, 3, 22050)),
        TestSupport::SoundWavWriter().Riff().Format({}).Data({}).Get(),
    };
    for (const std::string& bytes : cases)
    {
        m_rig.World().ClearLog();
        Sound* sound = Load(bytes.compare(0, 4, "OggS") == 0 ? "bad.ogg" : "bad.wav", bytes);
        const std::vector<std::string> errors = m_rig.World().Errors();
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.front(), "Sound System: DirectSound buffers overflow");
        EXPECT_TRUE(sound->Play());
        sound->SetVolume(0.3f);
        sound->SetTempo(1.5f);
        sound->Pause();
        sound->Play();
        EXPECT_EQ(m_rig.Render(8), Samples(16, 0));
        m_rig.Manager().Update(SoundManager::ProcessQueue);
        EXPECT_EQ(sound->GetState(), Sound::Stopped);
        m_rig.Manager().DeleteSound(sound);
    }
}

TEST_F(Sounds, ThreeDSoundsArePositionedAtTheNextRefresh)
{
    TestSupport::SoundTestRig rig(1);
    rig.World().WriteData("mono.wav", MakeSoundWav({1, 1, 22050, 16}, TestSupport::SoundBytes(Samples(100, 16000))));
    Sound* sound = rig.Manager().CreateSound("mono.wav");
    sound->SetLooping(1);
    sound->Play();
    EXPECT_EQ(rig.Render(1), (Samples{16000, 16000}));
    // The listener looks along -z with +y up, so +x lies to its left.
    sound->SetPosition(Vector3(4.0f, 0.0f, 0.0f));
    EXPECT_EQ(rig.Render(1), (Samples{16000, 16000}));
    rig.System().Refresh();
    EXPECT_EQ(rig.Render(1), (Samples{4000, 0}));
    EXPECT_TRUE(rig.World().Errors().empty());
}
