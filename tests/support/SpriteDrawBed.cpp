// The drawing bed for sprite groups and particle systems.
#include "tests/support/SpriteDrawBed.h"

using namespace VelkorEngine;

namespace TestSupport
{
SpriteDrawBed::SpriteDrawBed()
{
    render = &bed.Start();
    MessageManager* log = &bed.Log();
    files = std::make_unique<FileManager>(log, folder.Path(), "data");
    cameras = std::make_unique<CameraManager>(log, &bed.GetWindow(), render);
    lights = std::make_unique<LightManager>(log, render);
    shaders = std::make_unique<ShaderManager>(log, files.get(), clock.Timers(), &bed.Settings(), render);
    models = std::make_unique<ModelManager>(log, files.get(), clock.Timers(), render, cameras.get(), lights.get(),
                                            shaders.get());
    spriteGroups = std::make_unique<SpriteGroupManager>(log, cameras.get(), shaders.get(), models.get());
    particleSystems =
        std::make_unique<ParticleSystemManager>(log, files.get(), clock.Timers(), shaders.get(), spriteGroups.get());
    render->SetClearColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
}

// The reverse of construction, as the engine tears down.
SpriteDrawBed::~SpriteDrawBed()
{
    particleSystems.reset();
    spriteGroups.reset();
    models.reset();
    shaders.reset();
    lights.reset();
    cameras.reset();
}

void SpriteDrawBed::Frame(double seconds)
{
    clock.Step(seconds);
    cameras->Update();
    particleSystems->Update();
    spriteGroups->Update();
    lights->Update();
    shaders->Update();
    models->Render();
}

Image SpriteDrawBed::FrameAndScreenshot(double seconds)
{
    Frame(seconds);
    return bed.Screenshot();
}

void SpriteDrawBed::WriteDataFile(const std::string& name, const std::string& bytes)
{
    folder.WriteFile("data/" + name, bytes);
}
}
