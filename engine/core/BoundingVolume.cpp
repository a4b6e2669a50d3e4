// Bounding volume construction, transforms, merges and overlap tests.
#include "engine/core/BoundingVolume.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr f32 kFarBound = 100000.0f;

Vector3 ComponentMin(const Vector3& a, const Vector3& b)
{
    return Vector3(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

Vector3 ComponentMax(const Vector3& a, const Vector3& b)
{
    return Vector3(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}
}

BoundingVolume::BoundingVolume()
    : m_minimum(0.0f), m_maximum(0.0f), m_transform(IdentityMatrix()), m_secondMatrix(IdentityMatrix()),
      m_worldMinimum(0.0f), m_worldMaximum(0.0f), m_center(0.0f), m_halfExtents(0.0f)
{
}

BoundingVolume::BoundingVolume(const Vector3& minimum, const Vector3& maximum) : BoundingVolume()
{
    SetBox(minimum, maximum);
}

BoundingVolume::BoundingVolume(u32 count, const Vector3* points) : BoundingVolume()
{
    SetFromPoints(count, points);
}

void BoundingVolume::SetBox(const Vector3& minimum, const Vector3& maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    RebuildWithoutTransform();
}

void BoundingVolume::SetFromPoints(u32 count, const Vector3* points)
{
    m_minimum = Vector3(kFarBound);
    m_maximum = Vector3(-kFarBound);
    for (u32 i = 0; i < count; ++i)
    {
        m_minimum = ComponentMin(m_minimum, points[i]);
        m_maximum = ComponentMax(m_maximum, points[i]);
    }
    RebuildWithoutTransform();
}

void BoundingVolume::SetTransform(const Matrix4& transform)
{
    m_transform = transform;
    RebuildWithTransform();
}

void BoundingVolume::Merge(const BoundingVolume& other)
{
    m_minimum = ComponentMin(m_worldMinimum, other.m_worldMinimum);
    m_maximum = ComponentMax(m_worldMaximum, other.m_worldMaximum);
    RebuildWithoutTransform();
}

BoundingVolume BoundingVolume::GetScaled(f32 factor) const
{
    const Vector3 scaled = m_halfExtents * factor;
    return BoundingVolume(m_center - scaled, m_center + scaled);
}

bool BoundingVolume::Intersects(const BoundingVolume& other) const
{
    const Vector3 d = other.m_center - m_center;
    const Vector3 reach = m_halfExtents + other.m_halfExtents;
    return std::fabs(d.x) <= reach.x && std::fabs(d.y) <= reach.y && std::fabs(d.z) <= reach.z;
}

bool BoundingVolume::IntersectsSegment(const Ray& segment) const
{
    const Vector3 middle = segment.origin + segment.direction * 0.5f;
    const Vector3 w = segment.direction.GetNormalized();
    const f32 h = segment.direction.Length() * 0.5f;
    const Vector3 t = m_center - middle;
    const Vector3& e = m_halfExtents;

    if (std::fabs(t.x) > h * std::fabs(w.x) + e.x)
        return false;
    if (std::fabs(t.y) > h * std::fabs(w.y) + e.y)
        return false;
    if (std::fabs(t.z) > h * std::fabs(w.z) + e.z)
        return false;
    if (std::fabs(w.z * t.y - w.y * t.z) > e.y * std::fabs(w.z) + e.z * std::fabs(w.y))
        return false;
    if (std::fabs(w.x * t.z - w.z * t.x) > e.x * std::fabs(w.z) + e.z * std::fabs(w.x))
        return false;
    if (std::fabs(w.y * t.x - w.x * t.y) > e.x * std::fabs(w.y) + e.y * std::fabs(w.x))
        return false;
    return true;
}

void BoundingVolume::RebuildWithTransform()
{
    m_worldMinimum = Vector3(kFarBound);
    m_worldMaximum = Vector3(-kFarBound);
    for (u32 corner = 0; corner < 8; ++corner)
    {
        const Vector3 local((corner & 1) ? m_maximum.x : m_minimum.x, (corner & 2) ? m_maximum.y : m_minimum.y,
                            (corner & 4) ? m_maximum.z : m_minimum.z);
        const Vector3 world = m_transform.TransformPoint(local);
        m_worldMinimum = ComponentMin(m_worldMinimum, world);
        m_worldMaximum = ComponentMax(m_worldMaximum, world);
    }
    DeriveSphere();
}

void BoundingVolume::RebuildWithoutTransform()
{
    m_transform = IdentityMatrix();
    m_secondMatrix = IdentityMatrix();
    m_worldMinimum = m_minimum;
    m_worldMaximum = m_maximum;
    DeriveSphere();
}

void BoundingVolume::DeriveSphere()
{
    m_halfExtents = (m_worldMaximum - m_worldMinimum) * 0.5f;
    m_center = m_worldMinimum + m_halfExtents;
    m_radius = m_halfExtents.Length();
}

void LerpBoundingVolume(BoundingVolume& out, const BoundingVolume& a, const BoundingVolume& b, f32 t)
{
    const Vector3 center = a.GetCenter() * (1.0f - t) + b.GetCenter() * t;
    const Vector3 extents = a.GetHalfExtents() * (1.0f - t) + b.GetHalfExtents() * t;
    out = BoundingVolume(center - extents, center + extents);
}
}
