// Particle systems on a fake clock with a seeded generator: emission counts and lifetimes, bursts, the cycle,
// emitters, motion with gravity and the bouncing floor, fading, copies, the file fallback and the manager's
// watch list.
#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/SpriteGroup.h"
#include "tools/formats/ParticleFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/SpriteTestScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

namespace
{
// Frames of exactly 1/16 s: the clock, the frame time and the sums of frame times are all exact.
constexpr double kFrame = 0.0625;
const std::string kFileName = "particles\\test.psf";

// One particle per burst at the start of a long cycle, living long, with no force acting on it.
ParticleSystemFile StillFile()
{
    ParticleSystemFile file;
    file.capacity = 10;
    ParticleParameters& p = file.parameters;
    p.period = 100.0f;
    p.continuousEmission = 0;
    p.emission = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    p.lifeCentre.fill(100.0f);
    p.gravityOn = 0;
    p.floorOn = 0;
    p.speedCentre.fill(0.0f);
    return file;
}

class ParticleSystemTest : public ::testing::Test
{
protected:
    ParticleSystemTest() { SeedRandom(12345); }

    std::unique_ptr<ParticleSystem> Load(const ParticleSystemFile& file)
    {
        scene.WriteDataFile(kFileName, BuildParticleFile(file));
        return std::unique_ptr<ParticleSystem>(scene.particleSystems->NewParticleSystemFromFile(kFileName, nullptr));
    }

    std::unique_ptr<ParticleSystem> SelfMade()
    {
        return std::unique_ptr<ParticleSystem>(scene.particleSystems->NewSelfMadeParticleSystem(nullptr));
    }

    static void Start(ParticleSystem& system, bool loop)
    {
        system.time = 0.0f;
        system.active = 1;
        system.loop = loop ? 1 : 0;
    }

    void Step(ParticleSystem& system, double seconds = kFrame)
    {
        scene.Tick(seconds);
        system.Update();
    }

    // Alive counts after each of the frames.
    std::vector<u32> Run(ParticleSystem& system, u32 frames, double seconds = kFrame)
    {
        std::vector<u32> alive;
        for (u32 i = 0; i < frames; ++i)
        {
            Step(system, seconds);
            alive.push_back(system.GetAliveCount());
        }
        return alive;
    }

    static std::vector<const Sprite*> LiveSprites(const ParticleSystem& system)
    {
        std::vector<const Sprite*> sprites;
        for (u32 i = 0; i < system.GetCapacity(); ++i)
            if (!system.GetParticle(i).free)
                sprites.push_back(system.GetSpriteGroup()->GetSprite(system.GetParticle(i).sprite));
        return sprites;
    }

    // The sprite of the one live particle; any other number of live particles fails the test.
    static const Sprite& OnlySprite(const ParticleSystem& system)
    {
        static const Sprite none;
        const std::vector<const Sprite*> sprites = LiveSprites(system);
        EXPECT_EQ(sprites.size(), 1u);
        return sprites.size() == 1 ? *sprites[0] : none;
    }

    SpriteTestScene scene;
};
}

TEST_F(ParticleSystemTest, SelfMadeSystemHasTheBuiltInValuesAndIsIdle)
{
    const auto system = SelfMade();
    EXPECT_EQ(system->GetName(), "self_made");
    EXPECT_EQ(system->GetCapacity(), 100u);
    EXPECT_EQ(system->GetSpriteGroup()->GetCapacity(), 100u);
    EXPECT_EQ(system->GetParameters().period, 1.0f);
    EXPECT_EQ(system->GetParameters().bounceFactor, 0.9f);
    EXPECT_EQ(system->emitterShape, 0u);
    EXPECT_EQ(system->active, 0);
    EXPECT_EQ(system->loop, 0);
    EXPECT_EQ(system->paused, 0);
    EXPECT_EQ(system->pathInterpolate, 0);
    EXPECT_TRUE(system->IsVisible());
    EXPECT_EQ(system->GetModel(), system->GetSpriteGroup()->GetModel());
    EXPECT_TRUE(scene.Errors().empty());
    Step(*system);
    EXPECT_EQ(system->GetAliveCount(), 0u);
    EXPECT_EQ(system->time, 0.0f);
}

TEST_F(ParticleSystemTest, ContinuousEmissionOfTenASecondEmitsEverySecondFrameOfATwentieth)
{
    const auto system = SelfMade();
    Start(*system, true);
    EXPECT_EQ(Run(*system, 8, 0.05), (std::vector<u32>{0, 1, 1, 2, 2, 3, 3, 4}));
}

TEST_F(ParticleSystemTest, ParticleLivesExactlyItsLifetime)
{
    ParticleSystemFile file = StillFile();
    file.parameters.lifeCentre.fill(1.0f);
    const auto system = Load(file);
    Start(*system, false);
    const std::vector<u32> alive = Run(*system, 17);
    for (u32 frame = 0; frame < 15; ++frame)
        EXPECT_EQ(alive[frame], 1u) << "frame " << frame + 1;
    EXPECT_EQ(alive[15], 0u);
    EXPECT_EQ(system->GetPeakAliveCount(), 1u);
    EXPECT_EQ(system->GetSpriteGroup()->GetFreeCount(), 10u);
}

