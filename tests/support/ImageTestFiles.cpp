// Writers of small TGA, BMP and JPEG files for the image tests; the JPEG side goes through libjpeg.
#include "tests/support/ImageTestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

namespace ImageTest
{
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

// The pixel as the file stores it: blue, green, red (alpha), or the grey byte.
std::vector<u8> FilePixel(const Picture& picture, u32 x, u32 y)
{
    const u8* p = picture.Pixel(x, y);
    if (picture.channels == 1)
        return {p[0]};
    std::vector<u8> bytes = {p[2], p[1], p[0]};
    if (picture.channels == 4)
        bytes.push_back(p[3]);
    return bytes;
}

std::vector<u8> TgaPixelStream(const Picture& picture, bool topDown)
{
    std::vector<u8> stream;
    for (u32 row = 0; row < picture.height; ++row)
    {
        const u32 y = topDown ? picture.height - 1 - row : row;
        for (u32 x = 0; x < picture.width; ++x)
        {
            const std::vector<u8> bytes = FilePixel(picture, x, y);
            stream.insert(stream.end(), bytes.begin(), bytes.end());
        }
    }
    return stream;
}

// Repeat packets for runs of two or more equal pixels, raw packets for the rest; at most 128 pixels each.
std::vector<u8> RunLengthEncode(const std::vector<u8>& stream, u32 pixelSize)
{
    const size_t count = stream.size() / pixelSize;
    auto same = [&](size_t a, size_t b) { return std::memcmp(&stream[a * pixelSize], &stream[b * pixelSize], pixelSize) == 0; };
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
            out.insert(out.end(), stream.begin() + i * pixelSize, stream.begin() + (i + 1) * pixelSize);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1)))
            ++raw;
        out.push_back(static_cast<u8>(raw - 1));
        out.insert(out.end(), stream.begin() + i * pixelSize, stream.begin() + (i + raw) * pixelSize);
        i += raw;
    }
    return out;
}
}

Picture MakePattern(u32 width, u32 height, u32 channels, u32 seed)
{
    Picture picture{width, height, channels, std::vector<u8>(static_cast<size_t>(width) * height * channels)};
    u32 state = seed * 2654435761u + 1;
    for (u8& byte : picture.pixels)
    {
        state = state * 1103515245u + 12345u;
        byte = static_cast<u8>(state >> 16);
    }
    return picture;
}

Picture MakeGradient(u32 width, u32 height, u32 channels)
{
    Picture picture{width, height, channels, std::vector<u8>(static_cast<size_t>(width) * height * channels)};
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x)
            for (u32 c = 0; c < channels; ++c)
                picture.pixels[(static_cast<size_t>(y) * width + x) * channels + c] =
                    static_cast<u8>((x * 255 / (width > 1 ? width - 1 : 1) * (c + 1) + y * 255 / (height > 1 ? height - 1 : 1)) / (c + 2));
    return picture;
}

std::vector<u8> MakeTga(const Picture& picture, const TgaOptions& options)
{
    std::vector<u8> out;
    out.push_back(options.idLength);
    out.push_back(0);
    out.push_back(static_cast<u8>((picture.channels == 1 ? 3 : 2) | (options.runLength ? 8 : 0)));
    Put16(out, 0);
    Put16(out, 0);
    out.push_back(0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, picture.width);
    Put16(out, picture.height);
    out.push_back(static_cast<u8>(picture.channels * 8));
    out.push_back(static_cast<u8>((options.topDown ? 32 : 0) | (picture.channels == 4 ? 8 : 0)));
    for (u32 i = 0; i < options.idLength; ++i)
        out.push_back(static_cast<u8>('A' + i % 26));
    std::vector<u8> stream = TgaPixelStream(picture, options.topDown);
    if (options.runLength)
        stream = RunLengthEncode(stream, picture.channels);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

void PaletteColour(u8 index, u8 rgb[3])
{
    rgb[0] = index;
    rgb[1] = static_cast<u8>(255 - index);
    rgb[2] = static_cast<u8>(index * 37);
}

std::vector<u8> MakeBmp(const Picture& picture, const BmpOptions& options)
{
    const u32 pixelSize = picture.channels;
    const u32 stride = (picture.width * pixelSize + 3) & ~3u;
    const u32 paletteSize = picture.channels == 1 ? 1024 : 0;
    const u32 dataOffset = 14 + options.infoSize + paletteSize + options.gapBeforePixels;
    const u32 fileSize = dataOffset + stride * picture.height;

    std::vector<u8> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, options.infoSize);
    Put32(out, picture.width);
    Put32(out, options.topDown ? static_cast<u32>(-static_cast<int>(picture.height)) : picture.height);
    Put16(out, 1);
    Put16(out, picture.channels * 8);
    Put32(out, 0);
    Put32(out, stride * picture.height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    out.resize(14 + options.infoSize, 0);
    for (u32 i = 0; i < paletteSize / 4; ++i)
    {
        u8 rgb[3];
        PaletteColour(static_cast<u8>(i), rgb);
        out.insert(out.end(), {rgb[2], rgb[1], rgb[0], 0});
    }
    out.resize(out.size() + options.gapBeforePixels, 0xEE);
    for (u32 row = 0; row < picture.height; ++row)
    {
        const u32 y = options.topDown ? picture.height - 1 - row : row;
        const size_t start = out.size();
        for (u32 x = 0; x < picture.width; ++x)
        {
            const std::vector<u8> bytes = FilePixel(picture, x, y);
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<u8> MakeJpeg(const Picture& picture, int quality, bool progressive)
{
    jpeg_compress_struct compressor;
    jpeg_error_mgr errors;
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = picture.width;
    compressor.image_height = picture.height;
    compressor.input_components = static_cast<int>(picture.channels);
    compressor.in_color_space = picture.channels == 1 ? JCS_GRAYSCALE : picture.channels == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    // The file starts with the picture's top row, which is the engine's last row.
    while (compressor.next_scanline < compressor.image_height)
    {
        JSAMPROW row = const_cast<u8*>(picture.Pixel(0, picture.height - 1 - compressor.next_scanline));
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::vector<u8> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

Picture DecodeJpegReference(const std::vector<u8>& bytes)
{
    jpeg_decompress_struct decompressor;
    jpeg_error_mgr errors;
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, bytes.data(), bytes.size());
    jpeg_read_header(&decompressor, TRUE);
    jpeg_start_decompress(&decompressor);
    Picture picture{decompressor.output_width, decompressor.output_height,
                    static_cast<u32>(decompressor.output_components), {}};
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height * picture.channels);
    while (decompressor.output_scanline < decompressor.output_height)
    {
        JSAMPROW row = const_cast<u8*>(picture.Pixel(0, picture.height - 1 - decompressor.output_scanline));
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return picture;
}

void WriteBytes(const std::string& path, const std::vector<u8>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}
}
