// A plane a·x + b·y + c·z + d = 0, kept normalised, with distance, projection and ray intersection;
// and the point-in-triangle test that the hit tests and the collision world build on.
#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class Plane
{
public:
    // a = b = c = 0; d starts at 0 too, so an unset plane reads as nothing rather than as garbage.
    Plane() = default;
    Plane(const Plane& other) = default;
    virtual ~Plane() = default;

    Plane& operator=(const Plane& other);

    f32 GetA() const { return m_normal.x; }
    f32 GetB() const { return m_normal.y; }
    f32 GetC() const { return m_normal.z; }
    f32 GetD() const { return m_d; }
    const Vector3& GetNormal() const { return m_normal; }

    // Signed distance of the point (exact when the plane is normalised).
    f32 Distance(const Vector3& point) const;
    Vector3 Project(const Vector3& point) const;
    // t in units of the ray's direction; true only for t > 0. A parallel ray leaves t unwritten.
    bool Intersect(const Ray& ray, f32& t) const;

    void Normalize();
    void Set(f32 a, f32 b, f32 c, f32 d);
    void SetFromNormalAndPoint(const Vector3& normal, const Vector3& point);
    void SetFromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2);
    void SetFromTriangle(const Vector3* triangle);

private:
    Vector3 m_normal{0.0f, 0.0f, 0.0f};
    f32 m_d = 0.0f;
};

// For a point lying in the triangle's plane: true when it is inside, edges and corners included.
bool IsPointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c,
                       const Vector3& point);
}
