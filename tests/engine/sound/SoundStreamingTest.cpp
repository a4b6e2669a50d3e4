// Long sounds streamed through the 1 MiB circular buffer, in lockstep with the mixer: a 3 MiB file comes
// out byte for byte at any frame length, loops across its end, plays at another tempo, restarts right
// after it finished, and stops at the end of its current lap when looping is turned off.
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/Sound_DS7.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestRig.h"
#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::SoundSamples;

namespace
{
using Samples = std::vector<std::int16_t>;

constexpr std::uint32_t SourceFrames = 3 * 1048576 / 4;

class SoundStreaming : public ::testing::Test
{
protected:
    SoundStreaming() : m_source(SoundSamples(TestSupport::MakeSoundRamp(SourceFrames, 9)))
    {
        m_rig.World().WriteData("music.wav", TestSupport::MakeSoundWav({}, TestSupport::SoundBytes(m_source)));
        m_music = m_rig.Manager().CreateSound("music.wav");
    }

    // Mixes frames in steps of the given length with one engine update after each, as the game's frames do.
    Samples Play(std::uint64_t frames, std::uint32_t step)
    {
        Samples out;
        out.reserve(static_cast<std::size_t>(frames) * 2);
        for (std::uint64_t done = 0; done < frames; done += step)
        {
            const Samples part = m_rig.Render(static_cast<std::uint32_t>(std::min<std::uint64_t>(step, frames - done)));
            out.insert(out.end(), part.begin(), part.end());
            m_rig.Manager().Update(SoundManager::ProcessQueue);
        }
        return out;
    }

    Samples Source(std::size_t firstFrame, std::size_t frames) const
    {
        Samples part;
        for (std::size_t i = 0; i < frames; ++i)
        {
            const std::size_t frame = (firstFrame + i) % SourceFrames;
            part.push_back(m_source[2 * frame]);
            part.push_back(m_source[2 * frame + 1]);
        }
        return part;
    }

    static Samples Slice(const Samples& samples, std::size_t firstFrame, std::size_t frames)
    {
        return Samples(samples.begin() + static_cast<std::ptrdiff_t>(firstFrame * 2),
                       samples.begin() + static_cast<std::ptrdiff_t>((firstFrame + frames) * 2));
    }

    SoundBuffer_DS7& Buffer() { return static_cast<SoundBuffer_DS7&>(*m_music->GetBuffer()); }

    Samples m_source;
    TestSupport::SoundTestRig m_rig;
    Sound* m_music = nullptr;
};
}

TEST_F(SoundStreaming, ComesOutByteForByteAtEveryFrameLength)
{
    ASSERT_EQ(m_music->GetBuffer()->IsStreamed(), 1);
    // 30 frames a second; one first frame longer than a chunk; steady frames of 33,000 and 70,000 bytes.
    for (std::uint32_t step : {735u, 9000u, 8250u, 17500u, 1u << 16})
    {
        m_rig.Manager().Play(m_music, SoundManager::Queued);
        m_rig.Manager().Update(SoundManager::ProcessQueue);
        const Samples out = Play(SourceFrames + 20000, step);
        ASSERT_EQ(Slice(out, 0, SourceFrames), m_source) << step;
        m_rig.Manager().Update(SoundManager::ProcessQueue);
        EXPECT_EQ(m_music->GetState(), Sound::Stopped) << step;
        // The tail after the data is silence; the stream stops one chunk into it.
        EXPECT_EQ(Slice(out, SourceFrames, 8192), Samples(2 * 8192, 0)) << step;
        EXPECT_TRUE(Buffer().IsFinished()) << step;
    }
    EXPECT_TRUE(m_rig.World().Errors().empty());
}

TEST_F(SoundStreaming, LoopingWrapsAcrossTheEndOfTheFile)
{
    m_music->SetLooping(1);
    m_music->Play();
    const Samples out = Play(SourceFrames * 5 / 2, 1000);
    EXPECT_EQ(out, Source(0, SourceFrames * 5 / 2));
    EXPECT_EQ(m_music->GetState(), Sound::Playing);
}

TEST_F(SoundStreaming, DoubleTempoTakesEverySecondFrame)
{
    m_music->SetTempo(2.0f);
    m_music->Play();
    const Samples out = Play(SourceFrames / 2 + 20000, 700);
    Samples expected;
    for (std::size_t frame = 0; frame < SourceFrames; frame += 2)
    {
        expected.push_back(m_source[2 * frame]);
        expected.push_back(m_source[2 * frame + 1]);
    }
    EXPECT_EQ(Slice(out, 0, SourceFrames / 2), expected);
    EXPECT_EQ(m_music->GetState(), Sound::Stopped);
}