TEST_F(ParticleSystemTest, LifetimesSpreadAroundTheirCentre)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 200;
    file.parameters.emission[0] = 200.0f;
    file.parameters.lifeCentre.fill(2.0f);
    file.parameters.lifeSpread.fill(0.5f);
    const auto system = Load(file);
    Start(*system, false);
    Step(*system);
    f32 shortest = 10.0f;
    f32 longest = 0.0f;
    for (u32 i = 0; i < system->GetCapacity(); ++i)
    {
        shortest = std::min(shortest, system->GetParticle(i).lifetime);
        longest = std::max(longest, system->GetParticle(i).lifetime);
    }
    EXPECT_GE(shortest, 1.5f);
    EXPECT_LT(longest, 2.5f);
    EXPECT_LT(shortest, 1.6f);
    EXPECT_GT(longest, 2.4f);
}

TEST_F(ParticleSystemTest, FirstParticleEmittedIsTheLastRecord)
{
    const auto system = Load(StillFile());
    Start(*system, false);
    Step(*system);
    EXPECT_EQ(system->GetParticle(9).free, 0);
    EXPECT_EQ(system->GetParticle(0).free, 1);
}

TEST_F(ParticleSystemTest, BurstEmitsOncePerKeySegment)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 1.0f;
    file.parameters.emission = {3.0f, 0.0f, 2.0f, 0.0f, 0.0f, 7.0f};
    const auto system = Load(file);
    Start(*system, true);
    // Segments change at 0.25, 0.4375, 0.625 and 0.8125 s; the cycle starts again at 1 s.
    EXPECT_EQ(Run(*system, 16),
              (std::vector<u32>{3, 3, 3, 3, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5, 5, 8}));
}

// A segment a long frame passes over without stopping in it still emits its count, with its own life, and a
// frame carrying a single cycle past its end emits what is left of it; at any frame time each count comes once.
TEST_F(ParticleSystemTest, ABurstCycleEmitsEverySegmentOnceAtAnyFrameTime)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 100;
    file.parameters.period = 0.1f;
    file.parameters.emission = {1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f};
    file.parameters.lifeCentre = {100.0f, 101.0f, 102.0f, 103.0f, 104.0f, 105.0f};
    for (const double frame : {1.0 / 60.0, 1.0 / 40.0, 1.0 / 20.0, 0.1, 0.5})
    {
        SCOPED_TRACE(frame);
        const auto system = Load(file);
        Start(*system, false);
        Run(*system, static_cast<u32>(std::ceil(0.3 / frame)), frame);
        EXPECT_EQ(system->active, 0);
        std::vector<u32> bySegment(ParticleKeyCount, 0);
        for (u32 i = 0; i < system->GetCapacity(); ++i)
            if (!system->GetParticle(i).free)
                ++bySegment[static_cast<u32>(system->GetParticle(i).lifetime - 100.0f)];
        EXPECT_EQ(bySegment, (std::vector<u32>{1, 2, 4, 8, 16, 0}));
    }
}

// A looping cycle emits every segment a frame enters, across the cycle's end too, but a frame of several
// cycles only one cycle's worth.
TEST_F(ParticleSystemTest, ALoopingBurstEmitsTheSegmentsAFrameSpansAndAtMostOneCycleOfThem)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 100;
    file.parameters.period = 0.25f;
    file.parameters.emission = {1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f};
    const auto system = Load(file);
    Start(*system, true);
    // Segments 0 and 1, then 2 and 3, then 4 and 0 of the next cycle.
    EXPECT_EQ(Run(*system, 3, 0.09375), (std::vector<u32>{3, 15, 32}));

    file.parameters.period = 0.03125f;
    const auto quick = Load(file);
    Start(*quick, true);
    Step(*quick, 0.0625);
    EXPECT_EQ(quick->GetAliveCount(), 31u);
    EXPECT_EQ(quick->time, 0.0f);

    // From segment 3 past two cycle ends into the first segment: the whole cycle, not what is left of the first one.
    const auto late = Load(file);
    Start(*late, true);
    Step(*late, 0.0234375);
    EXPECT_EQ(late->GetAliveCount(), 15u);
    Step(*late, 0.04296875);
    EXPECT_EQ(late->GetAliveCount(), 15u + 31u);
}

// A burst set back to the start of its cycle, while it still runs in its first segment or after it was stopped
// there, emits its first segment again.
TEST_F(ParticleSystemTest, ABurstStartedAgainWithinItsFirstSegmentEmitsAgain)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 20;
    file.parameters.period = 0.1f;
    file.parameters.emission[0] = 4.0f;
    const auto system = Load(file);
    Start(*system, false);
    Step(*system, 1.0 / 60.0);
    Start(*system, false);
    Step(*system, 1.0 / 60.0);
    EXPECT_EQ(system->GetAliveCount(), 8u);
    system->active = 0;
    Step(*system, 1.0 / 60.0);
    Start(*system, false);
    Step(*system, 1.0 / 60.0);
    EXPECT_EQ(system->GetAliveCount(), 12u);
}

