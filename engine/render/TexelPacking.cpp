// Texel packing by channel masks, as the device's texture formats describe them.
#include "engine/render/TexelPacking.h"

#include "engine/files/Image.h"

#include <bit>
#include <cstring>

namespace VelkorEngine
{
ChannelPacking MakeChannelPacking(u32 mask)
{
    ChannelPacking packing;
    packing.mask = mask;
    if (mask == 0)
        return packing;
    packing.shift = static_cast<u32>(std::countr_zero(mask));
    const u32 width = 32 - static_cast<u32>(std::countl_zero(mask)) - packing.shift;
    packing.loss = width >= 8 ? 0 : 8 - width;
    return packing;
}

TexelLayout MakeTexelLayout(u32 bitsPerTexel, u32 redMask, u32 greenMask, u32 blueMask, u32 alphaMask)
{
    return TexelLayout{bitsPerTexel, MakeChannelPacking(redMask), MakeChannelPacking(greenMask),
                       MakeChannelPacking(blueMask), MakeChannelPacking(alphaMask)};
}

namespace
{
u32 Pack(const ChannelPacking& channel, u32 value) { return ((value >> channel.loss) << channel.shift) & channel.mask; }
}

void PackTexels(const Image& diffuse, const Image* opacity, const TexelLayout& layout, u8* destination, i64 pitch)
{
    const u32 width = diffuse.GetWidth();
    const u32 height = diffuse.GetHeight();
    // An opacity image of another size has no pixel to give for every texel.
    if (opacity && (opacity->IsEmpty() || opacity->GetWidth() != width || opacity->GetHeight() != height))
        opacity = nullptr;
    const u32 colourSize = diffuse.GetBytesPerPixel();
    const u32 opacitySize = opacity ? opacity->GetBytesPerPixel() : 0;
    const u8* colour = diffuse.GetData();
    const u8* alphaSource = opacity ? opacity->GetData() : nullptr;
    for (u32 y = 0; y < height; ++y)
    {
        u8* out = destination + static_cast<i64>(y) * pitch;
        for (u32 x = 0; x < width; ++x, colour += colourSize)
        {
            const u32 red = colour[0];
            const u32 green = colourSize == 1 ? colour[0] : colour[1];
            const u32 blue = colourSize == 1 ? colour[0] : colour[2];
            u32 alpha = colourSize == 4 ? colour[3] : 255;
            if (alphaSource)
            {
                alpha = opacitySize == 4 ? alphaSource[3] : alphaSource[0];
                alphaSource += opacitySize;
            }
            const u32 texel = Pack(layout.red, red) | Pack(layout.green, green) | Pack(layout.blue, blue) |
                              Pack(layout.alpha, alpha);
            if (layout.bitsPerTexel == 32)
            {
                std::memcpy(out, &texel, 4);
                out += 4;
            }
            else
            {
                const u16 small = static_cast<u16>(texel);
                std::memcpy(out, &small, 2);
                out += 2;
            }
        }
    }
}
}
