// Crashes during saves: a program saving a profile, the profile list, the high scores and the engine's
// settings in a loop is killed at seeded random moments, many times over; after every kill each file must be
// whole and load, holding either the round it had or the next one. Every save goes to "<name>.tmp" first and
// is renamed over the file only when complete: a folder standing in the way of the temporary file makes the
// save fail and leaves the old file untouched, which proves it for each kind, the settings included.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "framework/GameSoundPlayer.h"
#include "framework/HighScoresTable.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using FrameworkTest::TestProfile;
using FrameworkTest::TestProfileManager;
using GameFramework::HighScoresTable;
using GameFramework::LevelPosition;
using VelkorEngine::u32;

namespace
{
constexpr float kSlowestTime = 1000000.0f;
constexpr int kMostRuns = 60;
constexpr int kLeastRuns = 8;
constexpr auto kTimeBudget = std::chrono::seconds(4);
constexpr int kLongestWaitMicroseconds = 15000;

// The rounds each file holds after a kill.
struct Rounds
{
    u32 profile = 0;
    u32 bestTime = 0;
    u32 highScore = 0;
    u32 settings = 0;
    std::string problem;
};

class SaveCrashTest : public testing::Test
{
protected:
    SaveCrashTest()
    {
        std::filesystem::create_directories(bed.folder / "user/tmp");
        bed.Start();
    }

    std::string UserFolder() const { return bed.folder / "user"; }

    // Starts the save loop, waits until its first round is on disk, lets it run a while and kills it.
    bool RunAndKill(std::chrono::microseconds wait)
    {
        int out[2];
        if (::pipe(out) != 0)
            return false;
        const pid_t child = ::fork();
        if (child == 0)
        {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::setenv("TMPDIR", (UserFolder() + "/tmp").c_str(), 1);
            ::execl(FRAMEWORK_SAVE_LOOP, FRAMEWORK_SAVE_LOOP, UserFolder().c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        char ready[6] = {};
        const bool started = ::read(out[0], ready, 5) == 5 && std::string(ready) == "ready";
        if (started)
            std::this_thread::sleep_for(wait);
        ::kill(child, SIGKILL);
        ::close(out[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return started;
    }

    // Reads every file back with the game's own readers; a reader that had to fall back is a problem.
    Rounds ReadBack()
    {
        Rounds rounds;
        VelkorEngine::Engine& engine = bed.GetEngine();
        std::vector<std::string> profiles;
        for (const auto& entry : std::filesystem::directory_iterator(UserFolder() + "/profiles"))
            if (entry.path().extension() == ".prf")
                profiles.push_back(entry.path().filename());
        if (profiles.size() != 1)
            return {0, 0, 0, 0, std::to_string(profiles.size()) + " profile files"};
        try
        {
            TestProfile profile(&engine, UserFolder());
            profile.Load(profiles.front());
            rounds.profile = profile.score;
        }
        catch (const VelkorEngine::Error& error)
        {
            return {0, 0, 0, 0, "profile: " + error.GetMessage()};
        }
        GameFramework::GameSoundPlayer player(&engine, 1.0f, 1.0f);
        TestProfileManager manager(&engine, &player, UserFolder());
        std::wstring holder;
        float time = 0.0f;
        if (!manager.GetBestTime(LevelPosition{0, 0}, 0, holder, time))
            return {0, 0, 0, 0, "the profile list lost its best time"};
        rounds.bestTime = static_cast<u32>(kSlowestTime - time);
        HighScoresTable table(&engine, 10, UserFolder());
        if (table.GetCount(0) == 0)
            return {0, 0, 0, 0, "the high scores were lost"};
        rounds.highScore = table.GetEntry(0, 0)->score;
        rounds.settings = SettingsRound(rounds.problem);
        return rounds;
    }

    u32 SettingsRound(std::string& problem)
    {
        const std::string text = bed.folder.ReadFile("user/engine.ini");
        if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
            problem = "the settings file does not end with a whole line";
        VelkorEngine::Engine& engine = bed.GetEngine();
        VelkorEngine::Config settings(engine.GetMessageManager(), engine.GetFileManager(), UserFolder(), "engine", 0,
                                      "800x600x32", 0, 0);
        settings.Load();
        VelkorEngine::i32 round = -1;
        settings.AddVariable("t_save_round", VelkorEngine::Config::KindInt, 0, 1, &round, "-1", 0);
        if (round < 0)
            problem = "the settings file lost the round";
        return static_cast<u32>(round);
    }

    // A folder in place of the temporary file, replacing the one a kill may have left half written.
    static void BlockTemporaryFile(const std::string& path)
    {
        std::filesystem::remove(path + ".tmp");
        std::filesystem::create_directories(path + ".tmp");
    }

    TestSupport::EngineTestBed bed;
};
}

TEST_F(SaveCrashTest, EveryFileIsTheOldOrTheNewWholeFileAfterAKill)
{
    std::mt19937 random(28);
    std::uniform_int_distribution<int> wait(0, kLongestWaitMicroseconds);
    const auto end = std::chrono::steady_clock::now() + kTimeBudget;
    u32 lastProfileRound = 0;
    int runs = 0;
    int leftTemporaryFiles = 0;
    while (runs < kMostRuns && (runs < kLeastRuns || std::chrono::steady_clock::now() < end))
    {
        ASSERT_TRUE(RunAndKill(std::chrono::microseconds(wait(random)))) << "run " << runs;
        ++runs;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(UserFolder()))
            leftTemporaryFiles += entry.path().extension() == ".tmp";
        const Rounds rounds = ReadBack();
        ASSERT_EQ(rounds.problem, "") << "run " << runs;
        // The loop saves the profile first, so every other file holds its round or the one before.
        EXPECT_GE(rounds.profile, lastProfileRound) << "run " << runs;
        for (u32 other : {rounds.bestTime, rounds.highScore, rounds.settings})
        {
            EXPECT_LE(other, rounds.profile) << "run " << runs;
            EXPECT_GE(other + 1, rounds.profile) << "run " << runs;
        }
        lastProfileRound = rounds.profile;
    }
    EXPECT_GT(lastProfileRound, static_cast<u32>(runs));
    RecordProperty("KilledRuns", runs);
    RecordProperty("TemporaryFilesLeftByKills", leftTemporaryFiles);
}

TEST_F(SaveCrashTest, EverySaveGoesThroughATemporaryFileThatIsRenamedOverTheOldOne)
{
    ASSERT_TRUE(RunAndKill(std::chrono::microseconds(0)));
    const std::vector<std::string> files = {"high_scores.hsf", "profiles.pmf", "engine.ini"};
    std::vector<std::string> before;
    for (const std::string& name : files)
    {
        before.push_back(bed.folder.ReadFile("user/" + name));
        BlockTemporaryFile(UserFolder() + "/" + name);
    }
    std::string profileName;
    for (const auto& entry : std::filesystem::directory_iterator(UserFolder() + "/profiles"))
        if (entry.path().extension() == ".prf")
            profileName = entry.path().filename();
    const std::string profileBefore = bed.folder.ReadFile("user/profiles/" + profileName);
    BlockTemporaryFile(UserFolder() + "/profiles/" + profileName);

    // One more round saved by the loop itself: every save now fails at its temporary file.
    RunAndKill(std::chrono::microseconds(20000));
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(bed.folder.ReadFile("user/" + files[i]), before[i]) << files[i];
    EXPECT_EQ(bed.folder.ReadFile("user/profiles/" + profileName), profileBefore);
}
