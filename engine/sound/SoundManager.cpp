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
    m_free.clear();
    for (u32 id : m_inUse)
        m_slots[id].reset();
    m_slots.clear();
    m_inUse.clear();
}

Sound* SoundManager::CreateSound(const std::string& name)
{
    u32 id = m_nextId;
    if (!m_free.empty())
    {
        id = m_free.front();
        m_free.pop_front();
    }
    else
        ++m_nextId;
    std::unique_ptr<Sound> sound = m_soundSystem->CreateSound(name);
    m_inUse.push_back(id);
    if (id >= m_slots.size())
        m_slots.resize(id + 1);
    m_slots[id] = std::move(sound);
    return m_slots[id].get();
}

void SoundManager::DeleteSound(Sound* sound)
{
    if (!sound)
        return;
    const auto held = std::find_if(m_inUse.begin(), m_inUse.end(), [&](u32 id) { return m_slots[id].get() == sound; });
    if (held == m_inUse.end())
        return;
    // A request left in the queue would reach the deleted sound at the next update.
    std::erase_if(m_queue, [&](const QueuedSoundRequest& request) { return request.sound == sound; });
    const u32 id = *held;
    m_slots[id].reset();
    m_free.push_back(id);
    m_inUse.erase(held);
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
    for (u32 id : m_inUse)
    {
        Sound* other = m_slots[id].get();
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
    for (u32 id : m_inUse)
        m_slots[id]->Update();
    m_bufferManager->UpdateBuffers();
}

void SoundManager::RunQueue()
{
    for (const QueuedSoundRequest& request : m_queue)
    {
        if (request.kind == QueuedSoundRequest::Play)
            Play(request.sound, 1);
        else if (request.kind == QueuedSoundRequest::Pause)
            Pause(request.sound, 1);
        else
            Stop(request.sound, 1);
    }
    ClearQueue();
}

void SoundManager::ClearQueue() { m_queue.clear(); }

Sound* SoundManager::GetSound(u32 index) const
{
    return index < m_inUse.size() ? m_slots[m_inUse[index]].get() : nullptr;
}
}
