// Vector arithmetic, normalisation at the tolerance boundary, and the approximate inequality.
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

#include <gtest/gtest.h>

namespace VelkorEngine
{
namespace
{
void ExpectVector(const Vector3& v, f32 x, f32 y, f32 z)
{
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vector3Math, Arithmetic)
{
    const Vector3 a(1.0f, 2.0f, 3.0f);
    const Vector3 b(4.0f, -5.0f, 6.0f);
    ExpectVector(a + b, 5.0f, -3.0f, 9.0f);
    ExpectVector(a - b, -3.0f, 7.0f, -3.0f);
    ExpectVector(a * 2.0f, 2.0f, 4.0f, 6.0f);
    ExpectVector(b / 2.0f, 2.0f, -2.5f, 3.0f);
    ExpectVector(a.MultiplyComponents(b), 4.0f, -10.0f, 18.0f);
    ExpectVector(b.DivideComponents(a), 4.0f, -2.5f, 2.0f);
    EXPECT_FLOAT_EQ(a.Dot(b), 12.0f);
    ExpectVector(Vector3(1, 0, 0).Cross(Vector3(0, 1, 0)), 0, 0, 1);
    ExpectVector(a.Cross(b), 27.0f, 6.0f, -13.0f);

    Vector3 c = a;
    c += b;
    c -= Vector3(1.0f);
    c /= 2.0f;
    ExpectVector(c, 2.0f, -2.0f, 4.0f);
    c.MultiplyComponentsInPlace(Vector3(2.0f, 3.0f, 0.5f));
    ExpectVector(c, 4.0f, -6.0f, 2.0f);
    c.DivideComponentsInPlace(Vector3(4.0f, -6.0f, 2.0f));
    ExpectVector(c, 1.0f, 1.0f, 1.0f);
    ExpectVector(Vector3(Vector2(7.0f, 8.0f)), 7.0f, 8.0f, 0.0f);
}

TEST(Vector3Math, SetLengthLeavesTinyVectorsAlone)
{
    Vector3 v(3.0f, 4.0f, 0.0f);
    EXPECT_FLOAT_EQ(v.Length(), 5.0f);
    v.SetLength(1.0f);
    ExpectVector(v, 0.6f, 0.8f, 0.0f);
    v.SetLength(10.0f);
    ExpectVector(v, 6.0f, 8.0f, 0.0f);

    Vector3 tiny(0.00005f, 0.0f, 0.0f);
    tiny.SetLength(1.0f);
    ExpectVector(tiny, 0.00005f, 0.0f, 0.0f);
    ExpectVector(Vector3().GetNormalized(), 0.0f, 0.0f, 0.0f);
    ExpectVector(Vector3(0.0f, 0.0f, 5.0f).GetNormalized(), 0.0f, 0.0f, 1.0f);
}

TEST(Vector3Math, InequalityHasTolerance)
{
    const Vector3 a(1.0f, 1.0f, 1.0f);
    EXPECT_FALSE(a != Vector3(1.0f, 1.0f, 1.00009f));
    EXPECT_TRUE(a != Vector3(1.0f, 1.0f, 1.0002f));
    EXPECT_TRUE(a != Vector3(0.9998f, 1.0f, 1.0f));
}

TEST(Vector2Math, InPlaceOperations)
{
    Vector2 v(6.0f, 8.0f);
    v += Vector2(2.0f, 4.0f);
    v /= 2.0f;
    EXPECT_FLOAT_EQ(v.x, 4.0f);
    EXPECT_FLOAT_EQ(v.y, 6.0f);
    v.MultiplyComponents(Vector2(0.5f, 2.0f)).DivideComponents(Vector2(2.0f, 3.0f));
    EXPECT_FLOAT_EQ(v.x, 1.0f);
    EXPECT_FLOAT_EQ(v.y, 4.0f);
    v = Vector2(3.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.Length(), 5.0f);
    v.SetLength(1.0f);
    EXPECT_FALSE(v != Vector2(0.6f, 0.8f));
    Vector2 tiny(0.0f, 0.00005f);
    tiny.SetLength(1.0f);
    EXPECT_FLOAT_EQ(tiny.y, 0.00005f);
    EXPECT_TRUE(Vector2(1.0f, 1.0f) != Vector2(1.0f, 1.0002f));
}

TEST(Vector4Math, PointAndDot)
{
    const Vector4 p(Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_FLOAT_EQ(p.w, 1.0f);
    EXPECT_FLOAT_EQ(p.Dot(Vector4(1.0f, 1.0f, 1.0f, 10.0f)), 16.0f);
}
}
}
