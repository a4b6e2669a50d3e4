// Packs image pixels into device texels described by channel bit masks (32- or 16-bit texels).
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
class Image;

struct ChannelPacking
{
    u32 mask = 0;
    // Index of the mask's lowest set bit.
    u32 shift = 0;
    // Low bits of the 8-bit value that the mask has no room for.
    u32 loss = 8;
};

struct TexelLayout
{
    u32 bitsPerTexel = 32;
    ChannelPacking red;
    ChannelPacking green;
    ChannelPacking blue;
    ChannelPacking alpha;
};

ChannelPacking MakeChannelPacking(u32 mask);
TexelLayout MakeTexelLayout(u32 bitsPerTexel, u32 redMask, u32 greenMask, u32 blueMask, u32 alphaMask);

// Writes every pixel of the diffuse image as one texel; destination rows are `pitch` bytes apart.
// The alpha comes from the opacity image (its alpha byte when it has four, else its first byte), else from
// a 32-bit diffuse image, else it is 255. Grey (8-bit) pixels give equal red, green and blue.
void PackTexels(const Image& diffuse, const Image* opacity, const TexelLayout& layout, u8* destination, i64 pitch);
}
