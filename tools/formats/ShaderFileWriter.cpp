// Shader file writer shared by the tests and the data generator.
#include "tools/formats/ShaderFileWriter.h"

#include "engine/render/ShaderDescriptor.h"
#include "tools/formats/LittleEndianFields.h"

#include <cstring>

namespace KorvaneTools
{
using namespace VelkorEngine;

namespace
{
// Length byte counting the terminating zero, then the text and the zero.
void PutName(std::string& out, const std::string& name)
{
    out.push_back(static_cast<char>(name.size() + 1));
    out += name;
    out.push_back('\0');
}

void PutStage(std::string& out, const ShaderFileStage& stage)
{
    PutU32(out, stage.flags);
    PutU32(out, stage.mode);
    if (stage.mode != 0)
    {
        PutU32(out, stage.frameCount);
        PutF32(out, stage.speed);
    }
    if (stage.mode == 1)
    {
        PutU32(out, stage.columns);
        PutU32(out, stage.rows);
    }
    PutName(out, stage.firstName);
    PutName(out, stage.secondName);
    PutU32(out, stage.addressModeU);
    PutU32(out, stage.addressModeV);
    PutF32(out, stage.scaleU);
    PutF32(out, stage.scaleV);
    PutF32(out, stage.offsetU);
    PutF32(out, stage.offsetV);
}
}

std::string BuildShaderFile(const ShaderFile& file)
{
    std::string body;
    PutU32(body, file.flags);
    for (const auto& color : file.colors)
    {
        for (f32 component : color)
            PutF32(body, component);
    }
    PutF32(body, file.values[0]);
    PutF32(body, file.values[1]);
    PutU32(body, file.sourceBlend);
    PutU32(body, file.destinationBlend);
    PutU32(body, static_cast<u32>(file.stages.size()));
    for (const ShaderFileStage& stage : file.stages)
        PutStage(body, stage);

    std::string out;
    PutU32(out, static_cast<u32>(13 + body.size()));
    out += "VESRF";
    PutU32(out, file.version);
    return out + body;
}

ShaderFile ShaderFileFromDescriptor(const ShaderDescriptor& descriptor)
{
    ShaderFile file;
    file.flags = descriptor.GetFlags();
    for (u32 i = 0; i < 4; ++i)
    {
        const Color& color = descriptor.GetColor(i);
        file.colors[i][0] = color.r;
        file.colors[i][1] = color.g;
        file.colors[i][2] = color.b;
        file.colors[i][3] = color.a;
    }
    file.values[0] = descriptor.GetValue(0);
    file.values[1] = descriptor.GetValue(1);
    file.sourceBlend = descriptor.GetSourceBlend();
    file.destinationBlend = descriptor.GetDestinationBlend();
    for (u32 i = 0; i < descriptor.GetStageCount(); ++i)
    {
        const ShaderStage& stage = descriptor.GetStage(i);
        ShaderFileStage out;
        out.flags = stage.flags;
        out.mode = stage.mode;
        out.frameCount = stage.frameCount;
        out.speed = stage.speed;
        out.columns = stage.columns;
        out.rows = stage.rows;
        out.firstName = stage.firstName;
        out.secondName = stage.secondName;
        out.addressModeU = stage.addressModeU;
        out.addressModeV = stage.addressModeV;
        out.scaleU = stage.scaleU;
        out.scaleV = stage.scaleV;
        out.offsetU = stage.offsetU;
        out.offsetV = stage.offsetV;
        file.stages.push_back(out);
    }
    return file;
}
}
