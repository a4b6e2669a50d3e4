// The Direct3D 7 render system's device side against the scripted driver and window backend: the hardware
// description, device and mode choice, depth formats, creation with its fallback and log, release and reset.
#include "engine/core/Error.h"
#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"
#include "tests/support/D3D7SurfaceTexture.h"
#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/RenderTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace VelkorEngine;
using KorvaneTest::D3D7FakeDriver;
using KorvaneTest::RenderTestOptions;

namespace
{
RenderTestOptions Options(const std::string& mode, const std::string& defaultMode = "")
{
    RenderTestOptions options;
    options.videoMode = mode;
    options.defaultVideoMode = defaultMode;
    return options;
}

class RenderD3D7Device : public ::testing::Test
{
protected:
    void SetUp() override
    {
        driver.adapters = {D3D7FakeDriver::StandardAdapter()};
        backend.desktop = RECT{0, 0, 1280, 1024};
    }

    RenderSystem_D3D7& Start(const RenderTestOptions& options = {})
    {
        bed.reset(); // one window at a time
        bed = std::make_unique<KorvaneTest::RenderTestBed>(options);
        return bed->Start();
    }

    // Starting must end the program with this fatal message.
    void ExpectFatal(const RenderTestOptions& options, const std::string& message)
    {
        bed.reset();
        bed = std::make_unique<KorvaneTest::RenderTestBed>(options);
        try
        {
            bed->Start();
            FAIL() << "no fatal error";
        }
        catch (const FatalError& error)
        {
            EXPECT_EQ(error.GetMessage(), message);
        }
    }

    const AdapterInfo_D3D7& Adapter(RenderSystem_D3D7& render, size_t index = 0)
    {
        return static_cast<const AdapterInfo_D3D7&>(*render.GetAdapters().at(index));
    }

    const DeviceInfo_D3D7& CurrentDevice(RenderSystem_D3D7& render)
    {
        return static_cast<const DeviceInfo_D3D7&>(*render.GetCurrentDevice());
    }

    std::string ChosenMode(RenderSystem_D3D7& render)
    {
        const ModeInfo* mode = render.GetCurrentMode();
        return mode ? std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
                          std::to_string(mode->bitsPerPixel)
                    : "none";
    }

