// An axis-aligned box in local coordinates with a local-to-world transform, and the world box, centre,
// half extents and bounding-sphere radius derived from them.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Ray.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class BoundingVolume
{
public:
    // Boxes, centre and half extents zero; the matrices are the identity and the radius zero, so an
    // unset volume is a point at the origin.
    BoundingVolume();
    BoundingVolume(const BoundingVolume& other) = default;
    BoundingVolume& operator=(const BoundingVolume& other) = default;
    BoundingVolume(const Vector3& minimum, const Vector3& maximum);
    BoundingVolume(u32 count, const Vector3* points);

    void SetBox(const Vector3& minimum, const Vector3& maximum);
    // With no points the box stays inverted (minimum 100000, maximum -100000).
    void SetFromPoints(u32 count, const Vector3* points);
    void SetTransform(const Matrix4& transform);
    const Matrix4& GetTransform() const { return m_transform; }

    // The world box around both volumes, untransformed.
    void Merge(const BoundingVolume& other);
    BoundingVolume GetScaled(f32 factor) const;
    // Boxes that touch intersect.
    bool Intersects(const BoundingVolume& other) const;
    // The segment from the ray's origin to origin + direction against the world box.
    bool IntersectsSegment(const Ray& segment) const;

    const Vector3& GetMinimum() const { return m_minimum; }
    const Vector3& GetMaximum() const { return m_maximum; }
    const Vector3& GetWorldMinimum() const { return m_worldMinimum; }
    const Vector3& GetWorldMaximum() const { return m_worldMaximum; }
    const Vector3& GetCenter() const { return m_center; }
    const Vector3& GetHalfExtents() const { return m_halfExtents; }
    f32 GetRadius() const { return m_radius; }

private:
    void RebuildWithTransform();
    void RebuildWithoutTransform();
    void DeriveSphere();

    Vector3 m_minimum;
    Vector3 m_maximum;
    Matrix4 m_transform;
    Matrix4 m_secondMatrix;
    Vector3 m_worldMinimum;
    Vector3 m_worldMaximum;
    Vector3 m_center;
    Vector3 m_halfExtents;
    f32 m_radius = 0.0f;
};

// The volume whose centre and half extents are blended between a and b; untransformed.
void LerpBoundingVolume(BoundingVolume& out, const BoundingVolume& a, const BoundingVolume& b, f32 t);
}
