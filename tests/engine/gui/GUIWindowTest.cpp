// The window widget: hit areas, the window tree's visibility and depths, model placement and the text queue.
#include "engine/gui/GUIWindow.h"

#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
class GUIWindowTest : public testing::Test
{
protected:
    GUIWindow* Quad(u32 state, const Vector2& position, const Vector2& size, GUIWindow* parent = nullptr)
    {
        return bed.Manager().CreateQuadWindow(state, position, size, nullptr, parent, Vector2(1.0f, 1.0f));
    }

    static bool ModelShown(const GUIWindow* window) { return (window->GetModel()->flags & ModelFlags::Visible) != 0; }

    TestSupport::GUITestBed bed;
};

struct HitCase
{
    Vector2 point;
    bool over;
};

TEST_F(GUIWindowTest, PointsOnTheEdgesAreOutsideAndInsidePointsAreOver)
{
    GUIWindow* window = Quad(GUIWindow::StateVisible, Vector2(100.0f, 200.0f), Vector2(50.0f, 20.0f));
    const HitCase cases[] = {{{100.0f, 210.0f}, false}, {{150.0f, 210.0f}, false}, {{120.0f, 200.0f}, false},
                             {{120.0f, 220.0f}, false}, {{100.5f, 200.5f}, true},  {{149.5f, 219.5f}, true},
                             {{99.0f, 210.0f}, false},  {{125.0f, 221.0f}, false}};
    for (const HitCase& c : cases)
    {
        EXPECT_TRUE(window->HandleMouse(c.point, false, false));
        EXPECT_EQ(window->IsMouseOver(), c.over) << c.point.x << ", " << c.point.y;
    }
}

TEST_F(GUIWindowTest, AZeroWidthWindowIsNeverHitAndAHiddenOneReportsFalse)
{
    GUIWindow* thin = Quad(GUIWindow::StateVisible, Vector2(10.0f, 10.0f), Vector2(0.0f, 20.0f));
    EXPECT_TRUE(thin->HandleMouse(Vector2(10.0f, 15.0f), false, false));
    EXPECT_FALSE(thin->IsMouseOver());

    GUIWindow* hidden = Quad(0, Vector2(0.0f, 0.0f), Vector2(100.0f, 100.0f));
    EXPECT_FALSE(hidden->HandleMouse(Vector2(50.0f, 50.0f), false, false));
    EXPECT_FALSE(hidden->IsMouseOver());
}

TEST_F(GUIWindowTest, TheHitAreaReplacesTheRectangleRelativeToTheAbsolutePosition)
{
    GUIWindow* parent = Quad(GUIWindow::StateVisible, Vector2(100.0f, 100.0f), Vector2(200.0f, 200.0f));
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(10.0f, 10.0f), Vector2(50.0f, 50.0f), parent);
    child->SetHitArea(true, Vector2(60.0f, 0.0f), Vector2(10.0f, 10.0f));
    child->HandleMouse(Vector2(120.0f, 120.0f), false, false);
    EXPECT_FALSE(child->IsMouseOver());
    child->HandleMouse(Vector2(175.0f, 115.0f), false, false);
    EXPECT_TRUE(child->IsMouseOver());
}

TEST_F(GUIWindowTest, HidingAParentHidesDescendantsAndShowingBringsBackOnlyThoseWithTheirOwnBit)
{
    GUIWindow* parent = Quad(GUIWindow::StateVisible, Vector2(0.0f, 0.0f), Vector2(400.0f, 400.0f));
    GUIWindow* shown = Quad(GUIWindow::StateVisible, Vector2(10.0f, 10.0f), Vector2(50.0f, 50.0f), parent);
    GUIWindow* hiddenChild = Quad(0, Vector2(70.0f, 10.0f), Vector2(50.0f, 50.0f), parent);
    GUIWindow* grandChild = Quad(GUIWindow::StateVisible, Vector2(5.0f, 5.0f), Vector2(10.0f, 10.0f), shown);
    EXPECT_TRUE(ModelShown(grandChild));
    EXPECT_FALSE(ModelShown(hiddenChild));

    parent->ClearState(GUIWindow::StateVisible);
    for (GUIWindow* window : {parent, shown, hiddenChild, grandChild})
    {
        EXPECT_FALSE(window->IsVisible());
        EXPECT_FALSE(ModelShown(window));
    }

    parent->SetState(GUIWindow::StateVisible);
    EXPECT_TRUE(shown->IsVisible());
    EXPECT_TRUE(grandChild->IsVisible());
    EXPECT_TRUE(ModelShown(grandChild));
    EXPECT_FALSE(hiddenChild->IsVisible());
    EXPECT_FALSE(ModelShown(hiddenChild));
}

