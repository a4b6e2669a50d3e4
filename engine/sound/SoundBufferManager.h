// Owner of every sound buffer: one per sound, found by lower-cased file name, where a further sound of a
// static file gets a duplicate that shares the first buffer's data.
#pragma once

#include "engine/core/SlotTable.h"
#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class FileManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

class SoundBufferManager
{
public:
    SoundBufferManager(MessageManager* log, FileManager* fileManager, SoundSystem* soundSystem);
    virtual ~SoundBufferManager();

    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    SoundBuffer* AcquireBuffer(const std::string& name);
    // Deletes a buffer of this manager; any other pointer is ignored.
    void ReleaseBuffer(SoundBuffer* buffer);
    void UpdateBuffers();

    u32 GetBufferCount() const { return m_buffers.GetCount(); }

private:
    // The first buffer of that name decides: a static one is the source of a duplicate, a streamed one none.
    const SoundBuffer* FindSource(const std::string& key) const;

    MessageManager* m_log;
    FileManager* m_fileManager;
    SoundSystem* m_soundSystem;
    SlotTable<SoundBuffer> m_buffers;
};
}
