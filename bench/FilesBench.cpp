// Reading every file of a 64 MiB data set of 1,000 files through the file manager, once from a pack and once
// loose, against a plain fread loop over the loose files; prints the ratios of the three. The generated data
// set is read the same way, from its pack and from its loose tree, for a ratio of the game's own files.
#include "bench/support/RatioReporter.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "tests/support/TempFolder.h"
#include "tools/pak/PackWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr int FileCount = 1000;
constexpr size_t FileSize = (64u << 20) / FileCount;

std::string EntryName(int index)
{
    return "data\\bench\\file" + std::to_string(index) + ".bin";
}

// The data set, made once: "packed" holds Data/pack0.pak, "loose" the same files one by one.
struct DataSet
{
    TestSupport::TempFolder folder;
    std::vector<std::string> names;

    DataSet()
    {
        std::vector<KorvaneTools::PackEntry> entries;
        std::filesystem::create_directories(folder / "loose/data/bench");
        std::filesystem::create_directories(folder / "packed/Data");
        for (int i = 0; i < FileCount; ++i)
        {
            std::vector<u8> bytes(FileSize, static_cast<u8>(i));
            std::ofstream(folder / ("loose/data/bench/file" + std::to_string(i) + ".bin"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            names.push_back(EntryName(i));
            entries.push_back({names.back(), std::move(bytes)});
        }
        KorvaneTools::WritePack(folder / "packed/Data/pack0.pak", entries);
    }
};

DataSet& Data()
{
    static DataSet data;
    return data;
}

void ReadEverything(benchmark::State& state, const std::string& base)
{
    MessageManager log("Bench", 0, 0, "", "");
    FileManager files(&log, base, "Data");
    std::vector<u8> buffer(FileSize);
    for (auto _ : state)
    {
        for (const std::string& name : Data().names)
        {
            auto file = files.OpenBinary(name, FileBinary::ForReading, FileBinary::ReadAsNeeded);
            file->Read(buffer.data(), file->GetSize());
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize) * FileCount);
}

void PackThroughFileManager(benchmark::State& state)
{
    ReadEverything(state, Data().folder / "packed");
}

void LooseThroughFileManager(benchmark::State& state)
{
    ReadEverything(state, Data().folder / "loose");
}

void PlainFreadLoop(benchmark::State& state)
{
    std::vector<std::string> paths;
    for (int i = 0; i < FileCount; ++i)
        paths.push_back(Data().folder / ("loose/data/bench/file" + std::to_string(i) + ".bin"));
    std::vector<u8> buffer(FileSize);
    for (auto _ : state)
    {
        for (const std::string& path : paths)
        {
            std::FILE* file = std::fopen(path.c_str(), "rb");
            std::fseek(file, 0, SEEK_END);
            const long size = std::ftell(file);
            std::fseek(file, 0, SEEK_SET);
            benchmark::DoNotOptimize(std::fread(buffer.data(), 1, static_cast<size_t>(size), file));
            std::fclose(file);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileSize) * FileCount);
}

// The generated data set: its files as the manifest lists them; the pack lies in "data" beside nothing loose,
// the loose tree is reached through a "data" link to the stage folder.
struct GeneratedSet
{
    TestSupport::TempFolder folder;
    std::vector<std::string> names;

    GeneratedSet()
    {
        std::ifstream manifest(std::string(KORVANE_DATA_STAGE) + "/manifest.txt");
        for (std::string line; std::getline(manifest, line);)
        {
            std::string name = "data\\" + line.substr(0, line.find(' '));
            std::replace(name.begin(), name.end(), '/', '\\');
            names.push_back(name);
        }
        std::filesystem::create_directories(folder / "packed/data");
        std::filesystem::copy_file(KORVANE_DATA_PACK, folder / "packed/data/pack0.pak");
        std::filesystem::create_directories(folder / "loose");
        std::filesystem::create_directory_symlink(KORVANE_DATA_STAGE, folder / "loose/data");
    }
};

GeneratedSet& Generated()
{
    static GeneratedSet generated;
    return generated;
}

void ReadGenerated(benchmark::State& state, const std::string& base)
{
    MessageManager log("Bench", 0, 0, "", "");
    FileManager files(&log, base, "data");
    std::vector<u8> buffer;
    for (auto _ : state)
        for (const std::string& name : Generated().names)
        {
            auto file = files.OpenBinary(name, FileBinary::ForReading, FileBinary::ReadAsNeeded);
            buffer.resize(file->GetSize());
            file->Read(buffer.data(), file->GetSize());
            benchmark::DoNotOptimize(buffer.data());
        }
}

void GeneratedPackThroughFileManager(benchmark::State& state)
{
    ReadGenerated(state, Generated().folder / "packed");
}

void GeneratedLooseThroughFileManager(benchmark::State& state)
{
    ReadGenerated(state, Generated().folder / "loose");
}

BENCHMARK(PackThroughFileManager)->Unit(benchmark::kMillisecond);
BENCHMARK(LooseThroughFileManager)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFreadLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(GeneratedPackThroughFileManager)->Unit(benchmark::kMillisecond);
BENCHMARK(GeneratedLooseThroughFileManager)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("pack / loose through the file manager", "PackThroughFileManager", "LooseThroughFileManager",
                        1.0);
    reporter.PrintRatio("pack through the file manager / plain fread loop", "PackThroughFileManager", "PlainFreadLoop",
                        0.0);
    reporter.PrintRatio("loose through the file manager / plain fread loop", "LooseThroughFileManager",
                        "PlainFreadLoop", 1.5);
    reporter.PrintRatio("generated data set: pack / loose through the file manager", "GeneratedPackThroughFileManager",
                        "GeneratedLooseThroughFileManager", 1.0);
    return 0;
}
