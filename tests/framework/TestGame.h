// A game as a game fills the framework in, over the engine twins: stub factories that make the framework's own
// bases, a level list that reads nothing, and a note of every object that goes away so a test sees what was
// destroyed and how often. The environment gives the game its own application-data folder, home and
// registry files, and gives them back when it ends.
#pragma once

#include "framework/GameBase.h"
#include "framework/LevelManagerBase.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/SoundTestDevice.h"

#include <functional>
#include <map>
#include <string>

namespace FrameworkTest
{
// The environment variables and registry files a game's folders come from; everything lies in the bed's
// temporary folder.
class GameEnvironment
{
public:
    static constexpr const char* Maker = "Test Maker";
    static constexpr const char* Title = "Test Title";
    static constexpr const char* RegistryKey = "SOFTWARE\\Test Maker\\Test Title";

    GameEnvironment();
    ~GameEnvironment();

    GameEnvironment(const GameEnvironment&) = delete;
    GameEnvironment& operator=(const GameEnvironment&) = delete;

    // Registry lines "key path|value name=text" of the machine-wide and the user's file; the user's file also
    // names the bed's folder as the installation folder unless told not to.
    void WriteRegistry(const std::string& machineLines, const std::string& userLines, bool withInstallPath = true);
    static std::string RegistryLine(const std::string& valueName, const std::string& text);
    // Writes a file below the installation folder (the bed's folder), making its folders.
    void WriteData(const std::string& name, const std::string& bytes);
    // The basic and the additional resource list, the texts with the game's title and the sounds.
    void WriteStartupData();

    std::string AppDataFolder() const { return bed.folder / "appdata"; }
    std::string HomeFolder() const { return bed.folder / "home"; }
    std::string UserDataFolder() const { return AppDataFolder() + "/" + Maker + "/" + Title; }

    TestSupport::EngineTestBed bed;
    // Sound on the real mixer without an audio device, so that music channels play, pause and fade.
    TestSupport::SoundMixerDevice mixer;

private:
    std::map<std::string, std::string> m_savedVariables;
};

// What a test game does besides the framework's own work.
struct TestGameScript
{
    // The factory of that name throws a fatal error with this text instead of making its object.
    std::string failingFactory;
    // Run in place of the frame's own work when set.
    std::function<void()> frame;
    // The game registers these music tracks: id 0 "music_a.wav", id 1 "music_b.wav".
    bool withMusic = false;
    // The window does not hand focus loss to the game (the engine's minimise-on-focus-loss flag is off).
    bool ignoreFocusLoss = false;
};

// Destruction notes, one per object that went away, in order.
std::vector<std::string>& DestroyedObjects();

class TestGame : public GameFramework::GameBase
{
public:
    // Starts the game from the constructor, as a game does: an error of the start leaves the constructor.
    TestGame(GameEnvironment& environment, const TestGameScript& script = {});

    void Frame() override;
    void SetupEngineParameters(VelkorEngine::EngineParameters& parameters) override;
    void RegisterSounds() override;
    void ResetRenderSystem() override;

    // Play as the level-loading handler starts it: every window made, a game logic, the in-play window shown.
    void StartPlay();

    // The texts of the log records of one kind since the last engine render.
    std::vector<std::string> Records(VelkorEngine::u32 kind) const;

    int frames = 0;
    int resets = 0;

protected:
    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameTools::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override;
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLoadingWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override;
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override;
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override;
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override;
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override;
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override;
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override;
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override;
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override;
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override;
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override;
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override;
    std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(GameFramework::StageRecord* stage,
                                                               GameFramework::LevelRecord* level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(GameFramework::StageRecord* stage,
                                                                  GameFramework::LevelRecord* level,
                                                                  VelkorEngine::u32 lives) override;

private:
    void FailIfScripted(const std::string& factory) const;

    GameEnvironment& m_environment;
    TestGameScript m_script;
    GameFramework::StageRecord m_stage;
    GameFramework::LevelRecord m_level;
};
}
