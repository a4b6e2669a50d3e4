// Placement matrices for the field and map files.
#include "tools/formats/PlacementMatrix.h"

namespace KorvaneTools
{
PlacementMatrix IdentityPlacement()
{
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

PlacementMatrix TranslationPlacement(float x, float y, float z)
{
    PlacementMatrix matrix = IdentityPlacement();
    matrix[3] = x;
    matrix[7] = y;
    matrix[11] = z;
    return matrix;
}
}
