// The player's own files damaged every way a disk, a crash or a hand edit can damage them: the high scores,
// a profile and the profile list cut at every length (with the stored length left as it was and with it made
// to match), given huge counts and seeded random bytes. Each load runs in a bounded child process, so a crash,
// a hang or a huge allocation fails the case; what is left must be the fallback of its kind and load again
// unchanged.
#include "framework/GameSoundPlayer.h"
#include "framework/HighScoresTable.h"
#include "engine/core/Error.h"
#include "framework/ProfileBase.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/BoundedRun.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FileDamage.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using FrameworkTest::TestProfile;
using FrameworkTest::TestProfileManager;
using GameFramework::HighScoresTable;
using GameFramework::LevelPosition;
using GameFramework::LevelTimeRecord;

namespace
{
constexpr std::uint32_t kSeed = 28;
constexpr std::size_t kRandomFiles = 60;
constexpr std::size_t kHeader = 13;

class DamagedSaveFilesTest : public testing::Test
{
protected:
    DamagedSaveFilesTest()
    {
        bed.Start();
        player = std::make_unique<GameFramework::GameSoundPlayer>(&bed.GetEngine(), 0.5f, 0.5f);
    }

    std::string Folder() const { return bed.folder.Path(); }

    std::unique_ptr<HighScoresTable> MakeTable()
    {
        return std::make_unique<HighScoresTable>(&bed.GetEngine(), 10, Folder());
    }
    std::unique_ptr<TestProfileManager> MakeManager()
    {
        return std::make_unique<TestProfileManager>(&bed.GetEngine(), player.get(), Folder());
    }

