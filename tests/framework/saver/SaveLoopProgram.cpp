// A program that saves without end what the game saves during play: a profile, the profile list with a best
// time, the high scores and the engine's settings, one round after another, each round's values one higher.
// The save-crash test kills it at random moments and checks that every file it leaves is whole.
// Usage: framework_save_loop <user data folder>; prints "ready" once the first round is on disk.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "framework/GameSoundPlayer.h"
#include "framework/HighScoresTable.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <cstdio>

using VelkorEngine::u32;

namespace
{
// The best time of round n: lower each round, so that each round stores a new best.
constexpr float kSlowestTime = 1000000.0f;

void SaveRound(VelkorEngine::Engine& engine, GameFramework::ProfileManagerBase& manager,
               GameFramework::HighScoresTable& table, GameFramework::ProfileBase& profile, u32 round)
{
    profile.score = round;
    profile.Save();
    manager.SetBestTime(GameFramework::LevelPosition{0, 0}, profile.name, 0, kSlowestTime - static_cast<float>(round));
    table.Add(profile.name, 0, round);
    engine.GetConfig()->SetFromString("t_save_round", std::to_string(round));
    engine.GetConfig()->Save();
}
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    TestSupport::EngineTestBed bed;
    bed.parameters.settingsDirectory = folder;
    bed.parameters.writeLog = 0;
    VelkorEngine::Engine& engine = bed.Start();
    VelkorEngine::i32 savedRound = 0;
    engine.GetConfig()->AddVariable("t_save_round", VelkorEngine::Config::KindInt, 0, 1, &savedRound, "0", 0);
    GameFramework::GameSoundPlayer player(&engine, 1.0f, 1.0f);
    FrameworkTest::TestProfileManager manager(&engine, &player, folder);
    GameFramework::HighScoresTable table(&engine, 10, folder);
    GameFramework::ProfileBase* profile = manager.FindOrCreateProfile(L"Bob");
    manager.SetCurrentProfile(profile, 1);
    bool announced = false;
    for (u32 round = profile->score + 1;; ++round)
    {
        SaveRound(engine, manager, table, *profile, round);
        if (!announced)
        {
            std::puts("ready");
            std::fflush(stdout);
            announced = true;
        }
    }
}
