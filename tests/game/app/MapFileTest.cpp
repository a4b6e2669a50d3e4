// The level map file: markers numbered by stage and level from the order of their kinds, read back exactly as
// the data tools write them, every file that lies about its length or kinds refused with the file-format message
// naming the file, and one that disagrees with the level list with a message naming both.
#include "game/app/MapFile.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "game/play/LevelManager.h"
#include "tests/support/EngineTestBed.h"
#include "tools/formats/MapFileWriter.h"

#include <gtest/gtest.h>

#include <cstring>

using Korvane::MapElementRecord;
using Korvane::MapElementType;
using Korvane::MapFile;
using KorvaneTools::MapElement;
using VelkorEngine::u32;
using Type = KorvaneTools::MapElementType;

namespace
{
const std::string kFormat = "Incorrect \"data\\ui\\map\\map.gmf\" file format";

class MapFileTest : public ::testing::Test
{
protected:
    MapFileTest() { bed.Start(); }

    // Stages with these level counts.
    void WriteLevels(std::initializer_list<int> counts)
    {
        std::string xml = "<levels>";
        for (int count : counts)
        {
            xml += "<stage environment=\"yard\">";
            for (int i = 0; i < count; ++i)
                xml += "<level/>";
            xml += "</stage>";
        }
        bed.folder.WriteFile("data/levels/levels.xml", xml + "</levels>");
        levels = std::make_unique<Korvane::LevelManager>(&bed.GetEngine());
    }

    static std::vector<MapElement> Elements(std::initializer_list<Type> types)
    {
        std::vector<MapElement> elements;
        float x = 10.0f;
        for (Type type : types)
        {
            elements.push_back({type, KorvaneTools::TranslationPlacement(x, 2.0f * x, 0.0f)});
            x += 60.0f;
        }
        return elements;
    }

    void WriteMap(const std::string& bytes) { bed.folder.WriteFile("data/ui/map/map.gmf", bytes); }

    std::vector<MapElementRecord> Read() { return MapFile::Read(bed.GetEngine().GetFileManager(), *levels); }

    void ExpectRefused(const std::string& bytes, const std::string& message = kFormat)
    {
        WriteMap(bytes);
        try
        {
            Read();
            ADD_FAILURE() << "the map was accepted";
        }
        catch (const VelkorEngine::FileError& error)
        {
            EXPECT_EQ(error.GetMessage(), message);
        }
    }

    // Replaces the u32 at a byte offset, keeping the header's length right.
    static std::string Patched(std::string bytes, std::size_t offset, u32 value)
    {
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    }

    TestSupport::EngineTestBed bed;
    std::unique_ptr<Korvane::LevelManager> levels;
};

TEST_F(MapFileTest, ElementsReadBackWithTheirKindsAndPlacements)
{
    WriteLevels({3, 2});
    const auto written = Elements({Type::Start, Type::Path, Type::Path, Type::CheckPoint, Type::Finish});
    WriteMap(KorvaneTools::WriteMapFile(written));
    const auto read = Read();
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i)
    {
        EXPECT_EQ(static_cast<u32>(read[i].type), static_cast<u32>(written[i].type));
        EXPECT_EQ(std::memcmp(read[i].matrix.data(), written[i].placement.data(), 64), 0);
    }
    EXPECT_EQ(read[4].matrix[3], 250.0f);
    EXPECT_EQ(read[4].matrix[7], 500.0f);
}

TEST_F(MapFileTest, ACheckPointOpensTheNextStage)
{
    struct Case
    {
        std::vector<MapElementType> types;
        std::vector<std::pair<u32, u32>> positions;
    };
    using T = MapElementType;
    const Case cases[] = {
        {{T::Start, T::Path, T::CheckPoint, T::Path, T::Finish}, {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}}},
        {{T::CheckPoint, T::Path, T::Finish}, {{1, 0}, {1, 1}, {1, 2}}},
        {{T::Start, T::CheckPoint, T::CheckPoint}, {{0, 0}, {1, 0}, {2, 0}}},
    };
    for (const Case& c : cases)
    {
        std::vector<MapElementRecord> elements(c.types.size());
        for (std::size_t i = 0; i < elements.size(); ++i)
            elements[i].type = c.types[i];
        MapFile::NumberElements(elements);
        for (std::size_t i = 0; i < elements.size(); ++i)
        {
            EXPECT_EQ(elements[i].stage, c.positions[i].first) << i;
            EXPECT_EQ(elements[i].level, c.positions[i].second) << i;
        }
    }
}

