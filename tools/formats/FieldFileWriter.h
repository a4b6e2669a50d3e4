// Field files ("KRKRF" 100): the wall zones of the playfield, 17 + 88 bytes per zone.
#pragma once

#include "engine/core/Types.h"
#include "tools/formats/PlacementMatrix.h"

#include <array>
#include <string>
#include <vector>

namespace KorvaneTools
{
struct FieldZone
{
    std::array<float, 3> minimum{};
    std::array<float, 3> maximum{};
    PlacementMatrix placement = IdentityPlacement();

    bool operator==(const FieldZone&) const = default;
};

constexpr VelkorEngine::u32 FieldZoneRecordSize = 88;

std::string WriteFieldFile(const std::vector<FieldZone>& zones);
// Throws FormatError unless the length is exactly 17 + 88 per zone.
std::vector<FieldZone> ReadFieldFile(const std::string& bytes);
}
