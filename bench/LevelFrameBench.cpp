// The whole game frame on the densest generated level, drawn by the engine on the offscreen video driver at
// 1024 x 768 with the display's refresh not waited for (the software renderer when there is no GPU).
// Frame: 18 balls, falling bonuses, a gun firing and the barrier up; the game logic runs and the engine draws,
// against the engine's frame of the same models with no play logic (the same level played the same way, its
// logic run between the engine's halves of the frame outside the time measured) and against an empty frame (no
// level). The first ratio is the play's share of
// the frame; the game logic's frame alone (nothing drawn) tells how much of that share is logic and how much the
// drawing of what the play adds (bullets, fragments, sparks). The frames per second go beside the empty frame's
// and against the 60 Hz budget.
// Load: the level keeper's load of that level (resource lists, block descriptions, geometry, models and
// textures) against reading as many bytes from the same pack with plain freads.
// Memory: the process's peak during play beside its peak with the engine and the start-up resources alone.
// Ratios and measures are printed in the forms bench/run-all.sh gathers.
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/BonusManager.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "game/play/GameLogicData.h"
#include "game/play/Gun.h"
#include "game/play/LevelManager.h"
#include "tests/support/GeneratedLevelBed.h"

#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;
using Korvane::GameLogic;

namespace
{
constexpr u32 kBalls = 18;
constexpr u32 kLives = 9;
constexpr u32 kFallingBonuses = 4;
constexpr double kFrameTime = 1.0 / 60.0;
constexpr double kFrameMicroseconds = 1e6 / 60.0;
// Frames played before measuring, so that the balls fly, the gun has risen and bonuses fall; then the frames
// measured in one repetition. Each repetition starts the level afresh, so the measured frames see a full field.
constexpr int kWarmUpFrames = 30;
constexpr int kMeasuredFrames = 60;
constexpr int kLoads = 3;
constexpr size_t kReadChunk = 64 * 1024;

// A line of /proc/self/<file> that starts with the key, its number.
long long ProcNumber(const char* file, const std::string& key)
{
    std::ifstream in(std::string("/proc/self/") + file);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0)
            return std::atoll(line.c_str() + key.size());
    return -1;
}

double PeakMegabytes()
{
    return static_cast<double>(ProcNumber("status", "VmHWM:")) / 1024.0;
}

// Bytes the process has read through read calls, from files and pipes alike.
long long BytesRead()
{
    return ProcNumber("io", "rchar:");
}

class DenseLevelFrames
{
public:
    DenseLevelFrames()
        : m_play(KORVANE_DATA_ROOT, 18, TestSupport::GeneratedLevelBed::Display::Offscreen, "1024x768x32")
    {
        m_play.frameTime = kFrameTime;
        m_startUpPeak = PeakMegabytes();
        FindDensestLevel();
        m_play.End();
    }

    std::string Where() const
    {
        return "level " + std::to_string(m_stage) + "_" + std::to_string(m_level) + " (" +
               std::to_string(m_blockCount) + " blocks)";
    }
    double GetStartUpPeak() const { return m_startUpPeak; }
    double GetBytesPerLoad() const { return m_loads == 0 ? 0.0 : static_cast<double>(m_bytesLoaded) / m_loads; }

    // The level from its start, its bat risen, then played a little with everything the frame measures.
    void Restart()
    {
        SeedRandom(18);
        GameLogic& logic = m_play.Play(m_stage, m_level, kLives);
        m_play.SetDrawn(false);
        for (int i = 0; i < 600 && !logic.GetBat().HasRisen(); ++i)
            m_play.Frame();
        logic.ApplyBonus(GameLogic::BonusArbalest);
        logic.ApplyBonus(GameLogic::BonusBarrier);
        for (int i = 0; i < kWarmUpFrames; ++i)
        {
            KeepEverythingInPlay();
            logic.Click();
            m_play.Frame();
        }
        m_play.SetDrawn(true);
    }

