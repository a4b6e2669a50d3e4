// Matrix products, transforms, inversion and the builders of the common matrices.
#include "engine/core/Matrix4.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

#include <cmath>
#include <utility>

namespace VelkorEngine
{
namespace
{
// The first eight cofactors of the inverse come from pair products of the transpose's last two rows;
// the last eight from those of its first two rows, with the roles of the row pairs swapped.
void PairProducts(const f32* src, int firstRow, f32 pairs[12])
{
    const f32* a = src + 4 * firstRow;
    const f32* b = a + 4;
    pairs[0] = a[2] * b[3];
    pairs[1] = a[3] * b[2];
    pairs[2] = a[1] * b[3];
    pairs[3] = a[3] * b[1];
    pairs[4] = a[1] * b[2];
    pairs[5] = a[2] * b[1];
    pairs[6] = a[0] * b[3];
    pairs[7] = a[3] * b[0];
    pairs[8] = a[0] * b[2];
    pairs[9] = a[2] * b[0];
    pairs[10] = a[0] * b[1];
    pairs[11] = a[1] * b[0];
}

// Four cofactors from one row of the transpose (row) and the pair products of the other two rows.
void CofactorsOfRow(const f32 p[12], const f32* row, f32* out)
{
    out[0] = (p[0] * row[1] + p[3] * row[2] + p[4] * row[3]) - (p[1] * row[1] + p[2] * row[2] + p[5] * row[3]);
    out[1] = (p[1] * row[0] + p[6] * row[2] + p[9] * row[3]) - (p[0] * row[0] + p[7] * row[2] + p[8] * row[3]);
    out[2] = (p[2] * row[0] + p[7] * row[1] + p[10] * row[3]) - (p[3] * row[0] + p[6] * row[1] + p[11] * row[3]);
    out[3] = (p[5] * row[0] + p[8] * row[1] + p[11] * row[2]) - (p[4] * row[0] + p[9] * row[1] + p[10] * row[2]);
}
}

Matrix4 Matrix4::operator*(const Matrix4& other) const
{
    Matrix4 result;
    for (int row = 0; row < 4; ++row)
    {
        for (int column = 0; column < 4; ++column)
        {
            f32 sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m[4 * row + k] * other.m[4 * k + column];
            result.m[4 * row + column] = sum;
        }
    }
    return result;
}

Vector3 Matrix4::TransformPoint(const Vector3& point) const
{
    return Vector3(m[0] * point.x + m[1] * point.y + m[2] * point.z + m[3],
                   m[4] * point.x + m[5] * point.y + m[6] * point.z + m[7],
                   m[8] * point.x + m[9] * point.y + m[10] * point.z + m[11]);
}

void Matrix4::TransformPoint(const Vector3& point, Vector3& out) const
{
    out = TransformPoint(point);
}

Vector4 Matrix4::Transform(const Vector4& v) const
{
    const auto row = [&](int i)
    { return m[4 * i] * v.x + m[4 * i + 1] * v.y + m[4 * i + 2] * v.z + m[4 * i + 3] * v.w; };
    return Vector4(row(0), row(1), row(2), row(3));
}

Ray Matrix4::TransformRay(const Ray& ray) const
{
    const Vector3 origin = TransformPoint(ray.origin);
    const Vector3 end = TransformPoint(ray.origin + ray.direction);
    return Ray(origin, end - origin);
}

void Matrix4::Translate(const Vector3& offset)
{
    Matrix4 translation;
    MakeTranslationMatrix(translation, offset);
    *this = *this * translation;
}

void Matrix4::Invert()
{
    Matrix4 transposed = *this;
    transposed.Transpose();
    const f32* src = transposed.m;

    f32 cofactors[16];
    f32 pairs[12];
    PairProducts(src, 2, pairs);
    CofactorsOfRow(pairs, src + 4, cofactors);
    CofactorsOfRow(pairs, src, cofactors + 4);
    for (int i = 4; i < 8; ++i)
        cofactors[i] = -cofactors[i];
    PairProducts(src, 0, pairs);
    CofactorsOfRow(pairs, src + 12, cofactors + 8);
    CofactorsOfRow(pairs, src + 8, cofactors + 12);
    for (int i = 12; i < 16; ++i)
        cofactors[i] = -cofactors[i];

    const f32 determinant =
        src[0] * cofactors[0] + src[1] * cofactors[1] + src[2] * cofactors[2] + src[3] * cofactors[3];
    if (determinant == 0.0f)
        return;
    const f32 scale = 1.0f / determinant;
    for (int i = 0; i < 16; ++i)
        m[i] = cofactors[i] * scale;
}

void Matrix4::Transpose()
{
    for (int row = 0; row < 4; ++row)
    {
        for (int column = row + 1; column < 4; ++column)
            std::swap(m[4 * row + column], m[4 * column + row]);
    }
}

bool Matrix4::operator==(const Matrix4& other) const
{
    for (int i = 0; i < 16; ++i)
    {
        if (std::fabs(m[i] - other.m[i]) > MathTolerance)
            return false;
    }
    return true;
}

void MakeIdentityMatrix(Matrix4& out)
{
    out = Matrix4();
    out.m[0] = out.m[5] = out.m[10] = out.m[15] = 1.0f;
}

void MakeTranslationMatrix(Matrix4& out, const Vector3& offset)
{
    MakeIdentityMatrix(out);
    out.m[3] = offset.x;
    out.m[7] = offset.y;
    out.m[11] = offset.z;
}

Matrix4 IdentityMatrix()
{
    Matrix4 m;
    MakeIdentityMatrix(m);
    return m;
}

Matrix4 TranslationMatrix(const Vector3& offset)
{
    Matrix4 m;
    MakeTranslationMatrix(m, offset);
    return m;
}

void MakeRotationAxisMatrix(Matrix4& out, const Vector3& axis, f32 angle)
{
    MakeIdentityMatrix(out);
    const Vector3 unit = axis.GetNormalized();
    const f32 c = std::cos(angle);
    const f32 s = std::sin(angle);
    const f32 t = 1.0f - c;
    const f32 x = unit.x;
    const f32 y = unit.y;
    const f32 z = unit.z;
    out.m[0] = t * x * x + c;
    out.m[1] = t * x * y - s * z;
    out.m[2] = t * x * z + s * y;
    out.m[4] = t * x * y + s * z;
    out.m[5] = t * y * y + c;
    out.m[6] = t * y * z - s * x;
    out.m[8] = t * x * z - s * y;
    out.m[9] = t * y * z + s * x;
    out.m[10] = t * z * z + c;
}

void MakeRotationZMatrix(Matrix4& out, f32 angle)
{
    MakeIdentityMatrix(out);
    out.m[0] = std::cos(angle);
    out.m[1] = -std::sin(angle);
    out.m[4] = std::sin(angle);
    out.m[5] = std::cos(angle);
}

void MakeRotationYMatrix(Matrix4& out, f32 angle)
{
    MakeIdentityMatrix(out);
    out.m[0] = std::cos(angle);
    out.m[2] = std::sin(angle);
    out.m[8] = -std::sin(angle);
    out.m[10] = std::cos(angle);
}

void MakeScalingMatrix(Matrix4& out, const Vector3& scale)
{
    out = Matrix4();
    out.m[0] = scale.x;
    out.m[5] = scale.y;
    out.m[10] = scale.z;
    out.m[15] = 1.0f;
}

Matrix4 ScalingMatrix(const Vector3& scale)
{
    Matrix4 result;
    MakeScalingMatrix(result, scale);
    return result;
}
}
