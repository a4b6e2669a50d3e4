// Plane equation operations and the point-in-triangle test.
#include "engine/core/Plane.h"

#include "engine/core/MathTolerance.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// The two coordinates of a point seen along the axis the plane faces most.
struct PlanarPoint
{
    f32 u;
    f32 v;
};

enum class DroppedAxis
{
    X,
    Y,
    Z
};

DroppedAxis ChooseDroppedAxis(const Vector3& n)
{
    const f32 ax = std::fabs(n.x);
    const f32 ay = std::fabs(n.y);
    const f32 az = std::fabs(n.z);
    const f32 largest = std::fmax(ax, std::fmax(ay, az));
    if (std::fabs(largest - ax) < MathTolerance)
        return DroppedAxis::X;
    if (std::fabs(largest - ay) < MathTolerance)
        return DroppedAxis::Y;
    return DroppedAxis::Z;
}

PlanarPoint Flatten(const Vector3& p, DroppedAxis dropped)
{
    switch (dropped)
    {
    case DroppedAxis::X:
        return {p.y, p.z};
    case DroppedAxis::Y:
        return {p.x, p.z};
    case DroppedAxis::Z:
        break;
    }
    return {p.x, p.y};
}
}

Plane& Plane::operator=(const Plane& other)
{
    m_normal = other.m_normal;
    m_d = other.m_d;
    return *this;
}

f32 Plane::Distance(const Vector3& point) const
{
    return m_normal.x * point.x + m_normal.y * point.y + m_normal.z * point.z + m_d;
}

Vector3 Plane::Project(const Vector3& point) const
{
    return point - m_normal * Distance(point);
}

bool Plane::Intersect(const Ray& ray, f32& t) const
{
    const f32 denominator = m_normal.Dot(ray.direction);
    if (std::fabs(denominator) < MathTolerance)
        return false;
    t = -(m_normal.Dot(ray.origin) + m_d) / denominator;
    return t > 0.0f;
}

void Plane::Normalize()
{
    const f32 length = m_normal.Length();
    if (std::fabs(length) < MathTolerance)
        return;
    m_normal.x /= length;
    m_normal.y /= length;
    m_normal.z /= length;
    m_d /= length;
}

void Plane::Set(f32 a, f32 b, f32 c, f32 d)
{
    m_normal = Vector3(a, b, c);
    m_d = d;
    Normalize();
}

void Plane::SetFromNormalAndPoint(const Vector3& normal, const Vector3& point)
{
    m_normal = normal;
    m_d = -normal.Dot(point);
    Normalize();
}

void Plane::SetFromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2)
{
    const Vector3 normal = (p1 - p0).Cross(p2 - p0);
    m_normal = normal;
    m_d = -normal.Dot(p0);
    Normalize();
}

void Plane::SetFromTriangle(const Vector3* triangle)
{
    SetFromPoints(triangle[0], triangle[1], triangle[2]);
}

bool IsPointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c,
                       const Vector3& point)
{
    const DroppedAxis dropped = ChooseDroppedAxis(plane.GetNormal());
    const PlanarPoint q = Flatten(point - a, dropped);
    const PlanarPoint e = Flatten(b - a, dropped);
    const PlanarPoint f = Flatten(c - a, dropped);

    f32 s = 0.0f;
    f32 t = 0.0f;
    if (std::fabs(e.u) >= MathTolerance)
    {
        t = (q.v * e.u - q.u * e.v) / (f.v * e.u - f.u * e.v);
        if (t < 0.0f || t > 1.0f)
            return false;
        s = (q.u - t * f.u) / e.u;
    }
    else
    {
        t = q.u / f.u;
        if (t < 0.0f || t > 1.0f)
            return false;
        s = (q.v - t * f.v) / e.v;
    }
    if (s < 0.0f)
        return false;
    return s + t <= 1.0f;
}
}
