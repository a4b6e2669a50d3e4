// The generated fonts: glyph tables in every language folder, atlases, the hand-written font lists that name
// them, and the preview drawn by the game's glyph box rules.
#include "engine/files/XMLNode.h"
#include "tests/data/DataStageFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XMLTestSupport.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/fonts/FontPreview.h"
#include "tools/datagen/fonts/GlyphSet.h"
#include "tools/formats/FontFileWriter.h"
#include "tools/formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace KorvaneTools;
using DataTest::StageFile;
using XMLTestSupport::Children;

namespace
{
const GlyphTable& TableOf(const std::string& name)
{
    for (const GlyphTable& table : GlyphTables())
        if (name == table.name)
            return table;
    throw std::out_of_range(name);
}
}

TEST(fonts, EveryLanguageFolderHoldsTheSameSevenGlyphTables)
{
    for (const GlyphTable& table : GlyphTables())
    {
        const std::string english = StageFile(std::string("ui/fonts/en/") + table.name + ".vef");
        ASSERT_FALSE(english.empty()) << table.name;
        for (const std::string& language : GameLanguages())
            EXPECT_EQ(StageFile("ui/fonts/" + language + "/" + table.name + ".vef"), english)
                << language << " " << table.name;
    }
}

TEST(fonts, GlyphTablesHoldTheWholeSetWithoutWhiteSpaceInsideTheirAtlas)
{
    const std::vector<char32_t> set = GameGlyphSet();
    for (const GlyphTable& table : GlyphTables())
    {
        const std::string file = std::string("ui/fonts/en/") + table.name + ".vef";
        const std::vector<FontGlyph> glyphs = ReadFontFile(StageFile(file));
        std::set<char32_t> codes;
        for (const FontGlyph& glyph : glyphs)
        {
            codes.insert(glyph.code);
            EXPECT_FALSE(IsWhiteSpace(glyph.code)) << table.name;
            EXPECT_GE(glyph.u, 0.0f);
            EXPECT_GE(glyph.v, 0.0f);
            EXPECT_LE(glyph.u + glyph.du, 1.0f);
            EXPECT_LE(glyph.v + glyph.dv, 1.0f);
            // A cell as high as the line and a box as wide as the advance keep the glyph undistorted.
            EXPECT_NEAR(glyph.dv * float(table.atlasHeight), float(table.cellHeight), 1e-3) << table.name;
            EXPECT_NEAR(glyph.du * float(table.atlasWidth) / (glyph.dv * float(table.atlasHeight)), glyph.width, 1e-4);
        }
        EXPECT_EQ(codes, std::set<char32_t>(set.begin(), set.end())) << table.name;
    }
}

TEST(fonts, AtlasesArePowerOfTwoTgaInTheFontsTint)
{
    for (const GameFont& font : GameFonts())
    {
        const RgbaPicture atlas = ReadTga(StageFile(std::string("ui/fonts/common/") + font.name + ".tga"));
        const GlyphTable& table = TableOf(font.table);
        EXPECT_EQ(atlas.width, table.atlasWidth) << font.name;
        EXPECT_EQ(atlas.height, table.atlasHeight) << font.name;
        size_t inked = 0;
        for (size_t i = 0; i < atlas.pixels.size(); i += 4)
        {
            inked += atlas.pixels[i + 3] != 0;
            ASSERT_EQ(atlas.pixels[i], font.tint >> 16) << font.name;
            ASSERT_EQ(atlas.pixels[i + 2], font.tint & 0xFF) << font.name;
        }
        EXPECT_GT(inked, 1000u) << font.name;
    }
}

