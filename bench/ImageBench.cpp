// Decoding 1024 x 1024 JPEG, TGA and BMP pictures through Image::Load, against libjpeg decoding the same JPEG
// files into memory in this process (djpeg, a child process per file, is shown for information) and against a
// plain read of the same bytes; prints the ratios at the end.
#include "bench/support/RatioReporter.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/files/Image.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdio>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace VelkorEngine;

namespace
{
constexpr u32 Side = 1024;
constexpr u32 PicturesPerKind = 4;
const char* const Kinds[] = {"jpg", "tga", "bmp"};

// Photograph-like content: smooth gradients with some noise, so the JPEG coder has real work to do.
ImageTest::Picture MakePhoto(u32 seed)
{
    ImageTest::Picture picture = ImageTest::MakeGradient(Side, Side, 3);
    const ImageTest::Picture noise = ImageTest::MakePattern(Side, Side, 3, seed);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = static_cast<u8>(picture.pixels[i] * 7 / 8 + noise.pixels[i] / 8);
    return picture;
}

struct Pictures
{
    Pictures()
    {
        for (u32 i = 0; i < PicturesPerKind; ++i)
        {
            const ImageTest::Picture photo = MakePhoto(i + 1);
            Write("jpg", i, ImageTest::MakeJpeg(photo, 90));
            Write("tga", i, ImageTest::MakeTga(photo));
            Write("bmp", i, ImageTest::MakeBmp(photo));
        }
    }

    void Write(const std::string& kind, u32 index, const std::vector<u8>& bytes)
    {
        const std::string name = "picture" + std::to_string(index) + "." + kind;
        ImageTest::WriteBytes(folder / name, bytes);
        names[kind].push_back(name);
    }

    TestSupport::TempFolder folder;
    std::map<std::string, std::vector<std::string>> names;
    MessageManager log{"bench", 0, 0, "", ""};
    FileManager files{&log, folder.Path(), ""};
};

Pictures& Shared()
{
    static Pictures pictures;
    return pictures;
}

void LoadThroughImage(benchmark::State& state, const std::string& kind)
{
    Pictures& pictures = Shared();
    for (auto _ : state)
        for (const std::string& name : pictures.names[kind])
        {
            Image image;
            if (!image.Load(&pictures.log, &pictures.files, name))
                state.SkipWithError(("cannot load " + name).c_str());
            benchmark::DoNotOptimize(image.GetData());
        }
}

void PlainRead(benchmark::State& state, const std::string& kind)
{
    Pictures& pictures = Shared();
    std::vector<u8> buffer;
    for (auto _ : state)
        for (const std::string& name : pictures.names[kind])
        {
            std::FILE* file = std::fopen((pictures.folder / name).c_str(), "rb");
            std::fseek(file, 0, SEEK_END);
            buffer.resize(static_cast<size_t>(std::ftell(file)));
            std::fseek(file, 0, SEEK_SET);
            benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
            std::fclose(file);
        }
}

// What a program that only wants the pixels does: read the file, decode it with libjpeg into one buffer.
bool DecodeWithLibjpeg(const std::string& path, std::vector<u8>& bytes, std::vector<u8>& pixels)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!read)
        return false;
    jpeg_decompress_struct decompressor;
    jpeg_error_mgr errors;
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, bytes.data(), bytes.size());
    jpeg_read_header(&decompressor, TRUE);
    decompressor.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decompressor);
    const size_t row = static_cast<size_t>(decompressor.output_width) * decompressor.output_components;
    pixels.resize(row * decompressor.output_height);
    while (decompressor.output_scanline < decompressor.output_height)
    {
        JSAMPROW line = pixels.data() + (decompressor.output_height - 1 - decompressor.output_scanline) * row;
        jpeg_read_scanlines(&decompressor, &line, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return true;
}

void Libjpeg(benchmark::State& state)
{
    Pictures& pictures = Shared();
    std::vector<u8> bytes, pixels;
    for (auto _ : state)
        for (const std::string& name : pictures.names["jpg"])
        {
            if (!DecodeWithLibjpeg(pictures.folder / name, bytes, pixels))
                state.SkipWithError(("cannot decode " + name).c_str());
            benchmark::DoNotOptimize(pixels.data());
        }
}

bool RunDjpeg(const std::string& path)
{
    std::string program = "djpeg", outfile = "-outfile", null = "/dev/null", input = path;
    char* arguments[] = {program.data(), outfile.data(), null.data(), input.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "djpeg", nullptr, nullptr, arguments, environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Djpeg(benchmark::State& state)
{
    Pictures& pictures = Shared();
    for (auto _ : state)
        for (const std::string& name : pictures.names["jpg"])
            if (!RunDjpeg((pictures.folder / name)))
                state.SkipWithError("djpeg (libjpeg-turbo-progs) did not run");
}
}

int main(int argc, char** argv)
{
    for (const char* kind : Kinds)
    {
        benchmark::RegisterBenchmark((std::string("ImageLoad/") + kind).c_str(), LoadThroughImage, std::string(kind))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("PlainRead/") + kind).c_str(), PlainRead, std::string(kind))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Libjpeg/jpg", Libjpeg)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Djpeg/jpg", Djpeg)->Unit(benchmark::kMillisecond);

    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("JPEG 1024x1024 Image::Load / libjpeg into memory", "ImageLoad/jpg", "Libjpeg/jpg", 1.1);
    reporter.PrintRatio("JPEG 1024x1024 Image::Load / djpeg processes", "ImageLoad/jpg", "Djpeg/jpg", 0);
    reporter.PrintRatio("JPEG 1024x1024 Image::Load / plain read", "ImageLoad/jpg", "PlainRead/jpg", 0);
    reporter.PrintRatio("TGA 1024x1024 Image::Load / plain read", "ImageLoad/tga", "PlainRead/tga", 0);
    reporter.PrintRatio("BMP 1024x1024 Image::Load / plain read", "ImageLoad/bmp", "PlainRead/bmp", 0);
    return 0;
}
