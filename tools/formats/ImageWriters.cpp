// The generator's picture writers: pictures drawn top row first, encoded by the shared image encoders.
#include "tools/formats/ImageWriters.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ImageEncoders.h"

#include <initializer_list>
#include <stdexcept>

namespace KorvaneTools
{
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::u8;

namespace
{
constexpr u8 TgaTopLeftOrigin = 0x20;

void CheckSize(const RgbaPicture& picture)
{
    if (picture.width == 0 || picture.height == 0 || picture.width > 0xFFFF || picture.height > 0xFFFF ||
        picture.pixels.size() != size_t(picture.width) * picture.height * 4)
        throw std::invalid_argument("picture of a size no image file can hold");
}

// The chosen channels of a picture drawn top row first, rearranged into the engine's layout (bottom row
// first) that the encoders take.
std::vector<u8> EngineRows(const RgbaPicture& picture, std::initializer_list<int> channels)
{
    CheckSize(picture);
    std::vector<u8> rows;
    rows.reserve(size_t(picture.width) * picture.height * channels.size());
    for (u32 y = picture.height; y-- > 0;)
        for (u32 x = 0; x < picture.width; ++x)
            for (int channel : channels)
                rows.push_back(picture.At(x, y)[channel]);
    return rows;
}

std::string Text(const std::vector<u8>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

PixelRows Rows(const RgbaPicture& picture, const std::vector<u8>& pixels, u32 channels)
{
    return PixelRows{picture.width, picture.height, channels, pixels.data()};
}
}

std::string WriteTga(const RgbaPicture& picture)
{
    const std::vector<u8> pixels = EngineRows(picture, {0, 1, 2, 3});
    return Text(EncodeTga(Rows(picture, pixels, 4), TgaLayout{}));
}

std::string WriteBmp(const RgbaPicture& picture)
{
    const std::vector<u8> pixels = EngineRows(picture, {0, 1, 2});
    return Text(EncodeBmp(Rows(picture, pixels, 3)));
}

std::string WriteJpeg(const RgbaPicture& picture, int quality)
{
    const std::vector<u8> pixels = EngineRows(picture, {0, 1, 2});
    return Text(EncodeJpeg(Rows(picture, pixels, 3), quality));
}

std::string WriteJpegAlpha(const RgbaPicture& picture, int quality)
{
    const std::vector<u8> pixels = EngineRows(picture, {3});
    return Text(EncodeJpeg(Rows(picture, pixels, 1), quality));
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
