// The smoke scene on a running engine, from the smoke data folder: a turning windmill, a crate that spins on a
// floor, sparks, a directional light, the effect played once and the music in a loop. Everything is drawn by
// the engine's own frame; the owner calls Update once a frame before it.
#pragma once

#include "engine/core/Engine.h"

#include <memory>

namespace VelkorEngine
{
class Light;
class Model;
class ParticleSystem;
class Sound;
}

namespace TestSupport
{
class EngineSmokeScene
{
public:
    explicit EngineSmokeScene(VelkorEngine::Engine& engine);
    ~EngineSmokeScene();

    EngineSmokeScene(const EngineSmokeScene&) = delete;
    EngineSmokeScene& operator=(const EngineSmokeScene&) = delete;

    // Turns the crate by the time of the engine's frame timer.
    void Update();

private:
    VelkorEngine::Model* PlaceModel(const char* file, const VelkorEngine::Vector3& position);
    void SetUpView();
    void StartSparks();
    void StartSounds();

    VelkorEngine::Engine& m_engine;
    VelkorEngine::Model* m_windmill = nullptr;
    VelkorEngine::Model* m_crate = nullptr;
    VelkorEngine::Model* m_floor = nullptr;
    // Read once, as the game's resource keeper reads its particle files; the scene runs a copy of it.
    std::unique_ptr<VelkorEngine::ParticleSystem> m_sparksSource;
    VelkorEngine::ParticleSystem* m_sparks = nullptr;
    VelkorEngine::Light* m_light = nullptr;
    VelkorEngine::Sound* m_effect = nullptr;
    VelkorEngine::Sound* m_music = nullptr;
};
}
