// Camera matrices, axes and frustum: the numbers the lens values must give.
#include "engine/render/Camera.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Vector4.h"
#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VelkorEngine;

namespace
{
using TestSupport::kPi;

// The axes are worked out through the camera's matrices: close, not exact.
constexpr float kAxisTolerance = 1e-4f;

void ExpectAxis(const Vector3& actual, const Vector3& expected)
{
    TestSupport::ExpectVector(actual, expected, kAxisTolerance);
}

// Clip coordinates of a world point through a camera (row vector times view times projection).
Vector4 Clip(const Camera& camera, const Vector3& point)
{
    Matrix4 m = camera.GetViewMatrix() * camera.GetProjectionMatrix();
    m.Transpose();
    return m.Transform(Vector4(point));
}

Quaternion RotationAboutY(float angle)
{
    return Quaternion(0.0f, std::sin(angle / 2.0f), 0.0f, std::cos(angle / 2.0f));
}
}

TEST(Camera, Defaults)
{
    Camera camera(Camera::KindPerspective);
    EXPECT_EQ(camera.nearPlane, 1.0f);
    EXPECT_EQ(camera.farPlane, 1000.0f);
    EXPECT_EQ(camera.fieldOfView, 1.5707964f);
    EXPECT_EQ(camera.orthoWidth, 1.0f);
    EXPECT_EQ(camera.orthoHeight, 1.0f);
    EXPECT_EQ(camera.orientation.w, 1.0f);
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    EXPECT_TRUE(camera.GetProjectionMatrix() == identity);
    EXPECT_TRUE(camera.GetViewMatrix() == identity);
}

TEST(Camera, DefaultPerspectiveProjection)
{
    Camera camera(Camera::KindPerspective);
    camera.Update();
    const Matrix4& p = camera.GetProjectionMatrix();
    EXPECT_NEAR(p.m[0], 1.299038f, 1e-5f);
    EXPECT_NEAR(p.m[5], 1.732051f, 1e-5f);
    EXPECT_NEAR(p.m[8], 0.0f, 1e-6f);
    EXPECT_NEAR(p.m[9], 0.0f, 1e-6f);
    EXPECT_NEAR(p.m[10], -1001.0f / 999.0f, 1e-5f);
    EXPECT_EQ(p.m[11], -1.0f);
    EXPECT_NEAR(p.m[14], -2000.0f / 999.0f, 1e-5f);
    EXPECT_EQ(p.m[15], 0.0f);
}

TEST(Camera, OrthographicProjectionSpansTheBox)
{
    Camera camera(Camera::KindOrthographic);
    camera.orthoWidth = 800.0f;
    camera.orthoHeight = 600.0f;
    camera.nearPlane = 500.0f;
    camera.farPlane = -500.0f;
    camera.Update();
    const Matrix4& p = camera.GetProjectionMatrix();
    EXPECT_FLOAT_EQ(p.m[0], 2.0f / 800.0f);
    EXPECT_FLOAT_EQ(p.m[5], 2.0f / 600.0f);
    EXPECT_FLOAT_EQ(p.m[10], -2.0f / -1000.0f);
    EXPECT_EQ(p.m[12], -1.0f);
    EXPECT_EQ(p.m[13], -1.0f);
    EXPECT_FLOAT_EQ(p.m[14], 0.0f);
    EXPECT_EQ(p.m[15], 1.0f);

    const Vector4 corner = Clip(camera, Vector3(800, 600, 0));
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-5f);
    const Vector4 origin = Clip(camera, Vector3(0, 0, 0));
    EXPECT_NEAR(origin.x, -1.0f, 1e-5f);
    EXPECT_NEAR(origin.y, -1.0f, 1e-5f);
}

TEST(Camera, IdentityCameraLooksDownNegativeZ)
{
    Camera camera(Camera::KindPerspective);
    camera.Update();
    ExpectAxis(camera.GetViewAxis(), Vector3(0, 0, 1));
    ExpectAxis(camera.GetRightAxis(), Vector3(1, 0, 0));
    ExpectAxis(camera.GetUpAxis(), Vector3(0, 1, 0));
    const Vector4 ahead = Clip(camera, Vector3(0, 0, -10));
    EXPECT_NEAR(ahead.x / ahead.w, 0.0f, 1e-6f);
    EXPECT_NEAR(ahead.y / ahead.w, 0.0f, 1e-6f);
    EXPECT_GT(ahead.w, 0.0f);
}

