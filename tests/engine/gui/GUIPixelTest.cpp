// The GUI drawn for real through OpenGL by a whole engine on SDL's offscreen driver, with the mouse moved and
// pressed through the platform layer: a window with a button whose frame follows hover and press, and a
// slider dragged to the middle. The virtual screen and the window are both 800 x 600, so a GUI point is the
// screenshot's pixel (rows from the bottom).
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/GUIPixelBed.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace VelkorEngine;
using namespace TestSupport;

namespace
{
// A 2 x 2 grid of frames: 0 red (top left), 1 green (top right), 2 blue (bottom left), 3 yellow.
ImageTest::Picture ButtonFrames() { return QuadrantPicture(3, kRed, kGreen, kBlue, kYellow); }

class GUIPixelTest : public TestSupport::GUIPixelBed
{
protected:
    void SetUp() override
    {
        StartEngine("GUI Pixels");
    }

    void MoveTo(int x, int y) { mouse.MoveTo(engine->GetWindow()->GetHandle(), x, 599 - y); }


    TestSupport::ScriptedMouse mouse;
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
