// The play's cost on the densest generated level, with the game's own objects on the engine's recording twins.
// Collision: one frame of collision work for 18 balls, nine just below blocks heading into them and nine loose in
// the field, swept through the collision world filled as the ball manager fills it every frame (the bat's two
// parts and every floor-standing block through its collision model), against a brute-force sweep of the same
// balls against every triangle of the same objects (one mesh holding them all, so nothing is left out). Update:
// the game logic's frame (field, effects, blocks, bat, 18 balls bouncing and breaking blocks, bonuses, fragments;
// no drawing) as a share of a 60 Hz frame, the level built afresh whenever it has been played for a while. The
// ratios are printed in the form bench/run-all.sh gathers.
#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/BlockStack.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "game/play/Physics.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/ModelTestBed.h"

#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VelkorEngine;
using Korvane::CollisionHit;
namespace CollisionIds = Korvane::CollisionIds;
using Korvane::GameLogic;
using Korvane::Physics;

namespace
{
constexpr u32 kBalls = 18;
constexpr f32 kBallRadius = 2.5f;
// The fastest ball covers 125 units a second; at 60 frames a second that is about two units a frame.
constexpr f32 kStep = 125.0f / 60.0f;
constexpr double kFrameTime = 1.0 / 60.0;
constexpr double kFrameMicroseconds = 1e6 / 60.0;
// The bat's parts reach as far as the ball manager makes them.
constexpr f32 kBatPartDrop = 3.0f;
constexpr f32 kUnboundedZ = 1000.0f;
// Frames a level is played before it is built afresh: enough for the balls to thin out its front rows.
constexpr int kFramesPerLevel = 600;
constexpr u32 kLives = 9;

struct Sweep
{
    Vector3 position;
    Vector2 motion;
};

BoundingVolume BatPartBox(const BoundingVolume& part)
{
    BoundingVolume box;
    box.SetBox(Vector3(part.GetWorldMinimum().x, part.GetWorldMinimum().y - kBatPartDrop, -kUnboundedZ),
               Vector3(part.GetWorldMaximum().x, part.GetWorldMaximum().y - kBatPartDrop, kUnboundedZ));
    return box;
}

u32 ReadIndex(const IndexBuffer& indices, u32 position)
{
    if (indices.Is32Bit() != 0)
    {
        u32 index;
        std::memcpy(&index, indices.GetData() + 4 * static_cast<size_t>(position), sizeof(index));
        return index;
    }
    u16 index;
    std::memcpy(&index, indices.GetData() + 2 * static_cast<size_t>(position), sizeof(index));
    return index;
}

Vector3 ReadPosition(const VertexBuffer& vertices, u32 index)
{
    f32 values[3];
    std::memcpy(values, vertices.GetData() + static_cast<size_t>(vertices.GetStride()) * index, sizeof(values));
    return Vector3(values[0], values[1], values[2]);
}

// A model's triangles in world space, read the way they are drawn (every second one of a strip turned round).
void AppendTriangles(const Model& model, const Matrix4& world, std::vector<Vector3>& corners)
{
    const VertexBuffer& vertices = *model.vertexBuffer;
    const IndexBuffer& indices = *model.indexBuffer;
    const bool list = (model.flags & ModelFlags::TriangleList) != 0;
    const u32 count = indices.GetIndexCount();
    const u32 triangles = list ? count / 3 : (count >= 3 ? count - 2 : 0);
    for (u32 t = 0; t < triangles; ++t)
    {
        const u32 first = list ? 3 * t : t;
        u32 at[3] = {ReadIndex(indices, first), ReadIndex(indices, first + 1), ReadIndex(indices, first + 2)};
        if (!list && (t & 1) != 0)
            std::swap(at[0], at[1]);
        for (u32 corner : at)
            corners.push_back(world.TransformPoint(ReadPosition(vertices, corner)));
    }
}

void AppendBox(const BoundingVolume& box, std::vector<Vector3>& corners)
{
    static constexpr u32 kFaces[12][3] = {{0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}, {0, 1, 5}, {0, 5, 4},
                                          {2, 6, 7}, {2, 7, 3}, {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}};
    const Vector3 low = box.GetWorldMinimum();
    const Vector3 high = box.GetWorldMaximum();
    for (const auto& face : kFaces)
        for (u32 corner : face)
            corners.emplace_back((corner & 1) != 0 ? high.x : low.x, (corner & 2) != 0 ? high.y : low.y,
                                 (corner & 4) != 0 ? high.z : low.z);
}

// The densest generated level in play, its balls and both ways of sweeping them.
class DenseLevel
{
public:
    DenseLevel()
        : m_play(KORVANE_DATA_ROOT, 18), m_log("Play bench", 0, 0, "", ""), m_bruteForce(&m_log),
          m_world(&m_log)
    {
        m_play.frameTime = kFrameTime;
        FindDensestLevel();
        Restart();
        m_blockCount = static_cast<u32>(m_play.logic->GetGeometry().GetBlocks().size());
        PlaceSweeps();
        FillWorld();
        BuildMesh();
    }

