// Pixel tests of the OpenGL device: what is drawn is what the back buffer holds when read back.
#include "tests/support/D3D7TestDevice.h"

#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLSurface.h"

#include <malloc.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <thread>

namespace
{
using KorvaneTest::D3D7Argb;
using KorvaneTest::D3D7ColouredVertex;
using KorvaneTest::D3D7TestDevice;
using KorvaneTest::kBlue;
using KorvaneTest::kGreen;
using KorvaneTest::kQuadIndices;
using KorvaneTest::kRed;
using KorvaneTest::Rgb;
using KorvaneTest::RgbNear;

// Two triangles covering x and y from -1 to 1 at depth z, in one colour.
std::vector<D3D7ColouredVertex> Quad(float left, float bottom, float right, float top, float z, std::uint32_t colour)
{
    return {{left, bottom, z, 0, 0, 1, colour}, {left, top, z, 0, 0, 1, colour},
            {right, top, z, 0, 0, 1, colour},   {right, bottom, z, 0, 0, 1, colour}};
}

// What the window's own framebuffer holds, x from the left and y from the top. The context is current after
// any drawing call.
Rgb WindowPixel(int x, int yFromTop, int height)
{
    Platform::GLContext::BindReadFramebuffer(0);
    GLubyte pixel[4] = {};
    glReadPixels(x, height - 1 - yFromTop, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

// Paints the window's own framebuffer behind the device's back.
void PaintWindow(float red, float green, float blue)
{
    Platform::GLContext::BindDrawFramebuffer(0);
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

class GLDevicePixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(test.Failure(), "");
        test.UseScreenSpace();
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                  D3D7Argb(255, 0, 0, 0), 1.0f, 0),
                  DD_OK);
    }

    IDirect3DDevice7* device() { return test.Device(); }

    // A triangle over the lower left corner whose vertices carry a normal and texture coordinates but no colour.
    HRESULT DrawTriangleWithoutColour()
    {
        struct Plain
        {
            float x, y, z, nx, ny, nz, u, v;
        };
        Plain vertices[] = {{-1, -1, 0.5f, 0, 0, 1, 0, 0}, {-1, 1, 0.5f, 0, 0, 1, 0, 0}, {1, 1, 0.5f, 0, 0, 1, 0, 0}};
        std::uint16_t indices[] = {0, 1, 2};
        return device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, vertices,
                                              3, indices, 3, 0);
    }

    D3D7TestDevice test{64, 64};
};

TEST_F(GLDevicePixels, ClearFillsTheViewportWithTheColour)
{
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, D3D7Argb(255, 255, 127, 0), 1.0f, 0), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(0, 0), Rgb{255, 127, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(63, 63), Rgb{255, 127, 0}, 0));
}

TEST_F(GLDevicePixels, ClearOfARectangleLeavesTheRest)
{
    D3DRECT rect{8, 4, 16, 12};
    ASSERT_EQ(device()->Clear(1, &rect, D3DCLEAR_TARGET, kBlue, 1.0f, 0), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 4), Rgb{0, 0, 255}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(15, 11), Rgb{0, 0, 255}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(16, 11), Rgb{0, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(8, 12), Rgb{0, 0, 0}, 0));
}

TEST_F(GLDevicePixels, VertexColoursAreArgb)
{
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kRed), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(0, 0), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(63, 63), Rgb{255, 0, 0}, 0));
}

TEST_F(GLDevicePixels, UpIsTheTopOfTheFrame)
{
    ASSERT_EQ(test.DrawTriangles(Quad(-1, 0, 1, 1, 0.5f, kGreen), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 10), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(32, 54), Rgb{0, 0, 0}, 0));
}

TEST_F(GLDevicePixels, DepthTestKeepsTheNearerWhateverTheOrder)
{
    device()->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    device()->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.25f, kRed), kQuadIndices), DD_OK);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.75f, kBlue), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{255, 0, 0}, 0));
    device()->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.75f, kBlue), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 0, 255}, 0));
}

