// Adds a player. A name that another profile already has leads to the name-conflict notice; with no
// profile at all the second button leaves the game instead of going back to the list.
#pragma once

#include "framework/GUINewProfileWindowBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUINameEntry.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase
{
public:
    GUINewProfileWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                        GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                        GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                        VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    // clearName: the name box starts empty; otherwise it keeps the name typed before the conflict notice.
    void Show(u32 stateId, u8 clearName) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    GUINameEntry m_nameEntry;
    GUITools::GUITextControl* m_otherButtonTitle;
    bool m_noProfiles = false;
};
}
