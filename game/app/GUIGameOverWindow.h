// The window after the last life is lost; its one button leads on to the high scores or the main menu.
#pragma once

#include "framework/GUIGameOverWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase
{
public:
    GUIGameOverWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                      GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                      VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    VelkorEngine::GUIButton* m_button;
};
}
