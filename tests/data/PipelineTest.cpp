// The generator's pipeline: the stage and pack it writes, its determinism, and that a failing run writes
// nothing at all.
#include "tests/support/TempFolder.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"
#include "tools/datagen/Sha256.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/content/Sounds.h"
#include "tools/datagen/content/Texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace KorvaneTools;
using TestSupport::TempFolder;

namespace
{
GeneratorOptions OptionsInto(const TempFolder& folder, std::vector<std::string> only = {})
{
    GeneratorOptions options;
    options.sourceFolder = KORVANE_DATA_SOURCE;
    options.fontFolder = KORVANE_FONT_FOLDER;
    options.stageFolder = folder / "stage";
    options.packPath = folder / "data/pack0.pak";
    options.onlyGroups = std::move(only);
    return options;
}
}

TEST(pipeline, Sha256MatchesKnownDigests)
{
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex(std::string(1000, 'a')),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST(pipeline, StageRejectsUpperCaseDuplicateAndEscapingNames)
{
    DataStage stage;
    stage.Add("ui/a.xml", "x");
    for (const char* bad : {"ui/a.xml", "ui/Big.xml", "/abs.xml", "ui/../up.xml", "ui\\back.xml", ""})
        EXPECT_THROW(stage.Add(bad, "y"), DataError) << bad;
}

TEST(pipeline, PackEntriesAreDataPathsWithBackslashesInNameOrder)
{
    DataStage stage;
    stage.Add("ui/texts/texts.xml", "b");
    stage.Add("audio/menu/upgrade.wav", "a");
    const std::vector<PackEntry> entries = stage.PackEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "data\\audio\\menu\\upgrade.wav");
    EXPECT_EQ(entries[1].name, "data\\ui\\texts\\texts.xml");
}

TEST(pipeline, BuildWroteThePackAndTheStageWithItsManifest)
{
    EXPECT_TRUE(std::filesystem::is_regular_file(KORVANE_DATA_PACK));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::string(KORVANE_DATA_STAGE) + "/manifest.txt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::string(KORVANE_DATA_STAGE) + "/ui/texts/texts.xml"));
}

TEST(pipeline, AFailingRunWritesNeitherStageNorPack)
{
    TempFolder folder;
    GeneratorOptions options = OptionsInto(folder);
    options.sourceFolder = folder / "no-such-source";
    DataGenerator generator(options);
    EXPECT_THROW(generator.Generate(), DataError);
    EXPECT_FALSE(std::filesystem::exists(folder / "stage"));
    EXPECT_FALSE(std::filesystem::exists(folder / "data/pack0.pak"));
}

TEST(pipeline, TwoRunsGiveTheSamePackByteForByte)
{
    TempFolder folder;
    DataGenerator generator(OptionsInto(folder));
    generator.Generate();
    generator.Write();
    const std::string fresh = folder.ReadFile("data/pack0.pak");
    std::ifstream built(KORVANE_DATA_PACK, std::ios::binary);
    const std::string previous((std::istreambuf_iterator<char>(built)), std::istreambuf_iterator<char>());
    ASSERT_GT(fresh.size(), 1000000u);
    EXPECT_EQ(Sha256Hex(fresh), Sha256Hex(previous));
}

TEST(pipeline, AFailingRunLeavesThePreviousPackAndStageAlone)
{
    TempFolder folder;
    {
        DataGenerator generator(OptionsInto(folder, {"texts"}));
        generator.Generate();
        generator.Write();
    }
    const std::string pack = folder.ReadFile("data/pack0.pak");
    const std::string manifest = folder.ReadFile("stage/manifest.txt");
    GeneratorOptions broken = OptionsInto(folder);
    broken.fontFolder = folder / "no-fonts";
    DataGenerator generator(broken);
    EXPECT_THROW(generator.Generate(), DataError);
    EXPECT_EQ(folder.ReadFile("data/pack0.pak"), pack);
    EXPECT_EQ(folder.ReadFile("stage/manifest.txt"), manifest);
}

TEST(pipeline, UnknownGroupIsRefused)
{
    TempFolder folder;
    EXPECT_THROW(DataGenerator(OptionsInto(folder, {"nonsense"})), DataError);
}

TEST(pipeline, RewritingReplacesTheStageWhole)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "stage/old");
    folder.WriteFile("stage/old/left_over.txt", "stale");
    DataGenerator generator(OptionsInto(folder, {"sources"}));
    generator.Generate();
    generator.Write();
    EXPECT_FALSE(std::filesystem::exists(folder / "stage/old/left_over.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder / "stage/ui/texts/texts.xml"));
    EXPECT_FALSE(std::filesystem::exists(folder / "stage.partial"));
}

namespace
{
// The lines of a list in tools/datagen/expect, without its comment lines.
std::vector<std::string> ExpectList(const std::string& name)
{
    std::ifstream in(std::string(KORVANE_EXPECT_FOLDER) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}
}

TEST(pipeline, ExpectListsAgreeWithTheGeneratorsTables)
{
    std::vector<std::string> texts;
    for (const TextKey& key : GameTextKeys())
        texts.push_back(std::string(key.key) + (key.namedByCode ? " code" : " window"));
    EXPECT_EQ(ExpectList("texts.txt"), texts);

    std::vector<std::string> fonts;
    for (const GameFont& font : GameFonts())
        fonts.push_back(std::string(font.name) + " " + font.list);
    EXPECT_EQ(ExpectList("fonts.txt"), fonts);
    EXPECT_EQ(ExpectList("sounds.txt"), GameSoundFiles());
}
