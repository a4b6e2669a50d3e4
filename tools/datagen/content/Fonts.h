// The game's fonts: seven glyph tables rasterised from the DejaVu faces (one copy per language folder) and
// eleven atlases, some tinted copies of one another for the fonts the code switches by state.
#pragma once

#include "tools/datagen/fonts/FontRasteriser.h"

#include <map>
#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

// A font as the font lists name it.
struct GameFont
{
    const char* name;   // "main_menu_1"
    const char* table;  // glyph table base name "serif_bold_26"
    unsigned tint;      // 0xRRGGBB of the atlas
    const char* list;   // "basic" (loaded before the first window) or "additional"
};

// A glyph table and the face and sizes it comes from.
struct GlyphTable
{
    const char* name;     // "serif_bold_26"
    const char* faceFile; // "DejaVuSerif-Bold.ttf"
    unsigned cellHeight;  // the line height in pixels and GUI units
    unsigned atlasWidth;
    unsigned atlasHeight;
};

const std::vector<GameFont>& GameFonts();
const std::vector<GlyphTable>& GlyphTables();
const std::vector<std::string>& GameLanguages();

// Every glyph table rasterised, by table name.
std::map<std::string, RasterFont> RasteriseGameFonts(const std::string& fontFolder);
// The atlas of a font: the table's coverage in the font's tint.
RgbaPicture TintedAtlas(const RasterFont& table, unsigned tint);

void GenerateFonts(GeneratorContext& context);
}
