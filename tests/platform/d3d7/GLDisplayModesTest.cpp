// The display modes the OpenGL adapter offers, from what the window layer reports about the display.
#include "platform/d3d7/GLDisplayModes.h"
#include "tests/support/FakeWindowBackend.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace
{
using Platform::GLDisplayModes;
using Mode = std::tuple<DWORD, DWORD, DWORD>;

std::set<Mode> Modes()
{
    std::set<Mode> modes;
    for (const DDSURFACEDESC2& mode : GLDisplayModes::List())
        modes.emplace(mode.dwWidth, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount);
    return modes;
}

TEST(GLDisplayModes, AVirtualScreenGetsTheUsualSizesThatFitAtBothDepths)
{
    TestSupport::FakeWindowBackend backend;
    backend.desktop = RECT{0, 0, 1024, 768};
    backend.displayModes = {DEVMODE{32, 1024, 768, 0}};
    const std::set<Mode> modes = Modes();
    for (DWORD bits : {16u, 32u})
    {
        EXPECT_TRUE(modes.count({640, 480, bits}));
        EXPECT_TRUE(modes.count({800, 600, bits}));
        EXPECT_TRUE(modes.count({1024, 768, bits}));
    }
    EXPECT_FALSE(modes.count({1152, 864, 32})) << "larger than the desktop";
    EXPECT_FALSE(modes.count({1280, 720, 32})) << "wider than the desktop";
    for (const Mode& mode : modes)
    {
        EXPECT_LE(std::get<0>(mode), 1024u);
        EXPECT_LE(std::get<1>(mode), 768u);
    }
}

TEST(GLDisplayModes, AnOddDesktopSizeIsOfferedToo)
{
    TestSupport::FakeWindowBackend backend;
    backend.desktop = RECT{0, 0, 1000, 700};
    const std::set<Mode> modes = Modes();
    EXPECT_TRUE(modes.count({1000, 700, 32}));
    EXPECT_TRUE(modes.count({800, 600, 16}));
    EXPECT_FALSE(modes.count({1152, 864, 32}));
}

TEST(GLDisplayModes, TheUsualSmall4By3SizesAreOfferedOnASmallerDisplay)
{
    TestSupport::FakeWindowBackend backend;
    backend.desktop = RECT{0, 0, 800, 600};
    const std::set<Mode> modes = Modes();
    EXPECT_TRUE(modes.count({1024, 768, 32})) << "full screen scales it down";
    EXPECT_TRUE(modes.count({1024, 768, 16}));
    EXPECT_FALSE(modes.count({1152, 864, 32}));
    EXPECT_FALSE(modes.count({1280, 720, 32}));
}

TEST(GLDisplayModes, ARealDisplaysOwnModesAreUsed)
{
    TestSupport::FakeWindowBackend backend;
    backend.desktop = RECT{0, 0, 1920, 1080};
    backend.displayModes = {DEVMODE{32, 1920, 1080, 60}, DEVMODE{24, 1280, 720, 60}, DEVMODE{32, 1280, 720, 50},
                            DEVMODE{0, 0, 0, 0}};
    const std::set<Mode> modes = Modes();
    EXPECT_EQ(modes, (std::set<Mode>{{1920, 1080, 32},
                                     {1920, 1080, 16},
                                     {1280, 720, 32},
                                     {1280, 720, 16},
                                     {640, 480, 32},
                                     {640, 480, 16},
                                     {800, 600, 32},
                                     {800, 600, 16},
                                     {1024, 768, 32},
                                     {1024, 768, 16}}));
}

TEST(GLDisplayModes, DesktopModeDescribesItsPixelFormat)
{
    TestSupport::FakeWindowBackend backend;
    backend.desktop = RECT{0, 0, 1280, 1024};
    const DDSURFACEDESC2 desktop = GLDisplayModes::Desktop();
    EXPECT_EQ(desktop.dwWidth, 1280u);
    EXPECT_EQ(desktop.dwHeight, 1024u);
    EXPECT_EQ(desktop.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(desktop.ddpfPixelFormat.dwRBitMask, 0xFF0000u);
    EXPECT_EQ(desktop.dwRefreshRate, 60u);
    const DDSURFACEDESC2 sixteen = GLDisplayModes::Describe(640, 480, 16, 75);
    EXPECT_EQ(sixteen.ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(sixteen.ddpfPixelFormat.dwGBitMask, 0x07E0u);
    EXPECT_EQ(sixteen.lPitch, 1280);
}
}
