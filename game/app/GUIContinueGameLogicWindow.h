// The offer to go on with a saved game: where the player stopped and the score so far, with continue, start
// anew and back.
#pragma once

#include "framework/GUIContinueGameLogicWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase
{
public:
    GUIContinueGameLogicWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                               GameFramework::ProfileManagerBase* profileManager, GameData* data,
                               GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                               VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    GameFramework::ProfileManagerBase* m_profileManager;
    VelkorEngine::GUIButton* m_continueButton;
    VelkorEngine::GUIButton* m_anewButton;
    VelkorEngine::GUIButton* m_backButton;
    GUITools::GUITextControl* m_levelText;
    GUITools::GUITextControl* m_scoreText;
};
}
