// Level geometry files ("KRKRG" 105): the level's key-frame count and speed, its texture table, its block
// objects with their key frames, then every object's supports and dependents.
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <string>
#include <vector>

namespace KorvaneTools
{
struct LevelKeyFrame
{
    std::array<float, 3> position{};
    std::array<float, 4> rotation{0, 0, 0, 1}; // quaternion x, y, z, w

    bool operator==(const LevelKeyFrame&) const = default;
};

struct LevelObject
{
    std::string block;              // matched against the block descriptions' names
    VelkorEngine::u32 flags = 0;    // bit 0: fixed
    VelkorEngine::u32 firstTexture = 0;
    VelkorEngine::u32 secondTexture = 0; // 0 names the empty texture: none
    std::array<float, 3> scale{1, 1, 1};
    bool animated = false;
    // One key frame, or the level's key-frame count when animated.
    std::vector<LevelKeyFrame> keyFrames;
    std::vector<VelkorEngine::u16> supports;   // objects this one rests on
    std::vector<VelkorEngine::u16> dependents; // objects resting on this one

    bool operator==(const LevelObject&) const = default;
};

struct LevelGeometry
{
    VelkorEngine::u32 keyFrameCount = 1;
    float keyFrameSpeed = 0.0f; // frames per second
    // Names below the block texture folder; entry 0 is conventionally "" so that texture 0 means none.
    std::vector<std::string> textures;
    std::vector<LevelObject> objects;

    bool operator==(const LevelGeometry&) const = default;
};

// Throws std::invalid_argument for a level the game could not use: no key frames, a key-frame list of the
// wrong length, a texture or support index out of range, a block resting on itself through its supports.
std::string WriteLevelGeometry(const LevelGeometry& level);
// Throws FormatError for a bad header, a count that does not fit the file, an index out of range or bytes
// left over.
LevelGeometry ReadLevelGeometry(const std::string& bytes);
}
