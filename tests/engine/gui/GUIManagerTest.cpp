// The GUI manager: ownership of widgets, the GUI camera and the mouse pass over the widget lists.
#include "engine/gui/GUIManager.h"

#include "engine/render/Camera.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
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
    GUIWindow foreign(manager.GetServices(), 0, Vector2(), Vector2(), static_cast<const Model*>(nullptr), nullptr);
    manager.DestroyWindow(&foreign);
    manager.DestroyWindow(nullptr);
    manager.DestroyWindow(window);
    manager.DestroyWindow(window);
    manager.DestroyCursor(nullptr);
    SUCCEED();
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
