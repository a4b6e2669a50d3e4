// The game cursor's effects on the engine's twins: the trail follows the pointer at its offset, a click
// restarts the burst where it was made, and the trail switch and the visibility before and after the effects.
#include "game/app/GUIGameCursor.h"

#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using Korvane::GUIGameCursor;

namespace
{
class GUIGameCursorTest : public testing::Test
{
protected:
    GUIGameCursorTest()
    {
        keeper = std::make_unique<GameTools::DataKeeper>(&GetEngine(), "en");
        ParticleSystemManager* systems = GetEngine().GetParticleSystemManager();
        keeper->AddParticleSystem("ui/cursor_train", systems->NewSelfMadeParticleSystem(nullptr));
        keeper->AddParticleSystem("ui/cursor_click", systems->NewSelfMadeParticleSystem(nullptr));
        cursor = std::make_unique<GUIGameCursor>(&GetEngine());
        cursor->SetCursorVisible(true);
    }

    Engine& GetEngine() { return gui.engine.GetEngine(); }

    void Frame()
    {
        gui.engine.clock.AdvanceSeconds(1.0 / 60.0);
        GetEngine().Render();
        cursor->Update();
        GetEngine().Frame(0);
    }

    static void ExpectAt(const ParticleSystem& system, f32 x, f32 y)
    {
        EXPECT_NEAR(system.emitterPosition.x, x, 0.01f);
        EXPECT_NEAR(system.emitterPosition.y, y, 0.01f);
        EXPECT_EQ(system.emitterPosition.z, 0.0f);
    }

    TestSupport::GUITestBed gui;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUIGameCursor> cursor;
};
}

TEST_F(GUIGameCursorTest, BeforeTheEffectsExistTheSwitchesOnlyStoreTheirValues)
{
    EXPECT_EQ(cursor->GetTrail(), nullptr);
    cursor->SetTrailEnabled(false);
    cursor->SetCursorVisible(false);
    cursor->SetCursorVisible(true);
    Frame();
    EXPECT_FALSE(cursor->IsTrailEnabled());
    EXPECT_TRUE(cursor->IsCursorVisible());
    cursor->CreateEffects(keeper.get());
    ASSERT_NE(cursor->GetTrail(), nullptr);
    EXPECT_EQ(cursor->GetTrail()->active, 0) << "the stored switch applies to the new trail";
    EXPECT_EQ(cursor->GetTrail()->loop, 1);
    EXPECT_EQ(cursor->GetClick()->loop, 0);
    EXPECT_TRUE(cursor->GetTrail()->IsVisible());
}

TEST_F(GUIGameCursorTest, TheTrailFollowsThePointerAtItsOffsetAndAClickBurstsWhereItWasMade)
{
    cursor->CreateEffects(keeper.get());
    gui.MoveMouseTo(Vector2(300.0f, 200.0f));
    Frame();
    Frame();
    const Vector2 pointer = gui.Manager().GetCursorPosition();
    EXPECT_NEAR(pointer.x, 300.0f, 1.0f);
    ExpectAt(*cursor->GetTrail(), pointer.x + 12.0f, pointer.y - 18.0f);
    EXPECT_EQ(cursor->GetTrail()->active, 1);
    EXPECT_EQ(cursor->GetClick()->active, 0);

    cursor->GetClick()->time = 0.5f;
    gui.PressMouse();
    Frame();
    ExpectAt(*cursor->GetClick(), pointer.x, pointer.y);
    EXPECT_EQ(cursor->GetClick()->active, 1);
    EXPECT_LT(cursor->GetClick()->time, 0.5f) << "the burst starts again from its beginning";

    // A slow frame reads a click after the pointer has moved on: the burst is where the click was made, the trail
    // where the pointer is.
    gui.ReleaseMouse();
    Frame();
    gui.MoveMouseTo(Vector2(500.0f, 400.0f));
    Frame();
    const Vector2 clicked = gui.Manager().GetCursorPosition();
    gui.PressMouse();
    gui.MoveMouseTo(Vector2(200.0f, 100.0f));
    Frame();
    ExpectAt(*cursor->GetClick(), clicked.x, clicked.y);
    const Vector2 moved = gui.Manager().GetCursorPosition();
    EXPECT_NEAR(moved.x, 200.0f, 1.0f);
    ExpectAt(*cursor->GetTrail(), moved.x + 12.0f, moved.y - 18.0f);
}

TEST_F(GUIGameCursorTest, AClickWhileTheTrailIsOffMakesNoBurst)
{
    cursor->CreateEffects(keeper.get());
    cursor->SetTrailEnabled(false);
    EXPECT_EQ(cursor->GetTrail()->active, 0);
    gui.MoveMouseTo(Vector2(100.0f, 100.0f));
    gui.PressMouse();
    Frame();
    EXPECT_EQ(cursor->GetClick()->active, 0);
    cursor->SetTrailEnabled(true);
    EXPECT_EQ(cursor->GetTrail()->active, 1);
}

TEST_F(GUIGameCursorTest, HidingTheCursorStopsTheTrailAndShowingRestartsItOnlyWhenEnabled)
{
    cursor->CreateEffects(keeper.get());
    cursor->SetCursorVisible(false);
    EXPECT_EQ(cursor->GetTrail()->active, 0);
    cursor->SetCursorVisible(true);
    EXPECT_EQ(cursor->GetTrail()->active, 1);
    cursor->SetTrailEnabled(false);
    cursor->SetCursorVisible(false);
    cursor->SetCursorVisible(true);
    EXPECT_EQ(cursor->GetTrail()->active, 0);
}

TEST_F(GUIGameCursorTest, TheEffectsAreCopiesDrawnWithTheGUICamera)
{
    const u32 before = GetEngine().GetParticleSystemManager()->GetCount();
    cursor->CreateEffects(keeper.get());
    EXPECT_EQ(GetEngine().GetParticleSystemManager()->GetCount(), before + 2);
    EXPECT_NE(cursor->GetTrail(), keeper->GetParticleSystem("ui/cursor_train"));
    EXPECT_EQ(cursor->GetTrail()->GetModel()->GetCamera(), gui.Manager().GetCamera());
    EXPECT_EQ(cursor->GetTrail()->GetModel()->depth, -21.0f);
    cursor.reset();
    EXPECT_EQ(GetEngine().GetParticleSystemManager()->GetCount(), before);
}
