// Frustum planes taken from the combined view and projection matrix.
#include "engine/render/Frustum.h"

#include "engine/core/BoundingVolume.h"

namespace VelkorEngine
{
namespace
{
struct Column
{
    f32 x, y, z, w;
};

// Column c of a row-vector matrix: the weights of one clip coordinate.
Column ColumnOf(const Matrix4& m, u32 c)
{
    return {m.m[c], m.m[4 + c], m.m[8 + c], m.m[12 + c]};
}

void SetSum(Plane& plane, const Column& a, const Column& b, f32 sign)
{
    plane.Set(a.x + sign * b.x, a.y + sign * b.y, a.z + sign * b.z, a.w + sign * b.w);
}
}

void Frustum::Update(const Matrix4& projection, const Matrix4& view)
{
    const Matrix4 m = view * projection;
    const Column c0 = ColumnOf(m, 0);
    const Column c1 = ColumnOf(m, 1);
    const Column c2 = ColumnOf(m, 2);
    const Column c3 = ColumnOf(m, 3);
    SetSum(m_planes[PlaneRight], c3, c0, -1.0f);
    SetSum(m_planes[PlaneLeft], c3, c0, 1.0f);
    SetSum(m_planes[PlaneBottom], c3, c1, 1.0f);
    SetSum(m_planes[PlaneTop], c3, c1, -1.0f);
    SetSum(m_planes[PlaneFar], c3, c2, -1.0f);
    SetSum(m_planes[PlaneNear], c3, c2, 1.0f);
}

bool Frustum::IsSphereInside(const BoundingVolume& volume) const
{
    for (const Plane& plane : m_planes)
    {
        if (plane.Distance(volume.GetCenter()) <= -volume.GetRadius())
            return false;
    }
    return true;
}
}
