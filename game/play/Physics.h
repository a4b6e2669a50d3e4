// The collision world the balls move through: the bat's parts, the barrier and the blocks as triangles, and a
// query that sweeps a sphere along one step of motion in the playfield's plane and stops it at the first
// contact. All work happens on a unit sphere: a query divides its geometry by the sphere's radius.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Plane.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

#include <array>
#include <set>
#include <vector>

namespace VelkorEngine
{
class Engine;
class MessageManager;
class Model;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

// Identifiers of the objects the world holds; a block's identifier is its index in the level plus BlockIdBase.
namespace CollisionIds
{
inline constexpr u32 BatHead = 0;
inline constexpr u32 BatBody = 1;
inline constexpr u32 Barrier = 2;
inline constexpr u32 BlockIdBase = 3;
}

struct CollisionObject
{
    u32 id = 0;
    VelkorEngine::BoundingVolume localBounds;
    // Null for a box: its surface is then the twelve triangles of its bounds.
    const VelkorEngine::Model* model = nullptr;
    u8 transformed = 0;
    VelkorEngine::Matrix4 transform;
    // What the broad phase tests.
    VelkorEngine::BoundingVolume worldBounds;
};

enum class ContactKind : u32
{
    Face = 1,
    Edge = 2,
    Vertex = 3,
    Embedded = 4
};

struct CollisionContact
{
    u32 triangle = 0;
    ContactKind kind = ContactKind::Face;
    // Where sphere and triangle touch, in the query's scaled space.
    VelkorEngine::Vector3 point;
    VelkorEngine::Plane plane;
    // Along the unit direction of motion; negative for an embedded sphere (how deep it sits).
    f32 distance = 0.0f;
};

// What a query reports when the sphere was stopped; all in world units.
struct CollisionHit
{
    VelkorEngine::Plane plane;
    u32 id = 0;
    VelkorEngine::Vector3 point;
};

class Physics
{
public:
    static constexpr u32 MaxObjects = 786;
    static constexpr u32 MaxTriangles = 16384;
    static constexpr u32 MaxContacts = 4;

    explicit Physics(VelkorEngine::Engine* engine);
    // The same world reporting its overflows to a log of the caller's choosing.
    explicit Physics(VelkorEngine::MessageManager* messages);

    void ClearObjects() { m_objectCount = 0; }
    // Each returns the new object count; the one object too many ends the program.
    u32 AddModelObject(const VelkorEngine::Model* model, const VelkorEngine::Matrix4& transform, u32 id);
    u32 AddBoxObject(const VelkorEngine::BoundingVolume& bounds, const VelkorEngine::Matrix4& transform, u32 id);
    void AddStaticObject(const VelkorEngine::BoundingVolume& bounds, u32 id);

    // Sweeps a sphere of the radius from the position along the motion (z of the motion 0), ignoring the objects
    // whose identifiers are in the set. Writes the centre's x and y after the move; on a hit also the contact's
    // plane, the object's identifier and the point where the first contact touches, and returns true.
    bool Query(f32 radius, const VelkorEngine::Vector3& position, const VelkorEngine::Vector2& motion,
               const std::set<u32>& ignored, VelkorEngine::Vector2& newPosition, CollisionHit& hit);

    u32 GetObjectCount() const { return m_objectCount; }
    u32 GetTriangleCount() const { return m_triangleCount; }
    u32 GetContactCount() const { return m_contactCount; }
    const CollisionContact& GetContact(u32 index) const { return m_contacts[index]; }
    const CollisionObject& GetObject(u32 index) const { return m_objects[index]; }

    // Stores one triangle of the current query, divided by its radius; degenerate triangles are left out.
    void AddTriangle(const VelkorEngine::Vector3& a, const VelkorEngine::Vector3& b, const VelkorEngine::Vector3& c,
                     u32 id);

private:
    CollisionObject& NewObject(u32 id);
    void GatherTriangles(const VelkorEngine::BoundingVolume& sweptBox, const std::set<u32>& ignored);
    void AddObjectTriangles(const CollisionObject& object);
    void AddModelTriangles(const CollisionObject& object);
    void AddBoxTriangles(const CollisionObject& object);
    void AddTransformedTriangle(const CollisionObject& object, VelkorEngine::Vector3 a, VelkorEngine::Vector3 b,
                                VelkorEngine::Vector3 c);

    VelkorEngine::Vector3 Sweep(const VelkorEngine::Vector3& start, const VelkorEngine::Vector3& motion);
    void TestTriangle(u32 triangle, const VelkorEngine::Vector3& start, const VelkorEngine::Vector3& direction,
                      f32 length);
    bool FindEmbeddedContact(u32 triangle, const VelkorEngine::Vector3& start, CollisionContact& contact) const;
    bool FindMovingContact(u32 triangle, const VelkorEngine::Vector3& start, const VelkorEngine::Vector3& direction,
                           f32 length, CollisionContact& contact) const;
    bool FindEdgeContact(u32 triangle, const VelkorEngine::Vector3& a, const VelkorEngine::Vector3& b,
                         const VelkorEngine::Vector3& start, const VelkorEngine::Vector3& direction,
                         CollisionContact& contact) const;
    bool FindVertexContact(u32 triangle, const VelkorEngine::Vector3& corner, const VelkorEngine::Vector3& start,
                           const VelkorEngine::Vector3& direction, CollisionContact& contact) const;
    VelkorEngine::Plane BouncePlane(const CollisionContact& contact, const VelkorEngine::Vector3& direction) const;
    static bool Acceptable(CollisionContact& contact, const VelkorEngine::Vector3& direction, f32 length);
    VelkorEngine::Vector3 NearestPerimeterPoint(u32 triangle, const VelkorEngine::Vector3& point) const;
    void MergeContact(const CollisionContact& contact);
    VelkorEngine::Vector3 Corner(u32 triangle, u32 corner) const { return m_vertices[3 * triangle + corner]; }

    VelkorEngine::Engine* m_owner = nullptr;
    VelkorEngine::MessageManager* m_messages = nullptr;
    f32 m_scale = 1.0f;
    u8 m_hit = 0;
    // In the query's scaled space.
    VelkorEngine::Plane m_hitPlane;
    std::array<CollisionContact, MaxContacts> m_contacts{};
    u32 m_contactCount = 0;
    u32 m_objectCount = 0;
    u32 m_triangleCount = 0;
    std::vector<CollisionObject> m_objects;
    std::vector<VelkorEngine::Vector3> m_vertices;
    std::vector<VelkorEngine::Plane> m_planes;
    std::vector<u32> m_triangleIds;
};
}
