// Output format and listener access of the mixer-backed primary buffer.
#include "platform/dsound/MixerPrimaryBuffer.h"

#include "platform/dsound/AudioOutput.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerDevice.h"
#include "platform/dsound/MixerListener.h"

namespace Platform
{
MixerPrimaryBuffer::MixerPrimaryBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioOutput> output)
    : m_mixer(std::move(mixer)), m_output(std::move(output))
{
}

HRESULT MixerPrimaryBuffer::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!(iid == IID_IDirectSound3DListener))
        return DSERR_NOINTERFACE;
    *object = static_cast<IDirectSound3DListener*>(new MixerListener(m_mixer));
    return DS_OK;
}

HRESULT MixerPrimaryBuffer::GetStatus(DWORD* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    *status = 0;
    return DS_OK;
}

HRESULT MixerPrimaryBuffer::GetCurrentPosition(DWORD*, DWORD*) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::Lock(DWORD, DWORD, void**, DWORD*, void**, DWORD*, DWORD) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::Unlock(void*, DWORD, void*, DWORD) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::Play(DWORD, DWORD, DWORD) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::Stop() { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::SetCurrentPosition(DWORD) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::SetFormat(const WAVEFORMATEX* format)
{
    if (!format)
        return DSERR_INVALIDPARAM;
    if (!IsPlayableFormat(*format) || format->nChannels != 2 || format->wBitsPerSample != 16)
        return DSERR_BADFORMAT;
    if (format->nSamplesPerSec == m_mixer->GetOutputRate())
        return DS_OK;
    if (m_output)
        return m_output->Open(format->nSamplesPerSec) ? DS_OK : DSERR_NODRIVER;
    m_mixer->SetOutputRate(format->nSamplesPerSec);
    return DS_OK;
}

HRESULT MixerPrimaryBuffer::SetVolume(std::int32_t) { return DSERR_UNSUPPORTED; }

HRESULT MixerPrimaryBuffer::SetFrequency(DWORD) { return DSERR_INVALIDCALL; }

HRESULT MixerPrimaryBuffer::Restore() { return DS_OK; }
}
