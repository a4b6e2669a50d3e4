// The level's files damaged every way a disk or a hand edit can damage them: the geometry file, the field file,
// the block descriptions and the lighting file cut at every length, given huge counts and seeded random bytes.
// Each load runs in a bounded child process, so a crash, a hang or a huge allocation fails the case; what is
// left must be the fallback of its kind: the fatal error naming the file for the geometry and the blocks, the
// field's error naming its file, and for the lighting the complete lights kept with the file named in the log.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/LightManager.h"
#include "game/play/GameField.h"
#include "game/play/GameLogicData.h"
#include "game/play/Lighting.h"
#include "tests/support/BoundedRun.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FileDamage.h"
#include "tools/formats/FieldFileWriter.h"
#include "tools/formats/LevelGeometryWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using VelkorEngine::MessageManager;

namespace
{
constexpr std::uint32_t kSeed = 28;
constexpr std::size_t kRandomFiles = 40;
constexpr std::size_t kHeader = 13;

bool Names(const std::string& message, const std::string& file)
{
    return message.find(file) != std::string::npos;
}

class DamagedLevelFilesTest : public testing::Test
{
protected:
    DamagedLevelFilesTest()
    {
        bed.Start();
        stage.environment = "desert";
        level.fileName = "00_00.krg";
        WriteBlock("brick.xml", "<block strength=\"2\"/>");
        WriteBlock("pillar.xml", kPillar);
    }

    static constexpr const char* kPillar = "<block collision_model=\"1\" fragment_count=\"3\">"
                                           "<shader frame_count=\"4\" animation_speed=\"2.5\"/></block>";

    void Write(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(bed.folder / path).parent_path());
        bed.folder.WriteFile(path, bytes);
    }
    void WriteBlock(const std::string& file, const std::string& xml) { Write("data/game_objects/blocks/" + file, xml); }