TEST_F(ParticleSystemTest, EmissionStopsWhenEveryParticleIsInUse)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 3;
    file.parameters.emission[0] = 5.0f;
    const auto system = Load(file);
    Start(*system, false);
    EXPECT_EQ(Run(*system, 3), (std::vector<u32>{3, 3, 3}));
    std::set<u32> sprites;
    for (u32 i = 0; i < 3; ++i)
        sprites.insert(system->GetParticle(i).sprite);
    EXPECT_EQ(sprites.size(), 3u);
}

TEST_F(ParticleSystemTest, HugeEmissionFillsTheSystemAndNoMore)
{
    ParticleSystemFile file = StillFile();
    file.parameters.continuousEmission = 1;
    file.parameters.emission.fill(1e30f);
    const auto system = Load(file);
    Start(*system, true);
    EXPECT_EQ(Run(*system, 2), (std::vector<u32>{10, 10}));
}

TEST_F(ParticleSystemTest, NonLoopingCycleStopsAtItsPeriodWhileParticlesLiveOn)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 1.0f;
    file.parameters.continuousEmission = 1;
    file.parameters.emission.fill(4.0f);
    file.parameters.lifeCentre.fill(0.5f);
    const auto system = Load(file);
    Start(*system, false);
    Run(*system, 15);
    EXPECT_EQ(system->active, 1);
    EXPECT_EQ(system->time, 0.9375f);
    Step(*system);
    EXPECT_EQ(system->active, 0);
    EXPECT_EQ(system->time, 0.0f);
    const u32 alive = system->GetAliveCount();
    EXPECT_GT(alive, 0u);
    Step(*system);
    EXPECT_EQ(system->time, 0.0f);
    EXPECT_LE(system->GetAliveCount(), alive);
    Run(*system, 8);
    EXPECT_EQ(system->GetAliveCount(), 0u);
}

TEST_F(ParticleSystemTest, LoopingCycleWrapsByItsPeriod)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 0.25f;
    const auto system = Load(file);
    Start(*system, true);
    Run(*system, 5);
    EXPECT_EQ(system->time, 0.0625f);
    EXPECT_EQ(system->active, 1);
}

TEST_F(ParticleSystemTest, TinyPeriodStillEndsTheFrame)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 1e-30f;
    const auto system = Load(file);
    Start(*system, true);
    Step(*system);
    EXPECT_LT(system->time, 1e-30f);
    EXPECT_GE(system->time, 0.0f);
}

TEST_F(ParticleSystemTest, PausedOrHiddenSystemDoesNothing)
{
    const auto system = SelfMade();
    Start(*system, true);
    system->paused = 1;
    Run(*system, 4);
    EXPECT_EQ(system->time, 0.0f);
    system->paused = 0;
    system->SetVisible(false);
    EXPECT_FALSE(system->IsVisible());
    Run(*system, 4);
    EXPECT_EQ(system->time, 0.0f);
    EXPECT_EQ(system->GetAliveCount(), 0u);
    system->SetVisible(true);
    Step(*system);
    EXPECT_EQ(system->time, 0.0625f);
}

TEST_F(ParticleSystemTest, ParticleStopsOnTheFloorAtTheNinthBounce)
{
    ParticleSystemFile file = StillFile();
    file.parameters.gravityOn = 1;
    file.parameters.floorOn = 1;
    file.parameters.directionCentre.fill(Vector3(0.0f, 0.0f, -1.0f));
    file.parameters.directionSpread.fill(Vector3());
    const auto system = Load(file);
    system->SetPosition(Vector3(0.0f, 0.0f, -1.0f));
    Start(*system, false);
    const Particle& particle = system->GetParticle(9);
    for (u32 bounce = 1; bounce <= 8; ++bounce)
    {
        Step(*system);
        EXPECT_NEAR(particle.speedScale, std::pow(0.9f, static_cast<f32>(bounce)), 1e-5f) << "bounce " << bounce;
        EXPECT_EQ(particle.fallSpeed, 0.0f);
        EXPECT_FLOAT_EQ(OnlySprite(*system).position.z, -0.999f);
    }
    EXPECT_NEAR(particle.speedScale, 0.4305f, 1e-4f);
    Step(*system);
    EXPECT_EQ(particle.speedScale, 0.0f);
    EXPECT_EQ(system->GetAliveCount(), 1u);
    EXPECT_GT(particle.age, particle.lifetime);
    Step(*system);
    EXPECT_EQ(system->GetAliveCount(), 0u);
    EXPECT_EQ(particle.free, 1);
}

TEST_F(ParticleSystemTest, StoppedParticleLivesOnWithoutDieWhenStopped)
{
    ParticleSystemFile file = StillFile();
    file.parameters.gravityOn = 1;
    file.parameters.floorOn = 1;
    file.parameters.dieWhenStopped = 0;
    file.parameters.bounceFactor = 0.1f;
    const auto system = Load(file);
    system->SetPosition(Vector3(0.0f, 0.0f, -1.0f));
    Start(*system, false);
    Run(*system, 3);
    EXPECT_EQ(system->GetAliveCount(), 1u);
    EXPECT_EQ(system->GetParticle(9).speedScale, 0.0f);
}

