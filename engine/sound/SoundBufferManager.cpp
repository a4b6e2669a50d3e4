// Slot table, sharing rule and per-frame update of the sound buffers.
#include "engine/sound/SoundBufferManager.h"

#include "engine/core/StringHelpers.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

namespace VelkorEngine
{
SoundBufferManager::SoundBufferManager(MessageManager* log, FileManager* fileManager, SoundSystem* soundSystem)
    : m_log(log), m_fileManager(fileManager), m_soundSystem(soundSystem)
{
}

SoundBufferManager::~SoundBufferManager() = default;

const SoundBuffer* SoundBufferManager::FindSource(const std::string& key) const
{
    for (u32 index = 0; index < m_buffers.GetCount(); ++index)
    {
        const SoundBuffer* buffer = m_buffers.GetInUse(index);
        if (buffer->GetName() == key)
            return buffer->IsStreamed() ? nullptr : buffer;
    }
    return nullptr;
}

SoundBuffer* SoundBufferManager::AcquireBuffer(const std::string& name)
{
    const SoundBuffer* source = FindSource(StringToLowerCopy(name));
    return m_buffers.Add(source ? m_soundSystem->CreateSoundBuffer(*source) : m_soundSystem->CreateSoundBuffer(name));
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer)
{
    m_buffers.Remove(buffer);
}

void SoundBufferManager::UpdateBuffers()
{
    m_buffers.ForEach([](SoundBuffer& buffer) { buffer.Update(); });
}
}
