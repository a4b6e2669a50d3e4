// Software mixing of the sound buffers: linear-interpolation resampling, decibel volume, distance and pan.
#include "platform/dsound/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform
{
namespace
{
constexpr std::int32_t SilentAttenuation = -10000;
constexpr float MinimumDistance = 1.0f;
constexpr float Tolerance = 0.0001f;
constexpr float FractionScale = 1.0f / 4294967296.0f;

MixerVector Subtract(const MixerVector& a, const MixerVector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(const MixerVector& a, const MixerVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(const MixerVector& v) { return std::sqrt(Dot(v, v)); }
MixerVector Cross(const MixerVector& a, const MixerVector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

template <std::uint32_t Bits>
float SampleAt(const std::uint8_t* data, std::uint32_t index)
{
    if constexpr (Bits == 8)
        return (static_cast<float>(data[index]) - 128.0f) * 256.0f;
    else
    {
        std::int16_t value = 0;
        std::memcpy(&value, data + index * 2u, 2);
        return static_cast<float>(value);
    }
}

// Mixes one voice of a fixed layout; returns false when a one-shot voice ran out of frames.
template <std::uint32_t Channels, std::uint32_t Bits>
bool MixFrames(Voice& voice, float left, float right, std::uint64_t step, float* accumulator, std::uint32_t frames)
{
    const std::uint8_t* data = voice.bytes->data();
    const std::uint64_t count = voice.frameCount;
    std::uint64_t frame = voice.frame;
    std::uint32_t fraction = voice.fraction;
    for (std::uint32_t i = 0; i < frames; ++i)
    {
        std::uint64_t next = frame + 1;
        if (next >= count)
            next = voice.looping ? 0 : frame;
        const float t = static_cast<float>(fraction) * FractionScale;
        const std::uint32_t here = static_cast<std::uint32_t>(frame) * Channels;
        const std::uint32_t there = static_cast<std::uint32_t>(next) * Channels;
        const float first = SampleAt<Bits>(data, here);
        const float firstValue = first + (SampleAt<Bits>(data, there) - first) * t;
        float secondValue = firstValue;
        if constexpr (Channels == 2)
        {
            const float second = SampleAt<Bits>(data, here + 1);
            secondValue = second + (SampleAt<Bits>(data, there + 1) - second) * t;
        }
        accumulator[2 * i] += firstValue * left;
        accumulator[2 * i + 1] += secondValue * right;

        const std::uint64_t advanced = static_cast<std::uint64_t>(fraction) + step;
        fraction = static_cast<std::uint32_t>(advanced);
        frame += advanced >> 32;
        if (frame >= count)
        {
            if (!voice.looping)
                return false;
            frame %= count;
        }
    }
    voice.frame = static_cast<std::uint32_t>(frame);
    voice.fraction = fraction;
    return true;
}
}

float AttenuationToGain(std::int32_t attenuation)
{
    if (attenuation <= SilentAttenuation)
        return 0.0f;
    return std::pow(10.0f, static_cast<float>(attenuation) / 2000.0f);
}

Mixer::Mixer(std::uint32_t outputRate) : m_outputRate(outputRate) {}

std::uint32_t Mixer::GetOutputRate() const
{
    std::lock_guard lock(m_mutex);
    return m_outputRate;
}

void Mixer::SetOutputRate(std::uint32_t rate)
{
    std::lock_guard lock(m_mutex);
    m_outputRate = rate;
}

std::shared_ptr<Voice> Mixer::CreateVoice(const VoiceFormat& format, std::uint32_t size, bool positioned)
{
    auto voice = std::make_shared<Voice>();
    const std::uint8_t silence = format.bitsPerSample == 8 ? 128 : 0;
    voice->bytes = std::make_shared<std::vector<std::uint8_t>>(size, silence);
    voice->format = format;
    voice->blockAlign = format.channels * format.bitsPerSample / 8;
    voice->frameCount = size / voice->blockAlign;
    voice->positioned = positioned;
    std::lock_guard lock(m_mutex);
    m_voices.push_back(voice);
    return voice;
}

std::shared_ptr<Voice> Mixer::DuplicateVoice(const Voice& source)
{
    auto voice = std::make_shared<Voice>();
    std::lock_guard lock(m_mutex);
    voice->bytes = source.bytes;
    voice->format = source.format;
    voice->blockAlign = source.blockAlign;
    voice->frameCount = source.frameCount;
    voice->attenuation = source.attenuation;
    voice->frequency = source.frequency;
    voice->positioned = source.positioned;
    voice->pendingPosition = source.pendingPosition;
    voice->position = source.position;
    m_voices.push_back(voice);
    return voice;
}

void Mixer::RemoveVoice(const std::shared_ptr<Voice>& voice)
{
    std::lock_guard lock(m_mutex);
    m_voices.erase(std::remove(m_voices.begin(), m_voices.end(), voice), m_voices.end());
}

std::uint32_t Mixer::GetSize(const Voice& voice) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<std::uint32_t>(voice.bytes->size());
}

void Mixer::Write(Voice& voice, std::uint32_t offset, const void* data, std::uint32_t count)
{
    std::lock_guard lock(m_mutex);
    std::vector<std::uint8_t>& bytes = *voice.bytes;
    if (offset >= bytes.size() || count == 0)
        return;
    count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(bytes.size()) - offset);
    std::memcpy(bytes.data() + offset, data, count);
}

void Mixer::Play(Voice& voice, bool looping)
{
    std::lock_guard lock(m_mutex);
    voice.playing = voice.frameCount > 0;
    voice.looping = looping;
}

void Mixer::Stop(Voice& voice)
{
    std::lock_guard lock(m_mutex);
    voice.playing = false;
}

bool Mixer::IsPlaying(const Voice& voice) const
{
    std::lock_guard lock(m_mutex);
    return voice.playing;
}

std::uint32_t Mixer::GetCursor(const Voice& voice) const
{
    std::lock_guard lock(m_mutex);
    return voice.frame * voice.blockAlign;
}

void Mixer::SetCursor(Voice& voice, std::uint32_t byteOffset)
{
    std::lock_guard lock(m_mutex);
    voice.frame = std::min(byteOffset / voice.blockAlign, voice.frameCount);
    if (voice.frame == voice.frameCount)
        voice.frame = 0;
    voice.fraction = 0;
}

void Mixer::SetAttenuation(Voice& voice, std::int32_t attenuation)
{
    std::lock_guard lock(m_mutex);
    voice.attenuation = attenuation;
}

void Mixer::SetFrequency(Voice& voice, std::uint32_t frequency)
{
    std::lock_guard lock(m_mutex);
    voice.frequency = frequency;
}

void Mixer::SetVoicePosition(Voice& voice, const MixerVector& position, bool deferred)
{
    std::lock_guard lock(m_mutex);
    voice.pendingPosition = position;
    if (!deferred)
        voice.position = position;
}

void Mixer::SetListenerPosition(const MixerVector& position, bool deferred)
{
    std::lock_guard lock(m_mutex);
    m_pendingListener.position = position;
    if (!deferred)
        m_listener.position = position;
}

void Mixer::SetListenerOrientation(const MixerVector& front, const MixerVector& top, bool deferred)
{
    std::lock_guard lock(m_mutex);
    m_pendingListener.front = front;
    m_pendingListener.top = top;
    if (!deferred)
    {
        m_listener.front = front;
        m_listener.top = top;
    }
}

void Mixer::CommitDeferredSettings()
{
    std::lock_guard lock(m_mutex);
    m_listener = m_pendingListener;
    for (const std::shared_ptr<Voice>& voice : m_voices)
        voice->position = voice->pendingPosition;
}

// A 3D voice fades with distance beyond one unit and is panned by the side it lies on (the far ear is
// attenuated); other voices play at their volume on both channels.
Mixer::Gains Mixer::GainsOf(const Voice& voice) const
{
    const float volume = AttenuationToGain(voice.attenuation);
    if (!voice.positioned)
        return {volume, volume};
    const MixerVector direction = Subtract(voice.position, m_listener.position);
    const float distance = Length(direction);
    if (!(distance > Tolerance))
        return {volume, volume};
    const float distanceGain = distance > MinimumDistance ? MinimumDistance / distance : 1.0f;
    const MixerVector right = Cross(m_listener.top, m_listener.front);
    const float rightLength = Length(right);
    float side = 0.0f;
    if (rightLength > Tolerance)
        side = std::clamp(Dot(direction, right) / (distance * rightLength), -1.0f, 1.0f);
    const float gain = volume * distanceGain;
    return {side > 0.0f ? gain * (1.0f - side) : gain, side < 0.0f ? gain * (1.0f + side) : gain};
}

void Mixer::MixVoice(Voice& voice, float* accumulator, std::uint32_t frames) const
{
    const std::uint32_t rate = voice.frequency != 0 ? voice.frequency : voice.format.sampleRate;
    const std::uint64_t step = (static_cast<std::uint64_t>(rate) << 32) / m_outputRate;
    const Gains gains = GainsOf(voice);
    bool more = true;
    const bool wide = voice.format.bitsPerSample == 16;
    if (voice.format.channels == 2)
        more = wide ? MixFrames<2, 16>(voice, gains.left, gains.right, step, accumulator, frames)
                    : MixFrames<2, 8>(voice, gains.left, gains.right, step, accumulator, frames);
    else
        more = wide ? MixFrames<1, 16>(voice, gains.left, gains.right, step, accumulator, frames)
                    : MixFrames<1, 8>(voice, gains.left, gains.right, step, accumulator, frames);
    if (!more)
    {
        // A finished one-shot rewinds, so playing it again starts it over.
        voice.playing = false;
        voice.frame = 0;
        voice.fraction = 0;
    }
}

void Mixer::Render(std::int16_t* output, std::uint32_t frames)
{
    std::lock_guard lock(m_mutex);
    m_accumulator.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
    for (const std::shared_ptr<Voice>& voice : m_voices)
        if (voice->playing)
            MixVoice(*voice, m_accumulator.data(), frames);
    for (std::size_t i = 0; i < m_accumulator.size(); ++i)
        output[i] = static_cast<std::int16_t>(std::lrintf(std::clamp(m_accumulator[i], -32768.0f, 32767.0f)));
}
}