TEST_F(ParticleSystemTest, BounceMirrorsTheMoveAndKeepsThatDirection)
{
    ParticleSystemFile file = StillFile();
    file.parameters.floorOn = 1;
    file.parameters.directionCentre.fill(Vector3(1.0f, 0.0f, -1.0f));
    file.parameters.directionSpread.fill(Vector3());
    file.parameters.speedCentre.fill(0.01f);
    const auto system = Load(file);
    system->SetPosition(Vector3(0.0f, 0.0f, -0.99f));
    Start(*system, false);
    Step(*system);
    const Particle& particle = system->GetParticle(9);
    const f32 half = std::sqrt(0.5f);
    EXPECT_NEAR(particle.direction.x, half, 1e-5f);
    EXPECT_NEAR(particle.direction.z, half, 1e-5f);
    for (const Vector3& key : particle.directionKeys)
    {
        EXPECT_NEAR(key.x, half, 1e-5f);
        EXPECT_NEAR(key.z, half, 1e-5f);
    }
    EXPECT_NEAR(particle.speedScale, 0.9f, 1e-6f);
    const Sprite* sprite = &OnlySprite(*system);
    EXPECT_FLOAT_EQ(sprite->position.z, -0.999f);
    const Vector3 before = sprite->position;
    Step(*system);
    // 0.01 × 0.9 × 100 per second along the diagonal for 1/16 s.
    EXPECT_NEAR(sprite->position.x - before.x, 0.9f * 0.0625f * half, 1e-5f);
    EXPECT_NEAR(sprite->position.z - before.z, 0.9f * 0.0625f * half, 1e-5f);
}

TEST_F(ParticleSystemTest, GravityPullsAlongNegativeZ)
{
    ParticleSystemFile file = StillFile();
    file.parameters.gravityOn = 1;
    file.parameters.gravity = 2.0f;
    const auto system = Load(file);
    Start(*system, false);
    Step(*system);
    Step(*system);
    // Fall speeds 0.125 and 0.25, each moving 100 × 1/16 s.
    EXPECT_FLOAT_EQ(OnlySprite(*system).position.z, -(0.125f + 0.25f) * 100.0f * 0.0625f);
    EXPECT_FLOAT_EQ(system->GetParticle(9).fallSpeed, 0.25f);
}

TEST_F(ParticleSystemTest, SpeedFollowsTheKeysTimesOneHundred)
{
    ParticleSystemFile file = StillFile();
    file.parameters.lifeCentre.fill(1.0f);
    file.parameters.directionCentre.fill(Vector3(0.0f, 2.0f, 0.0f));
    file.parameters.directionSpread.fill(Vector3());
    file.parameters.speedCentre = {0.0f, 0.16f, 0.16f, 0.16f, 0.16f, 0.16f};
    const auto system = Load(file);
    Start(*system, false);
    Run(*system, 4);
    // Ages 1/16 to 4/16 of a one-second life: speeds 0.05, 0.1, 0.15 (blends of keys 0 and 1) and 0.16.
    EXPECT_NEAR(OnlySprite(*system).position.y, (0.05f + 0.1f + 0.15f + 0.16f) * 100.0f * 0.0625f, 1e-4f);
    EXPECT_NEAR(system->GetParticle(9).direction.y, 1.0f, 1e-6f);
}

TEST_F(ParticleSystemTest, DirectionKeysOfNoLengthRepeatTheFirstKey)
{
    ParticleSystemFile file = StillFile();
    file.parameters.emission[0] = 10.0f;
    file.parameters.directionSpread = {Vector3(1.0f), Vector3(), Vector3(), Vector3(), Vector3(), Vector3()};
    file.parameters.speedCentre.fill(0.01f);
    const auto system = Load(file);
    Start(*system, false);
    Run(*system, 5);
    for (u32 i = 0; i < system->GetCapacity(); ++i)
    {
        const Particle& particle = system->GetParticle(i);
        EXPECT_NEAR(particle.directionKeys[0].Length(), 1.0f, 1e-5f);
        for (const Vector3& key : particle.directionKeys)
        {
            EXPECT_EQ(key.x, particle.directionKeys[0].x);
            EXPECT_EQ(key.y, particle.directionKeys[0].y);
            EXPECT_EQ(key.z, particle.directionKeys[0].z);
        }
        EXPECT_NEAR(particle.direction.x, particle.directionKeys[0].x, 1e-5f);
        EXPECT_NEAR(particle.direction.z, particle.directionKeys[0].z, 1e-5f);
    }
}

TEST_F(ParticleSystemTest, DirectionKeysWithSpreadAreDrawnAnew)
{
    ParticleSystemFile file = StillFile();
    const auto system = Load(file);
    Start(*system, false);
    Step(*system);
    const Particle& particle = system->GetParticle(9);
    EXPECT_NE(particle.directionKeys[0].x, particle.directionKeys[1].x);
}

