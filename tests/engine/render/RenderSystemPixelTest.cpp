// The render system drawing for real through OpenGL on an offscreen window; every check reads the frame back
// through RenderSystem::TakeScreenshot.
#include "engine/core/Error.h"
#include "tests/support/RenderTestBed.h"

#include <gtest/gtest.h>

#include <utility>

using namespace VelkorEngine;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;
using KorvaneTest::RenderVertex;

namespace
{
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

std::vector<RenderVertex> Quad(float left, float bottom, float right, float top, float z, std::uint32_t color)
{
    return {{left, bottom, z, color}, {left, top, z, color}, {right, top, z, color}, {right, bottom, z, color}};
}

const std::vector<std::uint32_t> kQuad = {0, 1, 2, 0, 2, 3};

class RenderPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        render = &bed.Start();
        bed.UseScreenSpace();
        render->SetClearColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
        render->BeginScene();
    }

    Image Frame()
    {
        render->EndScene();
        return bed.Screenshot();
    }

    KorvaneTest::RenderTestBed bed;
    RenderSystem_D3D7* render = nullptr;
};

TEST_F(RenderPixels, SceneClearsTheWholeOpaqueScreenshotToTheClearColour)
{
    render->EndScene();
    render->SetClearColor(Color(1.0f, 0.5f, 0.25f, 1.0f));
    render->BeginScene();
    const Image frame = Frame();
    ASSERT_EQ(frame.GetWidth(), 640u);
    ASSERT_EQ(frame.GetHeight(), 480u);
    ASSERT_EQ(frame.GetBitsPerPixel(), 32);
    for (const auto& [x, y] : {std::pair{0u, 0u}, std::pair{639u, 479u}})
    {
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, x, y), 255, 127, 63, 0));
        EXPECT_EQ(RenderPixel(frame, x, y)[3], 255);
    }
}

// The viewport covers the whole mode exactly: the quarters meet at the middle pixels.
TEST_F(RenderPixels, IndexedTriangleListWithVertexColours)
{
    bed.DrawTriangles(Quad(-1, -1, 0, 1, 0.5f, kRed), kQuad);
    bed.DrawTriangles(Quad(0, 0, 1, 1, 0.5f, kGreen), kQuad);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 0, 0), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 319, 479), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 0, 479), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 319, 0), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 0), 0, 255, 0, 0)) << "green is the upper right quarter";
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 639, 239), 0, 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 639, 240), 0, 0, 0, 0));
}

TEST_F(RenderPixels, SmoothColoursBetweenVertices)
{
    const std::vector<RenderVertex> strip = {
        {-1, -1, 0.5f, kRed}, {-1, 1, 0.5f, kRed}, {1, 1, 0.5f, kBlue}, {1, -1, 0.5f, kBlue}};
    bed.DrawTriangles(strip, kQuad);
    const auto middle = RenderPixel(Frame(), 320, 240);
    EXPECT_TRUE(RenderRgbNear(middle, 127, 0, 127, 3));
}

TEST_F(RenderPixels, DepthTestKeepsTheNearerWhateverTheOrder)
{
    render->SetZ(true);
    bed.DrawTriangles(Quad(-1, -1, 0, 1, 0.25f, kRed), kQuad);
    bed.DrawTriangles(Quad(-1, -1, 0, 1, 0.75f, kBlue), kQuad);
    bed.DrawTriangles(Quad(0, -1, 1, 1, 0.75f, kBlue), kQuad);
    bed.DrawTriangles(Quad(0, -1, 1, 1, 0.25f, kRed), kQuad);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 100, 240), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 500, 240), 255, 0, 0, 0));
}

TEST_F(RenderPixels, DepthWriteOffLetsLaterDrawsThrough)
{
    render->SetZ(true);
    render->SetZWrite(false);
    bed.DrawTriangles(Quad(-1, -1, 1, 1, 0.25f, kRed), kQuad);
    bed.DrawTriangles(Quad(-1, -1, 1, 1, 0.75f, kBlue), kQuad);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 0, 0, 255, 0));
}

