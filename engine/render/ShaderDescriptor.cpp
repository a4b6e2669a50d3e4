// Shader descriptors: the three ways of making one, the shader file reader, and the sharing equality.
#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"

#include <atomic>
#include <cmath>
#include <memory>

namespace VelkorEngine
{
namespace
{
constexpr u32 kBlendSourceAlpha = 4;
constexpr u32 kBlendInverseSourceAlpha = 5;
constexpr u32 kAddressClamp = 0;
constexpr u32 kAddressWrap = 1;
constexpr const char* kStageOverflow = "Shader Stages: buffer is overflowed";

std::atomic<u8> g_textureShaderFlag{0};

FileError FormatError(const std::string& fileName)
{
    return FileError("Incorrect \"" + fileName + "\" file format");
}

// Textures named without a folder are looked up beside the shader file that names them.
std::string BesideShaderFile(const std::string& name, const std::string& shaderFileName)
{
    if (name.empty() || !GetPathDirectory(name).empty() || name[0] == '\\')
        return name;
    const std::string folder = GetPathDirectory(shaderFileName);
    if (folder.empty())
        return name;
    return folder + "\\" + name;
}

bool IsAnimated(u32 mode)
{
    return mode != ShaderStage::ModeStatic;
}

// Modes 0 and 1 differ only in how the one texture is addressed, so they share textures.
bool UsesOneTexture(u32 mode)
{
    return mode == ShaderStage::ModeStatic || mode == ShaderStage::ModeGrid;
}

bool StagesShareTextures(const ShaderStage& a, const ShaderStage& b)
{
    constexpr u32 kIgnoredStageFlags = ShaderStage::FlagMipMapping | ShaderStage::FlagRandomStart;
    if ((a.flags & ~kIgnoredStageFlags) != (b.flags & ~kIgnoredStageFlags))
        return false;
    const bool bothSingle = UsesOneTexture(a.mode) && UsesOneTexture(b.mode);
    if (!bothSingle && (a.mode != b.mode || a.frameCount != b.frameCount))
        return false;
    return a.firstName == b.firstName && a.secondName == b.secondName;
}
}

ShaderDescriptor::ShaderDescriptor(u32 flags) : m_flags(flags)
{
    m_colors[0] = Color(1.0f, 1.0f, 1.0f, 1.0f);
    m_colors[1] = Color(1.0f, 1.0f, 1.0f, 1.0f);
    m_colors[2] = Color(1.0f, 1.0f, 1.0f, 1.0f);
    m_colors[3] = Color(0.0f, 0.0f, 0.0f, 1.0f);
}

ShaderDescriptor::ShaderDescriptor(bool mipMapping, u32 mode, u32 columns, u32 rows, u32 frameCount, f32 speed,
                                   const std::string& diffuseName, const std::string& opacityName, bool clamp)
    : ShaderDescriptor(opacityName.empty() ? 0u : 1u)
{
    if (!opacityName.empty())
    {
        m_sourceBlend = kBlendSourceAlpha;
        m_destinationBlend = kBlendInverseSourceAlpha;
    }
    const bool ownAlpha = StringToLowerCopy(opacityName) == "32bit";
    AddStage(mipMapping ? ShaderStage::FlagMipMapping : 0u, mode, columns, rows, frameCount, speed, diffuseName,
             ownAlpha ? std::string() : opacityName, clamp ? kAddressClamp : kAddressWrap);
}

ShaderDescriptor::ShaderDescriptor(MessageManager* log, FileManager* fileManager, const std::string& fileName)
    : ShaderDescriptor(0u)
{
    try
    {
        ReadFile(fileManager, fileName);
    }
    catch (const FileError& error)
    {
        log->Error(error.GetMessage());
        throw Error(error.GetMessage());
    }
}

void ShaderDescriptor::ReadFile(FileManager* fileManager, const std::string& fileName)
{
    const std::unique_ptr<FileBinary> file =
        fileManager->OpenBinary(FileManager::GetDataPath(fileName), FileBinary::ForReading, FileBinary::ReadAsNeeded);
    BinaryFileHeader::ReadChecked(*file, fileName, "VESRF", kFileVersion);
    BinaryReader in(*file);

    m_flags = in.U32();
    for (Color& color : m_colors)
        color = in.Colour();
    m_values[0] = in.F32();
    m_values[1] = in.F32();
    m_sourceBlend = in.U32();
    m_destinationBlend = in.U32();

    // A third stage overflows the descriptor as it would when added; the count is refused before any stage is
    // read, so that a huge count cannot keep the reader busy.
    const u32 stageCount = in.U32();
    if (stageCount > kMaxStages)
        throw FatalError(kStageOverflow);
    for (u32 i = 0; i < stageCount; ++i)
        ReadStage(in, fileName);
}

void ShaderDescriptor::ReadStage(BinaryReader& in, const std::string& fileName)
{
    const u32 flags = in.U32();
    const u32 mode = in.U32();
    u32 frameCount = 1;
    f32 speed = 0.0f;
    u32 columns = 1;
    u32 rows = 1;
    if (IsAnimated(mode))
    {
        frameCount = in.U32();
        speed = in.F32();
    }
    if (mode == ShaderStage::ModeGrid)
    {
        columns = in.U32();
        rows = in.U32();
    }
    // An animation without frames, a grid without cells or a speed that is not a number would stall or
    // derail the frame animation; such a file is refused.
    if (frameCount == 0 || frameCount > kMaxFrames || columns == 0 || rows == 0 || !std::isfinite(speed))
        throw FormatError(fileName);

    const std::string firstName = BesideShaderFile(in.String(), fileName);
    const std::string secondName = BesideShaderFile(in.String(), fileName);
    const u32 index = AddStage(flags, mode, columns, rows, frameCount, speed, firstName, secondName, 0);

    ShaderStage& stage = m_stages[index];
    stage.addressModeU = in.U32();
    stage.addressModeV = in.U32();
    stage.scaleU = in.F32();
    stage.scaleV = in.F32();
    stage.offsetU = in.F32();
    stage.offsetV = in.F32();
}

u32 ShaderDescriptor::AddStage(u32 stageFlags, u32 mode, u32 columns, u32 rows, u32 frameCount, f32 speed,
                               const std::string& firstName, const std::string& secondName, u32 addressMode)
{
    if (m_stageCount >= kMaxStages)
        throw FatalError(kStageOverflow);

    // Zero frames or cells would leave the animation nothing to show; one is the least that draws.
    ShaderStage& stage = m_stages[m_stageCount];
    stage = ShaderStage();
    stage.flags = stageFlags;
    stage.mode = mode;
    stage.columns = columns == 0 ? 1 : columns;
    stage.rows = rows == 0 ? 1 : rows;
    stage.frameCount = IsAnimated(mode) ? (frameCount == 0 ? 1 : frameCount) : 0;
    stage.speed = std::isfinite(speed) ? speed : 0.0f;
    stage.firstName = StringToLowerCopy(firstName);
    stage.secondName = StringToLowerCopy(secondName);
    stage.addressModeU = addressMode;
    stage.addressModeV = addressMode;

    ++m_stageCount;
    ComputeKey();
    return m_stageCount - 1;
}

void ShaderDescriptor::SetBlendFactor(u32 which, u32 value)
{
    if (which == 0)
        m_sourceBlend = value;
    else if (which == 1)
        m_destinationBlend = value;
}

// Stages that are not there are left alone: there is nothing to draw through them.
void ShaderDescriptor::SetStageTransform(u32 index, f32 scaleU, f32 scaleV, f32 offsetU, f32 offsetV)
{
    if (index >= m_stageCount)
        return;
    ShaderStage& stage = m_stages[index];
    stage.scaleU = scaleU;
    stage.scaleV = scaleV;
    stage.offsetU = offsetU;
    stage.offsetV = offsetV;
}

void ShaderDescriptor::SetStageAddressMode(u32 index, u32 addressMode)
{
    if (index >= m_stageCount)
        return;
    m_stages[index].addressModeU = addressMode;
    m_stages[index].addressModeV = addressMode;
}

bool ShaderDescriptor::operator==(const ShaderDescriptor& other) const
{
    if (m_key != other.m_key)
        return false;
    if ((m_flags & ~1u) != (other.m_flags & ~1u))
        return false;
    if (m_stageCount != other.m_stageCount)
        return false;
    for (u32 i = 0; i < m_stageCount; ++i)
    {
        if (!StagesShareTextures(m_stages[i], other.m_stages[i]))
            return false;
    }
    return true;
}

void ShaderDescriptor::ComputeKey()
{
    u32 key = 0;
    for (u32 i = 0; i < m_stageCount; ++i)
    {
        for (const std::string* name : {&m_stages[i].firstName, &m_stages[i].secondName})
        {
            for (char character : *name)
                key += static_cast<u32>(static_cast<i32>(static_cast<i8>(character)));
        }
    }
    m_key = key;
}

void SetTextureShaderFlag(u8 value)
{
    g_textureShaderFlag = value;
}

ShaderDescriptor BuildTextureShaderDescriptor(u32 columns, u32 rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp)
{
    ShaderDescriptor descriptor(0u);
    if (!opacityName.empty())
    {
        descriptor.SetFlags(1);
        descriptor.SetBlendFactor(0, kBlendSourceAlpha);
        descriptor.SetBlendFactor(1, kBlendInverseSourceAlpha);
    }
    if (!diffuseName.empty())
    {
        const u32 frames = columns * rows;
        const u32 stageFlags = g_textureShaderFlag != 0 ? ShaderStage::FlagMipMapping : 0u;
        const u32 mode = frames > 1 ? ShaderStage::ModeGrid : ShaderStage::ModeStatic;
        const bool ownAlpha = opacityName.find("32bit") != std::string::npos;
        descriptor.AddStage(stageFlags, mode, columns, rows, frames, 0.0f, diffuseName,
                            ownAlpha ? std::string() : opacityName, clamp ? kAddressClamp : kAddressWrap);
    }
    return descriptor;
}

ShaderDescriptor BuildSingleTextureShaderDescriptor(const std::string& diffuseName, const std::string& opacityName,
                                                    bool clamp)
{
    return BuildTextureShaderDescriptor(1, 1, diffuseName, opacityName, clamp);
}
}