TEST_F(ParticleSystemTest, ColourAndSizeFadeOverLife)
{
    ParticleSystemFile file = StillFile();
    file.parameters.lifeCentre.fill(1.0f);
    for (u32 j = 0; j < ParticleKeyCount; ++j)
    {
        file.parameters.color[j] = Color(1.0f, 0.5f, 0.0f, 1.0f - 0.2f * static_cast<f32>(j));
        file.parameters.size[j] = 2.0f - 0.2f * static_cast<f32>(j);
    }
    const auto system = Load(file);
    Start(*system, false);
    Step(*system);
    const Sprite* sprite = &OnlySprite(*system);
    // Half of the one-second life.
    Run(*system, 7);
    EXPECT_NEAR(sprite->color.a, 0.5f, 1e-5f);
    EXPECT_NEAR(sprite->color.g, 0.5f, 1e-5f);
    EXPECT_NEAR(sprite->size, 1.5f, 1e-5f);
}

TEST_F(ParticleSystemTest, NewParticleStartsWithTheFirstSizeAndColourKeys)
{
    ParticleSystemFile file = StillFile();
    file.parameters.size = {3.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    file.parameters.color[0] = Color(0.25f, 0.5f, 0.75f, 1.0f);
    const auto system = Load(file);
    Start(*system, false);
    SpriteGroup* group = system->GetSpriteGroup();
    // The burst comes before any motion: a frame of (nearly) no time shows the values it was given.
    Step(*system, 0.0);
    const Sprite* sprite = &OnlySprite(*system);
    EXPECT_NEAR(sprite->size, 3.0f, 0.02f);
    EXPECT_NEAR(sprite->color.r, 0.25f, 0.01f);
    EXPECT_EQ(group->GetFreeCount(), 9u);
}

TEST_F(ParticleSystemTest, BoxEmitterStartsParticlesInsideTheBoxAroundThePosition)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 50;
    file.parameters.emission[0] = 50.0f;
    file.emitterShape = ParticleSystem::ShapeBox;
    file.boxMinimum = Vector3(-1.0f, -2.0f, -3.0f);
    file.boxMaximum = Vector3(1.0f, 2.0f, 3.0f);
    const auto system = Load(file);
    EXPECT_EQ(system->GetEmitterBox().GetWorldMaximum().y, 2.0f);
    system->SetPosition(Vector3(10.0f, 0.0f, 0.0f));
    Start(*system, false);
    Step(*system);
    std::set<f32> xs;
    for (const Sprite* sprite : LiveSprites(*system))
    {
        EXPECT_GE(sprite->position.x, 9.0f);
        EXPECT_LT(sprite->position.x, 11.0f);
        EXPECT_GE(sprite->position.y, -2.0f);
        EXPECT_LT(sprite->position.y, 2.0f);
        EXPECT_GE(sprite->position.z, -3.0f);
        EXPECT_LT(sprite->position.z, 3.0f);
        xs.insert(sprite->position.x);
    }
    EXPECT_GT(xs.size(), 40u);
}

namespace
{
bool OnPath(const Vector3& p)
{
    const bool firstSegment = p.y == 0.0f && p.x >= 0.0f && p.x <= 10.0f;
    const bool secondSegment = std::fabs(p.x - 10.0f) < 1e-5f && p.y >= 0.0f && p.y <= 10.0f;
    return p.z == 0.0f && (firstSegment || secondSegment);
}
}

TEST_F(ParticleSystemTest, PathEmitterStartsOnItsSegmentsOrAtItsPoints)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 60;
    file.parameters.emission[0] = 30.0f;
    file.emitterShape = ParticleSystem::ShapePath;
    const auto system = Load(file);
    system->pathPoints = {Vector3(0, 0, 0), Vector3(10, 0, 0), Vector3(10, 10, 0)};
    system->pathInterpolate = 1;
    Start(*system, false);
    Step(*system);
    u32 inside = 0;
    for (const Sprite* sprite : LiveSprites(*system))
    {
        EXPECT_TRUE(OnPath(sprite->position)) << sprite->position.x << ", " << sprite->position.y;
        inside += sprite->position.y > 0.0f && sprite->position.y < 10.0f ? 1 : 0;
    }
    EXPECT_GT(inside, 0u);

    const auto atPoints = Load(file);
    atPoints->pathPoints = system->pathPoints;
    Start(*atPoints, false);
    Step(*atPoints);
    std::set<std::pair<f32, f32>> starts;
    for (const Sprite* sprite : LiveSprites(*atPoints))
        starts.insert({sprite->position.x, sprite->position.y});
    EXPECT_EQ(starts, (std::set<std::pair<f32, f32>>{{0, 0}, {10, 0}, {10, 10}}));
}

TEST_F(ParticleSystemTest, PathOfOnePointOrNoneStartsThereOrAtTheOrigin)
{
    ParticleSystemFile file = StillFile();
    file.emitterShape = ParticleSystem::ShapePath;
    const auto system = Load(file);
    system->SetPosition(Vector3(5.0f, 5.0f, 5.0f));
    Start(*system, false);
    Step(*system);
    EXPECT_EQ(OnlySprite(*system).position.x, 0.0f);

    const auto onePoint = Load(file);
    onePoint->pathPoints = {Vector3(3.0f, 4.0f, 5.0f)};
    onePoint->pathInterpolate = 1;
    Start(*onePoint, false);
    Step(*onePoint);
    EXPECT_EQ(OnlySprite(*onePoint).position.y, 4.0f);
}

