// The window over the playfield while a level is played: lives, score and level number, the menu, minimise,
// full-screen and close buttons, the keys that pause or open the in-game menu, the click handed to the game
// logic and, when asked for in the settings, a statistics overlay. It shows and hides at once, but holds the
// menu windows' token while it goes so that no menu window appears over it before it has gone.
#pragma once

#include "framework/GUIGameLogicWindowBase.h"
#include "guitools/GUIWindowBase.h"

namespace VelkorEngine
{
class Controls;
class GUIButton;
class GUICheckBox;
class GUIManager;
class ModelManager;
class TimerManager;
}

namespace GUITools
{
class GUIWindowControl;
}

namespace Korvane
{
using VelkorEngine::u32;

class GameData;
class GameLogic;
class GUIMenuWindowManager;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase
{
public:
    static constexpr const char* WindowName = "window_game_logic";
    static constexpr VelkorEngine::i32 OverlayLayer = 20;

    GUIGameLogicWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager, GameData* data,
                       GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                       VelkorEngine::GUIWindow* parentWidget);
    ~GUIGameLogicWindow() override;

    void Update() override;
    using GUIGameLogicWindowBase::Show;
    void Show(u32 stateId, GameFramework::GameLogicBase* gameLogic) override;
    void Hide() override;
    void SetActive(bool active) override;

    GUITools::GUIWindowBase& GetLayout() { return m_layout; }
    VelkorEngine::GUIWindow* GetOverlay() const { return m_overlay; }

private:
    void FollowWindowMode();
    void ReleaseHideHold();
    void HandleWindowButtons();
    void ShowCounters();
    void HandleCommands();
    bool IsOverButtons() const;
    bool IsClickInsideScreen() const;
    bool IsStatisticsShown() const;
    void DrawStatistics();
    void QueueLine(VelkorEngine::f32 y, const std::wstring& text);

    GUITools::GUIWindowBase m_layout;
    VelkorEngine::Config* m_settings;
    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::ModelManager* m_modelManager;
    VelkorEngine::Controls* m_controls;
    VelkorEngine::GUIManager* m_guiManager;
    GUITools::GUIToolManager* m_toolManager;
    GUIMenuWindowManager* m_menuManager;
    GameData* m_data;
    VelkorEngine::GUIWindow* m_overlay = nullptr;
    GUITools::GUIWindowControl* m_ownControl;
    VelkorEngine::GUIButton* m_menuButton;
    VelkorEngine::GUIButton* m_minimizeButton;
    VelkorEngine::GUICheckBox* m_fullScreenBox;
    VelkorEngine::GUIButton* m_closeButton;
    GUITools::GUITextControl* m_livesText;
    GUITools::GUITextControl* m_scoreText;
    GUITools::GUITextControl* m_levelText;
    GameLogic* m_logic = nullptr;
};
}