TEST(fonts, FontListsNameTheGeneratedFilesEveryLanguageAndTheirSpace)
{
    const std::map<std::string, RasterFont> tables = RasteriseGameFonts(KORVANE_FONT_FOLDER);
    std::set<std::string> listed;
    for (const std::string kind : {"basic", "additional"})
    {
        const std::string list = "ui/fonts/fonts_" + kind + ".xml";
        const auto root = ParseDataXml(StageFile(list), list);
        ASSERT_EQ(root->GetName(), "fonts");
        for (GameTools::XMLNode* font : Children(*root))
        {
            const std::string name = AttributeText(*font, "name");
            listed.insert(name);
            const GameFont& game = *std::find_if(GameFonts().begin(), GameFonts().end(),
                                                 [&](const GameFont& f) { return name == f.name; });
            ASSERT_EQ(name, game.name);
            EXPECT_EQ(kind, game.list) << name;
            const std::string tga = "ui\\fonts\\common\\" + name + ".tga";
            EXPECT_EQ(AttributeText(*font->FindChild("diffuse_image_path"), "path"), tga);
            EXPECT_EQ(AttributeText(*font->FindChild("opacity_image_path"), "path"), tga);
            EXPECT_EQ(std::stoul(AttributeText(*font, "size")), TableOf(game.table).cellHeight) << name;
            EXPECT_NEAR(std::stof(AttributeText(*font->FindChild("properties"), "space")),
                        tables.at(game.table).space, 1e-4) << name;
            for (const std::string& language : GameLanguages())
            {
                GameTools::XMLNode* own = font->FindChild(language);
                ASSERT_NE(own, nullptr) << name << " " << language;
                EXPECT_EQ(AttributeText(*own->FindChild("description_file_path"), "path"),
                          "data\\ui\\fonts\\" + language + "\\" + game.table + ".vef");
            }
        }
    }
    std::set<std::string> expected;
    for (const GameFont& font : GameFonts())
        expected.insert(font.name);
    EXPECT_EQ(listed, expected);
}

TEST(fonts, AMissingFaceStopsTheGeneratorNamingTheFile)
{
    TestSupport::TempFolder folder;
    GeneratorOptions options;
    options.sourceFolder = KORVANE_DATA_SOURCE;
    options.fontFolder = folder / "no-fonts";
    options.stageFolder = folder / "stage";
    options.onlyGroups = {"fonts"};
    DataGenerator generator(options);
    try
    {
        generator.Generate();
        FAIL() << "no error";
    }
    catch (const DataError& error)
    {
        EXPECT_NE(std::string(error.what()).find("no-fonts/DejaVu"), std::string::npos) << error.what();
    }
}

TEST(fonts, PreviewDrawsGlyphsUprightWithTheirOwnAdvance)
{
    const RasterFont font = RasteriseFont(std::string(KORVANE_FONT_FOLDER) + "/DejaVuSans.ttf", 40, {U'T', U'L'},
                                          128, 128);
    const RgbaPicture picture = DrawPreview({PreviewLine{&font, 0xFFFFFF, 40.0f, U"T"}});
    // A "T" has its bar at the top: the upper rows hold more ink than the lower ones.
    auto inkInRow = [&](unsigned y) {
        unsigned ink = 0;
        for (unsigned x = 0; x < picture.width; ++x)
            ink += picture.At(x, y)[0] > 128;
        return ink;
    };
    unsigned widest = 0, widestRow = 0, lowestInk = 0;
    for (unsigned y = 0; y < picture.height; ++y)
    {
        if (inkInRow(y) > widest)
        {
            widest = inkInRow(y);
            widestRow = y;
        }
        if (inkInRow(y) > 0)
            lowestInk = y;
    }
    EXPECT_LT(widestRow, lowestInk - 10);
    // Two glyphs side by side start one advance apart.
    const float advance = font.glyphs[0].width * 40.0f;
    const RgbaPicture pair = DrawPreview({PreviewLine{&font, 0xFFFFFF, 40.0f, U"TT"}});
    EXPECT_NEAR(float(pair.width - picture.width), advance, 1.0f);
}

TEST(fonts, ConsoleTableAdvancesEveryGlyphByTheSameCell)
{
    const std::vector<FontGlyph> glyphs = ReadFontFile(StageFile("ui/fonts/en/mono_14.vef"));
    ASSERT_FALSE(glyphs.empty());
    for (const FontGlyph& glyph : glyphs)
        EXPECT_FLOAT_EQ(glyph.width, glyphs.front().width) << CodePointName(glyph.code);
}

TEST(fonts, AFaceWithoutAGlyphOfTheSetStopsTheGeneratorNamingFaceAndCharacter)
{
    const std::string face = std::string(KORVANE_FONT_FOLDER) + "/DejaVuSansMono.ttf";
    try
    {
        RasteriseFont(face, 14, {U'A', U'\u4E2D'}, 64, 64);
        FAIL() << "no error";
    }
    catch (const DataError& error)
    {
        EXPECT_EQ(std::string(error.what()), "font file \"" + face + "\" has no glyph for U+4E2D");
    }
}

TEST(fonts, GlyphsThatDoNotFitTheAtlasStopTheGenerator)
{
    const std::vector<char32_t> set = GameGlyphSet();
    EXPECT_THROW(RasteriseFont(std::string(KORVANE_FONT_FOLDER) + "/DejaVuSans.ttf", 36, set, 128, 128), DataError);
}
