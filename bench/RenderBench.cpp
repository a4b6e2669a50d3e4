// Drawing cost: 2,000 indexed quads, each with its own world matrix, blending switched every other quad and
// culling every third, through the render system (state cache, Direct3D 7 layer, OpenGL) against the same
// geometry and state changes made by a plain OpenGL loop in the same context. Both wait for the frame to be
// finished, so each measures a whole frame of drawing. Each side's last frame is read back; the two must agree,
// or the benchmark fails. The ratio is printed in the form bench/run-all.sh gathers.
#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/GLContext.h"
#include "tests/support/RenderTestBed.h"

#include "bench/support/ClientArrays.h"
#include "bench/support/PictureComparison.h"
#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr u32 kQuads = 2000;
constexpr u32 kColumns = 50;

struct Scene
{
    KorvaneTest::RenderTestBed bed;
    std::vector<std::unique_ptr<VertexBuffer>> vertices;
    std::vector<std::unique_ptr<IndexBuffer>> indices;
    std::vector<Matrix4> worlds;
    Matrix4 view;
};

// A small quad per draw, each in its own buffers as models keep theirs, laid out in a grid.
Scene& TheScene()
{
    static Scene* scene = nullptr;
    if (scene)
        return *scene;
    scene = new Scene();
    RenderSystem& render = scene->bed.Start();
    scene->bed.UseScreenSpace();
    scene->view = render.GetViewMatrix();
    const float corners[4][3] = {{0.0f, 0.0f, 0.5f}, {0.0f, 0.02f, 0.5f}, {0.02f, 0.02f, 0.5f}, {0.02f, 0.0f, 0.5f}};
    const u32 quadIndices[6] = {0, 1, 2, 0, 2, 3};
    for (u32 quad = 0; quad < kQuads; ++quad)
    {
        std::unique_ptr<VertexBuffer> vertexBuffer(render.CreateVertexBuffer(0, 1, 4));
        u8* vertex = vertexBuffer->LockRange(0, 4);
        for (const auto& corner : corners)
        {
            std::memcpy(vertex, corner, sizeof(corner));
            vertex += vertexBuffer->GetStride();
        }
        vertexBuffer->Unlock();
        vertexBuffer->SetColor(Color(quad % 3 / 2.0f, 0.5f, 1.0f, 0.5f));
        std::unique_ptr<IndexBuffer> indexBuffer(render.CreateIndexBuffer(0, 6));
        indexBuffer->SetIndices(0, 6, quadIndices);
        Matrix4 world;
        MakeTranslationMatrix(world, Vector3(-0.95f + 0.037f * (quad % kColumns), -0.95f + 0.045f * (quad / kColumns), 0.0f));
        scene->vertices.push_back(std::move(vertexBuffer));
        scene->indices.push_back(std::move(indexBuffer));
        scene->worlds.push_back(world);
    }
    return *scene;
}

// The same quads in the same places: only rounding may tell the two frames apart.
BenchSupport::PictureComparison& Pictures()
{
    static BenchSupport::PictureComparison pictures(16, 0.001);
    return pictures;
}

void DrawFrameThroughRenderSystem(Scene& scene)
{
    RenderSystem& render = scene.bed.Render();
    render.BeginScene();
    for (u32 quad = 0; quad < kQuads; ++quad)
    {
        render.SetWorldMatrix(scene.worlds[quad]);
        render.SetAlphaBlend(quad % 2 == 1);
        render.SetCullMode(quad % 3 == 0 ? RenderSystem::CullClockwise : RenderSystem::CullNone);
        render.DrawIndexedPrimitive(RenderSystem::TriangleList, scene.indices[quad].get(), scene.vertices[quad].get(),
                                    2);
    }
    render.EndScene();
    glFinish();
}

void DrawThroughRenderSystem(benchmark::State& state)
{
    Scene& scene = TheScene();
    RenderSystem& render = scene.bed.Render();
    render.SetBlend(RenderSystem::BlendSrcAlpha, RenderSystem::BlendInvSrcAlpha);
    render.SetZ(true);
    // The first frame of each state combination has the GL driver compile its pipeline: not measured.
    DrawFrameThroughRenderSystem(scene);
    for (auto _ : state)
        DrawFrameThroughRenderSystem(scene);
    Pictures().KeepOurs(scene.bed.Screenshot());
}

using GLMatrices = std::vector<std::array<float, 16>>;

// The same frame in plain OpenGL: the world matrices in GL's layout, the states set directly.
void DrawFramePlainOpenGL(Scene& scene, const GLMatrices& worlds)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    for (u32 quad = 0; quad < kQuads; ++quad)
    {
        glLoadIdentity();
        glMultMatrixf(worlds[quad].data());
        if (quad % 2 == 1)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
        if (quad % 3 == 0)
        {
            glEnable(GL_CULL_FACE);
            glFrontFace(GL_CCW);
        }
        else
            glDisable(GL_CULL_FACE);
        const u8* data = scene.vertices[quad]->GetData();
        const GLsizei stride = static_cast<GLsizei>(scene.vertices[quad]->GetStride());
        glVertexPointer(3, GL_FLOAT, stride, data);
        glNormalPointer(GL_FLOAT, stride, data + 12);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, data + VertexBuffer::ColorOffset);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, scene.indices[quad]->GetData());
    }
    glFinish();
}

void DrawThroughPlainOpenGL(benchmark::State& state)
{
    Scene& scene = TheScene();
    RenderSystem& render = scene.bed.Render();
    render.BeginScene(); // the same framebuffer
    GLMatrices worlds(kQuads);
    for (u32 quad = 0; quad < kQuads; ++quad)
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                worlds[quad][4 * column + row] = scene.worlds[quad].m[4 * row + column];
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    BenchSupport::UseClientArrays();
    DrawFramePlainOpenGL(scene, worlds); // warming up, as for the render system
    for (auto _ : state)
        DrawFramePlainOpenGL(scene, worlds);
    render.EndScene();
    // The loop changed GL behind the device's back: it sends all of its own state again on its next draw.
    Platform::GLContext::SetStateOwner(nullptr);
    Pictures().KeepReference(scene.bed.Screenshot());
    const std::string disagreement = Pictures().Disagreement();
    if (Pictures().HasBoth() && !disagreement.empty())
        state.SkipWithError(disagreement.c_str());
}
}

BENCHMARK(DrawThroughRenderSystem)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(DrawThroughPlainOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("2,000 quads with state changes: render system / plain OpenGL",
                        "DrawThroughRenderSystem/min_time:2.000/real_time",
                        "DrawThroughPlainOpenGL/min_time:2.000/real_time", 1.1);
    const std::string disagreement = Pictures().Disagreement();
    if (Pictures().HasBoth() && !disagreement.empty())
    {
        std::printf("2,000 quads: %s\n", disagreement.c_str());
        return 1;
    }
    return 0;
}
