// Sliders, scroll bars and edit boxes made from descriptions and driven by the scripted mouse and keys.
#include "guitools/GUISliderControl.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "guitools/GUIEditBoxControl.h"
#include "guitools/GUIScrollControl.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/TypedKeys.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using GUITools::GUIEditBoxControl;
using GUITools::GUISliderControl;

namespace
{
const char* const SliderTrack = "position=\"100 100\" size=\"140 20\" toddler_size=\"20 20\" "
                                "toddler_min_position=\"10 0\" toddler_max_position=\"110 0\" ";

class GUISliderControlTest : public testing::Test
{
protected:
    void Build(const std::string& controls)
    {
        bed.WriteDescription("w.xml", "<window name=\"w\">" + controls + "</window>");
        window = bed.Build("w");
        window->Show(true);
        bed.RunFrames(*window, 1);
    }

    GUISlider* Slider(const std::string& name)
    {
        return dynamic_cast<GUISliderControl&>(*window->GetControl(name)).GetSlider();
    }

    void ClickAndDrag(const Vector2& from, const Vector2& to)
    {
        bed.gui.MoveMouseTo(from);
        bed.gui.PressMouse();
        bed.RunFrames(*window, 1);
        bed.gui.MoveMouseTo(to);
        bed.RunFrames(*window, 1);
        bed.gui.ReleaseMouse();
        bed.RunFrames(*window, 1);
    }

