// Renames the profile the profiles window had selected. A name that another profile has leads to the
// name-conflict notice; the window keeps the old name across that detour.
#pragma once

#include "framework/GUIRenameProfileWindowBase.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GUINameEntry.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase
{
public:
    GUIRenameProfileWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                           GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                           GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                           VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    // With hasName the name is the one to change and the name box shows it; without, both stay as they were.
    void Show(u32 stateId, u8 hasName, const std::wstring& name) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    GUINameEntry m_nameEntry;
};
}
