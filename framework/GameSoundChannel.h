// One music track of the game: an engine sound whose volume is a fade level times the music volume, faded in
// or out frame by frame and then paused or stopped.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Engine;
class Sound;
class SoundManager;
class TimerManager;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GameSoundChannel
{
public:
    enum FadeState : u32
    {
        FadeNone = 0,
        FadeIn = 1,
        FadeOutThenPause = 3,
        FadeOutThenStop = 4
    };

    GameSoundChannel(VelkorEngine::Engine* engine, const std::string& soundName, u8 looping, u32 trackId);
    virtual ~GameSoundChannel();

    GameSoundChannel(const GameSoundChannel&) = delete;
    GameSoundChannel& operator=(const GameSoundChannel&) = delete;

    // 0 playing, 1 paused, 2 stopped (always 2 without sound).
    u32 GetState() const;
    void SetFade(u32 state, f32 speed);
    void SetFadeLevel(f32 level);
    void SetVolume(f32 volume);
    void Play();
    void Pause();
    void Stop();
    void UpdateFade();

    bool IsFadingOut() const { return m_fadeState == FadeOutThenPause || m_fadeState == FadeOutThenStop; }
    u32 GetTrackId() const { return m_trackId; }
    f32 GetFadeLevel() const { return m_fadeLevel; }
    u32 GetFadeState() const { return m_fadeState; }
    f32 GetFadeSpeed() const { return m_fadeSpeed; }
    f32 GetVolume() const { return m_volume; }
    VelkorEngine::Sound* GetSound() const { return m_sound; }

private:
    void EndFadeOut();

    VelkorEngine::SoundManager* m_soundManager;
    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::Sound* m_sound = nullptr;
    u32 m_trackId;
    f32 m_fadeLevel = 1.0f;
    f32 m_volume = 1.0f;
    u32 m_fadeState = FadeNone;
    f32 m_fadeSpeed = 0.0f;
};
}
