// The OpenGL layer's DirectDraw side: the adapter, devices, depth formats, display modes, surface creation
// rules, reference counts and locks, on a real offscreen window.
#include "platform/d3d7/D3D.h"
#include "platform/d3d7/GLContext.h"
#include "platform/win32/PlatformWindow.h"
#include "tests/support/D3D7TestDevice.h"
#include "tests/support/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{
using KorvaneTest::CollectPixelFormat;

struct Adapter
{
    bool primary = false;
    std::string description;
};

BOOL CollectAdapter(GUID* guid, char* description, char*, void* context, void*)
{
    static_cast<std::vector<Adapter>*>(context)->push_back(Adapter{guid == nullptr, description});
    return TRUE;
}

struct Device
{
    std::string name;
    D3DDEVICEDESC7 description;
};

HRESULT CollectDevice(char*, char* name, D3DDEVICEDESC7* description, void* context)
{
    static_cast<std::vector<Device>*>(context)->push_back(Device{name, *description});
    return D3DENUMRET_OK;
}

HRESULT CollectMode(DDSURFACEDESC2* mode, void* context)
{
    static_cast<std::vector<DDSURFACEDESC2>*>(context)->push_back(*mode);
    return DDENUMRET_OK;
}

IDirectDraw7* CreateDirectDraw()
{
    IDirectDraw7* directDraw = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr), DD_OK);
    return directDraw;
}

TEST(GLDirectDraw, OneAdapterThePrimaryDisplay)
{
    std::vector<Adapter> adapters;
    ASSERT_EQ(DirectDrawEnumerateExA(CollectAdapter, &adapters, 7), DD_OK);
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_TRUE(adapters[0].primary);
    EXPECT_FALSE(adapters[0].description.empty());
    GUID other{1, 2, 3, {}};
    IDirectDraw7* directDraw = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(&other, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr),
              DDERR_INVALIDDIRECTDRAWGUID);
}

TEST(GLDirectDraw, HardwareAndTransformAndLightingDevices)
{
    KorvaneTest::TestWindow window;
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirect3D7* direct3D = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D)), DD_OK);
    std::vector<Device> devices;
    ASSERT_EQ(direct3D->EnumDevices(CollectDevice, &devices), DD_OK);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_TRUE(devices[0].description.deviceGUID == IID_IDirect3DHALDevice);
    EXPECT_TRUE(devices[1].description.deviceGUID == IID_IDirect3DTnLHalDevice);
    for (const Device& device : devices)
    {
        EXPECT_NE(device.description.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION, 0u) << device.name;
        EXPECT_NE(device.description.dwDeviceRenderBitDepth & DDBD_32, 0u);
        EXPECT_NE(device.description.dwDeviceRenderBitDepth & DDBD_16, 0u);
        EXPECT_GE(device.description.wMaxSimultaneousTextures, 2);
        EXPECT_GE(device.description.dwMaxTextureWidth, 1024u);
        EXPECT_GE(device.description.dwMaxAnisotropy, 1u);
        EXPECT_EQ(device.description.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR, 0u);
    }
    EXPECT_NE(devices[1].description.dwDevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    EXPECT_EQ(direct3D->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST(GLDirectDraw, DepthFormatsReportTheirTotalBits)
{
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirect3D7* direct3D = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D)), DD_OK);
    std::vector<DDPIXELFORMAT> formats;
    ASSERT_EQ(direct3D->EnumZBufferFormats(IID_IDirect3DHALDevice, CollectPixelFormat, &formats), DD_OK);
    ASSERT_EQ(formats.size(), 3u);
    EXPECT_EQ(formats[0].dwZBufferBitDepth, 16u);
    EXPECT_EQ(formats[0].dwStencilBitDepth, 0u);
    EXPECT_EQ(formats[1].dwZBufferBitDepth, 32u);
    EXPECT_EQ(formats[1].dwStencilBitDepth, 0u);
    EXPECT_EQ(formats[2].dwZBufferBitDepth, 32u);
    EXPECT_EQ(formats[2].dwStencilBitDepth, 8u);
    EXPECT_EQ(direct3D->EnumZBufferFormats(IID_IDirect3DRefDevice, CollectPixelFormat, &formats), DDERR_INVALIDPARAMS);
    direct3D->Release();
    directDraw->Release();
}

