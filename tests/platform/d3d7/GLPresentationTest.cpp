// Presenting the device's frame: how many frames the driver may hold queued, and a frame placed between bars
// on a window of another shape.
#include "tests/support/D3D7TestDevice.h"

#include "platform/d3d7/GLContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using KorvaneTest::D3D7Argb;
using KorvaneTest::D3D7ColouredVertex;
using KorvaneTest::D3D7TestDevice;
using KorvaneTest::Rgb;
using KorvaneTest::RgbNear;

// x and y from -1 to 1 over the rectangle given, in one colour.
void AddRectangle(std::vector<D3D7ColouredVertex>& vertices, std::vector<std::uint16_t>& indices, float left,
                  float bottom, float right, float top, std::uint32_t colour)
{
    const auto first = static_cast<std::uint16_t>(vertices.size());
    vertices.push_back({left, bottom, 0.5f, 0, 0, 1, colour});
    vertices.push_back({left, top, 0.5f, 0, 0, 1, colour});
    vertices.push_back({right, top, 0.5f, 0, 0, 1, colour});
    vertices.push_back({right, bottom, 0.5f, 0, 0, 1, colour});
    for (const std::uint16_t corner : {0, 1, 2, 0, 2, 3})
        indices.push_back(static_cast<std::uint16_t>(first + corner));
}

// Many translucent layers over the whole frame: work enough that a software driver is still drawing it long
// after the next frames have been handed over.
HRESULT DrawLayeredFrame(D3D7TestDevice& test)
{
    IDirect3DDevice7* device = test.Device();
    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    std::vector<D3D7ColouredVertex> vertices;
    std::vector<std::uint16_t> indices;
    for (int layer = 0; layer < 200; ++layer)
        AddRectangle(vertices, indices, -1, -1, 1, 1, D3D7Argb(16, static_cast<std::uint8_t>(layer), 80, 160));
    return test.DrawTriangles(vertices, indices);
}

HRESULT PresentWithoutRectangle(D3D7TestDevice& test)
{
    return test.Primary()->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr);
}

// The window's own framebuffer, x from the left and y from the top (the context is current after presenting).
Rgb ShownPixel(int x, int yFromTop, int windowHeight)
{
    Platform::GLContext::BindReadFramebuffer(0);
    GLubyte pixel[4] = {};
    glReadPixels(x, windowHeight - 1 - yFromTop, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

// Something else paints over the whole window between two presentations.
void PaintWholeWindow()
{
    Platform::GLContext::BindDrawFramebuffer(0);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// A swap that waits for nothing (the offscreen driver's) must not let frames pile up in the driver: once two
// more frames have been presented, the first is drawn.
TEST(GLPresentation, AtMostOneFrameIsQueuedBehindTheOneShown)
{
    D3D7TestDevice test(512, 512);
    ASSERT_EQ(test.Failure(), "");
    test.UseScreenSpace();
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                   D3D7Argb(255, 0, 0, 0), 1.0f, 0),
              DD_OK);
    const Platform::GLFunctions& gl = Platform::GLContext::Functions();
    ASSERT_NE(gl.FenceSync, nullptr) << "this driver has no fences to hold frames back with";
    GLsync firstFrameDrawn = nullptr;
    for (int frame = 0; frame < 3; ++frame)
    {
        ASSERT_EQ(DrawLayeredFrame(test), DD_OK);
        ASSERT_EQ(PresentWithoutRectangle(test), DD_OK);
        if (frame == 0)
            firstFrameDrawn = gl.FenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    }
    EXPECT_EQ(gl.ClientWaitSync(firstFrameDrawn, 0, 0), static_cast<GLenum>(GL_ALREADY_SIGNALED));
    gl.DeleteSync(firstFrameDrawn);
}

// A 64 x 48 frame on a 128 x 72 window is scaled by one and a half into the middle 96 x 72: bars 16 wide on
// either side stay black every frame, whatever was painted there before.
TEST(GLPresentation, BarsBesideAScaledFrameAreBlackEveryFrame)
{
    D3D7TestDevice test(64, 48, 128, 72);
    ASSERT_EQ(test.Failure(), "");
    for (const std::uint32_t colour : {D3D7Argb(255, 0, 255, 0), D3D7Argb(255, 0, 0, 255)})
    {
        ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0), DD_OK);
        PaintWholeWindow();
        ASSERT_EQ(PresentWithoutRectangle(test), DD_OK);
        const Rgb expected{0, static_cast<std::uint8_t>((colour >> 8) & 0xFF), static_cast<std::uint8_t>(colour & 0xFF)};
        for (const int y : {0, 35, 71})
        {
            EXPECT_TRUE(RgbNear(ShownPixel(0, y, 72), Rgb{0, 0, 0}, 0));
            EXPECT_TRUE(RgbNear(ShownPixel(15, y, 72), Rgb{0, 0, 0}, 0));
            EXPECT_TRUE(RgbNear(ShownPixel(16, y, 72), expected, 0));
            EXPECT_TRUE(RgbNear(ShownPixel(111, y, 72), expected, 0));
            EXPECT_TRUE(RgbNear(ShownPixel(112, y, 72), Rgb{0, 0, 0}, 0));
            EXPECT_TRUE(RgbNear(ShownPixel(127, y, 72), Rgb{0, 0, 0}, 0));
        }
    }
}

