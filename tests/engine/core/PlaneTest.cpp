// Plane equations, distances, projections, ray intersections and the point-in-triangle test.
#include "engine/core/Plane.h"

#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::ExpectVector;

namespace
{
Plane PlaneZ0()
{
    Plane plane;
    plane.Set(0, 0, 1, 0);
    return plane;
}
}

TEST(Plane, DefaultIsZeroNormal)
{
    Plane plane;
    EXPECT_EQ(plane.GetA(), 0.0f);
    EXPECT_EQ(plane.GetB(), 0.0f);
    EXPECT_EQ(plane.GetC(), 0.0f);
}

TEST(Plane, SetNormalisesDistanceAndProjects)
{
    Plane plane;
    plane.Set(0, 0, 2, -4);
    EXPECT_FLOAT_EQ(plane.GetA(), 0.0f);
    EXPECT_FLOAT_EQ(plane.GetB(), 0.0f);
    EXPECT_FLOAT_EQ(plane.GetC(), 1.0f);
    EXPECT_FLOAT_EQ(plane.GetD(), -2.0f);
    EXPECT_FLOAT_EQ(plane.Distance(Vector3(0, 0, 5)), 3.0f);
    ExpectVector(plane.Project(Vector3(1, 1, 5)), Vector3(1, 1, 2));
}

TEST(Plane, TinyNormalIsLeftUnnormalised)
{
    Plane plane;
    plane.Set(0, 0, 0.00001f, 1);
    EXPECT_FLOAT_EQ(plane.GetC(), 0.00001f);
    EXPECT_FLOAT_EQ(plane.GetD(), 1.0f);
}

TEST(Plane, SetFromPointsFollowsWinding)
{
    Plane plane;
    plane.SetFromPoints(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    ExpectVector(plane.GetNormal(), Vector3(0, 0, 1));
    EXPECT_FLOAT_EQ(plane.GetD(), 0.0f);

    plane.SetFromPoints(Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(1, 0, 0));
    ExpectVector(plane.GetNormal(), Vector3(0, 0, -1));
}

TEST(Plane, SetFromTriangleAndNormalAndPoint)
{
    const Vector3 triangle[3] = {Vector3(0, 0, 3), Vector3(1, 0, 3), Vector3(0, 1, 3)};
    Plane plane;
    plane.SetFromTriangle(triangle);
    ExpectVector(plane.GetNormal(), Vector3(0, 0, 1));
    EXPECT_FLOAT_EQ(plane.GetD(), -3.0f);

    plane.SetFromNormalAndPoint(Vector3(0, 4, 0), Vector3(7, 2, 1));
    ExpectVector(plane.GetNormal(), Vector3(0, 1, 0));
    EXPECT_FLOAT_EQ(plane.GetD(), -2.0f);
}

TEST(Plane, AssignmentCopiesTheFourValues)
{
    Plane source;
    source.Set(1, 0, 0, -5);
    Plane copy;
    copy = source;
    EXPECT_FLOAT_EQ(copy.GetA(), 1.0f);
    EXPECT_FLOAT_EQ(copy.GetD(), -5.0f);
}

struct IntersectCase
{
    Vector3 origin;
    Vector3 direction;
    bool hit;
    bool written;
    float t;
};

TEST(Plane, IntersectTable)
{
    const IntersectCase cases[] = {
        {Vector3(0, 0, 1), Vector3(0, 0, -2), true, true, 0.5f},
        {Vector3(0, 0, -1), Vector3(0, 0, -1), false, true, -1.0f},
        {Vector3(0, 0, 0), Vector3(0, 0, 1), false, true, 0.0f},
        {Vector3(0, 0, 1), Vector3(1, 0, 0.00005f), false, false, 0.0f},
    };
    const Plane plane = PlaneZ0();
    for (const IntersectCase& c : cases)
    {
        float t = 123.0f;
        EXPECT_EQ(plane.Intersect(Ray(c.origin, c.direction), t), c.hit);
        EXPECT_FLOAT_EQ(t, c.written ? c.t : 123.0f);
    }
}

struct TriangleCase
{
    Vector3 point;
    bool inside;
};

TEST(Plane, PointInTriangleTable)
{
    const Vector3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    Plane plane;
    plane.SetFromPoints(a, b, c);
    const TriangleCase cases[] = {
        {Vector3(0.25f, 0.25f, 0), true}, {Vector3(0.5f, 0.5f, 0), true}, {Vector3(0.6f, 0.6f, 0), false},
        {Vector3(1, 0, 0), true},         {Vector3(0, 0, 0), true},       {Vector3(-0.1f, 0.5f, 0), false},
        {Vector3(0.5f, -0.1f, 0), false}, {Vector3(0, 1, 0), true},
    };
    for (const TriangleCase& test : cases)
        EXPECT_EQ(IsPointInTriangle(plane, a, b, c, test.point), test.inside)
            << test.point.x << ", " << test.point.y;
}

TEST(Plane, PointInTriangleOnOtherAxes)
{
    // A triangle in the plane x = 2 (the x axis is dropped) and one whose first edge is vertical in (u, v).
    const Vector3 a(2, 0, 0), b(2, 1, 0), c(2, 0, 1);
    Plane plane;
    plane.SetFromPoints(a, b, c);
    EXPECT_TRUE(IsPointInTriangle(plane, a, b, c, Vector3(2, 0.2f, 0.2f)));
    EXPECT_FALSE(IsPointInTriangle(plane, a, b, c, Vector3(2, 0.8f, 0.8f)));

    const Vector3 d(0, 0, 0), e(0, 1, 0), f(1, 0, 0);
    Plane flat;
    flat.SetFromPoints(d, e, f);
    EXPECT_TRUE(IsPointInTriangle(flat, d, e, f, Vector3(0.2f, 0.2f, 0)));
    EXPECT_FALSE(IsPointInTriangle(flat, d, e, f, Vector3(0.7f, 0.7f, 0)));
}
