// Sound costs: mixing 32 playing voices (half of them streamed Ogg Vorbis, refilled every frame) for 10 s of
// audio, as CPU time per second of audio (the stream refills of the sound manager's update counted, the mean
// of the iterations); and Ogg Vorbis decoding through our reader against vorbisfile decoding the same file
// into memory in this process (oggdec, a child process, is shown for information). All are printed as ratios
// at the end, in the form bench/run-all.sh gathers.
#include "engine/sound/Sound.h"
#include "engine/sound/SoundFileReaderOGG.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestRig.h"
#include "tests/support/SoundTestSignals.h"

#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr std::uint32_t OutputRate = 22050;
constexpr std::uint32_t AudioSeconds = 10;
constexpr std::uint32_t FramesPerGameFrame = OutputRate / 60;
constexpr std::uint32_t Voices = 32;

struct MixResults
{
    double mixSeconds = 0.0;
    double frameSeconds = 0.0;
};
MixResults g_results;

// CPU time of this thread: the mixer runs here (there is no audio device), so load from other programs on
// the machine does not count.
double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Half the voices loop short static effects of every format the mixer knows; the other half stream
// music of 8 s at 44.1 kHz stereo (1.4 MB decoded), each sound with a reader of its own.
void StartVoices(TestSupport::SoundTestRig& rig)
{
    const TestSupport::SoundWavFormat formats[] = {{1, 2, 22050, 16}, {1, 1, 44100, 16}, {1, 1, 11025, 8}, {1, 2, 32000, 8}};
    for (std::uint32_t i = 0; i < 4; ++i)
        rig.World().WriteData("effect" + std::to_string(i) + ".wav",
                              TestSupport::MakeSoundWav(formats[i], TestSupport::MakeSoundRamp(20000, i + 1)));
    rig.World().WriteData("music.ogg", TestSupport::MakeSoundOgg(2, 44100, TestSupport::MakeSoundMusic(44100 * 8, 2, 44100)));
    for (std::uint32_t i = 0; i < Voices; ++i)
    {
        const bool streamed = i % 2 == 1;
        Sound* sound = rig.Manager().CreateSound(streamed ? "music.ogg" : "effect" + std::to_string(i % 4) + ".wav");
        sound->SetLooping(1);
        sound->SetVolume(0.2f);
        sound->SetTempo(1.0f + 0.01f * static_cast<float>(i % 5));
        rig.Manager().Play(sound, SoundManager::Immediately);
    }
}

void MixVoices(benchmark::State& state)
{
    TestSupport::SoundTestRig rig;
    StartVoices(rig);
    double mixTotal = 0.0;
    double frameTotal = 0.0;
    int iterations = 0;
    for (auto _ : state)
    {
        double mixing = 0.0;
        const double start = ThreadCpuSeconds();
        for (std::uint32_t done = 0; done < OutputRate * AudioSeconds; done += FramesPerGameFrame)
        {
            const double before = ThreadCpuSeconds();
            benchmark::DoNotOptimize(rig.Render(FramesPerGameFrame));
            mixing += ThreadCpuSeconds() - before;
            rig.Manager().Update(SoundManager::ProcessQueue);
        }
        mixTotal += mixing / AudioSeconds;
        frameTotal += (ThreadCpuSeconds() - start) / AudioSeconds;
        ++iterations;
    }
    g_results.mixSeconds = iterations ? mixTotal / iterations : 0.0;
    g_results.frameSeconds = iterations ? frameTotal / iterations : 0.0;
    state.counters["mix_per_audio_s"] = g_results.mixSeconds;
    state.counters["with_refills_per_audio_s"] = g_results.frameSeconds;
}

struct DecodeFile
{
    TestSupport::SoundTestWorld world;
    std::string path;

    DecodeFile()
    {
        world.WriteData("decode.ogg", TestSupport::MakeSoundOgg(2, 44100, TestSupport::MakeSoundMusic(44100 * 30, 2, 44100)));
        path = (std::filesystem::path(world.Files()->GetBaseFolder()) / "data" / "decode.ogg").string();
    }
};

DecodeFile& File()
{
    static DecodeFile file;
    return file;
}

void DecodeWithReader(benchmark::State& state)
{
    DecodeFile& file = File();
    std::vector<std::uint8_t> chunk(32768);
    for (auto _ : state)
    {
        SoundFileReaderOGG reader(file.world.Log(), file.world.Files(), "decode.ogg");
        u8 end = 0;
        while (!end)
        {
            u32 read = 0;
            reader.Read(chunk.data(), static_cast<u32>(chunk.size()), read, end);
            benchmark::DoNotOptimize(chunk.data());
        }
    }
}

void DecodeWithVorbisfile(benchmark::State& state)
{
    DecodeFile& file = File();
    std::vector<char> chunk(32768);
    for (auto _ : state)
    {
        OggVorbis_File decoder;
        if (ov_fopen(file.path.c_str(), &decoder) != 0)
        {
            state.SkipWithError("vorbisfile cannot open the file");
            return;
        }
        int bitstream = 0;
        while (ov_read(&decoder, chunk.data(), static_cast<int>(chunk.size()), 0, 2, 1, &bitstream) > 0)
            benchmark::DoNotOptimize(chunk.data());
        ov_clear(&decoder);
    }
}

void DecodeWithOggdec(benchmark::State& state)
{
    const std::string command = "oggdec -Q -o /dev/null '" + File().path + "'";
    for (auto _ : state)
    {
        if (std::system(command.c_str()) != 0)
        {
            state.SkipWithError("oggdec is not installed (scripts/install-deps.sh installs vorbis-tools)");
            return;
        }
    }
}
}

BENCHMARK(MixVoices)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DecodeWithReader)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DecodeWithVorbisfile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DecodeWithOggdec)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    // Mixing is measured against the audio it makes: the CPU share of one core.
    const std::string voices = std::to_string(Voices);
    // Zero: the mixing benchmark did not run.
    const auto measured = [](double share) { return share > 0.0 ? share : -1.0; };
    reporter.PrintComputedRatio("mixing " + voices + " voices with stream refills: CPU time / audio time",
                                measured(g_results.frameSeconds), 0.02);
    reporter.PrintComputedRatio("mixing " + voices + " voices, mixing alone: CPU time / audio time",
                                measured(g_results.mixSeconds), 0.0);
    reporter.PrintRatio("Ogg Vorbis decoding: reader / vorbisfile into memory", "DecodeWithReader/real_time",
                        "DecodeWithVorbisfile/real_time", 1.1);
    reporter.PrintRatio("Ogg Vorbis decoding: reader / oggdec process", "DecodeWithReader/real_time",
                        "DecodeWithOggdec/real_time", 0);
    return 0;
}
