// The framework's game object: it owns the engine and every manager, window and data keeper of the game,
// starts them in a fixed order, runs one frame of the whole program at a time and routes the player from
// window to window. The game derives from it and supplies the factories (which class each object is).
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <memory>
#include <string>

namespace VelkorEngine
{
class CameraManager;
class Config;
class Console;
class Controls;
class Engine;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUISoundManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
struct EngineParameters;
}

namespace GameTools
{
class DataKeeper;
}

namespace GUITools
{
class GUIFontTool;
class GUITextTool;
class GUIToolManager;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GameLogicBase;
class GameSoundPlayer;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIFrameworkWindow;
class GUIGameCompleteWindowBase;
class GUIGameCursorBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class ProfileBase;
class ProfileManagerBase;
struct LevelPosition;
struct LevelRecord;
struct LevelTimeRecord;
struct StageRecord;

class GameBase
{
public:
    static constexpr u32 WindowCount = 26;

    // Sets the names and the folders only; the game calls Init from its own constructor.
    GameBase(const std::string& makerName, const std::string& title, u32 version);
    virtual ~GameBase();

    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    virtual void Frame();
    virtual void Init();
    virtual void SetupEngineParameters(VelkorEngine::EngineParameters& parameters);
    virtual void RegisterCommands();
    virtual void CreateConsole();
    virtual void RegisterSounds();
    virtual void CreateWindows();

    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<GameTools::DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GUIGameCursorBase> CreateGameCursor() = 0;
    virtual std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLoadingWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() = 0;
    virtual std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() = 0;
    virtual std::unique_ptr<GUIExitWindowBase> CreateExitWindow() = 0;
    virtual std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() = 0;
    virtual std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() = 0;
    virtual std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() = 0;
    virtual std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() = 0;
    virtual std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() = 0;
    virtual std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() = 0;
    virtual std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() = 0;
    virtual std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() = 0;
    virtual std::unique_ptr<GUIHelpWindowBase> CreateHelpWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() = 0;
    virtual std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() = 0;
    virtual std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() = 0;
    virtual std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(StageRecord* stage, LevelRecord* level) = 0;
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(StageRecord* stage, LevelRecord* level, u32 lives) = 0;

    virtual std::unique_ptr<LevelTimeRecord> CreateLevelResult();
    virtual void GetLevelResult(LevelTimeRecord& record);
    virtual void ProcessDebugCommands();
    virtual f32 GetDefaultMusicVolume();
    virtual f32 GetDefaultSoundVolume();
    virtual void ResetRenderSystem();
    virtual void DispatchWindowResults();
    virtual void ExpireWindowResults();
    virtual void UpdateWindows();

    virtual void ProcessLogosWindow();
    virtual void ProcessGameLoadingWindow();
    virtual void ProcessWelcomeWindow();
    virtual void ProcessExitWindow();
    virtual void ProcessMainMenuWindow();
    virtual void ProcessProfilesWindow();
    virtual void ProcessGameLogicLoadingWindow();
    virtual void ProcessNewProfileWindow();
    virtual void ProcessRenameProfileWindow();
    virtual void ProcessDeleteProfileWindow();
    virtual void ProcessProfileNameConflictWindow();
    virtual void ProcessStartGameLogicWindow();
    virtual void ProcessContinueGameLogicWindow();
    virtual void ProcessHighScoresWindow();
    virtual void ProcessOptionsWindow();
    virtual void ProcessHelpWindow();
    virtual void ProcessGameLogicWindow();
    virtual void ProcessGameLogicPauseWindow();
    virtual void ProcessGameLogicMenuWindow();
    virtual void ProcessGameLogicMenuExitWindow();
    virtual void ProcessGameLogicRestartWindow();
    virtual void ProcessGameLogicGameExitWindow();
    virtual void CompleteLevel();
    virtual void ReturnToLevelMap();
    virtual void ShowGameOver();
    virtual void ProcessLevelCompleteWindow();
    virtual void ProcessStageCompleteWindow();
    virtual void ProcessGameCompleteWindow();
    virtual void ProcessGameOverWindow();

    // The file name of a sound relative to the data folder: the WAV file when there is one, else the OGG name.
    std::string FindSound(const std::string& group, const std::string& name) const;

    // The engine's "exit" command has been requested: the loader's loop ends.
    bool IsExitRequested() const;

    // The registry's "Version" under the key read as a base-10 number, else the given version.
    static u32 ReadVersion(const std::string& registryKey, u32 version);
    // The executable's folder when "data/pack0.pak" lies beside it, else the registry's "InstallPath", else
    // the executable's folder after all.
    static std::string FindInstallFolder(const std::string& executableFolder, const std::string& registryKey);
    // The application-data folder + maker + title, created; when that cannot be had, a folder under the home
    // folder (else the executable's), and the warning to log says why.
    static std::string MakeUserDataFolder(const std::string& makerName, const std::string& title,
                                          std::string& warning);

    const std::string& GetMakerName() const { return m_makerName; }
    const std::string& GetTitle() const { return m_title; }
    u32 GetVersion() const { return m_version; }
    const std::string& GetRegistryKey() const { return m_registryKey; }
    const std::string& GetInstallFolder() const { return m_installFolder; }
    const std::string& GetUserDataFolder() const { return m_userDataFolder; }

