// The GUI drawn for real through OpenGL by a whole engine on SDL's offscreen driver, with the mouse moved and
// pressed through the platform layer: a window with a button whose frame follows hover and press, and a
// slider dragged to the middle. The virtual screen and the window are both 800 x 600, so a GUI point is the
// screenshot's pixel (rows from the bottom).
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace VelkorEngine;

namespace
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

// A 2 x 2 grid of frames: 0 red (top left), 1 green (top right), 2 blue (bottom left), 3 yellow.
ImageTest::Picture ButtonFrames()
{
    ImageTest::Picture picture{64, 64, 3, std::vector<u8>(64 * 64 * 3)};
    for (u32 y = 0; y < 64; ++y)
        for (u32 x = 0; x < 64; ++x)
        {
            const bool top = y >= 32;
            const bool right = x >= 32;
            const Rgb colour = top ? (right ? kGreen : kRed) : (right ? kYellow : kBlue);
            u8* pixel = picture.pixels.data() + (static_cast<size_t>(y) * 64 + x) * 3;
            pixel[0] = static_cast<u8>(colour.r);
            pixel[1] = static_cast<u8>(colour.g);
            pixel[2] = static_cast<u8>(colour.b);
        }
    return picture;
}

class GUIPixelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clock.SetMilliseconds(1000);
        EngineParameters parameters;
        parameters.applicationName = "GUI Pixels";
        parameters.version = 100;
        parameters.basePath = folder.Path();
        parameters.dataFolder = "Data";
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

    void TearDown() override { engine.reset(); }

    void MoveTo(int x, int y) { mouse.MoveTo(engine->GetWindow()->GetHandle(), x, 599 - y); }

    void RunFrame()
    {
        clock.AdvanceSeconds(1.0 / 60.0);
        engine->Render();
        engine->Frame(0);
    }

    Image Screenshot()
    {
        Image shot;
        engine->GetRenderSystem()->TakeScreenshot(shot);
        return shot;
    }

    static void ExpectColour(const Image& shot, u32 x, u32 y, Rgb expected)
    {
        ASSERT_EQ(shot.GetWidth(), 800u);
        ASSERT_EQ(shot.GetHeight(), 600u);
        const u32 channels = static_cast<u32>(shot.GetBitsPerPixel()) / 8;
        const u8* pixel = shot.GetData() + (static_cast<size_t>(y) * shot.GetWidth() + x) * channels;
        EXPECT_NEAR(pixel[0], expected.r, 24) << "at " << x << ", " << y;
        EXPECT_NEAR(pixel[1], expected.g, 24) << "at " << x << ", " << y;
        EXPECT_NEAR(pixel[2], expected.b, 24) << "at " << x << ", " << y;
    }

    TestSupport::TempFolder folder;
    TestSupport::FakeClock clock;
    TestSupport::ScriptedMouse mouse;
    std::unique_ptr<Engine> engine;
    GUIManager* gui = nullptr;
};

TEST_F(GUIPixelTest, AButtonOnAWindowShowsItsHoverAndPressedFrames)
{
    const std::string texture = folder.Path() + "/button_frames.tga";
    ImageTest::WriteBytes(texture, ImageTest::MakeTga(ButtonFrames()));
    const ShaderDescriptor frames(false, ShaderStage::ModeGrid, 2, 2, 4, 0.0f, texture, "", true);
    const Vector2 whole(1.0f, 1.0f);
    GUIWindow* window = gui->CreateQuadWindow(GUIWindow::StateVisible | GUIWindow::StateColored,
                                              Vector2(100.0f, 100.0f), Vector2(600.0f, 400.0f), nullptr, nullptr, whole);
    window->SetColor(Color(0.5f, 0.5f, 0.5f, 1.0f));
    GUIButton* button = gui->CreateButton(GUIWindow::StateVisible, Vector2(200.0f, 150.0f), Vector2(200.0f, 100.0f),
                                          &frames, window, whole);

    MoveTo(50, 50);
    RunFrame();
    RunFrame();
    Image shot = Screenshot();
    ExpectColour(shot, 400, 300, kRed);
    ExpectColour(shot, 150, 150, kGrey);

    MoveTo(400, 300);
    RunFrame();
    RunFrame();
    EXPECT_EQ(button->GetState(), GUIButton::Hover);
    ExpectColour(Screenshot(), 400, 300, kGreen);

    mouse.PressLeft();
    RunFrame();
    RunFrame();
    EXPECT_EQ(button->GetState(), GUIButton::Pressed);
    ExpectColour(Screenshot(), 400, 300, kBlue);

    mouse.ReleaseLeft();
    RunFrame();
    EXPECT_TRUE(button->IsClicked());
    RunFrame();
    ExpectColour(Screenshot(), 400, 300, kGreen);

    button->SetEnabled(false);
    RunFrame();
    RunFrame();
    ExpectColour(Screenshot(), 400, 300, kYellow);
}

TEST_F(GUIPixelTest, LayerClassesAndChildrenOverlapByDepthNotByCreationOrder)
{
    const Vector2 whole(1.0f, 1.0f);
    const u32 shown = GUIWindow::StateVisible | GUIWindow::StateColored;
    GUIWindow* front = gui->CreateQuadWindow(shown | GUIWindow::StateLayerFront, Vector2(100.0f, 100.0f),
                                             Vector2(200.0f, 200.0f), nullptr, nullptr, whole);
    GUIWindow* back = gui->CreateQuadWindow(shown | GUIWindow::StateLayerBack, Vector2(200.0f, 200.0f),
                                            Vector2(200.0f, 200.0f), nullptr, nullptr, whole);
    GUIWindow* child = gui->CreateQuadWindow(shown, Vector2(150.0f, 150.0f), Vector2(100.0f, 100.0f), nullptr, back,
                                             whole);
    front->SetColor(Color(1.0f, 0.0f, 0.0f, 1.0f));
    back->SetColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
    child->SetColor(Color(0.0f, 1.0f, 0.0f, 1.0f));
    RunFrame();
    Image shot = Screenshot();
    ExpectColour(shot, 250, 250, kRed);
    ExpectColour(shot, 350, 250, kBlue);
    ExpectColour(shot, 375, 375, kGreen);
}

TEST_F(GUIPixelTest, ASliderDraggedToTheMiddleDrawsItsToddlerThere)
{
    const Vector2 whole(1.0f, 1.0f);
    GUISlider* slider = gui->CreateSlider(GUIWindow::StateVisible | GUIWindow::StateColored, Vector2(100.0f, 100.0f),
                                          Vector2(600.0f, 40.0f), nullptr, false, Vector2(0.0f, 0.0f),
                                          Vector2(560.0f, 0.0f), 11, nullptr, whole);
    slider->CreateToddler(Vector2(40.0f, 40.0f), nullptr, whole);
    slider->SetColor(Color(0.5f, 0.5f, 0.5f, 1.0f));
    slider->GetToddler()->SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));

    MoveTo(120, 120);
    RunFrame();
    RunFrame();
    Image before = Screenshot();
    ExpectColour(before, 120, 120, kWhite);
    ExpectColour(before, 400, 120, kGrey);

    mouse.PressLeft();
    RunFrame();
    MoveTo(400, 120);
    RunFrame();
    mouse.ReleaseLeft();
    RunFrame();
    RunFrame();
    EXPECT_EQ(slider->GetPosition(), 5u);
    Image after = Screenshot();
    ExpectColour(after, 400, 120, kWhite);
    ExpectColour(after, 120, 120, kGrey);
}
}
