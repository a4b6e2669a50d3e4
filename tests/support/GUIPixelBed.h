// A whole engine on SDL's offscreen driver drawing its GUI for real through OpenGL, for the GUI pixel tests.
// The virtual screen and the window are both 800 x 600, so a GUI point is the screenshot's pixel (rows from the
// bottom); pictures of four coloured quadrants tell which frame or which half of a glyph was drawn.
#pragma once

#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace TestSupport
{
struct Rgb
{
    int r;
    int g;
    int b;
};

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kWhite{255, 255, 255};

// A 64 x 64 picture of four solid quadrants (opaque when it has four channels).
ImageTest::Picture QuadrantPicture(VelkorEngine::u32 channels, Rgb topLeft, Rgb topRight, Rgb bottomLeft,
                                   Rgb bottomRight);

class GUIPixelBed : public testing::Test
{
protected:
    void StartEngine(const std::string& applicationName, const std::string& dataFolder = "Data");
    void TearDown() override { engine.reset(); }

    // One frame of the engine at 60 Hz, with the test's own widgets updated between drawing and the frame.
    void RunFrame();
    virtual void UpdateWidgets() {}
    VelkorEngine::Image Screenshot();
    static void ExpectColour(const VelkorEngine::Image& shot, VelkorEngine::u32 x, VelkorEngine::u32 y, Rgb expected);

    TempFolder folder;
    FakeClock clock;
    std::unique_ptr<VelkorEngine::Engine> engine;
    VelkorEngine::GUIManager* gui = nullptr;
};
}
