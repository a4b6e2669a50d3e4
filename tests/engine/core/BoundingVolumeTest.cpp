// Bounding volumes: boxes, transforms, merges, scaling, overlap and segment tests.
#include "engine/core/BoundingVolume.h"

#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace VelkorEngine;
using TestSupport::ExpectVector;

namespace
{
BoundingVolume UnitBoxAt(const Vector3& centre)
{
    return BoundingVolume(centre - Vector3(1.0f), centre + Vector3(1.0f));
}
}

TEST(BoundingVolume, DefaultIsAPointAtTheOrigin)
{
    BoundingVolume volume;
    ExpectVector(volume.GetMinimum(), Vector3(0.0f));
    ExpectVector(volume.GetWorldMaximum(), Vector3(0.0f));
    EXPECT_EQ(volume.GetRadius(), 0.0f);
}

TEST(BoundingVolume, BoxGivesCentreExtentsAndRadius)
{
    BoundingVolume volume(Vector3(0, 0, 0), Vector3(2, 4, 6));
    ExpectVector(volume.GetWorldMinimum(), Vector3(0, 0, 0));
    ExpectVector(volume.GetWorldMaximum(), Vector3(2, 4, 6));
    ExpectVector(volume.GetCenter(), Vector3(1, 2, 3));
    ExpectVector(volume.GetHalfExtents(), Vector3(1, 2, 3));
    EXPECT_NEAR(volume.GetRadius(), std::sqrt(14.0f), 1e-5f);
}

// The box around the points starts inverted at ±100000, so no points leave it inverted and a point beyond
// that start only moves the far corner.
TEST(BoundingVolume, FromPoints)
{
    const struct
    {
        std::vector<Vector3> points;
        Vector3 minimum;
        Vector3 maximum;
    } cases[] = {
        {{Vector3(1, -2, 3), Vector3(-1, 5, 0), Vector3(0, 0, 7)}, Vector3(-1, -2, 0), Vector3(1, 5, 7)},
        {{}, Vector3(100000.0f), Vector3(-100000.0f)},
        {{Vector3(200000, 200000, 200000)}, Vector3(100000.0f), Vector3(200000.0f)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.points.size());
        const BoundingVolume volume(static_cast<u32>(c.points.size()), c.points.empty() ? nullptr : c.points.data());
        ExpectVector(volume.GetMinimum(), c.minimum);
        // Floats near 200000 are a sixty-fourth apart.
        ExpectVector(volume.GetMaximum(), c.maximum, c.maximum.x > 100000.0f ? 1.0f : 1e-5f);
        if (c.points.empty())
        {
            EXPECT_LT(volume.GetHalfExtents().x, 0.0f);
            EXPECT_GT(volume.GetRadius(), 0.0f);
        }
    }
}

TEST(BoundingVolume, RotatedTransformGrowsTheWorldBox)
{
    BoundingVolume volume(Vector3(-1.0f), Vector3(1.0f));
    Matrix4 rotation;
    MakeRotationZMatrix(rotation, 3.14159265f / 4.0f);
    volume.SetTransform(rotation);
    ExpectVector(volume.GetHalfExtents(), Vector3(1.41421f, 1.41421f, 1.0f));
    EXPECT_NEAR(volume.GetRadius(), 2.23607f, 1e-4f);
    EXPECT_TRUE(volume.GetTransform() == rotation);
    ExpectVector(volume.GetMinimum(), Vector3(-1.0f));
}

TEST(BoundingVolume, TranslationMovesTheCentreUntilSetBoxResetsIt)
{
    BoundingVolume volume(Vector3(-1.0f), Vector3(1.0f));
    Matrix4 translation;
    MakeTranslationMatrix(translation, Vector3(10, 0, -5));
    volume.SetTransform(translation);
    ExpectVector(volume.GetCenter(), Vector3(10, 0, -5));
    ExpectVector(volume.GetWorldMinimum(), Vector3(9, -1, -6));
    volume.SetBox(Vector3(0.0f), Vector3(1.0f));
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    EXPECT_TRUE(volume.GetTransform() == identity);
    ExpectVector(volume.GetWorldMaximum(), Vector3(1.0f));
}

