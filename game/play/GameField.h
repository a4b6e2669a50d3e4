// The playfield's walls, read from the field file as boxes with transforms, and the bounds of the whole field:
// the balls bounce off the walls' inner faces and are lost below the field's lower edge. The framework's binary
// data file checks the field file's header; the zones after it are read here.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class FileBinary;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GameField
{
public:
    static constexpr const char* Magic = "KRKRF";
    static constexpr u32 FileVersion = 100;
    static constexpr const char* Folder = "data\\environment\\";
    // Two corners and a matrix, all floats.
    static constexpr u32 ZoneSize = 88;
    // How far the field reaches below its lowest wall.
    static constexpr f32 DepthBelowWalls = 40.0f;

    explicit GameField(std::vector<VelkorEngine::BoundingVolume> zones);
    // Reads Folder + fileName through the framework's binary data file; a missing or malformed file throws
    // FileError.
    GameField(VelkorEngine::Engine* engine, const std::string& fileName);
    virtual ~GameField() = default;

    // Reads the zone count and the zones of a field file whose header has been read; a count that does not
    // account for exactly the bytes after it throws FileError with the file-format message naming the path.
    static std::vector<VelkorEngine::BoundingVolume> ReadZones(VelkorEngine::FileBinary& file, const std::string& path);
    static std::vector<VelkorEngine::BoundingVolume> ReadFile(VelkorEngine::Engine* engine, const std::string& fileName);

    void Update() {}

    const std::vector<VelkorEngine::BoundingVolume>& GetZones() const { return m_zones; }
    const VelkorEngine::BoundingVolume& GetBounds() const { return m_bounds; }

private:
    void ComputeBounds();

    std::vector<VelkorEngine::BoundingVolume> m_zones;
    VelkorEngine::BoundingVolume m_bounds;
};
}
