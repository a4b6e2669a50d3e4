// The saved game's place and score, and the three ways on.
#include "game/app/GUIContinueGameLogicWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/MenuControls.h"
#include "game/app/PlayWindowControls.h"

namespace Korvane
{
using namespace GameFramework;

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                       ProfileManagerBase* profileManager, GameData* data,
                                                       GUITools::GUIToolManager* toolManager,
                                                       GUIMenuWindowManager* menuManager,
                                                       VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_continue_game_logic", parentWidget),
      m_profileManager(profileManager), m_continueButton(MenuControls::Button(m_menu, "/window/button_2")),
      m_anewButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_backButton(MenuControls::Button(m_menu, "/window/button_0")),
      m_levelText(MenuControls::Text(m_menu, "/window/level")), m_scoreText(MenuControls::Text(m_menu, "/window/score"))
{
}

void GUIContinueGameLogicWindow::Update()
{
    GUIContinueGameLogicWindowBase::Update();
    m_menu.Update();
    if (!m_menu.IsShown())
        return;
    if (MenuControls::IsClicked(m_continueButton))
        SetResultCode(ResultCode::ContinueGame);
    if (MenuControls::IsClicked(m_anewButton))
        SetResultCode(ResultCode::LevelMap);
    if (MenuControls::IsClicked(m_backButton))
        SetResultCode(ResultCode::MainMenu);
}

void GUIContinueGameLogicWindow::Show(u32 stateId)
{
    GUIContinueGameLogicWindowBase::Show(stateId);
    m_menu.Show(true);
    const ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    MenuControls::SetText(m_levelText, PlayWindowControls::LevelName(profile->mapStage, profile->mapLevel));
    MenuControls::SetText(m_scoreText, std::to_wstring(profile->score));
}

void GUIContinueGameLogicWindow::Hide()
{
    GUIContinueGameLogicWindowBase::Hide();
    m_menu.Show(false);
}
}
