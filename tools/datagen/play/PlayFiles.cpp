// Stage helpers of the play data: model + shader pairs and pictures.
#include "tools/datagen/play/PlayFiles.h"

#include "tools/formats/ImageWriters.h"

#include <algorithm>

namespace KorvaneTools
{
namespace
{
std::string WithExtension(const std::string& path, const std::string& extension)
{
    return path.substr(0, path.rfind('.')) + extension;
}
}

std::string GameFileName(const std::string& path)
{
    std::string name = path;
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

ShaderFile TextureShader(const std::string& texturePath, Blending blending, const std::string& opacity, bool wrap)
{
    ShaderFile shader;
    ShaderFileStage stage;
    stage.flags = 1; // mip mapped
    stage.firstName = GameFileName(texturePath);
    // A TGA's own alpha needs no second picture: blending alone uses it.
    stage.secondName = opacity == "32bit" || opacity.empty() ? "" : GameFileName(opacity);
    stage.addressModeU = wrap ? 1 : 0; // 0 clamps, 1 repeats
    stage.addressModeV = wrap ? 1 : 0;
    shader.stages.push_back(stage);
    if (blending == Blending::Opaque && !opacity.empty())
        blending = Blending::Alpha;
    if (blending != Blending::Opaque)
    {
        shader.flags = 1;           // blended
        shader.sourceBlend = 4;     // source alpha
        shader.destinationBlend = blending == Blending::Additive ? 1 : 5; // one, or one minus source alpha
    }
    return shader;
}

void AddShaderFile(DataStage& stage, const std::string& shaderPath, const ShaderFile& shader)
{
    stage.Add(shaderPath, BuildShaderFile(shader));
}

void AddModelWithShader(DataStage& stage, const std::string& modelPath, const ModelFileDescription& model,
                        const ShaderFile& shader)
{
    stage.Add(modelPath, WriteModelFile(model));
    AddShaderFile(stage, WithExtension(modelPath, ".srf"), shader);
}

void AddJpeg(DataStage& stage, const std::string& path, const RgbaPicture& picture)
{
    stage.Add(path, WriteJpeg(picture));
}

void AddJpegOpacity(DataStage& stage, const std::string& path, const RgbaPicture& picture)
{
    stage.Add(path, WriteJpegAlpha(picture));
}

void AddTga(DataStage& stage, const std::string& path, const RgbaPicture& picture)
{
    stage.Add(path, WriteTga(picture));
}
}
