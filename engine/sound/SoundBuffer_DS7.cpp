// Platform buffer creation, chunk writes, the refill window of streams and the play controls.
#include "engine/sound/SoundBuffer_DS7.h"

#include "engine/core/MessageManager.h"
#include "engine/sound/SoundSystem_DS7.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u16 FormatExtraSize = 18;
// A chunk is refilled once the point this far behind the play position has left it.
constexpr u64 RefillLag = 0x10000;
// A one-shot stream plays one chunk of its silent tail before it is stopped.
constexpr u64 EndMargin = 32768;

u64 RefillPoint(u64 played) { return played > RefillLag ? played - RefillLag : 0; }

// A tempo that gives no frequency (negative, not a number, too large) becomes one the device refuses and
// reports, rather than an undefined conversion.
DWORD FrequencyOf(u32 sampleRate, f32 tempo)
{
    const f32 frequency = static_cast<f32>(sampleRate) * tempo;
    if (!(frequency >= 0.0f && frequency < 4.0e9f))
        return 0xFFFFFFFFu;
    return static_cast<DWORD>(frequency);
}
}

SoundBuffer_DS7::SoundBuffer_DS7(MessageManager* log, FileManager* fileManager, SoundSystem_DS7* soundSystem,
                                 const std::string& name)
    : SoundBuffer(log, fileManager, name), m_soundSystem(soundSystem), m_device(soundSystem->GetDevice())
{
    Load(nullptr);
}

SoundBuffer_DS7::SoundBuffer_DS7(SoundSystem_DS7* soundSystem, const SoundBuffer& source)
    : SoundBuffer(source), m_soundSystem(soundSystem), m_device(soundSystem->GetDevice()),
      m_volume(dynamic_cast<const SoundBuffer_DS7&>(source).m_volume)
{
    Load(&source);
}

SoundBuffer_DS7::~SoundBuffer_DS7() { Release(); }

void SoundBuffer_DS7::Release()
{
    SoundBuffer::Release();
    ReleaseBuffer();
}

void SoundBuffer_DS7::ReleaseBuffer()
{
    if (m_buffer3D)
        m_buffer3D->Release();
    m_buffer3D = nullptr;
    if (m_buffer)
        m_buffer->Release();
    m_buffer = nullptr;
}

void SoundBuffer_DS7::Create(const SoundBuffer* source)
{
    if (m_buffer)
        return;
    if (source)
    {
        auto& original = dynamic_cast<const SoundBuffer_DS7&>(*source);
        if (!original.m_buffer || FAILED(m_device->DuplicateSoundBuffer(original.m_buffer, &m_buffer)))
        {
            m_buffer = nullptr;
            m_log->Error("Sound System: DirectSound buffers overflow");
            return;
        }
    }
    else
    {
        WAVEFORMATEX format;
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = static_cast<u16>(std::min<u32>(m_channels, 0xFFFF));
        format.nSamplesPerSec = m_sampleRate;
        format.wBitsPerSample = static_cast<u16>(std::min<u32>(m_bitsPerSample, 0xFFFF));
        format.nBlockAlign = static_cast<u16>(format.nChannels * format.wBitsPerSample / 8);
        format.nAvgBytesPerSec = m_sampleRate * format.nBlockAlign;
        format.cbSize = FormatExtraSize;
        DSBUFFERDESC desc;
        desc.dwSize = SoundSystem_DS7::DescriptionSize;
        desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
        if (m_soundSystem->GetUse3DSound() && m_channels == 1)
            desc.dwFlags |= DSBCAPS_CTRL3D;
        if (!m_streamed)
            desc.dwFlags |= DSBCAPS_STATIC;
        desc.dwBufferBytes = m_streamed ? StreamBufferSize : m_dataSize;
        desc.lpwfxFormat = &format;
        if (FAILED(m_device->CreateSoundBuffer(&desc, &m_buffer, nullptr)))
        {
            m_buffer = nullptr;
            m_log->Error("Sound System: DirectSound buffers overflow");
            return;
        }
    }
    if (!m_soundSystem->GetUse3DSound() || m_channels != 1)
        return;
    void* buffer3D = nullptr;
    if (FAILED(m_buffer->QueryInterface(IID_IDirectSound3DBuffer, &buffer3D)))
        m_log->Error("Sound System: Failed to get the 3D buffer from the secondary buffer");
    else
        m_buffer3D = static_cast<IDirectSound3DBuffer*>(buffer3D);
}

