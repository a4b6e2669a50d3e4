// A contact sheet of generated meshes: each drawn in its own cell from above and in front (the way the game's
// camera sees the field), flat shaded in one colour, with its name under it. For looking at, not shipped.
#pragma once

#include "tools/datagen/play/Mesh.h"
#include "tools/formats/RgbaPicture.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct SheetItem
{
    std::string name;
    Mesh mesh;
    unsigned colour; // 0xRRGGBB
};

RgbaPicture DrawContactSheet(const std::vector<SheetItem>& items, unsigned columns = 8, unsigned cell = 160);
// "play": blocks, fragments and every play object. Throws DataError for another name.
RgbaPicture ContactSheet(const std::string& which);
}
