#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/core/EngineParameters.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/Sound.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameLogicGameExitWindowBase.h"
#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicRestartWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUIHelpWindowBase.h"
#include "framework/GUIHighScoresWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "framework/LanguageManager.h"
#include "game/app/GUIBackground.h"
#include "game/app/GUIContinueGameLogicWindow.h"
#include "game/app/GUIDeleteProfileWindow.h"
#include "game/app/GUIExitWindow.h"
#include "game/app/GUIGameCompleteWindow.h"
#include "game/app/GUIGameCursor.h"
#include "game/app/GUIGameLoadingWindow.h"
#include "game/app/GUIGameLogicGameExitWindow.h"
#include "game/app/GUIGameLogicLoadingWindow.h"
#include "game/app/GUIGameLogicMenuExitWindow.h"
#include "game/app/GUIGameLogicMenuWindow.h"
#include "game/app/GUIGameLogicPauseWindow.h"
#include "game/app/GUIGameLogicRestartWindow.h"
#include "game/app/GUIGameLogicTextManager.h"
#include "game/app/GUIGameLogicWindow.h"
#include "game/app/GUIGameOverWindow.h"
#include "game/app/GUIHelpWindow.h"
#include "game/app/GUIHighScoresWindow.h"
#include "game/app/GUILevelCompleteWindow.h"
#include "game/app/GUILogosWindow.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GUINewProfileWindow.h"
#include "game/app/GUIOptionsWindow.h"
#include "game/app/GUIProfileNameConflictWindow.h"
#include "game/app/GUIProfilesWindow.h"
#include "game/app/GUIRenameProfileWindow.h"
#include "game/app/GUIStageCompleteWindow.h"
#include "game/app/GUIStartGameLogicWindow.h"
#include "game/app/GUIWelcomeWindow.h"
#include "game/app/GameData.h"
#include "game/app/Profile.h"
#include "game/app/ProfileManager.h"
#include "game/app/SoundTable.h"
#include "game/play/FloatingTexts.h"
#include "game/play/GameLogic.h"
#include "game/play/GameLogicData.h"
#include "game/play/LevelManager.h"
#include "guitools/GUIFontTool.h"
#include "guitools/GUIToolManager.h"