TEST(BoundingVolume, MergeTakesTheWorldBoxAroundBoth)
{
    BoundingVolume a = UnitBoxAt(Vector3(0.0f));
    BoundingVolume b = UnitBoxAt(Vector3(0.0f));
    Matrix4 translation;
    MakeTranslationMatrix(translation, Vector3(5, 0, 0));
    b.SetTransform(translation);
    a.Merge(b);
    ExpectVector(a.GetMinimum(), Vector3(-1, -1, -1));
    ExpectVector(a.GetMaximum(), Vector3(6, 1, 1));
    ExpectVector(a.GetCenter(), Vector3(2.5f, 0, 0));
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    EXPECT_TRUE(a.GetTransform() == identity);
}

TEST(BoundingVolume, GetScaledUsesTheWorldValues)
{
    BoundingVolume volume(Vector3(0.0f), Vector3(2.0f));
    const BoundingVolume scaled = volume.GetScaled(2.0f);
    ExpectVector(scaled.GetMinimum(), Vector3(-1.0f));
    ExpectVector(scaled.GetMaximum(), Vector3(3.0f));
}

struct OverlapCase
{
    float offset;
    bool intersects;
};

TEST(BoundingVolume, IntersectsTable)
{
    const OverlapCase cases[] = {{0.0f, true}, {1.5f, true}, {2.0f, true}, {2.001f, false}, {-2.001f, false}};
    const BoundingVolume origin = UnitBoxAt(Vector3(0.0f));
    for (const OverlapCase& c : cases)
    {
        EXPECT_EQ(origin.Intersects(UnitBoxAt(Vector3(c.offset, 0, 0))), c.intersects) << c.offset;
        EXPECT_EQ(origin.Intersects(UnitBoxAt(Vector3(0, 0, c.offset))), c.intersects) << c.offset;
    }
}

struct SegmentCase
{
    Vector3 from;
    Vector3 to;
    bool hits;
};

TEST(BoundingVolume, IntersectsSegmentTable)
{
    const SegmentCase cases[] = {
        {Vector3(5, 0.5f, 0), Vector3(-5, 0.5f, 0), true},
        {Vector3(5, 0.5f, 0), Vector3(2, 0.5f, 0), false},
        {Vector3(0, 0, 0), Vector3(0.1f, 0.1f, 0.1f), true},
        {Vector3(5, 5, 0), Vector3(-5, 5, 0), false},
        {Vector3(3, 0, 0), Vector3(0, 3, 0), false},
        {Vector3(1.9f, 0, 0), Vector3(0, 1.9f, 0), true},
        {Vector3(-3, -3, -3), Vector3(3, 3, 3), true},
        {Vector3(0, 0, 5), Vector3(0, 0, 1), true},
    };
    const BoundingVolume box = UnitBoxAt(Vector3(0.0f));
    for (const SegmentCase& c : cases)
        EXPECT_EQ(box.IntersectsSegment(Ray(c.from, c.to - c.from)), c.hits)
            << c.from.x << "," << c.from.y << "," << c.from.z << " -> " << c.to.x << "," << c.to.y << "," << c.to.z;
}

TEST(BoundingVolume, LerpBlendsCentresAndExtents)
{
    const BoundingVolume a(Vector3(0.0f), Vector3(2.0f));
    const BoundingVolume b(Vector3(10.0f), Vector3(14.0f));
    BoundingVolume out;
    LerpBoundingVolume(out, a, b, 0.5f);
    ExpectVector(out.GetCenter(), Vector3(6.5f));
    ExpectVector(out.GetHalfExtents(), Vector3(1.5f));
}
