// A row-major 4×4 placement matrix as the field and map files store it (translation in elements 3, 7 and 11).
#pragma once

#include <array>

namespace KorvaneTools
{
using PlacementMatrix = std::array<float, 16>;

PlacementMatrix IdentityPlacement();
PlacementMatrix TranslationPlacement(float x, float y, float z);
}
