// The game's texts: every key in every language, the placeholders the code fills, characters every font
// can draw, and the generator stopping on a text file that breaks any of this.
#include "tests/data/DataStageFiles.h"
#include "tests/support/TempFolder.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/content/Texts.h"
#include "tools/datagen/fonts/GlyphSet.h"
#include "tools/formats/FontFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace KorvaneTools;
using DataTest::StageFile;

namespace
{
constexpr const char* DefaultTextsPath = "ui/texts/default_texts.xml";

TextTable DefaultTexts()
{
    return ReadTextFile(StageFile(DefaultTextsPath), DefaultTextsPath);
}

// Runs the text group over data-src with default_texts.xml replaced; returns the error, or "" when it passed.
std::string GenerateWithTexts(const std::string& defaultTexts)
{
    TestSupport::TempFolder folder;
    std::filesystem::create_directories(folder / "src/ui/texts");
    folder.WriteFile("src/ui/texts/texts.xml", StageFile("ui/texts/texts.xml"));
    folder.WriteFile("src/ui/texts/default_texts.xml", defaultTexts);
    GeneratorOptions options;
    options.sourceFolder = folder / "src";
    options.stageFolder = folder / "stage";
    options.onlyGroups = {"texts"};
    try
    {
        DataGenerator(options).Generate();
    }
    catch (const DataError& error)
    {
        EXPECT_FALSE(std::filesystem::exists(folder / "stage"));
        return error.what();
    }
    return "";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}
}

TEST(texts, EveryKeyHasATextInEverySixLanguages)
{
    const TextTable table = DefaultTexts();
    ASSERT_EQ(GameTextKeys().size(), 85u);
    for (const TextKey& key : GameTextKeys())
        for (const std::string& language : GameLanguages())
        {
            ASSERT_TRUE(table.count(key.key)) << key.key;
            const auto& texts = table.at(key.key);
            EXPECT_TRUE(texts.count(language) && !texts.at(language).empty()) << key.key << " " << language;
        }
}

TEST(texts, ProfileNamePlaceholderStandsInTheThreeTextsOfEveryLanguage)
{
    const TextTable table = DefaultTexts();
    for (const char* key : ProfileNameKeys())
        for (const std::string& language : GameLanguages())
            EXPECT_NE(table.at(key).at(language).find("%PROFILE_NAME%"), std::string::npos) << key << language;
}

TEST(texts, EveryCharacterOfEveryTextIsInEveryFont)
{
    const TextTable table = DefaultTexts();
    for (const GlyphTable& font : GlyphTables())
    {
        std::set<char32_t> codes;
        for (const FontGlyph& glyph : ReadFontFile(StageFile(std::string("ui/fonts/en/") + font.name + ".vef")))
            codes.insert(glyph.code);
        for (const auto& [key, languages] : table)
            for (const auto& [language, text] : languages)
                for (char32_t code : DecodeUtf8(text, key))
                {
                    if (IsWhiteSpace(code))
                        continue;
                    EXPECT_TRUE(codes.count(code)) << font.name << " lacks " << CodePointName(code) << " of " << key
                                                   << "/" << language;
                }
    }
}

TEST(texts, TextsHoldNoMarkupCharactersAndTheFileStartsWithAByteOrderMark)
{
    EXPECT_EQ(StageFile(DefaultTextsPath).substr(0, 3), "\xEF\xBB\xBF");
    for (const auto& [key, languages] : DefaultTexts())
        for (const auto& [language, text] : languages)
            EXPECT_EQ(text.find_first_of("&<>+[]\""), std::string::npos) << key << "/" << language;
}

TEST(texts, TextsXmlIsPresentWithAnEmptySection)
{
    EXPECT_TRUE(ReadTextFile(StageFile("ui/texts/texts.xml"), "texts.xml").empty());
}

TEST(texts, TheSourcesPassTheGeneratorsCheck)
{
    EXPECT_EQ(GenerateWithTexts(StageFile(DefaultTextsPath)), "");
}

TEST(texts, BadTextFilesStopTheGeneratorNamingTheKey)
{
    const std::string good = StageFile(DefaultTextsPath);
    const struct
    {
        std::string file;
        std::string message;
    } cases[] = {
        {Replaced(good, "<ru text=\"Отмена\"/>", ""), "key \"common/cancel\" has no \"ru\" text"},
        {Replaced(good, "<sp text=\"Hecho\"/>", "<sp text=\"\"/>"), "key \"common/done\" has no \"sp\" text"},
        {Replaced(good, "Salve, %PROFILE_NAME%!", "Salve!"), "key \"main_menu/greeting\" in \"it\" lacks"},
        {Replaced(good, "<en text=\"Pause\"/>", "<en text=\"Pause \u4E2D\"/>"),
         "key \"pause/title\" in \"en\" uses U+4E2D"},
        {good.substr(3), "must start with the UTF-8 byte-order mark"},
        {good.substr(0, good.size() / 2), "default_texts.xml: "},
    };
    for (const auto& c : cases)
    {
        const std::string error = GenerateWithTexts(c.file);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}
