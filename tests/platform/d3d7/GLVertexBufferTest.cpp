// Pixel tests of vertex buffers in GL buffer objects: what a draw shows is what the buffer held at that draw,
// after any number of locks, next to draws from memory, from a start vertex on, and on a context made after
// the buffer.
#include "platform/d3d7/GLContext.h"
#include "tests/support/D3D7TestDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
using KorvaneTest::D3D7Argb;
using KorvaneTest::D3D7ColouredVertex;
using KorvaneTest::D3D7TestDevice;
using KorvaneTest::kBlue;
using KorvaneTest::kColouredVertexFormat;
using KorvaneTest::kGreen;
using KorvaneTest::kQuadIndices;
using KorvaneTest::kRed;
using KorvaneTest::Rgb;
using KorvaneTest::RgbNear;

const Rgb kBlack{0, 0, 0};

std::vector<D3D7ColouredVertex> Quad(float left, float bottom, float right, float top, std::uint32_t colour)
{
    return {{left, bottom, 0.5f, 0, 0, 1, colour}, {left, top, 0.5f, 0, 0, 1, colour},
            {right, top, 0.5f, 0, 0, 1, colour},   {right, bottom, 0.5f, 0, 0, 1, colour}};
}

struct BufferRelease
{
    void operator()(IDirect3DVertexBuffer7* buffer) const { buffer->Release(); }
};
using Buffer = std::unique_ptr<IDirect3DVertexBuffer7, BufferRelease>;

Buffer MakeBuffer(IDirect3D7& direct3D, DWORD vertexCount)
{
    D3DVERTEXBUFFERDESC description;
    description.dwFVF = kColouredVertexFormat;
    description.dwNumVertices = vertexCount;
    IDirect3DVertexBuffer7* made = nullptr;
    EXPECT_EQ(direct3D.CreateVertexBuffer(&description, &made, 0), DD_OK);
    return Buffer(made);
}

HRESULT Fill(IDirect3DVertexBuffer7& buffer, const std::vector<D3D7ColouredVertex>& vertices, DWORD first = 0)
{
    void* memory = nullptr;
    DWORD size = 0;
    const HRESULT locked = buffer.Lock(DDLOCK_WAIT | DDLOCK_WRITEONLY, &memory, &size);
    if (FAILED(locked))
        return locked;
    EXPECT_GE(size, (first + vertices.size()) * sizeof(D3D7ColouredVertex));
    std::memcpy(static_cast<D3D7ColouredVertex*>(memory) + first, vertices.data(),
                vertices.size() * sizeof(D3D7ColouredVertex));
    return buffer.Unlock();
}

HRESULT DrawQuad(IDirect3DDevice7& device, IDirect3DVertexBuffer7& buffer, DWORD startVertex = 0)
{
    return device.DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, &buffer, startVertex, 4,
                                         const_cast<std::uint16_t*>(kQuadIndices.data()), 6, 0);
}

class GLVertexBufferPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(test.Failure(), "");
        test.UseScreenSpace();
        ClearBlack();
    }

    void ClearBlack()
    {
        ASSERT_EQ(device().Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3D7Argb(255, 0, 0, 0), 1.0f, 0),
                  DD_OK);
    }

    IDirect3DDevice7& device() { return *test.Device(); }

    D3D7TestDevice test{64, 64};
};

TEST_F(GLVertexBufferPixels, ABufferDrawsWhatWasWrittenIntoIt)
{
    Buffer buffer = MakeBuffer(*test.Direct3D(), 4);
    ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 1, 1, kRed)), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 32), Rgb{255, 0, 0}, 0));
}

// The second draw must show the moved, recoloured vertices, not what the buffer object received first.
TEST_F(GLVertexBufferPixels, VerticesChangedAfterADrawAreDrawnAsChanged)
{
    Buffer buffer = MakeBuffer(*test.Direct3D(), 4);
    ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 1, 0, kRed)), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 48), Rgb{255, 0, 0}, 0));
    ClearBlack();
    ASSERT_EQ(Fill(*buffer, Quad(-1, 0, 1, 1, kGreen)), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 16), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(32, 48), kBlack, 0));
    // Drawn again unchanged, it still shows the same.
    ClearBlack();
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(32, 16), Rgb{0, 255, 0}, 0));
}

