// The sparks of a ball's hits on the generated data set, frame by frame in the game's order (the play objects,
// then the particle systems) at 60, 40, 20 and 10 frames a second: each hit shows its whole burst where the ball
// touched, its sparks stay on show while they live, and an earlier hit's sparks never show again at a later hit's
// place.
#include "engine/core/Engine.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/SpriteGroup.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "tests/support/PlayTestBed.h"

#include <gtest/gtest.h>

#include <vector>

namespace BallKind = Korvane::BallKind;
using TestSupport::PlayTestBed;
using VelkorEngine::ParticleSystem;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
// A spark flies 0.3 units a hundredth of a second for at most a quarter of a second, and falls a little.
constexpr float kSparkReach = 12.0f;
// "balls/simple/hit": a burst of 10.
constexpr VelkorEngine::u32 kBurst = 10;

class HitSparks : public testing::TestWithParam<double>
{
protected:
    HitSparks() : play(4321, KORVANE_DATA_STAGE) {}

    void Frame()
    {
        play.Frames(1);
        play.bed.GetEngine().GetParticleSystemManager()->Update();
    }

    // Every live spark of the effect lies within reach of where the effect was started.
    static void ExpectSparksAtTheirHit(const ParticleSystem& effect, int frame)
    {
        int away = 0;
        Vector3 first;
        for (VelkorEngine::u32 i = 0; i < effect.GetCapacity(); ++i)
        {
            if (effect.GetParticle(i).free)
                continue;
            const Vector3 at = effect.GetSpriteGroup()->GetSprite(effect.GetParticle(i).sprite)->position;
            if ((at - effect.emitterPosition).Length() >= kSparkReach && away++ == 0)
                first = at;
        }
        EXPECT_EQ(away, 0) << "frame " << frame << ": sparks away from their hit at " << effect.emitterPosition.x
                           << ", " << effect.emitterPosition.y << ", the first at " << first.x << ", " << first.y;
    }

    PlayTestBed play;
};

TEST_P(HitSparks, EveryWallHitShowsItsWholeBurstAtItsOwnContactPoint)
{
    play.frameTime = GetParam();
    play.BuildLevel("00_00.krg");
    // Low and nearly level: from wall to wall under the blocks, a little higher at each hit.
    play.balls->AddFreeBall(BallKind::Simple, Vector2(0.0f, -60.0f), Vector2(1.0f, 0.02f));
    const std::vector<ParticleSystem*>& effects = play.balls->GetHitEffects(BallKind::Simple);
    ASSERT_FALSE(effects.empty());
    // A hit moves an effect's emitter to its contact point: at a tenth of a second a frame the burst has already
    // ended its cycle when the frame is over.
    std::vector<Vector3> startedAt;
    for (const ParticleSystem* effect : effects)
        startedAt.push_back(effect->emitterPosition);
    int hits = 0;
    const int frames = static_cast<int>(20.0 / play.frameTime);
    for (int frame = 1; frame <= frames && hits < 6; ++frame)
    {
        Frame();
        for (size_t i = 0; i < effects.size(); ++i)
        {
            const ParticleSystem& effect = *effects[i];
            if ((effect.emitterPosition - startedAt[i]).Length() > 0.0f)
            {
                ++hits;
                EXPECT_EQ(effect.GetAliveCount(), kBurst) << "hit " << hits << ", frame " << frame;
                startedAt[i] = effect.emitterPosition;
            }
            // A hidden system stands still: sparks it holds would freeze out of sight and wait to show again.
            if (effect.GetAliveCount() > 0)
            {
                EXPECT_TRUE(effect.IsVisible()) << "effect " << i << " hides live sparks, frame " << frame;
            }
            if (effect.IsVisible())
                ExpectSparksAtTheirHit(effect, frame);
        }
    }
    EXPECT_GE(hits, 6);
}

INSTANTIATE_TEST_SUITE_P(FrameRates, HitSparks, testing::Values(1.0 / 60.0, 1.0 / 40.0, 1.0 / 20.0, 0.1));
}
