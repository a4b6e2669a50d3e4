// The font manager: depth copies per window depth, their removal, text placement by flags, and texts that
// windows queue reaching the copies.
#include "engine/gui/GUIFontManager.h"

#include "engine/gui/GUIFont.h"
#include "engine/scene/Model.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace VelkorEngine;

namespace
{
using TestSupport::kFontTolerance;

class GUIFontManagerTest : public testing::Test
{
protected:
    GUIFontManagerTest()
    {
        // Every glyph 0.5 wide at size 20: each character is 10 units wide.
        TestSupport::CreateGridFont(Fonts(), bed.engine.folder, 0, L"abcdefghijklmnopqrstuvwxyzПривет", 0.5f,
                                    20.0f);
    }

    GUIFontManager& Fonts() { return *bed.Manager().GetFontManager(); }

    GUIWindow* Window(const Vector2& position, const Vector2& size, u32 state = GUIWindow::StateVisible)
    {
        return bed.Manager().CreateQuadWindow(state, position, size, nullptr, nullptr, Vector2(1.0f, 1.0f));
    }

    TestSupport::GUITestBed bed;
};

TEST_F(GUIFontManagerTest, WindowsAtOneDepthShareACopyJustInFrontOfThem)
{
    const u32 front = GUIWindow::StateVisible | GUIWindow::StateLayerFront;
    GUIWindow* first = Window(Vector2(0.0f, 0.0f), Vector2(100.0f, 50.0f), front);
    GUIWindow* second = Window(Vector2(0.0f, 100.0f), Vector2(100.0f, 50.0f), front);
    GUIFont* copy = Fonts().GetDepthFont(0, *first);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Fonts().GetDepthFont(0, *second), copy);
    EXPECT_EQ(copy->GetSource(), Fonts().GetFont(0));
    EXPECT_NEAR(copy->GetDepth(), GUIWindow::DepthFront - 0.005f, kFontTolerance);
    EXPECT_TRUE((copy->GetModel()->flags & 0x40000) != 0);
    EXPECT_EQ(Fonts().GetDepthFont(5, *first), nullptr) << "no font, no copy";
    EXPECT_EQ(Fonts().GetDepthCopyCount(), 1u);
}

TEST_F(GUIFontManagerTest, AWindowMovedToAnotherLayerGetsANewCopyAndTheOldOneGoesAtTheNextPass)
{
    GUIWindow* window =
        Window(Vector2(0.0f, 0.0f), Vector2(100.0f, 50.0f), GUIWindow::StateVisible | GUIWindow::StateLayerMiddle);
    window->AddText(0, 0, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"abc", 0.0f, -1.0f);
    bed.Manager().Render();
    ASSERT_EQ(Fonts().GetDepthCopyCount(), 1u);
    const GUIFont* middle = Fonts().GetDepthFont(0, *window);

    window->ClearState(GUIWindow::StateLayerMiddle);
    window->SetState(GUIWindow::StateLayerFront);
    window->AddText(0, 0, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"abc", 0.0f, -1.0f);
    bed.Manager().Render();
    ASSERT_EQ(Fonts().GetDepthCopyCount(), 1u) << "the middle copy drew nothing in this frame";
    EXPECT_NEAR(Fonts().GetDepthFont(0, *window)->GetDepth(), GUIWindow::DepthFront - 0.005f, kFontTolerance);
    EXPECT_NE(Fonts().GetDepthFont(0, *window), middle);
}

TEST_F(GUIFontManagerTest, AHiddenWindowMakesNoCopy)
{
    GUIWindow* hidden = Window(Vector2(0.0f, 0.0f), Vector2(100.0f, 50.0f), 0);
    Fonts().DrawText(0, 0, 0.0f, *hidden, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"abc");
    EXPECT_EQ(Fonts().GetDepthCopyCount(), 0u);
}

