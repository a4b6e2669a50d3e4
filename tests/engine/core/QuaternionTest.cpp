// Quaternion to matrix, the product's rotation order, and the short-way blend.
#include "engine/core/Quaternion.h"

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace VelkorEngine
{
namespace
{

Quaternion AboutAxis(const Vector3& unitAxis, f32 angle)
{
    const f32 s = std::sin(angle / 2.0f);
    return Quaternion(unitAxis.x * s, unitAxis.y * s, unitAxis.z * s, std::cos(angle / 2.0f));
}

Matrix4 MatrixOf(const Quaternion& q)
{
    Matrix4 m;
    q.ToMatrix(m);
    return m;
}

void ExpectQuaternion(const Quaternion& q, f32 x, f32 y, f32 z, f32 w)
{
    EXPECT_NEAR(q.x, x, 1e-6f);
    EXPECT_NEAR(q.y, y, 1e-6f);
    EXPECT_NEAR(q.z, z, 1e-6f);
    EXPECT_NEAR(q.w, w, 1e-6f);
}

TEST(QuaternionMath, NormIsTheSquaredLength)
{
    EXPECT_FLOAT_EQ(Quaternion(1.0f, 2.0f, 3.0f, 4.0f).Norm(), 30.0f);
}

TEST(QuaternionMath, ToMatrixMatchesTheAxisRotations)
{
    EXPECT_TRUE(MatrixOf(Quaternion(0.0f, 0.0f, 0.0f, 2.0f)) == IdentityMatrix());
    Matrix4 z;
    MakeRotationZMatrix(z, std::numbers::pi_v<f32> / 2.0f);
    EXPECT_TRUE(MatrixOf(AboutAxis(Vector3(0.0f, 0.0f, 1.0f), std::numbers::pi_v<f32> / 2.0f)) == z);
    Matrix4 axis;
    const Vector3 unit = Vector3(1.0f, 2.0f, -2.0f).GetNormalized();
    MakeRotationAxisMatrix(axis, unit, 0.9f);
    EXPECT_TRUE(MatrixOf(AboutAxis(unit, 0.9f)) == axis);
    // Any non-zero length gives the same rotation.
    const Quaternion q = AboutAxis(unit, 0.9f);
    EXPECT_TRUE(MatrixOf(Quaternion(q.x * 3.0f, q.y * 3.0f, q.z * 3.0f, q.w * 3.0f)) == axis);
}

TEST(QuaternionMath, ZeroQuaternionGivesIdentity)
{
    Matrix4 m = MatrixOf(Quaternion(1.0f, 0.0f, 0.0f, 0.0f));
    Quaternion().ToMatrix(m);
    EXPECT_TRUE(m == IdentityMatrix());
}

TEST(QuaternionMath, ProductRotatesByTheLeftOperandFirst)
{
    const Quaternion a = AboutAxis(Vector3(0.0f, 0.0f, 1.0f), std::numbers::pi_v<f32> / 2.0f);
    const Quaternion q = AboutAxis(Vector3(1.0f, 0.0f, 0.0f), std::numbers::pi_v<f32> / 2.0f);
    const Matrix4 combined = MatrixOf(a * q);
    EXPECT_TRUE(combined == MatrixOf(q) * MatrixOf(a));
    // x turns to y under a, then y to z under q.
    const Vector3 p = combined.TransformPoint(Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 0.0f, 1e-6f);
    EXPECT_NEAR(p.z, 1.0f, 1e-6f);
    // Hand-computed Hamilton product q a of (1, 2, 3, 4) and (5, 6, 7, 8): q = (5, 6, 7, 8).
    ExpectQuaternion(Quaternion(1, 2, 3, 4) * Quaternion(5, 6, 7, 8), 32.0f, 32.0f, 56.0f, -6.0f);
}

TEST(QuaternionMath, SetCopies)
{
    Quaternion q;
    q.Set(Quaternion(1.0f, 2.0f, 3.0f, 4.0f));
    ExpectQuaternion(q, 1.0f, 2.0f, 3.0f, 4.0f);
}

TEST(QuaternionMath, LerpTakesTheShortWayAndDoesNotNormalise)
{
    Quaternion out;
    ExpectQuaternion(LerpQuaternion(out, Quaternion(0, 0, 0, 1), Quaternion(0, 0, 0, -1), 0.5f), 0, 0, 0, 1);
    ExpectQuaternion(out, 0, 0, 0, 1);
    LerpQuaternion(out, Quaternion(0, 0, 0, 1), Quaternion(0, 0, 1, 0), 0.5f);
    ExpectQuaternion(out, 0, 0, 0.5f, 0.5f);
    LerpQuaternion(out, Quaternion(0, 0, 0, 1), Quaternion(0, 0, 1, 0), 2.0f);
    ExpectQuaternion(out, 0, 0, 2.0f, -1.0f);
    Quaternion aliased(1, 0, 0, 0);
    LerpQuaternion(aliased, aliased, Quaternion(0, 1, 0, 0), 0.25f);
    ExpectQuaternion(aliased, 0.75f, 0.25f, 0, 0);
}
}
}
