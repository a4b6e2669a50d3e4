// Sphere sweeps against the triangles of the objects near the motion: embedded, face, edge and vertex contacts
// on a unit sphere, the earliest ones kept.
#include "game/play/Physics.h"

#include "engine/core/Engine.h"
#include "engine/core/MathTolerance.h"
#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr f32 kEpsilon = MathTolerance;
// The broad phase of a box ignores height: a block is met at whatever height the ball rolls.
constexpr f32 kBoxHeightReach = 1000.0f;
constexpr f32 kSweptBoxGrowth = 1.1f;

// Twelve triangles over the corners of a box (corner index = x | y << 1 | z << 2, bit set = maximum), each
// wound so that cross(p1 - p0, p2 - p0) points out of the box.
constexpr u32 kBoxTriangles[12][3] = {
    {0, 4, 6}, {0, 6, 2}, // -x
    {1, 3, 7}, {1, 7, 5}, // +x
    {0, 1, 5}, {0, 5, 4}, // -y
    {2, 6, 7}, {2, 7, 3}, // +y
    {0, 2, 3}, {0, 3, 1}, // -z
    {4, 5, 7}, {4, 7, 6}, // +z
};

Vector3 BoxCorner(const Vector3& minimum, const Vector3& maximum, u32 corner)
{
    return Vector3((corner & 1) != 0 ? maximum.x : minimum.x, (corner & 2) != 0 ? maximum.y : minimum.y,
                   (corner & 4) != 0 ? maximum.z : minimum.z);
}

BoundingVolume SweptBox(f32 radius, const Vector3& position, const Vector3& motion)
{
    const Vector3 reach(radius);
    const Vector3 end = position + motion;
    const Vector3 minimum(std::fmin(position.x, end.x), std::fmin(position.y, end.y), std::fmin(position.z, end.z));
    const Vector3 maximum(std::fmax(position.x, end.x), std::fmax(position.y, end.y), std::fmax(position.z, end.z));
    return BoundingVolume(minimum - reach, maximum + reach).GetScaled(kSweptBoxGrowth);
}

u32 ReadIndex(const IndexBuffer& indices, u32 position)
{
    const u8* data = indices.GetData();
    if (indices.Is32Bit() != 0)
    {
        u32 index;
        std::memcpy(&index, data + 4 * static_cast<size_t>(position), sizeof(index));
        return index;
    }
    u16 index;
    std::memcpy(&index, data + 2 * static_cast<size_t>(position), sizeof(index));
    return index;
}

Vector3 ReadPosition(const VertexBuffer& vertices, u32 index)
{
    f32 values[3];
    std::memcpy(values, vertices.GetData() + static_cast<size_t>(vertices.GetStride()) * index, sizeof(values));
    return Vector3(values[0], values[1], values[2]);
}

Plane PlaneInWorldUnits(const Plane& scaled, f32 scale)
{
    Plane plane;
    plane.Set(scaled.GetA(), scaled.GetB(), scaled.GetC(), scaled.GetD() * scale);
    return plane;
}
}

Physics::Physics(Engine* engine) : Physics(engine->GetMessageManager())
{
    m_owner = engine;
}

Physics::Physics(MessageManager* messages)
    : m_messages(messages), m_objects(MaxObjects), m_vertices(3 * MaxTriangles), m_planes(MaxTriangles),
      m_triangleIds(MaxTriangles)
{
}

CollisionObject& Physics::NewObject(u32 id)
{
    if (m_objectCount >= MaxObjects)
        m_messages->Fatal("Physics: objects buffer overflow");
    CollisionObject& object = m_objects[m_objectCount++];
    object = CollisionObject();
    object.id = id;
    return object;
}

u32 Physics::AddModelObject(const Model* model, const Matrix4& transform, u32 id)
{
    CollisionObject& object = NewObject(id);
    object.model = model;
    object.localBounds = model->bounds;
    object.transformed = 1;
    object.transform = transform;
    object.worldBounds = model->bounds;
    object.worldBounds.SetTransform(transform);
    return m_objectCount;
}

