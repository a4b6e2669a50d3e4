// The first window of a new installation: the player types a name and becomes the first profile, or
// leaves through the exit question.
#pragma once

#include "framework/GUIWelcomeWindowBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUINameEntry.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase
{
public:
    GUIWelcomeWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                     GameFramework::GameSoundPlayer* soundPlayer, GameData* data, GUITools::GUIToolManager* toolManager,
                     GUIMenuWindowManager* menuManager, VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    GUINameEntry m_nameEntry;
};
}
