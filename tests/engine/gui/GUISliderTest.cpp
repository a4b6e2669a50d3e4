// Sliders and scroll bars: counts and positions, the drag along the track, the toddler's placement and the
// step buttons' repeat.
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"

#include "engine/scene/Model.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
// A slider at (100, 100), 140 x 20, whose track runs from x 10 to x 110 inside it, with a 20 x 20 toddler:
// the toddler's centre runs from x 120 to x 220 on the screen.
class GUISliderTest : public testing::Test
{
protected:
    std::unique_ptr<GUISlider> MakeSlider(u32 count, bool vertical = false)
    {
        const Vector2 end = vertical ? Vector2(10.0f, 100.0f) : Vector2(110.0f, 0.0f);
        auto slider = std::make_unique<GUISlider>(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f),
                                                  Vector2(140.0f, 20.0f), static_cast<const ShaderDescriptor*>(nullptr),
                                                  vertical, Vector2(10.0f, 0.0f), end, count, nullptr,
                                                  Vector2(1.0f, 1.0f));
        slider->CreateToddler(Vector2(20.0f, 20.0f), static_cast<const ShaderDescriptor*>(nullptr),
                              Vector2(1.0f, 1.0f));
        return slider;
    }

    // Presses on the track at x and lets go there.
    static void DragTo(GUISlider& slider, f32 x, f32 y = 110.0f)
    {
        slider.HandleMouse(Vector2(130.0f, 110.0f), true, true);
        slider.HandleMouse(Vector2(x, y), true, false);
    }

    TestSupport::GUITestBed bed;
};

struct CountCase
{
    u32 count;
    u32 requested;
    u32 storedCount;
    u32 position;
};

TEST_F(GUISliderTest, CountsBelowTwoBecomeTwoAndPositionsAreClampedToTheLast)
{
    const CountCase cases[] = {{0, 0, 2, 0}, {1, 5, 2, 1}, {5, 10, 5, 4}, {5, 3, 5, 3}, {1001, 2000, 1001, 1000}};
    for (const CountCase& c : cases)
    {
        auto slider = MakeSlider(c.count);
        slider->SetPosition(c.requested);
        EXPECT_EQ(slider->GetCount(), c.storedCount);
        EXPECT_EQ(slider->GetPosition(), c.position);
    }
    auto slider = MakeSlider(10);
    slider->SetPosition(9);
    slider->SetCount(4);
    EXPECT_EQ(slider->GetPosition(), 3u);
}

struct DragCase
{
    f32 x;
    bool reversed;
    u32 position;
};

TEST_F(GUISliderTest, TheDragTakesTheStepNearestToTheToddlersCentre)
{
    const DragCase cases[] = {{120.0f, false, 0}, {182.5f, false, 3}, {182.0f, false, 2}, {220.0f, false, 4},
                              {400.0f, false, 4}, {20.0f, false, 0},  {120.0f, true, 4},  {220.0f, true, 0},
                              {157.5f, true, 3}, {160.0f, true, 2}};
    for (const DragCase& c : cases)
    {
        auto slider = MakeSlider(5);
        slider->SetReversed(c.reversed);
        DragTo(*slider, c.x);
        EXPECT_EQ(slider->GetPosition(), c.position) << c.x << (c.reversed ? " reversed" : "");
    }
}

TEST_F(GUISliderTest, AVerticalSliderDragsAlongY)
{
    auto slider = MakeSlider(3, true);
    slider->HandleMouse(Vector2(120.0f, 115.0f), true, true);
    EXPECT_TRUE(slider->IsDragging());
    slider->HandleMouse(Vector2(120.0f, 210.0f), true, false);
    EXPECT_EQ(slider->GetPosition(), 2u);
    slider->HandleMouse(Vector2(120.0f, 210.0f), false, false);
    EXPECT_FALSE(slider->IsDragging());
}

TEST_F(GUISliderTest, APressOffTheTrackDoesNotDrag)
{
    auto slider = MakeSlider(5);
    slider->SetPosition(2);
    slider->HandleMouse(Vector2(300.0f, 300.0f), true, true);
    slider->HandleMouse(Vector2(120.0f, 110.0f), true, false);
    EXPECT_EQ(slider->GetPosition(), 2u);
    EXPECT_FALSE(slider->IsDragging());
}

TEST_F(GUISliderTest, ADisabledSliderNeitherDragsNorHovers)
{
    auto slider = MakeSlider(5);
    slider->SetEnabled(false);
    EXPECT_FALSE(slider->GetToddler()->IsEnabled());
    EXPECT_FALSE(slider->HandleMouse(Vector2(150.0f, 110.0f), true, true));
    DragTo(*slider, 220.0f);
    EXPECT_EQ(slider->GetPosition(), 0u);
    EXPECT_EQ(slider->GetState(), GUISlider::Disabled);
    slider->SetEnabled(true);
    EXPECT_TRUE(slider->GetToddler()->IsEnabled());
    EXPECT_EQ(slider->GetState(), GUISlider::Normal);
}

