// Texture surfaces of the OpenGL layer: the mip chain, locking and copying levels, the formats the device
// offers, and what a draw samples once the levels reach GL.
#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLSurface.h"
#include "platform/d3d7/GLTextureSurface.h"
#include "tests/support/D3D7TestDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace
{
using KorvaneTest::CollectPixelFormat;
using KorvaneTest::D3D7ColouredVertex;
using KorvaneTest::D3D7TestDevice;
using KorvaneTest::kQuadIndices;
using KorvaneTest::Rgb;
using KorvaneTest::RgbNear;

DDPIXELFORMAT Argb32()
{
    DDPIXELFORMAT format;
    format.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
    format.dwRGBBitCount = 32;
    format.dwRBitMask = 0x00FF0000;
    format.dwGBitMask = 0x0000FF00;
    format.dwBBitMask = 0x000000FF;
    format.dwRGBAlphaBitMask = 0xFF000000;
    return format;
}

DDSURFACEDESC2 TextureDescription(DWORD width, DWORD height, DWORD mipLevels, DWORD extraCaps = 0)
{
    DDSURFACEDESC2 description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
    description.dwWidth = width;
    description.dwHeight = height;
    description.ddpfPixelFormat = Argb32();
    description.ddsCaps.dwCaps = DDSCAPS_TEXTURE | extraCaps;
    if (mipLevels > 0)
    {
        description.dwFlags |= DDSD_MIPMAPCOUNT;
        description.dwMipMapCount = mipLevels;
        description.ddsCaps.dwCaps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    }
    return description;
}

// Fills a level row by row with texels given top row first.
void Fill(IDirectDrawSurface7* level, const std::vector<std::uint32_t>& texels)
{
    DDSURFACEDESC2 locked;
    ASSERT_EQ(level->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
    for (DWORD y = 0; y < locked.dwHeight; ++y)
        for (DWORD x = 0; x < locked.dwWidth; ++x)
        {
            const std::uint32_t texel = texels.size() == 1 ? texels[0] : texels[y * locked.dwWidth + x];
            std::memcpy(static_cast<std::uint8_t*>(locked.lpSurface) + y * locked.lPitch + x * 4, &texel, 4);
        }
    ASSERT_EQ(level->Unlock(nullptr), DD_OK);
}

IDirectDrawSurface7* NextLevel(IDirectDrawSurface7* level)
{
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
    IDirectDrawSurface7* next = nullptr;
    if (FAILED(level->GetAttachedSurface(&caps, &next)))
        return nullptr;
    next->Release();
    return next;
}

// A square of the screen from (left, top) to (right, bottom) in -1..1 units, texture coordinates 0..1 with
// v = 0 at the top.
std::vector<D3D7ColouredVertex> TexturedQuad(float left, float top, float right, float bottom)
{
    return {{left, bottom, 0.5f, 0, 0, 1, 0xFFFFFFFFu, 0, 1},
            {left, top, 0.5f, 0, 0, 1, 0xFFFFFFFFu, 0, 0},
            {right, top, 0.5f, 0, 0, 1, 0xFFFFFFFFu, 1, 0},
            {right, bottom, 0.5f, 0, 0, 1, 0xFFFFFFFFu, 1, 1}};
}

class GLTextureSurfaces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(test.Failure(), "");
        test.UseScreenSpace();
        device()->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_POINT);
        device()->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_POINT);
        device()->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_NONE);
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, KorvaneTest::D3D7Argb(255, 0, 0, 0),
                                  1.0f, 0),
                  DD_OK);
    }

    void TearDown() override
    {
        // A device that could not be made leaves the failure to SetUp's report, not to a crash here.
        if (device())
            device()->SetTexture(0, nullptr);
        for (IDirectDrawSurface7* surface : made)
            surface->Release();
    }

    IDirect3DDevice7* device() { return test.Device(); }

    IDirectDrawSurface7* Make(DDSURFACEDESC2 description, HRESULT expected = DD_OK)
    {
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(test.DirectDraw()->CreateSurface(&description, &surface, nullptr), expected);
        if (surface)
            made.push_back(surface);
        return surface;
    }

    D3D7TestDevice test{64, 64};
    std::vector<IDirectDrawSurface7*> made;
};

