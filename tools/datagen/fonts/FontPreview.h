// Draws text the way the game's fonts do (box s × width by s, the glyph's atlas rectangle stretched over it,
// v = 0 at the atlas's bottom, spaces advancing by the space value), so a picture shows whether the glyph
// tables and atlases agree.
#pragma once

#include "tools/datagen/fonts/FontRasteriser.h"

#include <string>

namespace KorvaneTools
{
struct PreviewLine
{
    const RasterFont* table = nullptr;
    unsigned tint = 0xFFFFFF;
    float size = 20.0f; // line height in pixels
    std::u32string text;
};

// The lines one under another on a dark ground.
RgbaPicture DrawPreview(const std::vector<PreviewLine>& lines);
}
