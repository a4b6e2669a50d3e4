// The software mixer behind the DirectSound-shaped buffers: every playing voice is resampled to the output
// rate, scaled by its volume and 3D placement and summed into 16-bit stereo. The audio thread calls Render
// while the main thread changes voices, so every operation takes the one mixer lock.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Platform
{
struct MixerVector
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct VoiceFormat
{
    std::uint32_t channels = 0;      // 1 or 2
    std::uint32_t bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    std::uint32_t sampleRate = 0;
};

// One buffer's playing state. Duplicates share the sample bytes and keep their own cursor, volume and
// frequency. Only the mixer touches the fields, under its lock.
struct Voice
{
    std::shared_ptr<std::vector<std::uint8_t>> bytes;
    VoiceFormat format;
    std::uint32_t blockAlign = 0;
    std::uint32_t frameCount = 0;
    std::uint32_t frame = 0;
    std::uint32_t fraction = 0; // of a source frame, in 1/2^32
    bool playing = false;
    bool looping = false;
    std::int32_t attenuation = 0; // hundredths of a decibel, -10000..0
    std::uint32_t frequency = 0;  // 0: the format's own rate
    bool positioned = false;      // a 3D voice
    MixerVector pendingPosition;
    MixerVector position;
};

class Mixer
{
public:
    explicit Mixer(std::uint32_t outputRate);

    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    std::uint32_t GetOutputRate() const;
    void SetOutputRate(std::uint32_t rate);

    // A new voice over size bytes of silence; the voice joins the mix and plays once started.
    std::shared_ptr<Voice> CreateVoice(const VoiceFormat& format, std::uint32_t size, bool positioned);
    // A second voice over the same bytes, stopped at the start, with the source's volume and frequency.
    std::shared_ptr<Voice> DuplicateVoice(const Voice& source);
    void RemoveVoice(const std::shared_ptr<Voice>& voice);

    std::uint32_t GetSize(const Voice& voice) const;
    void Write(Voice& voice, std::uint32_t offset, const void* data, std::uint32_t count);

    void Play(Voice& voice, bool looping);
    void Stop(Voice& voice);
    bool IsPlaying(const Voice& voice) const;
    // Byte offset of the next frame the mixer takes from the voice.
    std::uint32_t GetCursor(const Voice& voice) const;
    void SetCursor(Voice& voice, std::uint32_t byteOffset);
    void SetAttenuation(Voice& voice, std::int32_t attenuation);
    void SetFrequency(Voice& voice, std::uint32_t frequency);

    // Deferred values wait for CommitDeferredSettings, which applies the listener's and every voice's at once.
    void SetVoicePosition(Voice& voice, const MixerVector& position, bool deferred);
    void SetListenerPosition(const MixerVector& position, bool deferred);
    void SetListenerOrientation(const MixerVector& front, const MixerVector& top, bool deferred);
    void CommitDeferredSettings();

    // Mixes the next frames of every playing voice into interleaved stereo samples (left, right).
    void Render(std::int16_t* output, std::uint32_t frames);

private:
    struct Listener
    {
        MixerVector position;
        MixerVector front{0.0f, 0.0f, 1.0f};
        MixerVector top{0.0f, 1.0f, 0.0f};
    };
    struct Gains
    {
        float left = 0.0f;
        float right = 0.0f;
    };

    Gains GainsOf(const Voice& voice) const;
    void MixVoice(Voice& voice, float* accumulator, std::uint32_t frames) const;

    mutable std::mutex m_mutex;
    std::uint32_t m_outputRate;
    std::vector<std::shared_ptr<Voice>> m_voices;
    Listener m_pendingListener;
    Listener m_listener;
    std::vector<float> m_accumulator;
};

// Linear gain of an attenuation in hundredths of a decibel; -10000 and below are silence.
float AttenuationToGain(std::int32_t attenuation);
}
