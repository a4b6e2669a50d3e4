// The DirectSound-shaped device: validates buffer descriptions and makes buffers that play through the mixer.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/dsound/DirectSound.h"

#include <memory>

namespace Platform
{
class AudioOutput;
class Mixer;

class MixerDevice : public RefCounted<IDirectSound>
{
public:
    // Without an output the device plays into the mixer only, and whoever holds the mixer renders it.
    MixerDevice(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioOutput> output);

    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer) override;
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** duplicate) override;

private:
    HRESULT CreatePrimaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer);
    HRESULT CreateSecondaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer);

    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<AudioOutput> m_output;
};

// Whether the mixer can play PCM of this shape: 1 or 2 channels of 8 or 16 bits at 100..100000 Hz.
bool IsPlayableFormat(const WAVEFORMATEX& format);
}
