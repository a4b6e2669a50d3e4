// The GUI manager: ownership of widgets, the GUI camera and the mouse pass over the widget lists.
#include "engine/gui/GUIManager.h"

#include "engine/render/Camera.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
// The models the last frame drew; every visible widget draws one.
u32 DrawnModels(TestSupport::GUITestBed& bed)
{
    return bed.engine.GetEngine().GetModelManager()->GetVisibleModelCount();
}

TEST(GUIManagerTest, TheCameraSpansTheVirtualScreen)
{
    TestSupport::GUITestBed bed;
    GUIManager& manager = bed.Manager();
    EXPECT_FLOAT_EQ(manager.GetWidth(), 800.0f);
    EXPECT_FLOAT_EQ(manager.GetHeight(), 600.0f);
    EXPECT_EQ(manager.GetCamera()->GetKind(), Camera::KindOrthographic);
    manager.SetSize(1024.0f, 768.0f);
    EXPECT_FLOAT_EQ(manager.GetWidth(), 1024.0f);
    EXPECT_FLOAT_EQ(manager.GetHeight(), 768.0f);
}

TEST(GUIManagerTest, DestroyingAWidgetTwiceDeletesItOnceAndForeignPointersAreIgnored)
{
    TestSupport::GUITestBed bed;
    GUIManager& manager = bed.Manager();
    GUIWindow* window = manager.CreateQuadWindow(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f), nullptr,
                                                 nullptr, Vector2(1.0f, 1.0f));
    GUIWindow* kept = manager.CreateQuadWindow(GUIWindow::StateVisible, Vector2(20.0f, 0.0f), Vector2(10.0f, 10.0f),
                                               nullptr, nullptr, Vector2(1.0f, 1.0f));
    bed.RunFrame();
    const u32 drawn = DrawnModels(bed);
    GUIWindow foreign(manager.GetServices(), 0, Vector2(), Vector2(), static_cast<const Model*>(nullptr), nullptr);
    manager.DestroyWindow(&foreign);
    manager.DestroyWindow(nullptr);
    manager.DestroyWindow(window);
    manager.DestroyWindow(window);
    manager.DestroyCursor(nullptr);
    bed.RunFrame();
    EXPECT_EQ(DrawnModels(bed), drawn - 1) << "the window went, once, and the other stayed";
    EXPECT_TRUE(kept->IsVisible());
    manager.DestroyWindow(kept);
    bed.RunFrame();
    EXPECT_EQ(DrawnModels(bed), drawn - 2);
}

TEST(GUIManagerTest, TheDefaultCursorFollowsTheMouseInGUIUnits)
{
    TestSupport::GUITestBed bed;
    bed.MoveMouseTo(Vector2(250.0f, 400.0f));
    bed.RunFrame();
    EXPECT_FLOAT_EQ(bed.Manager().GetCursorPosition().x, 250.0f);
    EXPECT_FLOAT_EQ(bed.Manager().GetCursorPosition().y, 400.0f);
}
}

namespace
{
// The engine's frames hand the mouse to the manager's widgets: one pass a frame, through the scripted devices.
class GUIManagerFrameTest : public testing::Test
{
protected:
    GUIButton* MakeButton()
    {
        return bed.Manager().CreateButton(GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f),
                                          static_cast<const ShaderDescriptor*>(nullptr), nullptr, Vector2(1.0f, 1.0f));
    }

    TestSupport::GUITestBed bed;
};

TEST_F(GUIManagerFrameTest, AButtonUnderAMouseHeldSinceBeforeItAppearedHoversButNeverClicks)
{
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.PressMouse();
    bed.RunFrame();
    GUIButton* button = MakeButton();
    bed.RunFrame();
    EXPECT_EQ(button->GetState(), GUIButton::Hover);
    bed.ReleaseMouse();
    bed.RunFrame();
    EXPECT_FALSE(button->IsClicked());
    EXPECT_EQ(button->GetState(), GUIButton::Hover);
}

TEST_F(GUIManagerFrameTest, AWidgetMadeBetweenPassesGetsItsFirstPassInTheNextFrame)
{
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.RunFrame();
    GUIButton* button = MakeButton();
    EXPECT_EQ(button->GetState(), GUIButton::Normal);
    bed.RunFrame();
    EXPECT_EQ(button->GetState(), GUIButton::Hover);
}

TEST_F(GUIManagerFrameTest, APressAndReleaseInLaterFramesClicksOnce)
{
    GUIButton* button = MakeButton();
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.RunFrame();
    bed.PressMouse();
    bed.RunFrame();
    EXPECT_EQ(button->GetState(), GUIButton::Pressed);
    bed.ReleaseMouse();
    bed.RunFrame();
    EXPECT_TRUE(button->IsClicked());
    bed.RunFrame();
    EXPECT_FALSE(button->IsClicked());
}

