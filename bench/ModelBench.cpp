// Animated scene cost: 500 skinned models (a bending ribbon of 130 vertices on four bones, two influences a
// vertex), animated, skinned, culled, sorted and drawn every frame through the engine's model manager, against
// a plain loop doing the same work (key-frame blending, bone matrices, skinning into the vertex arrays) and the
// same OpenGL draws in the same context. Both wait for the frame to be finished. Each side's last frame is drawn
// at the same animation times and read back; the two must agree, or the benchmark fails. The ratio is printed in
// the form bench/run-all.sh gathers.
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"
#include "engine/files/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "platform/d3d7/GLContext.h"
#include "tests/support/AnimationClock.h"
#include "tools/formats/ModelFileWriter.h"
#include "tests/support/RenderTestBed.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/TempFolder.h"

#include "bench/support/ClientArrays.h"
#include "bench/support/PictureComparison.h"
#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr u32 kModels = 500;
constexpr u32 kColumns = 25;
constexpr u32 kSegments = 64;
constexpr u32 kBones = 4;
constexpr u32 kFrames = 8;
constexpr f32 kSpeed = 8.0f;
constexpr double kFrameSeconds = 1.0 / 60.0;

// A ribbon along x from 0 to 2, each vertex shared by the two bones nearest to it; the bones bend about z by
// an angle that swings over the frames.
KorvaneTools::ModelFileDescription Ribbon()
{
    KorvaneTools::ModelFileDescription d;
    d.flags = ModelFlags::Skeletal | ModelFlags::TriangleList;
    d.frameCount = kFrames;
    d.speed = kSpeed;
    const f32 boneLength = 2.0f / kBones;
    for (u32 b = 0; b < kBones; ++b)
        d.bones.push_back({0, "bone", Vector3(-boneLength * b, 0.0f, 0.0f), Vector3(0.0f, -0.2f, 0.0f),
                           Vector3(boneLength, 0.2f, 0.0f), 0, 0});
    for (u32 f = 0; f < kFrames; ++f)
    {
        const f32 angle = 0.3f * std::sin(6.2831853f * f / (kFrames - 1));
        for (u32 b = 0; b < kBones; ++b)
        {
            const f32 half = 0.5f * angle * (b + 1) / kBones;
            d.keyFrames.insert(d.keyFrames.end(), {boneLength * b, 0, 0, 0, 0, std::sin(half), std::cos(half), 1, 1, 1});
        }
    }
    for (u32 s = 0; s <= kSegments; ++s)
    {
        const f32 x = 2.0f * s / kSegments;
        const f32 along = x / boneLength;
        const u16 first = static_cast<u16>(std::min<u32>(static_cast<u32>(along), kBones - 1));
        const u16 second = static_cast<u16>(std::min<u32>(first + 1, kBones - 1));
        const f32 weight = std::min(1.0f, along - first);
        for (f32 y : {-0.2f, 0.2f})
            d.skinnedVertices.push_back({x / 2.0f, y > 0 ? 1.0f : 0.0f,
                                         {{first, 1.0f - weight, Vector3(0, 0, 1), Vector3(x, y, 0)},
                                          {second, weight, Vector3(0, 0, 1), Vector3(x, y, 0)}}});
    }
    for (u32 s = 0; s < kSegments; ++s)
    {
        const u32 b = 2 * s;
        d.indices.insert(d.indices.end(), {b, b + 2, b + 3, b, b + 3, b + 1});
    }
    d.boxes = {{Vector3(0.0f, -0.2f, 0.0f), Vector3(2.0f, 0.2f, 0.0f)}};
    return d;
}

struct Scene
{
    KorvaneTest::RenderTestBed bed;
    TestSupport::TempFolder folder;
    TestSupport::AnimationClock clock;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<Model> source;
    std::vector<Model*> instances;

    ~Scene()
    {
        for (Model* model : instances)
            models->DeleteModel(model);
        source.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
    }
};

Matrix4 GridPlace(u32 index)
{
    Matrix4 world;
    MakeTranslationMatrix(world, Vector3(-27.0f + 2.2f * (index % kColumns), -21.0f + 2.2f * (index / kColumns), -40.0f));
    return world;
}

f32 StartTime(u32 index)
{
    return 0.9f * static_cast<f32>(index % 7);
}

