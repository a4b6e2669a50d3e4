// A game object on the engine twins whose factories make stub windows: each stub notes its shows and hides in
// one journal and hands back the result codes a test scripts, either from its next update (a button) or at
// once while it is being shown (a window that decides without the player).
#pragma once

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
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameBase.h"
#include "tests/framework/TestGame.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace FrameworkTest
{
using VelkorEngine::u32;

struct FlowEvent
{
    enum Kind : u32
    {
        Show,
        Hide
    };
    Kind kind = Show;
    u32 window = 0;
    u32 stateId = 0;

    bool operator==(const FlowEvent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FlowEvent& event);

// Shorthands for the expected journals.
FlowEvent Shown(u32 window, u32 stateId);
FlowEvent Hidden(u32 window);

// What every stub window shares, whatever its base.
struct ScriptedWindow
{
    virtual ~ScriptedWindow() = default;

    // Stored by the window's next update, as a button would.
    u32 nextResult = 0;
    // Stored while the window is being shown, kept past the dispatch that showed it.
    u32 resultOnShow = 0;
    // Like a game window that never appeared: its hide skips the framework's own hide.
    bool skipBaseHide = false;
    bool shown = false;
    u32 updates = 0;
};

template <class Base>
class StubWindow : public Base, public ScriptedWindow
{
public:
    template <class... Arguments>
    StubWindow(std::vector<FlowEvent>& journal, u32 index, Arguments... arguments)
        : Base(arguments...), m_journal(journal), m_index(index)
    {
    }

    void Update() override
    {
        Base::Update();
        ++updates;
        if (nextResult)
            this->SetResultCode(nextResult);
        nextResult = 0;
    }
    void Show(u32 stateId) override
    {
        Base::Show(stateId);
        NoteShown(stateId);
    }
    void Hide() override
    {
        if (!skipBaseHide)
            Base::Hide();
        shown = false;
        m_journal.push_back({FlowEvent::Hide, m_index, 0});
    }

protected:
    void NoteShown(u32 stateId)
    {
        shown = true;
        m_journal.push_back({FlowEvent::Show, m_index, stateId});
        if (resultOnShow)
            this->SetLastingResultCode(resultOnShow);
    }

private:
    std::vector<FlowEvent>& m_journal;
    u32 m_index;
};

// The bases whose show takes more than the state id.
class StubLoadingWindow : public StubWindow<GameFramework::GUILoadingWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, GameTools::DataKeeper* keeper) override;
};

class StubNewProfileWindow : public StubWindow<GameFramework::GUINewProfileWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, VelkorEngine::u8 flag) override;
    VelkorEngine::u8 flag = 0;
};

class StubRenameProfileWindow : public StubWindow<GameFramework::GUIRenameProfileWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, VelkorEngine::u8 hasName, const std::wstring& name) override;
};

class StubDeleteProfileWindow : public StubWindow<GameFramework::GUIDeleteProfileWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, const std::wstring& name) override;
};

class StubProfilesWindow : public StubWindow<GameFramework::GUIProfilesWindowBase>
{
public:
    using StubWindow::StubWindow;
    void Select(const std::wstring& name) { m_selectedName = name; }
};

class StubHighScoresWindow : public StubWindow<GameFramework::GUIHighScoresWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, GameFramework::HighScoreEntry* entry) override;
};

class StubGameLogicWindow : public StubWindow<GameFramework::GUIGameLogicWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, GameFramework::GameLogicBase* gameLogic) override;
};

class StubLevelCompleteWindow : public StubWindow<GameFramework::GUILevelCompleteWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, const GameFramework::LevelPosition& position, VelkorEngine::f32 levelTime) override;
};

class StubStageCompleteWindow : public StubWindow<GameFramework::GUIStageCompleteWindowBase>
{
public:
    using StubWindow::StubWindow;
    using StubWindow::Show;
    void Show(u32 stateId, const GameFramework::LevelPosition& position) override;
};

class FlowTestGame : public GameFramework::GameBase
{
public:
    // Init is left to the test; the environment's data, level list included, must be on disk by then.
    explicit FlowTestGame(GameEnvironment& environment);
    ~FlowTestGame() override;

    void SetupEngineParameters(VelkorEngine::EngineParameters& parameters) override;

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

    // The stub at a window index; the windows after the first two exist once the start-up loading is over.
    ScriptedWindow& Stub(u32 index) { return *m_stubs[index]; }
    template <class Window>
    Window& StubAs(u32 index)
    {
        return dynamic_cast<Window&>(*m_stubs[index]);
    }
    // Play as the level-loading window's handler begins it, without the detour through the windows.
    void BeginPlay(u32 lives);
    // The three rounds of dispatch and expiry of one frame, without the engine around them.
    void DispatchRounds();

    std::vector<FlowEvent> journal;
    // The position and lives each game logic was made with, in order.
    std::vector<std::array<u32, 3>> gameLogicsMade;
    // When set, the next game logic fails as one does whose level file is damaged, with this message.
    std::string gameLogicFileError;
    u32 gameLogicDataMade = 0;

private:
    template <class Window, class Base, class... Arguments>
    std::unique_ptr<Base> Make(u32 index, Arguments... arguments);

    std::array<ScriptedWindow*, WindowCount> m_stubs{};
};
}
