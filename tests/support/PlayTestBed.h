// A level in play on the engine's recording twins: block descriptions and a level geometry file written by the
// tests, the start-up keeper's ball and bat models, a field of three walls, and the bat, blocks and balls
// stepped frame by frame at a fixed frame time with a seeded generator and a cursor the test moves.
#pragma once

#include "engine/core/Vector2.h"
#include "tests/support/EngineTestBed.h"
#include "tools/formats/LevelGeometryWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace GameFramework
{
class GameSoundPlayer;
class ScoreKeeper;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class BallManager;
class Barrier;
class Bat;
class Effects;
class GameField;
class GameGeometry;
class GameLogicData;
}

namespace TestSupport
{
class PlayTestBed
{
public:
    static constexpr double FrameTime = 0.02;
    // The walls' inner faces.
    static constexpr float Left = -77.0f;
    static constexpr float Right = 77.0f;
    static constexpr float Top = 110.0f;

    explicit PlayTestBed(unsigned seed = 1234);
    // On a generated data set: its folder stands in for the data folder and the start-up keeper holds its play
    // resources (ball, bat and effect models of the real sizes).
    PlayTestBed(unsigned seed, const std::string& dataSet);
    ~PlayTestBed();

    PlayTestBed(const PlayTestBed&) = delete;
    PlayTestBed& operator=(const PlayTestBed&) = delete;

    // "<block .../>" under data\game_objects\blocks\ + file.
    void WriteBlock(const std::string& file, const std::string& xml);
    // A block of the placeholder model (a box 2 units each way) with its centre at the place.
    static KorvaneTools::LevelObject At(const std::string& block, float x, float y, float z = 1.0f);
    // Writes the level, loads it and builds the play objects (the effects only when not yet made); the bat
    // starts rising.
    void Build(std::vector<KorvaneTools::LevelObject> objects);
    // Loads a level file of the data folder ("00_00.krg") and builds the play objects.
    void BuildLevel(const std::string& fileName);
    // Frames of the bat, balls and blocks, in that order.
    void Frames(int count, float activity = 1.0f);

    EngineTestBed bed;
    double frameTime = FrameTime;
    VelkorEngine::Vector2 cursor{400.0f, 300.0f};
    VelkorEngine::u32 lives = 4;
    // Handed to the play objects Build makes; none by default.
    GameFramework::GameSoundPlayer* sounds = nullptr;
    Korvane::Barrier* barrier = nullptr;
    std::unique_ptr<GameFramework::ScoreKeeper> scores;
    std::unique_ptr<GameTools::DataKeeper> resources;
    std::unique_ptr<Korvane::GameLogicData> level;
    std::unique_ptr<Korvane::Effects> effects;
    std::unique_ptr<Korvane::GameField> field;
    std::unique_ptr<Korvane::Bat> bat;
    std::unique_ptr<Korvane::GameGeometry> geometry;
    std::unique_ptr<Korvane::BallManager> balls;

private:
    void Write(const std::string& path, const std::string& bytes);
};
}
