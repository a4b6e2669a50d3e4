// The game's sound layer over the engine's sound manager: effects played by id with several overlapping
// instances each, music played in numbered slots through fading channels, and the two volume settings.
// Without an engine sound manager every operation does nothing and every state query answers 2 (stopped).
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Config;
class Engine;
class MessageManager;
class Sound;
class SoundManager;
class TimerManager;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GameSoundChannel;

// One playable copy of an effect; an effect registered with n instances has n of these.
struct SoundEffectInstance
{
    u32 effectId = 0;
    std::string soundName;
    VelkorEngine::Sound* sound = nullptr; // owned through the sound manager
    u8 looping = 0;
    f32 lastStartTime = 0.0f;
};

class GameSoundPlayer
{
public:
    GameSoundPlayer(VelkorEngine::Engine* engine, f32 defaultMusicVolume, f32 defaultSoundVolume);
    virtual ~GameSoundPlayer();

    GameSoundPlayer(const GameSoundPlayer&) = delete;
    GameSoundPlayer& operator=(const GameSoundPlayer&) = delete;

    void AddSound(u32 effectId, const std::string& soundName, u8 looping, u32 instanceCount);
    // Virtual so that a test can hear which effects play.
    virtual void PlaySound(u32 effectId);
    void StopSound(u32 effectId);
    u32 GetSoundState(u32 effectId) const;

    void AddMusic(u32 trackId, const std::string& soundName, u8 looping);
    void PlayMusic(u32 slot, u32 trackId, u8 fade, f32 fadeSpeed);
    void StopMusic(u32 slot, u8 fade, f32 fadeSpeed);
    void PauseMusic(u32 slot, u8 pause, u8 fade, f32 fadeSpeed);
    u32 GetMusicState(u32 slot) const;
    void StopAllMusic(u8 fade, f32 fadeSpeed);
    void PauseAllMusic(u8 pause, u8 fade, f32 fadeSpeed);

    // The settings may have been typed in since the last update; they are read through the clamp.
    f32 GetSoundVolume() const { return ClampVolume(m_soundVolume); }
    f32 GetMusicVolume() const { return ClampVolume(m_musicVolume); }
    // Every volume that comes in, from a call, the settings, the console or a profile: within 0..1, and full
    // volume for a value that is not a number.
    static f32 ClampVolume(f32 volume);
    void SetSoundVolume(f32 volume);
    void SetMusicVolume(f32 volume);
    void ApplySoundVolume();
    f32 GetDefaultSoundVolume() const;
    f32 GetDefaultMusicVolume() const;

    void Update();

    // The channel a slot plays, or null.
    GameSoundChannel* GetSlotChannel(u32 slot) const;
    // The first channel registered for a track, or null.
    GameSoundChannel* FindChannel(u32 trackId) const;
    const std::vector<std::unique_ptr<SoundEffectInstance>>& GetEffectInstances() const { return m_effects; }

private:
    void RegisterVolumeSetting(const std::string& name, f32* storage, f32 defaultVolume);
    void StartChannel(GameSoundChannel& channel, u8 fade, f32 fadeSpeed);
    void CancelFadeOut(GameSoundChannel& channel, u8 fade, f32 fadeSpeed);
    bool IsMusicSound(const VelkorEngine::Sound* sound) const;
    f32 DefaultVolume(const std::string& name) const;

    VelkorEngine::Engine* m_engine;
    VelkorEngine::Config* m_config;
    VelkorEngine::SoundManager* m_soundManager;
    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::MessageManager* m_log;
    std::vector<std::unique_ptr<SoundEffectInstance>> m_effects;
    std::vector<std::unique_ptr<GameSoundChannel>> m_channels;
    f32 m_musicVolume = 1.0f;
    f32 m_soundVolume = 1.0f;
    std::map<u32, GameSoundChannel*> m_musicSlots;
};
}
