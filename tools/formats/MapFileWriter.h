// Level map files ("GFGMF" 100): one marker per level, 17 + 68 bytes per marker.
#pragma once

#include "engine/core/Types.h"
#include "tools/formats/PlacementMatrix.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
enum class MapElementType : VelkorEngine::u32
{
    Start = 0,
    Finish = 1,
    CheckPoint = 2,
    Path = 3,
};

struct MapElement
{
    MapElementType type = MapElementType::Path;
    // GUI units relative to the level map's panel.
    PlacementMatrix placement = IdentityPlacement();

    bool operator==(const MapElement&) const = default;
};

constexpr VelkorEngine::u32 MapElementRecordSize = 68;

std::string WriteMapFile(const std::vector<MapElement>& elements);
// Throws FormatError unless the length is exactly 17 + 68 per element and every type is known.
std::vector<MapElement> ReadMapFile(const std::string& bytes);
}
