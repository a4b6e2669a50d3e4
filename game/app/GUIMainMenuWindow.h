// The hub of the game outside play: start, high scores, options, change player, credits and exit, with
// the current player's name in the title. Its buttons are usable only while the menu's body is shown.
#pragma once

#include "framework/GUIMainMenuWindowBase.h"
#include "game/app/GUIMenuWindow.h"

#include <array>

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
using VelkorEngine::u8;

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase
{
public:
    // In the order the buttons are tested; a later click in the same frame wins.
    enum Entry : u32
    {
        Start,
        HighScores,
        Options,
        ChangePlayer,
        Credits,
        Exit,
        EntryCount
    };

    GUIMainMenuWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                      GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                      GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                      VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    VelkorEngine::GUIButton* GetButton(Entry entry) const { return m_buttons[entry]; }
    GUITools::GUITextControl* GetButtonTitle(Entry entry) const { return m_titles[entry]; }

private:
    bool IsBodyShown() const;
    void UpdateEntry(u32 entry, bool usable);

    GUIMenuWindow m_menu;
    GameFramework::ProfileManagerBase* m_profileManager;
    std::array<VelkorEngine::GUIButton*, EntryCount> m_buttons{};
    std::array<GUITools::GUITextControl*, EntryCount> m_titles{};
    GUITools::GUIControl* m_body = nullptr;
    GUITools::GUITextControl* m_title = nullptr;
};
}