    u32 GetBlockCount() const { return m_blockCount; }
    const std::string& GetLevelName() const { return m_levelName; }

    void SweepThroughWorld(benchmark::State& state)
    {
        FillWorld();
        SweepBalls(m_world, state);
    }

    void SweepAgainstEveryTriangle(benchmark::State& state) { SweepBalls(m_bruteForce, state); }

    // One frame of the game logic with 18 balls kept in play.
    void PlayOneFrame(benchmark::State& state)
    {
        if (m_framesPlayed >= kFramesPerLevel)
        {
            state.PauseTiming();
            Restart();
            state.ResumeTiming();
        }
        GameLogic& logic = *m_play.logic;
        Korvane::BallManager& balls = logic.GetBallManager();
        while (balls.GetBalls().size() < kBalls)
            balls.AddFreeBall(Korvane::BallKind::Simple, Vector2(RandomSignedFloat() * 60.0f, -40.0f),
                              Vector2(RandomSignedFloat(), 1.0f));
        m_play.AdvanceClock();
        logic.Update();
        ++m_framesPlayed;
    }

private:
    void FindDensestLevel()
    {
        const TestSupport::GeneratedLevelBed::LevelPlace densest = m_play.FindDensestLevel(kLives);
        m_stage = densest.stage;
        m_level = densest.level;
        m_levelName = std::to_string(m_stage) + "_" + std::to_string(m_level);
    }

    // The level from its start, its blocks all in place and the bat risen.
    void Restart()
    {
        GameLogic& logic = m_play.Play(m_stage, m_level, kLives);
        for (int i = 0; i < 600 && !logic.GetBat().HasRisen(); ++i)
        {
            m_play.AdvanceClock();
            logic.Update();
        }
        m_framesPlayed = 0;
    }

    // What the ball manager puts into its world every frame.
    void FillWorld()
    {
        const GameLogic& logic = *m_play.logic;
        m_world.ClearObjects();
        m_world.AddStaticObject(BatPartBox(logic.GetBat().GetHeadBounds()), CollisionIds::BatHead);
        m_world.AddStaticObject(BatPartBox(logic.GetBat().GetBodyBounds()), CollisionIds::BatBody);
        const Korvane::GameGeometry& geometry = logic.GetGeometry();
        const auto& blocks = geometry.GetBlocks();
        for (u32 i = 0; i < blocks.size(); ++i)
        {
            const Korvane::Block& block = *blocks[i];
            if (!block.IsAlive() || !geometry.GetStack().GetSupports(block.GetId()).empty())
                continue;
            const Model* model = block.GetCollisionModel() != nullptr ? block.GetCollisionModel() : block.GetModel();
            m_world.AddModelObject(model, model->worldMatrix, CollisionIds::BlockIdBase + i);
        }
    }

    // Every triangle the world holds, in one triangle list.
    void BuildMesh()
    {
        std::vector<Vector3> corners;
        for (u32 i = 0; i < m_world.GetObjectCount(); ++i)
        {
            const Korvane::CollisionObject& object = m_world.GetObject(i);
            if (object.model != nullptr)
                AppendTriangles(*object.model, object.transform, corners);
            else
                AppendBox(object.worldBounds, corners);
        }
        m_triangles = static_cast<u32>(corners.size() / 3);
        std::vector<u32> indices(corners.size());
        for (u32 i = 0; i < indices.size(); ++i)
            indices[i] = i;
        const u32 count = static_cast<u32>(corners.size());
        m_mesh = std::make_unique<Model>(m_models.Services(), ModelFlags::TriangleList, count, count, 1, nullptr,
                                         nullptr);
        u8* vertices = m_mesh->vertexBuffer->Lock(0, count);
        for (u32 i = 0; i < count; ++i)
            std::memcpy(vertices + i * m_mesh->vertexBuffer->GetStride(), &corners[i], sizeof(Vector3));
        m_mesh->vertexBuffer->Unlock();
        m_mesh->indexBuffer->SetIndices(0, count, indices.data());
        m_mesh->ComputeBounds(m_mesh->bounds, Model::InModelSpace);
        Matrix4 identity;
        MakeIdentityMatrix(identity);
        m_bruteForce.AddModelObject(m_mesh.get(), identity, CollisionIds::BlockIdBase);
    }

