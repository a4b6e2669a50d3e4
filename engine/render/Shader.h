// The loaded form of a shader descriptor: one texture per stage and animation frame, shared by every
// shader user of an equal descriptor, and the operation that puts the states into the render system.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderUser;
class Texture2D;
class TextureManager;
struct ShaderStage;

class Shader
{
public:
    Shader(MessageManager* log, FileManager* fileManager, RenderSystem* renderSystem, TextureManager* textureManager,
           const ShaderDescriptor& descriptor);
    virtual ~Shader();

    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    void Apply(const ShaderUser& user);

    u32 GetStageCount() const { return static_cast<u32>(m_stages.size()); }
    u32 GetTextureCount(u32 stage) const { return static_cast<u32>(m_stages[stage].size()); }
    // Null when the stage loads no texture.
    Texture2D* GetTexture(u32 stage, u32 frame) const { return m_stages[stage][frame]; }

    // How many shader users share this shader; kept by the users themselves.
    u32 referenceCount = 0;

    // The name of frame f of a numbered sequence: the digits before the extension replaced by f,
    // zero-padded to the width of the frame count (smoke00.tga, 16 frames: smoke00.tga to smoke15.tga).
    static std::string SequenceFrameName(const std::string& name, u32 frame, u32 frameCount);

private:
    void LoadStage(const ShaderStage& stage);
    std::string ResolveTextureName(const std::string& name) const;

    MessageManager* m_log;
    FileManager* m_fileManager;
    RenderSystem* m_renderSystem;
    TextureManager* m_textureManager;
    std::vector<std::vector<Texture2D*>> m_stages;
};
}
