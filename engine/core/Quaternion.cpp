// Quaternion products, blending and conversion to a rotation matrix.
#include "engine/core/Quaternion.h"

#include "engine/core/Matrix4.h"

namespace VelkorEngine
{
f32 Quaternion::Norm() const
{
    return x * x + y * y + z * z + w * w;
}

void Quaternion::ToMatrix(Matrix4& out) const
{
    MakeIdentityMatrix(out);
    const f32 norm = Norm();
    if (norm == 0.0f)
        return;
    const f32 s = 2.0f / norm;
    const f32 xs = x * s;
    const f32 ys = y * s;
    const f32 zs = z * s;
    out.m[0] = 1.0f - (y * ys + z * zs);
    out.m[1] = x * ys - w * zs;
    out.m[2] = x * zs + w * ys;
    out.m[4] = x * ys + w * zs;
    out.m[5] = 1.0f - (x * xs + z * zs);
    out.m[6] = y * zs - w * xs;
    out.m[8] = x * zs - w * ys;
    out.m[9] = y * zs + w * xs;
    out.m[10] = 1.0f - (x * xs + y * ys);
}

Quaternion Quaternion::operator*(const Quaternion& q) const
{
    return Quaternion(q.w * x + w * q.x + (q.y * z - q.z * y),
                      q.w * y + w * q.y + (q.z * x - q.x * z),
                      q.w * z + w * q.z + (q.x * y - q.y * x),
                      q.w * w - (q.x * x + q.y * y + q.z * z));
}

void Quaternion::Set(const Quaternion& q)
{
    *this = q;
}

Quaternion& LerpQuaternion(Quaternion& out, const Quaternion& a, const Quaternion& b, f32 t)
{
    const f32 dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    const f32 sign = dot < 0.0f ? -1.0f : 1.0f;
    const f32 u = 1.0f - t;
    out = Quaternion(u * a.x + t * sign * b.x, u * a.y + t * sign * b.y, u * a.z + t * sign * b.z,
                     u * a.w + t * sign * b.w);
    return out;
}
}
