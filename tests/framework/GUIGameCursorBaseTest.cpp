// The game's cursors on the engine's twins: the custom-cursor setting, the visible state carried from cursor
// to cursor, the switch between the drawn and the system kind in one frame, and the cursors' end.
#include "framework/GUIGameCursorBase.h"

#include "engine/core/MessageManager.h"
#include "engine/gui/GUICursor.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace GameFramework;
using VelkorEngine::GUICursor;

namespace
{
class GUIGameCursorBaseTest : public ::testing::Test
{
protected:
    GUIGameCursorBaseTest()
        : cursors(std::make_unique<GUIGameCursorBase>(&Engine())),
          arrow(gui.Manager().CreateCursor(nullptr, 32.0f)), hand(gui.Manager().CreateCursor(nullptr, 32.0f))
    {
        arrow->SetVisible(true);
        cursors->RegisterCursor(0, 1000, arrow);
        cursors->RegisterCursor(1, 1001, hand);
    }

    VelkorEngine::Engine& Engine() { return gui.engine.GetEngine(); }
    bool SystemCursorShown() { return gui.engine.GetEngine().GetControls()->IsCursorVisible(); }

    // One frame with the cursor's update where the game runs it: after the render step sets the changed flags.
    bool Frame()
    {
        gui.engine.clock.AdvanceSeconds(1.0 / 60.0);
        Engine().Render();
        const bool shown = cursors && cursors->Update();
        Engine().Frame(0);
        return shown;
    }

    TestSupport::GUITestBed gui;
    std::unique_ptr<GUIGameCursorBase> cursors;
    GUICursor* arrow;
    GUICursor* hand;
};
}

TEST_F(GUIGameCursorBaseTest, StartsHiddenWithTheSettingRegistered)
{
    std::string text;
    Engine().GetConfig()->GetDefaultValue(text, "ui_custom_cursor");
    EXPECT_EQ(text, "1");
    EXPECT_TRUE(cursors->IsCustomCursorInUse());
    EXPECT_FALSE(SystemCursorShown()) << "no current cursor yet: the system cursor is hidden";
    EXPECT_FALSE(arrow->IsVisible()) << "a registered GUI cursor starts hidden";
    EXPECT_FALSE(cursors->IsCursorVisible());
    EXPECT_FALSE(Frame()) << "a hidden cursor is not updated";
}

TEST_F(GUIGameCursorBaseTest, TheVisibleStateMovesToTheNewCursor)
{
    cursors->SetCursor(0);
    cursors->SetCursorVisible(true);
    EXPECT_TRUE(arrow->IsVisible());
    EXPECT_FALSE(SystemCursorShown());
    cursors->SetCursor(1);
    EXPECT_EQ(cursors->GetCurrentCursorId(), 1u);
    EXPECT_FALSE(arrow->IsVisible());
    EXPECT_TRUE(hand->IsVisible());
    EXPECT_TRUE(cursors->IsCursorVisible());

    cursors->SetCursorVisible(false);
    cursors->SetCursor(0);
    EXPECT_FALSE(arrow->IsVisible()) << "a hidden cursor stays hidden";
    EXPECT_FALSE(hand->IsVisible());
}

TEST_F(GUIGameCursorBaseTest, ARepeatedIdKeepsItsFirstCursor)
{
    GUICursor* other = gui.Manager().CreateCursor(nullptr, 16.0f);
    cursors->RegisterCursor(1, 1002, other);
    cursors->SetCursor(1);
    cursors->SetCursorVisible(true);
    EXPECT_TRUE(hand->IsVisible());
    EXPECT_FALSE(other->IsVisible());
}

TEST_F(GUIGameCursorBaseTest, ACursorWithoutItsGUICursorIsRefused)
{
    cursors->RegisterCursor(2, 1003, nullptr);
    const auto errors = gui.engine.Records(VelkorEngine::MessageManager::KindError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("(GUIGameCursorBase::RegisterCursor)"), std::string::npos) << errors[0];
    cursors->SetCursor(2);
    cursors->SetCursorVisible(true);
    Frame();
    EXPECT_FALSE(arrow->IsVisible());
    EXPECT_FALSE(hand->IsVisible());
    // The id is still free for a cursor that has one.
    GUICursor* cross = gui.Manager().CreateCursor(nullptr, 16.0f);
    cursors->RegisterCursor(2, 1003, cross);
    cursors->SetCursor(0);
    cursors->SetCursorVisible(true);
    cursors->SetCursor(2);
    EXPECT_TRUE(cross->IsVisible());
}

TEST_F(GUIGameCursorBaseTest, SwitchingTheSettingSwapsTheKindInOneFrame)
{
    cursors->SetCursor(0);
    cursors->SetCursorVisible(true);
    EXPECT_TRUE(Frame());

    Engine().GetConfig()->Execute("ui_custom_cursor 0");
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(cursors->IsCustomCursorInUse());
    EXPECT_FALSE(arrow->IsVisible());
    EXPECT_TRUE(SystemCursorShown());

    Engine().GetConfig()->Execute("ui_custom_cursor 1");
    EXPECT_TRUE(Frame());
    EXPECT_TRUE(cursors->IsCustomCursorInUse());
    EXPECT_TRUE(arrow->IsVisible());
    EXPECT_FALSE(SystemCursorShown());
}

TEST_F(GUIGameCursorBaseTest, ASettingChangedWhileHiddenWaitsUntilShown)
{
    cursors->SetCursor(0);
    Engine().GetConfig()->Execute("ui_custom_cursor 0");
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(cursors->IsCustomCursorInUse()) << "the change was not applied while hidden";
}

TEST_F(GUIGameCursorBaseTest, TheEndDestroysTheGUICursorsAndFreesTheSetting)
{
    cursors->SetCursor(0);
    cursors->SetCursorVisible(true);
    Frame();
    const VelkorEngine::u32 withCursor = Engine().GetModelManager()->GetVisibleModelCount();
    cursors.reset();
    Frame();
    EXPECT_EQ(Engine().GetModelManager()->GetVisibleModelCount(), withCursor - 1) << "the drawn cursor is gone";

    VelkorEngine::u8 storage = 0;
    Engine().GetConfig()->AddVariable("ui_custom_cursor", VelkorEngine::Config::KindBool, 0, 1, &storage, "0", 1);
    EXPECT_EQ(storage, 1) << "the name was free for a new owner, with the value it had";
}