TEST_F(GUIFontManagerTest, RemovingAFontRemovesItsCopies)
{
    GUIWindow* window = Window(Vector2(0.0f, 0.0f), Vector2(100.0f, 50.0f));
    TestSupport::CreateGridFont(Fonts(), bed.engine.folder, 1, L"ab", 0.5f, 20.0f);
    Fonts().GetDepthFont(0, *window);
    Fonts().GetDepthFont(1, *window);
    Fonts().RemoveFont(0);
    EXPECT_EQ(Fonts().GetFont(0), nullptr);
    ASSERT_EQ(Fonts().GetDepthCopyCount(), 1u);
    EXPECT_EQ(Fonts().GetDepthFont(1, *window)->GetSource(), Fonts().GetFont(1));
    Fonts().RemoveFont(0);
}

struct PlaceCase
{
    u32 flags;
    f32 angle;
    Vector2 expected;
};

TEST_F(GUIFontManagerTest, TextsArePlacedByTheirFlags)
{
    // Window at (100, 200), 200 × 100; "abcd" measures 40 × 20; offset (3, 4).
    GUIWindow* window = Window(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    const f32 pi = std::numbers::pi_v<f32>;
    const PlaceCase cases[] = {
        {0, 0.0f, {103.0f, 204.0f}},
        {1 | 2, 0.0f, {180.0f, 240.0f}},
        {4 | 32, 0.0f, {100.0f, 200.0f}},
        {8 | 16, 0.0f, {260.0f, 280.0f}},
        {1, 0.0f, {180.0f, 204.0f}},
        {16, 0.0f, {103.0f, 280.0f}},
        {1 | 4 | 8, 0.0f, {180.0f, 200.0f + 4.0f}},
        {4 | 32, pi, {140.0f, 220.0f}},          // turned over: moved back by its extent on both axes
        {0, pi, {103.0f, 204.0f}},               // no flags: no correction
    };
    for (const PlaceCase& c : cases)
    {
        const Vector2 place = Fonts().PlaceText(c.flags, 0, *window, Vector2(3.0f, 4.0f), c.angle, L"abcd");
        EXPECT_NEAR(place.x, c.expected.x, 0.001f) << "flags " << c.flags << " angle " << c.angle;
        EXPECT_NEAR(place.y, c.expected.y, 0.001f) << "flags " << c.flags << " angle " << c.angle;
    }
    const Vector2 unknown = Fonts().PlaceText(1, 9, *window, Vector2(3.0f, 4.0f), 0.0f, L"abcd");
    EXPECT_EQ(unknown.x, 0.0f);
    EXPECT_EQ(unknown.y, 0.0f);
}

TEST_F(GUIFontManagerTest, TheTextAreaReplacesTheRectangle)
{
    GUIWindow* window = Window(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    window->SetTextArea(true, Vector2(10.0f, 20.0f), Vector2(60.0f, 40.0f));
    const Vector2 place = Fonts().PlaceText(8 | 2, 0, *window, Vector2(0.0f, 0.0f), 0.0f, L"ab");
    EXPECT_NEAR(place.x, 100.0f + 10.0f + 60.0f - 20.0f, kFontTolerance);
    EXPECT_NEAR(place.y, 200.0f + 20.0f + 10.0f, kFontTolerance);
}

TEST_F(GUIFontManagerTest, AQueuedTextReachesTheCopyAtItsOwnSizeForThatTextOnly)
{
    GUIWindow* window = Window(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    window->AddText(4 | 32, 0, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"ab", 0.0f, 40.0f);
    window->Render();
    GUIFont* copy = Fonts().GetDepthFont(0, *window);
    EXPECT_EQ(copy->GetQueuedCount(), 2u);
    EXPECT_EQ(copy->GetSize(), 40.0f);
    EXPECT_EQ(Fonts().GetFont(0)->GetSize(), 20.0f);
    EXPECT_EQ(window->GetTextCount(), 0u);
}
}
