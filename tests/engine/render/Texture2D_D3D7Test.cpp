// Direct3D 7 textures on the OpenGL drawing layer: levels, texels and alpha, sizes, the rebuild after a device
// reset, and what a textured quad shows on the screen.
#include "engine/render/Texture2D_D3D7.h"

#include "engine/files/Image.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/D3D.h"
#include "tests/support/ImageBytes.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/RenderTestBed.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace VelkorEngine;
using KorvaneTest::MakeImage;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;

namespace
{
struct Level
{
    DWORD width = 0;
    DWORD height = 0;
    std::vector<u32> texels; // rows as locked, first row first
};

std::vector<Level> LevelsOf(IDirectDrawSurface7* surface)
{
    std::vector<Level> levels;
    while (surface)
    {
        DDSURFACEDESC2 locked;
        if (FAILED(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
            break;
        Level level{locked.dwWidth, locked.dwHeight, {}};
        for (DWORD y = 0; y < locked.dwHeight; ++y)
            for (DWORD x = 0; x < locked.dwWidth; ++x)
            {
                u32 texel = 0;
                std::memcpy(&texel, static_cast<u8*>(locked.lpSurface) + y * locked.lPitch + x * 4, 4);
                level.texels.push_back(texel);
            }
        surface->Unlock(nullptr);
        levels.push_back(level);
        DDSCAPS2 caps;
        caps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
        IDirectDrawSurface7* next = nullptr;
        surface = SUCCEEDED(surface->GetAttachedSurface(&caps, &next)) ? next : nullptr;
        if (next)
            next->Release();
    }
    return levels;
}

class TextureD3D7 : public testing::Test
{
protected:
    void SetUp() override
    {
        bed.Settings().SetFromString("r_use_mip_mapping", "1");
        render = &bed.Start();
        manager = std::make_unique<TextureManager>(&bed.Log(), &files, &bed.Settings(), nullptr, render);
    }

    void TearDown() override
    {
        manager.reset();
        bed.Stop();
    }

    std::unique_ptr<Texture2D_D3D7> Make(Image& diffuse, Image* opacity, bool mip)
    {
        return std::unique_ptr<Texture2D_D3D7>(
            static_cast<Texture2D_D3D7*>(render->CreateTexture(nullptr, "made", &diffuse, opacity, mip).release()));
    }

    Texture2D_D3D7* Get(bool mip, const std::string& diffuse, const std::string& opacity = "")
    {
        return static_cast<Texture2D_D3D7*>(manager->GetTexture(mip, diffuse, opacity));
    }

    void WriteTga(const std::string& name, const ImageTest::Picture& picture)
    {
        ImageTest::WriteBytes(folder / name, ImageTest::MakeTga(picture));
    }

    KorvaneTest::RenderTestBed bed;
    TestSupport::TempFolder folder;
    MessageManager log{"textures", 0, 0, "", ""};
    FileManager files{&log, folder.Path(), ""};
    RenderSystem_D3D7* render = nullptr;
    std::unique_ptr<TextureManager> manager;
};
}

TEST_F(TextureD3D7, MipChainOf256x64HasNineLevelsAndCountsEveryByte)
{
    Image diffuse;
    diffuse.Create(nullptr, 256, 64, 24);
    diffuse.Fill(Color(0.5f, 0.25f, 1.0f, 1.0f));
    const auto texture = Make(diffuse, nullptr, true);
    ASSERT_TRUE(texture->IsMipMapped());
    const std::vector<Level> levels = LevelsOf(texture->GetSurface());
    ASSERT_EQ(9u, levels.size());
    EXPECT_EQ(2u, levels[7].width);
    EXPECT_EQ(1u, levels[7].height);
    EXPECT_EQ(1u, levels[8].width);
    EXPECT_EQ(1u, levels[8].height);
    EXPECT_EQ(3u * 21847u, texture->GetSize());
    EXPECT_EQ(256u, texture->GetWidth());
    EXPECT_EQ(64u, texture->GetHeight());
    // A picture without alpha gets a format without alpha bits.
    for (const Level& level : levels)
        for (u32 texel : level.texels)
            ASSERT_EQ(0x007F3FFFu, texel);
}

TEST_F(TextureD3D7, MipMappingSwitchedOffGivesOneLevel)
{
    bed.Settings().SetFromString("r_use_mip_mapping", "0");
    Image diffuse;
    diffuse.Create(nullptr, 16, 8, 32);
    diffuse.Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
    const auto texture = Make(diffuse, nullptr, true);
    EXPECT_FALSE(texture->IsMipMapped());
    EXPECT_EQ(1u, LevelsOf(texture->GetSurface()).size());
    EXPECT_EQ(16u * 8u * 4u, texture->GetSize());
}

TEST_F(TextureD3D7, TexelsTakeAlphaFromTheOpacityImage)
{
    Image diffuse = MakeImage(2, 1, 24, {10, 20, 30, 40, 50, 60});
    Image opacity = MakeImage(2, 1, 8, {128, 255});
    const auto texture = Make(diffuse, &opacity, false);
    const std::vector<Level> levels = LevelsOf(texture->GetSurface());
    ASSERT_EQ(1u, levels.size());
    EXPECT_EQ((std::vector<u32>{0x800A141Eu, 0xFF28323Cu}), levels[0].texels);
    EXPECT_EQ(2u * 4u, texture->GetSize()) << "with an opacity image every texel counts four bytes";
}

TEST_F(TextureD3D7, GreyImagesBecomeOpaqueColourTexels)
{
    Image grey = MakeImage(2, 1, 8, {7, 200});
    const auto texture = Make(grey, nullptr, false);
    DDSURFACEDESC2 description;
    ASSERT_EQ(DD_OK, texture->GetSurface()->GetSurfaceDesc(&description));
    EXPECT_EQ(0u, description.ddpfPixelFormat.dwRGBAlphaBitMask);
    EXPECT_EQ(32u, description.ddpfPixelFormat.dwRGBBitCount);
    EXPECT_EQ((std::vector<u32>{0x00070707u, 0x00C8C8C8u}), LevelsOf(texture->GetSurface())[0].texels);
    EXPECT_EQ(2u * 3u, texture->GetSize()) << "8-bit images count as 24-bit";
}

TEST_F(TextureD3D7, OpacityNamedLikeTheDiffuseTakesRedOrAlpha)
{
    WriteTga("rgb.tga", ImageTest::Picture{2, 1, 3, {10, 20, 30, 40, 50, 60}});
    WriteTga("rgba.tga", ImageTest::Picture{2, 1, 4, {10, 20, 30, 99, 40, 50, 60, 77}});
    Texture2D_D3D7* rgb = Get(false, "rgb.tga", "rgb.tga");
    Texture2D_D3D7* rgba = Get(false, "rgba.tga", "rgba.tga");
    // Both are resized to 2 x 1 already; alpha comes from red (24 bits) or from alpha (32 bits).
    EXPECT_EQ((std::vector<u32>{0x0A0A141Eu, 0x2828323Cu}), LevelsOf(rgb->GetSurface())[0].texels);
    EXPECT_EQ((std::vector<u32>{0x630A141Eu, 0x4D28323Cu}), LevelsOf(rgba->GetSurface())[0].texels);
}

TEST_F(TextureD3D7, SmallerLevelsAreBoxFilteredAndOpacityReducedToOneChannel)
{
    Image diffuse = MakeImage(2, 2, 24, {0, 0, 0, 4, 4, 4, 8, 8, 8, 13, 13, 13});
    Image opacity = MakeImage(2, 2, 32, {0, 0, 0, 100, 0, 0, 0, 101, 0, 0, 0, 102, 0, 0, 0, 104});
    const auto texture = Make(diffuse, &opacity, true);
    const std::vector<Level> levels = LevelsOf(texture->GetSurface());
    ASSERT_EQ(2u, levels.size());
    // (0 + 4 + 8 + 13 + 2) >> 2 = 6; alpha (100 + 101 + 102 + 104 + 2) >> 2 = 102.
    EXPECT_EQ((std::vector<u32>{0x66060606u}), levels[1].texels);
}

TEST_F(TextureD3D7, ShowMipMapsPaintsTheSecondLevelRedAndOpaque)
{
    bed.Settings().SetFromString("r_show_mip_maps", "1");
    Image diffuse;
    diffuse.Create(nullptr, 4, 4, 24);
    diffuse.Fill(Color(0.0f, 0.0f, 1.0f, 1.0f));
    Image opacity;
    opacity.Create(nullptr, 4, 4, 8);
    opacity.Fill(Color(0.0f, 0.0f, 0.0f, 0.0f));
    const auto texture = Make(diffuse, &opacity, true);
    const std::vector<Level> levels = LevelsOf(texture->GetSurface());
    ASSERT_EQ(3u, levels.size());
    EXPECT_EQ(0x000000FFu, levels[0].texels[0]);
    EXPECT_EQ(0xFFFF0000u, levels[1].texels[0]);
    EXPECT_EQ(0xFFFF0000u, levels[2].texels[0]) << "smaller levels are built from the red one";
}

TEST_F(TextureD3D7, DeviceResetRebuildsFromTheResizedImages)
{
    WriteTga("odd.tga", ImageTest::MakeGradient(300, 200, 3));
    WriteTga("alpha.tga", ImageTest::MakeGradient(30, 20, 1));
    Texture2D_D3D7* texture = Get(false, "odd.tga", "alpha.tga");
    const std::vector<Level> before = LevelsOf(texture->GetSurface());
    const u32 size = texture->GetSize();
    ASSERT_EQ(256u, before[0].width);
    bed.Settings().SetFromString("v_mode", "800x600x32");
    render->CheckVideoModeChange();
    ASSERT_EQ(1, render->IsResetPending());
    render->Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_EQ(1u, manager->GetTextureCount());
    const std::vector<Level> after = LevelsOf(texture->GetSurface());
    ASSERT_EQ(1u, after.size());
    EXPECT_EQ(256u, after[0].width);
    EXPECT_EQ(256u, after[0].height);
    EXPECT_EQ(size, texture->GetSize());
    EXPECT_EQ(before[0].texels, after[0].texels);
}

TEST_F(TextureD3D7, ReleasedSurfaceComesBackWhenAStageNeedsIt)
{
    WriteTga("small.tga", ImageTest::MakePattern(4, 4, 3));
    Texture2D_D3D7* texture = Get(false, "small.tga");
    const std::vector<u32> texels = LevelsOf(texture->GetSurface())[0].texels;
    texture->ReleaseSurface();
    EXPECT_EQ(texels, LevelsOf(texture->GetSurface())[0].texels);
}

TEST_F(TextureD3D7, TexturedQuadShowsItsTexelsOnScreen)
{
    // Image row 0 is the picture's bottom: red and green there, blue and white on top.
    Image picture = MakeImage(2, 2, 24, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    const auto texture = Make(picture, nullptr, false);
    bed.UseScreenSpace();
    render->SetTexture(0, texture.get());
    render->SetTextureFilter(0, RenderSystem::FilterPoint);
    render->BeginScene();
    // v = 0 (image row 0) at the bottom of the screen, as the engine's models map it.
    bed.DrawTriangles({{-1, -1, 0.5f, 0xFFFFFFFFu, 0, 0},
                       {-1, 1, 0.5f, 0xFFFFFFFFu, 0, 1},
                       {1, 1, 0.5f, 0xFFFFFFFFu, 1, 1},
                       {1, -1, 0.5f, 0xFFFFFFFFu, 1, 0}},
                      {0, 1, 2, 0, 2, 3});
    render->EndScene();
    const Image frame = bed.Screenshot();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 160, 360), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 480, 360), 0, 255, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 160, 120), 0, 0, 255));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 480, 120), 255, 255, 255));
    render->SetTexture(0, nullptr);
}

