// The level map file "data\ui\map\map.gmf": one marker per level of the level list, in its order. The file
// stores only each marker's kind and placement; the stage and level a marker stands for follow from the
// order, a check point opening the next stage. Nothing in the file is trusted: the count is weighed against
// the length before anything is read, every kind must be known, every placement a number, and the markers
// must match the level list one to one, since a marker for a level that does not exist would later start a
// level that is not there.
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
}

namespace GameFramework
{
class LevelManagerBase;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

enum class MapElementType : u32
{
    Start = 0,
    Finish = 1,
    CheckPoint = 2,
    Path = 3,
};

struct MapElementRecord
{
    MapElementType type = MapElementType::Path;
    // Row-major, translation in elements 3, 7 and 11; GUI units relative to the map's panel.
    std::array<f32, 16> matrix{};
    u32 stage = 0;
    u32 level = 0;
};

class MapFile
{
public:
    static constexpr const char* Path = "data\\ui\\map\\map.gmf";
    static constexpr const char* Magic = "GFGMF";
    static constexpr u32 Version = 100;
    static constexpr u32 HeaderSize = 13;
    static constexpr u32 ElementSize = 68;

    // Throws FileError: the binary file's messages for the header, a message naming the map and the level list
    // and what differs when the markers do not match the list, the file-format message naming the path for
    // anything else.
    static std::vector<MapElementRecord> Read(VelkorEngine::FileManager* fileManager,
                                              const GameFramework::LevelManagerBase& levels,
                                              const std::string& path = Path);
    // Stage and level of every element from the order of the kinds.
    static void NumberElements(std::vector<MapElementRecord>& elements);
};
}
