// Owner of every sound: creates sounds by file name under reused identifiers, plays, pauses and stops them
// at once or through a queue worked off by the next update, and updates sounds and buffers every frame.
#pragma once

#include "engine/core/SlotTable.h"
#include "engine/core/Types.h"

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
    // Names of the immediate flag of Play, Pause and Stop.
    static constexpr u8 Queued = 0;
    static constexpr u8 Immediately = 1;
    // Names of the flag of Update.
    static constexpr u8 KeepQueue = 0;
    static constexpr u8 ProcessQueue = 1;

    // A queued request waits for the next Update(ProcessQueue); an immediate one is carried out now.
    void Play(Sound* sound, u8 immediate);
    void Pause(Sound* sound, u8 immediate);
    void Stop(Sound* sound, u8 immediate);
    // With KeepQueue the queued requests wait (the loading screen updates sounds that way).
    void Update(u8 processQueue);

    u32 GetSoundCount() const { return m_sounds.GetCount(); }
    // The i-th sound in the order of creation (null from the count on).
    Sound* GetSound(u32 index) const { return m_sounds.GetInUse(index); }
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
    SlotTable<Sound> m_sounds;
    std::vector<QueuedSoundRequest> m_queue;
};
}
