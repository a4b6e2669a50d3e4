// The level geometry file: the blocks placed in a level, their textures, scales, key frames and which block
// rests on which. The framework's binary data file checks the header; this reads everything after it and
// trusts nothing: every count is weighed against the bytes left before anything is made for it, every index
// must name something that exists, and the blocks must not rest on themselves, directly or round a circle.
#pragma once

#include "engine/core/Quaternion.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u16;
using VelkorEngine::u32;

struct GeometryKeyFrame
{
    VelkorEngine::Vector3 position;
    VelkorEngine::Quaternion rotation;
};

struct GeometryObjectRecord
{
    // Lower-cased; the block database is searched with it.
    std::string blockName;
    // Bit 0: a fixed block.
    u32 flags = 0;
    u32 firstTexture = 0;
    u32 secondTexture = 0;
    VelkorEngine::Vector3 scale;
    // The level's key-frame count for an animated block, else one.
    std::vector<GeometryKeyFrame> keyFrames;
    std::vector<u16> supports;
    std::vector<u16> dependents;
};

struct LevelGeometry
{
    u32 keyFrameCount = 0;
    f32 keyFrameSpeed = 0.0f;
    // Full names below the data folder; an empty name stays empty.
    std::vector<std::string> textures;
    std::vector<GeometryObjectRecord> objects;
};

class LevelGeometryFile
{
public:
    static constexpr const char* Magic = "KRKRG";
    static constexpr u32 Version = 105;
    static constexpr const char* Folder = "data\\levels_geometry\\";
    static constexpr const char* TextureFolder = "game_objects\\blocks\\textures\\";

    // Reads the body of a file whose header has been read; throws FileError with the file-format message
    // naming the path for anything wrong, the file cut short or too long included.
    static LevelGeometry ReadBody(VelkorEngine::FileBinary& file, const std::string& path);
};
}
