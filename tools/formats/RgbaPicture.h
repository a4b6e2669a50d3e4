// A picture for the image writers: 8-bit red, green, blue, alpha per pixel, row 0 the top row as one draws.
#pragma once

#include "engine/core/Types.h"

#include <cstddef>
#include <vector>

namespace KorvaneTools
{
struct RgbaPicture
{
    VelkorEngine::u32 width = 0;
    VelkorEngine::u32 height = 0;
    std::vector<VelkorEngine::u8> pixels; // width × height × 4

    RgbaPicture() = default;
    RgbaPicture(VelkorEngine::u32 w, VelkorEngine::u32 h) : width(w), height(h), pixels(std::size_t(w) * h * 4, 0) {}

    VelkorEngine::u8* At(VelkorEngine::u32 x, VelkorEngine::u32 y) { return &pixels[(std::size_t(y) * width + x) * 4]; }
    const VelkorEngine::u8* At(VelkorEngine::u32 x, VelkorEngine::u32 y) const
    {
        return &pixels[(std::size_t(y) * width + x) * 4];
    }
};
}
