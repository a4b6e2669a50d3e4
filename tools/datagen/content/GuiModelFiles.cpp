// GUI meshes and shader files.
#include "tools/datagen/content/GuiModelFiles.h"

#include "tools/datagen/DataStage.h"

#include <algorithm>

namespace KorvaneTools
{
using VelkorEngine::Vector3;

namespace
{
// Shown, triangle list; the GUI sets its own drawing flags.
constexpr u32 GuiModelFlags = 0x40008;
constexpr u32 StillKind = 0x1;
constexpr u32 MorphKind = 0x2;
constexpr u32 BoneKind = 0x4;

void GridIndices(ModelFileDescription& model, unsigned columns, unsigned rows)
{
    for (unsigned row = 0; row < rows; ++row)
        for (unsigned column = 0; column < columns; ++column)
        {
            const u32 a = row * (columns + 1) + column, b = a + 1, c = a + columns + 1, d = c + 1;
            // Counter-clockwise seen from the viewer (+z toward the eye).
            model.indices.insert(model.indices.end(), {a, b, d, d, c, a});
        }
}

ModelFileBox BoxOfVertices(const std::vector<ModelFileVertex>& vertices, size_t first, size_t count)
{
    ModelFileBox box{vertices[first].position, vertices[first].position};
    for (size_t i = first; i < first + count; ++i)
    {
        const Vector3& p = vertices[i].position;
        box.minimum = Vector3(std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y), std::min(box.minimum.z, p.z));
        box.maximum = Vector3(std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y), std::max(box.maximum.z, p.z));
    }
    return box;
}

void AddGridFrame(ModelFileDescription& model, const GuiRectangle& r, unsigned columns, unsigned rows,
                  const std::function<Vector3(float, float)>& shift)
{
    for (unsigned row = 0; row <= rows; ++row)
        for (unsigned column = 0; column <= columns; ++column)
        {
            const float u = static_cast<float>(column) / static_cast<float>(columns);
            const float v = static_cast<float>(row) / static_cast<float>(rows);
            const Vector3 rest(r.left + u * r.width, r.bottom + v * r.height, 0.0f);
            model.vertices.push_back({u, v, Vector3(0.0f, 0.0f, 1.0f), rest + shift(u, v)});
        }
}
}

std::string GameFilePath(const std::string& path)
{
    std::string name = path;
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

ShaderFile GuiShader(const std::string& picture, const std::string& opacity, GuiBlending blending)
{
    ShaderFile shader;
    ShaderFileStage stage;
    stage.flags = 1; // mip mapped
    stage.firstName = GameFilePath(picture);
    stage.secondName = opacity.empty() ? "" : GameFilePath(opacity);
    shader.stages.push_back(stage);
    if (blending != GuiBlending::Opaque)
    {
        shader.flags = 1;       // blended
        shader.sourceBlend = 4; // source alpha
        shader.destinationBlend = blending == GuiBlending::Additive ? 1 : 5; // one, or one minus source alpha
    }
    return shader;
}

ModelFileDescription StillGuiModel(const GuiRectangle& rectangle, unsigned columns, unsigned rows)
{
    ModelFileDescription model;
    model.flags = GuiModelFlags | StillKind;
    AddGridFrame(model, rectangle, columns, rows, [](float, float) { return Vector3(0.0f); });
    GridIndices(model, columns, rows);
    model.boxes = {BoxOfVertices(model.vertices, 0, model.vertices.size())};
    return model;
}

ModelFileDescription MorphGuiModel(const GuiRectangle& rectangle, unsigned columns, unsigned rows, unsigned frames,
                                   float speed, const std::function<Vector3(unsigned, float, float)>& shift)
{
    ModelFileDescription model;
    model.flags = GuiModelFlags | MorphKind;
    model.frameCount = frames;
    model.speed = speed;
    const size_t perFrame = size_t(columns + 1) * (rows + 1);
    for (unsigned frame = 0; frame < frames; ++frame)
    {
        AddGridFrame(model, rectangle, columns, rows, [&](float u, float v) { return shift(frame, u, v); });
        model.boxes.push_back(BoxOfVertices(model.vertices, frame * perFrame, perFrame));
    }
    GridIndices(model, columns, rows);
    return model;
}

ModelFileDescription BoneMoverModel(unsigned frames, float speed, const std::function<Vector3(unsigned)>& translation)
{
    ModelFileDescription model;
    model.flags = GuiModelFlags | BoneKind;
    model.frameCount = frames;
    model.speed = speed;
    const Vector3 corners[3] = {Vector3(-1.0f, -1.0f, 0.0f), Vector3(1.0f, -1.0f, 0.0f), Vector3(0.0f, 1.0f, 0.0f)};
    model.bones = {{0, "root", Vector3(0.0f), corners[0], Vector3(1.0f, 1.0f, 0.0f), 0, 0}};
    for (unsigned frame = 0; frame < frames; ++frame)
    {
        const Vector3 t = translation(frame);
        // translation, rotation (x, y, z, w), scale
        model.keyFrames.insert(model.keyFrames.end(), {t.x, t.y, t.z, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f});
    }
    model.indices = {0, 1, 2};
    for (unsigned i = 0; i < 3; ++i)
        model.skinnedVertices.push_back({0.5f, 0.5f, {{0, 1.0f, Vector3(0.0f, 0.0f, 1.0f), corners[i]}}});
    model.boxes = {{corners[0], Vector3(1.0f, 1.0f, 0.0f)}};
    return model;
}

void AddGuiModel(DataStage& stage, const std::string& modelPath, const ModelFileDescription& model,
                 const ShaderFile& shader)
{
    stage.Add(modelPath, WriteModelFile(model));
    stage.Add(modelPath.substr(0, modelPath.rfind('.')) + ".srf", BuildShaderFile(shader));
}
}
