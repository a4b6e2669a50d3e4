// Particle cost: 10,000 live particles moved, bounced, faded, sorted and drawn every frame through a particle
// system, its sprite group and the model manager's drawing pass, against the same motion, sorting and quad
// writing done by a plain loop into one vertex buffer drawn through the same render system. Both wait for the
// frame to be finished; a third run measures the update without drawing. The plain loop's last frame and the
// engine's frame after as many steps from the same particles are read back; the two must agree, or the
// benchmark fails. Prints frames per second, the time
// per particle, the ratio against the plain loop and the ratio of the update (with the writing of the quads)
// against the budget of 4 ms a frame, the drawing shown apart, in the form bench/run-all.sh gathers.
#include "engine/core/Random.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/GLContext.h"
#include "tools/formats/ParticleFileWriter.h"
#include "tests/support/SpriteDrawBed.h"

#include "bench/support/PictureComparison.h"
#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace VelkorEngine;

namespace
{
constexpr u32 kParticles = 10000;
constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr double kBudgetMs = 4.0;
// Small sparks, so that filling pixels on a software rasteriser does not hide the work per particle.
constexpr f32 kHalfEdge = 0.05f;

// Every particle is born in the first frame and lives through the benchmark, falling, bouncing and fading.
ParticleSystemFile FountainOfTenThousand()
{
    ParticleSystemFile file = KorvaneTools::MakeFountainParticleFile();
    file.capacity = kParticles;
    ParticleParameters& p = file.parameters;
    p.period = 1e6f;
    p.continuousEmission = 0;
    p.emission = {static_cast<f32>(kParticles), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    p.lifeCentre.fill(1e6f);
    p.lifeSpread.fill(0.0f);
    p.dieWhenStopped = 0;
    // Drawn once at birth and kept for life, so a plain loop can follow the same paths.
    p.directionCentre = {Vector3(0.0f, 0.0f, 1.0f), Vector3(), Vector3(), Vector3(), Vector3(), Vector3()};
    p.directionSpread = {Vector3(0.5f, 0.5f, 0.2f), Vector3(), Vector3(), Vector3(), Vector3(), Vector3()};
    p.speedSpread.fill(0.0f);
    p.size.fill(kHalfEdge);
    return file;
}

struct EngineScene
{
    TestSupport::SpriteDrawBed draw;
    ParticleSystem* system = nullptr;
};

EngineScene& TheEngineScene()
{
    static EngineScene* scene = nullptr;
    if (scene)
        return *scene;
    scene = new EngineScene();
    SeedRandom(1);
    Camera* camera = scene->draw.cameras->GetDefaultCamera();
    camera->position = Vector3(0.0f, -12.0f, 3.0f);
    camera->orientation = Quaternion(0.5735765f, 0.0f, 0.0f, 0.8191520f); // looking along +y, a little down
    scene->draw.WriteDataFile("fountain.psf", KorvaneTools::BuildParticleFile(FountainOfTenThousand()));
    ParticleSystemManager& particles = *scene->draw.particleSystems;
    const std::unique_ptr<ParticleSystem> source(particles.NewParticleSystemFromFile("fountain.psf", nullptr));
    scene->system = particles.CreateParticleSystemCopy(*source);
    scene->system->active = 1;
    return *scene;
}

// Sparks of one colour, so the order in which overlapping ones are drawn does not matter; a position reached
// by another order of the same arithmetic may move a spark's edge by a pixel.
BenchSupport::PictureComparison& Pictures()
{
    static BenchSupport::PictureComparison pictures(16, 0.001);
    return pictures;
}

void EngineFrame(EngineScene& scene)
{
    scene.draw.Frame(kFrameSeconds);
    glFinish();
}

void ParticlesThroughEngine(benchmark::State& state)
{
    EngineScene& scene = TheEngineScene();
    EngineFrame(scene); // the burst, and the driver's first draw
    if (scene.system->GetAliveCount() != kParticles)
        state.SkipWithError("the particles did not all come alive");
    for (auto _ : state)
        EngineFrame(scene);
    state.counters["alive"] = scene.system->GetAliveCount();
}

// The particle systems' and sprite groups' share of the frame, without drawing.
void ParticlesUpdatedOnly(benchmark::State& state)
{
    EngineScene& scene = TheEngineScene();
    EngineFrame(scene);
    for (auto _ : state)
    {
        scene.draw.clock.Step(kFrameSeconds);
        scene.draw.particleSystems->Update();
        scene.draw.spriteGroups->Update();
    }
}

// The plain loop's particles: the engine's particles taken over as they stand, then moved by the same rules
// (their direction fixed, a speed, gravity and the bouncing floor), without keys, records or sprite groups.
struct PlainParticles
{
    std::vector<Vector3> position;
    std::vector<Vector3> direction;
    std::vector<f32> speedScale;
    std::vector<f32> fallSpeed;
    std::vector<f32> depth;
    std::vector<u32> order;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
};

void StartPlainParticles(PlainParticles& particles, const ParticleSystem& system, RenderSystem& render)
{
    for (u32 i = 0; i < kParticles; ++i)
    {
        const Particle& particle = system.GetParticle(i);
        particles.position.push_back(system.GetSpriteGroup()->GetSprite(particle.sprite)->position);
        particles.direction.push_back(particle.directionKeys[0]);
        particles.speedScale.push_back(particle.speedScale);
        particles.fallSpeed.push_back(particle.fallSpeed);
    }
    particles.depth.resize(kParticles);
    particles.order.resize(kParticles);
    particles.vertices = render.CreateVertexBuffer(0, 1, 4 * kParticles);
    particles.indices = render.CreateIndexBuffer(0, 6 * kParticles);
    std::vector<u32> indices(6 * kParticles);
    const u32 quad[6] = {0, 1, 2, 2, 1, 3};
    for (u32 i = 0; i < 6 * kParticles; ++i)
        indices[i] = 4 * (i / 6) + quad[i % 6];
    particles.indices->SetIndices(0, 6 * kParticles, indices.data());
}

void MovePlainParticles(PlainParticles& particles, const ParticleParameters& p, f32 dt)
{
    for (u32 i = 0; i < kParticles; ++i)
    {
        Vector3 move = particles.direction[i] * (p.speedCentre[0] * particles.speedScale[i] * 100.0f * dt);
        particles.fallSpeed[i] += p.gravity * dt;
        move.z -= particles.fallSpeed[i] * 100.0f * dt;
        Vector3& position = particles.position[i];
        position += move;
        if (position.z < p.floorHeight)
        {
            position.z = p.floorHeight + 0.001f;
            particles.fallSpeed[i] = 0.0f;
            particles.speedScale[i] *= p.bounceFactor;
            if (particles.speedScale[i] < p.stopThreshold)
                particles.speedScale[i] = 0.0f;
            move.z = std::fabs(move.z);
            particles.direction[i] = move.GetNormalized();
        }
    }
}

void WritePlainQuads(PlainParticles& particles, const Camera& camera, const Color& color)
{
    const Vector3 eye = camera.position;
    for (u32 i = 0; i < kParticles; ++i)
        particles.depth[i] = camera.GetViewAxis().Dot(eye - particles.position[i]);
    std::iota(particles.order.begin(), particles.order.end(), 0u);
    std::sort(particles.order.begin(), particles.order.end(),
              [&](u32 a, u32 b) { return particles.depth[a] > particles.depth[b]; });
    const Vector3 rightPlusUp = (camera.GetRightAxis() + camera.GetUpAxis()) * kHalfEdge;
    const Vector3 rightMinusUp = (camera.GetRightAxis() - camera.GetUpAxis()) * kHalfEdge;
    const u32 colour = particles.vertices->FloatsToColor(color);
    const u32 stride = particles.vertices->GetStride();
    u8* vertex = particles.vertices->Lock(0, 4 * kParticles);
    for (u32 k = 0; k < kParticles; ++k)
    {
        const Vector3& p = particles.position[particles.order[k]];
        const Vector3 corners[4] = {p - rightPlusUp, p - rightMinusUp, p + rightMinusUp, p + rightPlusUp};
        for (const Vector3& corner : corners)
        {
            std::memcpy(vertex, &corner, sizeof(corner));
            std::memcpy(vertex + VertexBuffer::ColorOffset, &colour, sizeof(colour));
            vertex += stride;
        }
    }
    particles.vertices->Unlock();
}

Matrix4 Matrix4Identity()
{
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    return identity;
}

void PlainFrame(EngineScene& scene, PlainParticles& particles)
{
    scene.draw.clock.Step(kFrameSeconds);
    scene.draw.cameras->Update();
    MovePlainParticles(particles, scene.system->GetParameters(), scene.draw.clock.Timers()->GetFrameTime());
    WritePlainQuads(particles, *scene.draw.cameras->GetDefaultCamera(), scene.system->GetParameters().color[0]);
    RenderSystem& render = *scene.draw.render;
    render.BeginScene();
    // The states the sprite group's model draws with.
    scene.draw.cameras->SetCurrentCamera(scene.draw.cameras->GetDefaultCamera(), false);
    scene.draw.lights->EnableLighting(false);
    render.SetWorldMatrix(Matrix4Identity());
    render.SetZ(true);
    render.SetZWrite(false);
    render.SetAlphaBlend(false);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, particles.indices.get(), particles.vertices.get(),
                                2 * kParticles);
    render.EndScene();
    glFinish();
}

void ParticlesThroughPlainLoop(benchmark::State& state)
{
    EngineScene& scene = TheEngineScene();
    PlainParticles particles;
    StartPlainParticles(particles, *scene.system, *scene.draw.render);
    scene.system->SetVisible(false);
    PlainFrame(scene, particles);
    u32 frames = 1;
    for (auto _ : state)
    {
        PlainFrame(scene, particles);
        ++frames;
    }
    Pictures().KeepReference(scene.draw.bed.Screenshot());
    scene.system->SetVisible(true);
    // The engine's particles stood still since the plain loop took them over: moved through as many steps, the
    // last one drawn, they must show what the plain loop's last frame shows.
    for (u32 frame = 1; frame < frames; ++frame)
    {
        scene.draw.clock.Step(kFrameSeconds);
        scene.draw.particleSystems->Update();
        scene.draw.spriteGroups->Update();
    }
    EngineFrame(scene);
    Pictures().KeepOurs(scene.draw.bed.Screenshot());
    const std::string disagreement = Pictures().Disagreement();
    if (!disagreement.empty())
        state.SkipWithError(disagreement.c_str());
}
}

