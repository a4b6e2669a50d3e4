// Matrix builders, products, transforms and inversion against hand-computed values.
#include "engine/core/Matrix4.h"

#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"
#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace VelkorEngine
{
namespace
{

constexpr f32 HalfPi = std::numbers::pi_v<f32> / 2.0f;

Matrix4 FromRows(std::initializer_list<f32> values)
{
    Matrix4 result;
    std::copy(values.begin(), values.end(), result.m);
    return result;
}

void ExpectNear(const Vector3& v, f32 x, f32 y, f32 z)
{
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

const Matrix4 General = FromRows({2, 0, 1, 3, 1, 3, 0, -1, 0, 1, 4, 2, 0, 0, 0, 1});

TEST(Matrix4Math, IdentityIsNeutral)
{
    EXPECT_TRUE(IdentityMatrix() * General == General);
    EXPECT_TRUE(General * IdentityMatrix() == General);
    Matrix4 overwritten = General;
    MakeIdentityMatrix(overwritten);
    EXPECT_TRUE(overwritten == IdentityMatrix());
}

TEST(Matrix4Math, ProductAgainstHandComputedValues)
{
    const Matrix4 a = FromRows({1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    const Matrix4 b = FromRows({1, 0, 0, 5, 0, 1, 0, 7, 0, 0, 1, 0, 3, 0, 0, 1});
    const Matrix4 expected = FromRows({1, 2, 0, 19, 0, 1, 0, 7, 0, 0, 1, 0, 3, 0, 0, 1});
    EXPECT_TRUE(a * b == expected);
    EXPECT_FALSE(b * a == expected);
}

TEST(Matrix4Math, TranslationMovesPointsNotDirections)
{
    Matrix4 t;
    MakeTranslationMatrix(t, Vector3(1.0f, 2.0f, 3.0f));
    ExpectNear(t.TransformPoint(Vector3()), 1.0f, 2.0f, 3.0f);
    Vector3 out;
    t.TransformPoint(Vector3(1.0f, 1.0f, 1.0f), out);
    ExpectNear(out, 2.0f, 3.0f, 4.0f);
    const Vector4 direction = t.Transform(Vector4(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(direction.x, 0.0f);
    EXPECT_EQ(direction.y, 0.0f);
    EXPECT_EQ(direction.z, 0.0f);
    EXPECT_EQ(direction.w, 0.0f);
}

TEST(Matrix4Math, TransformUsesAllFourRowsButTransformPointOnlyThree)
{
    const Matrix4 projective = FromRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0});
    const Vector4 v = projective.Transform(Vector4(1.0f, 2.0f, 3.0f, 1.0f));
    EXPECT_FLOAT_EQ(v.w, 3.0f);
    ExpectNear(projective.TransformPoint(Vector3(1.0f, 2.0f, 3.0f)), 1.0f, 2.0f, 3.0f);
}

TEST(Matrix4Math, RotationsTurnCounterClockwise)
{
    Matrix4 z;
    MakeRotationZMatrix(z, HalfPi);
    ExpectNear(z.TransformPoint(Vector3(1.0f, 0.0f, 0.0f)), 0.0f, 1.0f, 0.0f);
    Matrix4 y;
    MakeRotationYMatrix(y, HalfPi);
    ExpectNear(y.TransformPoint(Vector3(0.0f, 0.0f, 1.0f)), 1.0f, 0.0f, 0.0f);

    Matrix4 axisZ;
    MakeRotationAxisMatrix(axisZ, Vector3(0.0f, 0.0f, 1.0f), 0.7f);
    Matrix4 longAxisZ;
    MakeRotationAxisMatrix(longAxisZ, Vector3(0.0f, 0.0f, 5.0f), 0.7f);
    Matrix4 specialZ;
    MakeRotationZMatrix(specialZ, 0.7f);
    EXPECT_TRUE(axisZ == longAxisZ);
    EXPECT_TRUE(axisZ == specialZ);
    Matrix4 axisY;
    MakeRotationAxisMatrix(axisY, Vector3(0.0f, 2.0f, 0.0f), -1.3f);
    Matrix4 specialY;
    MakeRotationYMatrix(specialY, -1.3f);
    EXPECT_TRUE(axisY == specialY);

    // A third of a turn about (1, 1, 1) cycles the axes.
    Matrix4 diagonal;
    MakeRotationAxisMatrix(diagonal, Vector3(1.0f, 1.0f, 1.0f), 2.0f * std::numbers::pi_v<f32> / 3.0f);
    ExpectNear(diagonal.TransformPoint(Vector3(1.0f, 0.0f, 0.0f)), 0.0f, 1.0f, 0.0f);
}

TEST(Matrix4Math, Scaling)
{
    const Matrix4 s = ScalingMatrix(Vector3(2.0f, 3.0f, 4.0f));
    EXPECT_TRUE(s == FromRows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}));
    Matrix4 made = General;
    MakeScalingMatrix(made, Vector3(2.0f, 3.0f, 4.0f));
    EXPECT_TRUE(made == s);
}

TEST(Matrix4Math, TranslateAppliesTheOffsetFirst)
{
    Matrix4 r;
    MakeRotationZMatrix(r, HalfPi);
    Matrix4 translated = r;
    translated.Translate(Vector3(1.0f, 0.0f, 0.0f));
    Matrix4 t;
    MakeTranslationMatrix(t, Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(translated == r * t);
    EXPECT_NEAR(translated.m[3], 0.0f, 1e-6f);
    EXPECT_NEAR(translated.m[7], 1.0f, 1e-6f);
}

TEST(Matrix4Math, TransformRayMovesOnlyTheOrigin)
{
    Matrix4 m;
    MakeRotationZMatrix(m, HalfPi);
    m.m[3] = 10.0f;
    const Ray ray = m.TransformRay(Ray(Vector3(1.0f, 0.0f, 0.0f), Vector3(2.0f, 0.0f, 0.0f)));
    ExpectNear(ray.origin, 10.0f, 1.0f, 0.0f);
    ExpectNear(ray.direction, 0.0f, 2.0f, 0.0f);
}

TEST(Matrix4Math, Transpose)
{
    Matrix4 m = General;
    m.Transpose();
    EXPECT_TRUE(m == FromRows({2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 4, 0, 3, -1, 2, 1}));
}

TEST(Matrix4Math, InvertTranslationAndGeneralMatrices)
{
    Matrix4 t;
    MakeTranslationMatrix(t, Vector3(1.0f, 2.0f, 3.0f));
    t.Invert();
    Matrix4 back;
    MakeTranslationMatrix(back, Vector3(-1.0f, -2.0f, -3.0f));
    EXPECT_TRUE(t == back);

    // Every element differs from its neighbours so a swapped cofactor would show.
    const Matrix4 dense = FromRows({4, 7, 2, 3, 0, 5, 1, 8, 6, 2, 9, 1, 3, 4, 2, 7});
    for (const Matrix4& original : {General, dense})
    {
        Matrix4 inverse = original;
        inverse.Invert();
        EXPECT_TRUE(original * inverse == IdentityMatrix());
        EXPECT_TRUE(inverse * original == IdentityMatrix());
        inverse.Invert();
        EXPECT_TRUE(inverse == original);
    }

    // Hand-computed: the inverse of General's linear part has determinant 25.
    Matrix4 inverse = General;
    inverse.Invert();
    EXPECT_NEAR(inverse.m[0], 12.0f / 25.0f, 1e-6f);
    EXPECT_NEAR(inverse.m[1], 1.0f / 25.0f, 1e-6f);
    EXPECT_NEAR(inverse.m[2], -3.0f / 25.0f, 1e-6f);
}

TEST(Matrix4Math, SingularMatrixIsLeftUnchanged)
{
    const Matrix4 singular = FromRows({1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1});
    Matrix4 m = singular;
    m.Invert();
    EXPECT_TRUE(m == singular);
    Matrix4 zero;
    zero.Invert();
    EXPECT_TRUE(zero == Matrix4());
}

TEST(Matrix4Math, EqualityHasTolerance)
{
    Matrix4 shifted = General;
    for (f32& element : shifted.m)
        element += 0.00005f;
    EXPECT_TRUE(shifted == General);
    shifted.m[15] += 0.0002f;
    EXPECT_FALSE(shifted == General);
}
}
}
