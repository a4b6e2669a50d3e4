// Profiles: file names made from the player's name, the profile file byte for byte, best times, damaged
// files, deletion and the positions checked against the level list.
#include "framework/ProfileBase.h"

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <regex>

using namespace TestSupport;
using FrameworkTest::TestProfile;
using GameFramework::LevelTimeRecord;

namespace
{
class ProfileBaseTest : public testing::Test
{
protected:
    ProfileBaseTest() { bed.Start(); }

    std::unique_ptr<TestProfile> NewProfile(const std::wstring& name)
    {
        auto profile = std::make_unique<TestProfile>(&bed.GetEngine(), bed.folder.Path());
        profile->Create(name);
        return profile;
    }
    std::unique_ptr<TestProfile> LoadProfile(const std::string& fileName)
    {
        auto profile = std::make_unique<TestProfile>(&bed.GetEngine(), bed.folder.Path());
        profile->Load(fileName);
        return profile;
    }
    std::string LoadError(const std::string& fileName)
    {
        try
        {
            LoadProfile(fileName);
        }
        catch (const VelkorEngine::Error& error)
        {
            return error.GetMessage();
        }
        return "no error";
    }
    std::string ProfileBytes(const std::string& fileName) const { return bed.folder.ReadFile("profiles/" + fileName); }
    void WriteProfileBytes(const std::string& fileName, const std::string& bytes)
    {
        std::filesystem::create_directories(bed.folder / "profiles");
        bed.folder.WriteFile("profiles/" + fileName, bytes);
    }
    void WriteLevels(const std::string& xml)
    {
        std::filesystem::create_directories(bed.folder / "data/levels");
        bed.folder.WriteFile("data/levels/levels.xml", xml);
    }

    EngineTestBed bed;
};

std::unique_ptr<LevelTimeRecord> Time(VelkorEngine::u32 category, VelkorEngine::u32 stage, VelkorEngine::u32 level,
                                      float time)
{
    return std::make_unique<LevelTimeRecord>(LevelTimeRecord{category, stage, level, time});
}

const std::string kBobFile = U32Bytes(66) + "KRPRF" + U32Bytes(102) + Bytes({4, 'B', 0, 'o', 0, 'b', 0, 0, 0}) +
                             U32Bytes(0) + U32Bytes(3) + U32Bytes(0) + U32Bytes(0) + U32Bytes(0) + U32Bytes(0) +
                             U32Bytes(0) + Bytes({0}) + U32Bytes(0) + Bytes({0}) + U32Bytes(0x3F800000) +
                             U32Bytes(0x3F800000) + Bytes({1, 1});
}

TEST_F(ProfileBaseTest, FileNamesAreMadeFromTheLettersOfTheName)
{
    const struct
    {
        std::wstring name;
        std::string pattern;
    } cases[] = {
        {L"Bob Smith", "bobsmith_[0-9]{7}\\.prf"},
        {L"!!", "_[0-9]{15}\\.prf"},
        {L"Ёжик Ann", "ann_[0-9]{12}\\.prf"},
        {L"Abcdefghijklmno", "abcdefghijklmno\\.prf"},
        {L"Abcdefghijklmnopqrs", "abcdefghijklmnopqrs\\.prf"},
    };
    for (const auto& c : cases)
    {
        const auto profile = NewProfile(c.name);
        EXPECT_TRUE(std::regex_match(profile->GetFileName(), std::regex(c.pattern))) << profile->GetFileName();
        EXPECT_TRUE(std::filesystem::exists(bed.folder / ("profiles/" + profile->GetFileName())));
    }
}

TEST_F(ProfileBaseTest, TheSameSeedGivesTheSameFileName)
{
    VelkorEngine::SeedRandom(1234);
    const std::string first = NewProfile(L"Bob")->GetFileName();
    std::filesystem::remove_all(bed.folder / "profiles");
    VelkorEngine::SeedRandom(1234);
    EXPECT_EQ(NewProfile(L"Bob")->GetFileName(), first);
}

TEST_F(ProfileBaseTest, ANameIsNeverOneThatAFileAlreadyHas)
{
    const auto first = NewProfile(L"Abcdefghijklmnop");
    first->score = 77;
    first->Save();
    const std::string firstBytes = ProfileBytes(first->GetFileName());
    const auto second = NewProfile(L"abcdefghijklmnop");
    EXPECT_NE(second->GetFileName(), first->GetFileName());
    EXPECT_TRUE(std::regex_match(second->GetFileName(), std::regex("abcdefghijklmnop_[0-9]{4,}\\.prf")));
    EXPECT_EQ(ProfileBytes(first->GetFileName()), firstBytes);

    VelkorEngine::SeedRandom(99);
    const std::string taken = NewProfile(L"Al")->GetFileName();
    VelkorEngine::SeedRandom(99);
    EXPECT_NE(NewProfile(L"Al")->GetFileName(), taken);
}

