// Collision cost of one play frame: 18 balls swept through the collision world of a dense level (a 14 x 16 grid
// of blocks with narrow gaps and twelve cells left empty; nine balls sit in empty cells, nine run along the
// bottom row; the bat's two parts), filled afresh as the ball manager does every frame, against a brute-force
// sweep of the same balls against every triangle of the same level (one mesh holding them all, so nothing is
// left out). And the play's own work of a frame as far as it stands without drawing (the world filled, 18 balls
// flown and bounced, the ball speed, the bat's motion, 126 fragments of broken blocks in flight) as a share of a
// 60 Hz frame. The ratios are printed in the form bench/run-all.sh gathers.
#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "game/play/BallFlight.h"
#include "game/play/BallSpeed.h"
#include "game/play/BatMotion.h"
#include "game/play/FieldLimits.h"
#include "game/play/FragmentFlight.h"
#include "game/play/Physics.h"
#include "tests/support/ModelTestBed.h"

#include "bench/support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <vector>

using namespace VelkorEngine;
using Korvane::BatShape;
using Korvane::CollisionHit;
using Korvane::FlyingBall;
using Korvane::FragmentFlight;
using Korvane::Physics;

namespace
{
constexpr u32 kColumns = 14;
constexpr u32 kRows = 16;
constexpr u32 kBalls = 18;
constexpr f32 kBlockWidth = 10.0f;
constexpr f32 kBlockDepth = 5.0f;
constexpr f32 kBlockHeight = 6.0f;
constexpr f32 kGap = 1.0f;
constexpr f32 kBallRadius = 2.5f;
// The fastest ball covers 125 units a second; at 60 frames a second that is about two units a frame.
constexpr f32 kStep = 125.0f / 60.0f;
constexpr f32 kFrame = 1.0f / 60.0f;
constexpr double kFrameMicroseconds = 1e6 / 60.0;
// Six pieces for each of 21 explosions, the most a kind of block keeps.
constexpr u32 kFragments = 126;

struct Ball
{
    Vector3 position;
    Vector2 motion;
};

// The level, its balls and both ways of sweeping them, built once.
class Level
{
public:
    Level()
        : m_log("Play bench", 0, 0, "", ""), m_world(&m_log), m_bruteForce(&m_log), m_flight(m_world, m_limits),
          m_speed(4)
    {
        for (u32 row = 0; row < kRows; ++row)
            for (u32 column = 0; column < kColumns; ++column)
            {
                if (IsHole(row, column))
                    continue;
                Matrix4 place;
                MakeTranslationMatrix(place, CellCorner(row, column));
                m_blocks.push_back(place);
            }
        m_blockBox = BoundingVolume(Vector3(-kBlockWidth / 2, 0, 0), Vector3(kBlockWidth / 2, kBlockDepth, kBlockHeight));
        m_batHead = BoundingVolume(Vector3(-12, -88, -1000), Vector3(12, -85, 1000));
        m_batBody = BoundingVolume(Vector3(-5, -93, -1000), Vector3(5, -88, 1000));
        BuildMesh();
        PlaceBalls();
        for (const Ball& ball : m_balls)
        {
            Vector2 direction = ball.motion;
            direction.SetLength(1.0f);
            m_flying.push_back(FlyingBall{Vector2(ball.position.x, ball.position.y), direction, Vector2(), kBallRadius});
        }
        for (u32 i = 0; i < kFragments; ++i)
            m_fragments.emplace_back(FragmentFlight::Settings(), BoundingVolume(Vector3(-2.5f), Vector3(2.5f)));
    }

    // The world filled as every frame, then everything that moves on the field moved once.
    void PlayOneFrame()
    {
        FillWorld();
        m_speed.Update(kFrame);
        m_bat.Update(kFrame, true, 400.0f + 300.0f * std::sin(m_clock), 12.0f);
        m_clock += kFrame;
        m_ignored.clear();
        const Vector3 bat = m_bat.GetWorldPosition();
        const BatShape shape{bat.x, 12.0f, bat.x};
        for (FlyingBall& ball : m_flying)
        {
            ball.motion = Vector2(ball.direction.x * m_speed.GetSpeed() * kFrame, ball.direction.y * m_speed.GetSpeed() * kFrame);
            m_flight.Step(ball, m_ignored, shape);
        }
        for (u32 i = 0; i < m_fragments.size(); ++i)
        {
            FragmentFlight& fragment = m_fragments[i];
            if (!fragment.IsFlying())
                fragment.Start(m_blocks[i % m_blocks.size()]);
            fragment.Update(kFrame);
        }
    }

    void SweepThroughWorld(benchmark::State& state)
    {
        FillWorld();
        SweepBalls(m_world, state);
    }

    void SweepAgainstEveryTriangle(benchmark::State& state)
    {
        Matrix4 identity;
        MakeIdentityMatrix(identity);
        m_bruteForce.ClearObjects();
        m_bruteForce.AddModelObject(m_mesh.get(), identity, Korvane::CollisionIds::BlockIdBase);
        SweepBalls(m_bruteForce, state);
    }

private:
    void FillWorld()
    {
        m_world.ClearObjects();
        m_world.AddStaticObject(m_batHead, Korvane::CollisionIds::BatHead);
        m_world.AddStaticObject(m_batBody, Korvane::CollisionIds::BatBody);
        for (u32 i = 0; i < m_blocks.size(); ++i)
            m_world.AddBoxObject(m_blockBox, m_blocks[i], Korvane::CollisionIds::BlockIdBase + i);
    }

