// Raw-byte images for the image and texture tests.
#include "tests/support/ImageBytes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelkorEngine;

namespace KorvaneTest
{
Image MakeImage(u32 width, u32 height, i32 bits, const std::vector<u8>& bytes)
{
    Image image;
    image.Create(nullptr, width, height, bits);
    EXPECT_EQ(bytes.size(), image.GetDataSize());
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), image.GetDataSize()), image.GetData());
    return image;
}

std::vector<u8> BytesOf(const Image& image)
{
    return std::vector<u8>(image.GetData(), image.GetData() + image.GetDataSize());
}
}