// Left half red, right half blue, the right half's top quarter green: shown mirrored or upside down, the frame
// would differ.
void DrawMarkedHalves(D3D7TestDevice& test)
{
    test.UseScreenSpace();
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                   D3D7Argb(255, 0, 0, 0), 1.0f, 0),
              DD_OK);
    std::vector<D3D7ColouredVertex> vertices;
    std::vector<std::uint16_t> indices;
    AddRectangle(vertices, indices, -1, -1, 0, 1, D3D7Argb(255, 255, 0, 0));
    AddRectangle(vertices, indices, 0, -1, 1, 1, D3D7Argb(255, 0, 0, 255));
    AddRectangle(vertices, indices, 0, 0.5f, 1, 1, D3D7Argb(255, 0, 255, 0));
    ASSERT_EQ(test.DrawTriangles(vertices, indices), DD_OK);
}

// Twice the size, each pixel becomes two by two of the same colour: the edge between the halves stays sharp. The
// frame keeps its way up.
TEST(GLPresentation, AFrameScaledByAWholeNumberRepeatsItsPixels)
{
    D3D7TestDevice test(32, 24, 128, 48);
    ASSERT_EQ(test.Failure(), "");
    DrawMarkedHalves(test);
    ASSERT_EQ(PresentWithoutRectangle(test), DD_OK);
    // The frame covers x 32 to 95; its halves meet between window columns 63 and 64, and its green quarter
    // covers the right half's top 12 rows.
    EXPECT_TRUE(RgbNear(ShownPixel(63, 20, 48), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(ShownPixel(64, 20, 48), Rgb{0, 0, 255}, 0));
    EXPECT_TRUE(RgbNear(ShownPixel(80, 11, 48), Rgb{0, 255, 0}, 0)) << "the top of the frame";
    EXPECT_TRUE(RgbNear(ShownPixel(80, 12, 48), Rgb{0, 0, 255}, 0));
    EXPECT_TRUE(RgbNear(ShownPixel(80, 47, 48), Rgb{0, 0, 255}, 0)) << "the bottom of the frame";
}

// By one and a half, pixels cannot all be repeated alike: the frame is smoothed, and the edge between the halves
// shows a blend of both colours.
TEST(GLPresentation, AFrameScaledByAFractionIsSmoothed)
{
    D3D7TestDevice test(32, 24, 96, 36);
    ASSERT_EQ(test.Failure(), "");
    DrawMarkedHalves(test);
    ASSERT_EQ(PresentWithoutRectangle(test), DD_OK);
    // The frame covers x 24 to 71; its halves meet at window column 48.
    const Rgb left = ShownPixel(47, 18, 36);
    const Rgb right = ShownPixel(48, 18, 36);
    EXPECT_GT(left[2], 0) << "red side of the edge shows no blue";
    EXPECT_GT(right[0], 0) << "blue side of the edge shows no red";
    EXPECT_TRUE(RgbNear(ShownPixel(30, 18, 36), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(ShownPixel(66, 18, 36), Rgb{0, 0, 255}, 0));
}
}

namespace
{
// Presenting a scaled frame draws it onto the window with state of its own: the device's next frame is drawn with
// the device's state (its viewport over the whole frame), not with what the presentation left.
TEST(GLPresentation, AScaledPresentationLeavesTheDevicesFrameAsItWas)
{
    D3D7TestDevice test(32, 24, 96, 36);
    ASSERT_EQ(test.Failure(), "");
    for (int frame = 0; frame < 2; ++frame)
    {
        DrawMarkedHalves(test);
        EXPECT_TRUE(RgbNear(test.Pixel(2, 2), Rgb{255, 0, 0}, 0)) << "frame " << frame;
        EXPECT_TRUE(RgbNear(test.Pixel(29, 21), Rgb{0, 0, 255}, 0)) << "frame " << frame;
        ASSERT_EQ(PresentWithoutRectangle(test), DD_OK);
    }
}
}

namespace
{
// The calls a presentation makes that tell the order of its steps, recorded between the layer and the driver.
std::vector<std::string> g_steps;
Platform::GLFunctions g_driver;

void APIENTRY RecordFinish()
{
    g_steps.emplace_back("finish");
    g_driver.Finish();
}

void APIENTRY RecordBindFramebuffer(GLenum target, GLuint framebuffer)
{
    if (target != GL_READ_FRAMEBUFFER)
        g_steps.emplace_back(framebuffer == 0 ? "draw into the window" : "draw into a framebuffer");
    g_driver.BindFramebuffer(target, framebuffer);
}

HRESULT PresentRecordingSteps(D3D7TestDevice& test)
{
    g_steps.clear();
    g_driver = Platform::GLContext::Functions();
    Platform::GLFunctions recording = g_driver;
    recording.Finish = RecordFinish;
    recording.BindFramebuffer = RecordBindFramebuffer;
    Platform::GLContext::ReplaceFunctions(recording);
    const HRESULT result = PresentWithoutRectangle(test);
    Platform::GLContext::ReplaceFunctions(g_driver);
    return result;
}

// A scaled frame is drawn whole before the window is drawn to: a software renderer otherwise bins the window's
// drawing in a batch of its own that later stays idle, holding on to the window's buffers after they were let go.
TEST(GLPresentation, AScaledFrameIsFinishedBeforeTheWindowIsDrawnTo)
{
    D3D7TestDevice test(32, 24, 128, 48);
    ASSERT_EQ(test.Failure(), "");
    DrawMarkedHalves(test);
    ASSERT_EQ(PresentRecordingSteps(test), DD_OK);
    const std::vector<std::string> firstSteps(g_steps.begin(), g_steps.begin() + std::min<size_t>(g_steps.size(), 2));
    EXPECT_EQ(firstSteps, (std::vector<std::string>{"finish", "draw into the window"}));
}
}
