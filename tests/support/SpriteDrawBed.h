// Sprite groups and particle systems drawn for real: the render test bed's device on an offscreen window with
// the camera, light, shader, model, sprite-group and particle-system managers over it, a fake frame clock and
// a data folder. A frame runs the drawing steps of the engine's frame in its order.
#pragma once

#include "engine/files/FileManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "tests/support/AnimationClock.h"
#include "tests/support/RenderTestBed.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>

namespace TestSupport
{
class SpriteDrawBed
{
public:
    // Starts the device and clears to black.
    SpriteDrawBed();
    ~SpriteDrawBed();

    SpriteDrawBed(const SpriteDrawBed&) = delete;
    SpriteDrawBed& operator=(const SpriteDrawBed&) = delete;

    // Ends a frame of the given length, then cameras, particle systems, sprite groups, lights, shaders and
    // the models' drawing pass.
    void Frame(double seconds);
    // A frame, then the picture it drew.
    VelkorEngine::Image FrameAndScreenshot(double seconds);
    // A file under the data folder ("data/" + name).
    void WriteDataFile(const std::string& name, const std::string& bytes);

    KorvaneTest::RenderTestBed bed;
    TempFolder folder;
    AnimationClock clock;
    VelkorEngine::RenderSystem_D3D7* render = nullptr;
    std::unique_ptr<VelkorEngine::FileManager> files;
    std::unique_ptr<VelkorEngine::CameraManager> cameras;
    std::unique_ptr<VelkorEngine::LightManager> lights;
    std::unique_ptr<VelkorEngine::ShaderManager> shaders;
    std::unique_ptr<VelkorEngine::ModelManager> models;
    std::unique_ptr<VelkorEngine::SpriteGroupManager> spriteGroups;
    std::unique_ptr<VelkorEngine::ParticleSystemManager> particleSystems;
};
}
