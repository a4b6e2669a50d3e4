// A music channel over one engine sound.
#include "framework/GameSoundChannel.h"

#include "engine/core/Engine.h"
#include "engine/sound/Sound.h"

namespace GameFramework
{
GameSoundChannel::GameSoundChannel(VelkorEngine::Engine* engine, const std::string& soundName, u8 looping,
                                   u32 trackId)
    : m_soundManager(engine->GetSoundManager()), m_timerManager(engine->GetTimerManager()),
      m_trackId(trackId)
{
    if (!m_soundManager)
        return;
    m_sound = m_soundManager->CreateSound(soundName);
    m_fadeLevel = m_sound->GetVolume();
    m_sound->SetLooping(looping);
}

GameSoundChannel::~GameSoundChannel()
{
    if (m_soundManager)
        m_soundManager->DeleteSound(m_sound);
}

u32 GameSoundChannel::GetState() const
{
    return m_sound ? m_sound->GetState() : static_cast<u32>(VelkorEngine::Sound::Stopped);
}

void GameSoundChannel::SetFade(u32 state, f32 speed)
{
    m_fadeState = state;
    m_fadeSpeed = speed;
}

void GameSoundChannel::SetFadeLevel(f32 level)
{
    m_fadeLevel = level;
    if (m_sound)
        m_sound->SetVolume(m_fadeLevel * m_volume);
}

void GameSoundChannel::SetVolume(f32 volume)
{
    m_volume = volume;
    SetFadeLevel(m_fadeLevel);
}

void GameSoundChannel::Play()
{
    if (m_sound)
        m_soundManager->Play(m_sound, VelkorEngine::SoundManager::Immediately);
    m_fadeState = FadeNone;
}

void GameSoundChannel::Pause()
{
    if (m_sound)
        m_soundManager->Pause(m_sound, 1);
}

void GameSoundChannel::Stop()
{
    if (m_sound)
        m_soundManager->Stop(m_sound, 1);
}

void GameSoundChannel::UpdateFade()
{
    if (!m_sound)
        return;
    const f32 step = m_fadeSpeed * m_timerManager->GetFrameTime();
    if (m_fadeState == FadeIn)
    {
        m_fadeLevel += step;
        if (m_fadeLevel >= 1.0f)
        {
            m_fadeLevel = 1.0f;
            m_fadeState = FadeNone;
        }
    }
    else if (IsFadingOut())
    {
        m_fadeLevel -= step;
        if (m_fadeLevel < 0.0f)
            EndFadeOut();
    }
    SetFadeLevel(m_fadeLevel);
}

void GameSoundChannel::EndFadeOut()
{
    if (m_fadeState == FadeOutThenStop)
        Stop();
    else
        Pause();
    m_fadeLevel = 0.0f;
    m_fadeState = FadeNone;
}
}
