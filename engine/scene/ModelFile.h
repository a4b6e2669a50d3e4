// The model file ("VEMLF", versions 202 and 201): one mesh, static, morphing or skinned, read whole and checked
// before a model is built from it. Every count is weighed against the bytes left in the file before anything
// is allocated, and every index and bone reference against what it addresses.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/Skeleton.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;

// A vertex as a morph model keeps it for every frame: position, normal, texture coordinates.
struct ModelVertex
{
    Vector3 position;
    Vector3 normal;
    f32 u = 0.0f;
    f32 v = 0.0f;
};

// One bone's pull on a skinned vertex; position and normal are in that bone's space.
struct SkinInfluence
{
    u16 bone = 0;
    f32 weight = 0.0f;
    Vector3 position;
    Vector3 normal;
};

struct SkinRecord
{
    static constexpr u32 MaxInfluences = 4;

    u16 count = 0;
    SkinInfluence influences[MaxInfluences];
};

struct ModelBox
{
    Vector3 minimum;
    Vector3 maximum;
};

class ModelFile
{
public:
    static constexpr const char* Magic = "VEMLF";
    static constexpr u32 CurrentVersion = 202;
    static constexpr u32 OlderVersion = 201;

    // Reads from the start of the file. Throws FileError: the header's messages; "Failed to read" for a file
    // shorter than its counts say; "Incorrect "<name>" file format" for values the mesh cannot hold (more
    // than four influences, an index or bone past its array, no frames, an unusable speed).
    void Read(FileBinary& file, const std::string& name);

    u32 version = 0;
    u32 flags = 0;
    u32 frameCount = 1;
    f32 speed = 0.0f;
    // Skeletal files only: the bones as the file gives them, not posed yet.
    std::unique_ptr<Skeleton> skeleton;
    // Skeleton::KeyFloats per bone per frame, frame after frame.
    std::vector<f32> keyFrames;
    std::vector<u32> indices;
    u32 vertexCount = 0;
    // Static files: one per vertex; morph files: one per vertex per frame, frame after frame; skinned files:
    // one per vertex with only the texture coordinates set.
    std::vector<ModelVertex> vertices;
    // Skinned files: one per vertex.
    std::vector<SkinRecord> skins;
    // One per frame for morph files, else one.
    std::vector<ModelBox> boxes;
};
}
