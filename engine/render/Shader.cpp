// Shader textures per stage and frame, and the application of a shader user's states.
#include "engine/render/Shader.h"

#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
constexpr u32 kFilterBilinear = 1;
constexpr u32 kFilterTrilinear = 2;

bool FirstIsSequence(u32 mode)
{
    return mode == ShaderStage::ModeFirstSequence || mode == ShaderStage::ModeBothSequences;
}

bool SecondIsSequence(u32 mode)
{
    return mode == ShaderStage::ModeSecondSequence || mode == ShaderStage::ModeBothSequences;
}

u32 TextureCountOf(const ShaderStage& stage)
{
    const bool sequence = stage.mode == ShaderStage::ModeFirstSequence ||
                          stage.mode == ShaderStage::ModeSecondSequence ||
                          stage.mode == ShaderStage::ModeBothSequences;
    return sequence ? stage.frameCount : 1;
}
}

Shader::Shader(MessageManager* log, FileManager* fileManager, RenderSystem* renderSystem,
               TextureManager* textureManager, const ShaderDescriptor& descriptor)
    : m_log(log), m_fileManager(fileManager), m_renderSystem(renderSystem), m_textureManager(textureManager)
{
    for (u32 i = 0; i < descriptor.GetStageCount(); ++i)
        LoadStage(descriptor.GetStage(i));
}

Shader::~Shader()
{
    for (const std::vector<Texture2D*>& textures : m_stages)
    {
        for (Texture2D* texture : textures)
            m_textureManager->ReleaseTexture(texture);
    }
}

std::string Shader::SequenceFrameName(const std::string& name, u32 frame, u32 frameCount)
{
    const std::string extension = GetPathExtension(name);
    const std::string digits = UIntToString(frameCount, 0);
    const std::size_t replaced = extension.size() + digits.size() + 1;
    // A name too short to hold the frame number and the extension is used as it is.
    if (name.size() < replaced)
        return name;
    return name.substr(0, name.size() - replaced) + UIntToString(frame, static_cast<u32>(digits.size())) + "." +
           extension;
}

void Shader::LoadStage(const ShaderStage& stage)
{
    const u32 count = TextureCountOf(stage);
    std::vector<Texture2D*>& textures = m_stages.emplace_back(count, nullptr);
    if ((stage.flags & ShaderStage::FlagNoTexture) != 0)
        return;

    const bool mipMapping = (stage.flags & ShaderStage::FlagMipMapping) != 0;
    for (u32 frame = 0; frame < count; ++frame)
    {
        std::string first = stage.firstName;
        std::string second = stage.secondName;
        if (FirstIsSequence(stage.mode))
            first = SequenceFrameName(first, frame, count);
        if (SecondIsSequence(stage.mode))
            second = SequenceFrameName(second, frame, count);
        first = ResolveTextureName(first);
        if (!second.empty())
            second = ResolveTextureName(second);
        textures[frame] = m_textureManager->GetTexture(mipMapping, first, second);
    }
}

// The data path, lower-cased; a missing ".jpg" is looked for as ".jp2", then ".bmp".
std::string Shader::ResolveTextureName(const std::string& name) const
{
    std::string path = StringToLowerCopy(FileManager::GetDataPath(name));
    if (!PathHasExtension(path, "jpg") || m_fileManager->Exists(path))
        return path;
    for (const char* extension : {"jp2", "bmp"})
    {
        ChangePathExtension(path, extension);
        if (m_fileManager->Exists(path))
            return path;
    }
    ChangePathExtension(path, "jpg");
    return path;
}

void Shader::Apply(const ShaderUser& user)
{
    if (user.IsAlphaBlended())
    {
        m_renderSystem->SetAlphaBlend(true);
        m_renderSystem->SetBlend(user.GetSourceBlend(), user.GetDestinationBlend());
    }
    else
    {
        m_renderSystem->SetAlphaBlend(false);
    }

    // Stages the device does not have are never set; drawing is skipped for such shaders anyway.
    const u32 deviceStages = m_renderSystem->GetTextureStageCount();
    const u32 stageCount = std::min(user.GetStageCount(), std::min(GetStageCount(), deviceStages));
    for (u32 i = 0; i < stageCount; ++i)
    {
        const ShaderStage& stage = user.GetStage(i);
        const std::vector<Texture2D*>& textures = m_stages[i];
        const u32 frame = stage.frameIndex < textures.size() ? stage.frameIndex : 0;
        m_renderSystem->SetTexture(i, textures[frame]);
        const bool mipMapping = (stage.flags & ShaderStage::FlagMipMapping) != 0;
        m_renderSystem->SetTextureFilter(i, mipMapping ? kFilterTrilinear : kFilterBilinear);
        m_renderSystem->SetTextureAddressU(i, stage.addressModeU);
        m_renderSystem->SetTextureAddressV(i, stage.addressModeV);
        m_renderSystem->SetTextureTransform(i, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (u32 i = stageCount; i < deviceStages; ++i)
        m_renderSystem->SetTexture(i, nullptr);
}
}
