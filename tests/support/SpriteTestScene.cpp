// The scene services for sprite and particle tests.
#include "tests/support/SpriteTestScene.h"

using namespace VelkorEngine;

namespace TestSupport
{
SpriteTestScene::SpriteTestScene()
{
    ShaderManager* shaders = &bed.Shaders();
    cameras = std::make_unique<CameraManager>(Log(), nullptr, &bed.Render());
    // The camera manager's frame step needs a window; the default camera's own update is all these tests use.
    GetCamera().Update();
    lights = std::make_unique<LightManager>(Log(), &bed.Render());
    models = std::make_unique<ModelManager>(Log(), Files(), Timers(), &bed.Render(), cameras.get(), lights.get(),
                                            shaders);
    spriteGroups = std::make_unique<SpriteGroupManager>(Log(), cameras.get(), shaders, models.get());
    particleSystems =
        std::make_unique<ParticleSystemManager>(Log(), Files(), Timers(), shaders, spriteGroups.get());
    bed.Log().ClearRecords();
}

// The reverse of construction, as the engine tears down.
SpriteTestScene::~SpriteTestScene()
{
    particleSystems.reset();
    spriteGroups.reset();
    models.reset();
    lights.reset();
    cameras.reset();
}

void SpriteTestScene::Tick(double seconds)
{
    bed.Clock().Step(seconds);
}

void SpriteTestScene::Frame(double seconds)
{
    Tick(seconds);
    particleSystems->Update();
    spriteGroups->Update();
}

void SpriteTestScene::WriteDataFile(const std::string& name, const std::string& bytes)
{
    bed.WriteBytes(name, bytes);
}

std::vector<std::string> SpriteTestScene::Errors() const
{
    return bed.Entries(MessageManager::KindError);
}
}
