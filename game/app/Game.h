// The game itself on top of the framework: its name, settings and sounds, which class each window and data
// object is, and what it adds to the framework's window flow (music, background, cursor trail, the menu
// windows' turns).
#pragma once

#include "framework/GameBase.h"

#include <memory>

namespace VelkorEngine
{
class GUIWindow;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GameData;
class GUIBackground;
class GUIGameCursor;
class GUIMenuWindowManager;
class Profile;

class Game : public GameFramework::GameBase
{
public:
    static constexpr const char* MakerName = "Tarnwick Games";
    static constexpr const char* Title = "Korvane";
    static constexpr u32 Version = 100;
    static constexpr f32 DefaultMusicVolume = 0.285f;
    static constexpr f32 DefaultSoundVolume = 0.315f;
    static constexpr const char* VideoMode = "1024x768x32";
    static constexpr u32 IconId = 101;
    static constexpr const char* MenusBeginMessage = "Start-up finished: the menus begin";

    // Starts the whole game; an error of the start-up leaves the constructor with everything made so far
    // destroyed.
    Game();
    ~Game() override;

    void SetupEngineParameters(VelkorEngine::EngineParameters& parameters) override;
    void RegisterSounds() override;
    void CreateWindows() override;
    f32 GetDefaultMusicVolume() override;
    f32 GetDefaultSoundVolume() override;

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
                                                                  u32 lives) override;

    void UpdateWindows() override;
    void ProcessLogosWindow() override;
    // Notes in the log when the start-up is over and the menus begin.
    void ProcessGameLoadingWindow() override;
    void ProcessGameLogicLoadingWindow() override;
    void ProcessStartGameLogicWindow() override;
    void ProcessGameLogicWindow() override;
    void ProcessGameLogicPauseWindow() override;
    void ProcessGameLogicMenuWindow() override;
    void ProcessGameLogicMenuExitWindow() override;
    void ProcessGameLogicRestartWindow() override;
    void ProcessGameLogicGameExitWindow() override;
    void CompleteLevel() override;
    void ReturnToLevelMap() override;
    void ShowGameOver() override;
    void ProcessLevelCompleteWindow() override;
    void ProcessStageCompleteWindow() override;
    void ProcessGameCompleteWindow() override;
    void ProcessGameOverWindow() override;

    GUIBackground* GetBackground() const { return m_background.get(); }
    GUIMenuWindowManager* GetMenuWindowManager() const { return m_menuWindowManager.get(); }
    u32 GetGameMusicIndex() const { return m_gameMusicIndex; }

private:
    GameData* Data() const;
    GUIGameCursor* Cursor() const;
    Profile* CurrentProfile() const;
    VelkorEngine::GUIWindow* BackgroundWindow() const;
    u32 ResultOf(u32 windowIndex) const;

    void RegisterGUISounds();
    void RegisterMusic();
    void RegisterEffects();

    // The menus again after play: every track stops or pauses, the menu track fades in, the background
    // comes back.
    void ReturnToMenus(bool pauseTracks);
    void ShowBackground(bool show);
    void SetTrail(bool enabled);

    // Declared before the background so that the background goes first.
    std::unique_ptr<GUIMenuWindowManager> m_menuWindowManager;
    std::unique_ptr<GUIBackground> m_background;
    u32 m_gameMusicIndex = 0;
};
}