TEST_F(GLDevicePixels, DepthWriteOffLeavesTheDepthBufferAlone)
{
    device()->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    device()->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS);
    device()->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.25f, kRed), kQuadIndices), DD_OK);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.75f, kBlue), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 0, 255}, 0));
}

TEST_F(GLDevicePixels, CullingClockwiseRemovesClockwiseTriangles)
{
    // Seen on the screen: bottom-left, top-left, top-right turns clockwise.
    const std::vector<D3D7ColouredVertex> clockwise = {{-1, -1, 0.5f, 0, 0, 1, kRed},
                                                       {-1, 1, 0.5f, 0, 0, 1, kRed},
                                                       {1, 1, 0.5f, 0, 0, 1, kRed}};
    const std::vector<std::uint16_t> forward = {0, 1, 2}, backward = {0, 2, 1};
    device()->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CW);
    ASSERT_EQ(test.DrawTriangles(clockwise, forward), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{0, 0, 0}, 0));
    ASSERT_EQ(test.DrawTriangles(clockwise, backward), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{255, 0, 0}, 0));
    device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device()->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
    ASSERT_EQ(test.DrawTriangles(clockwise, backward), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{0, 0, 0}, 0));
    ASSERT_EQ(test.DrawTriangles(clockwise, forward), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(8, 8), Rgb{255, 0, 0}, 0));
}

TEST_F(GLDevicePixels, AlphaBlendingMixesWithTheFrame)
{
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kBlue), kQuadIndices), DD_OK);
    device()->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device()->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device()->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, D3D7Argb(128, 255, 0, 0)), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{128, 0, 127}, 2));
}

TEST_F(GLDevicePixels, DestinationAlphaOfTheFrameIsOne)
{
    device()->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device()->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_DESTALPHA);
    device()->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ZERO);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, D3D7Argb(0, 0, 255, 0)), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 255, 0}, 0));
}

TEST_F(GLDevicePixels, ViewportLimitsDrawingAndClearing)
{
    D3DVIEWPORT7 left{0, 0, 32, 64, 0.0f, 1.0f};
    ASSERT_EQ(device()->SetViewport(&left), DD_OK);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kRed), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(31, 32), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 0, 0}, 0));
    D3DVIEWPORT7 bottomRight{32, 32, 32, 32, 0.0f, 1.0f};
    ASSERT_EQ(device()->SetViewport(&bottomRight), DD_OK);
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(40, 40), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(40, 20), Rgb{0, 0, 0}, 0));
    D3DVIEWPORT7 outside{40, 0, 32, 64, 0.0f, 1.0f};
    EXPECT_EQ(device()->SetViewport(&outside), DDERR_INVALIDPARAMS);
}

TEST_F(GLDevicePixels, StencilIncrementsWhereDrawnAndTestsEqual)
{
    device()->SetRenderState(D3DRENDERSTATE_STENCILENABLE, 1);
    device()->SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL);
    device()->SetRenderState(D3DRENDERSTATE_STENCILREF, 0);
    device()->SetRenderState(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 0, 1, 0.5f, kRed), kQuadIndices), DD_OK);
    // The left half now holds 1 and fails the test; the right half still holds 0.
    ASSERT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kBlue), kQuadIndices), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(16, 32), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(48, 32), Rgb{0, 0, 255}, 0));
}

TEST_F(GLDevicePixels, ThirtyTwoBitIndicesDraw)
{
    const auto vertices = Quad(-1, -1, 1, 1, 0.5f, kGreen);
    const std::vector<std::uint32_t> indices = {0, 1, 2, 0, 2, 3};
    ASSERT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, KorvaneTest::kColouredVertexFormat,
                                             const_cast<D3D7ColouredVertex*>(vertices.data()), 4,
                                             const_cast<std::uint32_t*>(indices.data()), 6, D3DDP_INDEX32),
              DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{0, 255, 0}, 0));
}

TEST_F(GLDevicePixels, VerticesWithoutColourAreWhite)
{
    ASSERT_EQ(DrawTriangleWithoutColour(), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(4, 4), Rgb{255, 255, 255}, 0));
}

