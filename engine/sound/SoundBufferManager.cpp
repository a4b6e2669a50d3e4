// Slot table, sharing rule and per-frame update of the sound buffers.
#include "engine/sound/SoundBufferManager.h"

#include "engine/core/StringHelpers.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

#include <algorithm>

namespace VelkorEngine
{
SoundBufferManager::SoundBufferManager(MessageManager* log, FileManager* fileManager, SoundSystem* soundSystem)
    : m_log(log), m_fileManager(fileManager), m_soundSystem(soundSystem)
{
}

SoundBufferManager::~SoundBufferManager()
{
    for (u32 id : m_inUse)
        m_slots[id].reset();
    m_free.clear();
    m_inUse.clear();
    m_slots.clear();
}

const SoundBuffer* SoundBufferManager::FindSource(const std::string& key) const
{
    for (u32 id : m_inUse)
    {
        const SoundBuffer* buffer = m_slots[id].get();
        if (buffer->GetName() == key)
            return buffer->IsStreamed() ? nullptr : buffer;
    }
    return nullptr;
}

SoundBuffer* SoundBufferManager::AcquireBuffer(const std::string& name)
{
    const SoundBuffer* source = FindSource(StringToLowerCopy(name));
    u32 id = static_cast<u32>(m_slots.size());
    if (!m_free.empty())
    {
        id = m_free.front();
        m_free.pop_front();
    }
    std::unique_ptr<SoundBuffer> buffer =
        source ? m_soundSystem->CreateSoundBuffer(*source) : m_soundSystem->CreateSoundBuffer(name);
    m_inUse.push_back(id);
    if (id >= m_slots.size())
        m_slots.resize(id + 1);
    m_slots[id] = std::move(buffer);
    return m_slots[id].get();
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer)
{
    if (!buffer)
        return;
    const auto held = std::find_if(m_inUse.begin(), m_inUse.end(), [&](u32 id) { return m_slots[id].get() == buffer; });
    if (held == m_inUse.end())
        return;
    const u32 id = *held;
    m_slots[id].reset();
    m_free.push_back(id);
    m_inUse.erase(held);
}

void SoundBufferManager::UpdateBuffers()
{
    for (u32 id : m_inUse)
        m_slots[id]->Update();
}
}
