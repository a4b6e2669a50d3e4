// Bounce directions: reflection in the playfield, the extra turn of block and wall bounces, the bat's aimed
// bounces off its head and body, and the field's wall limits.
#include "game/play/Bounce.h"
#include "game/play/FieldLimits.h"
#include "tests/game/play/PlayTestCommon.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Korvane;
using VelkorEngine::BoundingVolume;
using VelkorEngine::f32;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
using PlayTest::kNear;

constexpr f32 kDegree = 3.14159265f / 180.0f;

f32 AngleBetween(const Vector2& a, const Vector2& b)
{
    return std::acos(std::fmax(-1.0f, std::fmin(1.0f, a.x * b.x + a.y * b.y)));
}

Vector2 Unit(f32 x, f32 y)
{
    Vector2 v(x, y);
    v.SetLength(1.0f);
    return v;
}

TEST(BounceTest, ReflectionMirrorsAboutTheNormalInThePlayfield)
{
    const Vector2 r = Bounce::Reflect(Unit(1, -1), Vector2(0, 1));
    EXPECT_NEAR(r.x, std::sqrt(0.5f), kNear);
    EXPECT_NEAR(r.y, std::sqrt(0.5f), kNear);
    // Along the surface: out along its normal. A surface facing up: no turn at all.
    const Vector2 along = Bounce::Reflect(Vector2(1, 0), Vector2(0, 2));
    EXPECT_NEAR(along.y, 1.0f, kNear);
    const Vector2 flat = Bounce::Reflect(Vector2(1, 0), Vector2(0, 0));
    EXPECT_EQ(flat.x, 1.0f);
}

TEST(BounceTest, CorrectionTurnsStraightBackBouncesByAFewDegrees)
{
    // Three degrees on top of the least turn the cosine's clamp leaves (under a degree).
    const Vector2 in(0, 1);
    const Vector2 out = Bounce::CorrectAngle(in, Vector2(0, -1));
    EXPECT_GT(AngleBetween(out, Vector2(0, -1)), 3.0f * kDegree);
    EXPECT_LT(AngleBetween(out, Vector2(0, -1)), 4.0f * kDegree);
    EXPECT_NEAR(out.Length(), 1.0f, kNear);
}

TEST(BounceTest, CorrectionTurnsRightAngledBouncesByNineDegreesMore)
{
    // In heading up-right, reflected off a wall on the right: a right-angled turn.
    const Vector2 in = Unit(1, 1);
    const Vector2 reflected = Unit(-1, 1);
    const Vector2 out = Bounce::CorrectAngle(in, reflected);
    EXPECT_NEAR(AngleBetween(out, reflected), 9.0f * kDegree, 1e-3f);
    // The turn goes on the way the bounce turned: further from the way back.
    EXPECT_GT(AngleBetween(out, Vector2(-in.x, -in.y)), 90.0f * kDegree);
    EXPECT_NEAR(out.Length(), 1.0f, kNear);
}

TEST(BounceTest, CorrectionSteepensGrazingBounces)
{
    const Vector2 in = Unit(1, -0.02f);
    const Vector2 reflected = Bounce::Reflect(in, Vector2(0, 1));
    const Vector2 out = Bounce::CorrectAngle(in, reflected);
    EXPECT_NEAR(AngleBetween(out, reflected), 3.0f * kDegree, 0.5f * kDegree);
    EXPECT_GT(out.y, reflected.y);
}

TEST(BounceTest, CorrectionIsMirrorSymmetric)
{
    for (f32 degrees = 5; degrees < 180; degrees += 17)
    {
        const Vector2 in(std::cos(degrees * kDegree), -std::sin(degrees * kDegree));
        const Vector2 out = Bounce::CorrectAngle(in, Bounce::Reflect(in, Vector2(0, 1)));
        const Vector2 mirrored = Bounce::CorrectAngle(Vector2(-in.x, in.y), Bounce::Reflect(Vector2(-in.x, in.y), Vector2(0, 1)));
        EXPECT_NEAR(out.x, -mirrored.x, 1e-4f) << degrees;
        EXPECT_NEAR(out.y, mirrored.y, 1e-4f) << degrees;
    }
}

