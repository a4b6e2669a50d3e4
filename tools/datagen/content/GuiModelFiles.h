// GUI models and their shader files: flat meshes in GUI units (z = 0) whose vertices carry texture
// coordinates over their own rectangle, still, morphing over frames, or moved by one bone.
#pragma once

#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"

#include <functional>
#include <string>

namespace KorvaneTools
{
class DataStage;

struct GuiRectangle
{
    float left, bottom, width, height;
};

// Opaque, or alpha blended over what lies below, or added to it (glows, sparks).
enum class GuiBlending
{
    Opaque,
    Alpha,
    Additive,
};

// One clamped, mip-mapped stage of the picture at a data path ("ui/textures/panel.jpg"), the opacity path
// empty or a companion JPEG.
ShaderFile GuiShader(const std::string& picture, const std::string& opacity, GuiBlending blending);
// columns × rows cells of the rectangle, texture coordinates from (0, 0) at its bottom-left to (1, 1).
ModelFileDescription StillGuiModel(const GuiRectangle& rectangle, unsigned columns = 1, unsigned rows = 1);
// frames of the grid, each vertex moved by shift(frame, x, y) from its rest place; one box per frame.
ModelFileDescription MorphGuiModel(const GuiRectangle& rectangle, unsigned columns, unsigned rows, unsigned frames,
                                   float speed,
                                   const std::function<VelkorEngine::Vector3(unsigned, float, float)>& shift);
// A small triangle on one bone whose translation per frame is given: a model whose only use is the bone's
// animated translation.
ModelFileDescription BoneMoverModel(unsigned frames, float speed,
                                    const std::function<VelkorEngine::Vector3(unsigned)>& translation);
// Writes "x.mlf" and its "x.srf".
void AddGuiModel(DataStage& stage, const std::string& modelPath, const ModelFileDescription& model,
                 const ShaderFile& shader);
// The backslashed, data-relative form the game's files use.
std::string GameFilePath(const std::string& path);
}