TEST_F(MapFileTest, TheGeneratedDataSetShapeMatchesItsLevelList)
{
    WriteLevels({5, 5});
    WriteMap(
        KorvaneTools::WriteMapFile(Elements({Type::Start, Type::Path, Type::Path, Type::Path, Type::Path,
                                             Type::CheckPoint, Type::Path, Type::Path, Type::Path, Type::Finish})));
    const auto read = Read();
    ASSERT_EQ(read.size(), 10u);
    EXPECT_EQ(read[5].stage, 1u);
    EXPECT_EQ(read[5].level, 0u);
    EXPECT_EQ(read[9].level, 4u);
}

TEST_F(MapFileTest, AFileThatLiesAboutItsLengthOrKindsIsRefused)
{
    WriteLevels({2});
    const std::string good = KorvaneTools::WriteMapFile(Elements({Type::Start, Type::Finish}));
    // Counts that the bytes do not hold: one more, one fewer, and one that would ask for gigabytes.
    ExpectRefused(Patched(good, 13, 3));
    ExpectRefused(Patched(good, 13, 1));
    ExpectRefused(Patched(good, 13, 0x7fffffff));
    // A kind the map does not know.
    ExpectRefused(Patched(good, 17 + 68, 4));
    // Only the count's first bytes.
    std::string cut = good.substr(0, 15);
    ExpectRefused(Patched(cut, 0, static_cast<u32>(cut.size())));
}

// A marker placed at no number could never be drawn or clicked, and its level never started.
TEST_F(MapFileTest, APlacementThatIsNoNumberIsRefused)
{
    WriteLevels({2});
    const std::string good = KorvaneTools::WriteMapFile(Elements({Type::Start, Type::Finish}));
    const std::size_t firstMatrix = 17 + 4;
    const std::size_t secondTranslationY = 17 + 68 + 4 + 7 * 4;
    for (const u32 bits : {0x7fc00000u, 0x7f800000u, 0xff800000u})
    {
        ExpectRefused(Patched(good, firstMatrix, bits));
        ExpectRefused(Patched(good, secondTranslationY, bits));
    }
}

// Either file may be the damaged one: the refusal names both and what differs.
TEST_F(MapFileTest, MarkersMustMatchTheLevelListOneToOne)
{
    WriteLevels({3, 2});
    const std::string mismatch =
        "\"data\\ui\\map\\map.gmf\" does not match the level list \"data\\levels\\levels.xml\": the map holds ";
    // Too few, too many, and the right number split between the stages the wrong way.
    ExpectRefused(KorvaneTools::WriteMapFile(Elements({Type::Start, Type::Path, Type::CheckPoint, Type::Finish})),
                  mismatch + "4 levels, the list 5 levels");
    ExpectRefused(KorvaneTools::WriteMapFile(
                      Elements({Type::Start, Type::Path, Type::Path, Type::CheckPoint, Type::Path, Type::Finish})),
                  mismatch + "6 levels, the list 5 levels");
    ExpectRefused(
        KorvaneTools::WriteMapFile(Elements({Type::Start, Type::Path, Type::CheckPoint, Type::Path, Type::Finish})),
        mismatch + "2 levels in stage 1, the list 3 levels");
    // A first check point leaves the first stage without markers.
    ExpectRefused(KorvaneTools::WriteMapFile(
                      Elements({Type::CheckPoint, Type::Path, Type::Path, Type::CheckPoint, Type::Finish})),
                  mismatch + "0 levels in stage 1, the list 3 levels");
}

TEST_F(MapFileTest, HeaderFaultsGiveTheBinaryFileMessages)
{
    WriteLevels({1});
    const std::string good = KorvaneTools::WriteMapFile(Elements({Type::Start}));
    std::string badMagic = good;
    badMagic[4] = 'X';
    WriteMap(badMagic);
    EXPECT_THROW(Read(), VelkorEngine::FileError);
    WriteMap(Patched(good, 9, 101));
    try
    {
        Read();
        ADD_FAILURE();
    }
    catch (const VelkorEngine::FileError& error)
    {
        EXPECT_NE(error.GetMessage().find("format version (101)"), std::string::npos);
    }
    EXPECT_THROW(MapFile::Read(bed.GetEngine().GetFileManager(), *levels, "data\\ui\\map\\none.gmf"),
                 VelkorEngine::FileError);
}
}