    // Nine balls just below the front of floor-standing blocks, heading up into them; nine loose in the field.
    void PlaceSweeps()
    {
        SeedRandom(18);
        const Korvane::GameGeometry& geometry = m_play.logic->GetGeometry();
        const auto& blocks = geometry.GetBlocks();
        for (u32 i = 0; i < blocks.size() && m_sweeps.size() < kBalls / 2; i += 1 + static_cast<u32>(blocks.size()) / 9)
        {
            const BoundingVolume box = blocks[i]->GetBounds();
            const Vector3 below(box.GetCenter().x, box.GetWorldMinimum().y - kBallRadius - 0.5f, kBallRadius);
            m_sweeps.push_back({below, Vector2(0.3f * kStep, 0.95f * kStep)});
        }
        while (m_sweeps.size() < kBalls)
        {
            const f32 angle = 6.2831853f * RandomFloat();
            m_sweeps.push_back({Vector3(70.0f * RandomSignedFloat(), -60.0f + 100.0f * RandomFloat(), kBallRadius),
                                Vector2(std::cos(angle) * kStep, std::sin(angle) * kStep)});
        }
    }

    void SweepBalls(Physics& physics, benchmark::State& state)
    {
        u32 triangles = 0;
        u32 hits = 0;
        for (const Sweep& sweep : m_sweeps)
        {
            Vector2 end;
            CollisionHit hit;
            const bool met = physics.Query(kBallRadius, sweep.position, sweep.motion, m_ignored, end, hit);
            benchmark::DoNotOptimize(end);
            hits += met ? 1 : 0;
            triangles += physics.GetTriangleCount();
        }
        // Triangles swept for all the balls together, and the balls stopped.
        state.counters["triangles"] = triangles;
        state.counters["hits"] = hits;
    }

    TestSupport::GeneratedLevelBed m_play;
    MessageManager m_log;
    TestSupport::ModelTestBed m_models;
    Physics m_bruteForce;
    Physics m_world;
    std::unique_ptr<Model> m_mesh;
    std::vector<Sweep> m_sweeps;
    std::set<u32> m_ignored;
    u32 m_stage = 0;
    u32 m_level = 0;
    std::string m_levelName;
    u32 m_blockCount = 0;
    u32 m_triangles = 0;
    int m_framesPlayed = 0;
};

DenseLevel& TheLevel()
{
    static DenseLevel level;
    return level;
}

void CollisionWorld(benchmark::State& state)
{
    DenseLevel& level = TheLevel();
    for (auto _ : state)
        level.SweepThroughWorld(state);
}

void BruteForce(benchmark::State& state)
{
    DenseLevel& level = TheLevel();
    for (auto _ : state)
        level.SweepAgainstEveryTriangle(state);
}

void PlayUpdate(benchmark::State& state)
{
    DenseLevel& level = TheLevel();
    for (auto _ : state)
        level.PlayOneFrame(state);
}
}

BENCHMARK(CollisionWorld)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BruteForce)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(PlayUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(3 * kFramesPerLevel);

int main(int argc, char** argv)
{
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    const DenseLevel& level = TheLevel();
    const std::string where = "level " + level.GetLevelName() + " (" + std::to_string(level.GetBlockCount()) + " blocks)";
    reporter.PrintRatio("collision of 18 balls in " + where + ": collision world / every triangle",
                        "CollisionWorld/real_time", "BruteForce/real_time", 0.3);
    const double frame =
        reporter.TimeOf("PlayUpdate/iterations:" + std::to_string(3 * kFramesPerLevel) + "/real_time");
    reporter.PrintComputedRatio("game logic frame of " + where + " with 18 balls, no drawing / 60 Hz frame",
                                frame > 0.0 ? frame / kFrameMicroseconds : -1.0, 0.05);
    return 0;
}
