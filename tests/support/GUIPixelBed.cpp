// The offscreen GUI engine of the pixel tests and their colour checks.
#include "tests/support/GUIPixelBed.h"

#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem.h"

namespace TestSupport
{
using namespace VelkorEngine;

ImageTest::Picture QuadrantPicture(u32 channels, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight)
{
    ImageTest::Picture picture{64, 64, channels, std::vector<u8>(64 * 64 * channels)};
    for (u32 y = 0; y < 64; ++y)
        for (u32 x = 0; x < 64; ++x)
        {
            const bool top = y >= 32;
            const bool right = x >= 32;
            const Rgb colour = top ? (right ? topRight : topLeft) : (right ? bottomRight : bottomLeft);
            u8* pixel = picture.pixels.data() + (static_cast<size_t>(y) * 64 + x) * channels;
            pixel[0] = static_cast<u8>(colour.r);
            pixel[1] = static_cast<u8>(colour.g);
            pixel[2] = static_cast<u8>(colour.b);
            if (channels == 4)
                pixel[3] = 255;
        }
    return picture;
}

void GUIPixelBed::StartEngine(const std::string& applicationName, const std::string& dataFolder)
{
    clock.SetMilliseconds(1000);
    EngineParameters parameters;
    parameters.applicationName = applicationName;
    parameters.version = 100;
    parameters.basePath = folder.Path();
    parameters.dataFolder = dataFolder;
    parameters.writeLog = 0;
    parameters.saveSettingsOnExit = 0;
    parameters.defaultVideoMode = "800x600x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    parameters.minimizeOnFocusLoss = 0;
    engine = std::make_unique<Engine>(parameters);
    gui = engine->GetGUIManager();
    gui->SetSize(800.0f, 600.0f);
}

void GUIPixelBed::RunFrame()
{
    clock.AdvanceSeconds(1.0 / 60.0);
    engine->Render();
    UpdateWidgets();
    engine->Frame(0);
}

Image GUIPixelBed::Screenshot()
{
    Image shot;
    engine->GetRenderSystem()->TakeScreenshot(shot);
    return shot;
}

void GUIPixelBed::ExpectColour(const Image& shot, u32 x, u32 y, Rgb expected)
{
    ASSERT_EQ(shot.GetWidth(), 800u);
    ASSERT_EQ(shot.GetHeight(), 600u);
    const u32 channels = static_cast<u32>(shot.GetBitsPerPixel()) / 8;
    const u8* pixel = shot.GetData() + (static_cast<size_t>(y) * shot.GetWidth() + x) * channels;
    EXPECT_NEAR(pixel[0], expected.r, 24) << "at " << x << ", " << y;
    EXPECT_NEAR(pixel[1], expected.g, 24) << "at " << x << ", " << y;
    EXPECT_NEAR(pixel[2], expected.b, 24) << "at " << x << ", " << y;
}
}