TEST_F(GLDevicePixels, LightingWithoutLightsGivesAmbientTimesMaterial)
{
    D3DMATERIAL7 material;
    material.dcvAmbient = D3DCOLORVALUE{0.5f, 1.0f, 1.0f, 1.0f};
    material.dcvDiffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
    ASSERT_EQ(device()->SetMaterial(&material), DD_OK);
    device()->SetRenderState(D3DRENDERSTATE_LIGHTING, 1);
    device()->SetRenderState(D3DRENDERSTATE_AMBIENT, D3D7Argb(255, 255, 0, 128));
    ASSERT_EQ(DrawTriangleWithoutColour(), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(4, 4), Rgb{128, 0, 128}, 2));
}

TEST_F(GLDevicePixels, SceneBracketsAndDrawErrors)
{
    EXPECT_EQ(device()->EndScene(), DDERR_GENERIC);
    EXPECT_EQ(device()->BeginScene(), DD_OK);
    EXPECT_EQ(device()->BeginScene(), DDERR_GENERIC);
    EXPECT_EQ(device()->EndScene(), DD_OK);
    const auto vertices = Quad(-1, -1, 1, 1, 0.5f, kGreen);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, D3DFVF_NORMAL,
                                             const_cast<D3D7ColouredVertex*>(vertices.data()), 4, nullptr, 0, 0),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(device()->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE), DDERR_INVALIDPARAMS);
    D3DMATRIX matrix;
    EXPECT_EQ(device()->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(99), &matrix), DDERR_INVALIDPARAMS);
}

TEST_F(GLDevicePixels, PresentingCopiesTheFrameToTheWindow)
{
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    RECT client;
    ASSERT_TRUE(GetWindowRect(test.Window(), &client));
    EXPECT_EQ(test.Primary()->Blt(&client, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(test.DirectDraw()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(test.Primary()->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    // The frame stays in the back buffer after presenting.
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 255, 0}, 0));
}

TEST_F(GLDevicePixels, AFrameOfTheWindowsSizeIsDrawnStraightIntoTheWindow)
{
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    ASSERT_EQ(test.DrawTriangles(Quad(-1, 0, 1, 1, 0.5f, kRed), kQuadIndices), DD_OK);
    // Nothing has been presented yet: only drawing into the window puts the frame there.
    EXPECT_TRUE(RgbNear(WindowPixel(10, 10, 64), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(WindowPixel(10, 54, 64), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{255, 0, 0}, 0));
}

// After the swap a double-buffered window's back buffer is undefined: a frame read before the swap is still
// what a read after it gives, until the next drawing.
TEST_F(GLDevicePixels, AFrameReadBeforeItsSwapIsReadTheSameAfterIt)
{
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    ASSERT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 255, 0}, 0));
    ASSERT_EQ(test.Primary()->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    PaintWindow(1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 255, 0}, 0));
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 0, 255}, 0));
}

// The window's depth buffer is not the one the device was given: without one of matching format the frame is
// drawn into a framebuffer of our own and copied onto the window when presented.
TEST(GLDeviceWindow, AFrameWithoutItsDepthBufferIsDrawnApartFromTheWindow)
{
    D3D7TestDevice test(64, 64, false);
    ASSERT_EQ(test.Failure(), "");
    test.UseScreenSpace();
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0), DD_OK);
    PaintWindow(1.0f, 0.0f, 0.0f);
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    EXPECT_TRUE(RgbNear(WindowPixel(10, 10, 64), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 255, 0}, 0));
}