TEST_F(GUIWindowTest, AWindowShownAgainReportsNoMouseOverUntilTheNextPass)
{
    GUIWindow* window = Quad(GUIWindow::StateVisible, Vector2(0.0f, 0.0f), Vector2(100.0f, 100.0f));
    window->HandleMouse(Vector2(50.0f, 50.0f), false, false);
    ASSERT_TRUE(window->IsMouseOver());
    window->ClearState(GUIWindow::StateVisible);
    window->SetState(GUIWindow::StateVisible);
    EXPECT_FALSE(window->IsMouseOver());
}

struct ClassDepthCase
{
    u32 state;
    f32 depth;
};

TEST_F(GUIWindowTest, AWindowWithoutParentTakesTheDepthOfItsLayerClass)
{
    const ClassDepthCase cases[] = {{GUIWindow::StateLayerBack, -10.0f},
                                    {GUIWindow::StateLayerMiddle, -20.0f},
                                    {GUIWindow::StateLayerFront, -30.0f},
                                    {0, -15.0f},
                                    {GUIWindow::StateLayerBack | GUIWindow::StateLayerFront, -10.0f},
                                    {GUIWindow::StateLayerMiddle | GUIWindow::StateLayerFront, -20.0f}};
    for (const ClassDepthCase& c : cases)
    {
        GUIWindow* window = Quad(c.state | GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f));
        EXPECT_FLOAT_EQ(window->GetDepth(), c.depth) << c.state;
        EXPECT_FLOAT_EQ(window->GetModel()->depth, c.depth) << c.state;
    }
}

TEST_F(GUIWindowTest, AChildLiesItsLayerTimesAHundredthNearerThanItsParentAndFollowsIt)
{
    GUIWindow* parent = Quad(GUIWindow::StateLayerMiddle, Vector2(), Vector2(10.0f, 10.0f));
    GUIWindow* child = Quad(GUIWindow::StateLayerBack, Vector2(), Vector2(10.0f, 10.0f), parent);
    GUIWindow* grandChild = Quad(0, Vector2(), Vector2(10.0f, 10.0f), child);
    EXPECT_EQ(child->GetStateBits() & GUIWindow::StateLayerClasses, 0u);
    EXPECT_FLOAT_EQ(child->GetDepth(), -20.01f);
    child->SetLayer(3);
    EXPECT_FLOAT_EQ(child->GetDepth(), -20.03f);
    EXPECT_FLOAT_EQ(grandChild->GetDepth(), -20.04f);
    EXPECT_FLOAT_EQ(grandChild->GetModel()->depth, -20.04f);

    parent->ClearState(GUIWindow::StateLayerMiddle);
    parent->SetState(GUIWindow::StateLayerBack);
    EXPECT_FLOAT_EQ(grandChild->GetDepth(), -10.04f);
}

TEST_F(GUIWindowTest, SettingBitsOfWhichOneIsAlreadySetDoesNothing)
{
    GUIWindow* window = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f));
    window->SetState(GUIWindow::StateVisible | GUIWindow::StateLayerBack);
    EXPECT_EQ(window->GetStateBits() & GUIWindow::StateLayerBack, 0u);
    EXPECT_FLOAT_EQ(window->GetDepth(), -15.0f);
}

TEST_F(GUIWindowTest, ClearingOneClassLeavesTheUnclassedDepthWhateverClassesRemain)
{
    GUIWindow* window = Quad(GUIWindow::StateLayerBack, Vector2(), Vector2(10.0f, 10.0f));
    window->SetState(GUIWindow::StateLayerMiddle);
    window->ClearState(GUIWindow::StateLayerMiddle);
    EXPECT_NE(window->GetStateBits() & GUIWindow::StateLayerBack, 0u);
    EXPECT_FLOAT_EQ(window->GetDepth(), -15.0f);
}

TEST_F(GUIWindowTest, ClearingTheVisibleBitOfAChildKeepsItsDepthUnderItsParent)
{
    GUIWindow* parent = Quad(GUIWindow::StateLayerFront, Vector2(), Vector2(10.0f, 10.0f));
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f), parent);
    child->ClearState(GUIWindow::StateVisible | GUIWindow::StateLayerBack);
    EXPECT_FLOAT_EQ(child->GetDepth(), -30.01f);
}

TEST_F(GUIWindowTest, DestroyingAParentLeavesItsChildrenOnTopWithoutAParent)
{
    GUIWindow* parent = Quad(GUIWindow::StateLayerFront | GUIWindow::StateVisible, Vector2(100.0f, 100.0f),
                             Vector2(10.0f, 10.0f));
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(5.0f, 5.0f), Vector2(10.0f, 10.0f), parent);
    parent->ClearState(GUIWindow::StateVisible);
    bed.Manager().DestroyWindow(parent);
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_FLOAT_EQ(child->GetDepth(), -15.0f);
    EXPECT_TRUE(child->IsVisible());
    EXPECT_FLOAT_EQ(child->GetAbsolutePosition().x, 5.0f);
}

