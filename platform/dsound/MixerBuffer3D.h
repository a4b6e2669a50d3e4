// The 3D side of a mono secondary buffer: its position relative to the listener.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/dsound/DirectSound.h"

#include <memory>

namespace Platform
{
class Mixer;
struct Voice;

class MixerBuffer3D : public RefCounted<IDirectSound3DBuffer>
{
public:
    MixerBuffer3D(std::shared_ptr<Mixer> mixer, std::shared_ptr<Voice> voice);

    HRESULT SetPosition(float x, float y, float z, DWORD apply) override;

private:
    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<Voice> m_voice;
};
}
