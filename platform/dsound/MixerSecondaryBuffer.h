// A secondary buffer: sample bytes written through Lock/Unlock and played by one mixer voice, with looping,
// an exact play cursor, volume, frequency and (for mono buffers that asked for it) a 3D position.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/dsound/DirectSound.h"

#include <memory>
#include <vector>

namespace Platform
{
class Mixer;
struct Voice;

class MixerSecondaryBuffer : public RefCounted<IDirectSoundBuffer>
{
public:
    MixerSecondaryBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<Voice> voice, DWORD flags);

    // A new buffer over the same bytes with its own cursor, volume and frequency.
    MixerSecondaryBuffer* Duplicate();

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetStatus(DWORD* status) override;
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
    // The regions point into a staging copy; Unlock moves it into the buffer under the mixer's lock, so
    // the audio thread never reads half-written bytes.
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2, DWORD* length2,
                 DWORD flags) override;
    HRESULT Unlock(void* region1, DWORD length1, void* region2, DWORD length2) override;
    // On a playing buffer only the looping changes; the position stays.
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT Stop() override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(const WAVEFORMATEX* format) override;
    HRESULT SetVolume(std::int32_t volume) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Restore() override;

protected:
    ~MixerSecondaryBuffer() override;

private:
    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<Voice> m_voice;
    DWORD m_flags;
    DWORD m_size;
    std::vector<std::uint8_t> m_staging;
    DWORD m_lockOffset = 0;
    bool m_locked = false;
};
}