// The loading thread makes textures through the manager; the main thread draws with them.
class TextureD3D7Threads : public TextureD3D7
{
};

TEST_F(TextureD3D7Threads, TextureMadeOnTheLoadingThreadDrawsOnTheMainThread)
{
    WriteTga("loaded.tga", ImageTest::Picture{1, 1, 3, {0, 200, 100}});
    Texture2D_D3D7* texture = nullptr;
    std::thread loader([&] { texture = Get(true, "loaded.tga"); });
    loader.join();
    ASSERT_NE(nullptr, texture);
    bed.UseScreenSpace();
    render->SetTexture(0, texture);
    render->BeginScene();
    bed.DrawTriangles({{-1, -1, 0.5f}, {-1, 1, 0.5f}, {1, 1, 0.5f}, {1, -1, 0.5f}}, {0, 1, 2, 0, 2, 3});
    render->EndScene();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(bed.Screenshot(), 320, 240), 0, 200, 100));
    render->SetTexture(0, nullptr);
}

namespace
{
void DrawFullScreenQuad(KorvaneTest::RenderTestBed& bed, RenderSystem_D3D7& render, Texture2D* texture)
{
    bed.UseScreenSpace();
    render.SetTexture(0, texture);
    render.BeginScene();
    bed.DrawTriangles({{-1, -1, 0.5f}, {-1, 1, 0.5f}, {1, 1, 0.5f}, {1, -1, 0.5f}}, {0, 1, 2, 0, 2, 3});
    render.EndScene();
}
}

