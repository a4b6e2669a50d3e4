// Start-up, shut-down and the frame of the game object; the window flow lives in GameBaseFlow.cpp.
#include "framework/GameBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/files/Registry.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameSoundPlayer.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/WindowModeCommand.h"
#include "guitools/GUIToolManager.h"
#include "platform/win32/Time.h"

#include <cstdlib>
#include <vector>

namespace GameFramework
{
namespace
{
constexpr const char* BasicResources = "data\\ui\\resources_basic.xml";
constexpr const char* AdditionalResources = "data\\ui\\resources_additional.xml";
constexpr u32 HighScoresPerCategory = 10;
constexpr f32 GUIWidth = 800.0f;
constexpr f32 GUIHeight = 600.0f;
constexpr u32 InactiveSleepMs = 100;
constexpr f32 MusicFadeSpeed = 0.5f;
constexpr u32 WindowModeFrameCount = 2;

constexpr const char* VideoMemoryCommand = "d_get_used_video_memory_size";
constexpr const char* OccupationCommand = "d_get_manages_occupation";
constexpr const char* LoadedTexturesCommand = "d_get_loaded_textures";
constexpr const char* ShowStatisticsSetting = "d_show_statistics";
constexpr const char* UpdateVideoModeCommand = "g_update_video_mode";

// The window that is the in-play window and the one the frame shows when the focus goes during play.
constexpr u32 GameLogicWindowIndex = 16;
constexpr u32 GameLogicPauseWindowIndex = 17;
constexpr u32 LogosWindowIndex = 0;
constexpr u32 GameLoadingWindowIndex = 1;
constexpr u32 FrameworkStateId = 1;

bool IsRequested(const VelkorEngine::Config& config, const char* command)
{
    return !config.IsCommandIdle(command);
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    return home ? std::string(home) : std::string();
}

// The folder exists once this returns true; the trailing separator makes the last name a folder too.
bool CreateFolder(const std::string& folder)
{
    VelkorEngine::FileManager::CreateFolders(folder + "/");
    return VelkorEngine::FileExistsOnDisk(folder);
}
}

GameBase::GameBase(const std::string& makerName, const std::string& title, u32 version)
    : m_makerName(makerName), m_title(title), m_version(version),
      m_registryKey("SOFTWARE\\" + makerName + "\\" + title)
{
    m_version = ReadVersion(m_registryKey, version);
    m_installFolder = FindInstallFolder(VelkorEngine::GetExecutableDirectory(), m_registryKey);
    // The engine opens its log in this folder, so it must exist before Init.
    m_userDataFolder = MakeUserDataFolder(makerName, title, m_startupWarning);
}

GameBase::~GameBase()
{
    ReleaseAll();
}

void GameBase::ReleaseAll()
{
    static constexpr u32 WindowReleaseOrder[WindowCount] = {22, 23, 24, 25, 21, 20, 19, 18, 17, 16, 15, 14, 13,
                                                            12, 11, 10, 6,  7,  8,  9,  5,  4,  3,  2,  1,  0};
    m_gameLogic.reset();
    for (const u32 index : WindowReleaseOrder)
        m_windows[index].reset();
    m_gameCursor.reset();
    m_highScores.reset();
    m_profileManager.reset();
    m_levelManager.reset();
    m_gameData.reset();
    m_levelData.reset();
    m_previousLevelData.reset();
    m_fontTool = nullptr;
    m_textTool = nullptr;
    m_toolManager.reset();
    m_languageManager.reset();
    m_soundPlayer.reset();
    // Last: every object above still talks to the engine while it goes.
    m_engine.reset();
}

u32 GameBase::ReadVersion(const std::string& registryKey, u32 version)
{
    std::string text;
    if (!VelkorEngine::ReadRegistryString(registryKey, "Version", text))
        text = std::to_string(version);
    return static_cast<u32>(std::strtoul(text.c_str(), nullptr, 10));
}

std::string GameBase::FindInstallFolder(const std::string& executableFolder, const std::string& registryKey)
{
    if (VelkorEngine::FileExistsOnDisk(executableFolder + "/data/pack0.pak"))
        return executableFolder;
    std::string installPath;
    if (VelkorEngine::ReadRegistryString(registryKey, "InstallPath", installPath))
        return installPath;
    return executableFolder;
}

std::string GameBase::MakeUserDataFolder(const std::string& makerName, const std::string& title,
                                         std::string& warning)
{
    const std::string applicationData = VelkorEngine::FileManager::GetUserDataFolder();
    if (!applicationData.empty())
    {
        const std::string folder = applicationData + "/" + makerName + "/" + title;
        if (CreateFolder(folder))
            return folder;
    }
    // Without an application-data folder the player's files would land beside the root; keep them at home.
    const std::string home = HomeFolder();
    const std::string base = home.empty() ? VelkorEngine::GetExecutableDirectory() : home;
    const std::string fallback = base + "/." + makerName + "/" + title;
    CreateFolder(fallback);
    warning = "(GameBase::GameBase) The application data folder cannot be used; profiles, high scores and "
              "settings are kept in \"" + fallback + "\"";
    return fallback;
}

void GameBase::Init()
{
    VelkorEngine::EngineParameters parameters;
    SetupEngineParameters(parameters);
    m_engine = std::make_unique<VelkorEngine::Engine>(parameters);
    CopyEngineServices();
    if (!m_startupWarning.empty())
        m_messageManager->Warning(m_startupWarning);
    m_languageManager = std::make_unique<LanguageManager>(m_fileManager, m_registryKey, m_messageManager);
    RegisterCommands();
    m_toolManager = std::make_unique<GUITools::GUIToolManager>(m_engine.get(),
                                                                m_languageManager->GetCurrentLanguage()->shortName);
    m_fontTool = m_toolManager->GetFontTool();
    m_textTool = m_toolManager->GetTextTool();
    SetWindowTitle();
    m_guiManager->SetSize(GUIWidth, GUIHeight);
    m_console = m_engine->GetConsole();
    const f32 soundVolume = GetDefaultSoundVolume();
    const f32 musicVolume = GetDefaultMusicVolume();
    m_soundPlayer = std::make_unique<GameSoundPlayer>(m_engine.get(), musicVolume, soundVolume);
    CreateManagers();
    LoadStartupResources();
    CreateFirstWindows();
    RegisterSounds();
    m_windows[LogosWindowIndex]->Show(FrameworkStateId);
}

void GameBase::CopyEngineServices()
{
    VelkorEngine::Engine& engine = *m_engine;
    m_messageManager = engine.GetMessageManager();
    m_fileManager = engine.GetFileManager();
    m_timerManager = engine.GetTimerManager();
    m_config = engine.GetConfig();
    m_window = engine.GetWindow();
    m_renderSystem = engine.GetRenderSystem();
    m_lightManager = engine.GetLightManager();
    m_shaderManager = engine.GetShaderManager();
    m_textureManager = m_shaderManager->GetTextureManager();
    m_modelManager = engine.GetModelManager();
    m_spriteGroupManager = engine.GetSpriteGroupManager();
    m_particleSystemManager = engine.GetParticleSystemManager();
    m_controls = engine.GetControls();
    m_soundManager = engine.GetSoundManager();
    m_guiManager = engine.GetGUIManager();
    m_guiFontManager = m_guiManager->GetFontManager();
    m_guiSoundManager = m_guiManager->GetSoundManager();
    m_cameraManager = engine.GetCameraManager();
}

void GameBase::SetWindowTitle()
{
    m_window->SetTitle(VelkorEngine::WStringToString(m_textTool->GetText("game_title")));
}

namespace
{
// A factory that gives nothing leaves the game without a part it cannot run without.
template <typename T>
std::unique_ptr<T> Require(std::unique_ptr<T> made, VelkorEngine::MessageManager& log, const char* what)
{
    if (!made)
        log.Fatal(std::string("(GameBase::Init) The game made no ") + what);
    return made;
}
}

void GameBase::CreateManagers()
{
    m_levelManager = Require(CreateLevelManager(), *m_messageManager, "level manager");
    m_profileManager = Require(CreateProfileManager(), *m_messageManager, "profile manager");
    m_highScores = std::make_unique<HighScoresTable>(m_engine.get(), HighScoresPerCategory, m_userDataFolder);
    m_gameData = Require(CreateGameData(), *m_messageManager, "game data");
}

void GameBase::LoadStartupResources()
{
    m_gameData->AddResourcesFile(BasicResources, 1);
    m_gameData->AddResourcesFile(AdditionalResources, 0);
}

void GameBase::CreateFirstWindows()
{
    m_gameCursor = Require(CreateGameCursor(), *m_messageManager, "game cursor");
    m_windows[LogosWindowIndex] = Require(CreateLogosWindow(), *m_messageManager, "logos window");
    m_windows[GameLoadingWindowIndex] = Require(CreateGameLoadingWindow(), *m_messageManager, "loading window");
}

void GameBase::SetupEngineParameters(VelkorEngine::EngineParameters& parameters)
{
    parameters.applicationName = m_title;
    parameters.version = m_version;
    parameters.basePath = m_installFolder;
    parameters.saveSettingsOnExit = 1;
    parameters.settingsName = m_title;
    parameters.writeLog = 1;
    parameters.reopenLogPerEntry = 0;
    parameters.logDirectory = m_userDataFolder;
    parameters.logName = m_title;
    parameters.settingsDirectory = m_userDataFolder;
    parameters.dataFolder = "Data";
    parameters.parentWindow = 0;
    parameters.iconId = 0;
    parameters.minimizeOnFocusLoss = 1;
    parameters.forceVideoMode = 0;
    parameters.defaultVideoMode = "800x600x32";
    parameters.forceFullScreen = 0;
    parameters.defaultFullScreen = 1;
    parameters.allowOversizedWindow = 0;
    parameters.useStencilBuffer = 0;
    parameters.centreWindow = 1;
    parameters.windowPosition[0] = 0;
    parameters.windowPosition[1] = 0;
    parameters.use3DSound = 0;
}

void GameBase::RegisterCommands()
{
    using VelkorEngine::Config;
    m_config->AddVariable(VideoMemoryCommand, Config::KindCommand, 0, 0, nullptr, "", 0);
    m_config->AddVariable(OccupationCommand, Config::KindCommand, 0, 0, nullptr, "", 0);
    m_config->AddVariable(LoadedTexturesCommand, Config::KindCommand, 0, 0, nullptr, "", 0);
    m_config->AddVariable(ShowStatisticsSetting, Config::KindBool, 0, 1, &m_showStatistics, "0", 0);
    m_config->AddVariable(UpdateVideoModeCommand, Config::KindCommand, 0, 0, nullptr, "", 0);
}

void GameBase::CreateConsole()
{
    const VelkorEngine::ShaderDescriptor background =
        VelkorEngine::BuildTextureShaderDescriptor(1, 1, "ui\\console\\console.jpg", "32bit", false);
    const VelkorEngine::i32 font = m_fontTool->GetFontIndex("console");
    m_engine->CreateConsole(m_engine->GetVersionString(), background, font, 95, 93, 94, "~", 0.95f, 308.0f,
                            1000.0f);
    m_console = m_engine->GetConsole();
}

void GameBase::RegisterSounds() {}

f32 GameBase::GetDefaultMusicVolume() { return 1.0f; }

f32 GameBase::GetDefaultSoundVolume() { return 1.0f; }

std::string GameBase::FindSound(const std::string& group, const std::string& name) const
{
    const std::string base = "audio\\" + group + "\\" + name + ".";
    if (m_fileManager->Exists("data\\" + base + "wav"))
        return base + "wav";
    return base + "ogg";
}

bool GameBase::IsExitRequested() const
{
    return !m_engine || m_engine->IsExitRequested();
}

void GameBase::LogMessage(const std::string& text) const
{
    m_messageManager->Message(text);
}

void GameBase::Frame()
{
    if (FreezeWhileInactive())
        return;
    ApplyVideoModeRequest();
    ResetRenderSystemIfPending();
    m_engine->Render();
    ProcessDebugCommands();
    m_soundPlayer->Update();
    for (int round = 0; round < 3; ++round)
    {
        DispatchWindowResults();
        ExpireWindowResults();
    }
    UpdateWindows();
    m_gameCursor->Update();
    m_engine->Frame(0);
    RunWindowModeDelay();
}

bool GameBase::FreezeWhileInactive()
{
    if (!m_window->HasFocus() && m_window->GetMinimizeOnFocusLoss())
    {
        const bool playing = m_gameLogic && m_gameLogic->GetState() == GameLogicBase::StatePlaying;
        if (playing && !m_inactive)
        {
            // The game in play goes to its pause window in this very frame, which then runs in full.
            EnterInactivity();
            return false;
        }
        if (m_gameLogic && !m_inactive)
        {
            m_timerPauseToRestore = m_gameLogic->IsTimerPaused() ? 1 : 0;
            m_gameLogic->PauseTimer(true);
        }
        KeepEngineAlive();
        if (!m_inactive)
        {
            m_soundPlayer->PauseAllMusic(1, 0, MusicFadeSpeed);
            m_inactive = 1;
        }
        ::Sleep(InactiveSleepMs);
        return true;
    }
    if (m_inactive)
        ResumeAfterInactivity();
    return false;
}

void GameBase::EnterInactivity()
{
    m_gameLogic->Pause(true);
    if (auto* playWindow = static_cast<GUIGameLogicWindowBase*>(m_windows[GameLogicWindowIndex].get()))
        playWindow->SetActive(false);
    if (GUIFrameworkWindow* pauseWindow = m_windows[GameLogicPauseWindowIndex].get())
        pauseWindow->Show(FrameworkStateId);
    m_timerPauseToRestore = 1;
    m_soundPlayer->PauseAllMusic(1, 0, MusicFadeSpeed);
    m_inactive = 1;
}

void GameBase::KeepEngineAlive()
{
    m_window->Update();
    m_renderSystem->Refresh();
    m_timerManager->Update();
    if (m_soundManager)
        m_soundManager->Update(1);
}

void GameBase::ResumeAfterInactivity()
{
    m_soundPlayer->PauseAllMusic(0, 1, MusicFadeSpeed);
    if (m_gameLogic)
        m_gameLogic->PauseTimer(m_timerPauseToRestore != 0);
    m_inactive = 0;
}

void GameBase::ApplyVideoModeRequest()
{
    if (!IsRequested(*m_config, UpdateVideoModeCommand))
        return;
    m_renderSystem->CheckVideoModeChange();
    m_config->SetCommandIdle(UpdateVideoModeCommand, 1);
}

void GameBase::ResetRenderSystemIfPending()
{
    if (!m_renderSystem->IsResetPending())
        return;
    m_soundPlayer->PauseAllMusic(1, 0, MusicFadeSpeed);
    ResetRenderSystem();
    m_soundPlayer->PauseAllMusic(0, 1, MusicFadeSpeed);
    m_controls->Lock();
}

void GameBase::RunWindowModeDelay()
{
    if (!IsRequested(*m_config, kChangeWindowMode))
        return;
    if (++m_windowModeFrames < WindowModeFrameCount)
        return;
    // The windows showing the full-screen flag have re-read it during the two frames; now the mode changes.
    m_windowModeFrames = 0;
    m_config->SetCommandIdle(kChangeWindowMode, 1);
    m_config->SetCommandIdle(UpdateVideoModeCommand, 0);
}

void GameBase::ResetRenderSystem()
{
    m_renderSystem->Reset(VelkorEngine::RenderSystem::ResetDevice | VelkorEngine::RenderSystem::ResetResources);
}

void GameBase::ProcessDebugCommands()
{
    if (IsRequested(*m_config, VideoMemoryCommand))
    {
        m_config->SetCommandIdle(VideoMemoryCommand, 1);
        const f32 megabytes = static_cast<f32>(m_textureManager->GetTextureMemory()) / 1048576.0f;
        LogMessage("Video Memory Used: " + VelkorEngine::FloatToString(megabytes, 2) + " Mb");
    }
    if (IsRequested(*m_config, OccupationCommand))
    {
        m_config->SetCommandIdle(OccupationCommand, 1);
        LogMessage("Shader users count: " + std::to_string(m_shaderManager->GetShaderUserCount()));
        LogMessage("Shaders count: " + std::to_string(m_shaderManager->GetShaderCount()));
        LogMessage("Textures count: " + std::to_string(m_textureManager->GetTextureCount()));
        LogMessage("Models count: " + std::to_string(m_modelManager->GetModelCount()));
        LogMessage("Sounds count: " + std::to_string(m_soundManager ? m_soundManager->GetSoundCount() : 0));
    }
    if (IsRequested(*m_config, LoadedTexturesCommand))
    {
        m_config->SetCommandIdle(LoadedTexturesCommand, 1);
        std::vector<VelkorEngine::Texture2D*> textures;
        m_textureManager->GetTextures(textures);
        for (size_t i = 0; i < textures.size(); ++i)
            LogMessage("Texture " + std::to_string(i) + ": " + textures[i]->GetKeyName());
    }
}
}
