// The question whether to leave the program; "no" leads back to where the question was asked.
#pragma once

#include "framework/GUIExitWindowBase.h"
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

class GUIExitWindow : public GameFramework::GUIExitWindowBase
{
public:
    GUIExitWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                  GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                  VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    VelkorEngine::GUIButton* m_quitButton;
    VelkorEngine::GUIButton* m_backButton;
};
}