TEST_F(SoundStreaming, TempoBelowOneStaysWhole)
{
    m_music->SetTempo(0.5f);
    m_music->Play();
    const Samples out = Play(2 * SourceFrames + 20000, 735);
    for (std::size_t frame = 0; frame < SourceFrames; frame += 1)
    {
        ASSERT_EQ(out[4 * frame], m_source[2 * frame]) << frame;
        ASSERT_EQ(out[4 * frame + 1], m_source[2 * frame + 1]) << frame;
    }
    EXPECT_EQ(m_music->GetState(), Sound::Stopped);
}

TEST_F(SoundStreaming, PlayRightAfterTheEndStartsOver)
{
    m_music->Play();
    Play(SourceFrames, 4096);
    while (!Buffer().IsFinished())
        Play(4096, 4096);
    EXPECT_EQ(m_music->GetState(), Sound::Playing);
    EXPECT_TRUE(m_music->Play());
    EXPECT_EQ(Play(50000, 1000), Source(0, 50000));
    EXPECT_EQ(m_music->GetState(), Sound::Playing);
}

TEST_F(SoundStreaming, LoopingTurnedOffLateEndsAfterTheCurrentLap)
{
    m_music->SetLooping(1);
    m_music->Play();
    Samples out = Play(SourceFrames * 3 / 2, 1000);
    m_music->SetLooping(0);
    const Samples rest = Play(SourceFrames / 2 + 30000, 1000);
    out.insert(out.end(), rest.begin(), rest.end());
    EXPECT_EQ(Slice(out, 0, 2 * SourceFrames), Source(0, 2 * SourceFrames));
    EXPECT_EQ(Slice(out, 2 * SourceFrames, 8192), Samples(2 * 8192, 0));
    EXPECT_EQ(m_music->GetState(), Sound::Stopped);
}

TEST_F(SoundStreaming, PauseKeepsThePlaceAndStopRewinds)
{
    m_music->Play();
    Samples out = Play(300000, 1000);
    m_music->Pause();
    EXPECT_EQ(Play(5000, 1000), Samples(10000, 0));
    m_music->Play();
    const Samples resumed = Play(400000, 1000);
    out.insert(out.end(), resumed.begin(), resumed.end());
    EXPECT_EQ(out, Source(0, 700000));
    m_music->Stop();
    EXPECT_EQ(Play(1000, 1000), Samples(2000, 0));
    m_music->Play();
    EXPECT_EQ(Play(300000, 1000), Source(0, 300000));
}

// Pausing a stream that is not playing keeps nothing to resume: the next play starts it from the beginning,
// never from what an earlier play left in the circular buffer.
TEST_F(SoundStreaming, PlayAfterPausingAStoppedStreamStartsFromTheBeginning)
{
    m_music->Pause();
    m_music->Play();
    EXPECT_EQ(Play(300000, 1000), Source(0, 300000));
    m_music->Stop();
    m_music->Pause();
    EXPECT_EQ(m_music->GetState(), Sound::Paused);
    m_music->Play();
    EXPECT_EQ(Play(300000, 1000), Source(0, 300000));
}

TEST_F(SoundStreaming, TwoSoundsOfOneLongFileStreamOnTheirOwn)
{
    Sound* second = m_rig.Manager().CreateSound("MUSIC.WAV");
    EXPECT_NE(second->GetBuffer(), m_music->GetBuffer());
    m_music->Play();
    Play(100000, 1000);
    second->SetVolume(0.0f);
    second->Play();
    EXPECT_EQ(Play(400000, 1000), Source(100000, 400000));
}

TEST_F(SoundStreaming, StreamedOggDecodesThroughTheCircularBuffer)
{
    const std::vector<std::int16_t> music = TestSupport::MakeSoundMusic(300000, 2, 22050);
    m_rig.World().WriteData("long.ogg", TestSupport::MakeSoundOgg(2, 22050, music));
    Sound* ogg = m_rig.Manager().CreateSound("long.ogg");
    ASSERT_EQ(ogg->GetBuffer()->IsStreamed(), 1);
    ogg->Play();
    const Samples out = Play(320000, 735);
    EXPECT_EQ(ogg->GetState(), Sound::Stopped);

    VelkorEngine::SoundFileReaderOGG reader(m_rig.World().Log(), m_rig.World().Files(), "long.ogg");
    std::vector<std::uint8_t> decoded(reader.GetDataSize());
    u32 read = 0;
    u8 end = 0;
    reader.Read(decoded.data(), reader.GetDataSize(), read, end);
    EXPECT_EQ(Slice(out, 0, 300000), SoundSamples(decoded));
}
