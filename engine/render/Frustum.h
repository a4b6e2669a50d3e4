// The six clipping planes of a camera, for culling bounding spheres before drawing.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Plane.h"

namespace VelkorEngine
{
class BoundingVolume;

class Frustum
{
public:
    enum PlaneIndex
    {
        PlaneRight = 0,
        PlaneLeft,
        PlaneBottom,
        PlaneTop,
        PlaneFar,
        PlaneNear,
        PlaneCount
    };

    virtual ~Frustum() = default;

    // Both matrices in the row-vector layout the cameras keep (translation in elements 12 to 14).
    void Update(const Matrix4& projection, const Matrix4& view);
    // A sphere that only touches a plane from outside is outside.
    bool IsSphereInside(const BoundingVolume& volume) const;

    const Plane& GetPlane(u32 index) const { return m_planes[index]; }

private:
    Plane m_planes[PlaneCount];
};
}
