// Glyph tables ("VEFNT" 201): 17 bytes of header and count, then one packed 22-byte record per glyph.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct FontGlyph
{
    VelkorEngine::u16 code = 0; // a UTF-16 code unit
    // The glyph's rectangle in the atlas; v = 0 is the picture's bottom row.
    VelkorEngine::f32 u = 0.0f;
    VelkorEngine::f32 v = 0.0f;
    VelkorEngine::f32 du = 0.0f;
    VelkorEngine::f32 dv = 0.0f;
    // Box width and advance, in font sizes.
    VelkorEngine::f32 width = 0.0f;

    bool operator==(const FontGlyph&) const = default;
};

constexpr VelkorEngine::u32 FontFileHeaderSize = 17;
constexpr VelkorEngine::u32 FontGlyphRecordSize = 22;

std::string WriteFontFile(const std::vector<FontGlyph>& glyphs);
// Throws FormatError unless the file is exactly a header, a count and that many records.
std::vector<FontGlyph> ReadFontFile(const std::string& bytes);
}
