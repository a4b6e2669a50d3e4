// The ten generated levels played for minutes of game time (two at 50 frames a second, four at 10) by a bat
// that follows the lowest falling ball, with balls split now and then: no ball ends a frame inside a block (as
// the balls saw the blocks; the blocks move after them) or past a wall, and no block is hit by a ball whose
// centre is below the block's bottom.
#include "engine/core/BoundingVolume.h"
#include "engine/scene/ParticleSystem.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/GameGeometry.h"
#include "tests/support/PlayTestBed.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using Korvane::Ball;
using TestSupport::PlayTestBed;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
constexpr float kWallTolerance = 1e-3f;
// A centre this far inside a block's box is inside the block, not touching its side.
constexpr float kInsideTolerance = 0.05f;
// A hit's point lies on the surface of what it touched, to rounding.
constexpr float kTouch = 0.01f;
constexpr int kSplitEvery = 600;
constexpr size_t kMostBalls = 6;

struct SeenBlock
{
    unsigned id;
    std::string name;
    VelkorEngine::BoundingVolume box;
};

struct LevelRun
{
    const char* level;
    double frameTime;
    double seconds;
};

void PrintTo(const LevelRun& run, std::ostream* out)
{
    *out << run.level << " at " << run.frameTime << " s a frame for " << run.seconds << " s";
}

std::string RunName(const testing::TestParamInfo<LevelRun>& info)
{
    std::string name = std::string("level_") + info.param.level + "_at_" +
                       std::to_string(static_cast<int>(1.0 / info.param.frameTime + 0.5)) + "fps";
    return name;
}

class LevelPlay : public testing::TestWithParam<LevelRun>
{
protected:
    LevelPlay() : play(4321, KORVANE_DATA_STAGE) {}

    // The bat goes under the lowest ball on its way down, or the lowest ball of all.
    void FollowBalls()
    {
        const Ball* lowest = nullptr;
        for (const Ball* ball : play.balls->GetBalls())
        {
            const bool falling = ball->GetFlight().direction.y < 0.0f;
            const bool lowestFalling = lowest != nullptr && lowest->GetFlight().direction.y < 0.0f;
            if (lowest == nullptr || (falling && !lowestFalling) ||
                (falling == lowestFalling && ball->GetFlight().position.y < lowest->GetFlight().position.y))
                lowest = ball;
        }
        if (lowest != nullptr)
            play.cursor.x = (lowest->GetFlight().position.x + 75.0f) / 150.0f * 800.0f;
    }

    void KeepBallsComing(int frame)
    {
        if (play.balls->GetBalls().empty())
        {
            play.balls->AddBall(Korvane::BallKind::Simple);
            play.balls->RequestLaunch();
        }
        else if (frame % kSplitEvery == 0 && play.balls->GetBalls().size() < kMostBalls)
            play.balls->SplitBalls();
    }

    void ExpectBallsClear(int frame)
    {
        for (const Ball* ball : play.balls->GetBalls())
        {
            if (ball->IsHeld())
                continue;
            const Vector2& p = ball->GetFlight().position;
            const float r = ball->GetFlight().radius;
            ASSERT_GE(p.x - r, PlayTestBed::Left - kWallTolerance) << "frame " << frame;
            ASSERT_LE(p.x + r, PlayTestBed::Right + kWallTolerance) << "frame " << frame;
            ASSERT_LE(p.y + r, PlayTestBed::Top + kWallTolerance) << "frame " << frame;
            for (const SeenBlock& block : seen)
            {
                const Vector3& low = block.box.GetWorldMinimum();
                const Vector3& high = block.box.GetWorldMaximum();
                if (low.z > r || high.z < r || !play.geometry->FindBlock(block.id))
                    continue;
                const bool inside = p.x > low.x + kInsideTolerance && p.x < high.x - kInsideTolerance &&
                                    p.y > low.y + kInsideTolerance && p.y < high.y - kInsideTolerance;
                ASSERT_FALSE(inside) << "frame " << frame << ": ball at " << p.x << ", " << p.y << " inside "
                                     << block.name << " " << block.id;
            }
        }
    }