    TestSupport::FakeWindowBackend backend;
    D3D7FakeDriver driver;
    std::unique_ptr<KorvaneTest::RenderTestBed> bed;
};

TEST_F(RenderD3D7Device, CreationLogsEveryStepInOrder)
{
    Start();
    std::vector<std::string> messages = bed->Entries(MessageManager::KindMessage);
    const auto first = std::find(messages.begin(), messages.end(), "\nInitialization of Direct3D subsystem...");
    ASSERT_NE(first, messages.end());
    const std::vector<std::string> expected = {"\nInitialization of Direct3D subsystem...",
                                               "...Level device list...",
                                               "...Creating DirectDraw...",
                                               "......Setting cooperative level...",
                                               "......Creating screen buffers...",
                                               "...Creating Direct3D...",
                                               "...Creating Direct3D device...",
                                               "......Setting viewport...",
                                               "......Creating Z Buffer...",
                                               std::string(56, '.'),
                                               "......Capabilities:",
                                               ".........Maximal texture units: 2",
                                               ".........Maximal texture size: 2048x2048",
                                               ".........Maximal texture anisotropy: 4",
                                               " "};
    EXPECT_EQ(std::vector<std::string>(first, first + std::min<size_t>(expected.size(), messages.end() - first)),
              expected);
    EXPECT_TRUE(bed->Entries(MessageManager::KindError).empty());
    EXPECT_EQ(bed->Render().IsActive(), 1);
}

TEST_F(RenderD3D7Device, DisplayModesAreFilteredAndSortedLargestFirst)
{
    driver.adapters[0].modes = {{1024, 768, 16}, {640, 480, 16}, {1280, 1024, 32}, {320, 240, 32},
                                {1024, 768, 32}, {640, 350, 32}, {800, 600, 32}};
    RenderSystem_D3D7& render = Start(Options("800x600x32"));
    const auto& modes = Adapter(render).displayModes;
    std::vector<std::string> order;
    for (const DDSURFACEDESC2& mode : modes)
        order.push_back(std::to_string(mode.dwWidth) + "x" + std::to_string(mode.dwHeight) + "x" +
                        std::to_string(mode.ddpfPixelFormat.dwRGBBitCount));
    EXPECT_EQ(order, (std::vector<std::string>{"1280x1024x32", "1024x768x32", "1024x768x16", "800x600x32",
                                               "640x480x16"}));
}

TEST_F(RenderD3D7Device, TwentyFourBitModesCountAsThirtyTwo)
{
    driver.adapters[0].modes = {{800, 600, 24}, {640, 480, 16}};
    for (auto& device : driver.adapters[0].devices)
        device.renderDepths = DDBD_16 | DDBD_24;
    RenderSystem_D3D7& render = Start(Options("800x600x32"));
    EXPECT_EQ(ChosenMode(render), "800x600x32");
    // A request for 24 bits never matches and falls back to the default text.
    bed.reset();
    RenderSystem_D3D7& again = Start(Options("800x600x24", "640x480x16"));
    EXPECT_EQ(ChosenMode(again), "640x480x16");
    EXPECT_EQ(bed->Setting("v_mode"), "640x480x16");
}

TEST_F(RenderD3D7Device, TransformAndLightingDeviceIsPreferred)
{
    RenderSystem_D3D7& render = Start();
    EXPECT_TRUE(CurrentDevice(render).guid == IID_IDirect3DTnLHalDevice);
    EXPECT_EQ(driver.Named("CreateDevice").back().first, IID_IDirect3DTnLHalDevice.Data1);
}

TEST_F(RenderD3D7Device, ForcedSoftwareTakesTheSoftwareDeviceEvenBeforeALaterReference)
{
    KorvaneTest::D3D7FakeDeviceDescription software, reference;
    software.guid = IID_IDirect3DRGBDevice;
    software.hardware = false;
    reference.guid = IID_IDirect3DRefDevice;
    reference.hardware = false;
    driver.adapters[0].devices.push_back(software);
    driver.adapters[0].devices.push_back(reference);
    driver.Fail("CreateDevice", DDERR_OUTOFVIDEOMEMORY, 1);
    RenderSystem_D3D7& render = Start();
    EXPECT_TRUE(CurrentDevice(render).guid == IID_IDirect3DRGBDevice);
    EXPECT_TRUE(bed->Logged(MessageManager::KindWarning, "......RenderSystem_D3D7: Switching to the software rasterizer"));
    EXPECT_TRUE(bed->Logged(MessageManager::KindError, "RenderSystem_D3D7: Failed to create Direct3D device"));
    // The software device stays chosen for later resets.
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_TRUE(CurrentDevice(render).guid == IID_IDirect3DRGBDevice);
}

TEST_F(RenderD3D7Device, SecondaryAdaptersAreNeverChosen)
{
    KorvaneTest::D3D7FakeAdapterDescription secondary = D3D7FakeDriver::StandardAdapter();
    secondary.primary = false;
    secondary.guid = KorvaneTest::D3D7FakeGuid(7);
    KorvaneTest::D3D7FakeDeviceDescription softwareOnly;
    softwareOnly.guid = IID_IDirect3DRGBDevice;
    softwareOnly.hardware = false;
    secondary.devices.push_back(softwareOnly);
    driver.adapters[0].devices = {softwareOnly};
    driver.adapters.push_back(secondary);
    RenderSystem_D3D7& render = Start();
    ASSERT_EQ(render.GetAdapters().size(), 2u);
    EXPECT_EQ(Adapter(render, 1).devices.size(), 2u) << "only hardware devices are kept on a secondary adapter";
    EXPECT_EQ(Adapter(render, 1).windowedCapable, 0);
    EXPECT_EQ(render.GetCurrentAdapter(), render.GetAdapters()[0].get());
}

TEST_F(RenderD3D7Device, NoDeviceAtAllIsFatal)
{
    driver.adapters[0].devices.clear();
    ExpectFatal({}, "RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
}

TEST_F(RenderD3D7Device, DesktopModeGoesFullScreen)
{
    RenderSystem_D3D7& render = Start(Options("Desktop"));
    EXPECT_EQ(ChosenMode(render), "1280x1024x32");
    EXPECT_EQ(bed->Setting("v_fullscreen"), "1");
    EXPECT_EQ(CurrentDevice(render).fullScreen, 1);
    EXPECT_EQ(driver.Named("SetCooperativeLevel").front().first,
              DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_FPUSETUP);
    const auto modeSwitch = driver.Named("SetDisplayMode");
    ASSERT_EQ(modeSwitch.size(), 1u);
    EXPECT_EQ(modeSwitch[0].first, 1280u);
    EXPECT_EQ(modeSwitch[0].third, 32u);
    EXPECT_EQ(modeSwitch[0].fourth, 60u);
    EXPECT_EQ(driver.Count("GetAttachedSurface", DDSCAPS_BACKBUFFER), 1);
    EXPECT_EQ(driver.Count("CreateClipper"), 0);
    EXPECT_TRUE(bed->GetWindow().IsFullScreen());
}

TEST_F(RenderD3D7Device, OversizedWindowTakesTheLargestFitting4By3Mode)
{
    RenderSystem_D3D7& render = Start(Options("1600x1200x32"));
    EXPECT_EQ(ChosenMode(render), "1152x864x32");
    EXPECT_EQ(bed->Setting("v_mode"), "1600x1200x32") << "the window stands in for the player's mode";
    EXPECT_EQ(driver.Count("CreateClipper"), 1);
    EXPECT_EQ(driver.Named("SetCooperativeLevel").front().first, DDSCL_NORMAL | DDSCL_FPUSETUP);
    EXPECT_EQ(bed->GetWindow().GetWidth(), 1152u);
}

TEST_F(RenderD3D7Device, OversizedWindowIsKeptWhenAllowed)
{
    RenderTestOptions options = Options("1600x1200x32");
    options.allowOversizedWindow = 1;
    RenderSystem_D3D7& render = Start(options);
    EXPECT_EQ(ChosenMode(render), "1600x1200x32");
}

TEST_F(RenderD3D7Device, NothingFitsOnASmallDesktopSoTheDesktopSizeIsTaken)
{
    backend.desktop = RECT{0, 0, 800, 600};
    driver.adapters[0].modes = {{1024, 768, 32}, {800, 600, 16}, {800, 600, 32}};
    RenderSystem_D3D7& render = Start(Options("1024x768x32"));
    EXPECT_EQ(ChosenMode(render), "800x600x32");
    EXPECT_EQ(bed->Setting("v_mode"), "1024x768x32");
    EXPECT_EQ(bed->Entries(MessageManager::KindWarning).size(), 1u);
}

// A window manager's frame must fit around the picture too: a mode smaller than the desktop comes first.
TEST_F(RenderD3D7Device, NoLarge4By3ModeFitsOnASmallDesktopSoTheLargestSmallerModeIsTaken)
{
    backend.desktop = RECT{0, 0, 800, 600};
    RenderSystem_D3D7& render = Start(Options("1024x768x32"));
    EXPECT_EQ(ChosenMode(render), "640x480x32");
    EXPECT_EQ(bed->Setting("v_mode"), "1024x768x32");
    EXPECT_EQ(bed->Entries(MessageManager::KindWarning).size(), 1u);
}

TEST_F(RenderD3D7Device, AWindowLeavingAFullScreenLargerThanTheDesktopTakesAModeThatFits)
{
    backend.desktop = RECT{0, 0, 800, 600};
    RenderTestOptions options = Options("1024x768x32");
    options.fullScreen = 1;
    RenderSystem_D3D7& render = Start(options);
    ASSERT_EQ(ChosenMode(render), "1024x768x32") << "full screen scales a larger mode down";
    bed->Settings().SetFromString("v_fullscreen", "0");
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_EQ(ChosenMode(render), "640x480x32");
    EXPECT_EQ(bed->Setting("v_mode"), "1024x768x32");
    EXPECT_EQ(bed->GetWindow().GetWidth(), 640u);
}

// Alt+Enter there and back on a desktop smaller than the player's mode: the window's smaller mode is no new
// choice, so the settings keep the player's mode, a check asks for no further reset while nothing changes, and
// full screen comes back at the player's mode rather than the window's, scaled up and softer.
TEST_F(RenderD3D7Device, FullScreenAfterAWindowStandingInReturnsToThePlayersMode)
{
    const struct
    {
        RECT desktop;
        const char* mode;
        const char* window;
    } trips[] = {{RECT{0, 0, 800, 600}, "1024x768x32", "640x480x32"},
                 {RECT{0, 0, 1280, 1024}, "1280x1024x32", "1152x864x32"}};
    for (const auto& trip : trips)
    {
        SCOPED_TRACE(trip.mode);
        backend.desktop = trip.desktop;
        RenderTestOptions options = Options(trip.mode);
        options.fullScreen = 1;
        RenderSystem_D3D7& render = Start(options);
        ASSERT_EQ(ChosenMode(render), trip.mode);

        bed->Settings().SetFromString("v_fullscreen", "0");
        render.CheckVideoModeChange();
        ASSERT_EQ(render.IsResetPending(), 1);
        render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
        EXPECT_EQ(ChosenMode(render), trip.window);
        EXPECT_EQ(bed->Setting("v_mode"), trip.mode);
        render.CheckVideoModeChange();
        EXPECT_EQ(render.IsResetPending(), 0) << "the window already stands in for the setting";

        bed->Settings().SetFromString("v_fullscreen", "1");
        render.CheckVideoModeChange();
        ASSERT_EQ(render.IsResetPending(), 1);
        render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
        EXPECT_EQ(ChosenMode(render), trip.mode);
        EXPECT_EQ(CurrentDevice(render).fullScreen, 1);
        EXPECT_EQ(bed->Setting("v_mode"), trip.mode);
        const auto modeSwitches = driver.Named("SetDisplayMode");
        ASSERT_FALSE(modeSwitches.empty());
        EXPECT_EQ(std::to_string(modeSwitches.back().first) + "x" + std::to_string(modeSwitches.back().second) +
                      "x" + std::to_string(modeSwitches.back().third),
                  trip.mode);
        render.CheckVideoModeChange();
        EXPECT_EQ(render.IsResetPending(), 0);
    }
}

// The stand-in answers only for the request it was chosen for: another mode asked for in the window, or the same
// one asked for in full screen, still resets the device.
TEST_F(RenderD3D7Device, AWindowStandingInStillResetsForAnotherRequest)
{
    backend.desktop = RECT{0, 0, 800, 600};
    RenderSystem_D3D7& render = Start(Options("1024x768x32"));
    ASSERT_EQ(ChosenMode(render), "640x480x32");
    bed->Settings().SetFromString("v_mode", "800x600x32");
    render.CheckVideoModeChange();
    ASSERT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_EQ(ChosenMode(render), "640x480x32") << "800 x 600 does not fit inside an 800 x 600 desktop either";
    EXPECT_EQ(bed->Setting("v_mode"), "800x600x32");
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 0);
    bed->Settings().SetFromString("v_mode", "640x480x32");
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 0) << "the window already runs the mode now asked for";
    bed->Settings().SetFromString("v_mode", "1024x768x32");
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 1) << "the stand-in was chosen for 800 x 600";

    RenderSystem_D3D7& again = Start(Options("1024x768x32"));
    ASSERT_EQ(ChosenMode(again), "640x480x32");
    bed->Settings().SetFromString("v_fullscreen", "1");
    again.CheckVideoModeChange();
    EXPECT_EQ(again.IsResetPending(), 1) << "full screen runs the setting's own mode";
}

