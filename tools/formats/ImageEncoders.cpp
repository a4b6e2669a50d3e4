// TGA, BMP and JPEG encoding.
#include "tools/formats/ImageEncoders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>

namespace KorvaneTools
{
using VelkorEngine::u32;
using VelkorEngine::u8;

namespace
{
void Put16(std::vector<u8>& out, u32 value)
{
    out.push_back(static_cast<u8>(value));
    out.push_back(static_cast<u8>(value >> 8));
}

void Put32(std::vector<u8>& out, u32 value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void CheckRows(const PixelRows& rows)
{
    if (rows.width == 0 || rows.height == 0 || rows.pixels == nullptr ||
        (rows.channels != 1 && rows.channels != 3 && rows.channels != 4))
        throw std::invalid_argument("picture without pixels or with an unknown channel count");
}

// The pixel as TGA and BMP store it: blue, green, red (alpha), or the grey byte.
void AppendFilePixel(std::vector<u8>& out, const PixelRows& rows, u32 x, u32 y)
{
    const u8* p = rows.Pixel(x, y);
    if (rows.channels == 1)
    {
        out.push_back(p[0]);
        return;
    }
    out.insert(out.end(), {p[2], p[1], p[0]});
    if (rows.channels == 4)
        out.push_back(p[3]);
}

std::vector<u8> PixelStream(const PixelRows& rows, bool topDown)
{
    std::vector<u8> stream;
    stream.reserve(static_cast<size_t>(rows.width) * rows.height * rows.channels);
    for (u32 row = 0; row < rows.height; ++row)
    {
        const u32 y = topDown ? rows.height - 1 - row : row;
        for (u32 x = 0; x < rows.width; ++x)
            AppendFilePixel(stream, rows, x, y);
    }
    return stream;
}

// Repeat packets for runs of two or more equal pixels, raw packets for the rest; at most 128 pixels each.
// Runs may cross rows, as the format allows.
std::vector<u8> RunLengthEncode(const std::vector<u8>& stream, u32 pixelSize)
{
    const size_t count = stream.size() / pixelSize;
    auto same = [&](size_t a, size_t b) {
        return std::memcmp(&stream[a * pixelSize], &stream[b * pixelSize], pixelSize) == 0;
    };
    std::vector<u8> out;
    size_t i = 0;
    while (i < count)
    {
        size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run))
            ++run;
        if (run >= 2)
        {
            out.push_back(static_cast<u8>(0x80 | (run - 1)));
            out.insert(out.end(), stream.begin() + static_cast<long>(i * pixelSize),
                       stream.begin() + static_cast<long>((i + 1) * pixelSize));
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1)))
            ++raw;
        out.push_back(static_cast<u8>(raw - 1));
        out.insert(out.end(), stream.begin() + static_cast<long>(i * pixelSize),
                   stream.begin() + static_cast<long>((i + raw) * pixelSize));
        i += raw;
    }
    return out;
}
}

std::vector<u8> EncodeTga(const PixelRows& rows, const TgaLayout& layout)
{
    CheckRows(rows);
    std::vector<u8> out;
    out.push_back(layout.idLength);
    out.push_back(0);
    out.push_back(static_cast<u8>((rows.channels == 1 ? 3 : 2) | (layout.runLength ? 8 : 0)));
    Put16(out, 0);
    Put16(out, 0);
    out.push_back(0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, rows.width);
    Put16(out, rows.height);
    out.push_back(static_cast<u8>(rows.channels * 8));
    out.push_back(static_cast<u8>((layout.topDown ? 32 : 0) | (rows.channels == 4 ? 8 : 0)));
    for (u32 i = 0; i < layout.idLength; ++i)
        out.push_back(static_cast<u8>('A' + i % 26));
    std::vector<u8> stream = PixelStream(rows, layout.topDown);
    if (layout.runLength)
        stream = RunLengthEncode(stream, rows.channels);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

std::vector<u8> EncodeBmp(const PixelRows& rows, const BmpLayout& layout, const BmpPalette* palette)
{
    CheckRows(rows);
    const u32 stride = (rows.width * rows.channels + 3) & ~3u;
    const u32 paletteSize = rows.channels == 1 ? 1024 : 0;
    const u32 dataOffset = 14 + layout.infoSize + paletteSize + layout.gapBeforePixels;

    std::vector<u8> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, dataOffset + stride * rows.height);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, layout.infoSize);
    Put32(out, rows.width);
    Put32(out, layout.topDown ? static_cast<u32>(-static_cast<int>(rows.height)) : rows.height);
    Put16(out, 1);
    Put16(out, rows.channels * 8);
    Put32(out, 0);
    Put32(out, stride * rows.height);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    out.resize(14 + layout.infoSize, 0);
    for (u32 i = 0; i < paletteSize / 4; ++i)
    {
        const u8 grey = static_cast<u8>(i);
        const std::array<u8, 3> rgb = palette ? (*palette)[i] : std::array<u8, 3>{grey, grey, grey};
        out.insert(out.end(), {rgb[2], rgb[1], rgb[0], 0});
    }
    out.resize(out.size() + layout.gapBeforePixels, 0xEE);
    for (u32 row = 0; row < rows.height; ++row)
    {
        const u32 y = layout.topDown ? rows.height - 1 - row : row;
        const size_t start = out.size();
        for (u32 x = 0; x < rows.width; ++x)
            AppendFilePixel(out, rows, x, y);
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<u8> EncodeJpeg(const PixelRows& rows, int quality, bool progressive)
{
    CheckRows(rows);
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = rows.width;
    compressor.image_height = rows.height;
    compressor.input_components = static_cast<int>(rows.channels);
    compressor.in_color_space = rows.channels == 1 ? JCS_GRAYSCALE : rows.channels == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    // The file starts with the picture's top row, which is the engine's last row.
    while (compressor.next_scanline < compressor.image_height)
    {
        JSAMPROW row = const_cast<u8*>(rows.Pixel(0, rows.height - 1 - compressor.next_scanline));
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::vector<u8> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}
}