TEST_F(GUIManagerFrameTest, AClickWithinOneFrameIsNotLost)
{
    GUICheckBox* box = bed.Manager().CreateCheckBox(GUIWindow::StateVisible, Vector2(100.0f, 100.0f),
                                                    Vector2(40.0f, 40.0f), static_cast<const ShaderDescriptor*>(nullptr),
                                                    nullptr, Vector2(1.0f, 1.0f));
    bed.MoveMouseTo(Vector2(120.0f, 120.0f));
    bed.RunFrame();
    bed.PressMouse();
    bed.ReleaseMouse();
    bed.RunFrame();
    bed.RunFrame();
    EXPECT_TRUE(box->IsChecked());
}

// A slow frame reads a quick click after the pointer has moved on: the click belongs to the button it was made
// on, while the drawn cursor is where the pointer is.
TEST_F(GUIManagerFrameTest, AClickReadLateActsOnTheButtonItWasMadeOn)
{
    GUIButton* made = MakeButton();
    GUIButton* movedTo = bed.Manager().CreateButton(GUIWindow::StateVisible, Vector2(400.0f, 100.0f),
                                                    Vector2(100.0f, 40.0f),
                                                    static_cast<const ShaderDescriptor*>(nullptr), nullptr,
                                                    Vector2(1.0f, 1.0f));
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.RunFrame();
    bed.PressMouse();
    bed.ReleaseMouse();
    bed.MoveMouseTo(Vector2(450.0f, 120.0f));
    bed.RunFrame();
    EXPECT_FLOAT_EQ(bed.Manager().GetCursorPosition().x, 450.0f);
    EXPECT_FLOAT_EQ(bed.Manager().GetClickPosition().x, 150.0f);
    bed.RunFrame();
    EXPECT_TRUE(made->IsClicked());
    EXPECT_FALSE(movedTo->IsClicked());
    bed.RunFrame();
    EXPECT_EQ(made->GetState(), GUIButton::Normal);
    EXPECT_EQ(movedTo->GetState(), GUIButton::Hover);

    // A press made on one button and let go on the other, both read late, clicks neither.
    bed.PressMouse();
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.ReleaseMouse();
    bed.RunFrame();
    bed.RunFrame();
    EXPECT_FALSE(made->IsClicked());
    EXPECT_FALSE(movedTo->IsClicked());
}

TEST_F(GUIManagerFrameTest, ASliderInTheManagerIsDraggedThroughItsToddlerOncePerFrame)
{
    GUISlider* slider = bed.Manager().CreateSlider(
        GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(140.0f, 20.0f),
        static_cast<const ShaderDescriptor*>(nullptr), false, Vector2(10.0f, 0.0f), Vector2(110.0f, 0.0f), 5, nullptr,
        Vector2(1.0f, 1.0f));
    slider->CreateToddler(Vector2(20.0f, 20.0f), static_cast<const ShaderDescriptor*>(nullptr), Vector2(1.0f, 1.0f));
    bed.MoveMouseTo(Vector2(120.0f, 110.0f));
    bed.RunFrame();
    bed.PressMouse();
    bed.RunFrame();
    EXPECT_TRUE(slider->IsDragging());
    bed.MoveMouseTo(Vector2(170.0f, 110.0f));
    bed.RunFrame();
    EXPECT_EQ(slider->GetPosition(), 2u);
    bed.ReleaseMouse();
    bed.RunFrame();
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->GetPosition(), 2u);
}

TEST_F(GUIManagerFrameTest, DestroyingEveryKindTwiceDeletesEachOnce)
{
    GUIManager& manager = bed.Manager();
    const ShaderDescriptor* none = nullptr;
    const Vector2 unit(1.0f, 1.0f);
    const u32 widgetsBefore = manager.GetWidgetCount();
    GUIButton* button = MakeButton();
    bed.RunFrame();
    const u32 withButton = DrawnModels(bed);
    GUICheckBox* box = manager.CreateCheckBox(1, Vector2(), unit, none, nullptr, unit);
    GUISlider* slider = manager.CreateSlider(1, Vector2(), unit, none, false, Vector2(), unit, 2, nullptr, unit);
    GUIScroll* scroll = manager.CreateScroll(1, Vector2(), unit, none, false, Vector2(), unit, 2, nullptr, unit);
    GUICursor* cursor = manager.CreateCursor(none, 16.0f);
    bed.RunFrame();
    ASSERT_GT(DrawnModels(bed), withButton);
    EXPECT_EQ(manager.GetWidgetCount(), widgetsBefore + 5);
    for (int i = 0; i < 2; ++i)
    {
        manager.DestroyButton(button);
        manager.DestroyCheckBox(box);
        manager.DestroySlider(slider);
        manager.DestroyScroll(scroll);
        manager.DestroyCursor(cursor);
    }
    EXPECT_EQ(manager.GetWidgetCount(), widgetsBefore);
    // A button made afterwards works as ever: the lists were left whole.
    GUIButton* after = MakeButton();
    bed.MoveMouseTo(Vector2(150.0f, 120.0f));
    bed.RunFrame();
    EXPECT_EQ(DrawnModels(bed), withButton);
    EXPECT_EQ(after->GetState(), GUIButton::Hover);
}
}
