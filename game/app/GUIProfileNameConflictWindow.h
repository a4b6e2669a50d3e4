// Tells the player that the name is taken and leads back to the window the name was typed in.
#pragma once

#include "framework/GUIProfileNameConflictWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class Controls;
class GUIButton;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase
{
public:
    GUIProfileNameConflictWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                                 GameData* data, GUITools::GUIToolManager* toolManager,
                                 GUIMenuWindowManager* menuManager, VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    VelkorEngine::Controls* m_controls;
    VelkorEngine::GUIButton* m_okButton;
};
}