TEST_F(RenderD3D7Device, MissingModeFallsBackToTheDefaultThenToVga)
{
    driver.adapters[0].modes = {{640, 480, 16}, {1024, 768, 32}};
    RenderSystem_D3D7& render = Start(Options("1234x567x32", "800x600x32"));
    EXPECT_EQ(ChosenMode(render), "640x480x16");
    EXPECT_EQ(bed->Setting("v_mode"), "640x480x16");
}

TEST_F(RenderD3D7Device, NoModeEvenAtVgaIsFatal)
{
    driver.adapters[0].modes = {{1024, 768, 32}};
    ExpectFatal(Options("1234x567x32", "800x600x32"), "RenderSystem_D3D7: Failed to find compatible video mode");
    EXPECT_EQ(bed->Setting("v_mode"), "640x480x16");
    ExpectFatal(Options("640x480x16", "800x600x32"), "RenderSystem_D3D7: Failed to find compatible video mode");
    EXPECT_EQ(bed->Setting("v_mode"), "800x600x32");
}

TEST_F(RenderD3D7Device, DepthFormatWithStencilComesFirst)
{
    RenderSystem_D3D7& render = Start();
    EXPECT_EQ(render.IsStencilPresent(), 1);
    const auto surfaces = driver.Named("CreateSurface");
    const auto depth = std::find_if(surfaces.begin(), surfaces.end(),
                                    [](const KorvaneTest::D3D7Call& call) { return call.first & DDSCAPS_ZBUFFER; });
    ASSERT_NE(depth, surfaces.end());
    EXPECT_EQ(depth->fourth, 32u);
    EXPECT_EQ(depth->fifth, 8u);
    EXPECT_NE(depth->first & DDSCAPS_VIDEOMEMORY, 0u);
    EXPECT_EQ(driver.Count("EnumZBufferFormats"), 1);
    EXPECT_EQ(driver.Count("SetRenderTarget"), 1);
}

