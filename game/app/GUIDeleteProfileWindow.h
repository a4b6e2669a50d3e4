// Asks whether to delete the profile the profiles window had selected, naming it in the question.
#pragma once

#include "framework/GUIDeleteProfileWindowBase.h"
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

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase
{
public:
    GUIDeleteProfileWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                           GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                           GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                           VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Show(u32 stateId, const std::wstring& name) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    VelkorEngine::Controls* m_controls;
    VelkorEngine::GUIButton* m_deleteButton;
    VelkorEngine::GUIButton* m_cancelButton;
};
}
