// The window flow of the game object: the table of windows, the three rounds a frame in which each window's
// handler turns its result code into the next window, and the level transitions that turn a finished or lost
// level into progress, best times and high scores.
#include "framework/GameBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
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
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "guitools/GUIFontTool.h"

#include <string>
#include <vector>

namespace GameFramework
{
namespace
{
using Windows = std::array<std::unique_ptr<GUIFrameworkWindow>, GameBase::WindowCount>;
using Handler = void (GameBase::*)();

// The menus and play come first; the game logic's state change is looked at next, so that the level's end
// windows it opens are handled in the same round.
constexpr std::array<u32, 22> MenuAndPlayOrder{WindowIndex::Logos,
                                               WindowIndex::GameLoading,
                                               WindowIndex::Welcome,
                                               WindowIndex::Exit,
                                               WindowIndex::MainMenu,
                                               WindowIndex::Profiles,
                                               WindowIndex::GameLogicLoading,
                                               WindowIndex::NewProfile,
                                               WindowIndex::RenameProfile,
                                               WindowIndex::DeleteProfile,
                                               WindowIndex::ProfileNameConflict,
                                               WindowIndex::StartGame,
                                               WindowIndex::ContinueGame,
                                               WindowIndex::HighScores,
                                               WindowIndex::Options,
                                               WindowIndex::Help,
                                               WindowIndex::GameLogic,
                                               WindowIndex::GameLogicPause,
                                               WindowIndex::GameLogicMenu,
                                               WindowIndex::GameLogicMenuExit,
                                               WindowIndex::GameLogicRestart,
                                               WindowIndex::GameLogicGameExit};
constexpr std::array<u32, 4> LevelEndOrder{WindowIndex::LevelComplete, WindowIndex::StageComplete,
                                           WindowIndex::GameComplete, WindowIndex::GameOver};

// Each window's handler, by window index.
constexpr std::array<Handler, GameBase::WindowCount> Handlers{
    &GameBase::ProcessLogosWindow,
    &GameBase::ProcessGameLoadingWindow,
    &GameBase::ProcessGameLogicLoadingWindow,
    &GameBase::ProcessWelcomeWindow,
    &GameBase::ProcessExitWindow,
    &GameBase::ProcessMainMenuWindow,
    &GameBase::ProcessProfilesWindow,
    &GameBase::ProcessNewProfileWindow,
    &GameBase::ProcessRenameProfileWindow,
    &GameBase::ProcessDeleteProfileWindow,
    &GameBase::ProcessProfileNameConflictWindow,
    &GameBase::ProcessStartGameLogicWindow,
    &GameBase::ProcessContinueGameLogicWindow,
    &GameBase::ProcessHighScoresWindow,
    &GameBase::ProcessOptionsWindow,
    &GameBase::ProcessHelpWindow,
    &GameBase::ProcessGameLogicWindow,
    &GameBase::ProcessGameLogicPauseWindow,
    &GameBase::ProcessGameLogicMenuWindow,
    &GameBase::ProcessGameLogicMenuExitWindow,
    &GameBase::ProcessGameLogicRestartWindow,
    &GameBase::ProcessGameLogicGameExitWindow,
    &GameBase::ProcessLevelCompleteWindow,
    &GameBase::ProcessStageCompleteWindow,
    &GameBase::ProcessGameCompleteWindow,
    &GameBase::ProcessGameOverWindow};

// Every window at an index is made by the factory of that index, so it is of that index's base.
template <class Window = GUIFrameworkWindow>
Window* At(const Windows& windows, u32 index)
{
    return static_cast<Window*>(windows[index].get());
}

u32 ResultOf(const Windows& windows, u32 index)
{
    const GUIFrameworkWindow* window = At(windows, index);
    return window ? window->GetResultCode() : ResultCode::None;
}

// The result is acted on: it may not be acted on again in a later round of this frame.
void Acknowledge(const Windows& windows, u32 index)
{
    if (GUIFrameworkWindow* window = At(windows, index))
        window->LetResultExpire();
}

void Close(const Windows& windows, u32 index)
{
    if (GUIFrameworkWindow* window = At(windows, index))
    {
        window->Hide();
        window->LetResultExpire();
    }
}

void Open(const Windows& windows, u32 index, u32 stateId)
{
    if (GUIFrameworkWindow* window = At(windows, index))
        window->Show(stateId);
}

void Go(const Windows& windows, u32 from, u32 to, u32 stateId)
{
    Close(windows, from);
    Open(windows, to, stateId);
}

void OpenNewProfile(const Windows& windows, u32 stateId, bool flag)
{
    if (auto* window = At<GUINewProfileWindowBase>(windows, WindowIndex::NewProfile))
        window->Show(stateId, flag ? 1 : 0);
}

void OpenRenameProfile(const Windows& windows, u32 stateId, bool hasName, const std::wstring& name)
{
    if (auto* window = At<GUIRenameProfileWindowBase>(windows, WindowIndex::RenameProfile))
        window->Show(stateId, hasName ? 1 : 0, name);
}

void OpenHighScores(const Windows& windows, u32 stateId, HighScoreEntry* entry)
{
    if (auto* window = At<GUIHighScoresWindowBase>(windows, WindowIndex::HighScores))
        window->Show(stateId, entry);
}

void SetPlayActive(const Windows& windows, bool active)
{
    if (auto* window = At<GUIGameLogicWindowBase>(windows, WindowIndex::GameLogic))
        window->SetActive(active);
}

// The play window stays on screen beneath the pause window, the menu or a question, but takes no input.
void InterruptPlay(const Windows& windows, GameLogicBase* gameLogic, u32 to)
{
    Acknowledge(windows, WindowIndex::GameLogic);
    SetPlayActive(windows, false);
    Open(windows, to, StateId::Play);
    if (gameLogic)
        gameLogic->Pause(true);
}

void ResumePlay(const Windows& windows, u32 from, GameLogicBase* gameLogic)
{
    Close(windows, from);
    SetPlayActive(windows, true);
    if (gameLogic)
        gameLogic->Pause(false);
}

void EndPlay(const Windows& windows, std::unique_ptr<GameLogicBase>& gameLogic)
{
    Close(windows, WindowIndex::GameLogic);
    gameLogic.reset();
}

LevelPosition MapPosition(const ProfileBase& profile)
{
    return {profile.mapStage, profile.mapLevel};
}

void StoreMapPosition(ProfileBase& profile, const LevelPosition& position)
{
    profile.mapStage = position.stage;
    profile.mapLevel = position.level;
    profile.Save();
}

LevelPosition PositionOf(const GameLogicBase& gameLogic)
{
    const LevelRecord* level = gameLogic.GetLevelRecord();
    return level ? LevelPosition{level->stage, level->level} : LevelPosition{};
}

// The furthest position never moves back; reaching it again after the very last level sets the flag.
void RecordFurthest(ProfileBase& profile, const LevelPosition& position, bool last)
{
    const bool further = position.stage > profile.furthestStage ||
                         (position.stage == profile.furthestStage && position.level > profile.furthestLevel);
    const bool same = position.stage == profile.furthestStage && position.level == profile.furthestLevel;
    if (!further && !(same && last))
        return;
    profile.furthestStage = position.stage;
    profile.furthestLevel = position.level;
    profile.furthestFlag = last ? 1 : 0;
    profile.Save();
}
}

void GameBase::CreateWindows()
{
    m_windows[WindowIndex::GameLogicLoading] = CreateGameLogicLoadingWindow();
    m_windows[WindowIndex::Welcome] = CreateWelcomeWindow();
    m_windows[WindowIndex::Exit] = CreateExitWindow();
    m_windows[WindowIndex::MainMenu] = CreateMainMenuWindow();
    m_windows[WindowIndex::Profiles] = CreateProfilesWindow();
    m_windows[WindowIndex::NewProfile] = CreateNewProfileWindow();
    m_windows[WindowIndex::RenameProfile] = CreateRenameProfileWindow();
    m_windows[WindowIndex::DeleteProfile] = CreateDeleteProfileWindow();
    m_windows[WindowIndex::ProfileNameConflict] = CreateProfileNameConflictWindow();
    m_windows[WindowIndex::StartGame] = CreateStartGameLogicWindow();
    m_windows[WindowIndex::ContinueGame] = CreateContinueGameLogicWindow();
    m_windows[WindowIndex::HighScores] = CreateHighScoresWindow();
    m_windows[WindowIndex::Options] = CreateOptionsWindow();
    m_windows[WindowIndex::Help] = CreateHelpWindow();
    m_windows[WindowIndex::GameLogic] = CreateGameLogicWindow();
    m_windows[WindowIndex::GameLogicPause] = CreateGameLogicPauseWindow();
    m_windows[WindowIndex::GameLogicMenu] = CreateGameLogicMenuWindow();
    m_windows[WindowIndex::GameLogicMenuExit] = CreateGameLogicMenuExitWindow();
    m_windows[WindowIndex::GameLogicRestart] = CreateGameLogicRestartWindow();
    m_windows[WindowIndex::GameLogicGameExit] = CreateGameLogicGameExitWindow();
    m_windows[WindowIndex::LevelComplete] = CreateLevelCompleteWindow();
    m_windows[WindowIndex::StageComplete] = CreateStageCompleteWindow();
    m_windows[WindowIndex::GameComplete] = CreateGameCompleteWindow();
    m_windows[WindowIndex::GameOver] = CreateGameOverWindow();
}

std::unique_ptr<LevelTimeRecord> GameBase::CreateLevelResult()
{
    return std::make_unique<LevelTimeRecord>();
}

void GameBase::GetLevelResult(LevelTimeRecord& record)
{
    if (const ProfileBase* profile = m_profileManager ? m_profileManager->GetCurrentProfile() : nullptr)
        record.category = profile->category;
    if (!m_gameLogic)
        return;
    const LevelPosition position = PositionOf(*m_gameLogic);
    record.stage = position.stage;
    record.level = position.level;
    record.time = m_gameLogic->GetTime();
}

void GameBase::DispatchWindowResults()
{
    DropPlayResultAfterLevelEnd();
    for (u32 index : MenuAndPlayOrder)
    {
        if (m_windows[index])
            (this->*Handlers[index])();
    }
    if (m_gameLogic && m_gameLogic->HasStateChanged())
    {
        if (m_gameLogic->GetState() == GameLogicBase::StateLevelComplete)
            CompleteLevel();
        else if (m_gameLogic->GetState() == GameLogicBase::StateGameOver)
            ShowGameOver();
    }
    for (u32 index : LevelEndOrder)
    {
        if (m_windows[index])
            (this->*Handlers[index])();
    }
}

// The in-game window runs before the game logic in a frame, so a pause or menu asked for in the frame in which
// the level ended would open over the level's end window and hand play back to a finished level.
void GameBase::DropPlayResultAfterLevelEnd()
{
    GUIFrameworkWindow* play = At(m_windows, WindowIndex::GameLogic);
    if (!play || !m_gameLogic)
        return;
    const u32 state = m_gameLogic->GetState();
    if (state == GameLogicBase::StateLevelComplete || state == GameLogicBase::StateGameOver)
        play->SetResultCode(ResultCode::None);
}

void GameBase::ExpireWindowResults()
{
    for (const auto& window : m_windows)
    {
        if (window)
            window->ExpireResult();
    }
    if (m_gameLogic)
        m_gameLogic->ClearStateChanged();
}

void GameBase::UpdateWindows()
{
    for (u32 index : MenuAndPlayOrder)
    {
        if (m_windows[index])
            m_windows[index]->Update();
    }
    if (m_gameLogic)
        m_gameLogic->Update();
    for (u32 index : LevelEndOrder)
    {
        if (m_windows[index])
            m_windows[index]->Update();
    }
}

void GameBase::ProcessLogosWindow()
{
    if (ResultOf(m_windows, WindowIndex::Logos) != ResultCode::Done)
        return;
    Close(m_windows, WindowIndex::Logos);
    if (auto* loading = At<GUILoadingWindowBase>(m_windows, WindowIndex::GameLoading))
        loading->Show(StateId::Logos, m_gameData.get());
}

void GameBase::ProcessGameLoadingWindow()
{
    if (ResultOf(m_windows, WindowIndex::GameLoading) != ResultCode::Done)
        return;
    Close(m_windows, WindowIndex::GameLoading);
    if (m_fontTool)
        m_fontTool->LoadAdditionalFonts();
    CreateWindows();
    // Profiles written against another level list are brought into this one before any window shows them.
    if (m_profileManager && m_levelManager)
        m_profileManager->ValidatePositions(*m_levelManager);
    const bool noProfile = !m_profileManager || m_profileManager->GetProfileCount() == 0;
    Open(m_windows, noProfile ? WindowIndex::Welcome : WindowIndex::MainMenu, StateId::GameLoading);
    if (m_gameCursor)
        m_gameCursor->SetCursorVisible(true);
}

void GameBase::ProcessWelcomeWindow()
{
    switch (ResultOf(m_windows, WindowIndex::Welcome))
    {
    case ResultCode::MainMenu:
        Go(m_windows, WindowIndex::Welcome, WindowIndex::MainMenu, StateId::Welcome);
        break;
    case ResultCode::ExitQuestion:
        Go(m_windows, WindowIndex::Welcome, WindowIndex::Exit, StateId::Welcome);
        break;
    }
}

void GameBase::ProcessExitWindow()
{
    switch (ResultOf(m_windows, WindowIndex::Exit))
    {
    case ResultCode::Welcome:
        Go(m_windows, WindowIndex::Exit, WindowIndex::Welcome, StateId::Exit);
        break;
    case ResultCode::MainMenu:
        Go(m_windows, WindowIndex::Exit, WindowIndex::MainMenu, StateId::Exit);
        break;
    case ResultCode::NewProfile:
        Close(m_windows, WindowIndex::Exit);
        OpenNewProfile(m_windows, StateId::Exit, false);
        break;
    case ResultCode::Quit:
        Acknowledge(m_windows, WindowIndex::Exit);
        m_engine->RequestExit();
        break;
    }
}

void GameBase::ProcessMainMenuWindow()
{
    switch (ResultOf(m_windows, WindowIndex::MainMenu))
    {
    case ResultCode::Profiles:
        Go(m_windows, WindowIndex::MainMenu, WindowIndex::Profiles, StateId::MainMenu);
        break;
    case ResultCode::Start:
        StartGame();
        break;
    case ResultCode::HighScores:
        Close(m_windows, WindowIndex::MainMenu);
        OpenHighScores(m_windows, StateId::MainMenu, nullptr);
        break;
    case ResultCode::Options:
        Go(m_windows, WindowIndex::MainMenu, WindowIndex::Options, StateId::MainMenu);
        break;
    case ResultCode::Help:
        Go(m_windows, WindowIndex::MainMenu, WindowIndex::Help, StateId::MainMenu);
        break;
    case ResultCode::ExitQuestion:
        Go(m_windows, WindowIndex::MainMenu, WindowIndex::Exit, StateId::MainMenu);
        break;
    }
}

// A saved game in progress is offered first; otherwise a fresh game starts on the level map.
void GameBase::StartGame()
{
    ProfileBase* profile = GetCheckedProfile();
    if (!profile)
        return;
    Close(m_windows, WindowIndex::MainMenu);
    if (profile->gameInProgress)
    {
        Open(m_windows, WindowIndex::ContinueGame, StateId::MainMenu);
        return;
    }
    profile->Reset();
    Open(m_windows, WindowIndex::StartGame, StateId::MainMenu);
}

void GameBase::ProcessProfilesWindow()
{
    const auto* profiles = At<GUIProfilesWindowBase>(m_windows, WindowIndex::Profiles);
    switch (ResultOf(m_windows, WindowIndex::Profiles))
    {
    case ResultCode::NewProfile:
        Close(m_windows, WindowIndex::Profiles);
        OpenNewProfile(m_windows, StateId::Profiles, true);
        break;
    case ResultCode::RenameProfile:
        Close(m_windows, WindowIndex::Profiles);
        OpenRenameProfile(m_windows, StateId::Profiles, true, profiles->GetSelectedName());
        break;
    case ResultCode::DeleteProfile:
        Close(m_windows, WindowIndex::Profiles);
        if (auto* remove = At<GUIDeleteProfileWindowBase>(m_windows, WindowIndex::DeleteProfile))
            remove->Show(StateId::Profiles, profiles->GetSelectedName());
        break;
    case ResultCode::MainMenu:
        Go(m_windows, WindowIndex::Profiles, WindowIndex::MainMenu, StateId::Profiles);
        break;
    }
}

void GameBase::ProcessGameLogicLoadingWindow()
{
    if (ResultOf(m_windows, WindowIndex::GameLogicLoading) != ResultCode::Done)
        return;
    ProfileBase* profile = GetCheckedProfile();
    if (!profile)
        return;
    StageRecord* stage = m_levelManager->GetStage(profile->mapStage);
    LevelRecord* level = m_levelManager->GetLevel(profile->mapStage, profile->mapLevel);
    if (!stage || !level)
        return;
    Close(m_windows, WindowIndex::GameLogicLoading);
    if (m_gameCursor)
        m_gameCursor->SetCursorVisible(true);
    m_gameLogic = BuildGameLogic(stage, level, profile->lives);
    if (auto* play = At<GUIGameLogicWindowBase>(m_windows, WindowIndex::GameLogic))
        play->Show(StateId::GameLogicLoading, m_gameLogic.get());
}

// The logic reads the level's own files as it is built (its field, its surroundings): a damaged one ends the
// program the way the level's other data does, with the file named in the box and the log. A logic that threw
// while being built has already taken down what it had made.
std::unique_ptr<GameLogicBase> GameBase::BuildGameLogic(StageRecord* stage, LevelRecord* level, u32 lives)
{
    try
    {
        return CreateGameLogic(stage, level, lives);
    }
    catch (const VelkorEngine::FileError& error)
    {
        m_messageManager->Fatal(error.GetMessage());
    }
}

void GameBase::ProcessNewProfileWindow()
{
    switch (ResultOf(m_windows, WindowIndex::NewProfile))
    {
    case ResultCode::NameTaken:
        Go(m_windows, WindowIndex::NewProfile, WindowIndex::ProfileNameConflict, StateId::NewProfile);
        break;
    case ResultCode::Profiles:
        Go(m_windows, WindowIndex::NewProfile, WindowIndex::Profiles, StateId::NewProfile);
        break;
    case ResultCode::ExitQuestion:
        Go(m_windows, WindowIndex::NewProfile, WindowIndex::Exit, StateId::NewProfile);
        break;
    }
}

void GameBase::ProcessRenameProfileWindow()
{
    switch (ResultOf(m_windows, WindowIndex::RenameProfile))
    {
    case ResultCode::NameTaken:
        Go(m_windows, WindowIndex::RenameProfile, WindowIndex::ProfileNameConflict, StateId::RenameProfile);
        break;
    case ResultCode::Profiles:
        Go(m_windows, WindowIndex::RenameProfile, WindowIndex::Profiles, StateId::RenameProfile);
        break;
    }
}

void GameBase::ProcessDeleteProfileWindow()
{
    switch (ResultOf(m_windows, WindowIndex::DeleteProfile))
    {
    case ResultCode::Profiles:
        Go(m_windows, WindowIndex::DeleteProfile, WindowIndex::Profiles, StateId::DeleteProfile);
        break;
    case ResultCode::NewProfile:
        Close(m_windows, WindowIndex::DeleteProfile);
        OpenNewProfile(m_windows, StateId::DeleteProfile, true);
        break;
    }
}

void GameBase::ProcessProfileNameConflictWindow()
{
    switch (ResultOf(m_windows, WindowIndex::ProfileNameConflict))
    {
    case ResultCode::NewProfile:
        Close(m_windows, WindowIndex::ProfileNameConflict);
        OpenNewProfile(m_windows, StateId::ProfileNameConflict, false);
        break;
    case ResultCode::RenameProfile:
        Close(m_windows, WindowIndex::ProfileNameConflict);
        OpenRenameProfile(m_windows, StateId::ProfileNameConflict, false, std::wstring());
        break;
    }
}

void GameBase::ProcessStartGameLogicWindow()
{
    switch (ResultOf(m_windows, WindowIndex::StartGame))
    {
    case ResultCode::MainMenu:
        Go(m_windows, WindowIndex::StartGame, WindowIndex::MainMenu, StateId::StartGame);
        break;
    case ResultCode::Start:
        StartLevel();
        break;
    }
}

// The level data of the level before stays loaded until this one is under way: the next level often shares
// its resources, so they need not be loaded twice in a row.
void GameBase::StartLevel()
{
    ProfileBase* profile = GetCheckedProfile();
    if (!profile)
        return;
    const LevelPosition position = MapPosition(*profile);
    StageRecord* stage = m_levelManager->GetStage(position.stage);
    LevelRecord* level = m_levelManager->GetLevel(position.stage, position.level);
    if (!stage || !level)
        return;
    m_previousLevelData.reset();
    m_previousLevelData = std::move(m_levelData);
    m_levelData = CreateGameLogicData(stage, level);
    std::vector<std::string> files;
    m_levelManager->PrepareLevel(position, files);
    for (const std::string& file : files)
        m_levelData->AddResourcesFile(file, 0);
    Close(m_windows, WindowIndex::StartGame);
    if (auto* loading = At<GUILoadingWindowBase>(m_windows, WindowIndex::GameLogicLoading))
        loading->Show(StateId::StartGame, m_levelData.get());
}

void GameBase::ProcessContinueGameLogicWindow()
{
    switch (ResultOf(m_windows, WindowIndex::ContinueGame))
    {
    case ResultCode::ContinueGame:
        Go(m_windows, WindowIndex::ContinueGame, WindowIndex::StartGame, StateId::ContinueGame);
        break;
    case ResultCode::LevelMap:
        if (ProfileBase* profile = GetCheckedProfile())
        {
            profile->gameInProgress = 0;
            profile->Save();
            profile->Reset();
            Go(m_windows, WindowIndex::ContinueGame, WindowIndex::StartGame, StateId::ContinueGame);
        }
        break;
    case ResultCode::MainMenu:
        Go(m_windows, WindowIndex::ContinueGame, WindowIndex::MainMenu, StateId::ContinueGame);
        break;
    }
}

void GameBase::ProcessHighScoresWindow()
{
    if (ResultOf(m_windows, WindowIndex::HighScores) == ResultCode::MainMenu)
        Go(m_windows, WindowIndex::HighScores, WindowIndex::MainMenu, StateId::HighScores);
}

void GameBase::ProcessOptionsWindow()
{
    if (ResultOf(m_windows, WindowIndex::Options) == ResultCode::MainMenu)
        Go(m_windows, WindowIndex::Options, WindowIndex::MainMenu, StateId::Options);
}

void GameBase::ProcessHelpWindow()
{
    if (ResultOf(m_windows, WindowIndex::Help) == ResultCode::MainMenu)
        Go(m_windows, WindowIndex::Help, WindowIndex::MainMenu, StateId::Help);
}

void GameBase::ProcessGameLogicWindow()
{
    switch (ResultOf(m_windows, WindowIndex::GameLogic))
    {
    case ResultCode::GameLogicMenu:
        InterruptPlay(m_windows, m_gameLogic.get(), WindowIndex::GameLogicMenu);
        break;
    case ResultCode::Pause:
        InterruptPlay(m_windows, m_gameLogic.get(), WindowIndex::GameLogicPause);
        break;
    case ResultCode::ExitQuestion:
        InterruptPlay(m_windows, m_gameLogic.get(), WindowIndex::GameLogicGameExit);
        break;
    }
}

void GameBase::ProcessGameLogicPauseWindow()
{
    if (ResultOf(m_windows, WindowIndex::GameLogicPause) == ResultCode::BackToPlay)
        ResumePlay(m_windows, WindowIndex::GameLogicPause, m_gameLogic.get());
}

void GameBase::ProcessGameLogicMenuWindow()
{
    switch (ResultOf(m_windows, WindowIndex::GameLogicMenu))
    {
    case ResultCode::BackToPlay:
        ResumePlay(m_windows, WindowIndex::GameLogicMenu, m_gameLogic.get());
        break;
    case ResultCode::ExitToMenuQuestion:
        Go(m_windows, WindowIndex::GameLogicMenu, WindowIndex::GameLogicMenuExit, StateId::GameLogicMenu);
        break;
    case ResultCode::RestartQuestion:
        Go(m_windows, WindowIndex::GameLogicMenu, WindowIndex::GameLogicRestart, StateId::GameLogicMenu);
        break;
    }
}

void GameBase::ProcessGameLogicMenuExitWindow()
{
    switch (ResultOf(m_windows, WindowIndex::GameLogicMenuExit))
    {
    case ResultCode::GameLogicMenu:
        Go(m_windows, WindowIndex::GameLogicMenuExit, WindowIndex::GameLogicMenu, StateId::GameLogicMenuExit);
        break;
    case ResultCode::MainMenu:
        Close(m_windows, WindowIndex::GameLogicMenuExit);
        EndPlay(m_windows, m_gameLogic);
        Open(m_windows, WindowIndex::MainMenu, StateId::GameLogicMenuExit);
        break;
    }
}

void GameBase::ProcessGameLogicRestartWindow()
{
    switch (ResultOf(m_windows, WindowIndex::GameLogicRestart))
    {
    case ResultCode::GameLogicMenu:
        Go(m_windows, WindowIndex::GameLogicRestart, WindowIndex::GameLogicMenu, StateId::GameLogicRestart);
        break;
    case ResultCode::LevelMap:
        Close(m_windows, WindowIndex::GameLogicRestart);
        EndPlay(m_windows, m_gameLogic);
        Open(m_windows, WindowIndex::StartGame, StateId::GameLogicRestart);
        break;
    }
}

void GameBase::ProcessGameLogicGameExitWindow()
{
    switch (ResultOf(m_windows, WindowIndex::GameLogicGameExit))
    {
    case ResultCode::BackToPlay:
        ResumePlay(m_windows, WindowIndex::GameLogicGameExit, m_gameLogic.get());
        break;
    case ResultCode::Quit:
        Acknowledge(m_windows, WindowIndex::GameLogicGameExit);
        m_engine->RequestExit();
        break;
    }
}

void GameBase::CompleteLevel()
{
    if (!m_gameLogic)
        return;
    SetPlayActive(m_windows, false);
    const LevelPosition position = PositionOf(*m_gameLogic);
    const f32 levelTime = m_gameLogic->GetTime();
    if (ProfileBase* profile = GetCheckedProfile())
        StoreLevelProgress(*profile, position, levelTime);
    if (auto* complete = At<GUILevelCompleteWindowBase>(m_windows, WindowIndex::LevelComplete))
        complete->Show(StateId::Play, position, levelTime);
}

// The points of the level move into the profile's score, so that they count once: in the profile from now on.
void GameBase::StoreLevelProgress(ProfileBase& profile, const LevelPosition& position, f32 levelTime)
{
    const LevelPosition next = m_levelManager->GetNextPosition(position);
    StoreMapPosition(profile, next);
    const bool last = next == position;
    RecordFurthest(profile, next, last);
    profile.lives = m_gameLogic->lives;
    profile.score += m_gameLogic->GetPoints();
    m_gameLogic->SetPoints(0);
    profile.gameInProgress = last ? 0 : 1;
    profile.Save();
    m_profileManager->SetBestTime(position, profile.name, profile.category, levelTime);
    std::unique_ptr<LevelTimeRecord> record = CreateLevelResult();
    GetLevelResult(*record);
    profile.AddLevelTime(std::move(record));
}

void GameBase::ReturnToLevelMap()
{
    ProfileBase* profile = GetCheckedProfile();
    if (!profile)
        return;
    StoreMapPosition(*profile, m_levelManager->GetPreviousPosition(MapPosition(*profile)));
    EndPlay(m_windows, m_gameLogic);
    Open(m_windows, WindowIndex::StartGame, StateId::MainMenu);
}

void GameBase::ShowGameOver()
{
    SetPlayActive(m_windows, false);
    if (ProfileBase* profile = GetCheckedProfile())
    {
        profile->gameInProgress = 0;
        profile->Save();
    }
    Open(m_windows, WindowIndex::GameOver, StateId::Play);
}

void GameBase::ProcessLevelCompleteWindow()
{
    switch (ResultOf(m_windows, WindowIndex::LevelComplete))
    {
    case ResultCode::LevelMap:
        Close(m_windows, WindowIndex::LevelComplete);
        EndPlay(m_windows, m_gameLogic);
        Open(m_windows, WindowIndex::StartGame, StateId::LevelComplete);
        break;
    case ResultCode::StageComplete:
    {
        const auto* complete = At<GUILevelCompleteWindowBase>(m_windows, WindowIndex::LevelComplete);
        const LevelPosition position = m_gameLogic ? PositionOf(*m_gameLogic) : complete->GetPosition();
        Close(m_windows, WindowIndex::LevelComplete);
        if (auto* stage = At<GUIStageCompleteWindowBase>(m_windows, WindowIndex::StageComplete))
            stage->Show(StateId::LevelComplete, position);
        break;
    }
    }
}

void GameBase::ProcessStageCompleteWindow()
{
    switch (ResultOf(m_windows, WindowIndex::StageComplete))
    {
    case ResultCode::LevelMap:
        Close(m_windows, WindowIndex::StageComplete);
        EndPlay(m_windows, m_gameLogic);
        Open(m_windows, WindowIndex::StartGame, StateId::StageComplete);
        break;
    case ResultCode::GameComplete:
        Close(m_windows, WindowIndex::StageComplete);
        EndPlay(m_windows, m_gameLogic);
        Open(m_windows, WindowIndex::GameComplete, StateId::StageComplete);
        break;
    }
}

void GameBase::ProcessGameCompleteWindow()
{
    if (ResultOf(m_windows, WindowIndex::GameComplete) != ResultCode::Done)
        return;
    Close(m_windows, WindowIndex::GameComplete);
    const ProfileBase* profile = GetCheckedProfile();
    ShowFinalScore(StateId::GameComplete, profile ? profile->score : 0);
}

void GameBase::ProcessGameOverWindow()
{
    if (ResultOf(m_windows, WindowIndex::GameOver) != ResultCode::Done)
        return;
    Close(m_windows, WindowIndex::GameOver);
    const ProfileBase* profile = GetCheckedProfile();
    const u32 points = m_gameLogic ? m_gameLogic->GetPoints() : 0;
    ShowFinalScore(StateId::GameOver, points + (profile ? profile->score : 0));
    EndPlay(m_windows, m_gameLogic);
}

// A game that ends with a score enters it in the high scores and shows it there; without one the player is
// back in the main menu.
void GameBase::ShowFinalScore(u32 stateId, u32 total)
{
    const ProfileBase* profile = GetCheckedProfile();
    if (total == 0 || !profile || !m_highScores)
    {
        Open(m_windows, WindowIndex::MainMenu, stateId);
        return;
    }
    OpenHighScores(m_windows, stateId, m_highScores->Add(profile->name, profile->category, total));
}

// The profile's stored positions come from a file that may have been written against another level list:
// they are brought within this list before the flow uses them.
ProfileBase* GameBase::GetCheckedProfile() const
{
    ProfileBase* profile = m_profileManager ? m_profileManager->GetCurrentProfile() : nullptr;
    if (profile && m_levelManager)
        profile->ValidatePositions(*m_levelManager);
    return profile;
}
}
