// Sound devices for the tests, installed as DirectSoundCreate's device while they live: the real mixer
// without an audio device (the test renders it itself), or a recording fake with scripted results.
#pragma once

#include "platform/dsound/DirectSound.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform
{
class Mixer;
}

namespace TestSupport
{
class SoundMixerDevice
{
public:
    SoundMixerDevice();
    ~SoundMixerDevice();

    SoundMixerDevice(const SoundMixerDevice&) = delete;
    SoundMixerDevice& operator=(const SoundMixerDevice&) = delete;

    Platform::Mixer& GetMixer() { return *m_mixer; }
    // Mixes the next frames (16-bit stereo, interleaved).
    std::vector<std::int16_t> Render(std::uint32_t frames);

private:
    std::shared_ptr<Platform::Mixer> m_mixer;
};

struct SoundFakeScript
{
    HRESULT create = DS_OK;
    HRESULT cooperativeLevel = DS_OK;
    HRESULT primaryBuffer = DS_OK;
    HRESULT format = DS_OK;
    HRESULT listener = DS_OK;
    HRESULT status = DS_OK;
    DWORD primaryStatus = 0;
    HRESULT commit = DS_OK;
};

// Records every call that reaches the device, its primary buffer and listener, one text per call.
class SoundFakeDevice
{
public:
    explicit SoundFakeDevice(const SoundFakeScript& script = {});
    ~SoundFakeDevice();

    SoundFakeDevice(const SoundFakeDevice&) = delete;
    SoundFakeDevice& operator=(const SoundFakeDevice&) = delete;

    SoundFakeScript& Script() { return m_script; }
    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    void Record(const std::string& call);

private:
    SoundFakeScript m_script;
    std::vector<std::string> m_calls;
};
}