TEST(Camera, PositionTranslatesTheView)
{
    Camera camera(Camera::KindPerspective);
    camera.position = Vector3(5, 2, 10);
    camera.Update();
    const Matrix4& view = camera.GetViewMatrix();
    EXPECT_FLOAT_EQ(view.m[12], -5.0f);
    EXPECT_FLOAT_EQ(view.m[13], -2.0f);
    EXPECT_FLOAT_EQ(view.m[14], -10.0f);
    const Vector4 ahead = Clip(camera, Vector3(5, 2, 0));
    EXPECT_NEAR(ahead.x / ahead.w, 0.0f, 1e-6f);
    EXPECT_NEAR(ahead.y / ahead.w, 0.0f, 1e-6f);
}

TEST(Camera, TurnedCameraHasTurnedAxes)
{
    // Turned a quarter about y, counter-clockwise seen from above: the camera looks along -x.
    Camera camera(Camera::KindPerspective);
    camera.orientation = RotationAboutY(kPi / 2.0f);
    camera.Update();
    ExpectAxis(camera.GetViewAxis(), Vector3(1, 0, 0));
    ExpectAxis(camera.GetRightAxis(), Vector3(0, 0, -1));
    ExpectAxis(camera.GetUpAxis(), Vector3(0, 1, 0));
    const Vector4 ahead = Clip(camera, Vector3(-10, 0, 0));
    EXPECT_NEAR(ahead.x / ahead.w, 0.0f, 1e-5f);
    EXPECT_GT(ahead.w, 0.0f);
}

TEST(Camera, FrustumPlanesAreNormalisedAndFaceInward)
{
    Camera camera(Camera::KindPerspective);
    camera.Update();
    const Frustum& frustum = camera.GetFrustum();
    for (u32 i = 0; i < Frustum::PlaneCount; ++i)
    {
        EXPECT_NEAR(frustum.GetPlane(i).GetNormal().Length(), 1.0f, 1e-5f) << i;
        EXPECT_GT(frustum.GetPlane(i).Distance(Vector3(0, 0, -10)), 0.0f) << i;
    }
    EXPECT_NEAR(frustum.GetPlane(Frustum::PlaneNear).Distance(Vector3(0, 0, -1)), 0.0f, 1e-4f);
    EXPECT_NEAR(frustum.GetPlane(Frustum::PlaneFar).Distance(Vector3(0, 0, -1000)), 0.0f, 1e-2f);
}

struct SphereCase
{
    Vector3 centre;
    float radius;
    bool inside;
};

TEST(Camera, FrustumCullingTable)
{
    Camera camera(Camera::KindPerspective);
    camera.Update();
    // Each sphere is the one around a cube of half size r, so its radius is r·√3.
    const SphereCase cases[] = {
        {Vector3(0, 0, -10), 1.0f, true},       // straight ahead
        {Vector3(0, 0, 10), 1.0f, false},       // behind
        {Vector3(0, 0, 0.5f), 1.0f, true},      // reaches past the near plane
        {Vector3(0, 0, -1200), 1.0f, false},    // beyond the far plane
        {Vector3(0, 0, -1200), 300.0f, true},   // beyond it but large enough to reach in
        {Vector3(100, 0, -10), 1.0f, false},    // far to the right
        {Vector3(0, -100, -10), 1.0f, false},   // far below
        {Vector3(12, 0, -10), 5.0f, true},      // outside on the right but overlapping
    };
    for (const SphereCase& c : cases)
    {
        const BoundingVolume volume(c.centre - Vector3(c.radius), c.centre + Vector3(c.radius));
        EXPECT_EQ(camera.GetFrustum().IsSphereInside(volume), c.inside)
            << c.centre.x << "," << c.centre.y << "," << c.centre.z;
    }
}

TEST(Camera, SphereTouchingAPlaneFromOutsideIsOutside)
{
    // An orthographic box from 0 to 2 along x and y, near 1, far -1 (planes at x = 0 and x = 2 and so on).
    Camera camera(Camera::KindOrthographic);
    camera.orthoWidth = 2.0f;
    camera.orthoHeight = 2.0f;
    camera.nearPlane = -1.0f;
    camera.farPlane = 1.0f;
    camera.Update();
    const Plane& right = camera.GetFrustum().GetPlane(Frustum::PlaneRight);
    EXPECT_NEAR(right.Distance(Vector3(2, 1, 0)), 0.0f, 1e-5f);

    // A box of half extents (1, 0, 0): radius 1, centre exactly 1 beyond x = 2.
    const BoundingVolume touching(Vector3(2, 1, 0), Vector3(4, 1, 0));
    EXPECT_FALSE(camera.GetFrustum().IsSphereInside(touching));
    const BoundingVolume overlapping(Vector3(1.9f, 1, 0), Vector3(3.9f, 1, 0));
    EXPECT_TRUE(camera.GetFrustum().IsSphereInside(overlapping));
}