BENCHMARK(ParticlesThroughEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(ParticlesUpdatedOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(ParticlesThroughPlainLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    const char* engine = "ParticlesThroughEngine/min_time:2.000/real_time";
    reporter.PrintRatio("10,000 particles a frame: particle system / plain loop", engine,
                        "ParticlesThroughPlainLoop/min_time:2.000/real_time", 1.3);
    const double frameMs = reporter.TimeOf(engine);
    if (frameMs > 0.0)
    {
        std::printf("10,000 particles: %.0f frames per second, %.0f ns per particle\n", 1000.0 / frameMs,
                    frameMs * 1e6 / kParticles);
    }
    // The budget is for the engine's own work, the update and the writing of the quads; drawing them on a
    // software rasteriser is the driver's and is shown apart, for information.
    const double updateMs = reporter.TimeOf("ParticlesUpdatedOnly/min_time:2.000/real_time");
    if (updateMs > 0.0)
        std::printf("of which particle systems and sprite groups: %.2f ms, %.0f ns per particle\n", updateMs,
                    updateMs * 1e6 / kParticles);
    reporter.PrintComputedRatio("10,000 particles: update and quad writing / 4 ms budget",
                                updateMs > 0.0 ? updateMs / kBudgetMs : -1.0, 1.0);
    reporter.PrintComputedRatio("10,000 particles: drawing on the rasteriser / 4 ms budget",
                                frameMs > 0.0 && updateMs > 0.0 ? std::max(frameMs - updateMs, 0.0) / kBudgetMs : -1.0,
                                0.0);
    const std::string disagreement = Pictures().Disagreement();
    if (Pictures().HasBoth() && !disagreement.empty())
    {
        std::printf("10,000 particles: %s\n", disagreement.c_str());
        return 1;
    }
    return 0;
}