TEST_F(RenderD3D7Device, SixteenBitDepthOnlyIsFoundOnTheThirdSearchWithoutStencil)
{
    for (auto& device : driver.adapters[0].devices)
        device.depthFormats = {{16, 0}};
    RenderSystem_D3D7& render = Start();
    EXPECT_EQ(render.IsStencilPresent(), 0);
    EXPECT_EQ(driver.Count("EnumZBufferFormats"), 3);
}

TEST_F(RenderD3D7Device, NoDepthFormatFailsTheDevice)
{
    for (auto& device : driver.adapters[0].devices)
        device.depthFormats = {{24, 0}};
    ExpectFatal({}, "RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    EXPECT_TRUE(bed->Logged(MessageManager::KindError, "RenderSystem_D3D7: Failed to create Z Buffer"));
    EXPECT_EQ(driver.liveObjects, 0) << "the partial device was released";
}

TEST_F(RenderD3D7Device, DevicesWithoutDepthBuffersNeedNone)
{
    for (auto& device : driver.adapters[0].devices)
        device.rasterCaps |= D3DPRASTERCAPS_ZBUFFERLESSHSR;
    RenderSystem_D3D7& render = Start();
    EXPECT_EQ(render.IsStencilPresent(), 0);
    EXPECT_EQ(driver.Count("EnumZBufferFormats"), 0);
}

TEST_F(RenderD3D7Device, PaletteDesktopFailsBothDevicesAndEndsTheProgram)
{
    KorvaneTest::D3D7FakeDeviceDescription software;
    software.guid = IID_IDirect3DRGBDevice;
    software.hardware = false;
    driver.adapters[0].devices.push_back(software);
    driver.displayBits = 8;
    ExpectFatal({}, "RenderSystem_D3D7: Failed to create Direct3D device");
    const auto errors = bed->Entries(MessageManager::KindError);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), "RenderSystem_D3D7: Invalid DirectDraw display mode"), 2);
    EXPECT_TRUE(bed->Logged(MessageManager::KindWarning, "......RenderSystem_D3D7: Switching to the software rasterizer"));
    EXPECT_EQ(driver.liveObjects, 0);
}

