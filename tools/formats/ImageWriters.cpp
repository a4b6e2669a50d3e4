// TGA, BMP and JPEG writers for generated pictures.
#include "tools/formats/ImageWriters.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

namespace KorvaneTools
{
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::u8;

namespace
{
constexpr u8 TgaAttributeBits = 8;
constexpr u8 TgaTopLeftOrigin = 0x20;

void CheckSize(const RgbaPicture& picture)
{
    if (picture.width == 0 || picture.height == 0 || picture.width > 0xFFFF || picture.height > 0xFFFF ||
        picture.pixels.size() != size_t(picture.width) * picture.height * 4)
        throw std::invalid_argument("picture of a size no image file can hold");
}

// A pixel as TGA stores it: blue, green, red, alpha.
u32 TgaPixel(const RgbaPicture& picture, u32 x, u32 y)
{
    const u8* p = picture.At(x, y);
    return u32(p[2]) | u32(p[1]) << 8 | u32(p[0]) << 16 | u32(p[3]) << 24;
}

// Run-length packets of one row: a run of up to 128 equal pixels, or up to 128 pixels stored as they are.
void PutTgaRow(ByteWriter& out, const RgbaPicture& picture, u32 y)
{
    u32 x = 0;
    while (x < picture.width)
    {
        u32 run = 1;
        while (x + run < picture.width && run < 128 && TgaPixel(picture, x + run, y) == TgaPixel(picture, x, y))
            ++run;
        if (run > 1)
        {
            out.Put(static_cast<u8>(0x80 | (run - 1)));
            out.Put(TgaPixel(picture, x, y));
            x += run;
            continue;
        }
        u32 raw = 1;
        while (x + raw < picture.width && raw < 128 &&
               !(x + raw + 1 < picture.width && TgaPixel(picture, x + raw, y) == TgaPixel(picture, x + raw + 1, y)))
            ++raw;
        out.Put(static_cast<u8>(raw - 1));
        for (u32 i = 0; i < raw; ++i)
            out.Put(TgaPixel(picture, x + i, y));
        x += raw;
    }
}

std::string CompressJpeg(const u8* rows, u32 width, u32 height, int components, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = size_t(width) * components;
    while (info.next_scanline < info.image_height)
    {
        auto* row = const_cast<JSAMPLE*>(rows + stride * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}
}

std::string WriteTga(const RgbaPicture& picture)
{
    CheckSize(picture);
    ByteWriter out;
    out.Put<u8>(0);  // no image id
    out.Put<u8>(0);  // no colour map
    out.Put<u8>(10); // run-length true colour
    for (int i = 0; i < 5; ++i)
        out.Put<u8>(0); // colour map description
    out.Put<u16>(0);
    out.Put<u16>(0);
    out.Put(static_cast<u16>(picture.width));
    out.Put(static_cast<u16>(picture.height));
    out.Put<u8>(32);
    out.Put<u8>(TgaAttributeBits);
    for (u32 row = picture.height; row-- > 0;)
        PutTgaRow(out, picture, row);
    return out.Finish();
}

std::string WriteBmp(const RgbaPicture& picture)
{
    CheckSize(picture);
    const u32 stride = (picture.width * 3 + 3) & ~3u;
    const u32 dataOffset = 14 + 40;
    ByteWriter out;
    out.PutText("BM");
    out.Put<u32>(dataOffset + stride * picture.height);
    out.Put<u32>(0);
    out.Put<u32>(dataOffset);
    out.Put<u32>(40);
    out.Put<VelkorEngine::i32>(static_cast<VelkorEngine::i32>(picture.width));
    out.Put<VelkorEngine::i32>(static_cast<VelkorEngine::i32>(picture.height));
    out.Put<u16>(1);
    out.Put<u16>(24);
    out.Put<u32>(0); // uncompressed
    out.Put<u32>(stride * picture.height);
    out.Put<u32>(2835); // 72 dots per inch
    out.Put<u32>(2835);
    out.Put<u32>(0);
    out.Put<u32>(0);
    for (u32 row = picture.height; row-- > 0;)
    {
        for (u32 x = 0; x < picture.width; ++x)
        {
            const u8* p = picture.At(x, row);
            out.Put(p[2]);
            out.Put(p[1]);
            out.Put(p[0]);
        }
        for (u32 pad = picture.width * 3; pad < stride; ++pad)
            out.Put<u8>(0);
    }
    return out.Finish();
}

std::string WriteJpeg(const RgbaPicture& picture, int quality)
{
    CheckSize(picture);
    std::vector<u8> rgb(size_t(picture.width) * picture.height * 3);
    for (size_t i = 0, n = size_t(picture.width) * picture.height; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = picture.pixels[i * 4 + c];
    return CompressJpeg(rgb.data(), picture.width, picture.height, 3, quality);
}

std::string WriteJpegAlpha(const RgbaPicture& picture, int quality)
{
    CheckSize(picture);
    std::vector<u8> grey(size_t(picture.width) * picture.height);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = picture.pixels[i * 4 + 3];
    return CompressJpeg(grey.data(), picture.width, picture.height, 1, quality);
}

RgbaPicture ReadTga(const std::string& bytes)
{
    ByteReader in(bytes);
    const auto idLength = in.Get<u8>();
    in.Get<u8>();
    const auto type = in.Get<u8>();
    for (int i = 0; i < 9; ++i)
        in.Get<u8>();
    const auto width = in.Get<u16>();
    const auto height = in.Get<u16>();
    const auto depth = in.Get<u8>();
    const auto descriptor = in.Get<u8>();
    if ((type != 10 && type != 2) || depth != 32 || idLength != 0)
        throw FormatError("not a 32-bit true-colour TGA");
    in.CheckCount(u32(width) * height / 128, 5);
    RgbaPicture picture(width, height);
    const size_t total = size_t(width) * height;
    auto put = [&](size_t index, u32 bgra) {
        const size_t stored = index / width;
        const u32 y = (descriptor & TgaTopLeftOrigin) ? u32(stored) : u32(height - 1 - stored);
        u8* p = picture.At(u32(index % width), y);
        p[0] = u8(bgra >> 16);
        p[1] = u8(bgra >> 8);
        p[2] = u8(bgra);
        p[3] = u8(bgra >> 24);
    };
    size_t index = 0;
    while (index < total)
    {
        u32 count = 1;
        bool repeat = false;
        if (type == 10)
        {
            const auto packet = in.Get<u8>();
            count = (packet & 0x7F) + 1u;
            repeat = (packet & 0x80) != 0;
        }
        if (index + count > total)
            throw FormatError("run-length packet past the end of the picture");
        const u32 value = repeat ? in.Get<u32>() : 0;
        for (u32 i = 0; i < count; ++i)
            put(index++, repeat ? value : in.Get<u32>());
    }
    return picture;
}
}