TEST_F(GLTextureSurfaces, MipChainHalvesDownToOnePixel)
{
    IDirectDrawSurface7* level = Make(TextureDescription(256, 64, 9));
    ASSERT_NE(level, nullptr);
    std::vector<std::pair<DWORD, DWORD>> sizes;
    for (; level; level = NextLevel(level))
    {
        DDSURFACEDESC2 description;
        ASSERT_EQ(level->GetSurfaceDesc(&description), DD_OK);
        sizes.emplace_back(description.dwWidth, description.dwHeight);
        EXPECT_EQ(description.lPitch, static_cast<LONG>(description.dwWidth * 4));
    }
    const std::vector<std::pair<DWORD, DWORD>> expected = {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4},
                                                           {8, 2},    {4, 1},    {2, 1},   {1, 1}};
    EXPECT_EQ(sizes, expected);
}

TEST_F(GLTextureSurfaces, WithoutMipCapsThereIsOneLevel)
{
    IDirectDrawSurface7* texture = Make(TextureDescription(8, 8, 0));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(NextLevel(texture), nullptr);
}

TEST_F(GLTextureSurfaces, UnknownPixelFormatsAndTooManyLevelsAreRefused)
{
    DDSURFACEDESC2 empty = TextureDescription(8, 8, 0);
    empty.ddpfPixelFormat = DDPIXELFORMAT{};
    EXPECT_EQ(Make(empty, DDERR_INVALIDPIXELFORMAT), nullptr);
    DDSURFACEDESC2 noFormat = TextureDescription(8, 8, 0);
    noFormat.dwFlags &= ~DDSD_PIXELFORMAT;
    EXPECT_EQ(Make(noFormat, DDERR_INVALIDPIXELFORMAT), nullptr);
    EXPECT_EQ(Make(TextureDescription(8, 8, 5), DDERR_INVALIDPARAMS), nullptr);
}

TEST_F(GLTextureSurfaces, SystemMemoryTextureCopiesOntoALevel)
{
    IDirectDrawSurface7* texture = Make(TextureDescription(2, 2, 2));
    IDirectDrawSurface7* staging = Make(TextureDescription(1, 1, 0, DDSCAPS_SYSTEMMEMORY));
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(staging, nullptr);
    Fill(staging, {0x11223344u});
    IDirectDrawSurface7* second = NextLevel(texture);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(second->Blt(nullptr, staging, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    DDSURFACEDESC2 locked;
    ASSERT_EQ(second->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    std::uint32_t texel = 0;
    std::memcpy(&texel, locked.lpSurface, 4);
    second->Unlock(nullptr);
    EXPECT_EQ(texel, 0x11223344u);
}

// What the layer holds is counted, so that a long session can show it does not pile up: a texture drawn with and
// released leaves neither its surfaces nor its GL texture behind once the next draw has run.
TEST_F(GLTextureSurfaces, AReleasedTextureLeavesNoSurfaceOrGLTextureBehind)
{
    using Platform::GLContext;
    using Platform::GLObjectKind;
    const std::uint32_t surfaces = Platform::GLSurface::LiveCount();
    const std::uint32_t chains = Platform::GLTextureSurface::LiveCount();
    const std::uint32_t textures = GLContext::LiveObjects(GLObjectKind::Texture);
    IDirectDrawSurface7* texture = nullptr;
    DDSURFACEDESC2 description = TextureDescription(4, 4, 3);
    ASSERT_EQ(test.DirectDraw()->CreateSurface(&description, &texture, nullptr), DD_OK);
    EXPECT_EQ(Platform::GLSurface::LiveCount(), surfaces + 3);
    EXPECT_EQ(Platform::GLTextureSurface::LiveCount(), chains + 1);
    // Made on the first draw that samples it.
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Texture), textures);
    Fill(texture, {0xFFFF0000u});
    ASSERT_EQ(device()->SetTexture(0, texture), DD_OK);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Texture), textures + 1);

    ASSERT_EQ(device()->SetTexture(0, nullptr), DD_OK);
    texture->Release();
    EXPECT_EQ(Platform::GLSurface::LiveCount(), surfaces);
    EXPECT_EQ(Platform::GLTextureSurface::LiveCount(), chains);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Texture), textures);
}

