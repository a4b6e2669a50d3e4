// The credits, with a button back to the main menu.
#pragma once

#include "framework/GUIHelpWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIHelpWindow : public GameFramework::GUIHelpWindowBase
{
public:
    GUIHelpWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                  GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                  VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    VelkorEngine::GUIButton* m_backButton;
};
}
