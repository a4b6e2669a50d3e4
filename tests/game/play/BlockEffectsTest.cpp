// A block's own effect on a generated level: hidden until the block appears, then running at the block's centre
// and following it as it moves, sorted by the centre's depth in the view, and deleted with the block.
#include "game/play/Block.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "game/play/BrickDurability.h"
#include "game/play/Effects.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "tests/support/GeneratedLevelBed.h"

#include <gtest/gtest.h>

using namespace Korvane;
using VelkorEngine::ParticleSystem;
using VelkorEngine::Vector3;

namespace
{
class BlockEffectsTest : public ::testing::Test
{
protected:
    ParticleSystem* Effect()
    {
        const ParticleSystem* source = play.resources->GetParticleSystem("blocks/creation");
        return play.GetEngine().GetParticleSystemManager()->CreateParticleSystemCopy(*source);
    }

    // The particle systems not among the one-shot effects that burn out by themselves.
    VelkorEngine::u32 OwnedSystems()
    {
        return play.GetEngine().GetParticleSystemManager()->GetCount() - logic->GetEffects().GetEffectCount();
    }

    static bool Shown(const Block& block) { return (block.GetModel()->flags & VelkorEngine::ModelFlags::Visible) != 0; }

    float ExpectedSortKey(const Vector3& centre)
    {
        const VelkorEngine::Camera& view = *play.GetEngine().GetCameraManager()->GetDefaultCamera();
        return Block::EffectSortBias - Block::EffectSortPerDepth * view.GetViewAxis().Dot(view.position - centre);
    }

    static void ExpectAt(const ParticleSystem& effect, const Vector3& point)
    {
        EXPECT_NEAR(effect.emitterPosition.x, point.x, 1e-4f);
        EXPECT_NEAR(effect.emitterPosition.y, point.y, 1e-4f);
        EXPECT_NEAR(effect.emitterPosition.z, point.z, 1e-4f);
    }

    TestSupport::GeneratedLevelBed play{KORVANE_DATA_ROOT, 7};
    GameLogic* logic = &play.Play(0, 0, 4);
};
}

TEST_F(BlockEffectsTest, TheBlocksOwnEffectWaitsHiddenAndStartsWhenTheBlockAppears)
{
    Block& block = *logic->GetGeometry().GetBlocks().front();
    ASSERT_FALSE(Shown(block));
    ParticleSystem* effect = Effect();
    effect->active = 1;
    effect->SetVisible(true);
    block.SetExtraEffect(effect);
    EXPECT_EQ(block.GetExtraEffect(), effect);
    EXPECT_EQ(effect->active, 0);
    EXPECT_FALSE(effect->IsVisible());
    ExpectAt(*effect, block.GetCenter());

    for (int i = 0; i < 100 && !Shown(block); ++i)
        play.Frame();
    ASSERT_TRUE(Shown(block));
    EXPECT_EQ(effect->active, 1);
    EXPECT_TRUE(effect->IsVisible());
    EXPECT_LE(effect->time, 2.0f * static_cast<float>(TestSupport::GeneratedLevelBed::FrameTime));
    ExpectAt(*effect, block.GetCenter());
    EXPECT_NEAR(effect->GetModel()->depthOffset, ExpectedSortKey(block.GetCenter()), 1e-5f);
}

TEST_F(BlockEffectsTest, TheEffectFollowsTheBlockAsItHops)
{
    GameGeometry& geometry = logic->GetGeometry();
    Block& block = *geometry.GetBlocks().front();
    ParticleSystem* effect = Effect();
    block.SetExtraEffect(effect);
    play.Frames(100);
    const float restingZ = block.GetCenter().z;
    geometry.Hop(block.GetId());
    play.Frames(5);
    ASSERT_GT(block.GetCenter().z, restingZ + 1.0f);
    ExpectAt(*effect, block.GetCenter());
    EXPECT_NEAR(effect->GetModel()->depthOffset, ExpectedSortKey(block.GetCenter()), 1e-5f);
}

TEST_F(BlockEffectsTest, TheEffectGoesWithTheBlockAndAReplacedOneAtOnce)
{
    GameGeometry& geometry = logic->GetGeometry();
    play.Frames(100);
    const VelkorEngine::u32 before = OwnedSystems();
    Block& block = *geometry.GetBlocks().front();
    block.SetExtraEffect(Effect());
    block.SetExtraEffect(Effect());
    EXPECT_EQ(OwnedSystems(), before + 1);
    block.Destroy(DestroyKind::Simple, false);
    ASSERT_FALSE(block.IsAlive());
    play.Frame();
    EXPECT_EQ(OwnedSystems(), before);
}
