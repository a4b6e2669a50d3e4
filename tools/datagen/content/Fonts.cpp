// The font group: glyph tables in every language folder and the atlases in ui/fonts/common.
#include "tools/datagen/content/Fonts.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/fonts/GlyphSet.h"
#include "tools/formats/ImageWriters.h"

#include <cstdio>

namespace KorvaneTools
{
const std::vector<GlyphTable>& GlyphTables()
{
    static const std::vector<GlyphTable> tables = {
        {"serif_bold_36", "DejaVuSerif-Bold.ttf", 36, 1024, 1024},
        {"serif_bold_26", "DejaVuSerif-Bold.ttf", 26, 1024, 512},
        {"sans_20", "DejaVuSans.ttf", 20, 512, 512},
        {"sans_18", "DejaVuSans.ttf", 18, 512, 512},
        {"serif_bold_24", "DejaVuSerif-Bold.ttf", 24, 1024, 512},
        {"sans_bold_22", "DejaVuSans-Bold.ttf", 22, 512, 512},
        {"mono_14", "DejaVuSansMono.ttf", 14, 512, 512},
    };
    return tables;
}

const std::vector<GameFont>& GameFonts()
{
    // Titles parchment white; the menu and common fonts in their normal, selected and hover colours.
    static const std::vector<GameFont> fonts = {
        {"title", "serif_bold_36", 0xF4F1E8, "basic"},       {"main_menu_0", "serif_bold_26", 0xE0D2A8, "basic"},
        {"main_menu_1", "serif_bold_26", 0xF2CF6B, "basic"}, {"main_menu_2", "serif_bold_26", 0xFF9A3C, "basic"},
        {"common_0", "sans_20", 0xE8DCB8, "basic"},          {"common_1", "sans_20", 0xF2CF6B, "basic"},
        {"common_2", "sans_20", 0xFFF4C0, "basic"},          {"text", "sans_18", 0xFFFFFF, "basic"},
        {"hud", "serif_bold_24", 0xFFFFFF, "additional"},    {"tip", "sans_bold_22", 0xFFFFFF, "additional"},
        {"console", "mono_14", 0xFFFFFF, "additional"},
    };
    return fonts;
}

const std::vector<std::string>& GameLanguages()
{
    static const std::vector<std::string> languages = {"en", "ru", "ge", "fr", "it", "sp"};
    return languages;
}

std::map<std::string, RasterFont> RasteriseGameFonts(const std::string& fontFolder)
{
    const std::vector<char32_t> codes = GameGlyphSet();
    std::map<std::string, RasterFont> tables;
    for (const GlyphTable& table : GlyphTables())
        tables[table.name] = RasteriseFont(fontFolder + "/" + table.faceFile, table.cellHeight, codes,
                                           table.atlasWidth, table.atlasHeight);
    return tables;
}

RgbaPicture TintedAtlas(const RasterFont& table, unsigned tint)
{
    RgbaPicture atlas = table.atlas;
    for (size_t i = 0; i < atlas.pixels.size(); i += 4)
    {
        atlas.pixels[i] = static_cast<VelkorEngine::u8>(tint >> 16);
        atlas.pixels[i + 1] = static_cast<VelkorEngine::u8>(tint >> 8);
        atlas.pixels[i + 2] = static_cast<VelkorEngine::u8>(tint);
    }
    return atlas;
}

void GenerateFonts(GeneratorContext& context)
{
    const std::map<std::string, RasterFont> tables = RasteriseGameFonts(context.fontFolder);
    // Every language folder holds the same tables: the game accepts a language only when its folder exists.
    for (const auto& [name, table] : tables)
    {
        // The space value goes into the hand-written font lists; the data tests hold the two together.
        std::printf("font %s: %u px glyphs, %zu glyphs, space %.4f\n", name.c_str(), table.pixelSize,
                    table.glyphs.size(), static_cast<double>(table.space));
        const std::string bytes = WriteFontFile(table.glyphs);
        for (const std::string& language : GameLanguages())
            context.stage.Add("ui/fonts/" + language + "/" + name + ".vef", bytes);
    }
    for (const GameFont& font : GameFonts())
        context.stage.Add(std::string("ui/fonts/common/") + font.name + ".tga",
                          WriteTga(TintedAtlas(tables.at(font.table), font.tint)));
}
}