    VelkorEngine::Engine* GetEngine() const { return m_engine.get(); }
    LanguageManager* GetLanguageManager() const { return m_languageManager.get(); }
    GameSoundPlayer* GetSoundPlayer() const { return m_soundPlayer.get(); }
    GUITools::GUIToolManager* GetToolManager() const { return m_toolManager.get(); }
    GameTools::DataKeeper* GetGameData() const { return m_gameData.get(); }
    GameTools::DataKeeper* GetLevelData() const { return m_levelData.get(); }
    GameTools::DataKeeper* GetPreviousLevelData() const { return m_previousLevelData.get(); }
    LevelManagerBase* GetLevelManager() const { return m_levelManager.get(); }
    ProfileManagerBase* GetProfileManager() const { return m_profileManager.get(); }
    HighScoresTable* GetHighScores() const { return m_highScores.get(); }
    GUIGameCursorBase* GetGameCursor() const { return m_gameCursor.get(); }
    GUIFrameworkWindow* GetWindow(u32 index) const { return index < WindowCount ? m_windows[index].get() : nullptr; }
    GameLogicBase* GetGameLogic() const { return m_gameLogic.get(); }
    bool IsInactive() const { return m_inactive != 0; }
    bool IsShowingStatistics() const { return m_showStatistics; }

protected:
    // Frame steps.
    bool FreezeWhileInactive();
    void EnterInactivity();
    void KeepEngineAlive();
    void ResumeAfterInactivity();
    void ApplyVideoModeRequest();
    void ResetRenderSystemIfPending();
    void RunWindowModeDelay();
    // A finished level takes no pause, menu or question from the in-game window.
    void DropPlayResultAfterLevelEnd();

    // Start-up steps.
    void CopyEngineServices();
    void SetWindowTitle();
    void CreateManagers();
    void LoadStartupResources();
    void CreateFirstWindows();
    void ReleaseAll();

    void LogMessage(const std::string& text) const;

    // Window flow steps.
    void StartGame();
    void StartLevel();
    // The game's logic for the level, or the fatal report naming the file that kept it from being built.
    std::unique_ptr<GameLogicBase> BuildGameLogic(StageRecord* stage, LevelRecord* level, u32 lives);
    void StoreLevelProgress(ProfileBase& profile, const LevelPosition& position, f32 levelTime);
    void ShowFinalScore(u32 stateId, u32 total);
    // The current profile with its stored positions brought within the level list, or null.
    ProfileBase* GetCheckedProfile() const;

    std::string m_makerName;
    std::string m_title;
    u32 m_version = 0;
    std::string m_registryKey;
    std::string m_installFolder;
    std::string m_userDataFolder;
    std::unique_ptr<VelkorEngine::Engine> m_engine;
    VelkorEngine::MessageManager* m_messageManager = nullptr;
    VelkorEngine::FileManager* m_fileManager = nullptr;
    VelkorEngine::TimerManager* m_timerManager = nullptr;
    VelkorEngine::Config* m_config = nullptr;
    VelkorEngine::Window* m_window = nullptr;
    VelkorEngine::RenderSystem* m_renderSystem = nullptr;
    VelkorEngine::LightManager* m_lightManager = nullptr;
    VelkorEngine::ShaderManager* m_shaderManager = nullptr;
    VelkorEngine::TextureManager* m_textureManager = nullptr;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::SpriteGroupManager* m_spriteGroupManager = nullptr;
    VelkorEngine::ParticleSystemManager* m_particleSystemManager = nullptr;
    VelkorEngine::Controls* m_controls = nullptr;
    VelkorEngine::SoundManager* m_soundManager = nullptr;
    VelkorEngine::GUIManager* m_guiManager = nullptr;
    VelkorEngine::GUIFontManager* m_guiFontManager = nullptr;
    VelkorEngine::GUISoundManager* m_guiSoundManager = nullptr;
    VelkorEngine::CameraManager* m_cameraManager = nullptr;
    VelkorEngine::Console* m_console = nullptr;
    bool m_showStatistics = false;
    std::unique_ptr<LanguageManager> m_languageManager;
    std::unique_ptr<GameSoundPlayer> m_soundPlayer;
    std::unique_ptr<GUITools::GUIToolManager> m_toolManager;
    GUITools::GUIFontTool* m_fontTool = nullptr;
    GUITools::GUITextTool* m_textTool = nullptr;
    std::unique_ptr<GameTools::DataKeeper> m_gameData;
    std::unique_ptr<GameTools::DataKeeper> m_levelData;
    std::unique_ptr<GameTools::DataKeeper> m_previousLevelData;
    std::unique_ptr<LevelManagerBase> m_levelManager;
    std::unique_ptr<ProfileManagerBase> m_profileManager;
    std::unique_ptr<HighScoresTable> m_highScores;
    std::unique_ptr<GUIGameCursorBase> m_gameCursor;
    std::array<std::unique_ptr<GUIFrameworkWindow>, WindowCount> m_windows;
    std::unique_ptr<GameLogicBase> m_gameLogic;
    u8 m_inactive = 0;
    u8 m_timerPauseToRestore = 0;
    u32 m_windowModeFrames = 0;

private:
    // Written to the log once the engine (and its log) exists.
    std::string m_startupWarning;
};
}