// A frame of another shape than its window (full screen on a display of another shape) is shown at its own shape,
// centred. What the window held beside it is undefined after each swap of a double-buffered window, so the bars
// must be painted black on every frame, not only on the first.
TEST(GLDeviceWindow, TheBarsBesideALetterboxedFrameArePaintedBlackEveryFrame)
{
    struct Shape
    {
        int windowWidth, windowHeight;
        // Two pixels on the bars and two at the picture's edges, x and y from the window's top left corner.
        std::array<std::array<int, 2>, 2> bars, picture;
    };
    const Shape shapes[] = {
        {64, 32, {{{0, 31}, {63, 0}}}, {{{16, 0}, {47, 31}}}}, // wider than the frame: bars left and right
        {32, 64, {{{31, 0}, {0, 63}}}, {{{0, 16}, {31, 47}}}}, // taller: bars above and below
    };
    for (const Shape& shape : shapes)
    {
        SCOPED_TRACE(std::to_string(shape.windowWidth) + " x " + std::to_string(shape.windowHeight));
        D3D7TestDevice test(32, 32, shape.windowWidth, shape.windowHeight);
        ASSERT_EQ(test.Failure(), "");
        for (const std::uint32_t colour : {kGreen, kBlue, kGreen})
        {
            ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0), DD_OK);
            PaintWindow(1.0f, 0.0f, 0.0f);
            ASSERT_EQ(test.Primary()->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
            const Rgb shown = colour == kGreen ? Rgb{0, 255, 0} : Rgb{0, 0, 255};
            for (const auto& [x, y] : shape.bars)
                EXPECT_TRUE(RgbNear(WindowPixel(x, y, shape.windowHeight), Rgb{0, 0, 0}, 0)) << x << ", " << y;
            for (const auto& [x, y] : shape.picture)
                EXPECT_TRUE(RgbNear(WindowPixel(x, y, shape.windowHeight), shown, 0)) << x << ", " << y;
        }
    }
}

// Full screen keeps the display's mode: at the display's size the frame is the whole window, and is drawn straight
// into it as a window of its size is, not copied there from a framebuffer of its own on every frame.
TEST(GLDeviceWindow, AFullScreenFrameOfTheDisplaysSizeIsDrawnStraightIntoTheWindow)
{
    D3D7TestDevice test(D3D7TestDevice::FullScreen{});
    ASSERT_EQ(test.Failure(), "");
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
    PaintWindow(1.0f, 0.0f, 0.0f);
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0), DD_OK);
    const int height = static_cast<int>(test.Height());
    EXPECT_TRUE(RgbNear(WindowPixel(10, 10, height), Rgb{0, 0, 255}, 0));
    ASSERT_EQ(test.Primary()->Flip(nullptr, DDFLIP_NOVSYNC), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(10, 10), Rgb{0, 0, 255}, 0));
}

// What the drawing layer holds: surfaces, and GL objects of every kind.
std::vector<std::uint32_t> HeldObjects()
{
    using Platform::GLContext;
    using Platform::GLObjectKind;
    std::vector<std::uint32_t> held{Platform::GLSurface::LiveCount()};
    for (const GLObjectKind kind : {GLObjectKind::Texture, GLObjectKind::Framebuffer, GLObjectKind::Renderbuffer,
                                    GLObjectKind::Sampler, GLObjectKind::Buffer})
        held.push_back(GLContext::LiveObjects(kind));
    return held;
}

// A frame drawn and presented, then what is held while the device lives.
std::vector<std::uint32_t> HeldAfterAFrame(D3D7TestDevice& test)
{
    EXPECT_EQ(test.Failure(), "");
    EXPECT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kGreen, 1.0f, 0), DD_OK);
    EXPECT_EQ(test.Primary()->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    return HeldObjects();
}

