// Images made from and compared as raw bytes in the engine's layout (bottom row first).
#pragma once

#include "engine/core/Types.h"
#include "engine/files/Image.h"

#include <vector>

namespace KorvaneTest
{
// An image of the size and bits per pixel holding exactly the bytes given.
VelkorEngine::Image MakeImage(VelkorEngine::u32 width, VelkorEngine::u32 height, VelkorEngine::i32 bits,
                              const std::vector<VelkorEngine::u8>& bytes);
std::vector<VelkorEngine::u8> BytesOf(const VelkorEngine::Image& image);
}