TEST_F(ParticleSystemTest, UnknownEmitterShapeActsAsAPoint)
{
    ParticleSystemFile file = StillFile();
    file.emitterShape = 7;
    const auto system = Load(file);
    system->SetPosition(Vector3(1.0f, 2.0f, 3.0f));
    Start(*system, false);
    Step(*system);
    EXPECT_EQ(OnlySprite(*system).position.z, 3.0f);
}

TEST_F(ParticleSystemTest, ReleaseAllParticlesFreesEveryParticleAndSprite)
{
    ParticleSystemFile file = StillFile();
    file.parameters.emission[0] = 6.0f;
    const auto system = Load(file);
    Start(*system, false);
    Step(*system);
    EXPECT_EQ(system->GetAliveCount(), 6u);
    system->ReleaseAllParticles();
    EXPECT_EQ(system->GetAliveCount(), 0u);
    EXPECT_EQ(system->GetSpriteGroup()->GetFreeCount(), 10u);
    for (u32 i = 0; i < 10; ++i)
        EXPECT_EQ(system->GetParticle(i).free, 1);
}

// A particle stopped on the floor is dead but waits for the next update; releasing the dead ones frees it and
// its sprite at once, even while the system is paused, and leaves the living alone.
TEST_F(ParticleSystemTest, ReleaseDeadParticlesFreesOnlyTheDeadAndTheirSprites)
{
    ParticleSystemFile file = StillFile();
    file.parameters.gravityOn = 1;
    file.parameters.floorOn = 1;
    file.parameters.bounceFactor = 0.1f;
    const auto stopping = Load(file);
    stopping->SetPosition(Vector3(0.0f, 0.0f, -1.0f));
    Start(*stopping, false);
    Step(*stopping);
    const Particle& dead = stopping->GetParticle(9);
    ASSERT_EQ(dead.free, 0);
    ASSERT_GE(dead.age, dead.lifetime);
    ASSERT_EQ(stopping->GetSpriteGroup()->GetFreeCount(), 9u);
    stopping->paused = 1;
    stopping->ReleaseDeadParticles();
    EXPECT_EQ(dead.free, 1);
    EXPECT_EQ(stopping->GetAliveCount(), 0u);
    EXPECT_EQ(stopping->GetSpriteGroup()->GetFreeCount(), 10u);
    stopping->ReleaseDeadParticles();
    EXPECT_EQ(stopping->GetSpriteGroup()->GetFreeCount(), 10u) << "released once";

    file.parameters.emission[0] = 3.0f;
    file.parameters.floorOn = 0;
    file.parameters.gravityOn = 0;
    const auto living = Load(file);
    Start(*living, false);
    Step(*living);
    living->ReleaseDeadParticles();
    EXPECT_EQ(living->GetAliveCount(), 3u);
    EXPECT_EQ(LiveSprites(*living).size(), 3u);
    EXPECT_EQ(living->GetSpriteGroup()->GetFreeCount(), 7u);
}

// A particle stopped on the floor is marked a hair past its lifetime; on a long life that hair is lost to
// rounding and its age is exactly its lifetime. The next update takes it for dead, and so must releasing the
// dead at once.
TEST_F(ParticleSystemTest, AParticleWhoseAgeIsExactlyItsLifetimeIsDead)
{
    ParticleSystemFile file = StillFile();
    file.parameters.lifeCentre.fill(4096.0f);
    file.parameters.gravityOn = 1;
    file.parameters.floorOn = 1;
    file.parameters.bounceFactor = 0.1f;
    const auto released = Load(file);
    const auto updated = Load(file);
    for (ParticleSystem* system : {released.get(), updated.get()})
    {
        system->SetPosition(Vector3(0.0f, 0.0f, -1.0f));
        Start(*system, false);
        Step(*system);
    }
    ASSERT_EQ(LiveSprites(*released).size(), 1u);
    u32 stopped = 0;
    while (released->GetParticle(stopped).free)
        ++stopped;
    const Particle& particle = released->GetParticle(stopped);
    ASSERT_EQ(particle.lifetime, 4096.0f);
    ASSERT_EQ(particle.age, particle.lifetime) << "stopped on the floor, its age rounded to its lifetime";

    Step(*updated);
    EXPECT_EQ(updated->GetAliveCount(), 0u);
    EXPECT_EQ(updated->GetSpriteGroup()->GetFreeCount(), 10u);
    released->paused = 1;
    released->ReleaseDeadParticles();
    EXPECT_EQ(particle.free, 1);
    EXPECT_EQ(released->GetAliveCount(), 0u);
    EXPECT_EQ(released->GetSpriteGroup()->GetFreeCount(), 10u);
}

