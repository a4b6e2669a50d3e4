// Listener settings handed to the mixer.
#include "platform/dsound/MixerListener.h"

#include "platform/dsound/Mixer.h"

namespace Platform
{
bool IsValidApply(DWORD apply) { return apply == DS3D_IMMEDIATE || apply == DS3D_DEFERRED; }

MixerListener::MixerListener(std::shared_ptr<Mixer> mixer) : m_mixer(std::move(mixer)) {}

HRESULT MixerListener::SetPosition(float x, float y, float z, DWORD apply)
{
    if (!IsValidApply(apply))
        return DSERR_INVALIDPARAM;
    m_mixer->SetListenerPosition({x, y, z}, apply == DS3D_DEFERRED);
    return DS_OK;
}

HRESULT MixerListener::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                                      DWORD apply)
{
    if (!IsValidApply(apply))
        return DSERR_INVALIDPARAM;
    m_mixer->SetListenerOrientation({frontX, frontY, frontZ}, {topX, topY, topZ}, apply == DS3D_DEFERRED);
    return DS_OK;
}

HRESULT MixerListener::CommitDeferredSettings()
{
    m_mixer->CommitDeferredSettings();
    return DS_OK;
}
}
