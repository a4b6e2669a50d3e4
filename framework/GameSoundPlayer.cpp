// Effects by id, music by slot, and the volume settings.
#include "framework/GameSoundPlayer.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/sound/Sound.h"
#include "framework/GameSoundChannel.h"

#include <algorithm>
#include <cmath>

namespace GameFramework
{
namespace
{
constexpr const char* MusicVolumeName = "g_music_volume";
constexpr const char* SoundVolumeName = "g_sound_volume";
// Two starts of one effect closer than this are one start (a double trigger in the same moment).
constexpr f32 RestartGuardSeconds = 0.02f;
// The channel a new track replaces fades out over one second.
constexpr f32 ReplacedTrackFadeSpeed = 1.0f;
// The applied volumes wander by at most this much every frame.
constexpr f32 VolumeNoise = 0.0005f;

}

f32 GameSoundPlayer::ClampVolume(f32 volume)
{
    return std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : 1.0f;
}

GameSoundPlayer::GameSoundPlayer(VelkorEngine::Engine* engine, f32 defaultMusicVolume, f32 defaultSoundVolume)
    : m_engine(engine), m_config(engine->GetConfig()), m_soundManager(engine->GetSoundManager()),
      m_timerManager(engine->GetTimerManager()), m_log(engine->GetMessageManager())
{
    RegisterVolumeSetting(MusicVolumeName, &m_musicVolume, defaultMusicVolume);
    RegisterVolumeSetting(SoundVolumeName, &m_soundVolume, defaultSoundVolume);
    SetMusicVolume(m_musicVolume);
    SetSoundVolume(m_soundVolume);
}

GameSoundPlayer::~GameSoundPlayer()
{
    if (m_soundManager)
        for (const std::unique_ptr<SoundEffectInstance>& effect : m_effects)
            m_soundManager->DeleteSound(effect->sound);
    m_effects.clear();
    m_musicSlots.clear();
    m_channels.clear();
    m_config->RemoveVariable(MusicVolumeName);
    m_config->RemoveVariable(SoundVolumeName);
}

void GameSoundPlayer::RegisterVolumeSetting(const std::string& name, f32* storage, f32 defaultVolume)
{
    *storage = ClampVolume(defaultVolume);
    m_config->AddVariable(name, VelkorEngine::Config::KindFloat, 0, 1, storage,
                          VelkorEngine::FloatToString(*storage, 6), 0);
}

void GameSoundPlayer::AddSound(u32 effectId, const std::string& soundName, u8 looping, u32 instanceCount)
{
    if (!m_soundManager)
        return;
    for (u32 i = 0; i < instanceCount; ++i)
    {
        auto effect = std::make_unique<SoundEffectInstance>();
        effect->effectId = effectId;
        effect->soundName = soundName;
        effect->looping = looping;
        effect->sound = m_soundManager->CreateSound(soundName);
        effect->sound->SetLooping(looping);
        effect->sound->SetVolume(m_soundVolume);
        m_effects.push_back(std::move(effect));
    }
}

void GameSoundPlayer::PlaySound(u32 effectId)
{
    if (!m_soundManager)
        return;
    const f32 now = m_timerManager->GetFrameTimer()->GetTime();
    SoundEffectInstance* oldest = nullptr;
    f32 oldestStart = 100000.0f;
    for (const std::unique_ptr<SoundEffectInstance>& effect : m_effects)
    {
        if (effect->effectId != effectId)
            continue;
        if (std::fabs(now - effect->lastStartTime) < RestartGuardSeconds)
            return;
        if (effect->lastStartTime < oldestStart)
        {
            oldestStart = effect->lastStartTime;
            oldest = effect.get();
        }
    }
    if (!oldest)
        return;
    // A one-shot instance restarts even while it still sounds; a looping one is only started when silent.
    if (!oldest->looping || oldest->sound->GetState() != VelkorEngine::Sound::Playing)
        m_soundManager->Play(oldest->sound, VelkorEngine::SoundManager::Queued);
    oldest->lastStartTime = now;
}

void GameSoundPlayer::StopSound(u32 effectId)
{
    if (!m_soundManager)
        return;
    for (const std::unique_ptr<SoundEffectInstance>& effect : m_effects)
        if (effect->effectId == effectId)
            m_soundManager->Stop(effect->sound, 0);
}

u32 GameSoundPlayer::GetSoundState(u32 effectId) const
{
    if (m_soundManager)
        for (const std::unique_ptr<SoundEffectInstance>& effect : m_effects)
            if (effect->effectId == effectId)
                return effect->sound->GetState();
    return VelkorEngine::Sound::Stopped;
}

void GameSoundPlayer::AddMusic(u32 trackId, const std::string& soundName, u8 looping)
{
    if (!m_soundManager)
        return;
    m_channels.push_back(std::make_unique<GameSoundChannel>(m_engine, soundName, looping, trackId));
    m_channels.back()->SetVolume(m_musicVolume);
}

void GameSoundPlayer::PlayMusic(u32 slot, u32 trackId, u8 fade, f32 fadeSpeed)
{
    if (!m_soundManager)
        return;
    GameSoundChannel* requested = FindChannel(trackId);
    if (!requested)
    {
        // A track that was never registered would leave the slot without a channel to play.
        m_log->Error("(GameSoundPlayer::PlayMusic) Music track " + VelkorEngine::UIntToString(trackId, 0) +
                     " is not registered");
        return;
    }
    GameSoundChannel* current = GetSlotChannel(slot);
    if (current && current->GetTrackId() == trackId && current->GetState() == VelkorEngine::Sound::Playing)
    {
        // A track fading out is on its way to silence: asking for it again must bring it back.
        if (current->IsFadingOut())
            CancelFadeOut(*current, fade, fadeSpeed);
        return;
    }
    if (current && current->GetTrackId() != trackId)
        current->SetFade(GameSoundChannel::FadeOutThenStop, ReplacedTrackFadeSpeed);
    m_musicSlots[slot] = requested;
    StartChannel(*requested, fade, fadeSpeed);
}

void GameSoundPlayer::StartChannel(GameSoundChannel& channel, u8 fade, f32 fadeSpeed)
{
    channel.SetFadeLevel(fade ? 0.0f : 1.0f);
    channel.Play();
    if (fade)
        channel.SetFade(GameSoundChannel::FadeIn, fadeSpeed);
}

void GameSoundPlayer::CancelFadeOut(GameSoundChannel& channel, u8 fade, f32 fadeSpeed)
{
    if (fade)
    {
        channel.SetFade(GameSoundChannel::FadeIn, fadeSpeed);
        return;
    }
    channel.SetFade(GameSoundChannel::FadeNone, 0.0f);
    channel.SetFadeLevel(1.0f);
}

void GameSoundPlayer::StopMusic(u32 slot, u8 fade, f32 fadeSpeed)
{
    if (!m_soundManager)
        return;
    GameSoundChannel* channel = GetSlotChannel(slot);
    if (!channel)
        return;
    const u32 state = channel->GetState();
    if (state == VelkorEngine::Sound::Stopped)
        return;
    if (state == VelkorEngine::Sound::Playing && fade)
        channel->SetFade(GameSoundChannel::FadeOutThenStop, fadeSpeed);
    else
        channel->Stop();
}

void GameSoundPlayer::PauseMusic(u32 slot, u8 pause, u8 fade, f32 fadeSpeed)
{
    if (!m_soundManager)
        return;
    GameSoundChannel* channel = GetSlotChannel(slot);
    if (!channel)
        return;
    const u32 state = channel->GetState();
    if (!pause)
    {
        if (state == VelkorEngine::Sound::Paused)
            StartChannel(*channel, fade, fadeSpeed);
        else if (state == VelkorEngine::Sound::Playing && channel->IsFadingOut())
            CancelFadeOut(*channel, fade, fadeSpeed); // still sounding on its way to a pause or a stop
        return;
    }
    if (state != VelkorEngine::Sound::Playing)
        return;
    const bool stopping = channel->GetFadeState() == GameSoundChannel::FadeOutThenStop;
    if (fade)
    {
        if (!stopping)
            channel->SetFade(GameSoundChannel::FadeOutThenPause, fadeSpeed);
    }
    else if (stopping)
        channel->Stop();
    else
        channel->Pause();
}

u32 GameSoundPlayer::GetMusicState(u32 slot) const
{
    const GameSoundChannel* channel = m_soundManager ? GetSlotChannel(slot) : nullptr;
    return channel ? channel->GetState() : static_cast<u32>(VelkorEngine::Sound::Stopped);
}

void GameSoundPlayer::StopAllMusic(u8 fade, f32 fadeSpeed)
{
    for (const auto& [slot, channel] : m_musicSlots)
        StopMusic(slot, fade, fadeSpeed);
}

void GameSoundPlayer::PauseAllMusic(u8 pause, u8 fade, f32 fadeSpeed)
{
    for (const auto& [slot, channel] : m_musicSlots)
        PauseMusic(slot, pause, fade, fadeSpeed);
}

void GameSoundPlayer::SetSoundVolume(f32 volume)
{
    m_soundVolume = ClampVolume(volume);
    if (!m_soundManager)
        return;
    // Every sound of the engine follows it, the interface's too, except the music.
    for (u32 i = 0; i < m_soundManager->GetSoundCount(); ++i)
    {
        VelkorEngine::Sound* sound = m_soundManager->GetSound(i);
        if (!IsMusicSound(sound))
            sound->SetVolume(m_soundVolume);
    }
}

void GameSoundPlayer::SetMusicVolume(f32 volume)
{
    m_musicVolume = ClampVolume(volume);
    for (const std::unique_ptr<GameSoundChannel>& channel : m_channels)
        channel->SetVolume(m_musicVolume);
}

void GameSoundPlayer::ApplySoundVolume() { SetSoundVolume(m_soundVolume); }

f32 GameSoundPlayer::GetDefaultSoundVolume() const { return DefaultVolume(SoundVolumeName); }

f32 GameSoundPlayer::GetDefaultMusicVolume() const { return DefaultVolume(MusicVolumeName); }

f32 GameSoundPlayer::DefaultVolume(const std::string& name) const
{
    std::string text;
    m_config->GetDefaultValue(text, name);
    return VelkorEngine::StringToFloat(text);
}

void GameSoundPlayer::Update()
{
    if (!m_soundManager)
        return;
    for (const std::unique_ptr<GameSoundChannel>& channel : m_channels)
        channel->UpdateFade();
    // The applied volumes wander a little around the settings; the settings themselves stay as they are, once
    // clamped (the console writes them directly).
    const f32 soundVolume = ClampVolume(m_soundVolume);
    const f32 musicVolume = ClampVolume(m_musicVolume);
    SetSoundVolume(ClampVolume(soundVolume + VelkorEngine::RandomSignedFloat() * VolumeNoise));
    SetMusicVolume(ClampVolume(musicVolume + VelkorEngine::RandomSignedFloat() * VolumeNoise));
    m_soundVolume = soundVolume;
    m_musicVolume = musicVolume;
}

GameSoundChannel* GameSoundPlayer::GetSlotChannel(u32 slot) const
{
    const auto found = m_musicSlots.find(slot);
    return found == m_musicSlots.end() ? nullptr : found->second;
}

GameSoundChannel* GameSoundPlayer::FindChannel(u32 trackId) const
{
    for (const std::unique_ptr<GameSoundChannel>& channel : m_channels)
        if (channel->GetTrackId() == trackId)
            return channel.get();
    return nullptr;
}

bool GameSoundPlayer::IsMusicSound(const VelkorEngine::Sound* sound) const
{
    return std::any_of(m_channels.begin(), m_channels.end(),
                       [&](const std::unique_ptr<GameSoundChannel>& channel) { return channel->GetSound() == sound; });
}
}
