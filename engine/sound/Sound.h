// What the rest of the engine plays: a sound with looping, volume, tempo and 3D position over one buffer
// that it takes from the buffer manager by file name.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <string>

namespace VelkorEngine
{
class MessageManager;
class SoundBuffer;
class SoundBufferManager;

class Sound
{
public:
    enum State : u32
    {
        Playing = 0,
        Paused = 1,
        Stopped = 2
    };

    Sound(MessageManager* log, SoundBufferManager* bufferManager, const std::string& name);
    // A sound of the same file with the source's looping, volume, tempo and position, over a buffer of its own.
    Sound(const Sound& source);
    virtual ~Sound();

    Sound& operator=(const Sound&) = delete;

    virtual void Update();
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void SetLooping(u8 looping);
    virtual void SetVolume(f32 volume);
    virtual void SetTempo(f32 tempo);
    virtual void SetPosition(const Vector3& position);
    virtual u32 GetState() const = 0;

    const std::string& GetName() const { return m_name; }
    u8 GetLooping() const { return m_looping; }
    f32 GetVolume() const { return m_volume; }
    f32 GetTempo() const { return m_tempo; }
    const Vector3& GetPosition() const { return m_position; }
    SoundBuffer* GetBuffer() const { return m_buffer; }

protected:
    MessageManager* m_log;
    SoundBufferManager* m_bufferManager;
    std::string m_name;
    SoundBuffer* m_buffer;
    u8 m_looping = 0;
    f32 m_volume = 1.0f;
    f32 m_tempo = 1.0f;
    Vector3 m_position;
};
}
