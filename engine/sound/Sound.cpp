// The stored values of a sound and the buffer it holds from the buffer manager.
#include "engine/sound/Sound.h"

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"

namespace VelkorEngine
{
Sound::Sound(MessageManager* log, SoundBufferManager* bufferManager, const std::string& name)
    : m_log(log), m_bufferManager(bufferManager), m_name(name), m_buffer(bufferManager->AcquireBuffer(name))
{
}

Sound::Sound(const Sound& source)
    : m_log(source.m_log), m_bufferManager(source.m_bufferManager), m_name(source.m_name),
      m_buffer(m_bufferManager->AcquireBuffer(m_name)), m_looping(source.m_looping), m_volume(source.m_volume),
      m_tempo(source.m_tempo), m_position(source.m_position)
{
}

Sound::~Sound() { m_bufferManager->ReleaseBuffer(m_buffer); }

void Sound::Update() {}

void Sound::SetLooping(u8 looping)
{
    m_looping = looping;
    if (m_buffer->IsStreamed())
        m_buffer->SetLooping(looping);
}

void Sound::SetVolume(f32 volume) { m_volume = volume; }

void Sound::SetTempo(f32 tempo) { m_tempo = tempo; }

void Sound::SetPosition(const Vector3& position) { m_position = position; }
}