u32 Physics::AddBoxObject(const BoundingVolume& bounds, const Matrix4& transform, u32 id)
{
    CollisionObject& object = NewObject(id);
    object.localBounds = bounds;
    object.transformed = 1;
    object.transform = transform;
    BoundingVolume placed = bounds;
    placed.SetTransform(transform);
    const Vector3 reach(0.0f, 0.0f, kBoxHeightReach);
    object.worldBounds.SetBox(placed.GetWorldMinimum() - reach, placed.GetWorldMaximum() + reach);
    return m_objectCount;
}

void Physics::AddStaticObject(const BoundingVolume& bounds, u32 id)
{
    CollisionObject& object = NewObject(id);
    object.localBounds = bounds;
    object.worldBounds = bounds;
}

bool Physics::Query(f32 radius, const Vector3& position, const Vector2& motion, const std::set<u32>& ignored,
                    Vector2& newPosition, CollisionHit& hit)
{
    m_hit = 0;
    m_contactCount = 0;
    const Vector3 worldMotion(motion.x, motion.y, 0.0f);
    // A sphere without size cannot be scaled to a unit sphere; it moves on untouched rather than through NaN.
    if (!(radius > kEpsilon))
    {
        newPosition = Vector2(position.x + motion.x, position.y + motion.y);
        return false;
    }
    m_scale = radius;
    GatherTriangles(SweptBox(radius, position, worldMotion), ignored);
    const Vector3 end = Sweep(position / radius, worldMotion / radius) * radius;
    newPosition = Vector2(end.x, end.y);
    if (m_hit == 0)
        return false;
    const CollisionContact& first = m_contacts[0];
    hit.plane = PlaneInWorldUnits(m_hitPlane, radius);
    hit.id = m_triangleIds[first.triangle];
    hit.point = first.point * radius;
    return true;
}

void Physics::GatherTriangles(const BoundingVolume& sweptBox, const std::set<u32>& ignored)
{
    m_triangleCount = 0;
    for (u32 i = 0; i < m_objectCount; ++i)
    {
        const CollisionObject& object = m_objects[i];
        if (ignored.count(object.id) != 0 || !object.worldBounds.Intersects(sweptBox))
            continue;
        AddObjectTriangles(object);
    }
}

void Physics::AddObjectTriangles(const CollisionObject& object)
{
    if (object.model != nullptr)
        AddModelTriangles(object);
    else
        AddBoxTriangles(object);
}

void Physics::AddModelTriangles(const CollisionObject& object)
{
    const VertexBuffer* vertices = object.model->vertexBuffer.get();
    const IndexBuffer* indices = object.model->indexBuffer.get();
    if (vertices == nullptr || indices == nullptr)
        return;
    const bool list = (object.model->flags & ModelFlags::TriangleList) != 0;
    const u32 indexCount = indices->GetIndexCount();
    const u32 triangles = list ? indexCount / 3 : (indexCount >= 3 ? indexCount - 2 : 0);
    const u32 vertexCount = vertices->GetVertexCount();
    for (u32 t = 0; t < triangles; ++t)
    {
        const u32 first = list ? 3 * t : t;
        u32 corners[3] = {ReadIndex(*indices, first), ReadIndex(*indices, first + 1), ReadIndex(*indices, first + 2)};
        // Every second triangle of a strip turns the other way; it is read the way it is drawn.
        if (!list && (t & 1) != 0)
            std::swap(corners[0], corners[1]);
        if (corners[0] >= vertexCount || corners[1] >= vertexCount || corners[2] >= vertexCount)
            continue;
        AddTransformedTriangle(object, ReadPosition(*vertices, corners[0]), ReadPosition(*vertices, corners[1]),
                               ReadPosition(*vertices, corners[2]));
    }
}

void Physics::AddBoxTriangles(const CollisionObject& object)
{
    // An untransformed box is the one the broad phase sees, so its world corners are the surface.
    const BoundingVolume& box = object.localBounds;
    const Vector3 minimum = object.transformed != 0 ? box.GetMinimum() : box.GetWorldMinimum();
    const Vector3 maximum = object.transformed != 0 ? box.GetMaximum() : box.GetWorldMaximum();
    for (const auto& triangle : kBoxTriangles)
        AddTransformedTriangle(object, BoxCorner(minimum, maximum, triangle[0]),
                               BoxCorner(minimum, maximum, triangle[1]), BoxCorner(minimum, maximum, triangle[2]));
}