bool SoundBuffer_DS7::WriteChunk(u32 index, const std::vector<u8>& bytes, u32 count)
{
    if (!m_buffer)
        return true;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    if (FAILED(m_buffer->Lock(index * ChunkSize, count, &first, &firstLength, &second, &secondLength, 0)))
        return false;
    const u32 firstCount = std::min<u32>(count, firstLength);
    if (firstLength != 0)
        std::memcpy(first, bytes.data(), firstCount);
    if (secondLength != 0)
        std::memcpy(second, bytes.data() + firstLength, std::min<u32>(count - firstCount, secondLength));
    return SUCCEEDED(m_buffer->Unlock(first, firstLength, second, secondLength));
}

void SoundBuffer_DS7::QueueChunk(u32) {}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<u32>* list)
{
    if (!list)
        return;
    list->clear();
    if (!m_buffer || !IsPlaying() || m_finished)
        return;
    DWORD position = 0;
    if (FAILED(m_buffer->GetCurrentPosition(&position, nullptr)))
        return;
    const u32 advance = position >= m_lastPosition ? position - m_lastPosition
                                                   : position + StreamBufferSize - m_lastPosition;
    m_lastPosition = position;
    const u64 refillBefore = RefillPoint(m_playedBytes);
    m_playedBytes += advance;
    ListPlayedChunks(refillBefore, RefillPoint(m_playedBytes), *list);

    if (!m_looping && m_streamEnd != NoStreamEnd && m_playedBytes > m_streamEnd + EndMargin)
    {
        m_soundSystem->CheckResult("SoundBuffer_DS7::UnqueueProcessedBuffers", m_buffer->Stop());
        m_finished = 1;
    }
}

// The refill point only moves forward, so every chunk whose end it passes is listed exactly once per lap,
// however far one frame moves it.
void SoundBuffer_DS7::ListPlayedChunks(u64 refillBefore, u64 refillAfter, std::vector<u32>& list) const
{
    const u64 firstEnd = std::max<u64>(ChunkSize, (refillBefore + ChunkSize - 1) / ChunkSize * ChunkSize);
    for (u64 end = firstEnd; end < refillAfter; end += ChunkSize)
    {
        const u32 index = static_cast<u32>((end / ChunkSize - 1) % ChunkCount);
        if (std::find(list.begin(), list.end(), index) == list.end())
            list.push_back(index);
    }
}

void SoundBuffer_DS7::Play(u8 loop)
{
    if (!m_buffer)
        return;
    const DWORD flags = (m_streamed || loop) ? DSBPLAY_LOOPING : 0;
    m_soundSystem->CheckResult("SoundBuffer_DS7::Play", m_buffer->Play(0, 0, flags));
    m_finished = 0;
}

void SoundBuffer_DS7::Pause()
{
    if (!m_buffer)
        return;
    m_soundSystem->CheckResult("SoundBuffer_DS7::Pause", m_buffer->Stop());
}

void SoundBuffer_DS7::Stop()
{
    if (!m_buffer)
        return;
    m_soundSystem->CheckResult("SoundBuffer_DS7::Stop", m_buffer->Stop());
    m_soundSystem->CheckResult("SoundBuffer_DS7::Stop", m_buffer->SetCurrentPosition(0));
    m_lastPosition = 0;
    m_playedBytes = 0;
}

DWORD SoundBuffer_DS7::ReadStatus()
{
    DWORD status = 0;
    m_soundSystem->CheckResult("SoundBuffer_DS7::IsPlaying", m_buffer->GetStatus(&status));
    return status;
}

bool SoundBuffer_DS7::IsPlaying() { return m_buffer && (ReadStatus() & DSBSTATUS_PLAYING) != 0; }

bool SoundBuffer_DS7::IsBufferLost() { return m_buffer && (ReadStatus() & DSBSTATUS_BUFFERLOST) != 0; }

bool SoundBuffer_DS7::Restore()
{
    if (!m_buffer || m_buffer->Restore() != DS_OK)
        return false;
    if (!m_streamed)
        Load(nullptr);
    return true;
}

void SoundBuffer_DS7::SetVolume(f32 volume)
{
    if (!m_buffer)
        return;
    m_volume = volume;
    m_soundSystem->CheckResult("SoundBuffer_DS7::SetVolume", m_buffer->SetVolume(VolumeToAttenuation(volume)));
}

void SoundBuffer_DS7::SetTempo(f32 tempo)
{
    if (!m_buffer)
        return;
    m_soundSystem->CheckResult("SoundBuffer_DS7::SetTempo", m_buffer->SetFrequency(FrequencyOf(m_sampleRate, tempo)));
}

void SoundBuffer_DS7::SetPosition(const Vector3& position)
{
    if (!m_buffer3D)
        return;
    m_soundSystem->CheckResult("SoundBuffer_DS7::SetPosition",
                               m_buffer3D->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED));
}
}