TEST_F(GLTextureSurfaces, DeviceOffersThirtyTwoBitFormatsWithAndWithoutAlphaFirst)
{
    std::vector<DDPIXELFORMAT> formats;
    ASSERT_EQ(device()->EnumTextureFormats(CollectPixelFormat, &formats), DD_OK);
    ASSERT_GE(formats.size(), 3u);
    EXPECT_EQ(formats[0].dwRGBBitCount, 32u);
    EXPECT_EQ(formats[0].dwRGBAlphaBitMask, 0xFF000000u);
    EXPECT_TRUE(formats[0].dwFlags & DDPF_ALPHAPIXELS);
    EXPECT_EQ(formats[1].dwRGBBitCount, 32u);
    EXPECT_EQ(formats[1].dwRGBAlphaBitMask, 0u);
    EXPECT_FALSE(formats[1].dwFlags & DDPF_ALPHAPIXELS);
    for (const DDPIXELFORMAT& format : formats)
    {
        EXPECT_EQ(format.dwFourCC, 0u);
        EXPECT_EQ(format.dwFlags & (DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV), 0u);
        // Every offered format can be made.
        DDSURFACEDESC2 description = TextureDescription(4, 4, 0);
        description.ddpfPixelFormat = format;
        EXPECT_NE(Make(description), nullptr);
    }
}

TEST_F(GLTextureSurfaces, DrawSamplesTheTopRowAtVZero)
{
    IDirectDrawSurface7* texture = Make(TextureDescription(2, 2, 0));
    ASSERT_NE(texture, nullptr);
    Fill(texture, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu});
    ASSERT_EQ(device()->SetTexture(0, texture), DD_OK);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(16, 16), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(48, 16), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(16, 48), Rgb{0, 0, 255}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(48, 48), Rgb{255, 255, 255}, 0));
}

TEST_F(GLTextureSurfaces, ChangedLevelsAreUploadedAgain)
{
    IDirectDrawSurface7* texture = Make(TextureDescription(1, 1, 0));
    ASSERT_NE(texture, nullptr);
    Fill(texture, {0xFFFF0000u});
    device()->SetTexture(0, texture);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{255, 0, 0}, 0));
    Fill(texture, {0xFF00FF00u});
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 255, 0}, 0));
}

TEST_F(GLTextureSurfaces, MinifiedDrawPicksTheLevelOfItsSize)
{
    IDirectDrawSurface7* level = Make(TextureDescription(64, 64, 7));
    ASSERT_NE(level, nullptr);
    const std::uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u,
                                     0xFF00FFFFu, 0xFFFF00FFu, 0xFF808080u};
    for (std::uint32_t colour : colours)
    {
        Fill(level, {colour});
        level = NextLevel(level);
    }
    device()->SetTexture(0, made[0]);
    device()->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_POINT);
    // 64 texels over 16 pixels: the 16 x 16 level, the third.
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, -0.5f, 0.5f), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{0, 0, 255}, 0));
}

TEST_F(GLTextureSurfaces, SingleLevelTextureStaysCompleteUnderAMipFilter)
{
    IDirectDrawSurface7* texture = Make(TextureDescription(64, 64, 0));
    ASSERT_NE(texture, nullptr);
    Fill(texture, {0xFF00FF00u});
    device()->SetTexture(0, texture);
    device()->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR);
    device()->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, -0.5f, 0.5f), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{0, 255, 0}, 0));
}

// Textures are built on the loading thread; the main thread uploads them when it first draws with them.
TEST(GLTextureSurfaceThreads, LevelsFilledOnAnotherThreadAreUploadedByTheDraw)
{
    D3D7TestDevice test(32, 32);
    ASSERT_EQ(test.Failure(), "");
    test.UseScreenSpace();
    IDirectDrawSurface7* texture = nullptr;
    std::thread loader(
        [&]
        {
            DDSURFACEDESC2 description = TextureDescription(4, 4, 3);
            if (FAILED(test.DirectDraw()->CreateSurface(&description, &texture, nullptr)))
                return;
            for (IDirectDrawSurface7* level = texture; level; level = NextLevel(level))
                Fill(level, {0xFF0000FFu});
        });
    loader.join();
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, KorvaneTest::D3D7Argb(255, 255, 0, 0), 1.0f, 0),
              DD_OK);
    test.Device()->SetTexture(0, texture);
    ASSERT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(16, 16), Rgb{0, 0, 255}, 0));
    test.Device()->SetTexture(0, nullptr);
    std::thread releaser([&] { texture->Release(); });
    releaser.join();
    // The GL texture of the released surface is deleted by the next draw, on this thread.
    EXPECT_EQ(test.DrawTriangles(TexturedQuad(-1, 1, 1, -1), kQuadIndices), DD_OK);
}
}
