// Resampling of an image with the point, bilinear (8-bit fixed point) and bicubic (7-bit fixed point) filters.
#include "engine/files/Image.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
// Fixed-point source coordinate of output index i: corners map onto corners. An output axis of a single
// pixel takes the source's first row or column (the general formula would divide by zero).
u64 SourcePosition(u32 sourceSize, u32 targetSize, u32 i, u64 scale)
{
    if (targetSize <= 1)
        return 0;
    return static_cast<u64>(sourceSize - 1) * i * scale / (targetSize - 1);
}

u32 Clamp(i64 index, u32 size) { return static_cast<u32>(std::clamp<i64>(index, 0, static_cast<i64>(size) - 1)); }

// Cubic convolution with a = -1 on t / 128, in integers; the shift keeps the sign (rounds toward minus infinity).
i64 Cubic(i64 p0, i64 p1, i64 p2, i64 p3, i64 t)
{
    const i64 k3 = p1 - p0 + p3 - p2;
    const i64 k2 = 2 * p0 - 2 * p1 + p2 - p3;
    const i64 k1 = p2 - p0;
    return ((((k3 * t + k2 * 128) * t + k1 * 16384) * t) + p1 * 2097152) >> 21;
}
}

void Image::Resize(u32 newWidth, u32 newHeight, u32 filter, Image& target) const
{
    if (IsEmpty())
    {
        target.Release();
        return;
    }
    if (newWidth == m_width && newHeight == m_height)
    {
        target.Copy(*this);
        return;
    }
    target.Create(m_log, newWidth, newHeight, m_bitsPerPixel);
    if (target.IsEmpty())
        return;
    switch (filter)
    {
    case FilterPoint:
        ResizePoint(target);
        break;
    case FilterBilinear:
        ResizeBilinear(target);
        break;
    case FilterBicubic:
        ResizeBicubic(target);
        break;
    default:
        break;
    }
}

void Image::ResizeInPlace(u32 newWidth, u32 newHeight, u32 filter)
{
    Image temporary;
    Resize(newWidth, newHeight, filter, temporary);
    TakeOver(temporary);
}

void Image::ResizePoint(Image& target) const
{
    const u32 size = GetBytesPerPixel();
    u8* out = target.m_data.get();
    for (u32 y = 0; y < target.m_height; ++y)
    {
        const u64 row = SourcePosition(m_height, target.m_height, y, 1);
        for (u32 x = 0; x < target.m_width; ++x, out += size)
        {
            const u64 column = SourcePosition(m_width, target.m_width, x, 1);
            const u8* in = m_data.get() + (row * m_width + column) * size;
            std::copy(in, in + size, out);
        }
    }
}

void Image::ResizeBilinear(Image& target) const
{
    const u32 size = GetBytesPerPixel();
    u8* out = target.m_data.get();
    for (u32 y = 0; y < target.m_height; ++y)
    {
        u64 fy = SourcePosition(m_height, target.m_height, y, 256);
        // The last row stays 1/256 short of the source's last row; a position of 0 has nothing to give.
        if (y == target.m_height - 1 && fy > 0)
            --fy;
        const u32 row0 = static_cast<u32>(fy / 256);
        const u32 row1 = Clamp(static_cast<i64>(row0) + 1, m_height);
        const u32 wy = static_cast<u32>(fy % 256);
        const u8* top = m_data.get() + static_cast<u64>(row0) * m_width * size;
        const u8* bottom = m_data.get() + static_cast<u64>(row1) * m_width * size;
        for (u32 x = 0; x < target.m_width; ++x)
        {
            const u64 fx = SourcePosition(m_width, target.m_width, x, 256);
            const u32 col0 = static_cast<u32>(fx / 256);
            const u32 col1 = Clamp(static_cast<i64>(col0) + 1, m_width);
            const u32 wx = static_cast<u32>(fx % 256);
            for (u32 c = 0; c < size; ++c, ++out)
            {
                const u32 p00 = top[col0 * size + c];
                const u32 p01 = top[col1 * size + c];
                const u32 p10 = bottom[col0 * size + c];
                const u32 p11 = bottom[col1 * size + c];
                *out = static_cast<u8>(((256 - wx) * (256 - wy) * p00 + (256 - wx) * wy * p10 +
                                        wx * (256 - wy) * p01 + wx * wy * p11) /
                                       65536);
            }
        }
    }
}

void Image::ResizeBicubic(Image& target) const
{
    const u32 size = GetBytesPerPixel();
    u8* out = target.m_data.get();
    for (u32 y = 0; y < target.m_height; ++y)
    {
        const u64 fy = SourcePosition(m_height, target.m_height, y, 128);
        const i64 row = static_cast<i64>(fy / 128);
        const i64 v = static_cast<i64>(fy % 128);
        const u8* rows[4];
        for (i64 k = 0; k < 4; ++k)
            rows[k] = m_data.get() + static_cast<u64>(Clamp(row - 1 + k, m_height)) * m_width * size;
        for (u32 x = 0; x < target.m_width; ++x)
        {
            const u64 fx = SourcePosition(m_width, target.m_width, x, 128);
            const i64 col = static_cast<i64>(fx / 128);
            const i64 u = static_cast<i64>(fx % 128);
            u32 columns[4];
            for (i64 k = 0; k < 4; ++k)
                columns[k] = Clamp(col - 1 + k, m_width) * size;
            for (u32 c = 0; c < size; ++c, ++out)
            {
                i64 r[4];
                for (u32 k = 0; k < 4; ++k)
                    r[k] = Cubic(rows[k][columns[0] + c], rows[k][columns[1] + c], rows[k][columns[2] + c],
                                 rows[k][columns[3] + c], u);
                *out = static_cast<u8>(std::clamp<i64>(Cubic(r[0], r[1], r[2], r[3], v), 0, 255));
            }
        }
    }
}
}
