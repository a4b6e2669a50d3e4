// Fragments: the explosion pool sizes, the launch, the flight up and down to the ground, the fading shadow, the
// shrink to a common size and the sinking away.
#include "game/play/FragmentFlight.h"

#include "engine/core/Random.h"
#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VelkorEngine;
using Korvane::ExplosionPoolSize;
using Korvane::FragmentFlight;

namespace
{
using PlayTest::kFrame64Hz;

Matrix4 At(const Vector3& place)
{
    Matrix4 m;
    MakeTranslationMatrix(m, place);
    return m;
}

BoundingVolume CentredBox(f32 half)
{
    return BoundingVolume(Vector3(-half), Vector3(half));
}

f32 Lowest(const FragmentFlight& flight)
{
    f32 lowest = 0.0f;
    f32 highest = 0.0f;
    flight.GetHeightRange(lowest, highest);
    return lowest;
}

TEST(FragmentFlightTest, PoolHoldsAboutHalfTheBlocksAtMostTwentyOne)
{
    struct Case
    {
        u32 blocks;
        u32 pool;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{2, 2}, Case{3, 2}, Case{10, 6}, Case{40, 21}, Case{50, 21}})
        EXPECT_EQ(ExplosionPoolSize(c.blocks), c.pool) << c.blocks;
}

TEST(FragmentFlightTest, LaunchIsAUnitDirectionLiftedUpwards)
{
    SeedRandom(5);
    for (int i = 0; i < 50; ++i)
    {
        FragmentFlight flight({}, CentredBox(1));
        flight.Start(At(Vector3(0, 0, 3)));
        const Vector3 v = flight.GetVelocity();
        EXPECT_NEAR((v - Vector3(0, 0, 1.5f)).Length(), 1.0f, 1e-5f);
        EXPECT_GT(v.z, 1.5f);
        EXPECT_TRUE(flight.IsFlying());
    }
}

TEST(FragmentFlightTest, PieceRisesFallsLandsFadesAndSinksAway)
{
    SeedRandom(11);
    FragmentFlight flight({}, CentredBox(1));
    flight.Start(At(Vector3(4, 2, 3)));
    EXPECT_EQ(flight.GetShadowOpacity(), 0.25f);
    flight.Update(kFrame64Hz);
    EXPECT_GT(flight.GetMatrix().m[11], 3.0f);
    int frames = 1;
    while (flight.GetLandedTime() == 0.0f && frames < 64 * 5)
    {
        flight.Update(kFrame64Hz);
        ++frames;
    }
    ASSERT_GT(flight.GetLandedTime(), 0.0f);
    EXPECT_NEAR(Lowest(flight), 0.0f, 1e-4f);
    const Vector3 where(flight.GetMatrix().m[3], flight.GetMatrix().m[7], flight.GetMatrix().m[11]);
    // A second later it lies where it landed, its shadow gone.
    for (int i = 0; i < 64; ++i)
        flight.Update(kFrame64Hz);
    EXPECT_EQ(flight.GetMatrix().m[3], where.x);
    EXPECT_NEAR(Lowest(flight), 0.0f, 1e-4f);
    EXPECT_EQ(flight.GetShadowOpacity(), 0.0f);
    // Twelve seconds on the ground, then it sinks at 4 units a second.
    while (flight.GetLandedTime() < 12.0f)
        flight.Update(kFrame64Hz);
    EXPECT_NEAR(Lowest(flight), 0.0f, 0.1f);
    for (int i = 0; i < 16; ++i)
        flight.Update(kFrame64Hz);
    EXPECT_LT(Lowest(flight), -0.9f);
    EXPECT_TRUE(flight.IsVisible());
    for (int i = 0; i < 64 && flight.IsFlying(); ++i)
        flight.Update(kFrame64Hz);
    EXPECT_FALSE(flight.IsFlying());
    EXPECT_FALSE(flight.IsVisible());
}

TEST(FragmentFlightTest, LargePiecesShrinkToTheCommonSizeWithinASecond)
{
    FragmentFlight large({}, CentredBox(5));
    large.Start(At(Vector3(0, 0, 50)));
    for (int i = 0; i < 32; ++i)
        large.Update(kFrame64Hz);
    EXPECT_NEAR(large.GetScale(), (2.8f * 0.5f + 5.0f * 0.5f) / 5.0f, 1e-4f);
    for (int i = 0; i < 64; ++i)
        large.Update(kFrame64Hz);
    EXPECT_NEAR(large.GetScale(), 2.8f / 5.0f, 1e-5f);

    FragmentFlight small({}, CentredBox(2));
    small.Start(At(Vector3(0, 0, 50)));
    for (int i = 0; i < 64; ++i)
        small.Update(kFrame64Hz);
    EXPECT_EQ(small.GetScale(), 1.0f);
}
}
