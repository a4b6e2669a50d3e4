// The window after the last level of the game, shown once per player: the game sets its appear switch from
// the player's profile before it is shown. Without the switch the window only passes on at once.
#pragma once

#include "framework/GUIGameCompleteWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase
{
public:
    GUIGameCompleteWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                          GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                          VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    // Always the framework's hide, so the passed-on result expires once handled; only the layout's hide is
    // left out when the window never appeared.
    void Hide() override;

    void SetAppear(bool appear) { m_appear = appear; }
    bool GetAppear() const { return m_appear; }
    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    GUIMenuWindow m_menu;
    bool m_appear = true;
    VelkorEngine::GUIButton* m_button;
};
}
