// The stub game of the window-flow tests.
#include "tests/framework/FlowTestGame.h"

#include "engine/core/Error.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameWindowIds.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "tests/framework/TestGameTypes.h"

#include <utility>

namespace FrameworkTest
{
using namespace GameFramework;

std::ostream& operator<<(std::ostream& out, const FlowEvent& event)
{
    if (event.kind == FlowEvent::Hide)
        return out << "hide " << event.window;
    return out << "show " << event.window << " (" << event.stateId << ")";
}

FlowEvent Shown(u32 window, u32 stateId)
{
    return {FlowEvent::Show, window, stateId};
}

FlowEvent Hidden(u32 window)
{
    return {FlowEvent::Hide, window, 0};
}

void StubLoadingWindow::Show(u32 stateId, GameTools::DataKeeper* keeper)
{
    GUILoadingWindowBase::Show(stateId, keeper);
    NoteShown(stateId);
}

void StubNewProfileWindow::Show(u32 stateId, VelkorEngine::u8 shownFlag)
{
    GUINewProfileWindowBase::Show(stateId, shownFlag);
    flag = shownFlag;
    NoteShown(stateId);
}

void StubRenameProfileWindow::Show(u32 stateId, VelkorEngine::u8 hasName, const std::wstring& name)
{
    GUIRenameProfileWindowBase::Show(stateId, hasName, name);
    NoteShown(stateId);
}

void StubDeleteProfileWindow::Show(u32 stateId, const std::wstring& name)
{
    GUIDeleteProfileWindowBase::Show(stateId, name);
    NoteShown(stateId);
}

void StubHighScoresWindow::Show(u32 stateId, HighScoreEntry* entry)
{
    GUIHighScoresWindowBase::Show(stateId, entry);
    NoteShown(stateId);
}

void StubGameLogicWindow::Show(u32 stateId, GameLogicBase* gameLogic)
{
    GUIGameLogicWindowBase::Show(stateId, gameLogic);
    NoteShown(stateId);
}

void StubLevelCompleteWindow::Show(u32 stateId, const LevelPosition& position, VelkorEngine::f32 levelTime)
{
    GUILevelCompleteWindowBase::Show(stateId, position, levelTime);
    NoteShown(stateId);
}

void StubStageCompleteWindow::Show(u32 stateId, const LevelPosition& position)
{
    GUIStageCompleteWindowBase::Show(stateId, position);
    NoteShown(stateId);
}

FlowTestGame::FlowTestGame(GameEnvironment&) : GameBase(GameEnvironment::Maker, GameEnvironment::Title, 100) {}

// The stubs note into the journal, a member that goes before the base's destructor releases them.
FlowTestGame::~FlowTestGame()
{
    ReleaseAll();
}

// Windowed, so that no mode switch stands between the tests and the flow.
void FlowTestGame::SetupEngineParameters(VelkorEngine::EngineParameters& parameters)
{
    GameBase::SetupEngineParameters(parameters);
    parameters.defaultFullScreen = 0;
}

template <class Window, class Base, class... Arguments>
std::unique_ptr<Base> FlowTestGame::Make(u32 index, Arguments... arguments)
{
    auto window = std::make_unique<Window>(journal, index, arguments...);
    m_stubs[index] = window.get();
    return window;
}

std::unique_ptr<LevelManagerBase> FlowTestGame::CreateLevelManager()
{
    return std::make_unique<TestLevelManager>(m_engine.get());
}

std::unique_ptr<ProfileManagerBase> FlowTestGame::CreateProfileManager()
{
    return std::make_unique<TestProfileManager>(m_engine.get(), m_soundPlayer.get(), m_userDataFolder);
}

std::unique_ptr<GameTools::DataKeeper> FlowTestGame::CreateGameData()
{
    return std::make_unique<GameTools::DataKeeper>(m_engine.get(), "en");
}

std::unique_ptr<GUIGameCursorBase> FlowTestGame::CreateGameCursor()
{
    return std::make_unique<GUIGameCursorBase>(m_engine.get());
}

std::unique_ptr<GUILogosWindowBase> FlowTestGame::CreateLogosWindow()
{
    return Make<StubWindow<GUILogosWindowBase>, GUILogosWindowBase>(WindowIndex::Logos);
}

std::unique_ptr<GUILoadingWindowBase> FlowTestGame::CreateGameLoadingWindow()
{
    return Make<StubLoadingWindow, GUILoadingWindowBase>(WindowIndex::GameLoading, m_engine.get());
}

std::unique_ptr<GUILoadingWindowBase> FlowTestGame::CreateGameLogicLoadingWindow()
{
    return Make<StubLoadingWindow, GUILoadingWindowBase>(WindowIndex::GameLogicLoading, m_engine.get());
}

std::unique_ptr<GUIWelcomeWindowBase> FlowTestGame::CreateWelcomeWindow()
{
    return Make<StubWindow<GUIWelcomeWindowBase>, GUIWelcomeWindowBase>(WindowIndex::Welcome,
                                                                         m_profileManager.get());
}

std::unique_ptr<GUIExitWindowBase> FlowTestGame::CreateExitWindow()
{
    return Make<StubWindow<GUIExitWindowBase>, GUIExitWindowBase>(WindowIndex::Exit);
}

std::unique_ptr<GUIMainMenuWindowBase> FlowTestGame::CreateMainMenuWindow()
{
    return Make<StubWindow<GUIMainMenuWindowBase>, GUIMainMenuWindowBase>(WindowIndex::MainMenu);
}

std::unique_ptr<GUIProfilesWindowBase> FlowTestGame::CreateProfilesWindow()
{
    return Make<StubProfilesWindow, GUIProfilesWindowBase>(WindowIndex::Profiles, m_profileManager.get());
}

std::unique_ptr<GUINewProfileWindowBase> FlowTestGame::CreateNewProfileWindow()
{
    return Make<StubNewProfileWindow, GUINewProfileWindowBase>(WindowIndex::NewProfile, m_profileManager.get());
}

std::unique_ptr<GUIRenameProfileWindowBase> FlowTestGame::CreateRenameProfileWindow()
{
    return Make<StubRenameProfileWindow, GUIRenameProfileWindowBase>(WindowIndex::RenameProfile,
                                                                      m_profileManager.get());
}

std::unique_ptr<GUIDeleteProfileWindowBase> FlowTestGame::CreateDeleteProfileWindow()
{
    return Make<StubDeleteProfileWindow, GUIDeleteProfileWindowBase>(WindowIndex::DeleteProfile,
                                                                      m_profileManager.get());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> FlowTestGame::CreateProfileNameConflictWindow()
{
    return Make<StubWindow<GUIProfileNameConflictWindowBase>, GUIProfileNameConflictWindowBase>(
        WindowIndex::ProfileNameConflict);
}

std::unique_ptr<GUIStartGameLogicWindowBase> FlowTestGame::CreateStartGameLogicWindow()
{
    return Make<StubWindow<GUIStartGameLogicWindowBase>, GUIStartGameLogicWindowBase>(WindowIndex::StartGame);
}

std::unique_ptr<GUIContinueGameLogicWindowBase> FlowTestGame::CreateContinueGameLogicWindow()
{
    return Make<StubWindow<GUIContinueGameLogicWindowBase>, GUIContinueGameLogicWindowBase>(
        WindowIndex::ContinueGame);
}

std::unique_ptr<GUIHighScoresWindowBase> FlowTestGame::CreateHighScoresWindow()
{
    return Make<StubHighScoresWindow, GUIHighScoresWindowBase>(WindowIndex::HighScores, m_highScores.get());
}

std::unique_ptr<GUIOptionsWindowBase> FlowTestGame::CreateOptionsWindow()
{
    return Make<StubWindow<GUIOptionsWindowBase>, GUIOptionsWindowBase>(WindowIndex::Options, m_engine.get(),
                                                                         m_soundPlayer.get(), m_profileManager.get());
}

std::unique_ptr<GUIHelpWindowBase> FlowTestGame::CreateHelpWindow()
{
    return Make<StubWindow<GUIHelpWindowBase>, GUIHelpWindowBase>(WindowIndex::Help);
}

std::unique_ptr<GUIGameLogicWindowBase> FlowTestGame::CreateGameLogicWindow()
{
    return Make<StubGameLogicWindow, GUIGameLogicWindowBase>(WindowIndex::GameLogic, m_engine.get(),
                                                             m_profileManager.get());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> FlowTestGame::CreateGameLogicPauseWindow()
{
    return Make<StubWindow<GUIGameLogicPauseWindowBase>, GUIGameLogicPauseWindowBase>(WindowIndex::GameLogicPause);
}

std::unique_ptr<GUIGameLogicMenuWindowBase> FlowTestGame::CreateGameLogicMenuWindow()
{
    return Make<StubWindow<GUIGameLogicMenuWindowBase>, GUIGameLogicMenuWindowBase>(
        WindowIndex::GameLogicMenu, m_engine.get(), m_soundPlayer.get(), m_profileManager.get());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> FlowTestGame::CreateGameLogicMenuExitWindow()
{
    return Make<StubWindow<GUIGameLogicMenuExitWindowBase>, GUIGameLogicMenuExitWindowBase>(
        WindowIndex::GameLogicMenuExit);
}

std::unique_ptr<GUIGameLogicRestartWindowBase> FlowTestGame::CreateGameLogicRestartWindow()
{
    return Make<StubWindow<GUIGameLogicRestartWindowBase>, GUIGameLogicRestartWindowBase>(
        WindowIndex::GameLogicRestart);
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> FlowTestGame::CreateGameLogicGameExitWindow()
{
    return Make<StubWindow<GUIGameLogicGameExitWindowBase>, GUIGameLogicGameExitWindowBase>(
        WindowIndex::GameLogicGameExit);
}

std::unique_ptr<GUILevelCompleteWindowBase> FlowTestGame::CreateLevelCompleteWindow()
{
    return Make<StubLevelCompleteWindow, GUILevelCompleteWindowBase>(WindowIndex::LevelComplete,
                                                                     m_profileManager.get());
}

std::unique_ptr<GUIStageCompleteWindowBase> FlowTestGame::CreateStageCompleteWindow()
{
    return Make<StubStageCompleteWindow, GUIStageCompleteWindowBase>(WindowIndex::StageComplete,
                                                                     m_levelManager.get());
}

std::unique_ptr<GUIGameCompleteWindowBase> FlowTestGame::CreateGameCompleteWindow()
{
    return Make<StubWindow<GUIGameCompleteWindowBase>, GUIGameCompleteWindowBase>(WindowIndex::GameComplete);
}

std::unique_ptr<GUIGameOverWindowBase> FlowTestGame::CreateGameOverWindow()
{
    return Make<StubWindow<GUIGameOverWindowBase>, GUIGameOverWindowBase>(WindowIndex::GameOver);
}

std::unique_ptr<GameTools::DataKeeper> FlowTestGame::CreateGameLogicData(StageRecord*, LevelRecord*)
{
    ++gameLogicDataMade;
    return std::make_unique<GameTools::DataKeeper>(m_engine.get(), "en");
}

std::unique_ptr<GameLogicBase> FlowTestGame::CreateGameLogic(StageRecord* stage, LevelRecord* level, u32 lives)
{
    gameLogicsMade.push_back({level->stage, level->level, lives});
    if (!gameLogicFileError.empty())
        throw VelkorEngine::FileError(std::exchange(gameLogicFileError, std::string()));
    return std::make_unique<GameLogicBase>(m_engine.get(), m_soundPlayer.get(), stage, level, lives);
}

void FlowTestGame::BeginPlay(u32 lives)
{
    const ProfileBase* profile = m_profileManager->GetCurrentProfile();
    m_gameLogic = CreateGameLogic(m_levelManager->GetStage(profile->mapStage),
                                  m_levelManager->GetLevel(profile->mapStage, profile->mapLevel), lives);
    StubAs<StubGameLogicWindow>(WindowIndex::GameLogic).Show(StateId::GameLogicLoading, m_gameLogic.get());
}

void FlowTestGame::DispatchRounds()
{
    for (int round = 0; round < 3; ++round)
    {
        DispatchWindowResults();
        ExpireWindowResults();
    }
}
}