void Physics::AddTransformedTriangle(const CollisionObject& object, Vector3 a, Vector3 b, Vector3 c)
{
    if (object.transformed != 0)
    {
        a = object.transform.TransformPoint(a);
        b = object.transform.TransformPoint(b);
        c = object.transform.TransformPoint(c);
    }
    AddTriangle(a, b, c, object.id);
}

void Physics::AddTriangle(const Vector3& a, const Vector3& b, const Vector3& c, u32 id)
{
    const Vector3 p0 = a / m_scale;
    const Vector3 p1 = b / m_scale;
    const Vector3 p2 = c / m_scale;
    // A triangle without area has no plane to stand in front of; it would only make NaN.
    if ((p1 - p0).Cross(p2 - p0).Length() < kEpsilon)
        return;
    if (m_triangleCount >= MaxTriangles)
        m_messages->Fatal("Physics: triangles buffer overflow");
    Vector3* stored = &m_vertices[3 * m_triangleCount];
    stored[0] = p0;
    stored[1] = p1;
    stored[2] = p2;
    m_planes[m_triangleCount].SetFromTriangle(stored);
    m_triangleIds[m_triangleCount] = id;
    ++m_triangleCount;
}

Vector3 Physics::Sweep(const Vector3& start, const Vector3& motion)
{
    m_contactCount = 0;
    const f32 length = motion.Length();
    // Without motion there is no direction, and only a sphere already in a triangle can touch it.
    const bool moving = length >= kEpsilon;
    const Vector3 direction = moving ? motion / length : Vector3();
    for (u32 i = 0; i < m_triangleCount && m_contactCount < MaxContacts; ++i)
        TestTriangle(i, start, direction, moving ? length : 0.0f);
    if (m_contactCount == 0)
        return start + motion;
    m_hit = 1;
    const CollisionContact& first = m_contacts[0];
    m_hitPlane = BouncePlane(first, direction);
    if (first.kind == ContactKind::Embedded)
        return start + first.plane.GetNormal() * -first.distance;
    return start + direction * first.distance;
}

// A ball bounces off the face it met, even at the face's edges and corners, so blocks bounce as flat sides
// rather than rounded ones; but a face that does not stand against the motion would send the ball into what it
// hit, and then the contact's own plane serves.
Plane Physics::BouncePlane(const CollisionContact& contact, const Vector3& direction) const
{
    if (contact.kind == ContactKind::Embedded)
        return contact.plane;
    const Plane& face = m_planes[contact.triangle];
    return face.GetNormal().Dot(direction) < 0.0f ? face : contact.plane;
}

void Physics::TestTriangle(u32 triangle, const Vector3& start, const Vector3& direction, f32 length)
{
    if (!(m_planes[triangle].Distance(start) > 0.0f))
        return;
    CollisionContact contact;
    if (FindEmbeddedContact(triangle, start, contact))
        MergeContact(contact);
    else if (length > 0.0f && FindMovingContact(triangle, start, direction, length, contact))
        MergeContact(contact);
}

// A contact counts only within this step and against the motion; one a hair's breadth away is a touch now.
bool Physics::Acceptable(CollisionContact& contact, const Vector3& direction, f32 length)
{
    if (std::fabs(contact.distance) < 2.0f * kEpsilon)
        contact.distance = 0.0f;
    return contact.distance <= length && contact.plane.GetNormal().Dot(direction) < 0.0f;
}

