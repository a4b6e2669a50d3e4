// Writes model files ("VEMLF") byte for byte from a description, exactly as given: the counts written are
// the sizes of the lists unless a test overrides them, so malformed files are as easy to build as sound ones.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <optional>
#include <string>
#include <vector>

namespace KorvaneTools
{
using VelkorEngine::f32;
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::u8;
using VelkorEngine::Vector3;

struct ModelFileBone
{
    u8 boundsFlag = 0;
    std::string name;
    Vector3 pivot; // written by version 202 only
    Vector3 boxMinimum;
    Vector3 boxMaximum;
    u16 value1 = 0;
    u16 value2 = 0;
};

// A vertex of a static or morph file, fields in file order.
struct ModelFileVertex
{
    f32 u = 0.0f;
    f32 v = 0.0f;
    Vector3 normal;
    Vector3 position;
};

struct ModelFileInfluence
{
    u16 bone = 0;
    f32 weight = 0.0f;
    Vector3 normal;
    Vector3 position;
};

struct ModelFileSkinnedVertex
{
    f32 u = 0.0f;
    f32 v = 0.0f;
    std::vector<ModelFileInfluence> influences;
};

struct ModelFileBox
{
    Vector3 minimum;
    Vector3 maximum;
};

struct ModelFileDescription
{
    u32 version = 202;
    u32 flags = 0;
    // Written only when the flags have 0x2 or 0x4.
    u32 frameCount = 1;
    f32 speed = 0.0f;
    // Written only when the flags have 0x4.
    std::vector<ModelFileBone> bones;
    std::vector<f32> keyFrames;
    std::vector<u32> indices;
    std::vector<ModelFileVertex> vertices;
    std::vector<ModelFileSkinnedVertex> skinnedVertices;
    std::vector<ModelFileBox> boxes;

    // Counts written in place of the sizes of the lists.
    std::optional<u16> boneCountOverride;
    std::optional<u32> indexCountOverride;
    std::optional<u32> vertexCountOverride;
    // Header fields written in place of the true length, "VEMLF" and the version above.
    std::optional<u32> lengthOverride;
    std::string magic = "VEMLF";

    // The vertex count written: the override, else the static or skinned vertex list's size, else the
    // morph list's size divided by the frame count.
    u32 VertexCount() const;
};

std::string WriteModelFile(const ModelFileDescription& description);

// Ready-made meshes (flags may be added before writing):
// two triangles of a unit quad in the z = 0 plane, 6 indices, 4 vertices, 189 bytes;
ModelFileDescription MakeStaticQuad();
// one triangle in two frames, the second moved by (2, 0, 0) with its texture coordinates shifted by 1,
// 3 indices, 3 vertices, 279 bytes;
ModelFileDescription MakeMorphTriangle();
// one triangle bound fully to one bone "root", whose second key frame moves it by (1, 0, 0), 312 bytes in
// version 202.
ModelFileDescription MakeSkinnedTriangle();
}
