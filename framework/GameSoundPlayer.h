// The game's layer over the engine's sounds. So far it keeps the two volumes, each within [0, 1], that the
// profiles store and apply; playing effects and music comes with the rest of the player.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
class Engine;
}

namespace GameFramework
{
using VelkorEngine::f32;

class GameSoundPlayer
{
public:
    GameSoundPlayer(VelkorEngine::Engine* engine, f32 musicVolume, f32 soundVolume);
    virtual ~GameSoundPlayer() = default;

    GameSoundPlayer(const GameSoundPlayer&) = delete;
    GameSoundPlayer& operator=(const GameSoundPlayer&) = delete;

    void SetMusicVolume(f32 volume);
    void SetSoundVolume(f32 volume);
    f32 GetMusicVolume() const { return m_musicVolume; }
    f32 GetSoundVolume() const { return m_soundVolume; }

private:
    VelkorEngine::Engine* m_engine = nullptr;
    f32 m_musicVolume = 1.0f;
    f32 m_soundVolume = 1.0f;
};
}
