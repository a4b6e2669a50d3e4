// Where the level map's markers stand, in GUI units relative to the map panel ("/window", 680 × 400): one
// per level in the order of levels.xml. The map file and the panel's road are drawn through these points.
#pragma once

#include <array>

namespace KorvaneTools
{
struct MapMarkerSpot
{
    float x;
    float y;
};

inline constexpr std::array<MapMarkerSpot, 10> MapMarkerSpots = {{
    {80, 60}, {170, 90}, {250, 130}, {300, 200}, {240, 260},
    {320, 320}, {420, 300}, {500, 250}, {560, 180}, {600, 100},
}};
}