TEST_F(ParticleSystemTest, SameSeedGivesTheSameParticles)
{
    auto positions = [this]() {
        SeedRandom(777);
        const auto system = SelfMade();
        Start(*system, true);
        Run(*system, 10);
        std::vector<f32> out;
        for (const Sprite* sprite : LiveSprites(*system))
            out.insert(out.end(), {sprite->position.x, sprite->position.y, sprite->position.z});
        return out;
    };
    const std::vector<f32> first = positions();
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(positions(), first);
}

TEST_F(ParticleSystemTest, SetColorTintsTheGroup)
{
    const auto system = SelfMade();
    system->SetColor(Color(0.5f, 0.25f, 1.0f, 0.5f));
    EXPECT_EQ(system->GetSpriteGroup()->groupColor.g, 0.25f);
}

TEST_F(ParticleSystemTest, CopyTakesTheDescriptionAndStartsIdle)
{
    ParticleSystemFile file = StillFile();
    file.capacity = 4;
    file.parameters.emission[0] = 4.0f;
    file.emitterShape = ParticleSystem::ShapeBox;
    file.boxMaximum = Vector3(1.0f, 1.0f, 1.0f);
    const auto source = Load(file);
    source->SetPosition(Vector3(3.0f, 3.0f, 3.0f));
    source->pathPoints = {Vector3(1.0f, 1.0f, 1.0f)};
    source->pathInterpolate = 1;
    Start(*source, true);
    Run(*source, 2);
    ASSERT_EQ(source->GetAliveCount(), 4u);

    ParticleSystem* copy = scene.particleSystems->CreateParticleSystemCopy(*source);
    EXPECT_EQ(scene.particleSystems->GetCount(), 1u);
    EXPECT_EQ(copy->GetName(), kFileName);
    EXPECT_EQ(copy->GetCapacity(), 4u);
    EXPECT_EQ(copy->GetParameters().period, 100.0f);
    EXPECT_EQ(copy->emitterShape, ParticleSystem::ShapeBox);
    EXPECT_EQ(copy->GetEmitterBox().GetWorldMaximum().z, 1.0f);
    EXPECT_EQ(copy->active, 0);
    EXPECT_EQ(copy->loop, 0);
    EXPECT_EQ(copy->time, 0.0f);
    EXPECT_EQ(copy->GetAliveCount(), 0u);
    EXPECT_EQ(copy->GetPeakAliveCount(), 0u);
    EXPECT_EQ(copy->emitterPosition.x, 0.0f);
    EXPECT_TRUE(copy->pathPoints.empty());
    EXPECT_EQ(copy->pathInterpolate, 0);
    EXPECT_NE(copy->GetSpriteGroup(), source->GetSpriteGroup());

    // Copied from a full system, the copy still has a sprite of its own for every particle.
    Start(*copy, false);
    Step(*copy);
    std::set<u32> sprites;
    for (u32 i = 0; i < 4; ++i)
        sprites.insert(copy->GetParticle(i).sprite);
    EXPECT_EQ(sprites, (std::set<u32>{0, 1, 2, 3}));
    scene.particleSystems->DeleteParticleSystem(copy);
    EXPECT_EQ(scene.particleSystems->GetCount(), 0u);
}

TEST_F(ParticleSystemTest, MissingFileGivesTheSelfMadeSystemWithOneError)
{
    const std::unique_ptr<ParticleSystem> system(
        scene.particleSystems->NewParticleSystemFromFile("particles\\missing.psf", nullptr));
    EXPECT_EQ(system->GetName(), "self_made");
    EXPECT_EQ(system->GetCapacity(), 100u);
    const std::vector<std::string> errors = scene.Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("data\\particles\\missing.psf"), std::string::npos) << errors[0];
}

TEST_F(ParticleSystemTest, BrokenFileGivesTheSelfMadeSystemWithOneError)
{
    ParticleFileHeaderOverrides overrides;
    overrides.length = 452;
    scene.WriteDataFile(kFileName, BuildParticleFile(StillFile(), overrides));
    const std::unique_ptr<ParticleSystem> system(scene.particleSystems->NewParticleSystemFromFile(kFileName, nullptr));
    EXPECT_EQ(system->GetName(), "self_made");
    const std::vector<std::string> errors = scene.Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Incorrect \"particles\\test.psf\" file format"), std::string::npos) << errors[0];
}

TEST_F(ParticleSystemTest, FileConstructorLogsAndThrowsError)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 0.0f;
    scene.WriteDataFile(kFileName, BuildParticleFile(file));
    try
    {
        ParticleSystem system(scene.Log(), scene.Files(), scene.Timers(), &scene.bed.Shaders(),
                              scene.spriteGroups.get(), kFileName, nullptr);
        ADD_FAILURE() << "no error";
    }
    catch (const FileError&)
    {
        ADD_FAILURE() << "a FileError left the constructor";
    }
    catch (const Error& error)
    {
        EXPECT_EQ(error.GetMessage(), "Incorrect \"particles\\test.psf\" file format");
    }
    EXPECT_EQ(scene.Errors().size(), 1u);
    EXPECT_EQ(scene.spriteGroups->GetCount(), 0u);
}

