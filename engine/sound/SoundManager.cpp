// Sound slots, the request queue and the per-frame update of sounds and buffers.
#include "engine/sound/SoundManager.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"

#include <algorithm>

namespace VelkorEngine
{
SoundManager::SoundManager(MessageManager* log, FileManager* fileManager, SoundSystem* soundSystem)
    : m_log(log), m_fileManager(fileManager), m_soundSystem(soundSystem),
      m_bufferManager(std::make_unique<SoundBufferManager>(log, fileManager, soundSystem))
{
    m_soundSystem->SetBufferManager(m_bufferManager.get());
}

SoundManager::~SoundManager()
{
    Clear();
    m_bufferManager.reset();
    m_soundSystem->SetBufferManager(nullptr);
}

void SoundManager::Clear()
{
    ClearQueue();
    m_sounds.Clear();
}

Sound* SoundManager::CreateSound(const std::string& name)
{
    return m_sounds.Add(m_soundSystem->CreateSound(name));
}

void SoundManager::DeleteSound(Sound* sound)
{
    // A request left in the queue would reach the deleted sound at the next update.
    if (m_sounds.Remove(sound))
        std::erase_if(m_queue, [&](const QueuedSoundRequest& request) { return request.sound == sound; });
}

void SoundManager::Play(Sound* sound, u8 immediate)
{
    if (!immediate)
    {
        m_queue.push_back({QueuedSoundRequest::Play, sound});
        return;
    }
    if (!sound->Play())
        PlayAfterStoppingAnother(sound);
}

// A sound that could not start takes the place of another one-shot sound that is still sounding.
void SoundManager::PlayAfterStoppingAnother(Sound* sound)
{
    for (u32 index = 0; index < m_sounds.GetCount(); ++index)
    {
        Sound* other = m_sounds.GetInUse(index);
        if (other != sound && other->GetState() != Sound::Stopped && other->GetLooping() == 0)
        {
            other->Stop();
            sound->Play();
            return;
        }
    }
}

void SoundManager::Pause(Sound* sound, u8 immediate)
{
    if (!immediate)
        m_queue.push_back({QueuedSoundRequest::Pause, sound});
    else
        sound->Pause();
}

void SoundManager::Stop(Sound* sound, u8 immediate)
{
    if (!immediate)
        m_queue.push_back({QueuedSoundRequest::Stop, sound});
    else
        sound->Stop();
}

void SoundManager::Update(u8 processQueue)
{
    if (processQueue)
        RunQueue();
    m_sounds.ForEach([](Sound& sound) { sound.Update(); });
    m_bufferManager->UpdateBuffers();
}

void SoundManager::RunQueue()
{
    for (const QueuedSoundRequest& request : m_queue)
    {
        if (request.kind == QueuedSoundRequest::Play)
            Play(request.sound, Immediately);
        else if (request.kind == QueuedSoundRequest::Pause)
            Pause(request.sound, Immediately);
        else
            Stop(request.sound, Immediately);
    }
    ClearQueue();
}

void SoundManager::ClearQueue() { m_queue.clear(); }
}
