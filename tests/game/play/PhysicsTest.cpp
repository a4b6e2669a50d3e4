// The collision world: analytic sweeps against boxes and meshes (face, edge, vertex, embedded, simultaneous
// contacts), strips and degenerate triangles, the broad phase, capacities, and random sweeps that must never
// pass into a closed box.
#include "game/play/Physics.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/MathTestSupport.h"
#include "tests/support/ModelTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

using namespace VelkorEngine;
using Korvane::CollisionHit;
using Korvane::ContactKind;
using Korvane::Physics;

namespace
{
using PlayTest::kNear;

BoundingVolume Box(const Vector3& minimum, const Vector3& maximum)
{
    return BoundingVolume(minimum, maximum);
}

void ExpectNormal(const Plane& plane, const Vector3& expected)
{
    EXPECT_NEAR(plane.GetA(), expected.x, kNear);
    EXPECT_NEAR(plane.GetB(), expected.y, kNear);
    EXPECT_NEAR(plane.GetC(), expected.z, kNear);
}

class PhysicsTest : public ::testing::Test
{
protected:
    PhysicsTest() : log("Physics test", 0, 0, "", ""), physics(&log) {}

    bool Sweep(f32 radius, const Vector3& position, const Vector2& motion)
    {
        return physics.Query(radius, position, motion, ignored, end, hit);
    }