TEST_F(ParticleSystemTest, Version203FileLoadsWithoutSpeedSpread)
{
    ParticleSystemFile file = StillFile();
    file.version = 203;
    file.parameters.speedSpread.fill(5.0f);
    const auto system = Load(file);
    EXPECT_EQ(system->GetName(), kFileName);
    EXPECT_EQ(system->GetParameters().speedSpread[3], 0.0f);
    EXPECT_EQ(system->GetParameters().period, 100.0f);
}

TEST_F(ParticleSystemTest, MissingShaderFileLeavesTheDefaultLookAndOneError)
{
    const auto system = Load(StillFile());
    EXPECT_EQ(system->GetName(), kFileName);
    EXPECT_EQ(system->GetCapacity(), 10u);
    const std::vector<std::string> errors = scene.Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("test.srf"), std::string::npos) << errors[0];
    EXPECT_EQ(system->GetShader()->GetStageCount(), 0u);
    EXPECT_FALSE(system->GetShader()->IsAlphaBlended());
}

TEST_F(ParticleSystemTest, ShaderFileBesideTheParticleFileLoadsQuietly)
{
    ShaderFile shader;
    shader.flags = 1;
    scene.WriteDataFile("particles\\test.srf", BuildShaderFile(shader));
    const auto system = Load(StillFile());
    EXPECT_TRUE(scene.Errors().empty());
    ASSERT_NE(system->GetShader(), nullptr);
    EXPECT_TRUE(system->GetShader()->IsAlphaBlended());
}

TEST_F(ParticleSystemTest, SetShaderGivesTheGroupsModelTheNewLook)
{
    const auto system = SelfMade();
    EXPECT_FALSE(system->GetShader()->IsAlphaBlended());
    ShaderDescriptor blended(1);
    system->SetShader(blended);
    EXPECT_TRUE(system->GetShader()->IsAlphaBlended());
    EXPECT_EQ(system->GetShader(), system->GetModel()->GetShader());
}

TEST_F(ParticleSystemTest, ManagerHidesAndDropsWatchedSystemsOnceFinished)
{
    ParticleSystemFile file = StillFile();
    file.parameters.period = 0.25f;
    // The first frame ends in the second key segment, 0.05 s to 0.1 s into the cycle.
    file.parameters.emission = {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    file.parameters.lifeCentre.fill(0.5f);
    const auto source = Load(file);
    ParticleSystem* running = scene.particleSystems->CreateParticleSystemCopy(*source);
    ParticleSystem* looping = scene.particleSystems->CreateParticleSystemCopy(*source);
    Start(*running, false);
    Start(*looping, true);
    scene.particleSystems->watchList = {running, nullptr, looping};
    scene.Frame(kFrame);
    EXPECT_EQ(scene.particleSystems->watchList, (std::vector<ParticleSystem*>{running, looping}));
    // The cycle ends after 4 frames; the particle born in the first dies at 0.5 s, in the eighth.
    for (u32 frame = 2; frame <= 7; ++frame)
        scene.Frame(kFrame);
    EXPECT_EQ(running->active, 0);
    EXPECT_EQ(running->GetAliveCount(), 1u);
    EXPECT_TRUE(running->IsVisible());
    EXPECT_EQ(scene.particleSystems->watchList.size(), 2u);
    scene.Frame(kFrame);
    EXPECT_EQ(running->GetAliveCount(), 0u);
    EXPECT_FALSE(running->IsVisible());
    EXPECT_EQ(scene.particleSystems->watchList, (std::vector<ParticleSystem*>{looping}));
    EXPECT_TRUE(looping->IsVisible());
}

TEST_F(ParticleSystemTest, DeletingAWatchedSystemTakesItOffTheList)
{
    const auto source = SelfMade();
    ParticleSystem* copy = scene.particleSystems->CreateParticleSystemCopy(*source);
    Start(*copy, true);
    scene.particleSystems->watchList = {copy, source.get()};
    scene.particleSystems->DeleteParticleSystem(copy);
    EXPECT_EQ(scene.particleSystems->watchList, (std::vector<ParticleSystem*>{nullptr, source.get()}));
    scene.particleSystems->DeleteParticleSystem(source.get());
    scene.particleSystems->DeleteParticleSystem(nullptr);
    EXPECT_EQ(scene.particleSystems->watchList.size(), 2u);
    scene.Frame(kFrame);
    // The idle self-made system has nothing alive: hidden and dropped.
    EXPECT_TRUE(scene.particleSystems->watchList.empty());
    EXPECT_FALSE(source->IsVisible());
}

TEST_F(ParticleSystemTest, ManagerUpdatesOnlyRegisteredSystems)
{
    const auto own = SelfMade();
    ParticleSystem* registered = scene.particleSystems->CreateParticleSystemCopy(*own);
    Start(*own, true);
    Start(*registered, true);
    for (u32 i = 0; i < 4; ++i)
        scene.Frame(kFrame);
    EXPECT_EQ(own->time, 0.0f);
    EXPECT_EQ(registered->time, 0.25f);
    EXPECT_GT(registered->GetAliveCount(), 0u);
    // The registered system's group was rebuilt after the particles moved.
    EXPECT_EQ(registered->GetModel()->indexBuffer->GetIndexCount(), 6 * registered->GetAliveCount());
}
