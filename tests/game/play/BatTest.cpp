// The bat on its models: the bounce off its head, the cursor clamp and the bounce both seeing the head's width,
// the rise into place with its sound, and the burst into pieces that settle before a new bat may come.
#include "game/play/Bat.h"

#include "engine/core/Engine.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "game/play/Effects.h"
#include "game/play/ExplosionManager.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <cmath>

using Korvane::Bat;
using namespace VelkorEngine;

namespace
{
using PlayTest::kClockFrame50Hz;

class BatTest : public ::testing::Test
{
protected:
    BatTest()
    {
        bed.Start();
        keeper = std::make_unique<GameTools::DataKeeper>(&bed.GetEngine(), "en");
        // A head mesh 20 wide: the default width of 20 draws it 40 wide, each 20 of width adding its size again.
        ModelManager* models = bed.GetEngine().GetModelManager();
        keeper->AddModel("bat/head", models->NewBoxModel(Vector3(-10, -1, 0), Vector3(10, 1, 2), nullptr, nullptr, 0));
        keeper->AddModel("bat/body", models->NewBoxModel(Vector3(-8, -4, 0), Vector3(8, -1, 2), nullptr, nullptr, 0));
        keeper->AddModel("bat/screw", models->NewBoxModel(Vector3(-1), Vector3(1), nullptr, nullptr, 0));
        effects = std::make_unique<Korvane::Effects>(&bed.GetEngine());
        bat = std::make_unique<Bat>(&bed.GetEngine(), keeper.get(), effects.get(), nullptr, &cursor);
    }
    ~BatTest() override
    {
        bat.reset();
        effects.reset();
    }

    void Frames(int count, float activity = 1.0f)
    {
        for (int i = 0; i < count; ++i)
        {
            bed.clock.AdvanceSeconds(kClockFrame50Hz);
            bed.GetEngine().GetTimerManager()->Update();
            bat->Update(activity);
        }
    }
    void Cursor(float x) { cursor.x = x; }

    TestSupport::EngineTestBed bed;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    Vector2 cursor{400, 300};
    std::unique_ptr<Korvane::Effects> effects;
    std::unique_ptr<Bat> bat;
};

TEST_F(BatTest, RisesIntoPlaceAfterTheStartDelay)
{
    Cursor(400);
    EXPECT_FLOAT_EQ(bat->GetHeadBounds().GetCenter().y, -85.0f - 30.0f);
    Frames(80); // 1.6 s of the 1.8 s start delay
    EXPECT_FALSE(bat->IsReady());
    Frames(150);
    EXPECT_TRUE(bat->IsReady());
    EXPECT_TRUE(bat->HasRisen());
    EXPECT_FLOAT_EQ(bat->GetHeadBounds().GetCenter().y, -85.0f);
    EXPECT_NEAR(bat->GetHeadBounds().GetCenter().x, 0.0f, 1e-3);
}

TEST_F(BatTest, ScrewTurnsBehindTheBodyAtItsOwnOffset)
{
    Cursor(200);
    Frames(200);
    const Vector3 body = bat->GetBody()->worldMatrix.TransformPoint(Vector3(0, 0, 0));
    const Vector3 screw = bat->GetScrew()->worldMatrix.TransformPoint(Vector3(0, 0, 0));
    EXPECT_NEAR(screw.x - body.x, 0.0f, 1e-4);
    EXPECT_NEAR(screw.y - body.y, -7.0f, 1e-4);
    EXPECT_NEAR(screw.z - body.z, 1.5f, 1e-4);
}

TEST_F(BatTest, BounceFollowsTheHitPointAcrossTheShownWidth)
{
    Cursor(400);
    Frames(200);
    const Vector2 centre = bat->GetBounceDirection(Vector3(0, -85, 1));
    EXPECT_NEAR(centre.x, 0.0f, 1e-5);
    EXPECT_NEAR(centre.y, 1.0f, 1e-5);
    const float edge = 0.85f * 3.14159265f / 4.0f;
    EXPECT_NEAR(bat->GetHeadHalfWidth(), 20.0f, 1e-3);
    Vector2 right = bat->GetBounceDirection(Vector3(20, -85, 1));
    EXPECT_NEAR(right.x, std::sin(edge), 1e-4);
    // Half as wide again: the end of the old head is now two thirds out, and the bounce sees that.
    bat->Widen();
    Frames(40);
    EXPECT_NEAR(bat->GetHeadHalfWidth(), 30.0f, 1e-3);
    right = bat->GetBounceDirection(Vector3(20, -85, 1));
    EXPECT_NEAR(right.x, std::sin(edge * 2 / 3), 1e-4);
}

TEST_F(BatTest, CursorAtTheEdgeStopsTheWidenedHeadInsideTheRange)
{
    Frames(200);
    bat->Widen();
    Frames(40);
    Cursor(800);
    Frames(60);
    EXPECT_NEAR(bat->GetHeadBounds().GetWorldMaximum().x, 75.0f, 0.05f);
    Cursor(0);
    Frames(60);
    EXPECT_NEAR(bat->GetHeadBounds().GetWorldMinimum().x, -75.0f, 0.05f);
}

TEST_F(BatTest, DestroyedBatBurstsAndIsNoLongerReadyOnceItsPiecesSettle)
{
    Frames(200);
    ASSERT_TRUE(bat->IsReady());
    bat->Destroy();
    EXPECT_TRUE(bat->IsHidden());
    EXPECT_TRUE(bat->GetExplosion(0).IsActive());
    EXPECT_EQ(bat->GetExplosion(0).GetFragments().size(), Bat::FragmentsPerPart);
    Frames(10);
    EXPECT_TRUE(bat->IsReady());
    Frames(500);
    EXPECT_FALSE(bat->IsReady());
    EXPECT_FALSE(bat->GetExplosion(1).IsActive());
    bat->Reset();
    EXPECT_FALSE(bat->IsHidden());
}
}