    MessageManager log;
    Physics physics;
    std::set<u32> ignored;
    Vector2 end;
    CollisionHit hit;
};

// A wall at x = 5 facing the sphere, 10 high: a box from x 5 to 7.
TEST_F(PhysicsTest, FaceContactStopsTheSphereWhereItTouches)
{
    physics.AddStaticObject(Box({5, -5, 0}, {7, 5, 10}), 7);
    ASSERT_TRUE(Sweep(2.0f, {0, 0, 2}, {10, 0}));
    EXPECT_NEAR(end.x, 3.0f, kNear);
    EXPECT_NEAR(end.y, 0.0f, kNear);
    ExpectNormal(hit.plane, {-1, 0, 0});
    EXPECT_NEAR(hit.plane.GetD(), 5.0f, kNear);
    EXPECT_EQ(hit.id, 7u);
    EXPECT_NEAR(hit.point.x, 5.0f, kNear);
    EXPECT_NEAR(hit.point.z, 2.0f, kNear);
    EXPECT_EQ(physics.GetContact(0).kind, ContactKind::Face);
}

TEST_F(PhysicsTest, SweepsThatMeetNothingEndAtTheirEnd)
{
    physics.AddStaticObject(Box({5, -5, 0}, {7, 5, 10}), 7);
    struct Case
    {
        Vector2 motion;
        f32 endX;
        f32 endY;
    };
    // Away from the wall; short of it; along its face.
    for (const Case& c : {Case{{-10, 0}, -10, 0}, Case{{2, 0}, 2, 0}, Case{{0, 30}, 0, 30}})
    {
        EXPECT_FALSE(Sweep(2.0f, {0, 0, 2}, c.motion));
        EXPECT_NEAR(end.x, c.endX, kNear);
        EXPECT_NEAR(end.y, c.endY, kNear);
    }
}

TEST_F(PhysicsTest, SphereRestingOnAFaceIsNotEmbeddedAndMeetsItAtOnce)
{
    physics.AddStaticObject(Box({5, -5, 0}, {7, 5, 10}), 7);
    ASSERT_TRUE(Sweep(2.0f, {3, 0, 2}, {1, 0}));
    EXPECT_EQ(physics.GetContact(0).kind, ContactKind::Face);
    EXPECT_EQ(physics.GetContact(0).distance, 0.0f);
    EXPECT_NEAR(end.x, 3.0f, kNear);
    EXPECT_FALSE(Sweep(2.0f, {3, 0, 2}, {0, 1}));
    EXPECT_NEAR(end.y, 1.0f, kNear);
}

TEST_F(PhysicsTest, EmbeddedSphereIsPushedOutAlongTheContact)
{
    physics.AddStaticObject(Box({5, -5, 0}, {7, 5, 10}), 7);
    // Overlapping the wall by half its radius, whichever way it moves.
    for (const Vector2 motion : {Vector2(1, 0), Vector2(-1, 0), Vector2(0, 0)})
    {
        ASSERT_TRUE(Sweep(2.0f, {4, 0, 2}, motion));
        EXPECT_EQ(physics.GetContact(0).kind, ContactKind::Embedded);
        EXPECT_NEAR(physics.GetContact(0).distance, -0.5f, kNear);
        EXPECT_NEAR(end.x, 3.0f, kNear);
        ExpectNormal(hit.plane, {-1, 0, 0});
    }
    ignored.insert(7);
    EXPECT_FALSE(Sweep(2.0f, {4, 0, 2}, {1, 0}));
}

TEST_F(PhysicsTest, SphereBehindAOneSidedSurfaceNeverMeetsIt)
{
    TestSupport::ModelTestBed bed;
    Model wall(bed.Services(), ModelFlags::TriangleList, 3, 3, 1, nullptr, nullptr);
    const Vector3 corners[3] = {{5, -10, -10}, {5, -10, 10}, {5, 10, 0}};
    u8* vertices = wall.vertexBuffer->Lock(0, 3);
    for (u32 i = 0; i < 3; ++i)
        std::memcpy(vertices + i * wall.vertexBuffer->GetStride(), &corners[i], sizeof(Vector3));
    wall.vertexBuffer->Unlock();
    const u32 indices[3] = {0, 1, 2};
    wall.indexBuffer->SetIndices(0, 3, indices);
    wall.ComputeBounds(wall.bounds, Model::InModelSpace);
    physics.AddModelObject(&wall, IdentityMatrix(), 3);
    EXPECT_TRUE(Sweep(1.0f, {0, 0, 0}, {10, 0}));
    EXPECT_NEAR(end.x, 4.0f, kNear);
    EXPECT_FALSE(Sweep(1.0f, {10, 0, 0}, {-10, 0}));
    EXPECT_FALSE(Sweep(1.0f, {5, 0, 0}, {-10, 0}));
}

// A sphere passing the wall's vertical edge at x = 5, y = 0 half a radius from its centre line.
TEST_F(PhysicsTest, EdgeContactMeetsTheEdgeAtTheAnalyticDistance)
{
    physics.AddStaticObject(Box({5, 0, 0}, {7, 10, 10}), 9);
    ASSERT_TRUE(Sweep(2.0f, {0, -1, 2}, {10, 0}));
    EXPECT_EQ(physics.GetContact(0).kind, ContactKind::Edge);
    EXPECT_NEAR(end.x, 5.0f - std::sqrt(3.0f), kNear);
    EXPECT_NEAR(end.y, -1.0f, kNear);
    ExpectNormal(hit.plane, {-1, 0, 0});
    EXPECT_NEAR(hit.point.x, 5.0f, kNear);
    EXPECT_NEAR(hit.point.y, 0.0f, kNear);
}

// A sphere passing over the top corner (5, 0, 12) of a box, one unit outside it both in y and in z.
TEST_F(PhysicsTest, VertexContactMeetsTheCornerAtTheAnalyticDistance)
{
    physics.AddStaticObject(Box({5, 0, 0}, {7, 10, 12}), 9);
    ASSERT_TRUE(Sweep(2.0f, {0, -1, 13}, {10, 0}));
    EXPECT_EQ(physics.GetContact(0).kind, ContactKind::Vertex);
    EXPECT_NEAR(end.x, 5.0f - std::sqrt(2.0f), kNear);
    EXPECT_NEAR(hit.point.x, 5.0f, kNear);
    EXPECT_NEAR(hit.point.y, 0.0f, kNear);
    EXPECT_NEAR(hit.point.z, 12.0f, kNear);
}

TEST_F(PhysicsTest, FacesMetTogetherWithDifferentNormalsGiveTwoContacts)
{
    physics.AddStaticObject(Box({5, -10, 0}, {7, 10, 10}), 3);
    physics.AddStaticObject(Box({-10, 5, 0}, {4.9f, 7, 10}), 4);
    ASSERT_TRUE(Sweep(1.0f, {0, 0, 1}, {10, 10}));
    EXPECT_EQ(physics.GetContactCount(), 2u);
    EXPECT_NEAR(end.x, 4.0f, kNear);
    EXPECT_NEAR(end.y, 4.0f, kNear);
    EXPECT_EQ(hit.id, 3u);
}

TEST_F(PhysicsTest, FacesMetTogetherInOnePlaneGiveOneContact)
{
    physics.AddStaticObject(Box({5, -10, 0}, {7, 0, 10}), 3);
    physics.AddStaticObject(Box({5, 0, 0}, {7, 10, 10}), 4);
    ASSERT_TRUE(Sweep(1.0f, {0, 0, 1}, {10, 0}));
    EXPECT_EQ(physics.GetContactCount(), 1u);
    EXPECT_NEAR(end.x, 4.0f, kNear);
}

TEST_F(PhysicsTest, EarlierObjectWinsWhateverTheOrderOfAddition)
{
    physics.AddStaticObject(Box({8, -5, 0}, {9, 5, 10}), 5);
    physics.AddStaticObject(Box({5, -5, 0}, {6, 5, 10}), 6);
    ASSERT_TRUE(Sweep(1.0f, {0, 0, 1}, {20, 0}));
    EXPECT_EQ(hit.id, 6u);
    EXPECT_NEAR(end.x, 4.0f, kNear);
    ignored.insert(6);
    ASSERT_TRUE(Sweep(1.0f, {0, 0, 1}, {20, 0}));
    EXPECT_EQ(hit.id, 5u);
    EXPECT_NEAR(end.x, 7.0f, kNear);
}

TEST_F(PhysicsTest, TransformedBoxIsMetWhereItIsPlaced)
{
    Matrix4 turn;
    MakeRotationZMatrix(turn, 0.5f * 3.14159265f);
    Matrix4 move;
    MakeTranslationMatrix(move, Vector3(10, 0, 0));
    // A box 2 long in x and 20 in y, turned a quarter about z and moved to x = 10: a wall 20 wide in x.
    physics.AddBoxObject(Box({-1, -10, 0}, {1, 10, 6}), move * turn, 12);
    ASSERT_TRUE(Sweep(1.0f, {10, -10, 1}, {0, 20}));
    EXPECT_NEAR(end.y, -2.0f, kNear);
    ExpectNormal(hit.plane, {0, -1, 0});
}

TEST_F(PhysicsTest, BoxObjectsAreFoundAtAnyHeightWithinTheirReach)
{
    physics.AddBoxObject(Box({5, -5, 0}, {7, 5, 6}), IdentityMatrix(), 3);
    physics.AddStaticObject(Box({-7, -5, 0}, {-5, 5, 6}), 4);
    Sweep(1.0f, {0, 0, 900}, {10, 0});
    EXPECT_EQ(physics.GetTriangleCount(), 12u);
    Sweep(1.0f, {0, 0, 1100}, {10, 0});
    EXPECT_EQ(physics.GetTriangleCount(), 0u);
    Sweep(1.0f, {0, 0, 900}, {-10, 0});
    EXPECT_EQ(physics.GetTriangleCount(), 0u);
}

TEST_F(PhysicsTest, ZeroRadiusMovesFreelyInsteadOfMakingNaN)
{
    physics.AddStaticObject(Box({5, -5, 0}, {7, 5, 10}), 7);
    EXPECT_FALSE(Sweep(0.0f, {0, 0, 1}, {10, 0}));
    EXPECT_EQ(end.x, 10.0f);
}

TEST_F(PhysicsTest, OneObjectTooManyEndsTheProgram)
{
    for (u32 i = 0; i < Physics::MaxObjects; ++i)
        physics.AddStaticObject(Box({0, 0, 0}, {1, 1, 1}), i);
    EXPECT_EQ(physics.GetObjectCount(), Physics::MaxObjects);
    try
    {
        physics.AddBoxObject(Box({0, 0, 0}, {1, 1, 1}), IdentityMatrix(), 0);
        FAIL() << "no fatal error";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Physics: objects buffer overflow");
    }
    ASSERT_GE(log.GetRecordCount(), 1u);
    const LogRecord fatal = log.GetRecord(log.GetRecordCount() - 1);
    EXPECT_EQ(fatal.kind, MessageManager::KindFatal);
    EXPECT_NE(fatal.text.find("PROGRAM ABORTING: Physics: objects buffer overflow"), std::string::npos);
    physics.ClearObjects();
    EXPECT_EQ(physics.AddBoxObject(Box({0, 0, 0}, {1, 1, 1}), IdentityMatrix(), 0), 1u);
}

TEST_F(PhysicsTest, OneTriangleTooManyEndsTheProgram)
{
    for (u32 i = 0; i < Physics::MaxTriangles; ++i)
        physics.AddTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 3);
    EXPECT_EQ(physics.GetTriangleCount(), Physics::MaxTriangles);
    try
    {
        physics.AddTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 3);
        FAIL() << "no fatal error";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Physics: triangles buffer overflow");
    }
}

