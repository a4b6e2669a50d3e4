// Small TGA, BMP and JPEG files for the image tests, made by the shared image encoders; JPEG decoding through
// libjpeg as the reference.
#include "tests/support/ImageTestFiles.h"

#include "tools/formats/ImageEncoders.h"

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
KorvaneTools::PixelRows Rows(const Picture& picture)
{
    return {picture.width, picture.height, picture.channels, picture.pixels.data()};
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
    return KorvaneTools::EncodeTga(Rows(picture), {options.runLength, options.topDown, options.idLength});
}

void PaletteColour(u8 index, u8 rgb[3])
{
    rgb[0] = index;
    rgb[1] = static_cast<u8>(255 - index);
    rgb[2] = static_cast<u8>(index * 37);
}

std::vector<u8> MakeBmp(const Picture& picture, const BmpOptions& options)
{
    KorvaneTools::BmpPalette palette{};
    for (unsigned i = 0; i < palette.size(); ++i)
        PaletteColour(static_cast<u8>(i), palette[i].data());
    return KorvaneTools::EncodeBmp(Rows(picture), {options.topDown, options.gapBeforePixels, options.infoSize},
                                   &palette);
}

std::vector<u8> MakeJpeg(const Picture& picture, int quality, bool progressive)
{
    return KorvaneTools::EncodeJpeg(Rows(picture), quality, progressive);
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
