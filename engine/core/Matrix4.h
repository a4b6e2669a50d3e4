// 4x4 single-precision matrix, row-major (element m[4 * row + column]), acting on column vectors: the
// translation of an affine matrix stands in m[3], m[7] and m[11], and A * B applies B first.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Vector3;
struct Vector4;
struct Ray;

struct Matrix4
{
    f32 m[16] = {};

    Matrix4 operator*(const Matrix4& other) const;

    // The affine part only: the fourth row is ignored and nothing is divided by w.
    Vector3 TransformPoint(const Vector3& point) const;
    void TransformPoint(const Vector3& point, Vector3& out) const;
    Vector4 Transform(const Vector4& v) const;
    Ray TransformRay(const Ray& ray) const;

    // this = this * translation: the translation happens before the matrix's own transform.
    void Translate(const Vector3& offset);
    // A singular matrix has no inverse and is left unchanged.
    void Invert();
    void Transpose();

    bool operator==(const Matrix4& other) const;
};

void MakeIdentityMatrix(Matrix4& out);
// The same matrices as values, for initialisers and products.
Matrix4 IdentityMatrix();
Matrix4 TranslationMatrix(const Vector3& offset);
void MakeTranslationMatrix(Matrix4& out, const Vector3& offset);
// Counter-clockwise about the axis when it points at the viewer; the axis need not be of unit length.
void MakeRotationAxisMatrix(Matrix4& out, const Vector3& axis, f32 angle);
void MakeRotationZMatrix(Matrix4& out, f32 angle);
void MakeRotationYMatrix(Matrix4& out, f32 angle);
void MakeScalingMatrix(Matrix4& out, const Vector3& scale);
Matrix4 ScalingMatrix(const Vector3& scale);
}
