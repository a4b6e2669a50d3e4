// Buffer creation and duplication for the mixer-backed DirectSound-shaped device.
#include "platform/dsound/MixerDevice.h"

#include "platform/dsound/AudioOutput.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/MixerPrimaryBuffer.h"
#include "platform/dsound/MixerSecondaryBuffer.h"

#include <new>

namespace Platform
{
namespace
{
constexpr DWORD PrimaryFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D;
constexpr DWORD SecondaryFlags = DSBCAPS_STATIC | DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
constexpr std::uint32_t DefaultRate = 22050;
}

bool IsPlayableFormat(const WAVEFORMATEX& format)
{
    const bool channelsOk = format.nChannels == 1 || format.nChannels == 2;
    const bool bitsOk = format.wBitsPerSample == 8 || format.wBitsPerSample == 16;
    const bool rateOk = format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
    return format.wFormatTag == WAVE_FORMAT_PCM && channelsOk && bitsOk && rateOk &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

MixerDevice::MixerDevice(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioOutput> output)
    : m_mixer(std::move(mixer)), m_output(std::move(output))
{
}

HRESULT MixerDevice::SetCooperativeLevel(HWND, DWORD level)
{
    return level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT MixerDevice::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer)
{
    if (outer)
        return DSERR_NOAGGREGATION;
    if (!desc || !buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER)
        return CreatePrimaryBuffer(*desc, buffer);
    return CreateSecondaryBuffer(*desc, buffer);
}

HRESULT MixerDevice::CreatePrimaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer)
{
    if ((desc.dwFlags & ~PrimaryFlags) != 0 || desc.dwBufferBytes != 0 || desc.lpwfxFormat)
        return DSERR_INVALIDPARAM;
    if (m_output && !m_output->Open(DefaultRate))
        return DSERR_NODRIVER;
    *buffer = new MixerPrimaryBuffer(m_mixer, m_output);
    return DS_OK;
}

HRESULT MixerDevice::CreateSecondaryBuffer(const DSBUFFERDESC& desc, IDirectSoundBuffer** buffer)
{
    if ((desc.dwFlags & ~SecondaryFlags) != 0 || !desc.lpwfxFormat)
        return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& format = *desc.lpwfxFormat;
    if (!IsPlayableFormat(format))
        return DSERR_BADFORMAT;
    if (desc.dwBufferBytes < DSBSIZE_MIN || desc.dwBufferBytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;
    const bool positioned = (desc.dwFlags & DSBCAPS_CTRL3D) != 0;
    if (positioned && format.nChannels != 1)
        return DSERR_INVALIDPARAM;
    try
    {
        const VoiceFormat voiceFormat{format.nChannels, format.wBitsPerSample, format.nSamplesPerSec};
        std::shared_ptr<Voice> voice = m_mixer->CreateVoice(voiceFormat, desc.dwBufferBytes, positioned);
        *buffer = new MixerSecondaryBuffer(m_mixer, std::move(voice), desc.dwFlags);
    }
    catch (const std::bad_alloc&)
    {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT MixerDevice::DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** duplicate)
{
    if (!source || !duplicate)
        return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    auto* secondary = dynamic_cast<MixerSecondaryBuffer*>(source);
    if (!secondary)
        return DSERR_INVALIDCALL;
    *duplicate = secondary->Duplicate();
    return DS_OK;
}
}
