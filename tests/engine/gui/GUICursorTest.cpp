// The GUI cursor: the mouse mapped onto the virtual screen with y upwards, and the cursor's model.
#include "engine/gui/GUICursor.h"

#include "engine/core/Window.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VelkorEngine;

namespace
{
struct MappingCase
{
    int pixelX;
    int pixelY;
    Vector2 expected;
};

TEST(GUICursorTest, PixelsMapOntoTheVirtualScreenWithYTurnedOver)
{
    TestSupport::GUITestBed bed;
    GUICursor* cursor = bed.Manager().CreateModelCursor(nullptr);
    const MappingCase cases[] = {{0, 0, {0.0f, 599.0f}}, {799, 599, {799.0f, 0.0f}}, {400, 300, {400.0f, 299.0f}}};
    for (const MappingCase& c : cases)
    {
        bed.MoveMouseToPixel(c.pixelX, c.pixelY);
        cursor->UpdateFromMouse();
        EXPECT_FLOAT_EQ(cursor->GetPosition().x, c.expected.x) << c.pixelX;
        EXPECT_FLOAT_EQ(cursor->GetPosition().y, c.expected.y) << c.pixelY;
    }
}

TEST(GUICursorTest, ALargerVirtualScreenScalesThePosition)
{
    TestSupport::GUITestBed bed;
    bed.Manager().SetSize(1600.0f, 1200.0f);
    GUICursor* cursor = bed.Manager().CreateModelCursor(nullptr);
    bed.MoveMouseToPixel(200, 99);
    cursor->UpdateFromMouse();
    EXPECT_FLOAT_EQ(cursor->GetPosition().x, 400.0f);
    EXPECT_FLOAT_EQ(cursor->GetPosition().y, 1000.0f);
}

TEST(GUICursorTest, AWindowWithoutClientAreaKeepsTheLastPosition)
{
    TestSupport::GUITestBed bed;
    GUICursor* cursor = bed.Manager().CreateModelCursor(nullptr);
    bed.MoveMouseToPixel(10, 20);
    cursor->UpdateFromMouse();
    auto& native = bed.engine.windows.windows[bed.engine.GetEngine().GetWindow()->GetHandle()];
    native.placement.client.right = native.placement.client.left;
    bed.MoveMouseToPixel(300, 300);
    cursor->UpdateFromMouse();
    EXPECT_TRUE(std::isfinite(cursor->GetPosition().x));
    EXPECT_FLOAT_EQ(cursor->GetPosition().x, 10.0f);
    EXPECT_FLOAT_EQ(cursor->GetPosition().y, 579.0f);
}

TEST(GUICursorTest, ASquareCursorHangsFromItsHotSpotInFrontOfEveryWindow)
{
    TestSupport::GUITestBed bed;
    GUICursor* cursor = bed.Manager().CreateCursor(nullptr, 32.0f);
    ASSERT_NE(cursor->GetModel(), nullptr);
    EXPECT_FLOAT_EQ(cursor->GetModel()->depth, -30.1f);
    bed.MoveMouseToPixel(100, 100);
    cursor->UpdateFromMouse();
    cursor->Place();
    EXPECT_EQ(cursor->GetModel()->flags & ModelFlags::Visible, 0u);
    cursor->SetVisible(true);
    cursor->Place();
    EXPECT_NE(cursor->GetModel()->flags & ModelFlags::Visible, 0u);
    const Vector3 hotSpot = cursor->GetModel()->worldMatrix.TransformPoint(Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(hotSpot.x, 100.0f);
    EXPECT_FLOAT_EQ(hotSpot.y, 499.0f);
}

TEST(GUICursorTest, ACursorWithoutAModelTracksButNeverDraws)
{
    TestSupport::GUITestBed bed;
    GUICursor* cursor = bed.Manager().CreateModelCursor(nullptr);
    cursor->SetVisible(true);
    bed.MoveMouseToPixel(5, 5);
    cursor->UpdateFromMouse();
    cursor->Place();
    EXPECT_EQ(cursor->GetModel(), nullptr);
    EXPECT_FLOAT_EQ(cursor->GetPosition().x, 5.0f);
}
}