TEST_F(RenderD3D7Device, EachCreationStepNamesItsFailure)
{
    struct Case
    {
        const char* call;
        const char* message;
    };
    const Case cases[] = {{"DirectDrawCreateEx", "Failed to create DirectDraw"},
                          {"SetCooperativeLevel", "Failed to set DirectDraw cooperative level"},
                          {"CreateSurface:primary", "Failed to create primary surface"},
                          {"CreateClipper", "Failed to create clipper"},
                          {"CreateSurface:back buffer", "Failed to create back buffer"},
                          {"QueryInterface", "Failed to create Direct3D"},
                          {"CreateDevice", "Failed to create Direct3D device"},
                          {"SetViewport", "Failed to set viewport"},
                          {"CreateSurface:depth", "Failed to create Z Buffer"},
                          {"AddAttachedSurface", "Failed to create Z Buffer"},
                          {"SetRenderTarget", "Failed to set render target"}};
    KorvaneTest::D3D7FakeDeviceDescription software;
    software.guid = IID_IDirect3DRGBDevice;
    software.hardware = false;
    driver.adapters[0].devices.push_back(software);
    for (const Case& c : cases)
    {
        bed.reset();
        driver.ClearCalls();
        // Enumeration makes its own DirectDraw and Direct3D objects: fail the call only where creation makes it.
        const bool enumerationToo = std::string(c.call) == "DirectDrawCreateEx" || std::string(c.call) == "QueryInterface";
        driver.Fail(c.call, DDERR_GENERIC, enumerationToo ? -1 : 1);
        if (enumerationToo)
        {
            bed.reset();
            bed = std::make_unique<KorvaneTest::RenderTestBed>();
            EXPECT_THROW(bed->Start(), FatalError) << c.call;
            driver.Fail(c.call, DD_OK, 0);
            continue;
        }
        Start();
        EXPECT_TRUE(bed->Logged(MessageManager::KindError, std::string("RenderSystem_D3D7: ") + c.message)) << c.call;
        EXPECT_TRUE(bed->Logged(MessageManager::KindWarning,
                                "......RenderSystem_D3D7: Switching to the software rasterizer"))
            << c.call;
    }
}

