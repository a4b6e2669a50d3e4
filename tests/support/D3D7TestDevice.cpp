// Builds the windowed device the way the render system does, and reads its frame back.
#include "tests/support/D3D7TestDevice.h"

#include <cstdlib>

namespace KorvaneTest
{
namespace
{
template <class T>
void ReleaseAndClear(T*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}

DDPIXELFORMAT DepthFormat()
{
    DDPIXELFORMAT format;
    format.dwFlags = DDPF_ZBUFFER | DDPF_STENCILBUFFER;
    format.dwZBufferBitDepth = 32;
    format.dwStencilBitDepth = 8;
    return format;
}
}

D3D7TestDevice::D3D7TestDevice(DWORD width, DWORD height, bool depthBuffer)
    : m_window(static_cast<int>(width), static_cast<int>(height), "D3D7 test window"), m_width(width), m_height(height)
{
    Build(depthBuffer);
}

D3D7TestDevice::D3D7TestDevice(DWORD width, DWORD height, int windowWidth, int windowHeight)
    : m_window(windowWidth, windowHeight, "D3D7 test window"), m_width(width), m_height(height)
{
    Build(true);
}

D3D7TestDevice::D3D7TestDevice(FullScreen)
    : m_window(640, 480, "D3D7 full-screen test window"), m_width(640), m_height(480)
{
    Build(true, true);
}

HRESULT D3D7TestDevice::MakeScreenBuffers(bool fullScreen)
{
    DDSURFACEDESC2 primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (fullScreen)
    {
        primary.dwFlags |= DDSD_BACKBUFFERCOUNT;
        primary.dwBackBufferCount = 1;
        primary.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    }
    HRESULT result = m_directDraw->CreateSurface(&primary, &m_primary, nullptr);
    if (FAILED(result))
        return result;
    if (fullScreen)
    {
        DDSCAPS2 caps;
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        return m_primary->GetAttachedSurface(&caps, &m_backBuffer);
    }
    DDSURFACEDESC2 back;
    back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    back.dwWidth = m_width;
    back.dwHeight = m_height;
    back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    return m_directDraw->CreateSurface(&back, &m_backBuffer, nullptr);
}

void D3D7TestDevice::Build(bool depthBuffer, bool fullScreen)
{
    const DWORD width = m_width, height = m_height;
    HRESULT result = DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_directDraw), IID_IDirectDraw7, nullptr);
    if (FAILED(result))
        return Fail("DirectDrawCreateEx", result);
    const DWORD level = fullScreen ? DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN : DDSCL_NORMAL;
    if (FAILED(result = m_directDraw->SetCooperativeLevel(m_window.Handle(), level | DDSCL_FPUSETUP)))
        return Fail("SetCooperativeLevel", result);
    if (fullScreen && FAILED(result = m_directDraw->SetDisplayMode(width, height, 32, 0, 0)))
        return Fail("SetDisplayMode", result);
    if (FAILED(result = MakeScreenBuffers(fullScreen)))
        return Fail("screen buffers", result);
    if (depthBuffer)
    {
        DDSURFACEDESC2 depth;
        depth.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        depth.dwWidth = width;
        depth.dwHeight = height;
        depth.dwFlags |= DDSD_PIXELFORMAT;
        depth.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY;
        depth.ddpfPixelFormat = DepthFormat();
        if (FAILED(result = m_directDraw->CreateSurface(&depth, &m_depth, nullptr)))
            return Fail("CreateSurface(depth)", result);
        if (FAILED(result = m_backBuffer->AddAttachedSurface(m_depth)))
            return Fail("AddAttachedSurface", result);
    }
    if (FAILED(result = m_directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&m_direct3D))))
        return Fail("QueryInterface(IDirect3D7)", result);
    if (FAILED(result = m_direct3D->CreateDevice(IID_IDirect3DTnLHalDevice, m_backBuffer, &m_device)))
        return Fail("CreateDevice", result);
    D3DVIEWPORT7 viewport{0, 0, width, height, 0.0f, 1.0f};
    if (FAILED(result = m_device->SetViewport(&viewport)))
        return Fail("SetViewport", result);
}

D3D7TestDevice::~D3D7TestDevice()
{
    ReleaseAndClear(m_device);
    ReleaseAndClear(m_direct3D);
    ReleaseAndClear(m_backBuffer);
    ReleaseAndClear(m_depth);
    ReleaseAndClear(m_primary);
    ReleaseAndClear(m_directDraw);
}

void D3D7TestDevice::Fail(const std::string& step, HRESULT result)
{
    m_failure = step + " failed with " + std::to_string(result);
}

void D3D7TestDevice::UseScreenSpace()
{
    D3DMATRIX identity;
    identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
    m_device->SetTransform(D3DTRANSFORMSTATE_WORLD, &identity);
    m_device->SetTransform(D3DTRANSFORMSTATE_VIEW, &identity);
    m_device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &identity);
    m_device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
    m_device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    m_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    m_device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

HRESULT D3D7TestDevice::DrawTriangles(const std::vector<D3D7ColouredVertex>& vertices,
                                      const std::vector<std::uint16_t>& indices)
{
    return m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kColouredVertexFormat,
                                          const_cast<D3D7ColouredVertex*>(vertices.data()),
                                          static_cast<DWORD>(vertices.size()), const_cast<std::uint16_t*>(indices.data()),
                                          static_cast<DWORD>(indices.size()), 0);
}

std::vector<Rgb> D3D7TestDevice::ReadPixels()
{
    std::vector<Rgb> pixels;
    DDSURFACEDESC2 locked;
    if (FAILED(m_backBuffer->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
        return pixels;
    pixels.reserve(static_cast<size_t>(locked.dwWidth) * locked.dwHeight);
    for (DWORD y = 0; y < locked.dwHeight; ++y)
    {
        const auto* row = static_cast<const std::uint8_t*>(locked.lpSurface) + static_cast<size_t>(y) * locked.lPitch;
        for (DWORD x = 0; x < locked.dwWidth; ++x)
            pixels.push_back(Rgb{row[x * 4 + 2], row[x * 4 + 1], row[x * 4]});
    }
    m_backBuffer->Unlock(nullptr);
    return pixels;
}

::testing::AssertionResult RgbNear(const Rgb& actual, const Rgb& expected, int tolerance)
{
    for (size_t channel = 0; channel < 3; ++channel)
        if (std::abs(int(actual[channel]) - int(expected[channel])) > tolerance)
            return ::testing::AssertionFailure()
                   << "got (" << int(actual[0]) << ", " << int(actual[1]) << ", " << int(actual[2]) << "), expected ("
                   << int(expected[0]) << ", " << int(expected[1]) << ", " << int(expected[2]) << ")";
    return ::testing::AssertionSuccess();
}

Rgb D3D7TestDevice::Pixel(DWORD x, DWORD y)
{
    const std::vector<Rgb> pixels = ReadPixels();
    const size_t index = static_cast<size_t>(y) * m_width + x;
    return index < pixels.size() ? pixels[index] : Rgb{};
}

HRESULT CollectPixelFormat(DDPIXELFORMAT* format, void* context)
{
    static_cast<std::vector<DDPIXELFORMAT>*>(context)->push_back(*format);
    return D3DENUMRET_OK;
}
}
