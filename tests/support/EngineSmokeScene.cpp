// The smoke scene: models, light, camera and sounds set up through the engine's managers.
#include "tests/support/EngineSmokeScene.h"

#include "engine/render/Camera.h"
#include "engine/render/Light.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/sound/Sound.h"
#include "tests/support/EngineSmokeData.h"

#include <cmath>

namespace TestSupport
{
using namespace VelkorEngine;

namespace
{
const Vector3 kCratePosition(1.7f, -0.6f, 0.0f);
}

EngineSmokeScene::EngineSmokeScene(Engine& engine) : m_engine(engine)
{
    SetUpView();
    m_windmill = PlaceModel(EngineSmokeFiles::Windmill, Vector3(-1.8f, 0.4f, -0.5f));
    m_windmill->animation->loop = 1;
    m_windmill->animation->Start();
    m_crate = PlaceModel(EngineSmokeFiles::Crate, kCratePosition);
    m_floor = PlaceModel(EngineSmokeFiles::Floor, Vector3(0.0f, -1.2f, 0.0f));
    StartSparks();
    StartSounds();
    Update();
}

EngineSmokeScene::~EngineSmokeScene()
{
    m_engine.GetParticleSystemManager()->DeleteParticleSystem(m_sparks);
    m_sparksSource.reset();
    ModelManager& models = *m_engine.GetModelManager();
    models.DeleteModel(m_floor);
    models.DeleteModel(m_crate);
    models.DeleteModel(m_windmill);
    m_engine.GetLightManager()->DeleteLight(m_light);
    if (SoundManager* sounds = m_engine.GetSoundManager())
    {
        sounds->DeleteSound(m_music);
        sounds->DeleteSound(m_effect);
    }
}

void EngineSmokeScene::Update()
{
    const f32 angle = 0.8f * m_engine.GetTimerManager()->GetFrameTimer()->GetTime();
    Matrix4 turn;
    MakeRotationYMatrix(turn, angle);
    Matrix4 place;
    MakeTranslationMatrix(place, kCratePosition);
    m_crate->worldMatrix = place * turn;
}

Model* EngineSmokeScene::PlaceModel(const char* file, const Vector3& position)
{
    Model* model = m_engine.GetModelManager()->CreateModelFromFile(file, nullptr, 0);
    MakeTranslationMatrix(model->worldMatrix, position);
    return model;
}

// The default camera a little above the ground, looking slightly down; a dark blue sky; one light from the
// upper left behind the camera over a dim ambient light.
void EngineSmokeScene::SetUpView()
{
    Camera& camera = *m_engine.GetCameraManager()->GetDefaultCamera();
    camera.position = Vector3(0.0f, 0.6f, 5.0f);
    const f32 tilt = -0.12f;
    camera.orientation = Quaternion(std::sin(tilt / 2.0f), 0.0f, 0.0f, std::cos(tilt / 2.0f));

    RenderSystem& render = *m_engine.GetRenderSystem();
    render.SetClearColor(Color(0.05f, 0.08f, 0.2f, 1.0f));
    render.SetClearFlags(RenderSystem::ClearColor | RenderSystem::ClearDepth);

    LightManager& lights = *m_engine.GetLightManager();
    lights.SetAmbientColor(Color(0.35f, 0.35f, 0.35f, 1.0f));
    m_light = lights.CreateLight();
    m_light->kind = Light::KindDirectional;
    m_light->direction = Vector3(0.5f, -0.6f, -0.62f);
    m_light->ambient = Color(0.0f, 0.0f, 0.0f, 1.0f);
    m_light->specular = Color(0.0f, 0.0f, 0.0f, 1.0f);
}

// A looping effect on the ground between the windmill and the crate.
void EngineSmokeScene::StartSparks()
{
    ParticleSystemManager& particles = *m_engine.GetParticleSystemManager();
    m_sparksSource.reset(particles.NewParticleSystemFromFile(EngineSmokeFiles::Sparks, nullptr));
    m_sparks = particles.CreateParticleSystemCopy(*m_sparksSource);
    m_sparks->SetPosition(Vector3(0.1f, -1.2f, 0.6f));
    m_sparks->loop = 1;
    m_sparks->active = 1;
}

// Queued as the game queues its sounds; the engine's next frame starts them. Silent without a sound device.
void EngineSmokeScene::StartSounds()
{
    SoundManager* sounds = m_engine.GetSoundManager();
    if (!sounds)
        return;
    m_effect = sounds->CreateSound(EngineSmokeFiles::Effect);
    sounds->Play(m_effect, SoundManager::Queued);
    m_music = sounds->CreateSound(EngineSmokeFiles::Music);
    m_music->SetLooping(1);
    sounds->Play(m_music, SoundManager::Queued);
}
}
