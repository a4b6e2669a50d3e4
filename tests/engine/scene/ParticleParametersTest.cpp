// Key interpolation over a span: the segment a position falls in, the blend, the wrap after the last key
// and positions outside the span.
#include "engine/scene/ParticleParameters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VelkorEngine;

namespace
{
const ParticleKeys<f32> kRamp{0.0f, 10.0f, 20.0f, 30.0f, 40.0f, 50.0f};

struct SpotCase
{
    f32 x;
    u32 key;
    u32 nextKey;
    f32 value;
};

const SpotCase kSpotCases[] = {
    {0.0f, 0, 1, 0.0f},   {0.1f, 0, 1, 5.0f},    {0.2f, 1, 2, 10.0f},
    {0.5f, 2, 3, 25.0f},  {0.9f, 4, 5, 45.0f},   {1.0f, 5, 0, 50.0f},
    {-0.5f, 0, 1, 0.0f},  {3.0f, 5, 0, 50.0f},
    {std::numeric_limits<f32>::quiet_NaN(), 0, 1, 0.0f},
    {std::numeric_limits<f32>::infinity(), 5, 0, 50.0f},
};
}

TEST(ParticleKeys, PositionFindsItsSegmentAndBlend)
{
    for (const SpotCase& c : kSpotCases)
    {
        SCOPED_TRACE(c.x);
        const ParticleKeySpot spot = FindParticleKeySpot(c.x);
        EXPECT_EQ(spot.key, c.key);
        EXPECT_EQ(spot.nextKey, c.nextKey);
        EXPECT_NEAR(InterpolateParticleKeys(kRamp, c.x), c.value, 1e-4f);
    }
}

TEST(ParticleKeys, TheLastSegmentBlendsTowardTheFirstKey)
{
    // Between 0.8 and 1.0 the keys 4 and 5 blend; a position just below 1 is close to key 5, never key 0.
    EXPECT_NEAR(InterpolateParticleKeys(kRamp, 0.99f), 49.5f, 1e-3f);
}

TEST(ParticleKeys, VectorsAndColoursBlendComponentwise)
{
    ParticleKeys<Vector3> directions{};
    directions[1] = Vector3(10.0f, -10.0f, 20.0f);
    const Vector3 v = InterpolateParticleKeys(directions, 0.1f);
    EXPECT_FLOAT_EQ(v.x, 5.0f);
    EXPECT_FLOAT_EQ(v.y, -5.0f);
    EXPECT_FLOAT_EQ(v.z, 10.0f);

    ParticleKeys<Color> colours{};
    colours[2] = Color(1.0f, 0.5f, 0.0f, 1.0f);
    colours[3] = Color(0.0f, 0.5f, 1.0f, 0.0f);
    const Color c = InterpolateParticleKeys(colours, 0.5f);
    EXPECT_FLOAT_EQ(c.r, 0.5f);
    EXPECT_FLOAT_EQ(c.g, 0.5f);
    EXPECT_FLOAT_EQ(c.b, 0.5f);
    EXPECT_FLOAT_EQ(c.a, 0.5f);
}

TEST(ParticleKeys, DefaultsAreTheBuiltInSystem)
{
    const ParticleParameters p;
    EXPECT_EQ(p.period, 1.0f);
    EXPECT_EQ(p.gravityOn, 1);
    EXPECT_EQ(p.gravity, 1.0f);
    EXPECT_EQ(p.floorOn, 1);
    EXPECT_EQ(p.floorHeight, -1.0f);
    EXPECT_EQ(p.bounceFactor, 0.9f);
    EXPECT_EQ(p.dieWhenStopped, 1);
    EXPECT_EQ(p.stopThreshold, 0.4f);
    EXPECT_EQ(p.continuousEmission, 1);
    for (u32 j = 0; j < ParticleKeyCount; ++j)
    {
        EXPECT_EQ(p.emission[j], 10.0f);
        EXPECT_EQ(p.lifeCentre[j], 1.0f);
        EXPECT_EQ(p.lifeSpread[j], 0.0f);
        EXPECT_EQ(p.directionCentre[j].Length(), 0.0f);
        EXPECT_EQ(p.directionSpread[j].x, 1.0f);
        EXPECT_EQ(p.directionSpread[j].z, 1.0f);
        EXPECT_EQ(p.color[j].r, 1.0f);
        EXPECT_EQ(p.color[j].a, 1.0f);
        EXPECT_EQ(p.size[j], 1.0f);
        EXPECT_EQ(p.speedCentre[j], 1.0f);
        EXPECT_EQ(p.speedSpread[j], 0.0f);
    }
}
