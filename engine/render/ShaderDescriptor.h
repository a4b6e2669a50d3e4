// How a surface is drawn: blending, up to two texture stages with images, addressing, texture transform
// and frame animation. Read from shader files, built from texture settings, compared to share shaders.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class FileManager;
class BinaryReader;
class MessageManager;

struct ShaderStage
{
    enum Flags : u32
    {
        FlagMipMapping = 1,
        FlagRandomStart = 2,
        FlagNoTexture = 4
    };
    enum Mode : u32
    {
        ModeStatic = 0,
        ModeGrid = 1,
        ModeFirstSequence = 2,
        ModeSecondSequence = 3,
        ModeBothSequences = 4
    };

    u32 flags = 0;
    u32 mode = ModeStatic;
    u32 columns = 1;
    u32 rows = 1;
    u32 frameCount = 0;
    f32 speed = 0.0f;
    std::string firstName;
    std::string secondName;
    u32 addressModeU = 0;
    u32 addressModeV = 0;
    f32 scaleU = 1.0f;
    f32 scaleV = 1.0f;
    f32 offsetU = 0.0f;
    f32 offsetV = 0.0f;
    u32 frameIndex = 0;
};

class ShaderDescriptor
{
public:
    static constexpr u32 kMaxStages = 2;
    static constexpr u32 kFileVersion = 211;
    // More frames than this in one stage is not a shader anyone made; a file asking for it is refused
    // rather than loading thousands of images.
    static constexpr u32 kMaxFrames = 4096;

    explicit ShaderDescriptor(u32 flags = 0);
    ShaderDescriptor(bool mipMapping, u32 mode, u32 columns, u32 rows, u32 frameCount, f32 speed,
                     const std::string& diffuseName, const std::string& opacityName, bool clamp);
    // Reads "data\" + fileName; a bad file is logged and thrown as Error.
    ShaderDescriptor(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    ShaderDescriptor(const ShaderDescriptor& other) = default;
    ShaderDescriptor& operator=(const ShaderDescriptor& other) = default;
    virtual ~ShaderDescriptor() = default;

    // Throws FatalError when both stages are taken. Returns the new stage's index.
    u32 AddStage(u32 stageFlags, u32 mode, u32 columns, u32 rows, u32 frameCount, f32 speed,
                 const std::string& firstName, const std::string& secondName, u32 addressMode);

    // Which part of a stage's texture is drawn and how coordinates past its edges read it: a piece of a
    // surface can wear a patch of that surface's texture. Neither changes which shaders are shared. A grid
    // stage chooses its own window every frame.
    void SetStageTransform(u32 index, f32 scaleU, f32 scaleV, f32 offsetU, f32 offsetV);
    void SetStageAddressMode(u32 index, u32 addressMode);
    void SetFlags(u32 bits) { m_flags |= bits; }
    // which 0: source factor, 1: destination factor.
    void SetBlendFactor(u32 which, u32 value);
    void SetColor1(const Color& color) { m_colors[0] = color; }
    void SetColor2(const Color& color) { m_colors[1] = color; }
    void SetColor3(const Color& color) { m_colors[2] = color; }
    void SetColor4(const Color& color) { m_colors[3] = color; }
    void SetValue1(f32 value) { m_values[0] = value; }
    void SetValue2(f32 value) { m_values[1] = value; }

    bool operator==(const ShaderDescriptor& other) const;

    u32 GetFlags() const { return m_flags; }
    bool IsAlphaBlended() const { return (m_flags & 1) != 0; }
    const Color& GetColor(u32 index) const { return m_colors[index]; }
    f32 GetValue(u32 index) const { return m_values[index]; }
    u32 GetSourceBlend() const { return m_sourceBlend; }
    u32 GetDestinationBlend() const { return m_destinationBlend; }
    u32 GetStageCount() const { return m_stageCount; }
    const ShaderStage& GetStage(u32 index) const { return m_stages[index]; }
    u32 GetKey() const { return m_key; }

protected:
    ShaderStage& GetMutableStage(u32 index) { return m_stages[index]; }

private:
    void ReadFile(FileManager* fileManager, const std::string& fileName);
    void ReadStage(BinaryReader& in, const std::string& fileName);
    void ComputeKey();

    u32 m_flags = 0;
    Color m_colors[4];
    f32 m_values[2] = {0.0f, 0.0f};
    u32 m_sourceBlend = 0;
    u32 m_destinationBlend = 0;
    u32 m_stageCount = 0;
    ShaderStage m_stages[kMaxStages];
    u32 m_key = 0;
};

// The process-wide mip-mapping choice for descriptors built by BuildTextureShaderDescriptor.
void SetTextureShaderFlag(u8 value);

// One stage for a diffuse image, blended when an opacity image is given ("32bit" anywhere in the
// opacity name means the diffuse image's own alpha); a grid of columns × rows frames.
ShaderDescriptor BuildTextureShaderDescriptor(u32 columns, u32 rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp);
ShaderDescriptor BuildSingleTextureShaderDescriptor(const std::string& diffuseName, const std::string& opacityName,
                                                    bool clamp);
}
