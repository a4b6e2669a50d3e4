// The services a model needs, made the way the engine makes them, over the recording render system (no
// device): the shader test bed's log, files, settings, clock and shader manager, plus the camera, light and
// model managers. Model and shader files are written into its data folder.
#pragma once

#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/scene/ModelManager.h"
#include "tools/formats/ModelFileWriter.h"
#include "tests/support/ShaderTestBed.h"

#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
class ModelTestBed
{
public:
    explicit ModelTestBed(VelkorEngine::u32 stageCount = 2);
    ~ModelTestBed();

    ShaderTestBed& Base() { return m_base; }
    VelkorEngine::MessageManager& Log() { return m_base.Log(); }
    KorvaneTest::RenderRecordingSystem& Render() { return m_base.Render(); }
    AnimationClock& Clock() { return m_base.Clock(); }
    VelkorEngine::ShaderManager& Shaders() { return m_base.Shaders(); }
    VelkorEngine::CameraManager& Cameras() { return *m_cameras; }
    VelkorEngine::Camera& DefaultCamera() { return *m_cameras->GetDefaultCamera(); }
    VelkorEngine::LightManager& Lights() { return *m_lights; }
    VelkorEngine::ModelManager& Models() { return *m_models; }
    const VelkorEngine::ModelServices& Services() const { return m_services; }

    // Names are relative to the data folder, with backslashes as the engine writes them. The shader file
    // of the same name (extension "srf") is written too, without stages, so the model loads quietly.
    void WriteModel(const std::string& name, const KorvaneTools::ModelFileDescription& description);
    // The default camera's matrices and frustum after a change of its fields.
    void UpdateCamera();
    std::vector<std::string> Errors() const { return m_base.Entries(VelkorEngine::MessageManager::KindError); }

private:
    ShaderTestBed m_base;
    std::unique_ptr<VelkorEngine::CameraManager> m_cameras;
    std::unique_ptr<VelkorEngine::LightManager> m_lights;
    VelkorEngine::ModelServices m_services;
    std::unique_ptr<VelkorEngine::ModelManager> m_models;
};
}
