// Geometry with normals and texture coordinates for the scene pixel tests (lights, shaders): drawn through the
// render system's own buffers, without vertex colours, so the material and the lights give the colour.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <vector>

namespace VelkorEngine
{
class RenderSystem;
}

namespace KorvaneTest
{
struct SceneVertex
{
    VelkorEngine::Vector3 position;
    VelkorEngine::Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

// A square of the given half size around a centre, spanned by two unit axes; its normal is right × up and
// its texture runs from (0, 0) at the corner centre − right − up to (1, 1) at the opposite one.
std::vector<SceneVertex> SceneQuad(const VelkorEngine::Vector3& centre, const VelkorEngine::Vector3& right,
                                   const VelkorEngine::Vector3& up, float halfSize);
// Draws a quad of SceneQuad as two triangles.
void DrawSceneQuad(VelkorEngine::RenderSystem& render, const std::vector<SceneVertex>& quad);
}