    // One frame as the game runs it; the balls, bonuses and gun charges are kept up outside the time measured.
    void PlayFrame(benchmark::State& state)
    {
        state.PauseTiming();
        KeepEverythingInPlay();
        m_play.logic->Click();
        state.ResumeTiming();
        m_play.Frame();
    }

    // The engine's part of the same frame: the game logic runs outside the time measured, so that the engine
    // draws and moves the very models the play frame has.
    void EngineFrame(benchmark::State& state)
    {
        m_play.BeginFrame();
        state.PauseTiming();
        KeepEverythingInPlay();
        m_play.logic->Click();
        m_play.logic->Update();
        state.ResumeTiming();
        m_play.EndFrame();
    }

    // The game logic's part of that frame alone, nothing drawn and the engine's models not moved.
    void LogicFrame(benchmark::State& state)
    {
        state.PauseTiming();
        KeepEverythingInPlay();
        m_play.logic->Click();
        m_play.AdvanceClock();
        state.ResumeTiming();
        m_play.logic->Update();
    }

    // A frame with no level: the engine clears and shows the screen.
    void EmptyFrame()
    {
        m_play.BeginFrame();
        m_play.EndFrame();
    }

    void EndLevel() { m_play.End(); }

    // The level keeper loads the level as the game's loading window has it load.
    std::unique_ptr<Korvane::GameLogicData> LoadLevel()
    {
        Korvane::LevelManager& levels = *m_play.levels;
        std::vector<std::string> files;
        levels.PrepareLevel({m_stage, m_level}, files);
        const long long before = BytesRead();
        auto data = std::make_unique<Korvane::GameLogicData>(
            &m_play.GetEngine(), "en", *static_cast<Korvane::StageInfo*>(levels.GetStage(m_stage)),
            *static_cast<Korvane::LevelInfo*>(levels.GetLevel(m_stage, m_level)));
        for (const std::string& file : files)
            data->AddResourcesFile(file, 0);
        data->Load();
        m_bytesLoaded += BytesRead() - before;
        ++m_loads;
        return data;
    }

private:
    void FindDensestLevel()
    {
        const TestSupport::GeneratedLevelBed::LevelPlace densest = m_play.FindDensestLevel(kLives);
        m_stage = densest.stage;
        m_level = densest.level;
        m_blockCount = static_cast<u32>(densest.blocks);
    }

    // Balls lost below the bat come back, bonuses keep falling (none that splits: the balls stay 18) and the
    // gun never runs dry.
    void KeepEverythingInPlay()
    {
        GameLogic& logic = *m_play.logic;
        Korvane::BallManager& balls = logic.GetBallManager();
        while (balls.GetBalls().size() < kBalls)
            balls.AddFreeBall(Korvane::BallKind::Simple, Vector2(RandomSignedFloat() * 60.0f, -40.0f),
                              Vector2(RandomSignedFloat(), 1.0f));
        Korvane::BonusManager& bonuses = logic.GetBonusManager();
        static constexpr u32 kKinds[] = {GameLogic::BonusBatIncrease, GameLogic::BonusBallsSlowDown,
                                         GameLogic::BonusSuperBall, GameLogic::BonusArbalest};
        while (bonuses.GetBonuses().size() < kFallingBonuses)
            bonuses.SpawnBonus(Vector2(RandomSignedFloat() * 60.0f, 40.0f + 20.0f * RandomFloat()),
                               kKinds[m_bonusesSpawned++ % std::size(kKinds)]);
        Korvane::Gun& arbalest = logic.GetGun(0);
        if (arbalest.Charges() < 2)
            arbalest.AddCharges(GameLogic::ArbalestShots);
    }

    TestSupport::GeneratedLevelBed m_play;
    double m_startUpPeak = 0.0;
    u32 m_stage = 0;
    u32 m_level = 0;
    u32 m_blockCount = 0;
    u32 m_bonusesSpawned = 0;
    long long m_bytesLoaded = 0;
    int m_loads = 0;
};

DenseLevelFrames& TheLevel()
{
    static DenseLevelFrames level;
    return level;
}

void LevelFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.Restart();
    for (auto _ : state)
        level.PlayFrame(state);
}

void EngineFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.Restart();
    for (auto _ : state)
        level.EngineFrame(state);
}

void LogicFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.Restart();
    for (auto _ : state)
        level.LogicFrame(state);
}

void EmptyFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.EndLevel();
    for (auto _ : state)
        level.EmptyFrame();
}

void LevelLoad(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.EndLevel();
    for (auto _ : state)
    {
        std::unique_ptr<Korvane::GameLogicData> loaded = level.LoadLevel();
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.counters["bytes read"] = level.GetBytesPerLoad();
}

// As many bytes as one load read, in plain freads from the start of the pack (wrapping round at its end).
void ReadLoadedBytes(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    if (level.GetBytesPerLoad() <= 0.0)
    {
        level.EndLevel();
        level.LoadLevel();
    }
    const auto bytes = static_cast<long long>(level.GetBytesPerLoad());
    std::FILE* pack = std::fopen(KORVANE_DATA_ROOT "/data/pack0.pak", "rb");
    if (pack == nullptr || bytes <= 0)
    {
        state.SkipWithError("no pack, or the load read nothing");
        if (pack != nullptr)
            std::fclose(pack);
        return;
    }
    std::vector<char> buffer(kReadChunk);
    for (auto _ : state)
    {
        std::rewind(pack);
        for (long long left = bytes; left > 0;)
        {
            const size_t got = std::fread(buffer.data(), 1, std::min<long long>(left, kReadChunk), pack);
            if (got == 0)
                std::rewind(pack);
            left -= static_cast<long long>(got);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    std::fclose(pack);
}
}

BENCHMARK(LevelFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(EngineFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(LogicFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(LevelLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kLoads);
BENCHMARK(ReadLoadedBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // The software renderer's threads feel every busy moment of the machine: the repetitions of the frames
    // compared are run interleaved, so such a moment touches each of them alike.
    std::vector<char*> arguments(argv, argv + argc);
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaved);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(static_cast<int>(arguments.size()), arguments.data(), reporter);
    const DenseLevelFrames& level = TheLevel();
    const std::string where = level.Where();
    const std::string frames = "/iterations:" + std::to_string(kMeasuredFrames) + "/real_time";
    const double levelFrame = reporter.TimeOf("LevelFrame" + frames);
    const double engineFrame = reporter.TimeOf("EngineFrame" + frames);
    const double logicFrame = reporter.TimeOf("LogicFrame" + frames);
    const double emptyFrame = reporter.TimeOf("EmptyFrame" + frames);
    const double load = reporter.TimeOf("LevelLoad/iterations:" + std::to_string(kLoads) + "/real_time");
    const double read = reporter.TimeOf("ReadLoadedBytes/real_time");
    const auto ratio = [](double ours, double theirs) { return ours < 0.0 || theirs <= 0.0 ? -1.0 : ours / theirs; };
    const auto perSecond = [](double milliseconds) { return milliseconds <= 0.0 ? -1.0 : 1000.0 / milliseconds; };
    const std::string screen = " at 1024x768";
    reporter.PrintComputedRatio(where + " frame" + screen + ": with play / engine alone",
                                ratio(levelFrame, engineFrame), 1.2);
    reporter.PrintComputedRatio(where + " game logic alone / engine frame", ratio(logicFrame, engineFrame), 0.0);
    reporter.PrintComputedRatio(where + " frame" + screen + " / 60 Hz frame",
                                ratio(levelFrame * 1000.0, kFrameMicroseconds), 1.0);
    reporter.PrintMeasure(where + screen, perSecond(levelFrame), "frames/s", "empty frame", perSecond(emptyFrame),
                          60.0);
    reporter.PrintMeasure(where + " load", load, "ms", "fread of its bytes", read, 0.0);
    reporter.PrintMeasure("peak memory playing " + where, PeakMegabytes(), "MB", "engine and start-up data",
                          level.GetStartUpPeak(), 0.0);
    return 0;
}