    TestSupport::WindowDescriptionBed bed;
    std::unique_ptr<GUITools::GUIWindowBase> window;
};

TEST_F(GUISliderControlTest, TheDescribedThumbIsDraggedAlongItsRange)
{
    Build(std::string("<slider name=\"s\" ") + SliderTrack + "/>");
    GUISlider* slider = Slider("w/s");
    slider->SetCount(6);
    EXPECT_EQ(slider->GetRangeStart().x, 10.0f);
    EXPECT_EQ(slider->GetRangeEnd().x, 110.0f);
    EXPECT_EQ(slider->GetToddlerSize().x, 20.0f);
    ClickAndDrag(Vector2(120.0f, 110.0f), Vector2(400.0f, 110.0f));
    EXPECT_EQ(slider->GetPosition(), 5u);
    ClickAndDrag(Vector2(220.0f, 110.0f), Vector2(160.0f, 110.0f));
    EXPECT_EQ(slider->GetPosition(), 2u);
}

struct OrientationCase
{
    const char* orientation;
    bool vertical;
};

class GUISliderOrientationTest : public GUISliderControlTest, public testing::WithParamInterface<OrientationCase>
{
};

TEST_P(GUISliderOrientationTest, VerticalWhenTheValueHoldsTheWordInSmallLetters)
{
    Build(std::string("<slider name=\"s\" orientation=\"") + GetParam().orientation + "\"/>");
    EXPECT_EQ(Slider("w/s")->IsVertical(), GetParam().vertical);
}

INSTANTIATE_TEST_SUITE_P(Orientations, GUISliderOrientationTest,
                         testing::Values(OrientationCase{"horizontal", false}, OrientationCase{"vertical", true},
                                         OrientationCase{"Vertical", false}, OrientationCase{"xverticalx", true}));

TEST_F(GUISliderControlTest, AScrollBarHasADraggableThumbAndStepButtons)
{
    Build("<scroll name=\"sc\" position=\"100 100\" size=\"200 20\" toddler_size=\"20 20\" "
          "toddler_min_position=\"20 0\" toddler_max_position=\"160 0\" increase_button_position=\"180 0\" "
          "increase_button_size=\"20 20\" decrease_button_size=\"20 20\"/>");
    GUIScroll* scroll = window->GetScroll("w/sc");
    ASSERT_NE(scroll, nullptr);
    scroll->SetCount(8);
    EXPECT_EQ(scroll->GetToddlerSize().x, 20.0f);
    ClickAndDrag(Vector2(290.0f, 110.0f), Vector2(290.0f, 110.0f));
    EXPECT_EQ(scroll->GetPosition(), 1u);
    ClickAndDrag(Vector2(110.0f, 110.0f), Vector2(110.0f, 110.0f));
    EXPECT_EQ(scroll->GetPosition(), 0u);
    ClickAndDrag(Vector2(130.0f, 110.0f), Vector2(500.0f, 110.0f));
    EXPECT_EQ(scroll->GetPosition(), 7u);
}

struct ScrollAlignmentCase
{
    const char* alignment;
    i32 buttonLayer;
    i32 scrollLayer;
};

class GUIScrollAlignmentTest : public GUISliderControlTest, public testing::WithParamInterface<ScrollAlignmentCase>
{
};

TEST_P(GUIScrollAlignmentTest, ButtonsStandAboveTheTrackUnlessLower)
{
    Build(std::string("<scroll name=\"sc\" height=\"3\" buttons_alignment=\"") + GetParam().alignment + "\"/>");
    GUIScroll* scroll = window->GetScroll("w/sc");
    EXPECT_EQ(scroll->GetLayer(), GetParam().scrollLayer);
    EXPECT_EQ(scroll->GetIncreaseButton()->GetLayer(), GetParam().buttonLayer);
    EXPECT_EQ(scroll->GetDecreaseButton()->GetLayer(), GetParam().buttonLayer);
}

INSTANTIATE_TEST_SUITE_P(Alignments, GUIScrollAlignmentTest,
                         testing::Values(ScrollAlignmentCase{"upper", 2, 3}, ScrollAlignmentCase{"", 2, 3},
                                         ScrollAlignmentCase{"Lower", 2, 3}, ScrollAlignmentCase{"lower", -1, 4}));

TEST_F(GUISliderControlTest, TypedKeysReachADescribedEditBox)
{
    Build("<edit_box name=\"e\" font=\"text\" size=\"300 30\" max_character_count=\"4\"/>");
    GUIEditBox* box = window->GetEditBox("w/e");
    ASSERT_NE(box, nullptr);
    for (const TestSupport::TypedKey& key : TestSupport::Characters(L"abcdef"))
    {
        TestSupport::SendTypedKey(bed.gui.engine.GetEngine(), key);
        bed.RunFrames(*window, 1);
    }
    EXPECT_EQ(box->GetText(), L"abcd");
}

struct CursorCase
{
    const char* attribute;
    wchar_t cursor;
};

class GUIEditBoxCursorTest : public GUISliderControlTest, public testing::WithParamInterface<CursorCase>
{
};

TEST_P(GUIEditBoxCursorTest, AnEmptyCursorCharacterIsASpace)
{
    Build(std::string("<edit_box name=\"e\" font=\"text\" ") + GetParam().attribute + "/>");
    EXPECT_EQ(window->GetEditBoxControl("w/e")->GetCursorCharacter(), GetParam().cursor);
}

INSTANTIATE_TEST_SUITE_P(Cursors, GUIEditBoxCursorTest,
                         testing::Values(CursorCase{"", L'_'}, CursorCase{"cursor_character=\"\"", L' '},
                                         CursorCase{"cursor_character=\"|x\"", L'|'}));

TEST_F(GUISliderControlTest, AnEditBoxWithoutAKnownFontTakesNoTextAndTakesAFontLater)
{
    Build("<edit_box name=\"e\" font=\"none\" size=\"300 30\"/>");
    GUIEditBoxControl* control = window->GetEditBoxControl("w/e");
    EXPECT_EQ(control->GetFontIndex(), -1);
    TestSupport::SendTypedKey(bed.gui.engine.GetEngine(), TestSupport::Characters(L"a").front());
    bed.RunFrames(*window, 1);
    control->SetFont("text");
    bed.RunFrames(*window, 1);
    TestSupport::SendTypedKey(bed.gui.engine.GetEngine(), TestSupport::Characters(L"b").front());
    bed.RunFrames(*window, 1);
    EXPECT_EQ(control->GetFontIndex(), 0);
    EXPECT_EQ(control->GetEditBox()->GetText(), L"b");
}
}