    // Loads each damaged file in one bounded child; each load reports "reset", "read" or what went wrong.
    void ExpectEveryFileFallsBack(const std::vector<DamagedFile>& files, const std::string& fileName,
                                  const std::function<std::string()>& load, bool mayStillRead)
    {
        const BoundedOutcome outcome = CheckEachBounded(files, [&](const DamagedFile& damaged) {
            bed.folder.WriteFile(fileName, damaged.bytes);
            const std::string got = load();
            return got == "reset" || (mayStillRead && got == "read") ? std::string() : got;
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }

    EngineTestBed bed;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
};

// High scores: the fallback is an empty table and the empty file written in place of the bad one.
class DamagedHighScoresTest : public DamagedSaveFilesTest
{
protected:
    DamagedHighScoresTest()
    {
        std::filesystem::remove(bed.folder / "high_scores.hsf");
        MakeTable();
        emptyFile = bed.folder.ReadFile("high_scores.hsf");
        const auto table = MakeTable();
        table->Add(L"Ann", 0, 300);
        table->Add(L"Bob Smith", 0, 200);
        table->Add(L"\u00c9lise", 1, 100);
        goodFile = bed.folder.ReadFile("high_scores.hsf");
    }

    std::string Load()
    {
        const std::string before = bed.folder.ReadFile("high_scores.hsf");
        const auto table = MakeTable();
        const std::string after = bed.folder.ReadFile("high_scores.hsf");
        if (after == emptyFile && table->GetCount(0) == 0 && table->GetCount(1) == 0 && table->GetNextSequence() == 0)
            return "reset";
        if (after != before)
            return "rewritten though read";
        // What was read is a table that loads again as it is.
        MakeTable();
        return bed.folder.ReadFile("high_scores.hsf") == before ? "read" : "unstable";
    }

    void Expect(const std::vector<DamagedFile>& files, bool mayStillRead = false)
    {
        ExpectEveryFileFallsBack(files, "high_scores.hsf", [this] { return Load(); }, mayStillRead);
    }

    std::string emptyFile;
    std::string goodFile;
};

TEST_F(DamagedHighScoresTest, EveryCutGivesTheEmptyTable)
{
    Expect(EveryCut(goodFile));
}

TEST_F(DamagedHighScoresTest, HugeEntryCountsGiveTheEmptyTable)
{
    Expect(WithU32At(goodFile, {17}, HugeCounts, StoredLength::MatchingTheDamage));
}

TEST_F(DamagedHighScoresTest, RandomBytesAreReadOrGiveTheEmptyTable)
{
    Expect(RandomBytes(goodFile, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), true);
    Expect(RandomBytes(goodFile, 0, kSeed + 1, kRandomFiles, StoredLength::AsItWas), true);
}

// A profile: the fallback is an error naming the file, which leaves the profile out of the list.
class DamagedProfileTest : public DamagedSaveFilesTest
{
protected:
    DamagedProfileTest()
    {
        TestProfile profile(&bed.GetEngine(), Folder());
        profile.Create(L"Bob");
        profile.AddLevelTime(std::make_unique<LevelTimeRecord>(LevelTimeRecord{0, 0, 1, 12.5f}));
        profile.AddLevelTime(std::make_unique<LevelTimeRecord>(LevelTimeRecord{0, 1, 0, 40.0f}));
        fileName = profile.GetFileName();
        goodFile = bed.folder.ReadFile("profiles/" + fileName);
    }

    std::string Load()
    {
        try
        {
            TestProfile profile(&bed.GetEngine(), Folder());
            profile.Load(fileName);
            return "read";
        }
        catch (const VelkorEngine::Error& error)
        {
            const std::string& message = error.GetMessage();
            const bool clear = message.find(fileName) != std::string::npos &&
                               (message.find("Incorrect") == 0 || message.find("Failed to read") == 0);
            return clear ? "reset" : "unclear message: " + message;
        }
    }

    void Expect(const std::vector<DamagedFile>& files, bool mayStillRead = false)
    {
        ExpectEveryFileFallsBack(files, "profiles/" + fileName, [this] { return Load(); }, mayStillRead);
    }

    std::string fileName;
    std::string goodFile;
};

// Header, the name "Bob" (1 + 2 x 4 bytes), seven numbers and the furthest flag: the best-time count.
constexpr std::size_t kProfileTimeCount = 13 + 9 + 28 + 1;

TEST_F(DamagedProfileTest, EveryCutIsRefusedNamingTheFile)
{
    Expect(EveryCut(goodFile));
}

TEST_F(DamagedProfileTest, HugeCountsAreRefusedNamingTheFile)
{
    Expect(WithU32At(goodFile, {kProfileTimeCount}, HugeCounts, StoredLength::MatchingTheDamage));
    Expect(WithU32At(goodFile, {kHeader}, {0xFFFFFFFFu}, StoredLength::MatchingTheDamage));
}

TEST_F(DamagedProfileTest, RandomBytesAreReadOrRefused)
{
    Expect(RandomBytes(goodFile, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), true);
    Expect(RandomBytes(goodFile, 0, kSeed + 1, kRandomFiles, StoredLength::AsItWas), true);
}

TEST_F(DamagedProfileTest, TheManagerLeavesADamagedProfileOutAndItsFileOnDisk)
{
    const std::string cut = WithTrueLength(goodFile.substr(0, goodFile.size() - 3));
    bed.folder.WriteFile("profiles/" + fileName, cut);
    const BoundedOutcome outcome = RunBounded([this] {
        const auto manager = MakeManager();
        return std::to_string(manager->GetProfileCount());
    });
    ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
    EXPECT_EQ(outcome.text, "0");
    EXPECT_EQ(bed.folder.ReadFile("profiles/" + fileName), cut);
}

// The profile list: the fallback is no best times and a fresh list naming the first profile.
class DamagedProfileListTest : public DamagedSaveFilesTest
{
protected:
    DamagedProfileListTest()
    {
        {
            const auto manager = MakeManager();
            manager->SetCurrentProfile(manager->FindOrCreateProfile(L"Bob"), 1);
            manager->FindOrCreateProfile(L"Ann");
        }
        std::filesystem::remove(bed.folder / "profiles.pmf");
        MakeManager();
        freshFile = bed.folder.ReadFile("profiles.pmf");
        const auto manager = MakeManager();
        manager->SetCurrentProfile(manager->FindProfile(L"Bob"), 1);
        manager->SetBestTime(LevelPosition{0, 1}, L"Bob", 0, 12.5f);
        manager->SetBestTime(LevelPosition{1, 0}, L"Ann", 0, 40.0f);
        goodFile = bed.folder.ReadFile("profiles.pmf");
    }

    std::string Load()
    {
        const std::string before = bed.folder.ReadFile("profiles.pmf");
        const auto manager = MakeManager();
        const std::string after = bed.folder.ReadFile("profiles.pmf");
        if (after == freshFile && manager->GetBestTimeCount() == 0 && manager->GetCurrentProfile() &&
            manager->GetCurrentProfile()->name == L"Ann")
            return "reset";
        // What was read, with the current profile chosen again if it named none, loads again as it is.
        MakeManager();
        return bed.folder.ReadFile("profiles.pmf") == after ? "read" : "unstable";
    }

    void Expect(const std::vector<DamagedFile>& files, bool mayStillRead = false)
    {
        ExpectEveryFileFallsBack(files, "profiles.pmf", [this] { return Load(); }, mayStillRead);
    }

    std::string freshFile;
    std::string goodFile;
};

TEST_F(DamagedProfileListTest, EveryCutGivesAFreshList)
{
    Expect(EveryCut(goodFile));
}

TEST_F(DamagedProfileListTest, HugeRecordCountsGiveAFreshList)
{
    // Header and the name "Bob" (1 + 2 x 4 bytes): the best-time count.
    Expect(WithU32At(goodFile, {kHeader + 9}, HugeCounts, StoredLength::MatchingTheDamage));
}

TEST_F(DamagedProfileListTest, RandomBytesAreReadOrGiveAFreshList)
{
    Expect(RandomBytes(goodFile, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), true);
    Expect(RandomBytes(goodFile, 0, kSeed + 1, kRandomFiles, StoredLength::AsItWas), true);
}
}

// The bound the cases above rely on really stops what it claims to stop.
TEST(BoundedRunTest, AHugeAllocationAHangAndACrashAreEachCaught)
{
    EXPECT_EQ(RunBounded([] { return std::string(std::size_t(1) << 30, 'x').substr(0, 2); }).kind,
              BoundedOutcome::HugeAllocation);
    EXPECT_EQ(RunBounded([]() -> std::string {
                  for (volatile bool forever = true; forever;)
                  {
                  }
                  return "";
              }, 1)
                  .kind,
              BoundedOutcome::Hung);
    EXPECT_EQ(RunBounded([]() -> std::string { std::abort(); }).kind, BoundedOutcome::Crashed);
    const BoundedOutcome finished = RunBounded([] { return std::string("done"); });
    EXPECT_TRUE(finished.HasFinished());
    EXPECT_EQ(finished.text, "done");
}
