// A real Direct3D 7 device of the OpenGL layer on an offscreen test window, for pixel tests of the drawing
// layer: windowed, 32 bits per pixel, a depth buffer with stencil, a viewport over the whole back buffer.
// Pixels are read back through the back buffer's lock.
#pragma once

#include "platform/d3d7/D3D.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace KorvaneTest
{
using Rgb = std::array<std::uint8_t, 3>;

// Position, normal, diffuse colour (A8R8G8B8), one pair of texture coordinates: 36 bytes.
struct D3D7ColouredVertex
{
    float x, y, z;
    float nx = 0.0f, ny = 0.0f, nz = 1.0f;
    std::uint32_t diffuse = 0xFFFFFFFFu;
    float u = 0.0f, v = 0.0f;
};
constexpr DWORD kColouredVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class D3D7TestDevice
{
public:
    explicit D3D7TestDevice(DWORD width = 64, DWORD height = 64, bool depthBuffer = true);
    // A frame of one size on a window of another, as a full-screen frame on a display of another shape.
    D3D7TestDevice(DWORD width, DWORD height, int windowWidth, int windowHeight);
    // Full screen as the render system makes it: exclusive mode, the display's mode set to 640 x 480 and a flip
    // chain of that mode, on a window of that size.
    struct FullScreen
    {
    };
    explicit D3D7TestDevice(FullScreen);
    ~D3D7TestDevice();

    D3D7TestDevice(const D3D7TestDevice&) = delete;
    D3D7TestDevice& operator=(const D3D7TestDevice&) = delete;

    // Empty when every step worked, else the step that failed and its result code.
    const std::string& Failure() const { return m_failure; }
    HWND Window() const { return m_window.Handle(); }
    IDirectDraw7* DirectDraw() const { return m_directDraw; }
    IDirect3D7* Direct3D() const { return m_direct3D; }
    IDirect3DDevice7* Device() const { return m_device; }
    IDirectDrawSurface7* Primary() const { return m_primary; }
    IDirectDrawSurface7* BackBuffer() const { return m_backBuffer; }
    DWORD Width() const { return m_width; }
    DWORD Height() const { return m_height; }

    // Unlit, untextured drawing with a projection that maps x and y from -1 to 1 onto the viewport and
    // keeps z (0 near, 1 far): what most pixel tests want.
    void UseScreenSpace();
    // Draws a triangle list, with 16-bit indices.
    HRESULT DrawTriangles(const std::vector<D3D7ColouredVertex>& vertices, const std::vector<std::uint16_t>& indices);
    // The back buffer's pixels, top row first, row by row.
    std::vector<Rgb> ReadPixels();
    // One pixel, x from the left and y from the top.
    Rgb Pixel(DWORD x, DWORD y);

private:
    void Build(bool depthBuffer, bool fullScreen = false);
    HRESULT MakeScreenBuffers(bool fullScreen);
    void Fail(const std::string& step, HRESULT result);

    TestWindow m_window;
    DWORD m_width;
    DWORD m_height;
    IDirectDraw7* m_directDraw = nullptr;
    IDirect3D7* m_direct3D = nullptr;
    IDirectDrawSurface7* m_primary = nullptr;
    IDirectDrawSurface7* m_backBuffer = nullptr;
    IDirectDrawSurface7* m_depth = nullptr;
    IDirect3DDevice7* m_device = nullptr;
    std::string m_failure;
};

// Within the tolerance on every channel; the failure message shows both colours as numbers.
::testing::AssertionResult RgbNear(const Rgb& actual, const Rgb& expected, int tolerance = 2);

// Packs a colour as the device takes it.
constexpr std::uint32_t D3D7Argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
}
constexpr std::uint32_t kRed = D3D7Argb(255, 255, 0, 0);
constexpr std::uint32_t kGreen = D3D7Argb(255, 0, 255, 0);
constexpr std::uint32_t kBlue = D3D7Argb(255, 0, 0, 255);

// The two triangles of a quad whose four corners are given in turn around it.
inline const std::vector<std::uint16_t> kQuadIndices = {0, 1, 2, 0, 2, 3};

// Pixel format enumeration callback: appends each format offered to the std::vector<DDPIXELFORMAT> given as
// context, and asks for the next.
HRESULT CollectPixelFormat(DDPIXELFORMAT* format, void* context);
}