TEST(GLDirectDraw, DisplayModesOfAVirtualScreenAreSynthesisedUpToTheDesktop)
{
    KorvaneTest::TestWindow window;
    IDirectDraw7* directDraw = CreateDirectDraw();
    DDSURFACEDESC2 desktop;
    ASSERT_EQ(directDraw->GetDisplayMode(&desktop), DD_OK);
    std::vector<DDSURFACEDESC2> modes;
    ASSERT_EQ(directDraw->EnumDisplayModes(0, nullptr, &modes, CollectMode), DD_OK);
    ASSERT_GE(modes.size(), 4u);
    bool desktopAt32 = false, vga16 = false;
    for (const DDSURFACEDESC2& mode : modes)
    {
        EXPECT_LE(mode.dwWidth, desktop.dwWidth);
        EXPECT_LE(mode.dwHeight, desktop.dwHeight);
        const DWORD bits = mode.ddpfPixelFormat.dwRGBBitCount;
        EXPECT_TRUE(bits == 16 || bits == 32);
        desktopAt32 |= mode.dwWidth == desktop.dwWidth && mode.dwHeight == desktop.dwHeight && bits == 32;
        vga16 |= mode.dwWidth == 640 && mode.dwHeight == 480 && bits == 16;
    }
    EXPECT_TRUE(desktopAt32);
    EXPECT_TRUE(vga16);
    directDraw->Release();
}

