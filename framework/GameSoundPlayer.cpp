// The sound player's volumes.
#include "framework/GameSoundPlayer.h"

#include <algorithm>
#include <cmath>

namespace GameFramework
{
namespace
{
f32 ClampVolume(f32 volume)
{
    return std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : 1.0f;
}
}

GameSoundPlayer::GameSoundPlayer(VelkorEngine::Engine* engine, f32 musicVolume, f32 soundVolume)
    : m_engine(engine), m_musicVolume(ClampVolume(musicVolume)), m_soundVolume(ClampVolume(soundVolume))
{
}

void GameSoundPlayer::SetMusicVolume(f32 volume)
{
    m_musicVolume = ClampVolume(volume);
}

void GameSoundPlayer::SetSoundVolume(f32 volume)
{
    m_soundVolume = ClampVolume(volume);
}
}
