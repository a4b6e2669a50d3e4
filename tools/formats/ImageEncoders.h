// The one TGA, BMP and JPEG encoder of the project, for pictures in the engine's layout. The generator's
// picture writers and the image tests (which also need the less usual layouts: top-down rows, image ids,
// gaps before the pixels, larger headers, palettes, CMYK) both go through it.
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <cstddef>
#include <vector>

namespace KorvaneTools
{
// Row 0 is the bottom row; bytes red, green, blue (alpha) per pixel, or one grey byte. Four-channel JPEG
// pictures are taken as CMYK.
struct PixelRows
{
    VelkorEngine::u32 width = 0;
    VelkorEngine::u32 height = 0;
    VelkorEngine::u32 channels = 3;
    const VelkorEngine::u8* pixels = nullptr;

    const VelkorEngine::u8* Pixel(VelkorEngine::u32 x, VelkorEngine::u32 y) const
    {
        return pixels + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};

struct TgaLayout
{
    bool runLength = true;
    bool topDown = false;
    VelkorEngine::u8 idLength = 0;
};

struct BmpLayout
{
    bool topDown = false;
    // Extra bytes between the headers (and palette) and the pixels, announced by the data offset.
    VelkorEngine::u32 gapBeforePixels = 0;
    // The information header's size: 40, or a later version's (zeros past 40 bytes).
    VelkorEngine::u32 infoSize = 40;
};

using BmpPalette = std::array<std::array<VelkorEngine::u8, 3>, 256>; // red, green, blue per index

// One-channel pictures become grey TGA files (type 3 or 11).
std::vector<VelkorEngine::u8> EncodeTga(const PixelRows& rows, const TgaLayout& layout = {});
// One-channel pictures become 8-bit files whose bytes index the palette (grey when none is given).
std::vector<VelkorEngine::u8> EncodeBmp(const PixelRows& rows, const BmpLayout& layout = {},
                                        const BmpPalette* palette = nullptr);
// Progressive files carry the picture in several scans (the baseline form is what the generator writes).
std::vector<VelkorEngine::u8> EncodeJpeg(const PixelRows& rows, int quality, bool progressive = false);
}
