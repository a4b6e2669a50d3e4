// The whole game frame on the densest generated level, drawn by the engine where a player runs the game: the X11
// video driver, on a virtual display of 1920 x 1080 (the program starts itself again under xvfb-run), in a
// 1024 x 768 window with the display's refresh not waited for (the software renderer when there is no GPU).
// Frame: 18 balls, falling bonuses, a gun firing and the barrier up; the game logic runs and the engine draws,
// against the engine's frame of the same models with no play logic (the same level played the same way, its
// logic run between the engine's halves of the frame outside the time measured) and against an empty frame (no
// level). The first ratio is the play's share of
// the frame; the game logic's frame alone (nothing drawn) tells how much of that share is logic and how much the
// drawing of what the play adds (bullets, fragments, sparks). The frames per second go beside the empty frame's
// and against the 60 Hz budget.
// Full screen: the same frame with the game switched to full screen, its 1024 x 768 frame scaled up between
// black bars onto the whole 1920 x 1080 display, against the frame in the window: the processor time a frame takes
// (the drawing threads' too), as the median of the ratios of window and full-screen repetitions paired in the order
// they ran (interleaved). The same pair is measured where full screen shows the frame at its own size: before
// starting itself on the virtual display the program runs itself once on the offscreen driver, whose 1024 x 768
// desktop is the window's size.
// Load: the level keeper's load of that level (resource lists, block descriptions, geometry, models and
// textures) against reading as many bytes from the same pack with plain freads.
// Memory: the process's peak while the level is played three times over in the window, beside its peak with
// the engine and the start-up resources alone; and its peak once every frame above has run, full screen too, so
// that anything kept from one repetition to the next shows.
// KORVANE_IN_XVFB=1 runs the program on the display and video driver it is given instead (SDL_VIDEODRIVER);
// KORVANE_BENCH_EQUAL_SIZES=1 measures only the window and full-screen frames, on a window as large as the
// offscreen driver's desktop.
// Ratios and measures are printed in the forms bench/run-all.sh gathers.
#include "engine/core/Config.h"
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

#include <SDL2/SDL.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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
// Times the level is played from its start, drawn, for the peak memory: a frame that kept something each time
// would show.
constexpr int kMemoryPlays = 3;
constexpr const char* kVirtualDisplay = "-noreset -nolisten tcp -screen 0 1920x1080x24";
constexpr const char* kEqualSizes = "KORVANE_BENCH_EQUAL_SIZES";

bool MeasuresEqualSizes()
{
    return std::getenv(kEqualSizes) != nullptr;
}
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
        : m_play(KORVANE_DATA_ROOT, 18,
                 MeasuresEqualSizes() ? TestSupport::GeneratedLevelBed::Display::Offscreen
                                      : TestSupport::GeneratedLevelBed::Display::Window,
                 "1024x768x32")
    {
        m_play.frameTime = kFrameTime;
        m_startUpPeak = PeakMegabytes();
        FindDensestLevel();
        MeasurePlayingPeak();
        m_play.End();
    }

    std::string Where() const
    {
        return "level " + std::to_string(m_stage) + "_" + std::to_string(m_level) + " (" +
               std::to_string(m_blockCount) + " blocks)";
    }
    double GetStartUpPeak() const { return m_startUpPeak; }
    double GetPlayingPeak() const { return m_playingPeak; }
    // The window's size as the engine chose it, and the video driver and its desktop.
    std::string WindowSize()
    {
        std::string mode;
        m_play.GetEngine().GetConfig()->GetValueAsString(mode, "v_mode");
        return mode.substr(0, mode.rfind('x'));
    }
    std::string Desktop() const
    {
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        const char* driver = SDL_GetCurrentVideoDriver();
        return std::to_string(desktop.w) + "x" + std::to_string(desktop.h) + " " + (driver ? driver : "no video");
    }
    double GetBytesPerLoad() const { return m_loads == 0 ? 0.0 : static_cast<double>(m_bytesLoaded) / m_loads; }

    // Processor milliseconds a frame took in each repetition, in the order they ran, by full screen or not.
    void NoteFrameTime(bool fullScreen, double milliseconds) { m_frameTimes[fullScreen].push_back(milliseconds); }
    // The median of full screen's time over the window's, repetitions paired in the order they ran.
    double FullScreenOverWindow() const
    {
        const auto window = m_frameTimes.find(false), fullScreen = m_frameTimes.find(true);
        if (window == m_frameTimes.end() || fullScreen == m_frameTimes.end())
            return -1.0;
        std::vector<double> ratios;
        for (size_t pair = 0; pair < window->second.size() && pair < fullScreen->second.size(); ++pair)
            if (window->second[pair] > 0.0)
                ratios.push_back(fullScreen->second[pair] / window->second[pair]);
        return BenchSupport::RatioReporter::Median(ratios);
    }

    void UseFullScreen(bool fullScreen)
    {
        if (fullScreen == m_fullScreen)
            return;
        m_play.End();
        m_play.SetFullScreen(fullScreen);
        m_fullScreen = fullScreen;
    }

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
    void MeasurePlayingPeak()
    {
        for (int play = 0; play < kMemoryPlays; ++play)
        {
            Restart();
            for (int frame = 0; frame < kMeasuredFrames; ++frame)
            {
                KeepEverythingInPlay();
                m_play.logic->Click();
                m_play.Frame();
            }
        }
        m_playingPeak = PeakMegabytes();
    }

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
    double m_playingPeak = 0.0;
    bool m_fullScreen = false;
    u32 m_stage = 0;
    u32 m_level = 0;
    u32 m_blockCount = 0;
    u32 m_bonusesSpawned = 0;
    long long m_bytesLoaded = 0;
    int m_loads = 0;
    std::map<bool, std::vector<double>> m_frameTimes;
};

