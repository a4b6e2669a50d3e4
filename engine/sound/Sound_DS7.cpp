// The state machine of a sound over its DirectSound-shaped buffer.
#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBuffer_DS7.h"

namespace VelkorEngine
{
Sound_DS7::Sound_DS7(MessageManager* log, SoundSystem_DS7* soundSystem, SoundBufferManager* bufferManager,
                     const std::string& name)
    : Sound(log, bufferManager, name), m_soundSystem(soundSystem)
{
    SetVolume(m_volume);
    SetTempo(m_tempo);
    SetPosition(m_position);
}

Sound_DS7::Sound_DS7(SoundSystem_DS7* soundSystem, const Sound& source) : Sound(source), m_soundSystem(soundSystem)
{
    SetVolume(m_volume);
    SetPosition(m_position);
}

SoundBuffer_DS7& Sound_DS7::Buffer() const { return static_cast<SoundBuffer_DS7&>(*m_buffer); }

void Sound_DS7::Update()
{
    if (Buffer().IsBufferLost())
    {
        if (!Buffer().Restore())
            return;
        RecoverLostBuffer();
    }
    if (m_state == Playing && !Buffer().IsPlaying())
        Stop();
}

// A restored stream starts again from the beginning in the state it had.
void Sound_DS7::RecoverLostBuffer()
{
    if (!Buffer().IsStreamed())
        return;
    const u32 state = m_state;
    Stop();
    if (state == Paused)
    {
        Play();
        Pause();
    }
    else if (state == Playing)
        Play();
}

bool Sound_DS7::Play()
{
    SoundBuffer_DS7& buffer = Buffer();
    const bool streamed = buffer.IsStreamed();
    // A one-shot stream stopped at its end still sits at its silent tail: it restarts like a playing one.
    if (buffer.IsPlaying() || (streamed && buffer.IsFinished()))
    {
        buffer.Stop();
        if (streamed)
            buffer.SetStreamState(SoundBuffer::StreamStopped);
    }
    if (streamed)
        buffer.SetStreamState(SoundBuffer::StreamPlaying);
    buffer.Play(m_looping);
    m_state = Playing;
    return true;
}

void Sound_DS7::Pause()
{
    Buffer().Pause();
    if (Buffer().IsStreamed())
        Buffer().SetStreamState(SoundBuffer::StreamPaused);
    m_state = Paused;
}

void Sound_DS7::Stop()
{
    Buffer().Stop();
    if (Buffer().IsStreamed())
        Buffer().SetStreamState(SoundBuffer::StreamStopped);
    m_state = Stopped;
}

void Sound_DS7::SetLooping(u8 looping)
{
    Sound::SetLooping(looping);
    if (!Buffer().IsStreamed() && Buffer().IsPlaying())
        Buffer().Play(looping);
}

void Sound_DS7::SetVolume(f32 volume)
{
    Sound::SetVolume(volume);
    Buffer().SetVolume(m_volume);
}

void Sound_DS7::SetTempo(f32 tempo)
{
    Sound::SetTempo(tempo);
    Buffer().SetTempo(m_tempo);
}

void Sound_DS7::SetPosition(const Vector3& position)
{
    Sound::SetPosition(position);
    Buffer().SetPosition(m_position);
}
}