namespace Korvane
{
using namespace GameFramework;

namespace
{
constexpr const char* BackgroundBasicResources = "data\\ui\\background\\resources_basic.xml";
constexpr const char* BackgroundAdditionalResources = "data\\ui\\background\\resources_additional.xml";
constexpr const char* GameObjectResources = "data\\game_objects\\resources.xml";

constexpr u8 Fade = 1;
constexpr u8 Pause = 1;
constexpr u8 Resume = 0;
constexpr u32 MenuSlot = 0;
constexpr u32 PlaySlot = 1;
constexpr f32 MenuFadeInSpeed = 0.5f;
constexpr f32 PlayFadeSpeed = 0.1f;
constexpr f32 StopFadeSpeed = 1.0f;
constexpr f32 BackgroundFadeSpeed = 1.0f;
}

Game::Game() : GameBase(MakerName, Title, Version)
{
    // Every texture the game builds is mip-mapped.
    VelkorEngine::SetTextureShaderFlag(1);
    Init();
}

Game::~Game() = default;

// Settings and sounds.

void Game::SetupEngineParameters(VelkorEngine::EngineParameters& parameters)
{
    GameBase::SetupEngineParameters(parameters);
    parameters.defaultVideoMode = VideoMode;
    parameters.iconId = IconId;
    parameters.useStencilBuffer = 1;
}

f32 Game::GetDefaultMusicVolume()
{
    return DefaultMusicVolume;
}

f32 Game::GetDefaultSoundVolume()
{
    return DefaultSoundVolume;
}

void Game::RegisterSounds()
{
    RegisterGUISounds();
    m_soundPlayer->ApplySoundVolume();
    RegisterMusic();
    RegisterEffects();
}

void Game::RegisterGUISounds()
{
    for (const SoundTable::GUISound& sound : SoundTable::GUISounds)
        m_guiSoundManager->AddSound(sound.id, FindSound(SoundTable::GUISoundGroup, sound.name));
}

void Game::RegisterMusic()
{
    for (const SoundTable::Music& track : SoundTable::MusicTracks)
        m_soundPlayer->AddMusic(track.id, FindSound(track.group, track.name), track.looping);
}

void Game::RegisterEffects()
{
    for (const SoundTable::Effect& effect : SoundTable::Effects)
        m_soundPlayer->AddSound(effect.id, FindSound(effect.group, effect.name), effect.looping, effect.instances);
}

// After the start-up load: what needs the queued lists.
void Game::CreateWindows()
{
    Cursor()->CreateEffects(Data());
    m_background->CreateBasicLayers();
    Data()->CreateWindows();
    GameBase::CreateWindows();
}

// The objects the framework asks for.

GameData* Game::Data() const
{
    return static_cast<GameData*>(GetGameData());
}

GUIGameCursor* Game::Cursor() const
{
    return static_cast<GUIGameCursor*>(GetGameCursor());
}

Profile* Game::CurrentProfile() const
{
    return static_cast<Profile*>(GetProfileManager()->GetCurrentProfile());
}

VelkorEngine::GUIWindow* Game::BackgroundWindow() const
{
    return m_background->GetTopWindow();
}

std::unique_ptr<LevelManagerBase> Game::CreateLevelManager()
{
    return std::make_unique<LevelManager>(m_engine.get());
}

std::unique_ptr<ProfileManagerBase> Game::CreateProfileManager()
{
    return std::make_unique<ProfileManager>(m_engine.get(), GetSoundPlayer(), GetUserDataFolder());
}

std::unique_ptr<GameTools::DataKeeper> Game::CreateGameData()
{
    auto data = std::make_unique<GameData>(m_engine.get(), m_languageManager->GetCurrentLanguage()->shortName);
    data->AddResourcesFile(BackgroundBasicResources, 1);
    data->AddResourcesFile(BackgroundAdditionalResources, 0);
    data->AddResourcesFile(GameObjectResources, 0);
    return data;
}

std::unique_ptr<GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursor>(m_engine.get());
}

std::unique_ptr<GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindow>(m_engine.get());
}

// The background and the menu window manager come with the first menu window, which needs both.
std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLoadingWindow()
{
    m_background = std::make_unique<GUIBackground>(m_engine.get(), Data());
    m_background->Show(true, false, BackgroundFadeSpeed);
    m_menuWindowManager = std::make_unique<GUIMenuWindowManager>(Data());
    return std::make_unique<GUIGameLoadingWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                  m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(m_engine.get(), GetLevelManager(), GetSoundPlayer(), Data(),
                                                       GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), Data(),
                                              GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                           m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), Data(),
                                               GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindow>(m_engine.get(), GetSoundPlayer(), GetProfileManager(), Data(),
                                               GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), Data(),
                                                 GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), Data(),
                                                    GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), Data(),
                                                    GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                          m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindow>(m_engine.get(), GetSoundPlayer(), GetLevelManager(),
                                                     GetProfileManager(), Data(), GetToolManager(),
                                                     m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindow>(m_engine.get(), GetSoundPlayer(), GetProfileManager(), Data(),
                                                        GetToolManager(), m_menuWindowManager.get(),
                                                        BackgroundWindow());
}

std::unique_ptr<GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindow>(m_engine.get(), GetProfileManager(), GetSoundPlayer(), GetHighScores(),
                                                 Data(), GetToolManager(), m_menuWindowManager.get(),
                                                 BackgroundWindow());
}

