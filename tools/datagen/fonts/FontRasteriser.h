// Draws a glyph set of one TrueType face into an atlas with FreeType and describes every glyph as the game's
// font file does: cells as high as the line, 2 pixels apart, the baseline at the same height in every cell.
#pragma once

#include "tools/formats/FontFileWriter.h"
#include "tools/formats/RgbaPicture.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct RasterFont
{
    RgbaPicture atlas; // white, coverage in alpha
    std::vector<FontGlyph> glyphs;
    float space = 0.0f; // the space's advance in line heights
    unsigned pixelSize = 0;
};

// Throws DataError naming the face file when it cannot be read, when it lacks one of the codes, or when the
// glyphs do not fit the atlas.
RasterFont RasteriseFont(const std::string& faceFile, unsigned cellHeight, const std::vector<char32_t>& codes,
                         unsigned atlasWidth, unsigned atlasHeight);
}
