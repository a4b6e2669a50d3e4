// The services a shader manager needs, made the way the engine makes them, over the recording render system
// (no device): an installation folder with a "data" folder for shader files and pictures, a log that keeps its
// records, settings, a fake frame clock and the shader manager itself. For the shader tests and for the
// services that hold shader users (models, sprite groups, particle systems).
#pragma once

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/AnimationClock.h"
#include "tests/support/RenderRecordingSystem.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
class ShaderTestBed
{
public:
    explicit ShaderTestBed(VelkorEngine::u32 stageCount = 2);

    VelkorEngine::MessageManager& Log() { return m_log; }
    VelkorEngine::FileManager& Files() { return m_files; }
    VelkorEngine::Config& Settings() { return m_config; }
    KorvaneTest::RenderRecordingSystem& Render() { return m_render; }
    AnimationClock& Clock() { return m_clock; }
    VelkorEngine::ShaderManager& Shaders() { return *m_shaders; }
    VelkorEngine::TextureManager& Textures() { return *m_shaders->GetTextureManager(); }

    // Names are relative to the data folder and may use backslashes, as the engine writes them.
    void WriteShaderFile(const std::string& name, const KorvaneTools::ShaderFile& file);
    void WriteBytes(const std::string& name, const std::string& bytes);
    // A small 24-bit TGA picture.
    void WritePicture(const std::string& name);
    // The text of every log entry of a kind, in order.
    std::vector<std::string> Entries(VelkorEngine::u32 kind) const;

private:
    TempFolder m_folder;
    VelkorEngine::MessageManager m_log;
    VelkorEngine::FileManager m_files;
    VelkorEngine::Config m_config;
    KorvaneTest::RenderRecordingSystem m_render;
    AnimationClock m_clock;
    std::unique_ptr<VelkorEngine::ShaderManager> m_shaders;
};
}
