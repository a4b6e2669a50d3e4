// Lit and textured test geometry through the render system's buffers.
#include "tests/support/SceneGeometry.h"

#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/VertexBuffer.h"

#include <cstring>
#include <memory>

using namespace VelkorEngine;

namespace KorvaneTest
{
std::vector<SceneVertex> SceneQuad(const Vector3& centre, const Vector3& right, const Vector3& up, float halfSize)
{
    const Vector3 normal = right.Cross(up);
    const Vector3 r = right * halfSize;
    const Vector3 u = up * halfSize;
    return {{centre - r - u, normal, 0.0f, 0.0f},
            {centre - r + u, normal, 0.0f, 1.0f},
            {centre + r + u, normal, 1.0f, 1.0f},
            {centre + r - u, normal, 1.0f, 0.0f}};
}

void DrawSceneQuad(RenderSystem& render, const std::vector<SceneVertex>& quad)
{
    std::unique_ptr<VertexBuffer> vertices(render.CreateVertexBuffer(0, 0, static_cast<u32>(quad.size())));
    u8* data = vertices->LockRange(0, vertices->GetVertexCount());
    for (const SceneVertex& vertex : quad)
    {
        const float fields[8] = {vertex.position.x, vertex.position.y, vertex.position.z, vertex.normal.x,
                                 vertex.normal.y,   vertex.normal.z,   vertex.u,          vertex.v};
        std::memcpy(data, fields, sizeof fields);
        data += vertices->GetStride();
    }
    vertices->Unlock();
    const u32 indices[6] = {0, 1, 2, 0, 2, 3};
    std::unique_ptr<IndexBuffer> indexBuffer(render.CreateIndexBuffer(0, 6));
    indexBuffer->SetIndices(0, 6, indices);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indexBuffer.get(), vertices.get(), 2);
}
}
