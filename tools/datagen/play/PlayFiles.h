// Putting play models, their shader files and their pictures on the stage. Paths are below data/ with "/";
// the names written inside shader files are the data-relative paths with "\", as the game's readers take them.
#pragma once

#include "tools/datagen/DataStage.h"
#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/RgbaPicture.h"
#include "tools/formats/ShaderFileWriter.h"

#include <string>

namespace KorvaneTools
{
enum class Blending
{
    Opaque,
    Alpha,    // drawn over what lies behind with the texture's opacity
    Additive, // light added: sparks, flames, glows
};

// "game_objects/textures/oak.jpg" as the game names it: "game_objects\textures\oak.jpg".
std::string GameFileName(const std::string& path);

// A one-stage shader of a texture; a second name is the opacity picture ("32bit": the texture's own alpha).
ShaderFile TextureShader(const std::string& texturePath, Blending blending = Blending::Opaque,
                         const std::string& opacity = "", bool wrap = false);

// The model file and its sibling .srf.
void AddModelWithShader(DataStage& stage, const std::string& modelPath, const ModelFileDescription& model,
                        const ShaderFile& shader);
void AddShaderFile(DataStage& stage, const std::string& shaderPath, const ShaderFile& shader);
void AddJpeg(DataStage& stage, const std::string& path, const RgbaPicture& picture);
void AddJpegOpacity(DataStage& stage, const std::string& path, const RgbaPicture& picture);
void AddTga(DataStage& stage, const std::string& path, const RgbaPicture& picture);
}