bool Physics::FindEmbeddedContact(u32 triangle, const Vector3& start, CollisionContact& contact) const
{
    const Plane& plane = m_planes[triangle];
    const f32 height = plane.Distance(start);
    if (height > 1.0f - kEpsilon)
        return false;
    const Vector3 foot = start - plane.GetNormal() * height;
    const Vector3 touching = IsPointInTriangle(plane, Corner(triangle, 0), Corner(triangle, 1), Corner(triangle, 2), foot)
                                 ? foot
                                 : NearestPerimeterPoint(triangle, foot);
    const Vector3 toCentre = start - touching;
    const f32 gap = toCentre.Length();
    if (gap > 1.0f - kEpsilon)
        return false;
    contact.triangle = triangle;
    contact.kind = ContactKind::Embedded;
    contact.point = touching;
    contact.distance = gap - 1.0f;
    // A centre on the surface itself has no direction to leave by but the face's own.
    contact.plane.SetFromNormalAndPoint(gap >= kEpsilon ? toCentre / gap : plane.GetNormal(), touching);
    return true;
}

bool Physics::FindMovingContact(u32 triangle, const Vector3& start, const Vector3& direction, f32 length,
                                CollisionContact& contact) const
{
    const Plane& plane = m_planes[triangle];
    const Vector3& normal = plane.GetNormal();
    const f32 approach = normal.Dot(direction);
    // Motion along the face never meets its plane; only the face's edges and corners can be met.
    if (std::fabs(approach) >= kEpsilon)
    {
        const Vector3 nearest = start - normal;
        const f32 t = -plane.Distance(nearest) / approach;
        const Vector3 meeting = nearest + direction * t;
        if (t >= -2.0f * kEpsilon &&
            IsPointInTriangle(plane, Corner(triangle, 0), Corner(triangle, 1), Corner(triangle, 2), meeting))
        {
            contact.triangle = triangle;
            contact.kind = ContactKind::Face;
            contact.point = meeting;
            contact.plane = plane;
            contact.distance = t;
            // Met beyond this step, nothing of the triangle comes sooner; met moving away from the face, its
            // edges may still be in the way.
            if (Acceptable(contact, direction, length))
                return true;
            if (normal.Dot(direction) < 0.0f)
                return false;
        }
    }
    // Meeting the plane outside the triangle, the sphere first touches one of its edges or corners; which
    // one is not told by the nearest point to where it meets the plane, so every one is tried.
    bool found = false;
    for (u32 i = 0; i < 3; ++i)
    {
        CollisionContact candidate;
        const Vector3 a = Corner(triangle, i);
        const Vector3 b = Corner(triangle, (i + 1) % 3);
        if (FindEdgeContact(triangle, a, b, start, direction, candidate) && Acceptable(candidate, direction, length) &&
            (!found || candidate.distance < contact.distance))
        {
            contact = candidate;
            found = true;
        }
        if (FindVertexContact(triangle, a, start, direction, candidate) && Acceptable(candidate, direction, length) &&
            (!found || candidate.distance < contact.distance))
        {
            contact = candidate;
            found = true;
        }
    }
    return found;
}

