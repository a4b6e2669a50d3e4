// Writes shader files ("VESRF" 211) byte by byte from a plain description, so tests (and the data generator)
// can make good and deliberately broken files alike.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class ShaderDescriptor;
}

namespace KorvaneTools
{
struct ShaderFileStage
{
    VelkorEngine::u32 flags = 0;
    VelkorEngine::u32 mode = 0;
    // Written only for animated stages (mode other than 0).
    VelkorEngine::u32 frameCount = 1;
    VelkorEngine::f32 speed = 0.0f;
    // Written only for grid stages (mode 1).
    VelkorEngine::u32 columns = 1;
    VelkorEngine::u32 rows = 1;
    std::string firstName;
    std::string secondName;
    VelkorEngine::u32 addressModeU = 0;
    VelkorEngine::u32 addressModeV = 0;
    VelkorEngine::f32 scaleU = 1.0f;
    VelkorEngine::f32 scaleV = 1.0f;
    VelkorEngine::f32 offsetU = 0.0f;
    VelkorEngine::f32 offsetV = 0.0f;
};

struct ShaderFile
{
    VelkorEngine::u32 flags = 0;
    VelkorEngine::f32 colors[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}};
    VelkorEngine::f32 values[2] = {0.0f, 0.0f};
    VelkorEngine::u32 sourceBlend = 0;
    VelkorEngine::u32 destinationBlend = 0;
    // The stage count written is the number of stages here, whatever it is.
    std::vector<ShaderFileStage> stages;
    VelkorEngine::u32 version = 211;
};

// The whole file: header (length, "VESRF", version) and body.
std::string BuildShaderFile(const ShaderFile& file);
// The description of a descriptor's stored values; names as the descriptor holds them.
ShaderFile ShaderFileFromDescriptor(const VelkorEngine::ShaderDescriptor& descriptor);
}
