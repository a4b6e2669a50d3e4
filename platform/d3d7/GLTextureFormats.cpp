// Texel layouts as A8R8G8B8-style masks; on a little-endian machine GL reads them as BGRA with reversed packing.
#include "platform/d3d7/GLTextureFormats.h"

namespace Platform
{
namespace
{
constexpr DDPIXELFORMAT Rgb(DWORD bits, DWORD red, DWORD green, DWORD blue, DWORD alpha)
{
    DDPIXELFORMAT format;
    format.dwFlags = DDPF_RGB | (alpha ? DDPF_ALPHAPIXELS : 0);
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    format.dwRGBAlphaBitMask = alpha;
    return format;
}

const GLTextureFormat kTextureFormats[] = {
    {Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000), GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0), GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV},
    {Rgb(16, 0xF800, 0x07E0, 0x001F, 0), GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {Rgb(16, 0x7C00, 0x03E0, 0x001F, 0), GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {Rgb(16, 0x7C00, 0x03E0, 0x001F, 0x8000), GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {Rgb(16, 0x0F00, 0x00F0, 0x000F, 0xF000), GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
};

bool SameLayout(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b)
{
    return a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask && a.dwGBitMask == b.dwGBitMask &&
           a.dwBBitMask == b.dwBBitMask && a.dwRGBAlphaBitMask == b.dwRGBAlphaBitMask && a.dwFourCC == b.dwFourCC;
}
}

HRESULT GLTextureFormats::Enumerate(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const GLTextureFormat& entry : kTextureFormats)
    {
        DDPIXELFORMAT copy = entry.pixelFormat;
        if (callback(&copy, context) == D3DENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

const GLTextureFormat* GLTextureFormats::Find(const DDPIXELFORMAT& pixelFormat)
{
    for (const GLTextureFormat& entry : kTextureFormats)
        if (SameLayout(entry.pixelFormat, pixelFormat))
            return &entry;
    return nullptr;
}
}