// While the loading thread makes, shares and drops textures, the main thread keeps drawing, refreshing and
// changing the video mode; every texture is registered exactly while it lives and the shown one survives.
TEST_F(TextureD3D7Threads, TexturesComeAndGoOnTheLoadingThreadWhileTheMainThreadDrawsAndResets)
{
    WriteTga("shown.tga", ImageTest::Picture{1, 1, 3, {0, 200, 100}});
    constexpr int Pictures = 4;
    for (int i = 0; i < Pictures; ++i)
        WriteTga("loaded" + std::to_string(i) + ".tga", ImageTest::MakePattern(8, 8, 3, i + 1));
    Texture2D_D3D7* shown = Get(false, "shown.tga");

    // Each side goes on until the other has done its share, so the two surely overlap.
    std::atomic<int> framesDrawn{0};
    std::atomic<bool> loaded{false};
    std::thread loader([&] {
        for (int round = 0; round < 40 || framesDrawn < 6; ++round)
        {
            const std::string name = "loaded" + std::to_string(round % Pictures) + ".tga";
            Texture2D* texture = manager->GetTexture(round % 3 == 0, name, round % 2 ? name : "");
            Texture2D* shared = manager->GetTexture(round % 3 == 0, name, round % 2 ? name : "");
            EXPECT_EQ(texture, shared);
            manager->ReleaseTexture(shared);
            manager->ReleaseTexture(texture);
        }
        loaded = true;
    });
    const char* const modes[] = {"800x600x32", "640x480x32"};
    for (int frame = 0; !loaded; ++frame)
    {
        render->Refresh();
        if (frame % 3 == 2)
        {
            bed.Settings().SetFromString("v_mode", modes[frame % 2]);
            render->CheckVideoModeChange();
            render->Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
        }
        DrawFullScreenQuad(bed, *render, shown);
        ++framesDrawn;
    }
    loader.join();

    EXPECT_TRUE(RenderRgbNear(RenderPixel(bed.Screenshot(), 320, 240), 0, 200, 100));
    EXPECT_EQ(1u, manager->GetTextureCount());
    EXPECT_EQ(std::vector<Texture2D_D3D7*>{shown}, render->GetTextures());
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
    render->SetTexture(0, nullptr);
}

// A texture the main thread drew with and then let go of is deleted on the loading thread when that drops
// the last reference; the stage forgets it at the main thread's next refresh, and drawing goes on.
TEST_F(TextureD3D7Threads, StageForgetsATextureTheLoadingThreadDeletedAtTheNextRefresh)
{
    WriteTga("shared.tga", ImageTest::Picture{1, 1, 3, {200, 0, 0}});
    Texture2D_D3D7* texture = Get(false, "shared.tga");
    std::thread([&] { manager->GetTexture(false, "shared.tga", ""); }).join();
    DrawFullScreenQuad(bed, *render, texture);
    manager->ReleaseTexture(texture);
    std::thread([&] { manager->ReleaseTexture(texture); }).join();
    EXPECT_EQ(0u, manager->GetTextureCount());
    EXPECT_TRUE(render->GetTextures().empty());

    render->Refresh();
    EXPECT_EQ(nullptr, render->GetTexture(0));
    DrawFullScreenQuad(bed, *render, nullptr);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(bed.Screenshot(), 320, 240), 255, 255, 255));
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
}