// One ribbon file loaded once, and its registered copies laid out in a grid in front of the default camera.
Scene& TheScene()
{
    static Scene* scene = nullptr;
    if (scene)
        return *scene;
    scene = new Scene();
    RenderSystem* render = &scene->bed.Start();
    Scene& s = *scene;
    s.folder.WriteFile("data/ribbon.mlf", KorvaneTools::WriteModelFile(Ribbon()));
    s.folder.WriteFile("data/ribbon.srf", KorvaneTools::BuildShaderFile(KorvaneTools::ShaderFile{}));
    s.files = std::make_unique<FileManager>(&s.bed.Log(), s.folder.Path(), "data");
    s.cameras = std::make_unique<CameraManager>(&s.bed.Log(), &s.bed.GetWindow(), render);
    s.lights = std::make_unique<LightManager>(&s.bed.Log(), render);
    s.shaders = std::make_unique<ShaderManager>(&s.bed.Log(), s.files.get(), s.clock.Timers(), &s.bed.Settings(), render);
    s.models = std::make_unique<ModelManager>(&s.bed.Log(), s.files.get(), s.clock.Timers(), render, s.cameras.get(),
                                              s.lights.get(), s.shaders.get());
    s.source.reset(s.models->NewModelFromFile("ribbon.mlf", nullptr,
                                              ModelFlags::Visible | ModelFlags::VertexColor | ModelFlags::DepthTest));
    for (u32 i = 0; i < kModels; ++i)
    {
        Model* model = s.models->CreateModelCopy(*s.source, nullptr, 0);
        model->SetColor(Color(0.3f + 0.7f * (i % 3) / 2.0f, 0.8f, 0.4f, 1.0f));
        model->worldMatrix = GridPlace(i);
        model->animation->loop = 1;
        model->animation->time = StartTime(i);
        model->animation->Start();
        s.instances.push_back(model);
    }
    return s;
}

// Skinned ribbons drawn by both sides cover the same pixels; a vertex placed by another order of the same
// arithmetic may move an edge by a pixel.
BenchSupport::PictureComparison& Pictures()
{
    static BenchSupport::PictureComparison pictures(16, 0.001);
    return pictures;
}

// The engine's steps of a frame that concern the scene.
void EngineFrame(Scene& scene)
{
    scene.clock.Step(kFrameSeconds);
    scene.cameras->Update();
    scene.lights->Update();
    scene.shaders->Update();
    scene.models->Render();
    glFinish();
}

void DrawThroughModelManager(benchmark::State& state)
{
    Scene& scene = TheScene();
    EngineFrame(scene); // the driver compiles its pipelines in the first frame: not measured
    for (auto _ : state)
        EngineFrame(scene);
    state.counters["drawn"] = scene.models->GetDrawnModelCount();
    // The last frame, at the animation times of the plain loop's last frame.
    for (u32 i = 0; i < kModels; ++i)
        scene.instances[i]->animation->time = StartTime(i);
    EngineFrame(scene);
    Pictures().KeepOurs(scene.bed.Screenshot());
}

// The plain loop's own copy of everything it draws.
struct PlainModel
{
    std::vector<u8> vertices;
    std::array<float, 16> world;
    f32 time = 0.0f;
};

struct PlainScene
{
    std::vector<PlainModel> models;
    std::vector<f32> keys;
    std::vector<Vector3> pivots;
    std::vector<SkinRecord> skins;
    std::vector<u16> indices;
    u32 stride = 0;
    std::array<float, 16> projection;
    std::array<float, 16> view;
};

std::array<float, 16> Transposed(const Matrix4& m)
{
    std::array<float, 16> out;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            out[4 * column + row] = m.m[4 * row + column];
    return out;
}

PlainScene MakePlainScene(Scene& scene)
{
    PlainScene plain;
    scene.cameras->Update(); // the camera's matrices, as the engine's frame makes them
    const Model& source = *scene.instances[0];
    plain.keys = source.GetKeyFrames();
    for (u32 b = 0; b < kBones; ++b)
        plain.pivots.push_back(source.GetSkeleton()->GetBone(b)->pivot);
    plain.skins = source.GetSkins();
    plain.stride = source.vertexBuffer->GetStride();
    const u8* indexData = source.indexBuffer->GetData();
    plain.indices.assign(reinterpret_cast<const u16*>(indexData),
                         reinterpret_cast<const u16*>(indexData) + source.indexBuffer->GetIndexCount());
    const Camera& camera = *scene.cameras->GetDefaultCamera();
    std::memcpy(plain.projection.data(), camera.GetProjectionMatrix().m, sizeof(plain.projection));
    std::memcpy(plain.view.data(), camera.GetViewMatrix().m, sizeof(plain.view));
    for (u32 i = 0; i < kModels; ++i)
    {
        const Model& model = *scene.instances[i];
        const u8* data = model.vertexBuffer->GetData();
        plain.models.push_back({std::vector<u8>(data, data + plain.stride * model.vertexBuffer->GetVertexCount()),
                                Transposed(GridPlace(i)), StartTime(i)});
    }
    return plain;
}