// Counted like the layer's other GL objects, so that a long session can show buffers do not pile up: made at
// the first draw, gone once the buffer is released and the next draw has run.
TEST_F(GLVertexBufferPixels, AReleasedBufferLeavesNoGLBufferBehind)
{
    using Platform::GLContext;
    using Platform::GLObjectKind;
    const std::uint32_t buffers = GLContext::LiveObjects(GLObjectKind::Buffer);
    Buffer buffer = MakeBuffer(*test.Direct3D(), 4);
    ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 1, 1, kRed)), DD_OK);
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Buffer), buffers);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Buffer), buffers + 1);
    buffer.reset();
    Buffer other = MakeBuffer(*test.Direct3D(), 4);
    ASSERT_EQ(Fill(*other, Quad(-1, -1, 1, 1, kGreen)), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *other), DD_OK);
    EXPECT_EQ(GLContext::LiveObjects(GLObjectKind::Buffer), buffers + 1);
}

// A draw from memory after one from a buffer must not read its vertices out of the buffer object, nor the
// other way round.
TEST_F(GLVertexBufferPixels, DrawsFromBuffersAndFromMemoryMix)
{
    Buffer buffer = MakeBuffer(*test.Direct3D(), 4);
    ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 0, 1, kRed)), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    ASSERT_EQ(test.DrawTriangles(Quad(0, -1, 1, 1, kBlue), kQuadIndices), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(16, 32), Rgb{255, 0, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(48, 32), Rgb{0, 0, 255}, 0));
}

TEST_F(GLVertexBufferPixels, IndicesCountFromTheStartVertex)
{
    Buffer buffer = MakeBuffer(*test.Direct3D(), 8);
    ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 0, 1, kRed)), DD_OK);
    ASSERT_EQ(Fill(*buffer, Quad(0, -1, 1, 1, kGreen), 4), DD_OK);
    ASSERT_EQ(DrawQuad(device(), *buffer, 4), DD_OK);
    EXPECT_TRUE(RgbNear(test.Pixel(48, 32), Rgb{0, 255, 0}, 0));
    EXPECT_TRUE(RgbNear(test.Pixel(16, 32), kBlack, 0));
}

TEST_F(GLVertexBufferPixels, MisuseIsRefused)
{
    Buffer buffer = MakeBuffer(*test.Direct3D(), 4);
    void* memory = nullptr;
    EXPECT_EQ(buffer->Unlock(), DDERR_NOTLOCKED);
    ASSERT_EQ(buffer->Lock(DDLOCK_WAIT, &memory, nullptr), DD_OK);
    EXPECT_EQ(buffer->Lock(DDLOCK_WAIT, &memory, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(buffer->Unlock(), DD_OK);
    std::uint16_t indices[] = {0, 1, 2};
    EXPECT_EQ(device().DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer.get(), 2, 3, indices, 3, 0),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(device().DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, nullptr, 0, 3, indices, 3, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device().DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer.get(), 0, 3, nullptr, 3, 0),
              DDERR_INVALIDPARAMS);
    D3DVERTEXBUFFERDESC transformed;
    transformed.dwFVF = 0x4; // pre-transformed positions, which the device does not draw
    transformed.dwNumVertices = 4;
    IDirect3DVertexBuffer7* made = nullptr;
    EXPECT_EQ(test.Direct3D()->CreateVertexBuffer(&transformed, &made, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(made, nullptr);
}

// Everything of the first display goes, the context with it; the buffer keeps its vertices and draws them
// on the next display's context.
TEST(GLVertexBufferAcrossDisplays, ABufferDrawsOnAContextMadeAfterIt)
{
    Buffer buffer;
    {
        D3D7TestDevice first(64, 64);
        ASSERT_EQ(first.Failure(), "");
        first.UseScreenSpace();
        buffer = MakeBuffer(*first.Direct3D(), 4);
        ASSERT_EQ(Fill(*buffer, Quad(-1, -1, 1, 1, kBlue)), DD_OK);
        ASSERT_EQ(DrawQuad(*first.Device(), *buffer), DD_OK);
    }
    D3D7TestDevice second(64, 64);
    ASSERT_EQ(second.Failure(), "");
    second.UseScreenSpace();
    ASSERT_EQ(second.Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3D7Argb(255, 0, 0, 0), 1.0f, 0),
              DD_OK);
    ASSERT_EQ(DrawQuad(*second.Device(), *buffer), DD_OK);
    EXPECT_TRUE(RgbNear(second.Pixel(32, 32), Rgb{0, 0, 255}, 0));
}
}
