// A sound buffer in a DirectSound-shaped secondary buffer: the whole sound for a static buffer, the
// circular buffer of 32 chunks for a stream, duplicated for a further sound of a static file.
#pragma once

#include "engine/core/Vector3.h"
#include "engine/sound/SoundBuffer.h"

#include "platform/dsound/DirectSound.h"

namespace VelkorEngine
{
class SoundSystem_DS7;

class SoundBuffer_DS7 : public SoundBuffer
{
public:
    SoundBuffer_DS7(MessageManager* log, FileManager* fileManager, SoundSystem_DS7* soundSystem, const std::string& name);
    // Shares the source's data through a duplicate of its platform buffer; the source must be of this kind.
    SoundBuffer_DS7(SoundSystem_DS7* soundSystem, const SoundBuffer& source);
    ~SoundBuffer_DS7() override;

    void Release() override;
    void Create(const SoundBuffer* source) override;
    void ReleaseBuffer() override;
    bool WriteChunk(u32 index, const std::vector<u8>& bytes, u32 count) override;
    void QueueChunk(u32 index) override;
    // Lists the chunks whose data has been played since the last call. The play position is the platform
    // buffer's own cursor, so it stays exact whatever the tempo and however long the sound plays.
    void UnqueueProcessedBuffers(std::vector<u32>* list) override;

    void Play(u8 loop);
    void Pause();
    void Stop();
    bool IsPlaying();
    bool IsBufferLost();
    bool Restore();
    void SetVolume(f32 volume);
    void SetTempo(f32 tempo);
    void SetPosition(const Vector3& position);

    // A one-shot stream that was stopped at its end.
    u8 IsFinished() const { return m_finished; }
    f32 GetVolume() const { return m_volume; }

private:
    DWORD ReadStatus();
    void ListPlayedChunks(u64 refillBefore, u64 refillAfter, std::vector<u32>& list) const;

    SoundSystem_DS7* m_soundSystem;
    IDirectSound* m_device;
    IDirectSoundBuffer* m_buffer = nullptr;
    IDirectSound3DBuffer* m_buffer3D = nullptr;
    u32 m_lastPosition = 0;
    u64 m_playedBytes = 0;
    u8 m_finished = 0;
    f32 m_volume = 1.0f;
};
}