TEST_F(GUISliderTest, TheToddlerButtonCoversTheTrackAndItsModelSitsAtThePosition)
{
    auto slider = MakeSlider(5);
    GUIButton* toddler = slider->GetToddler();
    EXPECT_FLOAT_EQ(toddler->GetAbsolutePosition().x, 110.0f);
    EXPECT_FLOAT_EQ(toddler->GetSize().x, 120.0f);
    EXPECT_FLOAT_EQ(toddler->GetSize().y, 20.0f);

    slider->SetPosition(2);
    ASSERT_TRUE(slider->Render());
    const Matrix4& matrix = toddler->GetModel()->worldMatrix;
    const Vector3 low = matrix.TransformPoint(Vector3(0.0f, 0.0f, 0.0f));
    const Vector3 high = matrix.TransformPoint(Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(low.x, 160.0f);
    EXPECT_FLOAT_EQ(low.y, 100.0f);
    EXPECT_FLOAT_EQ(high.x, 180.0f);
    EXPECT_FLOAT_EQ(high.y, 120.0f);

    slider->SetRangeEnd(Vector2(210.0f, 0.0f));
    EXPECT_FLOAT_EQ(toddler->GetSize().x, 220.0f);
}

TEST_F(GUISliderTest, TheToddlerIsAChildThatFollowsTheSlidersVisibility)
{
    auto slider = MakeSlider(5);
    EXPECT_EQ(slider->GetToddler()->GetParent(), slider.get());
    slider->ClearState(GUIWindow::StateVisible);
    EXPECT_FALSE(slider->GetToddler()->IsVisible());
    EXPECT_FALSE(slider->Render());
}

class GUIScrollTest : public testing::Test
{
protected:
    GUIScrollTest()
        : scroll(bed.Services(), GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(200.0f, 20.0f),
                 static_cast<const ShaderDescriptor*>(nullptr), false, Vector2(20.0f, 0.0f), Vector2(160.0f, 0.0f),
                 100, nullptr, Vector2(1.0f, 1.0f))
    {
        scroll.CreateDecreaseButton(Vector2(0.0f, 0.0f), Vector2(20.0f, 20.0f),
                                    static_cast<const ShaderDescriptor*>(nullptr), Vector2(1.0f, 1.0f));
        scroll.CreateIncreaseButton(Vector2(180.0f, 0.0f), Vector2(20.0f, 20.0f),
                                    static_cast<const ShaderDescriptor*>(nullptr), Vector2(1.0f, 1.0f));
    }

    // Frames of 1/60 s in which the scroll bar gets the mouse at the point; the first may be the press.
    void Hold(const Vector2& point, int frames, bool pressFirst)
    {
        for (int i = 0; i < frames; ++i)
        {
            bed.RunFrame();
            scroll.HandleMouse(point, true, pressFirst && i == 0);
        }
    }

    TestSupport::GUITestBed bed;
    GUIScroll scroll;
    const Vector2 increasePoint{290.0f, 110.0f};
    const Vector2 decreasePoint{110.0f, 110.0f};
};

TEST_F(GUIScrollTest, HoldingTheIncreaseButtonForHalfASecondStepsFourTimes)
{
    Hold(increasePoint, 30, true);
    EXPECT_EQ(scroll.GetPosition(), 4u);
    EXPECT_TRUE(scroll.IsDragging());
}

TEST_F(GUIScrollTest, MovingOffTheButtonStopsTheRepeatWithoutARelease)
{
    Hold(increasePoint, 1, true);
    EXPECT_EQ(scroll.GetPosition(), 1u);
    Hold(Vector2(200.0f, 300.0f), 30, false);
    EXPECT_EQ(scroll.GetPosition(), 1u);
    Hold(increasePoint, 1, false);
    EXPECT_EQ(scroll.GetPosition(), 2u);
}

TEST_F(GUIScrollTest, StepsStopAtBothEnds)
{
    scroll.SetStep(30);
    Hold(decreasePoint, 1, true);
    EXPECT_EQ(scroll.GetPosition(), 0u);
    scroll.HandleMouse(decreasePoint, false, false);
    scroll.SetPosition(90);
    Hold(increasePoint, 1, true);
    EXPECT_EQ(scroll.GetPosition(), 99u);
}

TEST_F(GUIScrollTest, DisablingTheScrollBarDisablesTheToddlerAndBothButtons)
{
    scroll.SetEnabled(false);
    EXPECT_FALSE(scroll.GetToddler()->IsEnabled());
    EXPECT_FALSE(scroll.GetIncreaseButton()->IsEnabled());
    EXPECT_FALSE(scroll.GetDecreaseButton()->IsEnabled());
    Hold(increasePoint, 5, true);
    EXPECT_EQ(scroll.GetPosition(), 0u);
    scroll.SetEnabled(true);
    EXPECT_TRUE(scroll.GetIncreaseButton()->IsEnabled());
}

TEST_F(GUIScrollTest, TheToddlerLiesAboveTheButtonsWithItsOwnSounds)
{
    EXPECT_EQ(scroll.GetToddler()->GetLayer(), 2);
    scroll.CreateToddler(Vector2(10.0f, 20.0f), static_cast<const ShaderDescriptor*>(nullptr), Vector2(1.0f, 1.0f));
    EXPECT_EQ(scroll.GetToddler()->GetLayer(), 2);
    EXPECT_EQ(scroll.GetIncreaseButton()->GetParent(), &scroll);
    bed.sounds.played.clear();
    scroll.HandleMouse(Vector2(150.0f, 300.0f), false, false);
    scroll.HandleMouse(Vector2(150.0f, 110.0f), false, false);
    scroll.HandleMouse(Vector2(150.0f, 110.0f), true, true);
    EXPECT_EQ(bed.sounds.played, (std::vector<u32>{GUISoundManager::ScrollThumbHover, GUISoundManager::ScrollThumbPress}));
}
}