TEST_F(RenderD3D7Device, LeftoverReferencesAreFatalOnResetAndOnlyLoggedWhenDestroying)
{
    RenderSystem_D3D7& render = Start();
    driver.extraDeviceReferences = 1;
    render.Reset(RenderSystem::ResetDevice);
    try
    {
        render.Reset(RenderSystem::ResetDevice);
        FAIL() << "no fatal error";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), "RenderSystem_D3D7: device object is still referenced");
    }
}

TEST_F(RenderD3D7Device, DestroyingWithLeftoversLogsInsteadOfThrowing)
{
    Start();
    driver.extraDirectDrawReferences = 1;
    bed->Render().Reset(RenderSystem::ResetDevice);
    bed->Stop();
    EXPECT_TRUE(bed->Logged(MessageManager::KindError, "RenderSystem_D3D7: DirectDraw object is still referenced"));
    EXPECT_TRUE(bed->Logged(MessageManager::KindMessage, "\nDirect3D Subsystem destroying:"));
}

TEST_F(RenderD3D7Device, ReleaseLeavesNothingBehind)
{
    Start();
    EXPECT_GT(driver.liveObjects, 0);
    bed->Stop();
    EXPECT_EQ(driver.liveObjects, 0);
    const auto levels = driver.Named("SetCooperativeLevel");
    EXPECT_EQ(levels.back().first, DDSCL_NORMAL);
}