    // Every hit lights a spark where the ball touched; it is read and put out again for the next hit. A hit on
    // a block touches a block at the ball's height: its bottom at or below the ball's centre.
    void ExpectNoHitFromBelow(int frame)
    {
        for (unsigned kind = 0; kind < 2; ++kind)
            for (VelkorEngine::ParticleSystem* spark : play.balls->GetHitEffects(kind))
            {
                if (spark->active == 0)
                    continue;
                ++hits;
                const Vector3& at = spark->emitterPosition;
                for (const SeenBlock& block : seen)
                {
                    const Vector3& low = block.box.GetWorldMinimum();
                    const Vector3& high = block.box.GetWorldMaximum();
                    const bool touched = at.x >= low.x - kTouch && at.x <= high.x + kTouch &&
                                         at.y >= low.y - kTouch && at.y <= high.y + kTouch &&
                                         at.z >= low.z - kTouch && at.z <= high.z + kTouch;
                    EXPECT_TRUE(!touched || low.z <= radii[kind])
                        << "frame " << frame << ": " << block.name << " " << block.id << " hit from below";
                }
                spark->active = 0;
            }
    }

    // The blocks move after the balls in a frame: the balls are checked against the blocks they moved among.
    void NoteBlocks()
    {
        seen.clear();
        for (const auto& block : play.geometry->GetBlocks())
            if (block->IsAlive())
                seen.push_back(SeenBlock{block->GetId(), block->GetName(), block->GetBounds()});
    }

    void CountBlocksInTheAir()
    {
        for (const auto& block : play.geometry->GetBlocks())
            if (block->IsAlive() && block->Reacts() && play.geometry->GetStack().GetSupports(block->GetId()).empty() &&
                block->GetBounds().GetWorldMinimum().z > 2.5f)
                ++airborneFrames;
    }

    PlayTestBed play;
    float radii[2] = {0.0f, 0.0f};
    std::vector<SeenBlock> seen;
    int hits = 0;
    int airborneFrames = 0;
};

TEST_P(LevelPlay, NoBallInABlockOrPastAWallAndNoHitFromBelow)
{
    const LevelRun& run = GetParam();
    play.frameTime = run.frameTime;
    play.BuildLevel(std::string(run.level) + ".krg");
    play.balls->AddBall(Korvane::BallKind::Simple);
    const Ball& first = *play.balls->GetBalls().front();
    radii[0] = first.GetRadius(Korvane::BallKind::Simple);
    radii[1] = first.GetRadius(Korvane::BallKind::Super);
    ASSERT_FLOAT_EQ(radii[0], 2.5f);
    ASSERT_FLOAT_EQ(radii[1], 3.0f);
    play.Frames(static_cast<int>(2.0 / run.frameTime));
    ASSERT_TRUE(play.bat->IsReady());
    play.balls->RequestLaunch();
    const int frames = static_cast<int>(run.seconds / run.frameTime);
    const int startCount = play.geometry->GetRemainingCount();
    for (int frame = 1; frame <= frames && !HasFatalFailure(); ++frame)
    {
        KeepBallsComing(frame);
        FollowBalls();
        NoteBlocks();
        play.Frames(1);
        ExpectBallsClear(frame);
        ExpectNoHitFromBelow(frame);
        CountBlocksInTheAir();
    }
    EXPECT_GT(hits, 100);
    EXPECT_LT(play.geometry->GetRemainingCount(), startCount);
    RecordProperty("hits", hits);
    RecordProperty("airborne_block_frames", airborneFrames);
}

INSTANTIATE_TEST_SUITE_P(GeneratedLevels, LevelPlay,
                         testing::Values(LevelRun{"00_00", 0.02, 120}, LevelRun{"00_01", 0.02, 120},
                                         LevelRun{"00_02", 0.02, 120}, LevelRun{"00_03", 0.02, 120},
                                         LevelRun{"00_04", 0.02, 120}, LevelRun{"01_00", 0.02, 120},
                                         LevelRun{"01_01", 0.02, 120}, LevelRun{"01_02", 0.02, 120},
                                         LevelRun{"01_03", 0.02, 120}, LevelRun{"01_04", 0.02, 120},
                                         LevelRun{"00_00", 0.1, 240}, LevelRun{"00_01", 0.1, 240},
                                         LevelRun{"00_02", 0.1, 240}, LevelRun{"00_03", 0.1, 240},
                                         LevelRun{"00_04", 0.1, 240}, LevelRun{"01_00", 0.1, 240},
                                         LevelRun{"01_01", 0.1, 240}, LevelRun{"01_02", 0.1, 240},
                                         LevelRun{"01_03", 0.1, 240}, LevelRun{"01_04", 0.1, 240}),
                         RunName);
}
