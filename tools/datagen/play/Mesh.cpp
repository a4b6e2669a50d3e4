// The generator's mesh toolkit: lofted solids, joined parts and their model files.
#include "tools/datagen/play/Mesh.h"

#include "engine/scene/ModelFlags.h"
#include "tools/datagen/Angles.h"
#include "tools/datagen/DataError.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace KorvaneTools
{
namespace
{
namespace Flags = VelkorEngine::ModelFlags;

Vector3 FaceNormal(const Vector3& a, const Vector3& b, const Vector3& c)
{
    Vector3 n = (b - a).Cross(c - a);
    const float length = n.Length();
    return length > 1e-12f ? n / length : Vector3(0, 0, 1);
}

Vector3 Centre(const std::vector<Vector3>& points)
{
    Vector3 sum(0.0f);
    for (const Vector3& p : points)
        sum += p;
    return points.empty() ? sum : sum / static_cast<float>(points.size());
}

void AddTriangle(Mesh& mesh, const Vector3& a, const Vector3& b, const Vector3& c)
{
    const Vector3 n = FaceNormal(a, b, c);
    mesh.corners.push_back({a, n, 0, 0});
    mesh.corners.push_back({b, n, 0, 0});
    mesh.corners.push_back({c, n, 0, 0});
}

void Recompute(Mesh& mesh)
{
    for (std::size_t i = 0; i + 2 < mesh.corners.size(); i += 3)
    {
        const Vector3 n = FaceNormal(mesh.corners[i].position, mesh.corners[i + 1].position,
                                     mesh.corners[i + 2].position);
        for (std::size_t k = 0; k < 3; ++k)
            mesh.corners[i + k].normal = n;
    }
}

Vector3 Rotated(const Vector3& p, int axis, float c, float s)
{
    switch (axis)
    {
    case 0:
        return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
    case 1:
        return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
    default:
        return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
    }
}

ModelFileBox BoxOfMesh(const Mesh& mesh)
{
    ModelFileBox box;
    mesh.Bounds(box.minimum, box.maximum);
    return box;
}

u32 DrawFlags(bool culled)
{
    const u32 flags = Flags::TriangleList | Flags::Lit | Flags::DepthTest | Flags::FirstList | Flags::Visible;
    return culled ? flags | Flags::CullClockwise : flags;
}

// Round parts: normals point away from the centre (a sphere) or from the upright axis through it (a column),
// except on the flat ends.
void SmoothAbout(Mesh& mesh, const Vector3& centre, bool axial)
{
    for (MeshCorner& c : mesh.corners)
    {
        if (axial && std::fabs(c.normal.z) > 0.99f)
            continue;
        const Vector3 radial = axial ? c.position - Vector3(centre.x, centre.y, c.position.z) : c.position - centre;
        if (radial.Length() > 1e-6f)
            c.normal = radial.GetNormalized();
    }
}

void AppendVertices(ModelFileDescription& d, const Mesh& mesh)
{
    for (const MeshCorner& c : mesh.corners)
        d.vertices.push_back({c.u, c.v, c.normal, c.position});
}
}

void Mesh::Append(const Mesh& other)
{
    corners.insert(corners.end(), other.corners.begin(), other.corners.end());
}

Mesh& Mesh::Translate(const Vector3& offset)
{
    for (MeshCorner& c : corners)
        c.position += offset;
    return *this;
}

Mesh& Mesh::Scale(const Vector3& factors)
{
    for (MeshCorner& c : corners)
        c.position = c.position.MultiplyComponents(factors);
    // A mirroring scale would turn every face inside out.
    if (factors.x * factors.y * factors.z < 0.0f)
        for (std::size_t i = 0; i + 2 < corners.size(); i += 3)
            std::swap(corners[i + 1], corners[i + 2]);
    Recompute(*this);
    return *this;
}

Mesh& Mesh::Rotate(int axis, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    for (MeshCorner& corner : corners)
    {
        corner.position = Rotated(corner.position, axis, c, s);
        corner.normal = Rotated(corner.normal, axis, c, s);
    }
    return *this;
}

Mesh& Mesh::Map(const std::function<Vector3(const Vector3&)>& mapping)
{
    for (MeshCorner& c : corners)
        c.position = mapping(c.position);
    Recompute(*this);
    return *this;
}

void Mesh::Bounds(Vector3& minimum, Vector3& maximum) const
{
    minimum = Vector3(1e30f);
    maximum = Vector3(-1e30f);
    for (const MeshCorner& c : corners)
    {
        minimum = {std::min(minimum.x, c.position.x), std::min(minimum.y, c.position.y),
                   std::min(minimum.z, c.position.z)};
        maximum = {std::max(maximum.x, c.position.x), std::max(maximum.y, c.position.y),
                   std::max(maximum.z, c.position.z)};
    }
    if (corners.empty())
        minimum = maximum = Vector3(0.0f);
}

void OrientAwayFrom(Mesh& mesh, const Vector3& centre)
{
    for (std::size_t i = 0; i + 2 < mesh.corners.size(); i += 3)
    {
        const Vector3& a = mesh.corners[i].position;
        const Vector3& b = mesh.corners[i + 1].position;
        const Vector3& c = mesh.corners[i + 2].position;
        const Vector3 middle = (a + b + c) / 3.0f;
        if ((b - a).Cross(c - a).Dot(middle - centre) < 0.0f)
            std::swap(mesh.corners[i + 1], mesh.corners[i + 2]);
    }
    Recompute(mesh);
}

void ProjectBoxTexture(Mesh& mesh, float repeat)
{
    Vector3 minimum;
    Vector3 maximum;
    mesh.Bounds(minimum, maximum);
    const Vector3 size = maximum - minimum;
    const float span = std::max({size.x, size.y, size.z, 1e-6f});
    for (MeshCorner& c : mesh.corners)
    {
        const Vector3 p = (c.position - minimum) / span * repeat;
        const Vector3 n(std::fabs(c.normal.x), std::fabs(c.normal.y), std::fabs(c.normal.z));
        if (n.z >= n.x && n.z >= n.y)
            c.u = p.x, c.v = p.y;
        else if (n.x >= n.y)
            c.u = p.y, c.v = p.z;
        else
            c.u = p.x, c.v = p.z;
    }
}

void FitTexture(Mesh& mesh, float u0, float v0, float u1, float v1)
{
    float minU = 1e30f, minV = 1e30f, maxU = -1e30f, maxV = -1e30f;
    for (const MeshCorner& c : mesh.corners)
    {
        minU = std::min(minU, c.u), maxU = std::max(maxU, c.u);
        minV = std::min(minV, c.v), maxV = std::max(maxV, c.v);
    }
    const float spanU = std::max(maxU - minU, 1e-6f);
    const float spanV = std::max(maxV - minV, 1e-6f);
    for (MeshCorner& c : mesh.corners)
    {
        c.u = u0 + (c.u - minU) / spanU * (u1 - u0);
        c.v = v0 + (c.v - minV) / spanV * (v1 - v0);
    }
}

Mesh LoftWithApexes(const std::vector<Ring>& rings, const Vector3& bottomApex, const Vector3& topApex, bool smooth)
{
    if (rings.size() < 2)
        throw DataError("a lofted part needs two rings");
    Mesh mesh;
    std::vector<Vector3> all;
    for (const Ring& ring : rings)
        all.insert(all.end(), ring.begin(), ring.end());
    const Vector3 centre = Centre(all);
    for (std::size_t r = 0; r + 1 < rings.size(); ++r)
    {
        const Ring& lower = rings[r];
        const Ring& upper = rings[r + 1];
        const std::size_t n = lower.size();
        for (std::size_t i = 0; i < n; ++i)
        {
            const std::size_t j = (i + 1) % n;
            AddTriangle(mesh, lower[i], lower[j], upper[j]);
            AddTriangle(mesh, lower[i], upper[j], upper[i]);
        }
    }
    const Ring& first = rings.front();
    const Ring& last = rings.back();
    for (std::size_t i = 0; i < first.size(); ++i)
        AddTriangle(mesh, bottomApex, first[(i + 1) % first.size()], first[i]);
    for (std::size_t i = 0; i < last.size(); ++i)
        AddTriangle(mesh, topApex, last[i], last[(i + 1) % last.size()]);
    // Drop the slivers two coinciding rings leave behind.
    Mesh kept;
    for (std::size_t i = 0; i + 2 < mesh.corners.size(); i += 3)
    {
        const Vector3& a = mesh.corners[i].position;
        if ((mesh.corners[i + 1].position - a).Cross(mesh.corners[i + 2].position - a).Length() > 1e-8f)
            kept.corners.insert(kept.corners.end(), mesh.corners.begin() + static_cast<long>(i),
                                mesh.corners.begin() + static_cast<long>(i) + 3);
    }
    OrientAwayFrom(kept, centre);
    ProjectBoxTexture(kept);
    if (smooth)
        SmoothAbout(kept, centre, false);
    return kept;
}

Mesh Loft(const std::vector<Ring>& rings, bool smooth)
{
    Mesh mesh = LoftWithApexes(rings, Centre(rings.front()), Centre(rings.back()), false);
    if (smooth)
    {
        std::vector<Vector3> all;
        for (const Ring& ring : rings)
            all.insert(all.end(), ring.begin(), ring.end());
        SmoothAbout(mesh, Centre(all), true);
    }
    return mesh;
}

Ring RectangleRing(float halfX, float halfY, float z)
{
    return {{-halfX, -halfY, z}, {halfX, -halfY, z}, {halfX, halfY, z}, {-halfX, halfY, z}};
}

Ring EllipseRing(float radiusX, float radiusY, int sides, float z, float phase)
{
    Ring ring;
    for (int i = 0; i < sides; ++i)
    {
        const float a = phase + 2.0f * Pi * static_cast<float>(i) / static_cast<float>(sides);
        ring.push_back({radiusX * std::cos(a), radiusY * std::sin(a), z});
    }
    return ring;
}

Ring CircleRing(float radius, int sides, float z, float phase)
{
    return EllipseRing(radius, radius, sides, z, phase);
}

Mesh Box(const Vector3& minimum, const Vector3& maximum)
{
    const Vector3 half = (maximum - minimum) / 2.0f;
    const Vector3 middle = (maximum + minimum) / 2.0f;
    Mesh mesh = Loft({RectangleRing(half.x, half.y, -half.z), RectangleRing(half.x, half.y, half.z)});
    mesh.Translate(middle);
    return mesh;
}

Mesh BevelledBox(const Vector3& minimum, const Vector3& maximum, float bevel)
{
    const Vector3 half = (maximum - minimum) / 2.0f;
    const Vector3 middle = (maximum + minimum) / 2.0f;
    Mesh mesh = Loft({RectangleRing(half.x - bevel, half.y - bevel, -half.z),
                      RectangleRing(half.x, half.y, bevel - half.z), RectangleRing(half.x, half.y, half.z - bevel),
                      RectangleRing(half.x - bevel, half.y - bevel, half.z)});
    mesh.Translate(middle);
    return mesh;
}

Mesh Cylinder(float radius, int sides, float bottom, float top, float phase)
{
    return Loft({CircleRing(radius, sides, bottom, phase), CircleRing(radius, sides, top, phase)});
}

Mesh Sphere(float radius, int slices, int stacks)
{
    std::vector<Ring> rings;
    for (int k = 1; k < stacks; ++k)
    {
        const float a = Pi * static_cast<float>(k) / static_cast<float>(stacks);
        rings.push_back(CircleRing(radius * std::sin(a), slices, -radius * std::cos(a)));
    }
    return LoftWithApexes(rings, Vector3(0, 0, -radius), Vector3(0, 0, radius), true);
}

Mesh Rod(const Vector3& from, const Vector3& to, float radius, int sides)
{
    const Vector3 axis = to - from;
    const float length = axis.Length();
    Mesh mesh = Cylinder(radius, sides, 0.0f, length, Pi / static_cast<float>(sides));
    // Turn +z onto the axis: first about y (tilt), then about z (heading).
    const Vector3 d = axis / length;
    const float tilt = std::acos(std::clamp(d.z, -1.0f, 1.0f));
    const float heading = std::atan2(d.y, d.x);
    mesh.Rotate(1, tilt).Rotate(2, heading).Translate(from);
    return mesh;
}

Mesh Quad(const Vector3& origin, const Vector3& alongU, const Vector3& alongV, float repeatU, float repeatV)
{
    Mesh mesh;
    const Vector3 a = origin;
    const Vector3 b = origin + alongU;
    const Vector3 c = origin + alongU + alongV;
    const Vector3 d = origin + alongV;
    AddTriangle(mesh, a, b, c);
    AddTriangle(mesh, a, c, d);
    const float uv[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
    for (std::size_t i = 0; i < 6; ++i)
    {
        mesh.corners[i].u = uv[i][0] * repeatU;
        mesh.corners[i].v = uv[i][1] * repeatV;
    }
    return mesh;
}

Mesh DoubleQuad(const Vector3& origin, const Vector3& alongU, const Vector3& alongV)
{
    Mesh mesh = Quad(origin, alongU, alongV);
    Mesh back = Quad(origin + alongU, alongU * -1.0f, alongV);
    for (MeshCorner& c : back.corners)
        c.u = 1.0f - c.u;
    mesh.Append(back);
    return mesh;
}

ModelFileDescription StaticModel(const Mesh& mesh, bool culled)
{
    ModelFileDescription d;
    d.flags = Flags::Static | DrawFlags(culled);
    for (u32 i = 0; i < mesh.corners.size(); ++i)
        d.indices.push_back(i);
    AppendVertices(d, mesh);
    d.boxes = {BoxOfMesh(mesh)};
    return d;
}

ModelFileDescription MorphModel(const std::vector<Mesh>& frames, float speed, bool culled)
{
    ModelFileDescription d;
    d.flags = Flags::Morph | DrawFlags(culled);
    d.frameCount = static_cast<u32>(frames.size());
    d.speed = speed;
    for (u32 i = 0; i < frames.front().corners.size(); ++i)
        d.indices.push_back(i);
    for (const Mesh& frame : frames)
    {
        if (frame.corners.size() != frames.front().corners.size())
            throw DataError("morph frames differ in size");
        AppendVertices(d, frame);
        d.boxes.push_back(BoxOfMesh(frame));
    }
    return d;
}
}