// The program measures where a player runs the game: the X11 driver, on a virtual display of its own larger than
// the window, so that the window is a normal one and full screen has a desktop to fill.
// Full screen at the window's own size: the program run once on the offscreen driver, its lines passed on.
void MeasureEqualSizes(char** argv, const char* self)
{
    std::vector<char*> arguments{const_cast<char*>(self)};
    for (char** argument = argv + 1; *argument != nullptr; ++argument)
        arguments.push_back(*argument);
    static char filter[] = "--benchmark_filter=^(FullScreen)?LevelFrame/";
    arguments.push_back(filter);
    arguments.push_back(nullptr);
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0)
    {
        setenv("KORVANE_IN_XVFB", "1", 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv(kEqualSizes, "1", 1);
        execv(self, arguments.data());
        std::perror("LevelFrameBench: running itself on the offscreen driver");
        std::_Exit(1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "LevelFrameBench: the frames at equal sizes were not measured\n");
}

void RunOnVirtualDisplay(char** argv)
{
    if (std::getenv("KORVANE_IN_XVFB") != nullptr)
        return;
    static char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    MeasureEqualSizes(argv, length > 0 ? self : argv[0]);
    setenv("KORVANE_IN_XVFB", "1", 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    static char program[] = "xvfb-run", automatic[] = "-a", server[] = "-s";
    static std::string display = kVirtualDisplay;
    std::vector<char*> arguments{program, automatic, server, display.data()};
    arguments.push_back(length > 0 ? self : argv[0]);
    for (char** argument = argv + 1; *argument != nullptr; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    execvp(program, arguments.data());
    std::perror("LevelFrameBench: xvfb-run (package xvfb) is needed");
    std::exit(1);
}

DenseLevelFrames& TheLevel()
{
    static DenseLevelFrames level;
    return level;
}

// Seconds of processor time the whole process has used, its drawing threads included (and the little work kept
// outside the time measured; not the display server's copy of the picture).
double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void PlayFrames(benchmark::State& state, bool fullScreen)
{
    DenseLevelFrames& level = TheLevel();
    level.UseFullScreen(fullScreen);
    level.Restart();
    const double start = ProcessSeconds();
    for (auto _ : state)
        level.PlayFrame(state);
    const double milliseconds = (ProcessSeconds() - start) * 1000.0 / static_cast<double>(state.iterations());
    state.counters["process CPU ms"] = milliseconds;
    level.NoteFrameTime(fullScreen, milliseconds);
}

void LevelFrame(benchmark::State& state) { PlayFrames(state, false); }

void FullScreenLevelFrame(benchmark::State& state) { PlayFrames(state, true); }

void EngineFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.UseFullScreen(false);
    level.Restart();
    for (auto _ : state)
        level.EngineFrame(state);
}

void LogicFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.UseFullScreen(false);
    level.Restart();
    for (auto _ : state)
        level.LogicFrame(state);
}

void EmptyFrame(benchmark::State& state)
{
    DenseLevelFrames& level = TheLevel();
    level.UseFullScreen(false);
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
BENCHMARK(FullScreenLevelFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(EngineFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(LogicFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kMeasuredFrames);
BENCHMARK(LevelLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kLoads);
BENCHMARK(ReadLoadedBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    RunOnVirtualDisplay(argv);
    setenv("SDL_VIDEODRIVER", "x11", 0);
    // The software renderer's threads feel every busy moment of the machine: the repetitions of the frames
    // compared are run interleaved, so such a moment touches each of them alike.
    std::vector<char*> arguments(argv, argv + argc);
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaved);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(static_cast<int>(arguments.size()), arguments.data(), reporter);
    DenseLevelFrames& level = TheLevel();
    const std::string where = level.Where();
    const std::string cpuFullScreen = " frame full screen on " + level.Desktop() + ", processor time / in the window";
    if (MeasuresEqualSizes())
    {
        reporter.PrintComputedRatio(where + cpuFullScreen + " (" + level.WindowSize() + ", equal sizes)",
                                    level.FullScreenOverWindow(), 1.05);
        return 0;
    }
    const std::string frames = "/iterations:" + std::to_string(kMeasuredFrames) + "/real_time";
    const double levelFrame = reporter.TimeOf("LevelFrame" + frames);
    const double fullScreenFrame = reporter.TimeOf("FullScreenLevelFrame" + frames);
    const double engineFrame = reporter.TimeOf("EngineFrame" + frames);
    const double logicFrame = reporter.TimeOf("LogicFrame" + frames);
    const double emptyFrame = reporter.TimeOf("EmptyFrame" + frames);
    const double load = reporter.TimeOf("LevelLoad/iterations:" + std::to_string(kLoads) + "/real_time");
    const double read = reporter.TimeOf("ReadLoadedBytes/real_time");
    const auto ratio = [](double ours, double theirs) { return ours < 0.0 || theirs <= 0.0 ? -1.0 : ours / theirs; };
    const auto perSecond = [](double milliseconds) { return milliseconds <= 0.0 ? -1.0 : 1000.0 / milliseconds; };
    const std::string window = " in a " + level.WindowSize() + " window";
    const std::string fullScreen = " full screen on " + level.Desktop();
    reporter.PrintComputedRatio(where + " frame" + window + ": with play / engine alone",
                                ratio(levelFrame, engineFrame), 1.2);
    reporter.PrintComputedRatio(where + " game logic alone / engine frame", ratio(logicFrame, engineFrame), 0.0);
    reporter.PrintComputedRatio(where + " frame" + window + " / 60 Hz frame",
                                ratio(levelFrame * 1000.0, kFrameMicroseconds), 1.0);
    reporter.PrintComputedRatio(where + cpuFullScreen + " (" + level.WindowSize() + ", scaled)",
                                level.FullScreenOverWindow(), 1.15);
    reporter.PrintMeasure(where + window + " (" + level.Desktop() + ")", perSecond(levelFrame), "frames/s",
                          "empty frame", perSecond(emptyFrame), 60.0);
    reporter.PrintMeasure(where + fullScreen, perSecond(fullScreenFrame), "frames/s", "in the window",
                          perSecond(levelFrame), 60.0);
    reporter.PrintMeasure(where + " load", load, "ms", "fread of its bytes", read, 0.0);
    reporter.PrintMeasure("peak memory playing " + where + window, level.GetPlayingPeak(), "MB",
                          "engine and start-up data", level.GetStartUpPeak(), 0.0);
    reporter.PrintMeasure("peak memory after every frame measured", PeakMegabytes(), "MB", "playing in the window",
                          level.GetPlayingPeak(), 0.0);
    return 0;
}