TEST_F(RenderD3D7Device, ModeChangeResetsTheDeviceAndItsTextures)
{
    RenderSystem_D3D7& render = Start(Options("800x600x32"));
    KorvaneTest::D3D7SurfaceTexture texture(&render, "diffuse_a.tga");
    EXPECT_EQ(render.GetTextures().size(), 1u);
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 0) << "the settings match the mode";
    EXPECT_EQ(render.AreResourcesLost(), 1);
    bed->Settings().SetFromString("v_mode", "1024x768x32");
    render.CheckVideoModeChange();
    ASSERT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_FALSE(texture.Surface() != nullptr) << "released before the device went";
    EXPECT_EQ(ChosenMode(render), "1024x768x32");
    EXPECT_EQ(render.IsResetPending(), 0);
    EXPECT_EQ(render.AreResourcesLost(), 0);
    EXPECT_EQ(render.IsActive(), 1);
    EXPECT_TRUE(bed->Logged(MessageManager::KindMessage, "\nReseting Direct3D device:"));
}

TEST_F(RenderD3D7Device, DesktopModeCheckedWithNothingChangedAsksForNoReset)
{
    RenderSystem_D3D7& render = Start(Options("desktop"));
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 0);
    bed->Settings().SetFromString("v_mode", "800x600x32");
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 1);
}

TEST_F(RenderD3D7Device, RequestThatFallsBackDuringAResetKeepsTheRequestAndAsksForNoFurtherReset)
{
    RenderSystem_D3D7& render = Start(Options("800x600x32"));
    backend.desktop = RECT{0, 0, 800, 600};
    bed->Settings().SetFromString("v_mode", "1024x768x32");
    render.CheckVideoModeChange();
    ASSERT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_EQ(ChosenMode(render), "800x600x32");
    EXPECT_EQ(bed->Setting("v_mode"), "1024x768x32");
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 0);
}

// A reset whose hardware device fails falls back to the software one, which has fewer stages: the per-stage
// arrays must shrink with it before the defaults run over them.
TEST_F(RenderD3D7Device, StageArraysFollowTheStageCountOfADeviceRecreatedByAReset)
{
    for (KorvaneTest::D3D7FakeDeviceDescription& device : driver.adapters[0].devices)
        device.stages = 4;
    KorvaneTest::D3D7FakeDeviceDescription software;
    software.guid = IID_IDirect3DRGBDevice;
    software.hardware = false;
    software.stages = 1;
    driver.adapters[0].devices.push_back(software);
    RenderSystem_D3D7& render = Start(Options("800x600x32"));
    ASSERT_EQ(render.GetTextureStageCount(), 4u);
    render.SetTextureFilter(3, 2);
    EXPECT_EQ(render.GetTextureFilter(3), 2u);

    driver.Fail("CreateDevice", DDERR_GENERIC, 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    ASSERT_EQ(render.GetTextureStageCount(), 1u);
    render.SetTextureFilter(3, 2);
    EXPECT_EQ(render.GetTextureFilter(3), 0u);
    render.SetTextureFilter(0, 2);
    EXPECT_EQ(render.GetTextureFilter(0), 2u);
}

TEST_F(RenderD3D7Device, UnknownTextureIsLoggedNotThrown)
{
    RenderSystem_D3D7& render = Start();
    {
        KorvaneTest::D3D7SurfaceTexture texture(&render, "diffuse_b.tga");
        render.UnregisterTexture(&texture);
        EXPECT_TRUE(render.GetTextures().empty());
    } // its destructor unregisters again
    EXPECT_TRUE(bed->Logged(MessageManager::KindError, "RenderSystem_D3D7: Failed to remove texture \"diffuse_b.tga\""));
}
}
