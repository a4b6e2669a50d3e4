// Sprite groups and particle systems over the engine's scene services without a device: the shader test bed
// (log, data folder, settings, recording render system, fake frame clock, shader manager) with the camera,
// light, model, sprite-group and particle-system managers on top. The default camera stands at the origin
// looking down the negative z axis.
#pragma once

#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "tests/support/ShaderTestBed.h"

#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
class SpriteTestScene
{
public:
    SpriteTestScene();
    ~SpriteTestScene();

    SpriteTestScene(const SpriteTestScene&) = delete;
    SpriteTestScene& operator=(const SpriteTestScene&) = delete;

    // Ends a frame of the given length (the timer manager holds it to 0.001 to 0.1 seconds).
    void Tick(double seconds);
    // A frame of these services in the engine's order: the clock, the particle systems, the sprite groups.
    void Frame(double seconds);
    // A file under the data folder; the name as the engine gives it, with backslashes.
    void WriteDataFile(const std::string& name, const std::string& bytes);
    // The log's error entries, in order.
    std::vector<std::string> Errors() const;

    VelkorEngine::Camera& GetCamera() const { return *cameras->GetDefaultCamera(); }
    VelkorEngine::MessageManager* Log() { return &bed.Log(); }
    VelkorEngine::FileManager* Files() { return &bed.Files(); }
    VelkorEngine::TimerManager* Timers() { return bed.Clock().Timers(); }

    ShaderTestBed bed;
    std::unique_ptr<VelkorEngine::CameraManager> cameras;
    std::unique_ptr<VelkorEngine::LightManager> lights;
    std::unique_ptr<VelkorEngine::ModelManager> models;
    std::unique_ptr<VelkorEngine::SpriteGroupManager> spriteGroups;
    std::unique_ptr<VelkorEngine::ParticleSystemManager> particleSystems;
};
}
