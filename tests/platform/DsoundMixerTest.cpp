// The software mixer driven directly: exact pass-through, sample formats, volume and pan laws, resampling,
// one-shot and looping ends, duplicates and deferred 3D settings.
#include "platform/dsound/Mixer.h"

#include "tests/support/SoundTestSignals.h"

#include <gtest/gtest.h>

#include <cmath>

using Platform::Mixer;
using Platform::Voice;
using Platform::VoiceFormat;
using TestSupport::MakeSoundRamp;
using TestSupport::SoundBytes;
using TestSupport::SoundSamples;

namespace
{
constexpr std::uint32_t MixerRate = 22050;
const VoiceFormat Stereo16{2, 16, MixerRate};

std::vector<std::int16_t> Render(Mixer& mixer, std::uint32_t frames)
{
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2, 12345);
    mixer.Render(out.data(), frames);
    return out;
}

std::shared_ptr<Voice> VoiceWith(Mixer& mixer, const VoiceFormat& format, const std::vector<std::uint8_t>& bytes,
                                 bool positioned = false)
{
    auto voice = mixer.CreateVoice(format, static_cast<std::uint32_t>(bytes.size()), positioned);
    mixer.Write(*voice, 0, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    return voice;
}

std::vector<std::uint8_t> Constant16(std::uint32_t frames, std::int16_t left, std::int16_t right)
{
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < frames; ++i)
    {
        samples.push_back(left);
        samples.push_back(right);
    }
    return SoundBytes(samples);
}
}

TEST(DsoundMixer, SilentWhenNothingPlays)
{
    Mixer mixer(MixerRate);
    VoiceWith(mixer, Stereo16, MakeSoundRamp(100));
    for (std::int16_t sample : Render(mixer, 64))
        EXPECT_EQ(sample, 0);
}

TEST(DsoundMixer, UnityStereoPassesThroughBitExact)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(5000);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.Play(*voice, false);
    std::vector<std::int16_t> out;
    for (int block = 0; block < 5; ++block)
    {
        const auto part = Render(mixer, 1000);
        out.insert(out.end(), part.begin(), part.end());
    }
    EXPECT_EQ(out, SoundSamples(source));
}

TEST(DsoundMixer, EightBitMonoGoesToBothChannels)
{
    Mixer mixer(MixerRate);
    auto voice = VoiceWith(mixer, {1, 8, MixerRate}, std::vector<std::uint8_t>(32, 192));
    mixer.Play(*voice, true);
    const auto out = Render(mixer, 16);
    for (std::int16_t sample : out)
        EXPECT_EQ(sample, 64 * 256);
}

TEST(DsoundMixer, SixteenBitMonoGoesToBothChannelsAtFullGain)
{
    Mixer mixer(MixerRate);
    auto voice = VoiceWith(mixer, {1, 16, MixerRate}, SoundBytes({-1000, 2000, -3000, 4000}));
    mixer.Play(*voice, false);
    const auto out = Render(mixer, 4);
    EXPECT_EQ(out, (std::vector<std::int16_t>{-1000, -1000, 2000, 2000, -3000, -3000, 4000, 4000}));
}

TEST(DsoundMixer, AttenuationIsHundredthsOfADecibel)
{
    struct Case
    {
        std::int32_t attenuation;
        std::int16_t expected;
    };
    const Case cases[] = {{0, 20000}, {-600, 10024}, {-693, 9006}, {-2000, 2000}, {-4000, 200}, {-10000, 0}};
    for (const Case& c : cases)
    {
        Mixer mixer(MixerRate);
        auto voice = VoiceWith(mixer, Stereo16, Constant16(8, 20000, -20000));
        mixer.SetAttenuation(*voice, c.attenuation);
        mixer.Play(*voice, true);
        const auto out = Render(mixer, 4);
        EXPECT_NEAR(out[0], c.expected, 1) << c.attenuation;
        EXPECT_NEAR(out[1], -c.expected, 1) << c.attenuation;
    }
}

TEST(DsoundMixer, GainLawMatchesTenToTheAttenuationOverTwoThousand)
{
    EXPECT_FLOAT_EQ(Platform::AttenuationToGain(0), 1.0f);
    EXPECT_NEAR(Platform::AttenuationToGain(-693), 0.4503f, 0.0001f); // the volume 0.5 of the engine
    EXPECT_NEAR(Platform::AttenuationToGain(-2000), 0.1f, 0.00001f);
    EXPECT_EQ(Platform::AttenuationToGain(-10000), 0.0f);
    EXPECT_EQ(Platform::AttenuationToGain(-20000), 0.0f);
}

