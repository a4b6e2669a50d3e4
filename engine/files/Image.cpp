// The image container's pixel operations: creation, fill, the placeholder, depth conversion, paste, flips.
#include "engine/files/Image.h"

#include "engine/core/Color.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace VelkorEngine
{
namespace
{
constexpr f32 RedWeight = 0.222f;
constexpr f32 GreenWeight = 0.707f;
constexpr f32 BlueWeight = 0.071f;

u8 ToByte(f32 component) { return static_cast<u8>(static_cast<i32>(component * 255.0f)); }

u8 GreyOf(u8 red, u8 green, u8 blue)
{
    return static_cast<u8>(static_cast<i32>(red * RedWeight + green * GreenWeight + blue * BlueWeight));
}

// Other pairs of depths leave the result as allocated.
void ConvertPixels(i32 inBits, i32 outBits, const u8* in, u8* out, u64 pixels)
{
    const u32 inSize = static_cast<u32>(inBits) / 8;
    const u32 outSize = static_cast<u32>(outBits) / 8;
    if (inBits == 8 && (outBits == 24 || outBits == 32))
        for (u64 i = 0; i < pixels; ++i, in += inSize, out += outSize)
            std::memset(out, in[0], outSize);
    else if (inBits == 24 && outBits == 8)
        for (u64 i = 0; i < pixels; ++i, in += inSize, out += outSize)
            out[0] = GreyOf(in[0], in[1], in[2]);
    else if (inBits == 24 && outBits == 32)
        for (u64 i = 0; i < pixels; ++i, in += inSize, out += outSize)
        {
            std::memcpy(out, in, 3);
            out[3] = 255;
        }
    else if (inBits == 32 && outBits == 8)
        for (u64 i = 0; i < pixels; ++i, in += inSize, out += outSize)
            out[0] = in[3];
    else if (inBits == 32 && outBits == 24)
        for (u64 i = 0; i < pixels; ++i, in += inSize, out += outSize)
            std::memcpy(out, in, 3);
}
}

Image::Image() = default;

Image::~Image() = default;

Image::Image(Image&& other) noexcept { TakeOver(other); }

Image& Image::operator=(Image&& other) noexcept
{
    if (&other != this)
        TakeOver(other);
    return *this;
}

u64 Image::GetDataSize() const
{
    return static_cast<u64>(m_width) * m_height * GetBytesPerPixel();
}

void Image::Create(MessageManager* log, u32 width, u32 height, i32 bitsPerPixel)
{
    Release();
    m_log = log;
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_data.reset(new (std::nothrow) u8[GetDataSize()]);
    if (!m_data)
    {
        Release();
        return;
    }
    m_empty = 0;
}

void Image::Copy(const Image& other)
{
    if (&other == this)
        return;
    if (other.IsEmpty())
    {
        Release();
        m_log = other.m_log;
        return;
    }
    Create(other.m_log, other.m_width, other.m_height, other.m_bitsPerPixel);
    if (!IsEmpty())
        std::memcpy(m_data.get(), other.m_data.get(), GetDataSize());
}

void Image::Release() noexcept
{
    m_data.reset();
    m_empty = 1;
    m_width = 0;
    m_height = 0;
    m_bitsPerPixel = 0;
}

void Image::TakeOver(Image& other) noexcept
{
    m_empty = other.m_empty;
    m_log = other.m_log;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bitsPerPixel = other.m_bitsPerPixel;
    m_data = std::move(other.m_data);
    other.Release();
}

template <typename Operation> void Image::IntoTargetOrSelf(Image* target, Operation operation)
{
    if (IsEmpty())
    {
        if (target)
            target->Release();
        return;
    }
    if (target)
    {
        operation(*target);
        return;
    }
    Image temporary;
    operation(temporary);
    TakeOver(temporary);
}

void Image::Fill(const Color& color, Image* target)
{
    Image& destination = target ? *target : *this;
    if (target)
        target->Copy(*this);
    if (destination.IsEmpty())
        return;

    const u64 pixels = static_cast<u64>(destination.m_width) * destination.m_height;
    u8* out = destination.m_data.get();
    switch (destination.m_bitsPerPixel)
    {
    case 8: {
        // The weighted sum is rounded to single precision before scaling, so white gives exactly 255.
        const f32 grey = color.r * RedWeight + color.g * GreenWeight + color.b * BlueWeight + color.a * 0.0f;
        std::memset(out, ToByte(grey), pixels);
        break;
    }
    case 24:
    case 32: {
        const u8 bytes[4] = {ToByte(color.r), ToByte(color.g), ToByte(color.b), ToByte(color.a)};
        const u32 size = destination.GetBytesPerPixel();
        for (u64 i = 0; i < pixels; ++i, out += size)
            std::memcpy(out, bytes, size);
        break;
    }
    default:
        break;
    }
}

void Image::CreateCheckerboard(MessageManager* log)
{
    constexpr u32 Size = 64;
    constexpr u32 Square = 8;
    Create(log, Size, Size, 24);
    Fill(Color{0.0f, 0.0f, 0.0f, 1.0f});

    Image yellow;
    yellow.Create(log, Square, Square, 32);
    yellow.Fill(Color{1.0f, 1.0f, 0.0f, 1.0f});
    for (u32 i = 0; i < Size / Square; ++i)
        for (u32 j = 0; j < Size / Square; ++j)
            if ((i + j) % 2 == 0)
                Paste(Square * i, Square * j, yellow);
}

void Image::ConvertBitsPerPixel(i32 newBits, Image* target)
{
    if (newBits == m_bitsPerPixel)
    {
        if (target)
            target->Copy(*this);
        return;
    }
    IntoTargetOrSelf(target, [&](Image& result) {
        result.Create(m_log, m_width, m_height, newBits);
        if (result.IsEmpty())
            return;
        ConvertPixels(m_bitsPerPixel, newBits, m_data.get(), result.m_data.get(), static_cast<u64>(m_width) * m_height);
    });
}

void Image::Paste(u32 x, u32 y, const Image& source, Image* target)
{
    Image* destination = this;
    if (target)
    {
        target->Copy(*this);
        destination = target;
    }
    if (destination->IsEmpty() || source.IsEmpty())
        return;

    const Image* pixels = &source;
    Image converted;
    if (source.m_bitsPerPixel != destination->m_bitsPerPixel)
    {
        // ConvertBitsPerPixel is not const: it works on a copy of the source.
        Image copy;
        copy.Copy(source);
        copy.ConvertBitsPerPixel(destination->m_bitsPerPixel, &converted);
        pixels = &converted;
    }

    const u32 width = x < destination->m_width ? std::min(destination->m_width - x, pixels->m_width) : 0;
    const u32 height = y < destination->m_height ? std::min(destination->m_height - y, pixels->m_height) : 0;
    if (width == 0 || height == 0)
        return;
    const u32 size = destination->GetBytesPerPixel();
    for (u32 row = 0; row < height; ++row)
    {
        const u8* in = pixels->m_data.get() + static_cast<u64>(row) * pixels->m_width * size;
        u8* out = destination->m_data.get() + (static_cast<u64>(y + row) * destination->m_width + x) * size;
        std::memcpy(out, in, static_cast<u64>(width) * size);
    }
}

void Image::FlipVertical(Image* target)
{
    IntoTargetOrSelf(target, [&](Image& result) {
        result.Create(m_log, m_width, m_height, m_bitsPerPixel);
        if (result.IsEmpty())
            return;
        const u64 rowSize = static_cast<u64>(m_width) * GetBytesPerPixel();
        for (u32 row = 0; row < m_height; ++row)
            std::memcpy(result.m_data.get() + (m_height - 1 - row) * rowSize, m_data.get() + row * rowSize, rowSize);
    });
}

void Image::SwapRedBlue(Image* target)
{
    if (target)
        target->Copy(*this);
    Image& destination = target ? *target : *this;
    if (destination.IsEmpty() || (m_bitsPerPixel != 24 && m_bitsPerPixel != 32))
        return;
    const u32 size = destination.GetBytesPerPixel();
    const u64 pixels = static_cast<u64>(m_width) * m_height;
    u8* pixel = destination.m_data.get();
    for (u64 i = 0; i < pixels; ++i, pixel += size)
        std::swap(pixel[0], pixel[2]);
}
}