// Each trip from the window to full screen and back (the device made again each way, as the render system does)
// leaves nothing behind: the window's device holds what it held before the trips. And the blocks of a frame's
// size that such trips free and ask for again are mapped on their own, so that they never leave holes in the heap
// that the next sizes do not fit.
TEST(GLDeviceWindow, TripsToFullScreenAndBackLeaveNothingBehind)
{
    std::vector<std::uint32_t> windowed;
    {
        D3D7TestDevice test(64, 48);
        windowed = HeldAfterAFrame(test);
    }
    for (int trip = 0; trip < 2; ++trip)
    {
        {
            D3D7TestDevice fullScreen(D3D7TestDevice::FullScreen{});
            HeldAfterAFrame(fullScreen);
        }
        D3D7TestDevice test(64, 48);
        EXPECT_EQ(HeldAfterAFrame(test), windowed) << "trip " << trip;
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // Frames of 1920 x 1080 and 1024 x 768, four bytes a pixel, as a trip on such a display asks for. (A sanitizer
    // brings an allocator of its own, which the C library's heap statistics do not see.)
    for (const std::size_t bytes : {1920u * 1080u * 4u, 1024u * 768u * 4u, 1920u * 1080u * 4u})
    {
        const std::size_t mappedBefore = mallinfo2().hblks;
        void* block = std::malloc(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(mallinfo2().hblks, mappedBefore + 1) << bytes << " bytes came from the heap";
        std::free(block);
    }
#endif
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// A device of its own on a render target of a full-screen frame's size, drawn into and shown, then released.
void DrawWithAnotherRenderTarget(D3D7TestDevice& test)
{
    DDSURFACEDESC2 description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.dwWidth = 1024;
    description.dwHeight = 768;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* target = nullptr;
    ASSERT_EQ(test.DirectDraw()->CreateSurface(&description, &target, nullptr), DD_OK);
    IDirect3DDevice7* device = nullptr;
    EXPECT_EQ(test.Direct3D()->CreateDevice(IID_IDirect3DTnLHalDevice, target, &device), DD_OK);
    if (device)
    {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0), DD_OK);
        EXPECT_EQ(test.Primary()->Blt(nullptr, target, nullptr, DDBLT_WAIT, nullptr), DD_OK);
        device->Release();
    }
    target->Release();
}

// When a device's render target goes (a reset, a trip between the window and full screen), the heap gives back
// the free memory at its top as well as its holes, rather than keeping the padding it keeps after any free for the
// next allocations: what the frames of that size held is not kept resident. (A sanitizer brings an allocator of
// its own, which the C library's heap statistics do not see.)
TEST(GLDeviceWindow, ARenderTargetGoneGivesTheHeapsFreeTopBack)
{
    D3D7TestDevice test(64, 48);
    HeldAfterAFrame(test);
    for (int round = 0; round < 2; ++round)
    {
        DrawWithAnotherRenderTarget(test);
        // The next drawing deletes what the released device left.
        ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0), DD_OK);
        // A free keeps 128 KiB at the heap's top; given back, less than a page or two stays.
        EXPECT_LT(mallinfo2().keepcost, 16u * 1024u) << "round " << round;
    }
}
#endif

// Surfaces are made, filled and released on a loading thread while the main thread draws; only the main
// thread ever touches GL.
TEST(GLDeviceThreads, SystemMemorySurfacesLiveOnAnotherThread)
{
    D3D7TestDevice test(32, 32);
    ASSERT_EQ(test.Failure(), "");
    test.UseScreenSpace();
    std::atomic<int> made{0};
    std::thread loader(
        [&]
        {
            for (int round = 0; round < 50; ++round)
            {
                DDSURFACEDESC2 plain;
                plain.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
                plain.dwWidth = plain.dwHeight = 16;
                plain.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
                IDirectDrawSurface7* surface = nullptr;
                if (FAILED(test.DirectDraw()->CreateSurface(&plain, &surface, nullptr)))
                    continue;
                DDSURFACEDESC2 locked;
                if (SUCCEEDED(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr)))
                {
                    static_cast<std::uint8_t*>(locked.lpSurface)[0] = static_cast<std::uint8_t>(round);
                    surface->Unlock(nullptr);
                    ++made;
                }
                surface->Release();
            }
        });
    for (int frame = 0; frame < 50; ++frame)
    {
        EXPECT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0), DD_OK);
        EXPECT_EQ(test.DrawTriangles(Quad(-1, -1, 1, 1, 0.5f, kRed), kQuadIndices), DD_OK);
    }
    loader.join();
    EXPECT_EQ(made.load(), 50);
    EXPECT_TRUE(RgbNear(test.Pixel(16, 16), Rgb{255, 0, 0}, 0));
}
}
