// Secondary buffer operations mapped onto the mixer's voice.
#include "platform/dsound/MixerSecondaryBuffer.h"

#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerBuffer3D.h"

#include <algorithm>

namespace Platform
{
MixerSecondaryBuffer::MixerSecondaryBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<Voice> voice, DWORD flags)
    : m_mixer(std::move(mixer)), m_voice(std::move(voice)), m_flags(flags), m_size(m_mixer->GetSize(*m_voice))
{
}

MixerSecondaryBuffer::~MixerSecondaryBuffer() { m_mixer->RemoveVoice(m_voice); }

MixerSecondaryBuffer* MixerSecondaryBuffer::Duplicate()
{
    return new MixerSecondaryBuffer(m_mixer, m_mixer->DuplicateVoice(*m_voice), m_flags);
}

HRESULT MixerSecondaryBuffer::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!(iid == IID_IDirectSound3DBuffer) || !(m_flags & DSBCAPS_CTRL3D))
        return DSERR_NOINTERFACE;
    *object = static_cast<IDirectSound3DBuffer*>(new MixerBuffer3D(m_mixer, m_voice));
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::GetStatus(DWORD* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    *status = m_mixer->IsPlaying(*m_voice) ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor)
{
    const DWORD cursor = m_mixer->GetCursor(*m_voice);
    if (playCursor)
        *playCursor = cursor;
    if (writeCursor)
        *writeCursor = cursor;
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2,
                                   DWORD* length2, DWORD flags)
{
    if (!region1 || !length1 || offset >= m_size || bytes == 0 || bytes > m_size || flags != 0)
        return DSERR_INVALIDPARAM;
    if (m_locked)
        return DSERR_INVALIDCALL;
    const DWORD first = std::min(bytes, m_size - offset);
    if (first < bytes && (!region2 || !length2))
        return DSERR_INVALIDPARAM;
    m_staging.assign(bytes, 0);
    m_lockOffset = offset;
    m_locked = true;
    *region1 = m_staging.data();
    *length1 = first;
    if (region2 && length2)
    {
        *region2 = first < bytes ? m_staging.data() + first : nullptr;
        *length2 = bytes - first;
    }
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::Unlock(void* region1, DWORD length1, void* region2, DWORD length2)
{
    if (!m_locked)
        return DSERR_INVALIDCALL;
    m_locked = false;
    const DWORD first = std::min<DWORD>(m_size - m_lockOffset, static_cast<DWORD>(m_staging.size()));
    const DWORD second = static_cast<DWORD>(m_staging.size()) - first;
    if (region1 != m_staging.data() || length1 > first || (length2 != 0 && region2 != m_staging.data() + first) ||
        length2 > second)
        return DSERR_INVALIDPARAM;
    m_mixer->Write(*m_voice, m_lockOffset, m_staging.data(), length1);
    if (length2 != 0)
        m_mixer->Write(*m_voice, 0, m_staging.data() + first, length2);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::Play(DWORD reserved, DWORD priority, DWORD flags)
{
    if (reserved != 0 || priority != 0 || (flags & ~DSBPLAY_LOOPING) != 0)
        return DSERR_INVALIDPARAM;
    m_mixer->Play(*m_voice, (flags & DSBPLAY_LOOPING) != 0);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::Stop()
{
    m_mixer->Stop(*m_voice);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::SetCurrentPosition(DWORD position)
{
    if (position >= m_size)
        return DSERR_INVALIDPARAM;
    m_mixer->SetCursor(*m_voice, position);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::SetFormat(const WAVEFORMATEX*) { return DSERR_INVALIDCALL; }

HRESULT MixerSecondaryBuffer::SetVolume(std::int32_t volume)
{
    if (!(m_flags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    m_mixer->SetAttenuation(*m_voice, volume);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::SetFrequency(DWORD frequency)
{
    if (!(m_flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    const bool inRange = frequency >= DSBFREQUENCY_MIN && frequency <= DSBFREQUENCY_MAX;
    if (frequency != DSBFREQUENCY_ORIGINAL && !inRange)
        return DSERR_INVALIDPARAM;
    m_mixer->SetFrequency(*m_voice, frequency);
    return DS_OK;
}

HRESULT MixerSecondaryBuffer::Restore() { return DS_OK; }
}