TEST(GLDirectDraw, SurfacesNeedACooperativeLevelFirst)
{
    IDirectDraw7* directDraw = CreateDirectDraw();
    DDSURFACEDESC2 primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&primary, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST(GLDirectDraw, CreationRulesForSurfaces)
{
    KorvaneTest::TestWindow window;
    IDirectDraw7* directDraw = CreateDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL | DDSCL_FPUSETUP), DD_OK);
    IDirectDrawSurface7* surface = nullptr;
    DDSURFACEDESC2 flipChain;
    flipChain.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    flipChain.dwBackBufferCount = 1;
    flipChain.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    EXPECT_EQ(directDraw->CreateSurface(&flipChain, &surface, nullptr), DDERR_NOEXCLUSIVEMODE);
    DDSURFACEDESC2 depth;
    depth.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    depth.dwWidth = depth.dwHeight = 16;
    depth.ddsCaps.dwCaps = DDSCAPS_ZBUFFER;
    depth.ddpfPixelFormat.dwFlags = DDPF_ZBUFFER;
    depth.ddpfPixelFormat.dwZBufferBitDepth = 24;
    EXPECT_EQ(directDraw->CreateSurface(&depth, &surface, nullptr), DDERR_INVALIDPIXELFORMAT);
    DDSURFACEDESC2 huge;
    huge.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    huge.dwWidth = 100000;
    huge.dwHeight = 100000;
    huge.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    EXPECT_EQ(directDraw->CreateSurface(&huge, &surface, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST(GLDirectDraw, FullScreenFlipChainAndModeSwitch)
{
    KorvaneTest::TestWindow window;
    IDirectDraw7* directDraw = CreateDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT),
              DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(1234, 567, 32, 0, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 flipChain;
    flipChain.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    flipChain.dwBackBufferCount = 1;
    flipChain.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&flipChain, &primary, nullptr), DD_OK);
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    DDSURFACEDESC2 description;
    ASSERT_EQ(back->GetSurfaceDesc(&description), DD_OK);
    EXPECT_EQ(description.dwWidth, 640u);
    EXPECT_EQ(description.dwHeight, 480u);
    EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
    // The chain belongs to the primary: releasing our reference leaves the primary's.
    EXPECT_EQ(back->Release(), 1u);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST(GLDirectDraw, ReleasingInTheRenderSystemsOrderLeavesNoReference)
{
    KorvaneTest::TestWindow window(64, 32);
    IDirectDraw7* directDraw = CreateDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL | DDSCL_FPUSETUP), DD_OK);
    DDSURFACEDESC2 description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr, *depth = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, window.Handle()), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u); // the primary keeps it
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.dwWidth = 64;
    description.dwHeight = 32;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    ASSERT_EQ(directDraw->CreateSurface(&description, &back, nullptr), DD_OK);
    description.dwFlags |= DDSD_PIXELFORMAT;
    description.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY;
    description.ddpfPixelFormat.dwFlags = DDPF_ZBUFFER;
    description.ddpfPixelFormat.dwZBufferBitDepth = 16;
    ASSERT_EQ(directDraw->CreateSurface(&description, &depth, nullptr), DD_OK);
    ASSERT_EQ(back->AddAttachedSurface(depth), DD_OK);
    EXPECT_EQ(back->AddAttachedSurface(depth), DDERR_SURFACEALREADYATTACHED);
    IDirect3D7* direct3D = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D)), DD_OK);
    IDirect3DDevice7* device = nullptr;
    ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DHALDevice, back, &device), DD_OK);
    ASSERT_EQ(device->SetRenderTarget(back, 0), DD_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0), DD_OK);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(back->Release(), 0u);
    EXPECT_EQ(depth->Release(), 0u);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(direct3D->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

// The context must go before its window: left behind, it keeps the driver's threads on a display being closed.
TEST(GLDirectDraw, DestroyingTheWindowDeletesTheContextFirst)
{
    std::uint64_t serial = 0;
    {
        KorvaneTest::TestWindow window(64, 32);
        IDirectDraw7* directDraw = CreateDirectDraw();
        ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL), DD_OK);
        serial = Platform::GLContext::Serial();
        EXPECT_NE(serial, 0u);
        EXPECT_EQ(directDraw->Release(), 0u);
        // Released but kept, so that a device reset on the same window reuses it.
        EXPECT_EQ(Platform::GLContext::Serial(), serial);
    }
    EXPECT_EQ(Platform::GLContext::Serial(), 0u);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);

    KorvaneTest::TestWindow window(64, 32);
    IDirectDraw7* directDraw = CreateDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_NORMAL), DD_OK);
    EXPECT_GT(Platform::GLContext::Serial(), serial);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST(GLDirectDraw, LockRules)
{
    KorvaneTest::D3D7TestDevice test;
    ASSERT_EQ(test.Failure(), "");
    DDSURFACEDESC2 locked;
    EXPECT_EQ(test.BackBuffer()->Unlock(nullptr), DDERR_NOTLOCKED);
    ASSERT_EQ(test.BackBuffer()->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    EXPECT_EQ(locked.dwWidth, test.Width());
    EXPECT_EQ(locked.lPitch, static_cast<LONG>(test.Width() * 4));
    EXPECT_NE(locked.lpSurface, nullptr);
    DDSURFACEDESC2 again;
    EXPECT_EQ(test.BackBuffer()->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(test.BackBuffer()->Unlock(nullptr), DD_OK);
    EXPECT_EQ(test.Primary()->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_CANTLOCKSURFACE);
    RECT outside{0, 0, 1000, 10};
    EXPECT_EQ(test.BackBuffer()->Lock(&outside, &locked, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
}

// The screenshot's road: the frame copied into a system-memory surface of the same description, then locked.
TEST(GLDirectDraw, BackBufferCopiesIntoASystemMemorySurface)
{
    KorvaneTest::D3D7TestDevice test(32, 16);
    ASSERT_EQ(test.Failure(), "");
    ASSERT_EQ(test.Device()->Clear(0, nullptr, D3DCLEAR_TARGET, KorvaneTest::D3D7Argb(255, 10, 200, 30), 1.0f, 0),
              DD_OK);
    DDSURFACEDESC2 description;
    ASSERT_EQ(test.BackBuffer()->GetSurfaceDesc(&description), DD_OK);
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface7* copy = nullptr;
    ASSERT_EQ(test.DirectDraw()->CreateSurface(&description, &copy, nullptr), DD_OK);
    ASSERT_EQ(copy->Blt(nullptr, test.BackBuffer(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    DDSURFACEDESC2 locked;
    ASSERT_EQ(copy->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const auto* pixel = static_cast<const std::uint8_t*>(locked.lpSurface) + 5 * locked.lPitch + 7 * 4;
    EXPECT_EQ(pixel[0], 30);  // blue
    EXPECT_EQ(pixel[1], 200); // green
    EXPECT_EQ(pixel[2], 10);  // red
    EXPECT_EQ(pixel[3], 0);   // no alpha on the frame
    EXPECT_EQ(copy->Unlock(nullptr), DD_OK);
    EXPECT_EQ(copy->Release(), 0u);
}

TEST(GLDirectDraw, MinimisedFullScreenWindowLosesItsSurfacesUntilRestored)
{
    KorvaneTest::TestWindow window;
    IDirectDraw7* directDraw = CreateDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(window.Handle(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    DDSURFACEDESC2 plain;
    plain.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    plain.dwWidth = plain.dwHeight = 8;
    plain.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface7* surface = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&plain, &surface, nullptr), DD_OK);
    ASSERT_EQ(directDraw->TestCooperativeLevel(), DD_OK);
    ShowWindow(window.Handle(), SW_MINIMIZE);
    window.PumpMessages();
    if ((SDL_GetWindowFlags(window.Handle()->sdl) & SDL_WINDOW_MINIMIZED) == 0)
    {
        surface->Release();
        directDraw->Release();
        GTEST_SKIP() << "this video driver does not minimise windows";
    }
    EXPECT_EQ(directDraw->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(surface->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(directDraw->RestoreAllSurfaces(), DDERR_NOEXCLUSIVEMODE);
    ShowWindow(window.Handle(), SW_RESTORE);
    window.PumpMessages();
    EXPECT_EQ(directDraw->TestCooperativeLevel(), DD_OK);
    EXPECT_EQ(directDraw->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(surface->IsLost(), DD_OK);
    surface->Release();
    directDraw->Release();
}
}