std::unique_ptr<GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindow>(m_engine.get(), GetSoundPlayer(), GetProfileManager(), Data(),
                                              GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return std::make_unique<GUIHelpWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                           m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindow>(m_engine.get(), GetProfileManager(), Data(), GetToolManager(),
                                                m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                     m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindow>(m_engine.get(), GetSoundPlayer(), GetProfileManager(), Data(),
                                                    GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return std::make_unique<GUIGameLogicMenuExitWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                        m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return std::make_unique<GUIGameLogicRestartWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                       m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return std::make_unique<GUIGameLogicGameExitWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                        m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    return std::make_unique<GUILevelCompleteWindow>(
        m_engine.get(), GetSoundPlayer(), static_cast<LevelManager*>(GetLevelManager()), GetProfileManager(), Data(),
        GetToolManager(), m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(m_engine.get(), GetLevelManager());
}

std::unique_ptr<GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                                   m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindow>(m_engine.get(), GetSoundPlayer(), Data(), GetToolManager(),
                                               m_menuWindowManager.get(), BackgroundWindow());
}

std::unique_ptr<GameTools::DataKeeper> Game::CreateGameLogicData(StageRecord* stage, LevelRecord* level)
{
    return std::make_unique<GameLogicData>(m_engine.get(), m_languageManager->GetCurrentLanguage()->shortName,
                                           static_cast<const StageInfo&>(*stage),
                                           static_cast<const LevelInfo&>(*level));
}

std::unique_ptr<GameLogicBase> Game::CreateGameLogic(StageRecord* stage, LevelRecord* level, u32 lives)
{
    // The play's camera takes the engine's current one, which after a frame of menus is the GUI's own camera;
    // the play must drive the perspective camera instead, or the field and the GUI are both drawn wrongly.
    VelkorEngine::CameraManager* cameras = m_engine->GetCameraManager();
    cameras->SetCurrentCamera(cameras->GetDefaultCamera(), false);
    GameLogicServices services;
    services.engine = m_engine.get();
    services.sounds = GetSoundPlayer();
    services.resources = Data();
    services.level = static_cast<GameLogicData*>(GetLevelData());
    services.texts = m_textTool;
    auto texts = std::make_unique<GUIGameLogicTextManager>(
        m_engine.get(), GetToolManager()->GetFontTool()->GetFontIndex("tip"), Data()->GetChildWindow());
    return std::make_unique<GameLogic>(services, static_cast<StageInfo*>(stage), static_cast<LevelInfo*>(level), lives,
                                       std::move(texts));
}

// What the game adds to the window flow.

u32 Game::ResultOf(u32 windowIndex) const
{
    const GUIFrameworkWindow* window = GetWindow(windowIndex);
    return window != nullptr ? window->GetResultCode() : ResultCode::None;
}

void Game::ShowBackground(bool show)
{
    m_background->Show(show, true, BackgroundFadeSpeed);
}

void Game::SetTrail(bool enabled)
{
    Cursor()->SetTrailEnabled(enabled);
}

void Game::ReturnToMenus(bool pauseTracks)
{
    if (pauseTracks)
        m_soundPlayer->PauseAllMusic(Pause, Fade, StopFadeSpeed);
    else
        m_soundPlayer->StopAllMusic(Fade, StopFadeSpeed);
    m_soundPlayer->PlayMusic(MenuSlot, SoundTable::MenuMusic, Fade, MenuFadeInSpeed);
    ShowBackground(true);
}

void Game::UpdateWindows()
{
    if (m_background)
        m_background->Update();
    if (m_menuWindowManager)
        m_menuWindowManager->PreUpdate();
    GameBase::UpdateWindows();
    if (m_menuWindowManager)
        m_menuWindowManager->Update();
}

void Game::ProcessLogosWindow()
{
    GameBase::ProcessLogosWindow();
    if (ResultOf(WindowIndex::Logos) == ResultCode::Done)
        m_soundPlayer->PlayMusic(MenuSlot, SoundTable::MenuMusic, Fade, MenuFadeInSpeed);
}

void Game::ProcessGameLoadingWindow()
{
    const bool finished = ResultOf(WindowIndex::GameLoading) == ResultCode::Done;
    GameBase::ProcessGameLoadingWindow();
    if (finished)
        m_messageManager->Message(MenusBeginMessage);
}

void Game::ProcessGameLogicLoadingWindow()
{
    GameBase::ProcessGameLogicLoadingWindow();
    if (ResultOf(WindowIndex::GameLogicLoading) != ResultCode::Done)
        return;
    ShowBackground(false);
    m_soundPlayer->StopMusic(MenuSlot, Fade, StopFadeSpeed);
    // A paused play track goes on where it stopped; a stopped one starts again.
    if (m_soundPlayer->GetMusicState(PlaySlot) == VelkorEngine::Sound::Stopped)
        m_soundPlayer->PlayMusic(PlaySlot, SoundTable::FirstGameMusic + m_gameMusicIndex, Fade, PlayFadeSpeed);
    else
        m_soundPlayer->PauseMusic(PlaySlot, Resume, Fade, PlayFadeSpeed);
    m_gameMusicIndex = (m_gameMusicIndex + 1) % SoundTable::GameMusicCount;
    SetTrail(false);
}

void Game::ProcessStartGameLogicWindow()
{
    if (ResultOf(WindowIndex::StartGame) == ResultCode::Start)
        Cursor()->SetCursorVisible(false);
    GameBase::ProcessStartGameLogicWindow();
}

void Game::ProcessGameLogicWindow()
{
    const u32 result = ResultOf(WindowIndex::GameLogic);
    if (result == ResultCode::GameLogicMenu || result == ResultCode::Pause || result == ResultCode::ExitQuestion)
    {
        Cursor()->SetCursor(GUIGameCursor::CursorId);
        SetTrail(true);
    }
    GameBase::ProcessGameLogicWindow();
}

void Game::ProcessGameLogicPauseWindow()
{
    GameBase::ProcessGameLogicPauseWindow();
    if (ResultOf(WindowIndex::GameLogicPause) == ResultCode::BackToPlay)
        SetTrail(false);
}

void Game::ProcessGameLogicMenuWindow()
{
    GameBase::ProcessGameLogicMenuWindow();
    if (ResultOf(WindowIndex::GameLogicMenu) == ResultCode::BackToPlay)
        SetTrail(false);
}

void Game::ProcessGameLogicMenuExitWindow()
{
    GameBase::ProcessGameLogicMenuExitWindow();
    if (ResultOf(WindowIndex::GameLogicMenuExit) == ResultCode::MainMenu)
        ReturnToMenus(false);
}

void Game::ProcessGameLogicRestartWindow()
{
    GameBase::ProcessGameLogicRestartWindow();
    if (ResultOf(WindowIndex::GameLogicRestart) == ResultCode::LevelMap)
        ReturnToMenus(true);
}

void Game::ProcessGameLogicGameExitWindow()
{
    GameBase::ProcessGameLogicGameExitWindow();
    if (ResultOf(WindowIndex::GameLogicGameExit) == ResultCode::BackToPlay)
        SetTrail(false);
}

void Game::CompleteLevel()
{
    GameBase::CompleteLevel();
    Cursor()->SetCursor(GUIGameCursor::CursorId);
    SetTrail(true);
}

// The framework's return to the map already shows the map; showing it again as opened from the level-complete
// window would skip the map and start the next level at once.
void Game::ReturnToLevelMap()
{
    GameBase::ReturnToLevelMap();
    SetTrail(true);
}

void Game::ShowGameOver()
{
    GameBase::ShowGameOver();
    SetTrail(true);
}

void Game::ProcessLevelCompleteWindow()
{
    if (ResultOf(WindowIndex::LevelComplete) == ResultCode::LevelMap)
        ReturnToMenus(true);
    GameBase::ProcessLevelCompleteWindow();
}

void Game::ProcessStageCompleteWindow()
{
    const u32 result = ResultOf(WindowIndex::StageComplete);
    if (result == ResultCode::GameComplete || result == ResultCode::LevelMap)
        ReturnToMenus(false);
    auto* gameComplete = static_cast<GUIGameCompleteWindow*>(GetWindow(WindowIndex::GameComplete));
    if (result == ResultCode::GameComplete && gameComplete != nullptr)
        gameComplete->SetAppear(CurrentProfile() != nullptr && CurrentProfile()->IsGameCompleteShowPending());
    GameBase::ProcessStageCompleteWindow();
}

void Game::ProcessGameCompleteWindow()
{
    GameBase::ProcessGameCompleteWindow();
    Profile* profile = CurrentProfile();
    if (ResultOf(WindowIndex::GameComplete) != ResultCode::Done || profile == nullptr ||
        !profile->IsGameCompleteShowPending())
        return;
    profile->SetGameCompleteShowPending(false);
    profile->Save();
}

void Game::ProcessGameOverWindow()
{
    GameBase::ProcessGameOverWindow();
    if (ResultOf(WindowIndex::GameOver) == ResultCode::Done)
        ReturnToMenus(false);
}
}
