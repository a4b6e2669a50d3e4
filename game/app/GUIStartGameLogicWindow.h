// The level map: a marker per level laid out by the map file, passed levels, the selected one and the levels
// ahead drawn differently, the locked steps up to the next marker blinking. A click selects a level (saved
// with the player's profile at once), a double click or the start button starts it. Opened on the way from
// one level to the next, the window only passes on to the level without appearing.
#pragma once

#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/LevelManagerBase.h"
#include "game/app/GUIMenuWindow.h"

#include <memory>
#include <vector>

namespace VelkorEngine
{
class GUIButton;
class TimerManager;
}

namespace GameFramework
{
class GUIDoubleClickDetecter;
class ProfileBase;
class ProfileManagerBase;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIMapElement;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase
{
public:
    static constexpr const char* WindowName = "window_start_game_logic";

    // Reads the map file; a missing or damaged one ends the program through the log's fatal report.
    GUIStartGameLogicWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                            GameFramework::LevelManagerBase* levelManager,
                            GameFramework::ProfileManagerBase* profileManager, GameData* data,
                            GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                            VelkorEngine::GUIWindow* parentWidget);
    ~GUIStartGameLogicWindow() override;

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    // Selects the level, or the furthest reached one when it lies beyond; shows every marker up to the
    // furthest and saves the selection with the profile.
    void SelectMapPosition(u32 stage, u32 level);

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    const std::vector<std::unique_ptr<GUIMapElement>>& GetElements() const { return m_elements; }
    bool IsAnimationRunning() const { return m_animationRunning != 0; }
    f32 GetAnimationTime() const { return m_animationTime; }

private:
    void LoadMap(GameFramework::LevelManagerBase& levelManager, GameData* data);
    static bool ForwardsToPlay(u32 stateId);
    void ShowTitle(const std::string& key);
    void FollowFade();
    void UpdateMarkers();
    void UpdateBlinking();
    void BlinkPass(u32 pass, std::size_t furthestIndex);
    std::size_t FindElement(u32 stage, u32 level) const;

    GUIMenuWindow m_menu;
    VelkorEngine::Engine* m_engine;
    VelkorEngine::TimerManager* m_frameTimer;
    GameFramework::ProfileManagerBase* m_profileManager;
    VelkorEngine::GUIButton* m_backButton;
    VelkorEngine::GUIButton* m_startButton;
    GUITools::GUITextControl* m_startTitle;
    std::unique_ptr<GameFramework::GUIDoubleClickDetecter> m_doubleClicks;
    std::vector<std::unique_ptr<GUIMapElement>> m_elements;
    f32 m_lastFade = 0.0f;
    u8 m_animationRunning = 0;
    f32 m_animationTime = 0.0f;
};
}