TEST_F(RenderPixels, AlphaBlendingMixesWithTheFrame)
{
    bed.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kBlue), kQuad);
    render->SetAlphaBlend(true);
    render->SetBlend(RenderSystem::BlendSrcAlpha, RenderSystem::BlendInvSrcAlpha);
    bed.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, 0x80FF0000u), kQuad);
    render->SetBlend(RenderSystem::BlendOne, RenderSystem::BlendOne);
    bed.DrawTriangles(Quad(0, -1, 1, 1, 0.5f, 0xFF004000u), kQuad);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 100, 240), 128, 0, 127, 2));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 500, 240), 128, 64, 127, 2)) << "additive on top";
}

TEST_F(RenderPixels, CullingRemovesTrianglesTurningTheCulledWay)
{
    // On the screen: bottom-left, top-left, top-right turns clockwise.
    const std::vector<RenderVertex> triangle = {{-1, -1, 0.5f, kRed}, {-1, 1, 0.5f, kRed}, {1, 1, 0.5f, kRed}};
    render->SetCullMode(RenderSystem::CullClockwise);
    bed.DrawTriangles(triangle, {0, 1, 2});
    render->SetCullMode(RenderSystem::CullCounterClockwise);
    const std::vector<RenderVertex> lower = {{-1, -1, 0.5f, kGreen}, {1, 1, 0.5f, kGreen}, {1, -1, 0.5f, kGreen}};
    bed.DrawTriangles(lower, {0, 2, 1}); // counter-clockwise: culled
    bed.DrawTriangles(lower, {0, 1, 2}); // clockwise: kept
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 20, 20), 0, 0, 0, 0)) << "the clockwise one was culled";
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 600, 460), 0, 255, 0, 0));
}

TEST_F(RenderPixels, PresentingKeepsTheFrameAndTheNextSceneClearsIt)
{
    bed.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kGreen), kQuad);
    render->EndScene();
    render->SwapBuffers();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(bed.Screenshot(), 320, 240), 0, 255, 0, 0));
    render->BeginScene();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 0, 0, 0, 0));
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
}

TEST(RenderPixelsReset, AModeChangeDrawsAtTheNewSize)
{
    KorvaneTest::RenderTestBed bed;
    RenderSystem_D3D7& render = bed.Start();
    bed.Settings().SetFromString("v_mode", "800x600x32");
    render.CheckVideoModeChange();
    ASSERT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    bed.UseScreenSpace();
    render.SetClearColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
    render.BeginScene();
    bed.DrawTriangles(Quad(0, -1, 1, 1, 0.5f, kRed), kQuad);
    render.EndScene();
    render.SwapBuffers();
    const Image frame = bed.Screenshot();
    ASSERT_EQ(frame.GetWidth(), 800u);
    ASSERT_EQ(frame.GetHeight(), 600u);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 10, 10), 0, 0, 255, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 790, 590), 255, 0, 0, 0));
    EXPECT_EQ(bed.GetWindow().GetWidth(), 800u);
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
}
}

namespace
{
TEST(RenderPixelsFullScreen, TheDesktopModeDrawsIntoTheFlipChain)
{
    KorvaneTest::RenderTestOptions options;
    options.videoMode = "desktop";
    KorvaneTest::RenderTestBed bed(options);
    RenderSystem_D3D7& render = bed.Start();
    ASSERT_EQ(render.GetCurrentDevice()->fullScreen, 1);
    bed.UseScreenSpace();
    render.SetClearColor(Color(0.0f, 1.0f, 0.0f, 1.0f));
    render.BeginScene();
    bed.DrawTriangles(Quad(-1, -1, 0, 1, 0.5f, kRed), kQuad);
    render.EndScene();
    render.SwapBuffers();
    const Image frame = bed.Screenshot();
    const ModeInfo& mode = *render.GetCurrentMode();
    ASSERT_EQ(frame.GetWidth(), mode.width);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 0, 0), 255, 0, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, mode.width - 1, mode.height - 1), 0, 255, 0, 0));
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
}
}
