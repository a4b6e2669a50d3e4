// The device-independent sound service: the 3D listener, the factories of sounds and buffers of its
// implementation, and the buffer manager every sound takes its buffer from.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Config;
class FileManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

class SoundSystem
{
public:
    SoundSystem(MessageManager* log, FileManager* fileManager, Config* config, u8 use3DSound);
    virtual ~SoundSystem();

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    virtual void Refresh();
    virtual std::unique_ptr<Sound> CreateSound(const std::string& name) = 0;
    virtual std::unique_ptr<Sound> CreateSound(const Sound& source) = 0;
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) = 0;
    // A buffer that shares the source's sound data.
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const SoundBuffer& source) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // Listener at the origin, looking along -z with +y up.
    virtual void Reset();

    void SetBufferManager(SoundBufferManager* bufferManager) { m_bufferManager = bufferManager; }

    MessageManager* GetLog() const { return m_log; }
    FileManager* GetFileManager() const { return m_fileManager; }
    Config* GetConfig() const { return m_config; }
    SoundBufferManager* GetBufferManager() const { return m_bufferManager; }
    const Vector3& GetListenerPosition() const { return m_listenerPosition; }
    const Vector3& GetListenerFront() const { return m_listenerFront; }
    const Vector3& GetListenerTop() const { return m_listenerTop; }
    u8 GetUse3DSound() const { return m_use3DSound; }

protected:
    MessageManager* m_log;
    FileManager* m_fileManager;
    Config* m_config;
    SoundBufferManager* m_bufferManager = nullptr;
    Vector3 m_listenerPosition;
    Vector3 m_listenerFront;
    Vector3 m_listenerTop;
    u8 m_use3DSound;
};
}