    void SweepBalls(Physics& physics, benchmark::State& state)
    {
        u32 triangles = 0;
        for (const Ball& ball : m_balls)
        {
            Vector2 end;
            CollisionHit hit;
            const bool met = physics.Query(kBallRadius, ball.position, ball.motion, m_ignored, end, hit);
            benchmark::DoNotOptimize(met);
            benchmark::DoNotOptimize(end);
            triangles += physics.GetTriangleCount();
        }
        // Triangles swept for all the balls together.
        state.counters["triangles"] = triangles;
    }

    // Every block's twelve triangles, with the bat's parts, in one triangle list.
    void BuildMesh()
    {
        std::vector<Vector3> corners;
        auto addBox = [&](const Vector3& minimum, const Vector3& maximum) {
            for (u32 corner = 0; corner < 8; ++corner)
                corners.emplace_back((corner & 1) != 0 ? maximum.x : minimum.x, (corner & 2) != 0 ? maximum.y : minimum.y,
                                     (corner & 4) != 0 ? maximum.z : minimum.z);
        };
        for (const Matrix4& place : m_blocks)
            addBox(place.TransformPoint(m_blockBox.GetMinimum()), place.TransformPoint(m_blockBox.GetMaximum()));
        addBox(m_batHead.GetMinimum(), m_batHead.GetMaximum());
        addBox(m_batBody.GetMinimum(), m_batBody.GetMaximum());
        static constexpr u32 kFaces[12][3] = {{0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}, {0, 1, 5}, {0, 5, 4},
                                              {2, 6, 7}, {2, 7, 3}, {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}};
        std::vector<u32> indices;
        for (u32 box = 0; box < corners.size() / 8; ++box)
            for (const auto& face : kFaces)
                for (u32 corner : face)
                    indices.push_back(8 * box + corner);
        const u32 vertexCount = static_cast<u32>(corners.size());
        const u32 indexCount = static_cast<u32>(indices.size());
        m_mesh = std::make_unique<Model>(m_models.Services(), ModelFlags::TriangleList, vertexCount, indexCount, 1,
                                         nullptr, nullptr);
        u8* vertices = m_mesh->vertexBuffer->Lock(0, vertexCount);
        for (u32 i = 0; i < vertexCount; ++i)
            std::memcpy(vertices + i * m_mesh->vertexBuffer->GetStride(), &corners[i], sizeof(Vector3));
        m_mesh->vertexBuffer->Unlock();
        m_mesh->indexBuffer->SetIndices(0, indexCount, indices.data());
        m_mesh->ComputeBounds(m_mesh->bounds, Model::InModelSpace);
    }

    // Twelve cells of the level stay empty; nine of them hold a ball, the other nine balls run along the bottom row.
    static bool IsHole(u32 row, u32 column) { return row % 5 == 2 && column % 4 == 1; }

    static Vector3 CellCorner(u32 row, u32 column)
    {
        return Vector3(-77.0f + column * (kBlockWidth + kGap) + kBlockWidth / 2, row * (kBlockDepth + kGap), 0.0f);
    }

    void PlaceBalls()
    {
        std::mt19937 random(18);
        std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
        auto heading = [&]() {
            const f32 angle = 6.2831853f * unit(random);
            return Vector2(std::cos(angle) * kStep, std::sin(angle) * kStep);
        };
        for (u32 row = 0; row < kRows; ++row)
            for (u32 column = 0; column < kColumns; ++column)
                if (IsHole(row, column) && m_balls.size() < kBalls / 2)
                    m_balls.push_back({CellCorner(row, column) + Vector3(0, kBlockDepth / 2, kBallRadius), heading()});
        while (m_balls.size() < kBalls)
        {
            const f32 x = -70.0f + 140.0f * unit(random);
            m_balls.push_back({Vector3(x, -kBallRadius - 0.2f, kBallRadius), heading()});
        }
    }

    MessageManager m_log;
    TestSupport::ModelTestBed m_models;
    Physics m_world;
    Physics m_bruteForce;
    std::vector<Matrix4> m_blocks;
    BoundingVolume m_blockBox;
    BoundingVolume m_batHead;
    BoundingVolume m_batBody;
    std::unique_ptr<Model> m_mesh;
    std::vector<Ball> m_balls;
    std::set<u32> m_ignored;
    Korvane::FieldLimits m_limits{-77.0f, 77.0f, 110.0f};
    Korvane::BallFlight m_flight;
    std::vector<Korvane::FlyingBall> m_flying;
    Korvane::BallSpeed m_speed;
    Korvane::BatMotion m_bat;
    std::vector<FragmentFlight> m_fragments;
    f32 m_clock = 0.0f;
};

Level& TheLevel()
{
    static Level level;
    return level;
}

void CollisionWorld(benchmark::State& state)
{
    Level& level = TheLevel();
    for (auto _ : state)
        level.SweepThroughWorld(state);
}

void BruteForce(benchmark::State& state)
{
    Level& level = TheLevel();
    for (auto _ : state)
        level.SweepAgainstEveryTriangle(state);
}
}

void PlayUpdate(benchmark::State& state)
{
    Level& level = TheLevel();
    for (auto _ : state)
        level.PlayOneFrame();
}

BENCHMARK(CollisionWorld)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BruteForce)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(PlayUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv)
{
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("collision of 18 balls in a 212-block level: collision world / every triangle",
                        "CollisionWorld/real_time", "BruteForce/real_time", 0.3);
    const double frame = reporter.TimeOf("PlayUpdate/real_time");
    reporter.PrintComputedRatio("play update without drawing (world, 18 balls, bat, 126 fragments) / 60 Hz frame",
                                frame > 0.0 ? frame / kFrameMicroseconds : -1.0, 0.05);
    return 0;
}