// The same pose as the skeleton's: blended translation, rotation and scale, the bone turned about its pivot.
void PoseBones(const PlainScene& plain, f32 time, Matrix4* skin, Matrix4* normal)
{
    const f32 wrapped = std::fmod(time, static_cast<f32>(kFrames - 1));
    const u32 frame = static_cast<u32>(wrapped);
    const u32 next = std::min(frame + 1, kFrames - 1);
    const f32 blend = wrapped - frame;
    for (u32 b = 0; b < kBones; ++b)
    {
        const f32* a = &plain.keys[(frame * kBones + b) * 10];
        const f32* c = &plain.keys[(next * kBones + b) * 10];
        Quaternion rotation;
        LerpQuaternion(rotation, Quaternion(a[3], a[4], a[5], a[6]), Quaternion(c[3], c[4], c[5], c[6]), blend);
        Matrix4 r;
        rotation.ToMatrix(r);
        Matrix4 pivot;
        MakeTranslationMatrix(pivot, plain.pivots[b]);
        Matrix4 t;
        MakeTranslationMatrix(t, Vector3(a[0], a[1], a[2]) * (1.0f - blend) + Vector3(c[0], c[1], c[2]) * blend);
        Matrix4 scale;
        MakeScalingMatrix(scale, Vector3(a[7], a[8], a[9]) * (1.0f - blend) + Vector3(c[7], c[8], c[9]) * blend);
        normal[b] = (r * scale) * pivot;
        skin[b] = t * normal[b];
    }
}

void SkinVertices(const PlainScene& plain, const Matrix4* skin, const Matrix4* normal, u8* out)
{
    for (const SkinRecord& record : plain.skins)
    {
        Vector3 position(0.0f);
        Vector3 direction(0.0f);
        for (u32 k = 0; k < record.count; ++k)
        {
            const SkinInfluence& influence = record.influences[k];
            position += skin[influence.bone].TransformPoint(influence.position) * influence.weight;
            direction += normal[influence.bone].TransformPoint(influence.normal) * influence.weight;
        }
        std::memcpy(out, &position, sizeof(position));
        std::memcpy(out + 12, &direction, sizeof(direction));
        out += plain.stride;
    }
}

void PlainFrame(PlainScene& plain)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Matrix4 skin[kBones];
    Matrix4 normal[kBones];
    for (PlainModel& model : plain.models)
    {
        model.time += kSpeed * static_cast<f32>(kFrameSeconds);
        PoseBones(plain, model.time, skin, normal);
        SkinVertices(plain, skin, normal, model.vertices.data());
        glLoadMatrixf(plain.view.data());
        glMultMatrixf(model.world.data());
        const u8* data = model.vertices.data();
        const GLsizei stride = static_cast<GLsizei>(plain.stride);
        glVertexPointer(3, GL_FLOAT, stride, data);
        glNormalPointer(GL_FLOAT, stride, data + 12);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, data + VertexBuffer::ColorOffset);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(plain.indices.size()), GL_UNSIGNED_SHORT, plain.indices.data());
    }
    glFinish();
}

void DrawThroughPlainLoop(benchmark::State& state)
{
    Scene& scene = TheScene();
    PlainScene plain = MakePlainScene(scene);
    RenderSystem& render = scene.bed.Render();
    render.BeginScene(); // the same framebuffer
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(plain.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    BenchSupport::UseClientArrays();
    PlainFrame(plain); // warming up, as for the model manager
    for (auto _ : state)
        PlainFrame(plain);
    // The last frame, at the animation times of the model manager's last frame.
    for (u32 i = 0; i < kModels; ++i)
        plain.models[i].time = StartTime(i);
    PlainFrame(plain);
    render.EndScene();
    // The loop changed GL behind the device's back: it sends all of its own state again on its next draw.
    Platform::GLContext::SetStateOwner(nullptr);
    Pictures().KeepReference(scene.bed.Screenshot());
    const std::string disagreement = Pictures().Disagreement();
    if (Pictures().HasBoth() && !disagreement.empty())
        state.SkipWithError(disagreement.c_str());
}
}

BENCHMARK(DrawThroughModelManager)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(DrawThroughPlainLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // The software GL driver takes and frees its binning memory every frame. With the C library's default
    // trimming, whichever loop runs while that memory sits at the top of the heap gives it back to the system
    // and faults it in again every frame; keeping it lets both loops measure drawing.
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("500 animated skinned models a frame: model manager / plain loop",
                        "DrawThroughModelManager/min_time:2.000/real_time",
                        "DrawThroughPlainLoop/min_time:2.000/real_time", 1.5);
    const std::string disagreement = Pictures().Disagreement();
    if (Pictures().HasBoth() && !disagreement.empty())
    {
        std::printf("500 animated skinned models: %s\n", disagreement.c_str());
        return 1;
    }
    return 0;
}