TEST_F(ProfileBaseTest, ANewProfileIsWrittenByteForByteAndReadsBack)
{
    const auto created = NewProfile(L"  Bob ");
    EXPECT_TRUE(created->IsNew());
    EXPECT_EQ(ProfileBytes(created->GetFileName()), kBobFile);
    created->settings = {0.25f, 0.75f};
    created->mapStage = 1;
    created->furthestLevel = 2;
    created->gameInProgress = 1;
    created->AddLevelTime(Time(0, 1, 2, 30.0f));
    const auto loaded = LoadProfile(created->GetFileName());
    EXPECT_FALSE(loaded->IsNew());
    EXPECT_EQ(loaded->name, L"Bob");
    EXPECT_EQ(loaded->settings[0], 0.25f);
    EXPECT_EQ(loaded->settings[1], 0.75f);
    EXPECT_EQ(loaded->mapStage, 1u);
    EXPECT_EQ(loaded->furthestLevel, 2u);
    EXPECT_EQ(loaded->gameInProgress, 1);
    EXPECT_EQ(loaded->GetTotalTime(), 30.0f);
    EXPECT_EQ(ProfileBytes(created->GetFileName()).substr(55, 16),
              U32Bytes(0) + U32Bytes(1) + U32Bytes(2) + U32Bytes(0x41F00000));
    const std::string bytes = ProfileBytes(created->GetFileName());
    EXPECT_EQ(bytes.substr(bytes.size() - 11), Bytes({1}) + U32Bytes(0x3F400000) + U32Bytes(0x3E800000) +
                                                   Bytes({1, 1}))
        << "music before sound";
}

TEST_F(ProfileBaseTest, ALevelTimeKeepsTheBestButAddsToTheTotal)
{
    const auto profile = NewProfile(L"Bob");
    profile->AddLevelTime(Time(0, 0, 0, 20.0f));
    profile->AddLevelTime(Time(0, 0, 0, 25.0f));
    profile->AddLevelTime(Time(0, 0, 0, 15.0f));
    profile->AddLevelTime(Time(1, 0, 0, 40.0f));
    ASSERT_EQ(profile->GetBestTimes().size(), 2u);
    EXPECT_EQ(profile->GetBestTimes()[0]->time, 15.0f);
    EXPECT_EQ(profile->GetTotalTime(), 100.0f);
    EXPECT_EQ(ProfileBytes(profile->GetFileName()).size(), kBobFile.size() + 32);
    EXPECT_EQ(LoadProfile(profile->GetFileName())->GetTotalTime(), 55.0f) << "the total of the kept records";
}

TEST_F(ProfileBaseTest, DamagedFilesThrowTheFileMessage)
{
    const std::string path = bed.folder.Path() + "\\profiles\\";
    std::string wrongVersion = kBobFile;
    wrongVersion[9] = 101;
    std::string truncated = kBobFile.substr(0, kBobFile.size() - 3);
    truncated[0] = static_cast<char>(truncated.size());
    WriteProfileBytes("version.prf", wrongVersion);
    WriteProfileBytes("short.prf", kBobFile.substr(0, 40));
    WriteProfileBytes("body.prf", truncated);
    std::string endlessTimes = kBobFile;
    endlessTimes.replace(51, 4, U32Bytes(0xFFFFFFFF));
    WriteProfileBytes("times.prf", endlessTimes);
    EXPECT_EQ(LoadError("version.prf"), "Incorrect \"" + path + "version.prf\" format version (101), current is 102");
    EXPECT_EQ(LoadError("short.prf"), "Incorrect + \"" + path + "short.prf\" file format");
    EXPECT_NE(LoadError("body.prf").find("Failed to read"), std::string::npos);
    EXPECT_NE(LoadError("times.prf").find("Failed to read"), std::string::npos);
}

TEST_F(ProfileBaseTest, StoredVolumesAreKeptWithinRange)
{
    const struct
    {
        float stored;
        float read;
    } cases[] = {{0.5f, 0.5f}, {2.0f, 1.0f}, {-1.0f, 0.0f}, {std::numeric_limits<float>::quiet_NaN(), 1.0f},
                 {std::numeric_limits<float>::infinity(), 1.0f}};
    for (const auto& c : cases)
    {
        std::string bytes = kBobFile;
        VelkorEngine::u32 bits = 0;
        std::memcpy(&bits, &c.stored, 4);
        bytes.replace(bytes.size() - 10, 4, U32Bytes(bits));
        WriteProfileBytes("volume.prf", bytes);
        EXPECT_EQ(LoadProfile("volume.prf")->settings[1], c.read) << c.stored;
    }
}

TEST_F(ProfileBaseTest, DeletingRemovesTheProfilesOwnFileAndNoFolder)
{
    const auto profile = NewProfile(L"Bob");
    const auto other = NewProfile(L"Ann");
    std::string companion = profile->GetFileName();
    companion.resize(companion.size() - 4);
    std::filesystem::create_directories(bed.folder / ("profiles/" + companion + "/saves"));
    profile->DeleteFiles();
    EXPECT_FALSE(std::filesystem::exists(bed.folder / ("profiles/" + profile->GetFileName())));
    EXPECT_TRUE(std::filesystem::exists(bed.folder / ("profiles/" + companion + "/saves")));
    EXPECT_TRUE(std::filesystem::exists(bed.folder / ("profiles/" + other->GetFileName())));
}

