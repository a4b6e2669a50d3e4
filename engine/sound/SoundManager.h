// Owner of every sound: creates sounds by file name under reused identifiers, plays, pauses and stops them
// at once or through a queue worked off by the next update, and updates sounds and buffers every frame.
#pragma once

#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
class MessageManager;
class Sound;
class SoundBufferManager;
class SoundSystem;

struct QueuedSoundRequest
{
    enum Kind : u32
    {
        Play = 0,
        Pause = 1,
        Stop = 2
    };

    u32 kind = Play;
    Sound* sound = nullptr;
};

class SoundManager
{
public:
    SoundManager(MessageManager* log, FileManager* fileManager, SoundSystem* soundSystem);
    virtual ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    Sound* CreateSound(const std::string& name);
    // Deletes a sound of this manager together with its queued requests; any other pointer is ignored.
    void DeleteSound(Sound* sound);
    // Immediate 0 queues the request for the next Update(1); 1 carries it out now.
    void Play(Sound* sound, u8 immediate);
    void Pause(Sound* sound, u8 immediate);
    void Stop(Sound* sound, u8 immediate);
    // With processQueue 0 the queued requests wait (the loading screen updates sounds that way).
    void Update(u8 processQueue);

    u32 GetSoundCount() const { return static_cast<u32>(m_inUse.size()); }
    // The i-th sound in identifier order (i below the count).
    Sound* GetSound(u32 index) const;
    SoundBufferManager* GetBufferManager() const { return m_bufferManager.get(); }

private:
    void RunQueue();
    void ClearQueue();
    void Clear();
    void PlayAfterStoppingAnother(Sound* sound);

    MessageManager* m_log;
    FileManager* m_fileManager;
    SoundSystem* m_soundSystem;
    std::unique_ptr<SoundBufferManager> m_bufferManager;
    u32 m_nextId = 0;
    std::deque<u32> m_free;
    std::vector<u32> m_inUse;
    std::vector<std::unique_ptr<Sound>> m_slots;
    std::vector<QueuedSoundRequest> m_queue;
};
}
