// The CPU time of a frame of the engine's demonstration scene (a turning windmill and crate on a floor, sparks,
// a light; the smoke test's scene) drawn by the whole engine on the offscreen video driver at 800 x 600 with the
// display's refresh not waited for: all of the process's threads counted, the software renderer's included.
// The engine's way (vertices that held still since their previous draw drawn from buffers of the device, sent
// again only after a change; vertices written every frame handed over from memory) against the same frames with
// every draw handing the device its vertices in memory, as the engine drew before and still does where the
// device makes no vertex buffer. Ratio 1 means the device's buffers save nothing; below 1, the share of the
// frame they save. The frame's CPU time is also set against half of the 7.3 ms such a frame cost before the
// engine drew into the window directly, paced its frames and kept its vertices on the device: a ratio at or
// below 1 means the frame costs half of that or less. The main thread's share of each frame (the engine and the
// driver's front end, without the rasteriser's threads) is printed beside it. The rasteriser's threads draw a
// frame while the next is prepared, and their time reaches the process's clock late, so one frame's time alone
// says little: the last frame of a run waits until everything is drawn (glFinish), which makes the frames' times
// add up to the run's, and their mean is the frame's cost. The clock is a fake one, so every run draws the same
// frames.
#include "engine/core/Engine.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "tests/support/EngineSmokeData.h"
#include "tests/support/EngineSmokeScene.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TempFolder.h"

#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <SDL2/SDL_opengl.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr int kMeasuredFrames = 300;
constexpr double kFrameSeconds = 1.0 / 60.0;
// Half of what the frame cost before (7.3 ms of CPU offscreen), in the benchmarks' unit.
constexpr double kHalfOfEarlierFrameMs = 3.65;

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

EngineParameters SmokeParameters(const std::string& installation)
{
    EngineParameters parameters;
    parameters.applicationName = "Smoke Frame Bench";
    parameters.version = 100;
    parameters.basePath = installation;
    parameters.dataFolder = "Data";
    parameters.settingsName = "smoke";
    parameters.settingsDirectory = installation;
    parameters.defaultVideoMode = "800x600x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    return parameters;
}

// One engine with the scene for the whole program; its frames run on a fake clock.
struct SmokeBed
{
    SmokeBed()
    {
        TestSupport::WriteEngineSmokeData(folder.Path());
        std::ofstream(folder.Path() + "/smoke.ini") << "v_vsync 0\r\n";
        clock.SetMilliseconds(5000);
        engine = std::make_unique<Engine>(SmokeParameters(folder.Path()));
        scene = std::make_unique<TestSupport::EngineSmokeScene>(*engine);
        render = dynamic_cast<RenderSystem_D3D7*>(engine->GetRenderSystem());
    }

    void Frame()
    {
        clock.AdvanceSeconds(kFrameSeconds);
        engine->Render();
        scene->Update();
        engine->Frame(0);
    }

    TestSupport::TempFolder folder;
    TestSupport::FakeClock clock;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<TestSupport::EngineSmokeScene> scene;
    RenderSystem_D3D7* render = nullptr;
};

SmokeBed& TheBed()
{
    static SmokeBed bed;
    return bed;
}

// Main-thread CPU seconds per frame of each way, over all of its runs.
std::vector<double> g_mainThread[2];

// The iteration's time is the process's CPU time; the frames before the first measured one settle the way
// chosen (buffers made, vertices sent).
void RunFrames(benchmark::State& state, bool deviceBuffers)
{
    SmokeBed& bed = TheBed();
    if (!bed.render)
    {
        state.SkipWithError("no Direct3D render system");
        return;
    }
    bed.render->SetDeviceVertexBuffers(deviceBuffers);
    for (int i = 0; i < 10; ++i)
        bed.Frame();
    glFinish();
    double mainThread = 0.0;
    benchmark::IterationCount left = state.max_iterations;
    for (auto _ : state)
    {
        const double process = Seconds(CLOCK_PROCESS_CPUTIME_ID), thread = Seconds(CLOCK_THREAD_CPUTIME_ID);
        bed.Frame();
        if (--left == 0)
            glFinish();
        mainThread += Seconds(CLOCK_THREAD_CPUTIME_ID) - thread;
        state.SetIterationTime(Seconds(CLOCK_PROCESS_CPUTIME_ID) - process);
    }
    g_mainThread[deviceBuffers ? 1 : 0].push_back(mainThread / static_cast<double>(state.iterations()));
}

void SmokeFrameDeviceBuffers(benchmark::State& state) { RunFrames(state, true); }
void SmokeFrameFromMemory(benchmark::State& state) { RunFrames(state, false); }
}

BENCHMARK(SmokeFrameDeviceBuffers)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kMeasuredFrames);
BENCHMARK(SmokeFrameFromMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kMeasuredFrames);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::vector<char*> arguments(argv, argv + argc);
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaved);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(static_cast<int>(arguments.size()), arguments.data(), reporter);
    const std::string frames = "/iterations:" + std::to_string(kMeasuredFrames) + "/manual_time";
    const std::string buffers = "SmokeFrameDeviceBuffers" + frames, memory = "SmokeFrameFromMemory" + frames;
    // For information: on the software driver the rasteriser's threads take nearly all of the frame.
    reporter.PrintRatio("smoke frame CPU: vertex buffers on the device / vertices from memory", buffers, memory, 0.0);
    const double frame = reporter.TimeOf(buffers);
    reporter.PrintComputedRatio("smoke frame CPU / half of the 7.3 ms it cost before",
                                frame < 0.0 ? -1.0 : frame / kHalfOfEarlierFrameMs, 1.0);
    const double milliseconds = 1000.0;
    const double bufferThread = BenchSupport::RatioReporter::Median(g_mainThread[1]);
    const double memoryThread = BenchSupport::RatioReporter::Median(g_mainThread[0]);
    reporter.PrintMeasure("smoke frame, main thread's CPU per frame",
                          bufferThread < 0.0 ? -1.0 : bufferThread * milliseconds, "ms",
                          "vertices from memory", memoryThread < 0.0 ? -1.0 : memoryThread * milliseconds, 0.0);
    reporter.PrintMeasure("smoke frame, process CPU per frame", frame, "ms", "vertices from memory",
                          reporter.TimeOf(memory), 0.0);
    return 0;
}