// Names whose stem is "", "." or ".." would make the name without its extension the profiles folder, or the
// user data folder around it.
TEST_F(ProfileBaseTest, DeletingAProfileNamedWithDotsRemovesThatFileOnly)
{
    for (const std::string name : {".prf", "..prf", "...prf"})
    {
        const auto other = NewProfile(L"Ann");
        bed.folder.WriteFile("keep.txt", "the player's settings");
        WriteProfileBytes(name, kBobFile);
        LoadProfile(name)->DeleteFiles();
        EXPECT_FALSE(std::filesystem::exists(bed.folder / ("profiles/" + name))) << name;
        EXPECT_TRUE(std::filesystem::exists(bed.folder / ("profiles/" + other->GetFileName()))) << name;
        EXPECT_EQ(bed.folder.ReadFile("keep.txt"), "the player's settings") << name;
    }
}

TEST_F(ProfileBaseTest, AProfileThatIsALinkIsNotDeletedNorWhatItPointsTo)
{
    bed.folder.WriteFile("elsewhere.prf", kBobFile);
    std::filesystem::create_directories(bed.folder / "profiles");
    std::filesystem::create_symlink(bed.folder / "elsewhere.prf", bed.folder / "profiles/link.prf");
    LoadProfile("link.prf")->DeleteFiles();
    EXPECT_EQ(bed.folder.ReadFile("elsewhere.prf"), kBobFile);
    EXPECT_TRUE(std::filesystem::is_symlink(bed.folder / "profiles/link.prf"));
    EXPECT_NE(bed.LogText().find("\"link.prf\" is not a file of the profiles folder; it was not deleted"),
              std::string::npos);
}

TEST_F(ProfileBaseTest, ANameOfTheFullCountByteIsCutWhenReadSoLaterSavesKeepWorking)
{
    std::string name(1, static_cast<char>(255));
    for (int i = 0; i < 255; ++i)
        name += "x" + std::string(1, '\0');
    std::string body = kBobFile.substr(13);
    body.replace(0, 9, name);
    WriteProfileBytes("full.prf", U32Bytes(static_cast<VelkorEngine::u32>(13 + body.size())) + "KRPRF" +
                                      U32Bytes(102) + body);
    const auto profile = LoadProfile("full.prf");
    EXPECT_EQ(profile->name, std::wstring(254, L'x'));
    profile->AddLevelTime(Time(0, 0, 1, 42.0f));
    const auto reread = LoadProfile("full.prf");
    EXPECT_EQ(reread->name, std::wstring(254, L'x'));
    EXPECT_EQ(reread->GetTotalTime(), 42.0f);
}

TEST_F(ProfileBaseTest, ASaveThatFailsIsLogged)
{
    const auto profile = NewProfile(L"Bob");
    std::filesystem::remove(bed.folder / ("profiles/" + profile->GetFileName()));
    std::filesystem::create_directories(bed.folder / ("profiles/" + profile->GetFileName()));
    profile->Save();
    EXPECT_NE(bed.LogText().find("(ProfileBase::Save): "), std::string::npos);
}

TEST_F(ProfileBaseTest, PositionsTheLevelListLacksBecomeTheFirstLevel)
{
    WriteLevels("<levels><stage><level/><level/></stage><stage/></levels>");
    const FrameworkTest::TestLevelManager levels(&bed.GetEngine());
    const struct
    {
        VelkorEngine::u32 stage, level;
        bool valid;
    } cases[] = {{0, 1, true}, {0, 2, false}, {1, 0, false}, {2, 0, false}, {0xFFFFFFFF, 0xFFFFFFFF, false}};
    for (const auto& c : cases)
    {
        const auto profile = NewProfile(L"Bob");
        profile->mapStage = profile->furthestStage = c.stage;
        profile->mapLevel = profile->furthestLevel = c.level;
        profile->Save();
        const auto loaded = LoadProfile(profile->GetFileName());
        EXPECT_EQ(loaded->ValidatePositions(levels), !c.valid);
        const auto saved = LoadProfile(profile->GetFileName());
        EXPECT_EQ(saved->mapStage, c.valid ? c.stage : 0u);
        EXPECT_EQ(saved->mapLevel, c.valid ? c.level : 0u);
        EXPECT_EQ(saved->furthestStage, c.valid ? c.stage : 0u);
        EXPECT_EQ(saved->furthestLevel, c.valid ? c.level : 0u);
    }
}

TEST_F(ProfileBaseTest, ALongNameIsCutToWhatTheFileHolds)
{
    const auto profile = NewProfile(std::wstring(300, L'x'));
    EXPECT_EQ(profile->name.size(), 254u);
    EXPECT_EQ(LoadProfile(profile->GetFileName())->name, std::wstring(254, L'x'));
    EXPECT_EQ(profile->GetFileName(), std::string(64, 'x') + ".prf") << "a file name the disk takes";
}
