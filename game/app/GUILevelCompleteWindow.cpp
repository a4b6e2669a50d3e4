// Times, the counted time bonus and the best time of a finished level.
#include "game/app/GUILevelCompleteWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"
#include "game/app/PlayWindowControls.h"
#include "game/app/SoundTable.h"
#include "game/play/LevelManager.h"
#include "guitools/GUITextControl.h"

#include <limits>

namespace Korvane
{
using namespace GameFramework;
namespace Controls = PlayWindowControls;

namespace
{
constexpr VelkorEngine::f32 FullyShown = 1.0f - 0.0001f;
}

GUILevelCompleteWindow::GUILevelCompleteWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                               LevelManager* levelManager, ProfileManagerBase* profileManager,
                                               GameData* data, GUITools::GUIToolManager* toolManager,
                                               GUIMenuWindowManager* menuManager, VelkorEngine::GUIWindow* parentWidget)
    : GUILevelCompleteWindowBase(profileManager),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_level_complete", parentWidget),
      m_soundPlayer(soundPlayer), m_frameTimer(engine->GetTimerManager()), m_levelManager(levelManager),
      m_yourTime(MenuControls::Text(m_menu, "/window/your_time")),
      m_aceTimeText(MenuControls::Text(m_menu, "/window/ace_time")),
      m_timeBonus(MenuControls::Text(m_menu, "/window/time_bonus")),
      m_timeBonusStatic(MenuControls::Text(m_menu, "/window/time_bonus_static")),
      m_noTimeBonusStatic(MenuControls::Text(m_menu, "/window/no_time_bonus_static")),
      m_bestTime(MenuControls::Text(m_menu, "/window/best_time")),
      m_bestTimeStatic(MenuControls::Text(m_menu, "/window/best_time_static")),
      m_button(MenuControls::Button(m_menu, "/window/button_0"))
{
}

void GUILevelCompleteWindow::Show(u32 stateId, const LevelPosition& position, f32 levelTime)
{
    GUILevelCompleteWindowBase::Show(stateId, position, levelTime);
    Controls::EnableIfPresent(m_menu, "/title_mount_animated", true);
    ShowTimes();
    ShowBestTime();
    m_menu.Show(true);
}

void GUILevelCompleteWindow::ShowTimes()
{
    const LevelInfo* level = m_levelManager->GetLevelInfo(m_position.stage, m_position.level);
    m_aceTime = LevelTimeBonus::ClampAceTime(level ? level->aceTime : 0);
    m_bonus.Start(m_aceTime, m_levelTime);
    MenuControls::SetText(m_yourTime, LevelTimeBonus::FormatTime(m_levelTime));
    MenuControls::SetText(m_aceTimeText, LevelTimeBonus::FormatTime(static_cast<f32>(m_aceTime)));
    MenuControls::SetText(m_timeBonus, L"0");
    const bool bonus = m_bonus.HasBonus();
    Controls::EnableIfPresent(m_menu, "/window/time_bonus", bonus);
    Controls::EnableIfPresent(m_menu, "/window/time_bonus_static", bonus);
    Controls::EnableIfPresent(m_menu, "/window/no_time_bonus_static", !bonus);
}

// With no record for the level there is no holder to name: both texts stay off.
void GUILevelCompleteWindow::ShowBestTime()
{
    const ProfileBase* profile = m_profileManager->GetCurrentProfile();
    std::wstring holder;
    f32 time = 0.0f;
    const bool found = profile && m_profileManager->GetBestTime(m_position, profile->category, holder, time);
    Controls::EnableIfPresent(m_menu, "/window/best_time", found);
    Controls::EnableIfPresent(m_menu, "/window/best_time_static", found);
    if (!found)
        return;
    MenuControls::SetText(m_bestTime, LevelTimeBonus::FormatTime(time));
    if (m_bestTimeStatic)
        m_bestTimeStatic->SetParameter(L"PROFILE_NAME", L"\"" + holder + L"\"");
}

void GUILevelCompleteWindow::Update()
{
    GUILevelCompleteWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    CountBonus();
    if (MenuControls::IsClicked(m_button))
        SetResultCode(IsLastLevelOfStage() ? ResultCode::StageComplete : ResultCode::LevelMap);
}

void GUILevelCompleteWindow::CountBonus()
{
    if (!m_bonus.HasBonus())
        return;
    const bool appeared = Controls::FadeValue(m_timeBonus) > FullyShown;
    const u32 added = m_bonus.Advance(m_frameTimer->GetFrameTime(), appeared);
    MenuControls::SetText(m_timeBonus, std::to_wstring(m_bonus.GetShown()));
    const bool charging = m_soundPlayer->GetSoundState(SoundTable::ChargeScore) != VelkorEngine::Sound::Stopped;
    if (added != 0)
    {
        AddToScore(added);
        if (!charging)
            m_soundPlayer->PlaySound(SoundTable::ChargeScore);
    }
    else if (charging)
        m_soundPlayer->StopSound(SoundTable::ChargeScore);
}

void GUILevelCompleteWindow::AddToScore(u32 points)
{
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    const u32 room = std::numeric_limits<u32>::max() - profile->score;
    profile->score += points < room ? points : room;
    m_scoreUnsaved = true;
}

bool GUILevelCompleteWindow::IsLastLevelOfStage() const
{
    return m_levelManager->GetLevelCount(m_position.stage) == m_position.level + 1;
}

void GUILevelCompleteWindow::Hide()
{
    GUILevelCompleteWindowBase::Hide();
    Controls::EnableIfPresent(m_menu, "/title_mount_animated", false);
    m_menu.Show(false);
    m_soundPlayer->StopSound(SoundTable::ChargeScore);
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (m_scoreUnsaved && profile)
        profile->Save();
    m_scoreUnsaved = false;
}
}
