// A triangle mesh as the generator builds it: every triangle owns its three corners (flat faces, unless a
// part gives smooth normals), wound so that cross(p1 - p0, p2 - p0) points out of the part. Parts are
// lofted from rings of points and joined; morph models are lists of meshes with the same layout.
#pragma once

#include "engine/core/Vector3.h"
#include "tools/formats/ModelFileWriter.h"

#include <functional>
#include <vector>

namespace KorvaneTools
{
struct MeshCorner
{
    Vector3 position;
    Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

struct Mesh
{
    std::vector<MeshCorner> corners; // three per triangle

    std::size_t TriangleCount() const { return corners.size() / 3; }
    void Append(const Mesh& other);
    // Moves every corner (normals follow the same rotation part when given).
    Mesh& Translate(const Vector3& offset);
    Mesh& Scale(const Vector3& factors);
    // Rotation about an axis through the origin: 0 = x, 1 = y, 2 = z.
    Mesh& Rotate(int axis, float angle);
    // A free mapping of positions, normals recomputed from the new faces.
    Mesh& Map(const std::function<Vector3(const Vector3&)>& mapping);
    void Bounds(Vector3& minimum, Vector3& maximum) const;
};

// A ring of points at one height, counter-clockwise seen from above.
using Ring = std::vector<Vector3>;

// A closed convex-ish solid through rings stacked along z; the ends are closed by fans to their centres, or
// to the given apex points (a sphere's poles). Every triangle is turned to face away from the part's centre,
// so convex parts are always wound outward. Texture coordinates: box projection over the part's bounds.
Mesh Loft(const std::vector<Ring>& rings, bool smooth = false);
Mesh LoftWithApexes(const std::vector<Ring>& rings, const Vector3& bottomApex, const Vector3& topApex,
                    bool smooth);

Ring RectangleRing(float halfX, float halfY, float z);
Ring CircleRing(float radius, int sides, float z, float phase = 0.0f);
Ring EllipseRing(float radiusX, float radiusY, int sides, float z, float phase = 0.0f);

Mesh Box(const Vector3& minimum, const Vector3& maximum);
// A box whose upper and lower edges are cut at 45 degrees by the bevel.
Mesh BevelledBox(const Vector3& minimum, const Vector3& maximum, float bevel);
Mesh Cylinder(float radius, int sides, float bottom, float top, float phase = 0.0f);
Mesh Sphere(float radius, int slices, int stacks);
// A cylinder along an axis from one point to another (bars, handles, ropes, bolts).
Mesh Rod(const Vector3& from, const Vector3& to, float radius, int sides);
// A flat quad with both faces, for cloth, flames and backdrops (not for anything that collides).
Mesh DoubleQuad(const Vector3& origin, const Vector3& alongU, const Vector3& alongV);
// One face only, facing along cross(alongU, alongV).
Mesh Quad(const Vector3& origin, const Vector3& alongU, const Vector3& alongV, float repeatU = 1, float repeatV = 1);
// Every triangle turned away from the centre given (for a part built of loose faces around it).
void OrientAwayFrom(Mesh& mesh, const Vector3& centre);
// Overrides the texture coordinates with a box projection over the mesh's bounds, scaled by repeat.
void ProjectBoxTexture(Mesh& mesh, float repeat = 1.0f);
// Texture coordinates squeezed into a rectangle of the atlas: u in [u0, u1], v in [v0, v1].
void FitTexture(Mesh& mesh, float u0, float v0, float u1, float v1);

// Static triangle list, lit, depth tested; solid parts are culled on their back faces.
ModelFileDescription StaticModel(const Mesh& mesh, bool culled = true);
// Morph model: one mesh per frame, all with the same number of triangles.
ModelFileDescription MorphModel(const std::vector<Mesh>& frames, float speed, bool culled = true);
}