TEST_F(GUIWindowTest, AWindowCannotBecomeItsOwnAncestor)
{
    GUIWindow* parent = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f));
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f), parent);
    parent->SetParent(child);
    parent->SetParent(parent);
    EXPECT_EQ(parent->GetParent(), nullptr);
    EXPECT_EQ(child->GetParent(), parent);
}

TEST_F(GUIWindowTest, RenderStretchesTheUnitQuadOverTheAbsoluteRectangle)
{
    GUIWindow* parent = Quad(GUIWindow::StateVisible, Vector2(100.0f, 50.0f), Vector2(10.0f, 10.0f));
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(20.0f, 30.0f), Vector2(40.0f, 60.0f), parent);
    ASSERT_TRUE(child->Render());
    const Matrix4& matrix = child->GetModel()->worldMatrix;
    const Vector3 low = matrix.TransformPoint(Vector3(0.0f, 0.0f, 0.0f));
    const Vector3 high = matrix.TransformPoint(Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(low.x, 120.0f);
    EXPECT_FLOAT_EQ(low.y, 80.0f);
    EXPECT_FLOAT_EQ(high.x, 160.0f);
    EXPECT_FLOAT_EQ(high.y, 140.0f);
}

TEST_F(GUIWindowTest, TextsLiveForOneFrameAndAHiddenWindowDropsThem)
{
    GUIWindow* window = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f));
    window->AddText(1, 0, Vector2(), Color(1.0f, 0.0f, 0.0f, 1.0f), L"", 0.0f, -1.0f);
    EXPECT_EQ(window->GetTextCount(), 0u);
    window->AddText(1 | 2, 3, Vector2(4.0f, 5.0f), Color(1.0f, 0.0f, 0.0f, 1.0f), L"Привет", 0.5f, 12.0f);
    window->AddText(4, -1, Vector2(), Color(), L"second", 0.0f, -1.0f);
    ASSERT_EQ(window->GetTextCount(), 2u);
    EXPECT_EQ(window->GetText(0).text, L"Привет");
    EXPECT_EQ(window->GetText(0).font, 3);
    EXPECT_FLOAT_EQ(window->GetText(0).size, 12.0f);
    EXPECT_EQ(window->GetText(1).font, -1);
    window->Render();
    EXPECT_EQ(window->GetTextCount(), 0u);

    window->AddText(0, 0, Vector2(), Color(), L"again", 0.0f, -1.0f);
    EXPECT_EQ(window->GetText(0).text, L"again");
    window->ClearState(GUIWindow::StateVisible);
    EXPECT_FALSE(window->Render());
    EXPECT_EQ(window->GetTextCount(), 0u);
}

TEST_F(GUIWindowTest, ColouredQuadsStartWhiteAndTakeTheirColour)
{
    GUIWindow* plain = Quad(GUIWindow::StateVisible, Vector2(), Vector2(10.0f, 10.0f));
    GUIWindow* colored =
        Quad(GUIWindow::StateVisible | GUIWindow::StateColored, Vector2(), Vector2(10.0f, 10.0f));
    EXPECT_FALSE(plain->GetColor() != Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_FALSE(colored->GetColor() != Color(1.0f, 1.0f, 1.0f, 1.0f));
    colored->SetColor(Color(1.0f, 0.0f, 0.0f, 0.5f));
    EXPECT_NEAR(colored->GetColor().a, 0.5f, 0.01f);
    EXPECT_NEAR(colored->GetColor().g, 0.0f, 0.01f);
}

TEST_F(GUIWindowTest, AWindowWithoutAModelStillPlacesItsChildren)
{
    GUIWindow* frame = bed.Manager().CreateWindow(GUIWindow::StateVisible, Vector2(30.0f, 40.0f),
                                                  Vector2(100.0f, 100.0f), nullptr, nullptr);
    ASSERT_EQ(frame->GetModel(), nullptr);
    EXPECT_TRUE(frame->Render());
    EXPECT_EQ(frame->GetAnimationControl(), nullptr);
    GUIWindow* child = Quad(GUIWindow::StateVisible, Vector2(1.0f, 2.0f), Vector2(5.0f, 5.0f), frame);
    EXPECT_FLOAT_EQ(child->GetAbsolutePosition().y, 42.0f);
    EXPECT_TRUE(child->IsVisible());
}
}