TEST(BounceTest, BatHeadAimsByTheHitPoint)
{
    struct Case
    {
        f32 x;
        f32 degrees;
    };
    // Head centred at 10, half width 12: the centre sends straight up, the ends 38.25 degrees aside.
    for (const Case& c : {Case{10, 0}, Case{22, 38.25f}, Case{-2, -38.25f}, Case{13.6f, 11.475f}})
    {
        const Vector2 d = Bounce::OffBatHead(c.x, 10.0f, 12.0f);
        EXPECT_NEAR(std::atan2(d.x, d.y) / kDegree, c.degrees, 1e-3f) << c.x;
        EXPECT_NEAR(d.Length(), 1.0f, kNear);
    }
}

TEST(BounceTest, BatBodySendsBallsDownAndAwayWithUnitLength)
{
    struct Case
    {
        Vector2 in;
        f32 ballX;
        f32 expectX;
        f32 expectY;
    };
    for (const Case& c : {Case{Vector2(0.6f, 0.8f), -1.0f, -0.6f, -1.25f}, Case{Vector2(-0.6f, -0.8f), 1.0f, 0.6f, -1.25f},
                          Case{Vector2(0.28f, -0.96f), 1.0f, 0.28f, -0.96f}})
    {
        const Vector2 out = Bounce::OffBatBody(c.in, c.ballX, 0.0f);
        Vector2 expected(c.expectX, c.expectY);
        expected.SetLength(1.0f);
        EXPECT_NEAR(out.x, expected.x, kNear);
        EXPECT_NEAR(out.y, expected.y, kNear);
        EXPECT_NEAR(out.Length(), 1.0f, kNear);
    }
}

TEST(FieldLimitsTest, SideAndTopWallsAreToldApartByTheirShape)
{
    const FieldLimits limits = FieldLimits::FromWalls({BoundingVolume(Vector3(-87, -100, 0), Vector3(-77, 120, 20)),
                                                        BoundingVolume(Vector3(77, -100, 0), Vector3(87, 120, 20)),
                                                        BoundingVolume(Vector3(-87, 110, 0), Vector3(87, 120, 20))});
    EXPECT_EQ(limits.left, -77.0f);
    EXPECT_EQ(limits.right, 77.0f);
    EXPECT_EQ(limits.top, 110.0f);
    const FieldLimits none = FieldLimits::FromWalls({});
    EXPECT_EQ(none.top, 0.0f);
}

TEST(FieldLimitsTest, BallsPastAWallArePutBackAgainstIt)
{
    const FieldLimits limits{-77, 77, 110};
    struct Case
    {
        Vector2 position;
        bool bounced;
        Vector2 after;
        Vector2 normal;
    };
    for (const Case& c : {Case{Vector2(-76, 0), true, Vector2(-74.5f, 0), Vector2(1, 0)},
                          Case{Vector2(-74.5f, 0), false, Vector2(-74.5f, 0), Vector2()},
                          Case{Vector2(76, 50), true, Vector2(74.5f, 50), Vector2(-1, 0)},
                          Case{Vector2(0, 107.5f), true, Vector2(0, 107.5f), Vector2(0, -1)},
                          Case{Vector2(0, 107.4f), false, Vector2(0, 107.4f), Vector2()},
                          Case{Vector2(-80, 115), true, Vector2(-74.5f, 107.5f), Vector2(1, -1)},
                          Case{Vector2(76.5f, 109), true, Vector2(74.5f, 107.5f), Vector2(-1, -1)}})
    {
        Vector2 position = c.position;
        Vector2 normal;
        EXPECT_EQ(limits.Confine(position, 2.5f, normal), c.bounced) << c.position.x << "," << c.position.y;
        EXPECT_NEAR(position.x, c.after.x, kNear);
        EXPECT_NEAR(position.y, c.after.y, kNear);
        EXPECT_EQ(normal.x, c.normal.x);
        EXPECT_EQ(normal.y, c.normal.y);
    }
}
}
