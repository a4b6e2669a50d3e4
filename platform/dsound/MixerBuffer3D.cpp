// 3D buffer positions handed to the mixer.
#include "platform/dsound/MixerBuffer3D.h"

#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerListener.h"

namespace Platform
{
MixerBuffer3D::MixerBuffer3D(std::shared_ptr<Mixer> mixer, std::shared_ptr<Voice> voice)
    : m_mixer(std::move(mixer)), m_voice(std::move(voice))
{
}

HRESULT MixerBuffer3D::SetPosition(float x, float y, float z, DWORD apply)
{
    if (!IsValidApply(apply))
        return DSERR_INVALIDPARAM;
    m_mixer->SetVoicePosition(*m_voice, {x, y, z}, apply == DS3D_DEFERRED);
    return DS_OK;
}
}
