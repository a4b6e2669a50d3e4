// A level of the generated data set played by the game logic, on the engine's recording twins or drawn by a real
// engine on the offscreen video driver: the start-up resources, the level list and the texts read from the built
// pack, a fixed frame time, a seeded generator, a cursor the test moves, and sounds and floating texts noted
// instead of played and drawn.
#pragma once

#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/play/FloatingTexts.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace GameTools
{
class DataKeeper;
}

namespace GUITools
{
class GUITextTool;
}

namespace Korvane
{
class GameLogic;
class GameLogicData;
class LevelManager;
}

namespace TestSupport
{
class RecordingSoundPlayer;

// The texts the play asks to float up, noted.
class RecordingFloatingTexts : public Korvane::FloatingTexts
{
public:
    struct Text
    {
        std::wstring text;
        VelkorEngine::Vector3 point;
    };

    explicit RecordingFloatingTexts(std::vector<Text>* texts) : m_texts(texts) {}
    void CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point) override;
    void Update() override {}
    // The noted texts stay noted; only the clearing is counted.
    void Clear() override { ++clears; }

    int clears = 0;

private:
    std::vector<Text>* m_texts;
};

class GeneratedLevelBed
{
public:
    static constexpr double FrameTime = 0.02;

    enum class Display
    {
        Twins,
        // A real engine drawing into a window of the offscreen driver (640 x 480 unless asked otherwise), as
        // large as asked even where the driver's desktop is no larger.
        Offscreen,
        // A real engine drawing into a window of the video driver in use that fits inside the desktop, as the
        // game's own window must (a larger window is replaced by the largest 4:3 one that fits).
        Window
    };

    static constexpr const char* DefaultVideoMode = "640x480x32";

    // dataRoot: the folder whose "data" folder holds the built pack. videoMode: the offscreen window's size and
    // depth, as the engine's settings write it.
    explicit GeneratedLevelBed(const std::string& dataRoot, unsigned seed = 1234, Display display = Display::Twins,
                               const std::string& videoMode = DefaultVideoMode);
    ~GeneratedLevelBed();

    GeneratedLevelBed(const GeneratedLevelBed&) = delete;
    GeneratedLevelBed& operator=(const GeneratedLevelBed&) = delete;

    // Loads the level (both counted from 0) and starts its play; a level played before is ended first.
    Korvane::GameLogic& Play(VelkorEngine::u32 stage, VelkorEngine::u32 level, VelkorEngine::u32 lives);
    // Ends the level's play and lets its data go.
    void End();

    struct LevelPlace
    {
        VelkorEngine::u32 stage = 0;
        VelkorEngine::u32 level = 0;
        size_t blocks = 0;
    };
    // The level with the most blocks, each level played in turn to count them (the first of equals).
    LevelPlace FindDensestLevel(VelkorEngine::u32 lives);
    // The clock moves on by the frame time and the timers measure it; nothing else runs.
    void AdvanceClock();
    // One frame as the game runs it: the clock moves on by the frame time, the engine reads its timers and
    // input, the game logic runs, then the engine moves its effects and models and draws them.
    void Frame();
    void Frames(int count);
    // The engine's two halves of that frame, for a caller that runs the game logic between them itself: the
    // clock moves on and the engine draws; then the engine moves its effects and models.
    void BeginFrame();
    void EndFrame();

    VelkorEngine::Engine& GetEngine() { return *m_engine; }
    // Switches a real engine between its window and full screen as the game's options do: the setting changes
    // and the drawing device is made again, its textures reloaded.
    void SetFullScreen(bool fullScreen);
    // Software drawing is slow: frames that no picture is taken of can leave everything out of view, while the
    // models still animate. Drawn by default.
    void SetDrawn(bool drawn);
    bool IsDrawn() const { return m_drawnFarPlane <= 0.0f; }

    // Null with a real engine.
    std::unique_ptr<EngineTestBed> twins;
    // Seconds each frame moves the clock on; whole levels may take longer frames.
    double frameTime = FrameTime;
    VelkorEngine::Vector2 cursor{400.0f, 300.0f};
    std::vector<RecordingFloatingTexts::Text> texts;
    std::unique_ptr<RecordingSoundPlayer> sounds;
    std::unique_ptr<Korvane::LevelManager> levels;
    std::unique_ptr<GameTools::DataKeeper> resources;
    std::unique_ptr<GUITools::GUITextTool> textTool;
    std::unique_ptr<Korvane::GameLogicData> level;
    std::unique_ptr<Korvane::GameLogic> logic;

private:
    void StartRealEngine(const std::string& dataRoot, const std::string& videoMode, bool oversizedWindow);
    FakeClock& Clock();

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<TempFolder> m_settings;
    std::unique_ptr<VelkorEngine::Engine> m_realEngine;
    VelkorEngine::Engine* m_engine = nullptr;
    // The view's depth while frames are left undrawn.
    float m_drawnFarPlane = 0.0f;
};
}
