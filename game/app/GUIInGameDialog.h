// The small dialogs over a paused game: a framework base for the behaviour and a menu window for the
// layout, held as a member so that the two Updates and Shows never stand in for each other. Each dialog has
// one or two buttons, tested button_1 first so that button_0's result stands when both are clicked, and
// says which of the menu window's two title mounts it shows.
#pragma once

#include "framework/GameSoundPlayer.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/MenuControls.h"
#include "game/app/PlayWindowControls.h"

#include <string>

namespace Korvane
{
using VelkorEngine::u32;

struct InGameDialogDescription
{
    // How a dialog treats the title mounts.
    enum class Mounts
    {
        // The static mount is off for good; the animated one comes and goes with the window.
        Animated,
        // The animated mount is off for good; the static one is put up by the show and stays while the
        // dialog goes back to the in-game menu, whose title it then decorates.
        StaticKeptForMenu,
    };

    const char* windowName = "";
    // 0 for a button the dialog does not have.
    u32 button1Result = 0;
    u32 button0Result = 0;
    Mounts mounts = Mounts::Animated;
    // The result on which the static mount stays up when the dialog hides.
    u32 keepStaticMountOn = 0;
};

template <typename Base> class GUIInGameDialog : public Base
{
public:
    GUIInGameDialog(const InGameDialogDescription& description, VelkorEngine::Engine* engine,
                    GameFramework::GameSoundPlayer* soundPlayer, GameData* data, GUITools::GUIToolManager* toolManager,
                    GUIMenuWindowManager* menuManager, VelkorEngine::GUIWindow* parentWidget)
        : m_description(description),
          m_menu(engine, soundPlayer, data, toolManager, menuManager, description.windowName, parentWidget),
          m_button1(description.button1Result ? MenuControls::Button(m_menu, "/window/button_1") : nullptr),
          m_button0(MenuControls::Button(m_menu, "/window/button_0"))
    {
        if (m_description.mounts == InGameDialogDescription::Mounts::Animated)
            PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_static", false);
        else
            PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_animated", false);
    }

    void Update() override
    {
        Base::Update();
        m_menu.Update();
        if (!m_menu.IsShown())
            return;
        if (MenuControls::IsClicked(m_button1))
            Base::SetResultCode(m_description.button1Result);
        if (MenuControls::IsClicked(m_button0))
            Base::SetResultCode(m_description.button0Result);
    }

    void Show(u32 stateId) override
    {
        Base::Show(stateId);
        if (m_description.mounts == InGameDialogDescription::Mounts::StaticKeptForMenu)
            PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_static", true);
        m_menu.Show(true);
    }

    void Hide() override
    {
        const bool keepStatic = Base::GetResultCode() == m_description.keepStaticMountOn;
        Base::Hide();
        if (m_description.mounts == InGameDialogDescription::Mounts::StaticKeptForMenu && !keepStatic)
            PlayWindowControls::EnableIfPresent(m_menu, "/title_mount_static", false);
        m_menu.Show(false);
    }

    GUIMenuWindow& GetMenuWindow() { return m_menu; }

private:
    InGameDialogDescription m_description;
    GUIMenuWindow m_menu;
    VelkorEngine::GUIButton* m_button1;
    VelkorEngine::GUIButton* m_button0;
};
}
