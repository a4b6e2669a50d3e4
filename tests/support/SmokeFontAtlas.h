// A font for the smoke program, rasterised from a DejaVu face with FreeType: printable ASCII and the Russian
// letters in cells of one height on a square atlas, white with the coverage as alpha, and its glyph file.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace TestSupport
{
struct SmokeFont
{
    std::string glyphFile; // "VEFNT" bytes
    std::string atlas;     // 32-bit TGA bytes
    VelkorEngine::f32 space = 0.3f;
};

// Throws std::runtime_error when the face cannot be read.
SmokeFont MakeSmokeFont(const std::string& faceFile, VelkorEngine::u32 pixelHeight);
}
