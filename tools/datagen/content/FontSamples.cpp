// Font preview: the sample text in every game font, drawn by the glyph tables' own rules.
#include "tools/datagen/content/FontSamples.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/fonts/FontPreview.h"
#include "tools/datagen/fonts/GlyphSet.h"

#include <algorithm>

namespace KorvaneTools
{
namespace
{
float LineHeight(const GameFont& font, const std::string& language)
{
    // German titles run long: the font list gives them a smaller size.
    if (language == "ge" && std::string(font.name) == "title")
        return 32.0f;
    for (const GlyphTable& table : GlyphTables())
        if (std::string(table.name) == font.table)
            return static_cast<float>(table.cellHeight);
    return 20.0f;
}
}

RgbaPicture PreviewFonts(const std::string& fontFolder, const std::string& utf8Text, const std::string& fontName,
                         const std::string& language)
{
    const std::vector<std::string>& languages = GameLanguages();
    if (std::find(languages.begin(), languages.end(), language) == languages.end())
        throw DataError("unknown language \"" + language + "\"");
    const std::map<std::string, RasterFont> tables = RasteriseGameFonts(fontFolder);
    const std::u32string text = DecodeUtf8(utf8Text, "preview text");
    std::vector<PreviewLine> lines;
    for (const GameFont& font : GameFonts())
        if (fontName.empty() || fontName == font.name)
            lines.push_back({&tables.at(font.table), font.tint, LineHeight(font, language), text});
    if (lines.empty())
        throw DataError("unknown font \"" + fontName + "\"");
    return DrawPreview(lines);
}
}
