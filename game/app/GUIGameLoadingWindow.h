// The start-up loading screen: a menu window that, once its title has fully appeared, loads the queued
// resource lists of its keeper while the screen and the sounds stay alive, then reports that it is done.
#pragma once

#include "framework/GUILoadingWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace Korvane
{
class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase, public GUIMenuWindow
{
public:
    static constexpr const char* Description = "window_game_loading";

    GUIGameLoadingWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                         GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* manager,
                         VelkorEngine::GUIWindow* parentWidget);

    // Both bases have a frame update; the menu side's runs through the menu window manager.
    void Update() override;
    void Show(VelkorEngine::u32 stateId, GameTools::DataKeeper* keeper) override;
    void Hide() override;

    bool IsReady() const { return m_ready; }

protected:
    GUIGameLoadingWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                         GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* manager,
                         VelkorEngine::GUIWindow* parentWidget, const std::string& description);

private:
    // The load starts once the title, if there is one, has appeared and finished printing.
    bool IsTitleComplete() const;

    bool m_ready = false;
};
}