    // Writes each damaged file and loads it in a bounded child that reports "fallback", "read" or what went wrong.
    void ExpectEach(const std::vector<DamagedFile>& files, const std::string& path,
                    const std::function<std::string()>& load, bool mayStillRead)
    {
        const BoundedOutcome outcome = CheckEachBounded(files, [&](const DamagedFile& damaged) {
            Write(path, damaged.bytes);
            const std::string got = load();
            return got == "fallback" || (mayStillRead && got == "read") ? std::string() : got;
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }

    EngineTestBed bed;
    Korvane::StageInfo stage;
    Korvane::LevelInfo level;
};

// The geometry file: a level the game cannot use ends the program with the reader's message.
class DamagedLevelGeometryTest : public DamagedLevelFilesTest
{
protected:
    DamagedLevelGeometryTest()
    {
        KorvaneTools::LevelGeometry geometry;
        geometry.keyFrameCount = 3;
        geometry.keyFrameSpeed = 1.5f;
        geometry.textures = {"", "red.jpg", "stone.jpg"};
        KorvaneTools::LevelObject base;
        base.block = "Pillar_1";
        base.flags = 1;
        base.firstTexture = 2;
        base.keyFrames.resize(1);
        base.dependents = {1};
        KorvaneTools::LevelObject moving;
        moving.block = "brick_red";
        moving.firstTexture = 1;
        moving.animated = true;
        moving.keyFrames.resize(3);
        moving.supports = {0};
        geometry.objects = {base, moving};
        goodFile = KorvaneTools::WriteLevelGeometry(geometry);
    }

    std::string Load()
    {
        Korvane::GameLogicData keeper(&bed.GetEngine(), "en", stage, level);
        try
        {
            keeper.Load();
            return "read";
        }
        catch (const VelkorEngine::FatalError& error)
        {
            const std::string& message = error.GetMessage();
            return Names(message, "00_00.krg") || Names(message, "pillar.xml") ||
                           message.find("Can't find block") == 0
                       ? "fallback"
                       : "unclear: " + message;
        }
    }

    void Expect(const std::vector<DamagedFile>& files, bool mayStillRead = false)
    {
        ExpectEach(files, "data/levels_geometry/00_00.krg", [this] { return Load(); }, mayStillRead);
    }

    std::string goodFile;
};

// Header, key frames, speed: the texture count; after the three names (1, 8 and 10 bytes), the object count.
constexpr std::size_t kTextureCount = kHeader + 8;
constexpr std::size_t kObjectCount = kTextureCount + 4 + 1 + 8 + 10;

TEST_F(DamagedLevelGeometryTest, TheGoodFileLoads)
{
    Write("data/levels_geometry/00_00.krg", goodFile);
    EXPECT_EQ(Load(), "read");
}

TEST_F(DamagedLevelGeometryTest, EveryCutEndsTheProgramNamingTheFile)
{
    Expect(EveryCut(goodFile));
}

TEST_F(DamagedLevelGeometryTest, HugeCountsEndTheProgramNamingTheFile)
{
    Expect(WithU32At(goodFile, {kHeader, kTextureCount, kObjectCount}, HugeCounts, StoredLength::MatchingTheDamage));
}

TEST_F(DamagedLevelGeometryTest, RandomBytesLoadOrEndTheProgramNamingTheFile)
{
    Expect(RandomBytes(goodFile, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), true);
    Expect(RandomBytes(goodFile, 0, kSeed + 1, kRandomFiles, StoredLength::AsItWas), true);
}

// The block descriptions: one that cannot be parsed ends the program naming it.
class DamagedBlockDescriptionTest : public DamagedLevelGeometryTest
{
protected:
    DamagedBlockDescriptionTest() { Write("data/levels_geometry/00_00.krg", goodFile); }
};

TEST_F(DamagedBlockDescriptionTest, EveryCutLoadsOrEndsTheProgramNamingTheFile)
{
    std::vector<DamagedFile> cuts = CutsAtEveryLength(kPillar, StoredLength::AsItWas);
    ExpectEach(cuts, "data/game_objects/blocks/pillar.xml", [this] { return Load(); }, true);
}

TEST_F(DamagedBlockDescriptionTest, RandomBytesLoadOrEndTheProgramNamingTheFile)
{
    ExpectEach(RandomBytes(kPillar, 0, kSeed, kRandomFiles, StoredLength::AsItWas),
               "data/game_objects/blocks/pillar.xml", [this] { return Load(); }, true);
}

// The field file: a bad one throws the file error naming it out of the field's constructor.
class DamagedFieldTest : public DamagedLevelFilesTest
{
protected:
    DamagedFieldTest()
    {
        KorvaneTools::FieldZone left;
        left.minimum = {-100, 0, -5};
        left.maximum = {-90, 200, 5};
        KorvaneTools::FieldZone right;
        right.minimum = {90, 0, -5};
        right.maximum = {100, 200, 5};
        goodFile = KorvaneTools::WriteFieldFile({left, right});
    }

    std::string Load()
    {
        try
        {
            Korvane::GameField field(&bed.GetEngine(), "field.krf");
            return "read";
        }
        catch (const VelkorEngine::FileError& error)
        {
            return Names(error.GetMessage(), "field.krf") ? "fallback" : "unclear: " + error.GetMessage();
        }
    }

    void Expect(const std::vector<DamagedFile>& files, bool mayStillRead = false)
    {
        ExpectEach(files, "data/environment/field.krf", [this] { return Load(); }, mayStillRead);
    }

    std::string goodFile;
};

TEST_F(DamagedFieldTest, EveryCutIsRefusedNamingTheFile)
{
    Expect(EveryCut(goodFile));
}

TEST_F(DamagedFieldTest, HugeZoneCountsAreRefusedNamingTheFile)
{
    Expect(WithU32At(goodFile, {kHeader}, HugeCounts, StoredLength::MatchingTheDamage));
}

TEST_F(DamagedFieldTest, RandomBytesAreReadOrRefusedNamingTheFile)
{
    Expect(RandomBytes(goodFile, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), true);
    Expect(RandomBytes(goodFile, 0, kSeed + 1, kRandomFiles, StoredLength::AsItWas), true);
}

// The lighting file: the complete lights before the damage are kept, at most as many as can be lit, and a
// file that ends early is named in the log.
class DamagedLightingTest : public DamagedLevelFilesTest
{
protected:
    static std::string Light(int n)
    {
        return std::to_string(n) + " 0 50  10 10 10  255 0 0  0 255 0  1 0.01 0.001\n";
    }

    // Loads the file and tells how many lights it made and whether an error named the file.
    std::pair<std::size_t, bool> Load()
    {
        VelkorEngine::LightManager& lights = *bed.GetEngine().GetLightManager();
        const std::size_t lightsBefore = lights.GetLightCount();
        const std::size_t errorsBefore = bed.Records(MessageManager::KindError).size();
        Korvane::Lighting lighting(&bed.GetEngine(), "lighting.ini");
        const std::vector<std::string> errors = bed.Records(MessageManager::KindError);
        bool named = false;
        for (std::size_t i = errorsBefore; i < errors.size(); ++i)
            named = named || Names(errors[i], "lighting.ini");
        return {lights.GetLightCount() - lightsBefore, named};
    }

    void ExpectAtMostWhatCanBeLit(const std::vector<DamagedFile>& files)
    {
        const BoundedOutcome outcome = CheckEachBounded(files, [this](const DamagedFile& damaged) {
            Write("data/environment/lighting/lighting.ini", damaged.bytes);
            const std::size_t made = Load().first;
            return made <= Korvane::Lighting::MostLights ? std::string() : std::to_string(made) + " lights";
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }
};

TEST_F(DamagedLightingTest, EveryCutKeepsTheCompleteLightsAndNamesTheFile)
{
    const std::string header = "128 128 128 3\n";
    const std::string good = header + Light(1) + Light(2) + Light(3);
    const BoundedOutcome outcome =
        CheckEachBounded(CutsAtEveryLength(good, StoredLength::AsItWas), [&](const DamagedFile& cut) {
            Write("data/environment/lighting/lighting.ini", cut.bytes);
            const std::size_t size = cut.bytes.size();
            // The ambient colour is whole once its third number has begun, the count once its digit is there,
            // a light once its last number has begun; a missing count is no light.
            const bool ambientWhole = size > 8;
            const bool counted = size > 12;
            std::size_t complete = 0;
            for (std::size_t light = 1; light <= 3; ++light)
                if (size > header.size() + light * Light(1).size() - 6)
                    complete = light;
            const bool endsEarly = !ambientWhole || (counted && complete < 3);
            const auto [made, named] = Load();
            if (made == complete && named == endsEarly)
                return std::string();
            return "made " + std::to_string(made) + " lights, file named: " + std::to_string(named);
        });
    ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
    EXPECT_EQ(outcome.text, "");
}

TEST_F(DamagedLightingTest, HugeLightCountsMakeOnlyWhatCanBeLit)
{
    std::string many = "128 128 128 4000000000\n";
    for (int i = 0; i < 12; ++i)
        many += Light(i);
    ExpectAtMostWhatCanBeLit({{"four billion lights", many},
                              {"the largest count, no lights", "1 2 3 2147483647"},
                              {"a negative count", "1 2 3 -5 " + Light(1)}});
}

TEST_F(DamagedLightingTest, RandomBytesNeverMakeMoreThanCanBeLit)
{
    ExpectAtMostWhatCanBeLit(
        RandomBytes("128 128 128 2\n" + Light(1) + Light(2), 0, kSeed, kRandomFiles, StoredLength::AsItWas));
}
}