TEST(DsoundMixer, SumsVoicesAndClampsInsteadOfWrapping)
{
    Mixer mixer(MixerRate);
    auto first = VoiceWith(mixer, Stereo16, Constant16(4, 30000, -30000));
    auto second = VoiceWith(mixer, Stereo16, Constant16(4, 30000, -30000));
    auto third = VoiceWith(mixer, Stereo16, Constant16(4, -100, 100));
    mixer.Play(*first, false);
    mixer.Play(*second, false);
    const auto out = Render(mixer, 2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{32767, -32768, 32767, -32768}));
    mixer.Stop(*first);
    mixer.Play(*third, false);
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{29900, -29900}));
}

TEST(DsoundMixer, DoubleFrequencyEndsInHalfTheFrames)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(1000);
    const auto samples = SoundSamples(source);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.SetFrequency(*voice, 2 * MixerRate);
    mixer.Play(*voice, false);
    const auto out = Render(mixer, 600);
    for (std::uint32_t i = 0; i < 500; ++i)
    {
        EXPECT_EQ(out[2 * i], samples[4 * i]) << i;
        EXPECT_EQ(out[2 * i + 1], samples[4 * i + 1]) << i;
    }
    for (std::uint32_t i = 1000; i < out.size(); ++i)
        EXPECT_EQ(out[i], 0);
    EXPECT_FALSE(mixer.IsPlaying(*voice));
}

TEST(DsoundMixer, HalfFrequencyInterpolatesBetweenFrames)
{
    Mixer mixer(MixerRate);
    auto voice = VoiceWith(mixer, {1, 16, MixerRate}, SoundBytes({0, 1000, 3000, 3000}));
    mixer.SetFrequency(*voice, MixerRate / 2);
    mixer.Play(*voice, false);
    const auto out = Render(mixer, 6);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 500, 500, 1000, 1000, 2000, 2000, 3000, 3000, 3000, 3000}));
}

TEST(DsoundMixer, SourceRateIsResampledToTheOutputRate)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(400);
    auto voice = VoiceWith(mixer, {2, 16, 44100}, source);
    mixer.Play(*voice, false);
    const auto out = Render(mixer, 250);
    EXPECT_EQ(out[2 * 10], SoundSamples(source)[2 * 20]);
    EXPECT_EQ(out[2 * 199 + 1], SoundSamples(source)[2 * 398 + 1]);
    EXPECT_EQ(out[2 * 200], 0);
}

TEST(DsoundMixer, FrequencyZeroRestoresTheFormatRate)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(100);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.SetFrequency(*voice, 3 * MixerRate);
    mixer.SetFrequency(*voice, 0);
    mixer.Play(*voice, false);
    EXPECT_EQ(Render(mixer, 100), SoundSamples(source));
}

TEST(DsoundMixer, OneShotStopsAndRewinds)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(10);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.Play(*voice, false);
    Render(mixer, 7);
    EXPECT_EQ(mixer.GetCursor(*voice), 7u * 4);
    EXPECT_TRUE(mixer.IsPlaying(*voice));
    Render(mixer, 7);
    EXPECT_FALSE(mixer.IsPlaying(*voice));
    EXPECT_EQ(mixer.GetCursor(*voice), 0u);
    mixer.Play(*voice, false);
    const auto again = Render(mixer, 10);
    EXPECT_EQ(again, SoundSamples(source));
}

TEST(DsoundMixer, LoopWrapsToTheStart)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(10);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.Play(*voice, true);
    const auto out = Render(mixer, 25);
    const auto samples = SoundSamples(source);
    for (std::uint32_t i = 0; i < 50; ++i)
        EXPECT_EQ(out[i], samples[i % 20]) << i;
    EXPECT_EQ(mixer.GetCursor(*voice), 5u * 4);
    EXPECT_TRUE(mixer.IsPlaying(*voice));
}

TEST(DsoundMixer, PlayOnAPlayingVoiceKeepsThePosition)
{
    Mixer mixer(MixerRate);
    auto voice = VoiceWith(mixer, Stereo16, MakeSoundRamp(100));
    mixer.Play(*voice, true);
    Render(mixer, 30);
    mixer.Play(*voice, false);
    EXPECT_EQ(mixer.GetCursor(*voice), 30u * 4);
    Render(mixer, 80);
    EXPECT_FALSE(mixer.IsPlaying(*voice));
}

