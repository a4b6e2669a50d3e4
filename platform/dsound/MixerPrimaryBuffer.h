// The primary buffer: the output format of the mix and the way to the 3D listener. It holds no samples.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/dsound/DirectSound.h"

#include <memory>

namespace Platform
{
class AudioOutput;
class Mixer;

class MixerPrimaryBuffer : public RefCounted<IDirectSoundBuffer>
{
public:
    MixerPrimaryBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioOutput> output);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetStatus(DWORD* status) override;
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2, DWORD* length2,
                 DWORD flags) override;
    HRESULT Unlock(void* region1, DWORD length1, void* region2, DWORD length2) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT Stop() override;
    HRESULT SetCurrentPosition(DWORD position) override;
    // Only 16-bit stereo PCM: the mix is made in that shape; a new rate reopens the device.
    HRESULT SetFormat(const WAVEFORMATEX* format) override;
    HRESULT SetVolume(std::int32_t volume) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Restore() override;

private:
    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<AudioOutput> m_output;
};
}