TEST_F(PhysicsTest, DegenerateTrianglesAreLeftOut)
{
    physics.AddTriangle({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, 3);
    physics.AddTriangle({0, 0, 0}, {0, 0, 0}, {0, 1, 0}, 3);
    EXPECT_EQ(physics.GetTriangleCount(), 0u);
}

// A mesh-wall in the plane x = 5 from y -10 to 10 and z 0 to 10, facing -x.
class PhysicsMeshTest : public PhysicsTest
{
protected:
    std::unique_ptr<Model> MakeWall(u32 flags, const std::vector<u32>& indices)
    {
        const Vector3 corners[4] = {{5, -10, 0}, {5, -10, 10}, {5, 10, 0}, {5, 10, 10}};
        auto wall = std::make_unique<Model>(bed.Services(), flags, 4, static_cast<u32>(indices.size()), 1, nullptr,
                                            nullptr);
        u8* vertices = wall->vertexBuffer->Lock(0, 4);
        for (u32 i = 0; i < 4; ++i)
            std::memcpy(vertices + i * wall->vertexBuffer->GetStride(), &corners[i], sizeof(Vector3));
        wall->vertexBuffer->Unlock();
        wall->indexBuffer->SetIndices(0, static_cast<u32>(indices.size()), indices.data());
        wall->ComputeBounds(wall->bounds, Model::InModelSpace);
        return wall;
    }

    TestSupport::ModelTestBed bed;
};

TEST_F(PhysicsMeshTest, BothHalvesOfAStripFaceTheWayTheyAreDrawn)
{
    const auto wall = MakeWall(ModelFlags::Static, {0, 1, 2, 3});
    physics.AddModelObject(wall.get(), IdentityMatrix(), 3);
    // Below-left of the strip's diagonal lies its first triangle, above-right its second.
    for (const Vector3 start : {Vector3(0, -6, 2), Vector3(0, 6, 8)})
    {
        ASSERT_TRUE(Sweep(1.0f, start, {10, 0})) << start.y;
        EXPECT_NEAR(end.x, 4.0f, kNear);
        ExpectNormal(hit.plane, {-1, 0, 0});
    }
    EXPECT_EQ(physics.GetTriangleCount(), 2u);
}

TEST_F(PhysicsMeshTest, DegenerateAndOutOfRangeTrianglesOfAMeshAreSkipped)
{
    // A strip joined through a repeated index, and a list triangle naming a vertex the mesh lacks.
    const auto strip = MakeWall(ModelFlags::Static, {0, 1, 2, 2, 3});
    physics.AddModelObject(strip.get(), IdentityMatrix(), 3);
    const auto list = MakeWall(ModelFlags::TriangleList, {0, 1, 9});
    physics.AddModelObject(list.get(), IdentityMatrix(), 4);
    ASSERT_TRUE(Sweep(1.0f, {0, -6, 2}, {10, 0}));
    EXPECT_EQ(hit.id, 3u);
    EXPECT_NEAR(end.x, 4.0f, kNear);
    EXPECT_EQ(physics.GetTriangleCount(), 1u);
}

TEST_F(PhysicsMeshTest, MeshIsMetUnderItsTransform)
{
    const auto wall = MakeWall(ModelFlags::TriangleList, {0, 1, 2, 2, 1, 3});
    Matrix4 move;
    MakeTranslationMatrix(move, Vector3(20, 0, 0));
    physics.AddModelObject(wall.get(), move, 5);
    ASSERT_TRUE(Sweep(1.0f, {0, 0, 5}, {30, 0}));
    EXPECT_NEAR(end.x, 24.0f, kNear);
}

// Blocks without a mesh of their own are drawn and collided as the engine's box models.
TEST_F(PhysicsMeshTest, EngineBoxModelIsMetFromEverySide)
{
    std::unique_ptr<Model> box(bed.Models().NewBoxModel(Vector3(-5, -3, 0), Vector3(5, 3, 6), nullptr, nullptr, 0));
    physics.AddModelObject(box.get(), IdentityMatrix(), 8);
    struct Case
    {
        Vector3 start;
        Vector2 motion;
        Vector2 end;
    };
    for (const Case& c : {Case{{-20, 0, 2}, {20, 0}, {-7, 0}}, Case{{20, 0, 2}, {-20, 0}, {7, 0}},
                          Case{{0, -20, 2}, {0, 20}, {0, -5}}, Case{{0, 20, 2}, {0, -20}, {0, 5}}})
    {
        ASSERT_TRUE(Sweep(2.0f, c.start, c.motion)) << c.start.x << "," << c.start.y;
        EXPECT_NEAR(end.x, c.end.x, kNear);
        EXPECT_NEAR(end.y, c.end.y, kNear);
    }
}

// Random sweeps against a closed box must never bring the sphere nearer to it than its radius.
f32 DistanceToBox(const Vector3& p, const Vector3& minimum, const Vector3& maximum)
{
    const f32 dx = std::max({minimum.x - p.x, 0.0f, p.x - maximum.x});
    const f32 dy = std::max({minimum.y - p.y, 0.0f, p.y - maximum.y});
    const f32 dz = std::max({minimum.z - p.z, 0.0f, p.z - maximum.z});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The distance to a convex box along a segment is convex, so a ternary search finds its least value.
f32 ClosestApproach(const Vector3& from, const Vector3& to, const Vector3& minimum, const Vector3& maximum)
{
    f32 low = 0.0f;
    f32 high = 1.0f;
    for (int i = 0; i < 60; ++i)
    {
        const f32 a = low + (high - low) / 3.0f;
        const f32 b = high - (high - low) / 3.0f;
        if (DistanceToBox(from + (to - from) * a, minimum, maximum) <
            DistanceToBox(from + (to - from) * b, minimum, maximum))
            high = b;
        else
            low = a;
    }
    return std::min({DistanceToBox(from, minimum, maximum), DistanceToBox(to, minimum, maximum),
                     DistanceToBox(from + (to - from) * low, minimum, maximum)});
}

TEST_F(PhysicsTest, TenThousandRandomSweepsNeverEnterAClosedBoxHoweverPlaced)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    auto range = [&](f32 low, f32 high) { return low + (high - low) * unit(random); };
    u32 hits = 0;
    u32 sweeps = 0;
    while (sweeps < 10000)
    {
        const f32 radius = range(0.5f, 3.0f);
        const Vector3 minimum(range(-10, 0), range(-10, 0), range(0, 4));
        const Vector3 maximum = minimum + Vector3(range(1, 12), range(1, 12), range(1, 8));
        const Vector3 start(range(-25, 25), range(-25, 25), range(minimum.z - radius, maximum.z + radius));
        // Clear of the box however it is turned.
        const Vector3 centre = (minimum + maximum) * 0.5f;
        if ((start - centre).Length() < (maximum - centre).Length() + radius + 0.01f)
            continue;
        // Most sweeps head roughly for the box, the rest anywhere.
        const f32 towards = std::atan2(centre.y - start.y, centre.x - start.x);
        const f32 angle = (sweeps % 4) != 0 ? towards + range(-0.6f, 0.6f) : range(0, 6.2831853f);
        const f32 length = range(0, 40);
        const Vector2 motion(std::cos(angle) * length, std::sin(angle) * length);
        // A third of the boxes are static, a third placed by a plain transform, a third turned about their
        // centre; distances are measured in the box's own frame.
        physics.ClearObjects();
        f32 turn = 0.0f;
        if (sweeps % 3 == 0)
            physics.AddStaticObject(Box(minimum, maximum), 3);
        else if (sweeps % 3 == 1)
            physics.AddBoxObject(Box(minimum, maximum), IdentityMatrix(), 3);
        else
        {
            turn = range(0, 6.2831853f);
            Matrix4 there;
            MakeTranslationMatrix(there, centre);
            Matrix4 rotation;
            MakeRotationZMatrix(rotation, turn);
            Matrix4 back;
            MakeTranslationMatrix(back, Vector3() - centre);
            physics.AddBoxObject(Box(minimum, maximum), there * rotation * back, 3);
        }
        const auto local = [&](const Vector3& p) {
            const Vector3 d = p - centre;
            return centre + Vector3(std::cos(turn) * d.x + std::sin(turn) * d.y, -std::sin(turn) * d.x + std::cos(turn) * d.y, d.z);
        };
        ++sweeps;
        const bool met = Sweep(radius, start, motion);
        hits += met ? 1 : 0;
        ASSERT_TRUE(std::isfinite(end.x) && std::isfinite(end.y));
        const Vector3 stop(end.x, end.y, start.z);
        ASSERT_GE(ClosestApproach(local(start), local(stop), minimum, maximum), radius - 1e-3f)
            << "sweep " << sweeps << " from " << start.x << "," << start.y << "," << start.z << " by " << motion.x
            << "," << motion.y << " r " << radius << " box " << minimum.x << "," << minimum.y << "," << minimum.z
            << " " << maximum.x << "," << maximum.y << "," << maximum.z << " met " << met << " kind "
            << (met ? static_cast<int>(physics.GetContact(0).kind) : 0) << " end " << end.x << "," << end.y;
        if (met)
        {
            const Vector2 travelled(stop.x - start.x, stop.y - start.y);
            ASSERT_LE(travelled.Length(), motion.Length() + 1e-3f);
            ASSERT_NEAR(DistanceToBox(local(stop), minimum, maximum), radius, 2e-3f);
            // The plane to bounce off always stands against the motion (or the motion was none).
            const bool embedded = physics.GetContact(0).kind == ContactKind::Embedded;
            ASSERT_TRUE(embedded || hit.plane.GetA() * motion.x + hit.plane.GetB() * motion.y < 1e-6f) << "sweep " << sweeps;
        }
    }
    // The sweeps must actually test something: a good share of them run into the box.
    EXPECT_GT(hits, 2000u);
}
}
