// Builds TGA, BMP and JPEG files in memory from a picture, for the image reader tests and benchmarks.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace ImageTest
{
using VelkorEngine::u32;
using VelkorEngine::u8;

// Pixels in the engine's layout: row 0 is the bottom row, bytes red, green, blue (alpha) or one grey byte.
struct Picture
{
    u32 width = 0;
    u32 height = 0;
    u32 channels = 3;
    std::vector<u8> pixels;

    const u8* Pixel(u32 x, u32 y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * channels; }
};

// A deterministic picture with varied values in every channel.
Picture MakePattern(u32 width, u32 height, u32 channels, u32 seed = 1);
// A smooth picture that survives lossy compression with small errors.
Picture MakeGradient(u32 width, u32 height, u32 channels);

struct TgaOptions
{
    bool runLength = false;
    bool topDown = false;
    u8 idLength = 0;
};
std::vector<u8> MakeTga(const Picture& picture, const TgaOptions& options = {});

struct BmpOptions
{
    bool topDown = false;
    // Extra bytes between the headers (and palette) and the pixels, announced by the data offset.
    u32 gapBeforePixels = 0;
    // The information header's size: 40, or a larger later version (filled with zeros past 40 bytes).
    u32 infoSize = 40;
};
// 1-channel pictures become 8-bit files whose palette entry i holds PaletteColour(i).
std::vector<u8> MakeBmp(const Picture& picture, const BmpOptions& options = {});
// Red, green, blue of the test palette's entry.
void PaletteColour(u8 index, u8 rgb[3]);

// 1-channel pictures become greyscale files, 4-channel ones CMYK files (which the engine does not read).
std::vector<u8> MakeJpeg(const Picture& picture, int quality = 90, bool progressive = false);
// Decodes a JPEG with libjpeg directly, rows returned bottom first as the engine stores them.
Picture DecodeJpegReference(const std::vector<u8>& bytes);

void WriteBytes(const std::string& path, const std::vector<u8>& bytes);

}
