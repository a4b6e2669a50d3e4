// The model test bed: managers in the engine's order, and model files with their quiet shader files.
#include "tests/support/ModelTestBed.h"

#include "engine/files/FileManager.h"

using namespace VelkorEngine;

namespace TestSupport
{
// The camera manager gets no window: the test bed updates the default camera itself instead of the
// manager's per-frame update, which reads the window's size.
ModelTestBed::ModelTestBed(u32 stageCount) : m_base(stageCount)
{
    m_cameras = std::make_unique<CameraManager>(&Log(), nullptr, &Render());
    m_lights = std::make_unique<LightManager>(&Log(), &Render());
    m_services = ModelServices{&Log(), &m_base.Files(), Clock().Timers(), &Render(), m_cameras.get(), m_lights.get(),
                               &Shaders()};
    m_models = std::make_unique<ModelManager>(&Log(), &m_base.Files(), Clock().Timers(), &Render(), m_cameras.get(),
                                              m_lights.get(), &Shaders());
    UpdateCamera();
}

ModelTestBed::~ModelTestBed()
{
    m_models.reset();
    m_lights.reset();
    m_cameras.reset();
}

void ModelTestBed::WriteModel(const std::string& name, const KorvaneTools::ModelFileDescription& description)
{
    m_base.WriteBytes(name, WriteModelFile(description));
    std::string shaderName = name;
    ChangePathExtension(shaderName, "srf");
    m_base.WriteShaderFile(shaderName, KorvaneTools::ShaderFile{});
}

void ModelTestBed::UpdateCamera()
{
    DefaultCamera().Update();
}
}