TEST(DsoundMixer, StopKeepsThePositionAndSetCursorMovesIt)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(100);
    auto voice = VoiceWith(mixer, Stereo16, source);
    mixer.Play(*voice, false);
    Render(mixer, 40);
    mixer.Stop(*voice);
    Render(mixer, 10);
    EXPECT_EQ(mixer.GetCursor(*voice), 160u);
    mixer.SetCursor(*voice, 4 * 90 + 3);
    EXPECT_EQ(mixer.GetCursor(*voice), 360u);
    mixer.Play(*voice, false);
    const auto out = Render(mixer, 1);
    EXPECT_EQ(out[0], SoundSamples(source)[180]);
}

TEST(DsoundMixer, DuplicateSharesBytesAndOutlivesItsSource)
{
    Mixer mixer(MixerRate);
    const auto source = MakeSoundRamp(50);
    auto original = VoiceWith(mixer, Stereo16, source);
    mixer.SetAttenuation(*original, -10000);
    auto duplicate = mixer.DuplicateVoice(*original);
    mixer.SetAttenuation(*duplicate, 0);
    mixer.Play(*original, false);
    mixer.Play(*duplicate, false);
    mixer.RemoveVoice(original);
    original.reset();
    EXPECT_EQ(Render(mixer, 50), SoundSamples(source));
}

TEST(DsoundMixer, WritesAreClippedToTheVoice)
{
    Mixer mixer(MixerRate);
    auto voice = mixer.CreateVoice(Stereo16, 8, false);
    const auto bytes = SoundBytes({1, 2, 3, 4, 5, 6});
    mixer.Write(*voice, 4, bytes.data(), 12);
    mixer.Write(*voice, 8, bytes.data(), 4);
    mixer.Play(*voice, false);
    EXPECT_EQ(Render(mixer, 2), (std::vector<std::int16_t>{0, 0, 1, 2}));
}

TEST(DsoundMixer, ThreeDVoiceFadesWithDistanceAndPansToItsSide)
{
    struct Case
    {
        Platform::MixerVector position;
        std::int16_t left;
        std::int16_t right;
    };
    // Default listener: at the origin, front +z, top +y, so +x is to the right.
    const Case cases[] = {
        {{0.0f, 0.0f, 0.5f}, 16000, 16000}, {{0.0f, 0.0f, 4.0f}, 4000, 4000}, {{2.0f, 0.0f, 0.0f}, 0, 8000},
        {{-4.0f, 0.0f, 0.0f}, 4000, 0},     {{1.0f, 0.0f, 1.0f}, 3314, 11314}, {{0.0f, 0.0f, 0.0f}, 16000, 16000},
    };
    for (const Case& c : cases)
    {
        Mixer mixer(MixerRate);
        auto voice = VoiceWith(mixer, {1, 16, MixerRate}, SoundBytes({16000, 16000}), true);
        mixer.SetVoicePosition(*voice, c.position, false);
        mixer.Play(*voice, true);
        const auto out = Render(mixer, 1);
        EXPECT_NEAR(out[0], c.left, 1) << c.position.x << " " << c.position.z;
        EXPECT_NEAR(out[1], c.right, 1) << c.position.x << " " << c.position.z;
    }
}

TEST(DsoundMixer, DeferredPositionsWaitForTheCommit)
{
    Mixer mixer(MixerRate);
    auto voice = VoiceWith(mixer, {1, 16, MixerRate}, SoundBytes({16000, 16000}), true);
    mixer.Play(*voice, true);
    mixer.SetVoicePosition(*voice, {4.0f, 0.0f, 0.0f}, true);
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{16000, 16000}));
    mixer.CommitDeferredSettings();
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{0, 4000}));

    // Turning the listener round (front -z) puts +x on the left.
    mixer.SetListenerOrientation({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}, true);
    mixer.SetListenerPosition({2.0f, 0.0f, 0.0f}, true);
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{0, 4000}));
    mixer.CommitDeferredSettings();
    EXPECT_EQ(Render(mixer, 1), (std::vector<std::int16_t>{8000, 0}));
}

TEST(DsoundMixer, OutputRateChangesTheStep)
{
    Mixer mixer(MixerRate);
    mixer.SetOutputRate(44100);
    EXPECT_EQ(mixer.GetOutputRate(), 44100u);
    auto voice = VoiceWith(mixer, {1, 16, MixerRate}, SoundBytes({0, 2000, 2000}));
    mixer.Play(*voice, false);
    EXPECT_EQ(Render(mixer, 3), (std::vector<std::int16_t>{0, 0, 1000, 1000, 2000, 2000}));
}
