// The window after a finished level: the player's time against the level's ace time, the time bonus counted
// into the score while the player watches, and the best time of the level with its holder.
#pragma once

#include "framework/GUILevelCompleteWindowBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/LevelTimeBonus.h"

namespace VelkorEngine
{
class GUIButton;
class TimerManager;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class LevelManager;

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase
{
public:
    GUILevelCompleteWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                           LevelManager* levelManager, GameFramework::ProfileManagerBase* profileManager,
                           GameData* data, GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                           VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    using GUILevelCompleteWindowBase::Show;
    void Show(u32 stateId, const GameFramework::LevelPosition& position, f32 levelTime) override;
    // The bonus counted so far is saved with the profile, so it is not lost when the program ends before the
    // next level is finished.
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    u32 GetAceTime() const { return m_aceTime; }
    u32 GetBonusShown() const { return m_bonus.GetShown(); }

private:
    void ShowTimes();
    void ShowBestTime();
    void CountBonus();
    void AddToScore(u32 points);
    bool IsLastLevelOfStage() const;

    GUIMenuWindow m_menu;
    GameFramework::GameSoundPlayer* m_soundPlayer;
    VelkorEngine::TimerManager* m_frameTimer;
    LevelManager* m_levelManager;
    GUITools::GUITextControl* m_yourTime;
    GUITools::GUITextControl* m_aceTimeText;
    GUITools::GUITextControl* m_timeBonus;
    GUITools::GUITextControl* m_timeBonusStatic;
    GUITools::GUITextControl* m_noTimeBonusStatic;
    GUITools::GUITextControl* m_bestTime;
    GUITools::GUITextControl* m_bestTimeStatic;
    VelkorEngine::GUIButton* m_button;
    u32 m_aceTime = 0;
    LevelTimeBonus m_bonus;
    bool m_scoreUnsaved = false;
};
}
