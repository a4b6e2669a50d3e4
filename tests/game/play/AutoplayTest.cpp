// Whole levels of the generated data set played by scripts at a fixed frame time with a seeded generator: one that
// follows the ball clears every level, one that never moves the bat loses every life.
#include "game/play/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/files/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/ScoreKeeper.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/GameGeometry.h"
#include "tests/game/play/PlayTestCommon.h"
#include "tests/support/ScreenPictures.h"
#include "tests/support/BallFollower.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

using namespace Korvane;
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
using PlayTest::LevelCase;

// Simulated seconds a level may take.
constexpr double kLevelTimeBound = 400.0;
// Whole levels are played at 20 frames a second, within the engine's range of frame times, so that they stay
// short under the sanitizers too.
constexpr double kAutoplayFrameTime = 0.05;

using TestSupport::BallFollower;

// Every score event is heard through its own sound: the score they add up to.
u32 ScoreOfHeardEvents(const TestSupport::RecordingSoundPlayer& sounds)
{
    struct Event
    {
        u32 sound;
        u32 points;
    };
    const Event events[] = {{23, 85}, {10, 5}, {11, 5}, {12, 5}, {8, 5}, {13, 5}, {15, 10}, {14, 20}, {16, 15}};
    u32 score = 0;
    for (const Event& event : events)
        score += sounds.Count(event.sound) * event.points;
    return score;
}

std::string PlayerLevelName(const testing::TestParamInfo<LevelCase>& info)
{
    return "Level" + std::to_string(info.param.stage + 1) + "_" + std::to_string(info.param.level + 1);
}

class AutoplayLevels : public testing::TestWithParam<LevelCase>
{
};
}

TEST_P(AutoplayLevels, AScriptFollowingTheBallClearsTheLevelAndScoresWhatItsEventsAddUpTo)
{
    TestSupport::GeneratedLevelBed play(KORVANE_DATA_ROOT, 4321);
    play.frameTime = kAutoplayFrameTime;
    GameLogic& logic = play.Play(GetParam().stage, GetParam().level, 9);
    BallFollower player(logic);
    const int frameBound = static_cast<int>(kLevelTimeBound / kAutoplayFrameTime);
    int frames = 0;
    for (; frames < frameBound && logic.GetState() == GameLogic::StatePlaying; ++frames)
    {
        player.Step(play.cursor);
        play.Frame();
    }
    EXPECT_EQ(logic.GetState(), GameLogic::StateLevelComplete)
        << "bricks left " << logic.GetGeometry().GetRemainingCount() << " after " << frames << " frames";
    EXPECT_GT(logic.lives, 0u);
    EXPECT_EQ(logic.GetPoints(), ScoreOfHeardEvents(*play.sounds));
    EXPECT_GT(logic.GetPoints(), 0u);
    EXPECT_EQ(play.sounds->Count(GameLogic::SoundLevelComplete), 1u);
    RecordProperty("simulated_seconds", std::to_string(frames * kAutoplayFrameTime));
    RecordProperty("lives_left", std::to_string(logic.lives));
}

INSTANTIATE_TEST_SUITE_P(Generated, AutoplayLevels,
                         testing::Values(LevelCase{0, 0}, LevelCase{0, 1}, LevelCase{0, 2}, LevelCase{0, 3},
                                         LevelCase{0, 4}, LevelCase{1, 0}, LevelCase{1, 1}, LevelCase{1, 2},
                                         LevelCase{1, 3}, LevelCase{1, 4}),
                         PlayerLevelName);

TEST(Autoplay, AScriptThatNeverMovesTheBatLosesEveryLifeAndTheBatBurstsOncePerLife)
{
    constexpr u32 kLives = 3;
    TestSupport::GeneratedLevelBed play(KORVANE_DATA_ROOT, 4321);
    play.frameTime = kAutoplayFrameTime;
    GameLogic& logic = play.Play(0, 0, kLives);
    play.cursor = Vector2(BallFollower::CursorFor(-50.0f), 300.0f);
    const int frameBound = static_cast<int>(600.0 / kAutoplayFrameTime);
    for (int frame = 0; frame < frameBound && logic.GetState() == GameLogic::StatePlaying; ++frame)
    {
        logic.Click();
        play.Frame();
    }
    EXPECT_EQ(logic.GetState(), GameLogic::StateGameOver);
    EXPECT_EQ(logic.lives, 0u);
    EXPECT_EQ(play.sounds->Count(Bat::SoundDestruction), kLives);
    EXPECT_EQ(play.sounds->Count(GameLogic::SoundLevelFailed), 1u);
    EXPECT_EQ(play.sounds->Count(BallManager::SoundLost), kLives);
    play.Frames(100);
    EXPECT_EQ(play.sounds->Count(Bat::SoundDestruction), kLives);
    EXPECT_EQ(logic.GetPoints(), ScoreOfHeardEvents(*play.sounds));
}

namespace
{
void SaveTga(const VelkorEngine::Image& image, const std::string& name)
{
    const u32 channels = static_cast<u32>(image.GetBitsPerPixel()) / 8;
    const ImageTest::Picture picture{image.GetWidth(), image.GetHeight(), channels,
                                     std::vector<VelkorEngine::u8>(image.GetData(),
                                                                   image.GetData() + image.GetDataSize())};
    ImageTest::WriteBytes(name, ImageTest::MakeTga(picture, {.runLength = true, .topDown = true}));
}
}

TEST(AutoplayPictures, ALevelPlayedByTheScriptIsDrawnAtItsStartMiddleAndEnd)
{
    TestSupport::GeneratedLevelBed play(KORVANE_DATA_ROOT, 4321, TestSupport::GeneratedLevelBed::Display::Offscreen);
    play.frameTime = kAutoplayFrameTime;
    GameLogic& logic = play.Play(1, 2, 9);
    BallFollower player(logic);
    const std::string folder = std::string(KORVANE_TEST_OUTPUT) + "/level_pictures";
    std::filesystem::create_directories(folder);
    const VelkorEngine::i32 half = logic.GetGeometry().GetInitialCount() / 2;
    std::vector<std::string> taken;
    // Only the frames photographed are drawn, which keeps the software drawing short.
    auto take = [&](const std::string& when) {
        play.SetDrawn(true);
        play.Frame();
        play.SetDrawn(false);
        const VelkorEngine::Image shot = TestSupport::TakePicture(play.GetEngine());
        EXPECT_EQ(shot.GetWidth(), 640u);
        EXPECT_GT(TestSupport::Spread(shot), 10.0) << when << " shows nothing";
        SaveTga(shot, folder + "/level_2_3_" + when + ".tga");
        taken.push_back(when);
    };
    play.SetDrawn(false);
    const int frameBound = static_cast<int>(kLevelTimeBound / kAutoplayFrameTime);
    for (int frame = 0; frame < frameBound && logic.GetState() == GameLogic::StatePlaying; ++frame)
    {
        player.Step(play.cursor);
        play.Frame();
        if (frame == 60)
            take("start");
        if (taken.size() == 1 && logic.GetGeometry().GetRemainingCount() <= half)
            take("middle");
    }
    play.Frames(10);
    take("end");
    EXPECT_EQ(logic.GetState(), GameLogic::StateLevelComplete);
    EXPECT_EQ(taken.size(), 3u);
}