bool Physics::FindEdgeContact(u32 triangle, const Vector3& a, const Vector3& b, const Vector3& start,
                              const Vector3& direction, CollisionContact& contact) const
{
    const Vector3 edge = b - a;
    const Vector3 along = edge.GetNormalized();
    // Motion along the edge spans no plane with it: the edge is met, if at all, at one of its ends.
    const Vector3 motionPlaneNormal = direction.Cross(along);
    if (motionPlaneNormal.Length() < kEpsilon)
        return false;
    Plane motionPlane;
    motionPlane.SetFromNormalAndPoint(motionPlaneNormal, b);
    const f32 offset = motionPlane.Distance(start);
    if (std::fabs(offset) > 1.0f - kEpsilon)
        return false;
    const Vector3 centreInPlane = start - motionPlane.GetNormal() * offset;
    const Vector3 foot = a + along * (centreInPlane - a).Dot(along);
    const Vector3 towardsCentre = centreInPlane - foot;
    const f32 separation = towardsCentre.Length();
    // A centre over the edge's own line already touches it: that is the embedded test's business.
    if (separation < kEpsilon)
        return false;
    const Vector3 across = towardsCentre / separation;
    const Vector3 fromCentre = foot - start;
    const f32 half = fromCentre.Dot(across);
    const f32 discriminant = half * half - (fromCentre.Dot(fromCentre) - 1.0f);
    if (discriminant < 0.0f)
        return false;
    const Vector3 spherePoint = foot + across * (-half - std::sqrt(discriminant));

    Plane edgeWall;
    edgeWall.SetFromNormalAndPoint(edge.Cross(direction).Cross(edge).GetNormalized(), a);
    const f32 wallApproach = edgeWall.GetNormal().Dot(direction);
    if (std::fabs(wallApproach) < kEpsilon)
        return false;
    const Vector3 crossing = spherePoint + direction * (-edgeWall.Distance(spherePoint) / wallApproach);
    if ((a - crossing).Dot(b - crossing) > 0.0f)
        return false;

    Plane contactPlane;
    contactPlane.SetFromNormalAndPoint((start - spherePoint).GetNormalized(), a);
    const Vector3 centroid = (Corner(triangle, 0) + Corner(triangle, 1) + Corner(triangle, 2)) / 3.0f;
    if (contactPlane.Distance(centroid) > kEpsilon || contactPlane.GetNormal().Dot(m_planes[triangle].GetNormal()) < 0.0f)
        return false;
    const f32 contactApproach = contactPlane.GetNormal().Dot(direction);
    if (std::fabs(contactApproach) < kEpsilon)
        return false;
    const f32 t = -contactPlane.Distance(spherePoint) / contactApproach;
    if (t < -2.0f * kEpsilon)
        return false;
    contact.triangle = triangle;
    contact.kind = ContactKind::Edge;
    contact.point = spherePoint + direction * t;
    contact.plane = contactPlane;
    contact.distance = t;
    return true;
}

bool Physics::FindVertexContact(u32 triangle, const Vector3& corner, const Vector3& start, const Vector3& direction,
                                CollisionContact& contact) const
{
    const Vector3 toCorner = corner - start;
    if (direction.Dot(toCorner) < 0.0f)
        return false;
    const f32 along = toCorner.Dot(direction);
    const f32 discriminant = 1.0f - (toCorner.Dot(toCorner) - along * along);
    if (discriminant < 0.0f)
        return false;
    const f32 t = along - std::sqrt(discriminant);
    // A corner the sphere has already passed would pull it back.
    if (t < -2.0f * kEpsilon)
        return false;
    Plane contactPlane;
    contactPlane.SetFromNormalAndPoint(m_planes[triangle].GetNormal(), corner);
    for (u32 i = 0; i < 3; ++i)
        if (contactPlane.Distance(Corner(triangle, i)) > kEpsilon)
            return false;
    contact.triangle = triangle;
    contact.kind = ContactKind::Vertex;
    contact.point = corner;
    contact.plane = contactPlane;
    contact.distance = t;
    return true;
}

// The point of the triangle's edges nearest to a point of its plane; of equally near edges the first.
Vector3 Physics::NearestPerimeterPoint(u32 triangle, const Vector3& point) const
{
    Vector3 nearest;
    f32 nearestDistance = 0.0f;
    for (u32 e = 0; e < 3; ++e)
    {
        const Vector3 a = Corner(triangle, e);
        const Vector3 edge = Corner(triangle, (e + 1) % 3) - a;
        const f32 u = std::clamp((point - a).Dot(edge) / edge.Dot(edge), 0.0f, 1.0f);
        const Vector3 candidate = a + edge * u;
        const Vector3 gap = point - candidate;
        const f32 distance = gap.Dot(gap);
        if (e == 0 || distance < nearestDistance)
        {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void Physics::MergeContact(const CollisionContact& contact)
{
    if (m_contactCount == 0)
    {
        m_contacts[m_contactCount++] = contact;
        return;
    }
    const f32 firstDistance = m_contacts[0].distance;
    if (std::fabs(contact.distance - firstDistance) <= kEpsilon)
    {
        for (u32 i = 0; i < m_contactCount; ++i)
            if (m_contacts[i].plane.GetNormal().Dot(contact.plane.GetNormal()) > 1.0f - kEpsilon)
                return;
        m_contacts[m_contactCount++] = contact;
        return;
    }
    if (firstDistance > contact.distance)
    {
        m_contacts[0] = contact;
        m_contactCount = 1;
    }
}
}
